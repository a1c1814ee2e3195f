#pragma once
// The small mark that tells the viewer the switching has paused, or goes on
// again: two bars, or a triangle, near the top right-hand corner of the
// screen, half transparent, for two seconds from the key on.
#include <cstdint>
#include <optional>

#include "slideshow/frame_layers.h"
#include "slideshow/pixel_view.h"

namespace slideshow {

class PauseMark {
 public:
  static constexpr int64_t kShownNs = 2'000'000'000;

  void Show(bool paused, int64_t nowNs);
  // The mark's layer over `buffer` at `nowNs`; nothing once its time is up.
  std::optional<TextLayer> LayerAt(int64_t nowNs, const PixelView& buffer) const;

 private:
  bool paused_ = false;
  std::optional<int64_t> sinceNs_;
  uint64_t revision_ = 0;
};

}  // namespace slideshow
