#include "codec_test_support.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace codecs::testing {

std::string FixtureDir(const std::string& suite) {
  std::filesystem::path dir = std::filesystem::path(TOLVEX_BINARY_DIR) / "codec_fixtures" / suite;
  std::filesystem::create_directories(dir);
  return dir.string();
}

ByteVector ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return ByteVector(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const ByteVector& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

bool Run(const std::string& command) { return std::system(command.c_str()) == 0; }

std::optional<ByteVector> Capture(const std::string& command) {
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return std::nullopt;
  ByteVector out;
  uint8_t buffer[1 << 16];
  while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) out.insert(out.end(), buffer, buffer + n);
  if (pclose(pipe) != 0) return std::nullopt;
  return out;
}

bool Convert(const std::string& args) { return Run("/usr/bin/convert " + args + " 2>/dev/null"); }

bool ConvertTo(const std::string& src, const std::string& options, const std::string& out) {
  const bool coder = !options.empty() && options.back() == ':';
  const size_t space = options.rfind(' ');
  const size_t split = !coder ? options.size() : space == std::string::npos ? 0 : space + 1;
  return Convert(src + " " + options.substr(0, split) + " " + options.substr(split) + out);
}

namespace {

// Reads the next header number of a PNM file, skipping blanks and comments.
std::optional<int> PnmNumber(const ByteVector& b, size_t& pos) {
  while (pos < b.size() && (std::isspace(b[pos]) || b[pos] == '#')) {
    if (b[pos] == '#') {
      while (pos < b.size() && b[pos] != '\n') ++pos;
    } else {
      ++pos;
    }
  }
  int value = 0;
  size_t start = pos;
  while (pos < b.size() && std::isdigit(b[pos])) value = value * 10 + (b[pos++] - '0');
  if (pos == start) return std::nullopt;
  return value;
}

}  // namespace

std::optional<Image> ParsePnm(const ByteVector& b) {
  if (b.size() < 2 || b[0] != 'P' || (b[1] != '5' && b[1] != '6')) return std::nullopt;
  const int channels = b[1] == '6' ? 3 : 1;
  size_t pos = 2;
  auto w = PnmNumber(b, pos), h = PnmNumber(b, pos), max = PnmNumber(b, pos);
  if (!w || !h || !max || *max != 255) return std::nullopt;
  ++pos;
  if (b.size() - pos < size_t(*w) * size_t(*h) * channels) return std::nullopt;
  Image image(*w, *h);
  for (uint32_t& p : image.pixels) {
    if (channels == 3) {
      p = Rgb(b[pos], b[pos + 1], b[pos + 2]);
    } else {
      p = Rgb(b[pos], b[pos], b[pos]);
    }
    pos += channels;
  }
  return image;
}

std::optional<Image> ConvertDecode(const std::string& file, const std::string& extraOptions) {
  std::optional<ByteVector> out =
      Capture("/usr/bin/convert '" + file + "' " + extraOptions + " -depth 8 ppm:- 2>/dev/null");
  if (!out) return std::nullopt;
  return ParsePnm(*out);
}

Image PhotoLike(int32_t width, int32_t height) {
  Image image(width, height);
  uint32_t seed = 12345;
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      seed = seed * 1103515245u + 12345u;
      const int noise = int((seed >> 16) & 15) - 8;
      const bool edge = ((x / 37) + (y / 23)) % 5 == 0;
      auto clamp = [](int v) { return uint8_t(v < 0 ? 0 : v > 255 ? 255 : v); };
      const int r = x * 255 / std::max(1, width - 1) + noise;
      const int g = y * 255 / std::max(1, height - 1) - noise;
      const int b = edge ? 230 : 128 + ((x * y) % 64) + noise;
      image.row(y)[x] = Rgb(clamp(r), clamp(g), clamp(b));
    }
  }
  return image;
}

void WritePpm(const std::string& path, const Image& image) {
  std::string header = "P6\n" + std::to_string(image.width) + " " + std::to_string(image.height) + "\n255\n";
  ByteVector bytes(header.begin(), header.end());
  for (uint32_t p : image.pixels) {
    bytes.push_back(uint8_t(p >> 16));
    bytes.push_back(uint8_t(p >> 8));
    bytes.push_back(uint8_t(p));
  }
  WriteAll(path, bytes);
}

::testing::AssertionResult SameImage(const std::optional<Image>& actual, const std::optional<Image>& expected,
                                     int tolerance) {
  if (!expected) return ::testing::AssertionFailure() << "no expected picture (oracle failed)";
  if (!actual) return ::testing::AssertionFailure() << "decoder gave nothing";
  if (actual->width != expected->width || actual->height != expected->height) {
    return ::testing::AssertionFailure() << "size " << actual->width << "x" << actual->height << ", expected "
                                         << expected->width << "x" << expected->height;
  }
  for (int32_t y = 0; y < actual->height; ++y) {
    for (int32_t x = 0; x < actual->width; ++x) {
      const uint32_t a = actual->row(y)[x], e = expected->row(y)[x];
      for (int shift = 0; shift <= 24; shift += 8) {
        if (std::abs(int((a >> shift) & 0xFF) - int((e >> shift) & 0xFF)) > tolerance) {
          return ::testing::AssertionFailure() << "pixel (" << x << "," << y << ") is " << std::hex << a
                                               << ", expected " << e;
        }
      }
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace codecs::testing
