#include "test_writers.h"

#include <algorithm>

namespace codecs::testing {
namespace {

void Put16(ByteVector& out, uint32_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}

uint8_t Red(uint32_t c) { return uint8_t(c >> 16); }
uint8_t Green(uint32_t c) { return uint8_t(c >> 8); }
uint8_t Blue(uint32_t c) { return uint8_t(c); }

// Run-length packets of TGA: runs of equal pixels and raw stretches, at most
// 128 each, running freely across rows.
ByteVector TgaRle(const ByteVector& raw, size_t bpp) {
  ByteVector out;
  const size_t count = raw.size() / bpp;
  auto same = [&](size_t a, size_t b) { return std::equal(&raw[a * bpp], &raw[a * bpp] + bpp, &raw[b * bpp]); };
  for (size_t i = 0; i < count;) {
    size_t run = 1;
    while (i + run < count && run < 128 && same(i, i + run)) ++run;
    if (run >= 2) {
      out.push_back(uint8_t(0x80 | (run - 1)));
      out.insert(out.end(), &raw[i * bpp], &raw[i * bpp] + bpp);
      i += run;
      continue;
    }
    size_t n = 1;
    while (i + n < count && n < 128 && !(i + n + 1 < count && same(i + n, i + n + 1))) ++n;
    out.push_back(uint8_t(n - 1));
    out.insert(out.end(), &raw[i * bpp], &raw[(i + n) * bpp]);
    i += n;
  }
  return out;
}

void PutColor(ByteVector& out, uint32_t c, int depth) {
  if (depth == 15 || depth == 16) {
    Put16(out, uint32_t(Red(c) >> 3) << 10 | uint32_t(Green(c) >> 3) << 5 | (Blue(c) >> 3) | 0x8000);
    return;
  }
  out.push_back(Blue(c));
  out.push_back(Green(c));
  out.push_back(Red(c));
  if (depth == 32) out.push_back(0xFF);
}

ByteVector PcxRle(const ByteVector& line) {
  ByteVector out;
  for (size_t i = 0; i < line.size();) {
    size_t run = 1;
    while (i + run < line.size() && run < 63 && line[i + run] == line[i]) ++run;
    if (run > 1 || line[i] >= 0xC0) out.push_back(uint8_t(0xC0 | run));
    out.push_back(line[i]);
    i += run;
  }
  return out;
}

// LZW data that never grows past the first code width: a clear code before
// every few literals, so any decoder reads it and the indices stay exact.
ByteVector GifLzw(const std::vector<uint8_t>& indices, int minCodeSize) {
  const int clear = 1 << minCodeSize, width = minCodeSize + 1;
  const size_t chunk = size_t(clear) - 2;
  ByteVector packed;
  uint32_t acc = 0;
  int bits = 0;
  auto emit = [&](int code) {
    acc |= uint32_t(code) << bits;
    bits += width;
    while (bits >= 8) {
      packed.push_back(uint8_t(acc));
      acc >>= 8;
      bits -= 8;
    }
  };
  for (size_t i = 0; i < indices.size(); ++i) {
    if (i % chunk == 0) emit(clear);
    emit(indices[i]);
  }
  emit(clear + 1);
  if (bits > 0) packed.push_back(uint8_t(acc));
  ByteVector out{uint8_t(minCodeSize)};
  for (size_t i = 0; i < packed.size(); i += 255) {
    const size_t n = std::min<size_t>(255, packed.size() - i);
    out.push_back(uint8_t(n));
    out.insert(out.end(), packed.begin() + i, packed.begin() + i + n);
  }
  out.push_back(0);
  return out;
}

void PutMap(ByteVector& out, const std::vector<uint32_t>& palette, int bits) {
  for (int i = 0; i < (1 << bits); ++i) {
    const uint32_t c = i < int(palette.size()) ? palette[i] : 0;
    out.push_back(Red(c));
    out.push_back(Green(c));
    out.push_back(Blue(c));
  }
}

std::vector<uint8_t> InterlacedOrder(const IndexedPicture& p) {
  std::vector<uint8_t> out;
  const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass) {
    for (int y = start[pass]; y < p.height; y += step[pass]) {
      out.insert(out.end(), p.indices.begin() + y * p.width, p.indices.begin() + (y + 1) * p.width);
    }
  }
  return out;
}

void PutFrame(ByteVector& out, const IndexedPicture& p, const GifOptions& o, int left, int top) {
  if (o.transparent >= 0) {
    out.insert(out.end(), {0x21, 0xF9, 4, 1, 0, 0, uint8_t(o.transparent), 0});
  }
  out.push_back(0x2C);
  Put16(out, uint32_t(left));
  Put16(out, uint32_t(top));
  Put16(out, uint32_t(p.width));
  Put16(out, uint32_t(p.height));
  out.push_back(uint8_t((o.localMap ? 0x80 | (o.mapBits - 1) : 0) | (o.interlaced ? 0x40 : 0)));
  if (o.localMap) PutMap(out, p.palette, o.mapBits);
  const ByteVector data = GifLzw(o.interlaced ? InterlacedOrder(p) : p.indices, std::max(2, o.mapBits));
  out.insert(out.end(), data.begin(), data.end());
}

}  // namespace

IndexedPicture MakeIndexed(int32_t width, int32_t height, bool many) {
  IndexedPicture p{width, height, {}, {}};
  const int colors = many ? 256 : 16;
  for (int i = 0; i < colors; ++i) {
    p.palette.push_back(Rgb(uint8_t(i * 53 + 7), uint8_t(255 - i * 29), uint8_t(i * 97 + 31)));
  }
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      // Runs, stripes and single pixels, so both RLE packet kinds occur.
      const int v = (x / 5 + y / 3) + ((x * y) % 7 == 0 ? 3 : 0);
      p.indices.push_back(uint8_t(v % colors));
    }
  }
  return p;
}

ByteVector WriteTga(const IndexedPicture& p, const TgaOptions& o) {
  const bool mapped = (o.type & 7) == 1, grey = (o.type & 7) == 3;
  ByteVector out{3, uint8_t(mapped ? 1 : 0), uint8_t(o.type)};
  Put16(out, o.mapFirst);
  Put16(out, mapped ? uint32_t(p.palette.size()) : 0);
  out.push_back(uint8_t(mapped ? o.mapDepth : 0));
  Put16(out, 0);
  Put16(out, 0);
  Put16(out, uint32_t(p.width));
  Put16(out, uint32_t(p.height));
  out.push_back(uint8_t(o.depth));
  out.push_back(uint8_t((o.topDown ? 0x20 : 0) | (o.rightToLeft ? 0x10 : 0) | (o.depth == 32 ? 8 : 0)));
  out.insert(out.end(), {'i', 'd', '!'});
  if (mapped) {
    for (uint32_t c : p.palette) PutColor(out, c, o.mapDepth);
  }
  ByteVector raw;
  for (int32_t r = 0; r < p.height; ++r) {
    const int32_t y = o.topDown ? r : p.height - 1 - r;
    for (int32_t c = 0; c < p.width; ++c) {
      const int32_t x = o.rightToLeft ? p.width - 1 - c : c;
      const uint8_t index = p.indices[size_t(y) * p.width + x];
      if (mapped) {
        raw.push_back(uint8_t(index + o.mapFirst));
        if (o.depth == 16) raw.push_back(0);
      } else if (grey) {
        raw.push_back(Green(p.palette[index]));
      } else {
        PutColor(raw, p.palette[index], o.depth);
      }
    }
  }
  const ByteVector data = o.type >= 9 ? TgaRle(raw, size_t(o.depth + 7) / 8) : raw;
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

ByteVector WritePcx(const IndexedPicture& p, const PcxOptions& o) {
  ByteVector out(128, 0);
  const size_t bytesPerLine = ((size_t(p.width) * o.bits + 7) / 8 + 1) / 2 * 2 + size_t(o.extraLineBytes);
  out[0] = 0x0A;
  out[1] = uint8_t(o.version);
  out[2] = o.rle ? 1 : 0;
  out[3] = uint8_t(o.bits);
  out[8] = uint8_t(p.width - 1);
  out[9] = uint8_t((p.width - 1) >> 8);
  out[10] = uint8_t(p.height - 1);
  out[11] = uint8_t((p.height - 1) >> 8);
  for (size_t i = 0; i < 16 && i < p.palette.size(); ++i) {
    out[16 + 3 * i] = Red(p.palette[i]);
    out[17 + 3 * i] = Green(p.palette[i]);
    out[18 + 3 * i] = Blue(p.palette[i]);
  }
  out[65] = uint8_t(o.planes);
  out[66] = uint8_t(bytesPerLine);
  out[67] = uint8_t(bytesPerLine >> 8);
  out[68] = 1;
  for (int32_t y = 0; y < p.height; ++y) {
    ByteVector line(bytesPerLine * o.planes, 0);
    for (int32_t x = 0; x < p.width; ++x) {
      const uint8_t index = p.indices[size_t(y) * p.width + x];
      const uint32_t c = p.palette[index];
      if (o.bits == 8 && o.planes >= 3) {
        line[x] = Red(c);
        line[bytesPerLine + x] = Green(c);
        line[2 * bytesPerLine + x] = Blue(c);
        if (o.planes == 4) line[3 * bytesPerLine + x] = 0xFF;
      } else if (o.planes > 1) {
        for (int plane = 0; plane < o.planes; ++plane) {
          if ((index >> plane) & 1) line[plane * bytesPerLine + x / 8] |= uint8_t(0x80 >> (x % 8));
        }
      } else {
        const size_t bit = size_t(x) * o.bits;
        line[bit / 8] |= uint8_t(index << (8 - o.bits - bit % 8));
      }
    }
    const ByteVector data = o.rle ? PcxRle(line) : line;
    out.insert(out.end(), data.begin(), data.end());
  }
  if (o.bits == 8 && o.planes == 1) {
    out.push_back(0x0C);
    for (int i = 0; i < 256; ++i) {
      const uint32_t c = i < int(p.palette.size()) ? p.palette[i] : 0;
      out.insert(out.end(), {Red(c), Green(c), Blue(c)});
    }
  }
  return out;
}

ByteVector WriteGif(const IndexedPicture& p, const GifOptions& o) {
  ByteVector out{'G', 'I', 'F', '8', '9', 'a'};
  Put16(out, uint32_t(o.screenWidth ? o.screenWidth : p.width));
  Put16(out, uint32_t(o.screenHeight ? o.screenHeight : p.height));
  out.push_back(uint8_t(o.localMap ? 0 : 0x80 | ((o.mapBits - 1) << 4) | (o.mapBits - 1)));
  out.push_back(0);
  out.push_back(0);
  if (!o.localMap) PutMap(out, p.palette, o.mapBits);
  PutFrame(out, p, o, o.left, o.top);
  if (o.secondFrame) {
    IndexedPicture flat = p;
    std::fill(flat.indices.begin(), flat.indices.end(), uint8_t(1));
    PutFrame(out, flat, o, o.left, o.top);
  }
  out.push_back(0x3B);
  return out;
}

}  // namespace codecs::testing
