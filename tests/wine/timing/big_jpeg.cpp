#include "tests/wine/timing/big_jpeg.h"

#include <windows.h>

#include <stdexcept>
#include <vector>

#include "tests/support/jpeg_writer.h"

namespace timing_test {
namespace {

void PatternRow(uint8_t* row, int32_t width, int32_t y) {
  for (int32_t x = 0; x < width; ++x) {
    const uint32_t noise = (uint32_t(x) * 2654435761u) ^ (uint32_t(y) * 40503u);
    row[size_t(x) * 3 + 0] = uint8_t((x / 24 + y / 16) + (noise >> 28));
    row[size_t(x) * 3 + 1] = uint8_t(((x * y) >> 14) + ((noise >> 20) & 15));
    row[size_t(x) * 3 + 2] = uint8_t(96 + ((noise >> 8) & 63));
  }
}

}  // namespace

void WriteDetailedJpeg(const std::wstring& path, int32_t width, int32_t height) {
  const std::vector<uint8_t> bytes = test_support::EncodeRgbJpeg(
      width, height, 88, [&](int y, uint8_t* row) { PatternRow(row, width, y); });
  const HANDLE file =
      ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create the JPEG file");
  DWORD written = 0;
  const BOOL ok = ::WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
  if (!ok || written != bytes.size()) throw std::runtime_error("cannot write the JPEG file");
}

}  // namespace timing_test
