// The backdrop is reduced by sampling: each backdrop pixel averages up to
// 4 x 4 points spread over the part of the picture it stands for, which is
// as good as a full average once the blur has spread each pixel over a dozen
// of its neighbours, and costs the same for any size of picture. The blur is
// three box blurs on each axis, by running sums, with the picture's edge
// pixels repeated beyond it so the edges do not darken. All four channels of
// a pixel are summed at once, in the lanes of one SSE2 register where there
// is one.
#include "slideshow/backdrop.h"

#include <algorithm>
#include <vector>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define TOLVEX_BACKDROP_SSE2 1
#endif

namespace slideshow {
namespace {

constexpr int kBlurPasses = 3;
constexpr int32_t kMostSamplesPerAxis = 4;
constexpr float kBrightness = 0.5f;

#if TOLVEX_BACKDROP_SSE2
struct Channels {
  __m128i lanes;  // B, G, R and the spare byte, 32 bits each
};

Channels Unpack(uint32_t pixel) {
  const __m128i zero = _mm_setzero_si128();
  return {_mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(int(pixel)), zero), zero)};
}
Channels Zero() { return {_mm_setzero_si128()}; }
Channels Add(Channels a, Channels b) { return {_mm_add_epi32(a.lanes, b.lanes)}; }
Channels Sub(Channels a, Channels b) { return {_mm_sub_epi32(a.lanes, b.lanes)}; }
// The sums times `scale`, rounded, saturated to bytes.
uint32_t Pack(Channels sum, float scale) {
  const __m128i rounded = _mm_cvtps_epi32(_mm_mul_ps(_mm_cvtepi32_ps(sum.lanes), _mm_set1_ps(scale)));
  const __m128i words = _mm_packs_epi32(rounded, rounded);
  return uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(words, words)));
}
#else
struct Channels {
  int32_t lane[4];
};

Channels Unpack(uint32_t pixel) {
  return {{int32_t(pixel & 0xFF), int32_t((pixel >> 8) & 0xFF), int32_t((pixel >> 16) & 0xFF), int32_t(pixel >> 24)}};
}
Channels Zero() { return {}; }
Channels Add(Channels a, Channels b) {
  for (int i = 0; i < 4; ++i) a.lane[i] += b.lane[i];
  return a;
}
Channels Sub(Channels a, Channels b) {
  for (int i = 0; i < 4; ++i) a.lane[i] -= b.lane[i];
  return a;
}
uint32_t Pack(Channels sum, float scale) {
  uint32_t pixel = 0;
  for (int i = 0; i < 4; ++i) {
    const float v = float(sum.lane[i]) * scale + 0.5f;
    pixel |= uint32_t(std::clamp(int32_t(v), 0, 255)) << (8 * i);
  }
  return pixel;
}
#endif

// Where the samples of `count` backdrop pixels lie along `length` picture
// pixels from `start`: `perPixel` for each, at the centres of equal parts of
// the stretch it stands for.
std::vector<int32_t> SamplePositions(int32_t start, int32_t length, int32_t count, int32_t perPixel) {
  std::vector<int32_t> positions(size_t(count) * size_t(perPixel));
  const int64_t parts = int64_t(count) * perPixel;
  for (int64_t j = 0; j < parts; ++j) {
    positions[size_t(j)] = start + int32_t(std::min<int64_t>((2 * j + 1) * length / (2 * parts), length - 1));
  }
  return positions;
}

int32_t SamplesPerPixel(int32_t length, int32_t count) {
  return std::clamp(length / count, int32_t(1), kMostSamplesPerAxis);
}

// The picture's pixels, read only.
struct PictureRows {
  const uint32_t* pixels;
  int32_t width, height;
  ptrdiff_t stride;
  const uint32_t* row(int32_t y) const { return pixels + ptrdiff_t(y) * stride; }
};

codecs::Image Reduce(const PictureRows& picture, const BackdropGeometry& g) {
  const Rect& s = g.sourceRect;
  const int32_t perX = SamplesPerPixel(s.width(), g.size.width);
  const int32_t perY = SamplesPerPixel(s.height(), g.size.height);
  const std::vector<int32_t> xs = SamplePositions(s.left, s.width(), g.size.width, perX);
  const std::vector<int32_t> ys = SamplePositions(s.top, s.height(), g.size.height, perY);
  const float scale = 1.0f / float(perX * perY);
  codecs::Image out(g.size.width, g.size.height);
  std::vector<Channels> sums(size_t(g.size.width));
  for (int32_t y = 0; y < g.size.height; ++y) {
    std::fill(sums.begin(), sums.end(), Zero());
    for (int32_t sy = 0; sy < perY; ++sy) {
      const uint32_t* row = picture.row(ys[size_t(y * perY + sy)]);
      const int32_t* x = xs.data();
      for (Channels& sum : sums) {
        for (int32_t sx = 0; sx < perX; ++sx) sum = Add(sum, Unpack(row[*x++]));
      }
    }
    uint32_t* dst = out.row(y);
    for (const Channels& sum : sums) *dst++ = Pack(sum, scale);
  }
  return out;
}

// One box blur along each row, from `in` into `out`.
void BlurRows(const codecs::Image& in, codecs::Image& out, int32_t radius, float scale) {
  const int32_t last = in.width - 1;
  for (int32_t y = 0; y < in.height; ++y) {
    const uint32_t* src = in.row(y);
    uint32_t* dst = out.row(y);
    Channels sum = Zero();
    for (int32_t i = -radius; i <= radius; ++i) sum = Add(sum, Unpack(src[std::clamp(i, 0, last)]));
    for (int32_t x = 0; x <= last; ++x) {
      dst[x] = Pack(sum, scale);
      sum = Add(sum, Unpack(src[std::min(x + radius + 1, last)]));
      sum = Sub(sum, Unpack(src[std::max(x - radius, 0)]));
    }
  }
}

// One box blur down each column, a row at a time, from `in` into `out`.
void BlurColumns(const codecs::Image& in, codecs::Image& out, int32_t radius, float scale) {
  const int32_t last = in.height - 1;
  std::vector<Channels> sums(size_t(in.width), Zero());
  for (int32_t i = -radius; i <= radius; ++i) {
    const uint32_t* src = in.row(std::clamp(i, 0, last));
    for (int32_t x = 0; x < in.width; ++x) sums[size_t(x)] = Add(sums[size_t(x)], Unpack(src[x]));
  }
  for (int32_t y = 0; y <= last; ++y) {
    const uint32_t* entering = in.row(std::min(y + radius + 1, last));
    const uint32_t* leaving = in.row(std::max(y - radius, 0));
    uint32_t* dst = out.row(y);
    for (int32_t x = 0; x < in.width; ++x) {
      Channels& sum = sums[size_t(x)];
      dst[x] = Pack(sum, scale);
      sum = Sub(Add(sum, Unpack(entering[x])), Unpack(leaving[x]));
    }
  }
}

}  // namespace

BackdropGeometry PlanBackdrop(Size picture, Size screen) {
  const int64_t w = std::max(picture.width, 1), h = std::max(picture.height, 1);
  const int64_t sw = std::max(screen.width, 1), sh = std::max(screen.height, 1);
  BackdropGeometry g;
  if (w * sh > sw * h) {
    const int64_t cut = std::max<int64_t>(1, h * sw / sh);
    g.sourceRect = {int32_t((w - cut) / 2), 0, int32_t((w - cut) / 2 + cut), int32_t(h)};
  } else {
    const int64_t cut = std::max<int64_t>(1, w * sh / sw);
    g.sourceRect = {0, int32_t((h - cut) / 2), int32_t(w), int32_t((h - cut) / 2 + cut)};
  }
  const int32_t width = int32_t(std::min<int64_t>(sw, kBackdropWidth));
  g.size = {width, int32_t(std::max<int64_t>(1, width * sh / sw))};
  g.boxRadius = std::max(1, (width * kBackdropBlurPermille + 500) / 1000);
  return g;
}

namespace {

codecs::Image BackdropOf(const PictureRows& picture, Size screen) {
  const BackdropGeometry g = PlanBackdrop({picture.width, picture.height}, screen);
  if (picture.width <= 0 || picture.height <= 0) return codecs::Image(g.size.width, g.size.height);
  codecs::Image image = Reduce(picture, g);
  codecs::Image spare(image.width, image.height);
  const float box = 1.0f / float(2 * g.boxRadius + 1);
  for (int pass = 0; pass < kBlurPasses; ++pass) {
    BlurRows(image, spare, g.boxRadius, box);
    BlurColumns(spare, image, g.boxRadius, pass + 1 == kBlurPasses ? box * kBrightness : box);
  }
  return image;
}

}  // namespace

codecs::Image MakeBackdrop(const codecs::Image& picture, Size screen) {
  return BackdropOf(PictureRows{picture.pixels.data(), picture.width, picture.height, picture.width}, screen);
}

codecs::Image MakeBackdrop(const PixelView& picture, Size screen) {
  return BackdropOf(PictureRows{picture.pixels, picture.width, picture.height, picture.stride}, screen);
}

}  // namespace slideshow
