// The conversion reads each plane at its own size. Every plane here ends
// where an unreadable page begins, so a read past its last sample is a crash
// rather than a quiet wrong pixel.
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>

#include "codecs/yuv_to_rgb.h"

namespace codecs {
namespace {

class GuardedPlane {
 public:
  // width x height samples of `sampleBytes`, rows `stride` bytes apart, all
  // bytes `fill`; the byte after the last row's last sample is unreadable.
  GuardedPlane(int32_t width, int32_t height, ptrdiff_t stride, int sampleBytes, uint8_t fill)
      : page_(size_t(sysconf(_SC_PAGESIZE))) {
    const size_t bytes = size_t(stride) * size_t(height - 1) + size_t(width) * size_t(sampleBytes);
    const size_t pages = (bytes + page_ - 1) / page_;
    mapped_ = (pages + 1) * page_;
    base_ = static_cast<uint8_t*>(mmap(nullptr, mapped_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    mprotect(base_ + pages * page_, page_, PROT_NONE);
    uint8_t* data = base_ + pages * page_ - bytes;
    std::memset(data, fill, bytes);
    plane_ = {data, stride, width, height};
  }
  GuardedPlane(const GuardedPlane&) = delete;
  GuardedPlane& operator=(const GuardedPlane&) = delete;
  ~GuardedPlane() { munmap(base_, mapped_); }
  const SamplePlane& plane() const { return plane_; }

 private:
  size_t page_, mapped_ = 0;
  uint8_t* base_ = nullptr;
  SamplePlane plane_;
};

struct PlaneSize {
  int32_t width, height;
  ptrdiff_t stride;  // in bytes
};

struct CoverCase {
  const char* name;
  int32_t imageWidth, imageHeight;
  int bitDepth;
  PlaneSize luma, chroma;  // 4:2:0
  bool converts;
};

class PlaneCover : public ::testing::TestWithParam<CoverCase> {};

TEST_P(PlaneCover, ConvertsOnlyPlanesThatCoverThePicture) {
  const CoverCase& c = GetParam();
  const int sampleBytes = c.bitDepth > 8 ? 2 : 1;
  const GuardedPlane y(c.luma.width, c.luma.height, c.luma.stride, sampleBytes, 0x40);
  const GuardedPlane u(c.chroma.width, c.chroma.height, c.chroma.stride, sampleBytes, 0x00);
  const GuardedPlane v(c.chroma.width, c.chroma.height, c.chroma.stride, sampleBytes, 0x00);
  YuvPlanes planes{y.plane(), u.plane(), v.plane(), c.bitDepth, 1, 1};
  Image image(c.imageWidth, c.imageHeight);
  EXPECT_EQ(YuvToRgb(planes, 1, true, image), c.converts);
  EXPECT_EQ(image.pixels.front() != 0, c.converts) << "a refused conversion leaves the picture untouched";
}

INSTANTIATE_TEST_SUITE_P(
    Planes, PlaneCover,
    ::testing::Values(CoverCase{"exact", 8, 6, 8, {8, 6, 8}, {4, 3, 4}, true},
                      CoverCase{"wider_than_the_picture", 8, 6, 8, {16, 6, 16}, {8, 3, 8}, true},
                      CoverCase{"odd_sides_round_chroma_up", 7, 5, 8, {7, 5, 7}, {4, 3, 4}, true},
                      CoverCase{"odd_sides_chroma_a_row_short", 7, 5, 8, {7, 5, 7}, {4, 2, 4}, false},
                      CoverCase{"luma_a_row_short", 8, 6, 8, {8, 5, 8}, {4, 3, 4}, false},
                      CoverCase{"luma_a_column_short", 8, 6, 8, {7, 6, 7}, {4, 3, 4}, false},
                      CoverCase{"chroma_a_row_short", 8, 6, 8, {8, 6, 8}, {4, 2, 4}, false},
                      CoverCase{"chroma_a_column_short", 8, 6, 8, {8, 6, 8}, {3, 3, 3}, false},
                      CoverCase{"ten_bits_a_stride_of_bytes_not_samples", 8, 6, 10, {8, 6, 8}, {4, 3, 8}, false},
                      CoverCase{"ten_bits_exact", 8, 6, 10, {8, 6, 16}, {4, 3, 8}, true}),
    [](const auto& info) { return std::string(info.param.name); });

struct AlphaCase {
  const char* name;
  PlaneSize alpha;  // over an 8 x 6 picture
  bool applied;
};

class AlphaCover : public ::testing::TestWithParam<AlphaCase> {};

TEST_P(AlphaCover, IsLeftOutWhenSmallerThanThePicture) {
  const AlphaCase& c = GetParam();
  const GuardedPlane alpha(c.alpha.width, c.alpha.height, c.alpha.stride, 1, 0x80);
  Image image(8, 6);
  for (uint32_t& p : image.pixels) p = 0xFFFFFF;
  ApplyAlphaPlane(alpha.plane(), 8, true, image);
  const uint32_t expected = c.applied ? 0x808080 : 0xFFFFFF;
  EXPECT_EQ(image.pixels.front(), expected);
  EXPECT_EQ(image.pixels.back(), expected);
}

INSTANTIATE_TEST_SUITE_P(Planes, AlphaCover,
                         ::testing::Values(AlphaCase{"exact", {8, 6, 8}, true},
                                           AlphaCase{"larger", {9, 7, 12}, true},
                                           AlphaCase{"a_row_short", {8, 5, 8}, false},
                                           AlphaCase{"a_column_short", {7, 6, 7}, false},
                                           AlphaCase{"stride_shorter_than_a_row", {8, 6, 4}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace codecs
