#include "slideshow/pixel_mix.h"

#include <cmath>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define TOLVEX_SSE2 1
#endif

namespace slideshow {

int32_t OpacityWeight(double opacity) {
  if (!(opacity > 0)) return 0;
  if (opacity >= 1) return kOpaque;
  return int32_t(std::lround(opacity * kOpaque));
}

#ifdef TOLVEX_SSE2
namespace {

// Two pixels' channels as 16-bit lanes, mixed: from x (256 - take) + to x
// take is from x 256 + (to - from) x take, one product instead of two. The
// difference and its product wrap in the 16-bit lanes, but the sum they give,
// at most 255 x 256 + 128, is exact.
inline __m128i MixHalves(__m128i from16, __m128i to16, __m128i take, __m128i half) {
  const __m128i sum =
      _mm_add_epi16(_mm_add_epi16(_mm_slli_epi16(from16, 8), _mm_mullo_epi16(_mm_sub_epi16(to16, from16), take)), half);
  return _mm_srli_epi16(sum, 8);
}

}  // namespace
#endif

void MixRow(uint32_t* out, const uint32_t* from, const uint32_t* to, size_t count, int32_t weight) {
  size_t i = 0;
#ifdef TOLVEX_SSE2
  const __m128i zero = _mm_setzero_si128();
  const __m128i take = _mm_set1_epi16(int16_t(weight));
  const __m128i half = _mm_set1_epi16(128);
  for (; i + 4 <= count; i += 4) {
    const __m128i f = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
    const __m128i t = _mm_loadu_si128(reinterpret_cast<const __m128i*>(to + i));
    const __m128i lo = MixHalves(_mm_unpacklo_epi8(f, zero), _mm_unpacklo_epi8(t, zero), take, half);
    const __m128i hi = MixHalves(_mm_unpackhi_epi8(f, zero), _mm_unpackhi_epi8(t, zero), take, half);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(lo, hi));
  }
#endif
  for (; i < count; ++i) out[i] = MixPixel(from[i], to[i], uint32_t(weight));
}

void DarkenRow(uint32_t* row, size_t count, int32_t weight) {
  size_t i = 0;
#ifdef TOLVEX_SSE2
  const __m128i zero = _mm_setzero_si128();
  const __m128i keep = _mm_set1_epi16(int16_t(256 - weight));
  const __m128i half = _mm_set1_epi16(128);
  for (; i + 4 <= count; i += 4) {
    const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i));
    const __m128i lo = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(p, zero), keep), half), 8);
    const __m128i hi = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(p, zero), keep), half), 8);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(row + i), _mm_packus_epi16(lo, hi));
  }
#endif
  for (; i < count; ++i) row[i] = MixPixel(row[i], 0, uint32_t(weight));
}

}  // namespace slideshow
