#pragma once
// Reduces a picture to a smaller size by area averaging: every output pixel
// is the mean of the source area it covers, partly covered source pixels
// counting by the share they cover. Separable and in exact integer coverage
// units; the rows may arrive one at a time, top to bottom, as a decoder
// makes them, so a large picture never needs to be held whole.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace codecs {

class AreaReducer {
 public:
  // Reduces a picture of sourceWidth x sourceHeight into the width x height
  // pixels at `out` (0x00RRGGBB, `stride` pixels from one row to the next).
  // A larger size enlarges blockwise by the same coverage rule; a size of 0
  // on either side writes nothing.
  AreaReducer(int32_t sourceWidth, int32_t sourceHeight, uint32_t* out, int32_t width, int32_t height,
              ptrdiff_t stride);
  ~AreaReducer();
  AreaReducer(const AreaReducer&) = delete;
  AreaReducer& operator=(const AreaReducer&) = delete;

  // The next source row, sourceWidth pixels; each output row is written as
  // soon as the last source row it covers has come. Rows past the last are
  // ignored.
  void AddRow(const uint32_t* row);
  // Whether every output row has been written.
  bool Done() const { return done_ == height_; }

 private:
  struct Axes;
  int32_t sourceWidth_, sourceHeight_;
  uint32_t* out_;
  int32_t width_, height_;
  ptrdiff_t stride_;
  std::unique_ptr<Axes> axes_;
  std::vector<uint16_t> reduced_;
  std::vector<uint32_t> sum_, quotient_;
  size_t next_ = 0;  // the first tap down not taken yet
  int32_t received_ = 0, done_ = 0;
};

}  // namespace codecs
