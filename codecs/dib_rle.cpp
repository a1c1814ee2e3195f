// BI_RLE8 and BI_RLE4: runs, absolute runs, end of line, end of bitmap and
// delta moves, bottom-up. Pixels a delta or an early end skips stay black.
// A row is as long as its stored, 32-bit aligned form: some writers encode
// the padding pixels too, and those are dropped. A run past that, or a move
// outside the picture, is a lie about the data and fails the whole decode.
#include "codecs/decode_limits.h"
#include "codecs/dib_layout.h"

namespace codecs {
namespace {

enum : uint8_t { kEndOfLine = 0, kEndOfBitmap = 1, kDelta = 2 };

class RleCanvas {
 public:
  RleCanvas(Image& image, const std::vector<uint32_t>& palette, int32_t rowLength)
      : image_(image), palette_(palette), rowLength_(rowLength) {}

  bool CanPut(int32_t count) const { return y_ < image_.height && x_ + count <= rowLength_; }
  void Put(uint32_t index) {
    if (x_ < image_.width) {
      image_.row(image_.height - 1 - y_)[x_] = index < palette_.size() ? palette_[index] : 0;
    }
    ++x_;
  }
  void EndLine() {
    x_ = 0;
    ++y_;
  }
  bool Move(int32_t dx, int32_t dy) {
    x_ += dx;
    y_ += dy;
    return x_ <= rowLength_ && y_ <= image_.height;
  }
  bool Complete() const { return y_ >= image_.height || (y_ == image_.height - 1 && x_ >= image_.width); }
  bool Beyond() const { return y_ > image_.height; }

 private:
  Image& image_;
  const std::vector<uint32_t>& palette_;
  int32_t rowLength_;
  int32_t x_ = 0;
  int32_t y_ = 0;  // counted from the bottom row
};

uint32_t Nibble(uint8_t byte, int i) { return i % 2 == 0 ? byte >> 4 : byte & 0x0F; }

bool Absolute(ByteCursor& in, RleCanvas& canvas, int32_t count, bool rle4) {
  const size_t bytes = rle4 ? (size_t(count) + 1) / 2 : size_t(count);
  const uint8_t* data = in.Take((bytes + 1) & ~size_t(1));  // padded to 16 bits
  if (!data || !canvas.CanPut(count)) return false;
  for (int32_t i = 0; i < count; ++i) canvas.Put(rle4 ? Nibble(data[i / 2], i) : data[i]);
  return true;
}

bool Run(RleCanvas& canvas, int32_t count, uint8_t value, bool rle4) {
  if (!canvas.CanPut(count)) return false;
  for (int32_t i = 0; i < count; ++i) canvas.Put(rle4 ? Nibble(value, i) : value);
  return true;
}

}  // namespace

std::optional<Image> DecodeDibRle(const DibLayout& d, Bytes bytes) {
  std::optional<Image> image = AllocateImage(d.width, d.height);
  if (!image) return std::nullopt;
  const bool rle4 = d.compression == kBiRle4;
  const int32_t rowLength = int32_t(DibStride(d.width, d.bitCount) * 8 / d.bitCount);
  RleCanvas canvas(*image, d.palette, rowLength);
  ByteCursor in(bytes, d.pixelOffset);
  while (true) {
    // Data that ends without an end-of-bitmap mark is accepted only once
    // every row has been written.
    if (!in.Has(2)) return canvas.Complete() ? image : std::nullopt;
    const uint8_t count = in.Next();
    const uint8_t value = in.Next();
    bool ok = true;
    if (count > 0) {
      ok = Run(canvas, count, value, rle4);
    } else if (value == kEndOfLine) {
      canvas.EndLine();
      ok = !canvas.Beyond();
    } else if (value == kEndOfBitmap) {
      return image;
    } else if (value == kDelta) {
      ok = in.Has(2);
      if (ok) {
        const uint8_t dx = in.Next();
        ok = canvas.Move(dx, in.Next());
      }
    } else {
      ok = Absolute(in, canvas, value, rle4);
    }
    if (!ok) return std::nullopt;
  }
}

}  // namespace codecs
