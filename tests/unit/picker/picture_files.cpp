#include "picture_files.h"

#include <fstream>
#include <random>
#include <stdexcept>

#include "tests/support/jpeg_writer.h"

namespace picker::test {
namespace {

uint32_t BandColour(int x, int width, const std::vector<uint32_t>& bands) {
  return bands[size_t(int64_t(x) * int64_t(bands.size()) / width)];
}

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(uint8_t(v)), out.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) { Put16(out, v), Put16(out, v >> 16); }

}  // namespace

void WriteBitmapFile(const std::filesystem::path& path, int width, int height,
                     const std::vector<uint32_t>& bands) {
  const uint32_t stride = (uint32_t(width) * 3 + 3) & ~3u;
  std::vector<uint8_t> out;
  out.push_back('B'), out.push_back('M');
  Put32(out, 54 + stride * uint32_t(height)), Put32(out, 0), Put32(out, 54);
  Put32(out, 40), Put32(out, uint32_t(width)), Put32(out, uint32_t(height));
  Put16(out, 1), Put16(out, 24);
  for (int i = 0; i < 6; ++i) Put32(out, 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t c = BandColour(x, width, bands);
      out.push_back(uint8_t(c)), out.push_back(uint8_t(c >> 8)), out.push_back(uint8_t(c >> 16));
    }
    out.resize(out.size() + (stride - uint32_t(width) * 3));
  }
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(out.data()),
                                               std::streamsize(out.size()));
}

void WriteJpegFile(const std::filesystem::path& path, int width, int height,
                   const std::vector<uint32_t>& bands) {
  const std::vector<uint8_t> bytes =
      test_support::EncodeRgbJpeg(width, height, 95, [&](int, uint8_t* rgb) {
        for (int x = 0; x < width; ++x) {
          const uint32_t c = BandColour(x, width, bands);
          rgb[size_t(x) * 3] = uint8_t(c >> 16), rgb[size_t(x) * 3 + 1] = uint8_t(c >> 8),
                          rgb[size_t(x) * 3 + 2] = uint8_t(c);
        }
      });
  std::ofstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot write " + path.string());
  file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void WriteTextFile(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

TempFolder::TempFolder() {
  std::random_device random;
  path_ = std::filesystem::temp_directory_path() / ("picker_test_" + std::to_string(random()));
  std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace picker::test
