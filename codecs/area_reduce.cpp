#include "codecs/area_reduce.h"

#include <algorithm>
#include <memory>
#include <vector>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define TOLVEX_RESAMPLE_SSE2 1
#endif

namespace codecs {
namespace {

// Along one axis, source pixel i covers [i * dst, (i + 1) * dst) and output
// pixel x covers [x * src, (x + 1) * src) in the same integer units, so the
// share of every source pixel in an output pixel is an exact integer and the
// shares of one output pixel add up to src.
struct Tap {
  int32_t source;
  uint32_t share;
};

struct AxisTaps {
  std::vector<uint32_t> first;  // per output pixel: index into taps
  std::vector<Tap> taps;
};

AxisTaps TapsFor(int32_t src, int32_t dst) {
  AxisTaps a;
  a.first.reserve(size_t(dst) + 1);
  for (int64_t x = 0; x < dst; ++x) {
    a.first.push_back(uint32_t(a.taps.size()));
    const int64_t begin = x * src, end = begin + src;
    for (int64_t i = begin / dst; i * dst < end && i < src; ++i) {
      const int64_t lo = std::max(begin, i * dst), hi = std::min(end, (i + 1) * dst);
      a.taps.push_back({int32_t(i), uint32_t(hi - lo)});
    }
  }
  a.first.push_back(uint32_t(a.taps.size()));
  return a;
}

// Across a row, the source pixels of one output pixel are a contiguous run
// whose inner pixels are covered whole (share dst); only the two ends count
// by a partial share, so the inner ones are summed without multiplying.
struct Span {
  int32_t first;
  int32_t count;
  uint32_t firstShare, lastShare;
};

std::vector<Span> SpansFor(const AxisTaps& a, size_t outWidth) {
  std::vector<Span> spans(outWidth);
  for (size_t x = 0; x < outWidth; ++x) {
    const Tap* t = &a.taps[a.first[x]];
    const int32_t n = int32_t(a.first[x + 1] - a.first[x]);
    spans[x] = {t[0].source, n, t[0].share, t[n - 1].share};
  }
  return spans;
}

// Channels are summed in pairs: red and blue in one 64-bit word (red at bit
// 32, blue at bit 0) and green on its own.
inline uint64_t RedBlue(uint32_t p) { return (uint64_t(p & 0xFF0000) << 16) | (p & 0xFF); }
inline uint64_t Green(uint32_t p) { return (p >> 8) & 0xFF; }

// The pass across leaves every channel as a 16-bit value with 8 fraction
// bits: channel * 256, averaged.
constexpr int kFractionBits = 8;

void ReduceRow(const uint32_t* src, const std::vector<Span>& spans, int32_t srcWidth,
               uint32_t innerShare, uint16_t* out) {
  // value * 256 / srcWidth as a multiplication by a 32-bit fixed-point
  // reciprocal, rounded to nearest.
  const uint64_t reciprocal = ((uint64_t(1) << (32 + kFractionBits)) + srcWidth - 1) / srcWidth;
  const uint64_t half = uint64_t(1) << 31;
  for (const Span& s : spans) {
    const uint32_t* p = src + s.first;
    uint64_t rb = RedBlue(p[0]) * s.firstShare, g = Green(p[0]) * s.firstShare;
    if (s.count > 1) {
      uint64_t rbInner = 0, gInner = 0;
      for (int32_t k = 1; k < s.count - 1; ++k) {
        rbInner += RedBlue(p[k]);
        gInner += Green(p[k]);
      }
      rb += rbInner * innerShare + RedBlue(p[s.count - 1]) * s.lastShare;
      g += gInner * innerShare + Green(p[s.count - 1]) * s.lastShare;
    }
    out[0] = uint16_t(((rb >> 32) * reciprocal + half) >> 32);
    out[1] = uint16_t((g * reciprocal + half) >> 32);
    out[2] = uint16_t(((rb & 0xFFFFFFFF) * reciprocal + half) >> 32);
    out += 3;
  }
}

#if TOLVEX_RESAMPLE_SSE2
// Whether a row reduces in SSE2's 32-bit lanes as ReduceRow does in 64 bits:
// every share below 2^15 (shares stay below both widths) for the 16-bit
// products, every channel's sum (at most 255 * srcWidth) far below 2^31, and
// the reciprocal below 2^32 for the 32 x 32 -> 64-bit products.
bool ReducesInLanes(int32_t srcWidth, int32_t width) { return srcWidth > 256 && srcWidth < 32768 && width < 32768; }

// ReduceRow with a pixel's four channels in the lanes of one register: the
// same sums (the inner pixels each times the inner share, which adds up to
// their sum times it) and the same rounded quotients.
void ReduceRowInLanes(const uint32_t* src, const std::vector<Span>& spans, int32_t srcWidth,
                      uint32_t innerShare, uint16_t* out) {
  const uint64_t reciprocal = ((uint64_t(1) << (32 + kFractionBits)) + srcWidth - 1) / srcWidth;
  const __m128i zero = _mm_setzero_si128();
  const __m128i lanesReciprocal = _mm_set1_epi32(int(uint32_t(reciprocal)));
  const __m128i half = _mm_set1_epi64x(int64_t(1) << 31);
  const __m128i inner = _mm_set1_epi32(int(innerShare));
  // B, G, R and the spare byte as 16-bit values, each beside a zero, so that
  // a 16-bit multiply-add with (share, 0) pairs gives channel * share.
  const auto channels = [zero](uint32_t p) {
    return _mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(int(p)), zero), zero);
  };
  for (const Span& s : spans) {
    const uint32_t* p = src + s.first;
    __m128i sum = _mm_madd_epi16(channels(p[0]), _mm_set1_epi32(int(s.firstShare)));
    if (s.count > 1) {
      for (int32_t k = 1; k < s.count - 1; ++k) sum = _mm_add_epi32(sum, _mm_madd_epi16(channels(p[k]), inner));
      sum = _mm_add_epi32(sum, _mm_madd_epi16(channels(p[s.count - 1]), _mm_set1_epi32(int(s.lastShare))));
    }
    // Blue and red from the even lanes, green from the odd one.
    const __m128i blueRed = _mm_srli_epi64(_mm_add_epi64(_mm_mul_epu32(sum, lanesReciprocal), half), 32);
    const __m128i green =
        _mm_srli_epi64(_mm_add_epi64(_mm_mul_epu32(_mm_srli_epi64(sum, 32), lanesReciprocal), half), 32);
    out[0] = uint16_t(_mm_cvtsi128_si32(_mm_unpackhi_epi64(blueRed, blueRed)));
    out[1] = uint16_t(_mm_cvtsi128_si32(green));
    out[2] = uint16_t(_mm_cvtsi128_si32(blueRed));
    out += 3;
  }
}
#endif

// round(sum / total) for every sum the rows down can give (below 256 * total,
// with total below 2^23), as a multiplication by a reciprocal rounded up:
// for numerators below 2^31 and total at most 2^bits, the shift 31 + bits
// makes the quotient exact (the rounding error of the reciprocal, times the
// numerator, stays below one step of the shift), and the product fits in 64
// bits. The reciprocal stays below 2^32, so four sums divide at once in SSE2's
// 32 x 32 -> 64-bit products.
class ChannelDivider {
 public:
  explicit ChannelDivider(uint64_t total) : half_(total / 2) {
    int bits = 0;
    while ((uint64_t(1) << bits) < total) ++bits;
    shift_ = 31 + bits;
    reciprocal_ = ((uint64_t(1) << shift_) + total - 1) / total;
  }
  uint32_t operator()(uint64_t sum) const {
    return uint32_t(std::min<uint64_t>(((sum + half_) * reciprocal_) >> shift_, 255));
  }
  // quotients[i] = (*this)(sums[i]) for n values.
  void Divide(const uint32_t* sums, uint32_t* quotients, size_t n) const {
    size_t i = 0;
#if TOLVEX_RESAMPLE_SSE2
    const __m128i half = _mm_set1_epi32(int(uint32_t(half_)));
    const __m128i reciprocal = _mm_set1_epi32(int(uint32_t(reciprocal_)));
    const __m128i shift = _mm_cvtsi32_si128(shift_);
    // The quotients are below 2^16, so the 16-bit minimum saturates them to
    // 255 and leaves the zero upper halves as they are.
    const __m128i most = _mm_set1_epi32(255);
    for (; i + 4 <= n; i += 4) {
      const __m128i rounded = _mm_add_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(sums + i)), half);
      const __m128i even = _mm_srl_epi64(_mm_mul_epu32(rounded, reciprocal), shift);
      const __m128i odd = _mm_srl_epi64(_mm_mul_epu32(_mm_srli_epi64(rounded, 32), reciprocal), shift);
      const __m128i q = _mm_or_si128(even, _mm_slli_epi64(odd, 32));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(quotients + i), _mm_min_epi16(q, most));
    }
#endif
    for (; i < n; ++i) quotients[i] = (*this)(sums[i]);
  }

 private:
  uint64_t half_;
  uint64_t reciprocal_ = 0;
  int shift_ = 0;
};

// sums[i] += row[i] * share for n values; every product fits in 32 bits
// (a share below 2^15, a value below 2^16), formed whole from the low and
// high halves of SSE2's 16-bit products.
void AddWeightedRow(const uint16_t* row, uint32_t share, uint32_t* sums, size_t n) {
  size_t i = 0;
#if TOLVEX_RESAMPLE_SSE2
  const __m128i weight = _mm_set1_epi16(int16_t(share));
  for (; i + 8 <= n; i += 8) {
    const __m128i values = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i));
    const __m128i low = _mm_mullo_epi16(values, weight), high = _mm_mulhi_epu16(values, weight);
    auto* out = reinterpret_cast<__m128i*>(sums + i);
    _mm_storeu_si128(out, _mm_add_epi32(_mm_loadu_si128(out), _mm_unpacklo_epi16(low, high)));
    _mm_storeu_si128(out + 1, _mm_add_epi32(_mm_loadu_si128(out + 1), _mm_unpackhi_epi16(low, high)));
  }
#endif
  for (; i < n; ++i) sums[i] += uint32_t(row[i]) * share;
}

// One source row reduced across into 16-bit channels (see ReduceRow).
void ReduceAcross(const uint32_t* src, const std::vector<Span>& spans, int32_t srcWidth, int32_t width,
                  uint16_t* out) {
#if TOLVEX_RESAMPLE_SSE2
  if (ReducesInLanes(srcWidth, width)) {
    ReduceRowInLanes(src, spans, srcWidth, uint32_t(width), out);
    return;
  }
#endif
  ReduceRow(src, spans, srcWidth, uint32_t(width), out);
}

}  // namespace

struct AreaReducer::Axes {
  std::vector<Span> across;
  AxisTaps down;
  // The shares of one output row add up to the source height (at most
  // 32767), and a reduced channel is at most 255 * 256: every sum fits in
  // 31 bits.
  ChannelDivider channel;
};

AreaReducer::AreaReducer(int32_t sourceWidth, int32_t sourceHeight, uint32_t* out, int32_t width,
                         int32_t height, ptrdiff_t stride)
    : sourceWidth_(sourceWidth), sourceHeight_(sourceHeight), out_(out), width_(width), height_(height),
      stride_(stride) {
  if (width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0) {
    width_ = height_ = 0;
    return;
  }
  axes_ = std::make_unique<Axes>(Axes{SpansFor(TapsFor(sourceWidth, width), size_t(width)),
                                      TapsFor(sourceHeight, height),
                                      ChannelDivider(uint64_t(sourceHeight) << kFractionBits)});
  reduced_.resize(size_t(width) * 3);
  sum_.assign(reduced_.size(), 0);
  quotient_.resize(reduced_.size());
}

AreaReducer::~AreaReducer() = default;

void AreaReducer::AddRow(const uint32_t* row) {
  if (height_ == 0 || done_ == height_) return;
  const AxisTaps& down = axes_->down;
  // The output rows a source row adds to are consecutive, and it adds to
  // each through one tap: the first tap not taken yet, if it names this row.
  if (next_ >= down.taps.size() || down.taps[next_].source != received_) {
    ++received_;
    return;
  }
  ReduceAcross(row, axes_->across, sourceWidth_, width_, reduced_.data());
  const ChannelDivider& channel = axes_->channel;
  while (next_ < down.taps.size() && down.taps[next_].source == received_) {
    AddWeightedRow(reduced_.data(), down.taps[next_].share, sum_.data(), sum_.size());
    ++next_;
    if (next_ == down.first[size_t(done_) + 1]) {
      channel.Divide(sum_.data(), quotient_.data(), sum_.size());
      uint32_t* dst = out_ + ptrdiff_t(done_) * stride_;
      for (int32_t x = 0; x < width_; ++x) {
        const uint32_t* q = &quotient_[size_t(x) * 3];
        dst[x] = (q[0] << 16) | (q[1] << 8) | q[2];
      }
      std::fill(sum_.begin(), sum_.end(), 0);
      ++done_;
    }
  }
  ++received_;
}

}  // namespace codecs
