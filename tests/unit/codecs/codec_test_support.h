#pragma once
// Fixtures for the decoder tests are made at test time, under the build tree,
// by ImageMagick and libjpeg-turbo's tools; their own decode of the same file
// is the expected picture.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "codecs/image.h"

namespace codecs::testing {

using ByteVector = std::vector<uint8_t>;

// A fresh folder for one test suite's fixtures, under the build directory.
std::string FixtureDir(const std::string& suite);

ByteVector ReadAll(const std::string& path);
void WriteAll(const std::string& path, const ByteVector& bytes);

// Runs a shell command; true when it exits with 0.
bool Run(const std::string& command);
// Runs a shell command and returns its standard output, or nothing on failure.
std::optional<ByteVector> Capture(const std::string& command);

// Runs /usr/bin/convert with the arguments (a shell fragment).
bool Convert(const std::string& args);

// Runs convert from src into out. Options may end with an output coder
// ("-colors 16 bmp3:"), which is put in front of the output's name.
bool ConvertTo(const std::string& src, const std::string& options, const std::string& out);

// Parses a binary PPM (P6) or PGM (P5) of 8-bit samples.
std::optional<Image> ParsePnm(const ByteVector& bytes);

// ImageMagick's decode of a file as 8-bit RGB; extraOptions go before the
// output, e.g. "-auto-orient" or "-background black -flatten".
std::optional<Image> ConvertDecode(const std::string& file, const std::string& extraOptions = "");

// A photo-like test picture: smooth gradients with fine detail and edges.
Image PhotoLike(int32_t width, int32_t height);
// Writes an Image as a binary PPM file (input for convert and cjpeg).
void WritePpm(const std::string& path, const Image& image);

// Pixel-for-pixel comparison that names the first differing pixel.
::testing::AssertionResult SameImage(const std::optional<Image>& actual, const std::optional<Image>& expected,
                                     int tolerance = 0);

}  // namespace codecs::testing
