#pragma once
// The one JPEG writer of the tests and benchmarks (native and under Wine):
// pictures made on the spot, so no fixture file is checked in.
#include <cstdint>
#include <functional>
#include <vector>

namespace test_support {

// Fills row y with RGB samples, three bytes a pixel.
using RgbRowFill = std::function<void(int y, uint8_t* rgb)>;

// A baseline JPEG of width x height at `quality` (1..100).
std::vector<uint8_t> EncodeRgbJpeg(int width, int height, int quality, const RgbRowFill& fill);

// A photograph-like JPEG at quality 90: smooth gradients with grain, so the
// file's entropy (and its decoding time) is that of a real photo. The same
// size gives the same bytes.
std::vector<uint8_t> GrainyPhotoJpeg(int width, int height);

}  // namespace test_support
