#pragma once
// The per-pixel arithmetic of layers drawn at less than full opacity, on rows
// of 0x00RRGGBB pixels. An opacity is a weight from 0 (nothing of the new
// pixel) to 256 (the new pixel exactly); each channel becomes
// (old x (256 - a) + new x a + 128) / 256, so the ends are exact. SSE2 does
// four pixels at a time and gives the same result as the plain loop.
#include <cstddef>
#include <cstdint>

namespace slideshow {

inline constexpr int32_t kOpaque = 256;

// The weight of an opacity from 0 to 1; anything above 1 is opaque.
int32_t OpacityWeight(double opacity);

// out[i] = from[i] mixed towards to[i] by `weight`. `out` may be `from` or `to`.
void MixRow(uint32_t* out, const uint32_t* from, const uint32_t* to, size_t count, int32_t weight);

// Each pixel mixed towards black by `weight`.
void DarkenRow(uint32_t* row, size_t count, int32_t weight);

// One channel's mix, the rule every kernel follows.
constexpr uint32_t MixChannel(uint32_t from, uint32_t to, uint32_t weight) {
  return (from * (256 - weight) + to * weight + 128) >> 8;
}

constexpr uint32_t MixPixel(uint32_t from, uint32_t to, uint32_t weight) {
  return MixChannel(from & 0xFF, to & 0xFF, weight) | MixChannel(from >> 8 & 0xFF, to >> 8 & 0xFF, weight) << 8 |
         MixChannel(from >> 16 & 0xFF, to >> 16 & 0xFF, weight) << 16;
}

}  // namespace slideshow
