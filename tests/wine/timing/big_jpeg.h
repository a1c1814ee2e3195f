#pragma once
// A large JPEG with photo-like detail (smooth gradients under fine texture),
// so that decoding and fitting it cost what a camera picture costs.
#include <cstdint>
#include <string>

namespace timing_test {

void WriteDetailedJpeg(const std::wstring& path, int32_t width, int32_t height);

}  // namespace timing_test
