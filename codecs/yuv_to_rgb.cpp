#include "codecs/yuv_to_rgb.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace codecs {
namespace {

constexpr int kShift = 16;

template <typename Sample>
const Sample* RowOf(const SamplePlane& plane, int32_t y) {
  return reinterpret_cast<const Sample*>(static_cast<const uint8_t*>(plane.data) + plane.stride * y);
}

// Whether the plane holds `width` x `height` samples of `sampleBytes` each.
bool Covers(const SamplePlane& plane, int32_t width, int32_t height, int sampleBytes) {
  return plane.data != nullptr && plane.width >= width && plane.height >= height &&
         plane.stride >= int64_t(width) * sampleBytes;
}

int32_t ChromaSide(int32_t side, int shift) { return (side + shift) >> shift; }

bool PlanesCover(const YuvPlanes& p, const Image& image) {
  const int sampleBytes = p.bitDepth > 8 ? 2 : 1;
  if (!Covers(p.y, image.width, image.height, sampleBytes)) return false;
  if (p.u.data == nullptr) return true;
  const int32_t width = ChromaSide(image.width, p.chromaShiftX);
  const int32_t height = ChromaSide(image.height, p.chromaShiftY);
  return Covers(p.u, width, height, sampleBytes) && Covers(p.v, width, height, sampleBytes);
}

uint32_t Clamp8(int32_t fixed) {
  return uint32_t(std::clamp((fixed + (1 << (kShift - 1))) >> kShift, 0, 255));
}

// Fixed-point factors turning samples of one bit depth and range into 8-bit
// R, G and B.
struct Factors {
  int32_t yOffset, chromaCentre;
  int32_t y, rFromV, gFromU, gFromV, bFromU;
};

Factors FactorsFor(int matrix, bool fullRange, int bitDepth) {
  double kr = 0.299, kb = 0.114;
  switch (matrix) {
    case 1: kr = 0.2126; kb = 0.0722; break;
    case 4: kr = 0.30; kb = 0.11; break;
    case 7: kr = 0.212; kb = 0.087; break;
    case 9:
    case 10: kr = 0.2627; kb = 0.0593; break;
    default: break;
  }
  const double kg = 1.0 - kr - kb;
  const int scale = 1 << (bitDepth - 8);
  const double max = double((1 << bitDepth) - 1);
  const double yRange = fullRange ? max : 219.0 * scale;
  const double cRange = fullRange ? max : 224.0 * scale;
  const double one = double(1 << kShift) * 255.0;
  Factors f{};
  f.yOffset = fullRange ? 0 : 16 * scale;
  f.chromaCentre = 1 << (bitDepth - 1);
  f.y = int32_t(std::lround(one / yRange));
  f.rFromV = int32_t(std::lround(one * 2 * (1 - kr) / cRange));
  f.bFromU = int32_t(std::lround(one * 2 * (1 - kb) / cRange));
  f.gFromU = int32_t(std::lround(one * 2 * kb * (1 - kb) / kg / cRange));
  f.gFromV = int32_t(std::lround(one * 2 * kr * (1 - kr) / kg / cRange));
  return f;
}

// One row of a chroma plane brought to the luma's size. A subsampled chroma
// sample sits between the luma samples it covers, so each pixel takes three
// quarters of its own chroma sample and a quarter of the next one towards it,
// across and down, as libavif's decoder does.
template <typename Sample>
class ChromaRows {
 public:
  ChromaRows(const YuvPlanes& p, int32_t width, int32_t height)
      : p_(p),
        width_(width),
        chromaWidth_(ChromaSide(width, p.chromaShiftX)),
        chromaHeight_(ChromaSide(height, p.chromaShiftY)),
        u_(size_t(width)),
        v_(size_t(width)) {}

  void Load(int32_t y) {
    const int32_t near = y >> p_.chromaShiftY;
    int32_t far = near;
    if (p_.chromaShiftY) far = (y & 1) ? std::min(near + 1, chromaHeight_ - 1) : std::max(near - 1, 0);
    const int32_t nearWeight = p_.chromaShiftY ? 3 : 4, farWeight = 4 - nearWeight;
    Blend(p_.u, near, far, nearWeight, farWeight, u_.data());
    Blend(p_.v, near, far, nearWeight, farWeight, v_.data());
  }
  const int32_t* U() const { return u_.data(); }
  const int32_t* V() const { return v_.data(); }

 private:
  void Blend(const SamplePlane& plane, int32_t near, int32_t far, int32_t nearWeight, int32_t farWeight,
             int32_t* out) const {
    const Sample* a = RowOf<Sample>(plane, near);
    const Sample* b = RowOf<Sample>(plane, far);
    if (!p_.chromaShiftX) {
      for (int32_t x = 0; x < width_; ++x) out[x] = (nearWeight * a[x] + farWeight * b[x] + 2) >> 2;
      return;
    }
    for (int32_t x = 0; x < width_; ++x) {
      const int32_t c = x >> 1;
      const int32_t n = (x & 1) ? std::min(c + 1, chromaWidth_ - 1) : x == width_ - 1 ? c : std::max(c - 1, 0);
      const int32_t across = nearWeight * (3 * a[c] + a[n]) + farWeight * (3 * b[c] + b[n]);
      out[x] = (across + 8) >> 4;
    }
  }

  const YuvPlanes& p_;
  int32_t width_, chromaWidth_, chromaHeight_;
  std::vector<int32_t> u_, v_;
};

template <typename Sample>
void Convert(const YuvPlanes& p, int matrix, bool fullRange, Image& image) {
  const Factors f = FactorsFor(matrix, fullRange, p.bitDepth);
  if (p.u.data == nullptr) {
    for (int32_t y = 0; y < image.height; ++y) {
      const Sample* ys = RowOf<Sample>(p.y, y);
      uint32_t* out = image.row(y);
      for (int32_t x = 0; x < image.width; ++x) {
        const uint32_t l = Clamp8((int32_t(ys[x]) - f.yOffset) * f.y);
        out[x] = (l << 16) | (l << 8) | l;
      }
    }
    return;
  }
  ChromaRows<Sample> chroma(p, image.width, image.height);
  for (int32_t y = 0; y < image.height; ++y) {
    const Sample* ys = RowOf<Sample>(p.y, y);
    chroma.Load(y);
    const int32_t* us = chroma.U();
    const int32_t* vs = chroma.V();
    uint32_t* out = image.row(y);
    if (matrix == 0) {
      for (int32_t x = 0; x < image.width; ++x) {
        const uint32_t r = Clamp8((vs[x] - f.yOffset) * f.y);
        const uint32_t g = Clamp8((int32_t(ys[x]) - f.yOffset) * f.y);
        const uint32_t b = Clamp8((us[x] - f.yOffset) * f.y);
        out[x] = (r << 16) | (g << 8) | b;
      }
      continue;
    }
    for (int32_t x = 0; x < image.width; ++x) {
      const int32_t u = us[x] - f.chromaCentre;
      const int32_t v = vs[x] - f.chromaCentre;
      const int32_t l = (int32_t(ys[x]) - f.yOffset) * f.y;
      const uint32_t r = Clamp8(l + v * f.rFromV);
      const uint32_t g = Clamp8(l - u * f.gFromU - v * f.gFromV);
      const uint32_t b = Clamp8(l + u * f.bFromU);
      out[x] = (r << 16) | (g << 8) | b;
    }
  }
}

template <typename Sample>
void ApplyAlpha(const SamplePlane& alpha, int bitDepth, bool fullRange, Image& image) {
  const int32_t max = (1 << bitDepth) - 1;
  const int32_t offset = fullRange ? 0 : 16 << (bitDepth - 8);
  const int32_t range = fullRange ? max : 219 << (bitDepth - 8);
  for (int32_t y = 0; y < image.height; ++y) {
    const Sample* as = RowOf<Sample>(alpha, y);
    uint32_t* px = image.row(y);
    for (int32_t x = 0; x < image.width; ++x) {
      const int32_t scaled = (int32_t(as[x]) - offset) * 255 + range / 2;
      const uint32_t a = uint32_t(std::clamp(scaled, 0, 255 * range) / range);
      if (a == 255) continue;
      const uint32_t p = px[x];
      const uint32_t r = (((p >> 16) & 0xFF) * a + 127) / 255;
      const uint32_t g = (((p >> 8) & 0xFF) * a + 127) / 255;
      const uint32_t b = ((p & 0xFF) * a + 127) / 255;
      px[x] = (r << 16) | (g << 8) | b;
    }
  }
}

}  // namespace

bool YuvToRgb(const YuvPlanes& planes, int matrix, bool fullRange, Image& image) {
  if (!PlanesCover(planes, image)) return false;
  if (planes.bitDepth > 8) {
    Convert<uint16_t>(planes, matrix, fullRange, image);
  } else {
    Convert<uint8_t>(planes, matrix, fullRange, image);
  }
  return true;
}

void ApplyAlphaPlane(const SamplePlane& alpha, int bitDepth, bool fullRange, Image& image) {
  if (bitDepth < 8 || bitDepth > 16 || !Covers(alpha, image.width, image.height, bitDepth > 8 ? 2 : 1)) return;
  if (bitDepth > 8) {
    ApplyAlpha<uint16_t>(alpha, bitDepth, fullRange, image);
  } else {
    ApplyAlpha<uint8_t>(alpha, bitDepth, fullRange, image);
  }
}

}  // namespace codecs
