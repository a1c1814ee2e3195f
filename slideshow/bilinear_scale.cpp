#include "slideshow/bilinear_scale.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "slideshow/pixel_mix.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define TOLVEX_SSE2 1
#endif

namespace slideshow {

Rect PixelsOf(const RectF& r, const Rect& clip) {
  if (r.empty()) return {};
  const auto first = [](double edge) { return std::clamp(std::ceil(edge - 0.5), -2e9, 2e9); };
  const Rect whole{int32_t(first(r.left)), int32_t(first(r.top)), int32_t(first(r.right)), int32_t(first(r.bottom))};
  return Intersection(whole, clip);
}

namespace {

// Where along one axis each buffer pixel samples the picture: the first of
// the two picture pixels and the weight of the second, 0 to 255.
struct Taps {
  std::vector<int32_t> first;
  std::vector<uint16_t> weight;
};

Taps TapsFor(int32_t from, int32_t to, double sourceStart, double destStart, double scale, int32_t extent) {
  Taps taps;
  taps.first.resize(size_t(to - from));
  taps.weight.resize(size_t(to - from));
  for (int32_t i = from; i < to; ++i) {
    const double at = sourceStart + (i + 0.5 - destStart) * scale - 0.5;
    int32_t first = 0;
    uint16_t weight = 0;
    if (at >= extent - 1) {
      first = extent - 1;
    } else if (at > 0) {
      const int64_t fixed = int64_t(at * 256);
      first = int32_t(fixed >> 8);
      weight = uint16_t(fixed & 0xFF);
    }
    taps.first[size_t(i - from)] = first;
    taps.weight[size_t(i - from)] = weight;
  }
  return taps;
}

// The row between two picture rows, over picture columns [left, left + count),
// with the last column once more after it, so a tap may always read its pair.
void MixRowsInto(uint32_t* out, const uint32_t* upper, const uint32_t* lower, int32_t count, uint32_t weight) {
  MixRow(out, upper, lower, size_t(count), int32_t(weight));
  out[count] = out[count - 1];
}

// Each buffer pixel between its two row pixels: out[i] mixes row[first[i]]
// towards row[first[i] + 1] by weight[i].
void SampleColumns(uint32_t* out, const uint32_t* row, const int32_t* first, const uint16_t* weights, size_t count) {
  size_t i = 0;
#ifdef TOLVEX_SSE2
  const __m128i zero = _mm_setzero_si128();
  const __m128i half = _mm_set1_epi16(128);
  for (; i + 4 <= count; i += 4) {
    // Per pixel its pair of neighbours, as 16-bit channels: [a b] of pixel k.
    const __m128i p01 = _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + first[i])),
                                           _mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + first[i + 1])));
    const __m128i p23 = _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + first[i + 2])),
                                           _mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + first[i + 3])));
    // The weight of b repeated over each pixel's four channels.
    const __m128i w = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(weights + i));  // w0 w1 w2 w3
    const __m128i w0011 = _mm_unpacklo_epi16(w, w);                                   // w0 w0 w1 w1 w2 w2 w3 w3
    const __m128i wb01 = _mm_unpacklo_epi32(w0011, w0011);                            // w0 x4, w1 x4
    const __m128i wb23 = _mm_unpackhi_epi32(w0011, w0011);                            // w2 x4, w3 x4
    const auto mix = [&](__m128i pair, __m128i wb) {
      const __m128i lo = _mm_unpacklo_epi8(pair, zero);  // a, b of the first pixel
      const __m128i hi = _mm_unpackhi_epi8(pair, zero);  // a, b of the second
      // a x (256 - wb) + b x wb as a x 256 + (b - a) x wb, as in MixRow.
      const __m128i as = _mm_unpacklo_epi64(lo, hi), bs = _mm_unpackhi_epi64(lo, hi);
      const __m128i sum =
          _mm_add_epi16(_mm_add_epi16(_mm_slli_epi16(as, 8), _mm_mullo_epi16(_mm_sub_epi16(bs, as), wb)), half);
      return _mm_srli_epi16(sum, 8);
    };
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(mix(p01, wb01), mix(p23, wb23)));
  }
#endif
  for (; i < count; ++i) out[i] = MixPixel(row[first[i]], row[first[i] + 1], weights[i]);
}

// Each buffer pixel straight from its four picture pixels, for a picture
// drawn smaller, where mixing whole rows first would mix columns no buffer
// pixel samples: out[i] is the pair at first[i] of the upper and lower rows
// mixed by rowWeight, then towards the second by weights[i], rounded as the
// two passes round. Every first[i] + 1 lies inside the rows.
void SampleFourTaps(uint32_t* out, const uint32_t* upper, const uint32_t* lower, const int32_t* first,
                    const uint16_t* weights, size_t count, uint32_t rowWeight) {
  size_t i = 0;
#ifdef TOLVEX_SSE2
  const __m128i zero = _mm_setzero_si128();
  const __m128i half = _mm_set1_epi16(128);
  const __m128i wy = _mm_set1_epi16(int16_t(rowWeight));
  // Rounded (a x (256 - w) + b x w) / 256 in 16-bit lanes, as in MixRow.
  const auto mix = [&](__m128i a, __m128i b, __m128i w) {
    return _mm_srli_epi16(
        _mm_add_epi16(_mm_add_epi16(_mm_slli_epi16(a, 8), _mm_mullo_epi16(_mm_sub_epi16(b, a), w)), half), 8);
  };
  const auto pairs = [](const uint32_t* row, const int32_t* at) {
    return _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + at[0])),
                              _mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + at[1])));
  };
  for (; i + 4 <= count; i += 4) {
    const __m128i u01 = pairs(upper, first + i), u23 = pairs(upper, first + i + 2);
    const __m128i l01 = pairs(lower, first + i), l23 = pairs(lower, first + i + 2);
    // Per pixel k its two columns mixed between the rows: [a b] of k as 16-bit channels.
    const __m128i v0 = mix(_mm_unpacklo_epi8(u01, zero), _mm_unpacklo_epi8(l01, zero), wy);
    const __m128i v1 = mix(_mm_unpackhi_epi8(u01, zero), _mm_unpackhi_epi8(l01, zero), wy);
    const __m128i v2 = mix(_mm_unpacklo_epi8(u23, zero), _mm_unpacklo_epi8(l23, zero), wy);
    const __m128i v3 = mix(_mm_unpackhi_epi8(u23, zero), _mm_unpackhi_epi8(l23, zero), wy);
    const __m128i w = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(weights + i));
    const __m128i w0011 = _mm_unpacklo_epi16(w, w);
    const __m128i lo = mix(_mm_unpacklo_epi64(v0, v1), _mm_unpackhi_epi64(v0, v1), _mm_unpacklo_epi32(w0011, w0011));
    const __m128i hi = mix(_mm_unpacklo_epi64(v2, v3), _mm_unpackhi_epi64(v2, v3), _mm_unpackhi_epi32(w0011, w0011));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(lo, hi));
  }
#endif
  for (; i < count; ++i) {
    const int32_t f = first[i];
    out[i] = MixPixel(MixPixel(upper[f], lower[f], rowWeight), MixPixel(upper[f + 1], lower[f + 1], rowWeight),
                      weights[i]);
  }
}

// Below this many picture columns a buffer pixel, mixing whole rows first is
// the cheaper: neighbouring pixels share their columns.
constexpr double kFourTapScale = 1.5;

}  // namespace

void DrawScaled(const PixelView& buffer, const codecs::Image& picture, const RectF& source, const RectF& dest,
                int32_t weight) {
  const Rect drawn = PixelsOf(dest, buffer.bounds());
  if (drawn.empty() || picture.empty() || source.empty() || weight <= 0) return;
  const double scaleX = source.width() / dest.width(), scaleY = source.height() / dest.height();
  const Taps columns = TapsFor(drawn.left, drawn.right, source.left, dest.left, scaleX, picture.width);
  const Taps rows = TapsFor(drawn.top, drawn.bottom, source.top, dest.top, scaleY, picture.height);
  const auto [lo, hi] = std::minmax_element(columns.first.begin(), columns.first.end());
  const int32_t left = *lo, span = std::min(*hi + 2, picture.width) - left;
  std::vector<int32_t> first(columns.first.size());
  std::vector<uint16_t> columnWeights = columns.weight;
  const bool fourTaps = scaleX >= kFourTapScale && picture.width >= 2;
  for (size_t i = 0; i < first.size(); ++i) {
    first[i] = columns.first[i];
    // The last column as the second of the pair before it, wholly.
    if (fourTaps && first[i] == picture.width - 1) {
      first[i] = picture.width - 2;
      columnWeights[i] = 256;
    }
    if (!fourTaps) first[i] -= left;
  }
  std::vector<uint32_t> between(fourTaps ? 0 : size_t(span) + 1), sampled(size_t(drawn.width()));
  for (int32_t y = drawn.top; y < drawn.bottom; ++y) {
    const size_t r = size_t(y - drawn.top);
    const int32_t upper = rows.first[r], lower = std::min(upper + 1, picture.height - 1);
    uint32_t* out = buffer.row(y) + drawn.left;
    uint32_t* into = weight >= kOpaque ? out : sampled.data();
    if (fourTaps) {
      SampleFourTaps(into, picture.row(upper), picture.row(lower), first.data(), columnWeights.data(),
                     sampled.size(), rows.weight[r]);
    } else {
      MixRowsInto(between.data(), picture.row(upper) + left, picture.row(lower) + left, span, rows.weight[r]);
      SampleColumns(into, between.data(), first.data(), columnWeights.data(), sampled.size());
    }
    if (weight < kOpaque) MixRow(out, out, sampled.data(), sampled.size(), weight);
  }
}

}  // namespace slideshow
