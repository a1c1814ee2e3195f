#include "tests/support/jpeg_writer.h"

#include <cstdio>  // jpeglib.h needs FILE
#include <cstdlib>
#include <random>

#include <jpeglib.h>

namespace test_support {

std::vector<uint8_t> EncodeRgbJpeg(int width, int height, int quality, const RgbRowFill& fill) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = JDIMENSION(width);
  info.image_height = JDIMENSION(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row(size_t(width) * 3);
  for (int y = 0; y < height; ++y) {
    fill(y, row.data());
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<uint8_t> bytes(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return bytes;
}

std::vector<uint8_t> GrainyPhotoJpeg(int width, int height) {
  std::mt19937 random(6);
  return EncodeRgbJpeg(width, height, 90, [&](int y, uint8_t* rgb) {
    for (int x = 0; x < width; ++x) {
      const int grain = int(random() % 24);
      rgb[size_t(x) * 3] = uint8_t((x * 255 / width + grain) & 0xFF);
      rgb[size_t(x) * 3 + 1] = uint8_t((y * 255 / height + grain) & 0xFF);
      rgb[size_t(x) * 3 + 2] = uint8_t(((x + y) / 40 % 2 ? 200 : 60) + grain);
    }
  });
}

}  // namespace test_support
