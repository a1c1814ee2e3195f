#include "picture_files.h"

#include <cstdio>
#include <fstream>
#include <random>
#include <stdexcept>

#include <jpeglib.h>

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
  FILE* file = std::fopen(path.string().c_str(), "wb");
  if (!file) throw std::runtime_error("cannot write " + path.string());
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  info.image_width = JDIMENSION(width);
  info.image_height = JDIMENSION(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row(size_t(width) * 3);
  for (int x = 0; x < width; ++x) {
    const uint32_t c = BandColour(x, width, bands);
    row[size_t(x) * 3] = JSAMPLE(c >> 16), row[size_t(x) * 3 + 1] = JSAMPLE(c >> 8),
                    row[size_t(x) * 3 + 2] = JSAMPLE(c);
  }
  JSAMPROW rows[1] = {row.data()};
  while (info.next_scanline < info.image_height) jpeg_write_scanlines(&info, rows, 1);
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::fclose(file);
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
