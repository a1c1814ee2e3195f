// Layers composed whole (ComposeLayers) against a plain per-pixel model of
// what a layer means, and FrameComposer against ComposeLayers: whatever the
// frames, each update leaves on the window exactly the frame composed whole.
#include "slideshow/frame_layers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "fake_saver_host.h"
#include "slideshow/composition.h"

namespace slideshow {
namespace {

constexpr Size kScreen{48, 32};

using testing::TestBuffer;

codecs::Image Gradient(int32_t w, int32_t h, uint32_t seed) {
  codecs::Image img(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x)
      img.row(y)[x] = codecs::Rgb(uint8_t(x * 255 / std::max(1, w - 1)), uint8_t(y * 255 / std::max(1, h - 1)),
                                  uint8_t(seed * 40 + (x ^ y) % 7));
  return img;
}

// Text-like drawing: each pixel depends on the one under it.
void Ink(const PixelView& b, Rect r, uint32_t ink) {
  r = Intersection(r, b.bounds());
  for (int32_t y = r.top; y < r.bottom; ++y)
    for (int32_t x = r.left; x < r.right; ++x)
      if ((x + 2 * y) % 3 != 0) b.row(y)[x] = (b.row(y)[x] >> 1 & 0x7F7F7F) + ink;
}

TextLayer TextAt(const PixelView& b, Rect r, uint32_t ink, double opacity, uint64_t revision) {
  return {r, revision, [b, r, ink] { Ink(b, r, ink); }, opacity};
}

// What a layer means, pixel by pixel in floating point: the picture sampled
// between its four nearest pixels at the buffer pixel's centre, mixed over
// what lies under it by the opacity.
double Channel(uint32_t p, int shift) { return double(p >> shift & 0xFF); }

uint32_t Sample(const codecs::Image& img, double sx, double sy) {
  sx = std::clamp(sx, 0.0, double(img.width - 1));
  sy = std::clamp(sy, 0.0, double(img.height - 1));
  const int32_t x0 = int32_t(sx), y0 = int32_t(sy);
  const int32_t x1 = std::min(x0 + 1, img.width - 1), y1 = std::min(y0 + 1, img.height - 1);
  const double fx = sx - x0, fy = sy - y0;
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const double top = Channel(img.row(y0)[x0], shift) * (1 - fx) + Channel(img.row(y0)[x1], shift) * fx;
    const double bottom = Channel(img.row(y1)[x0], shift) * (1 - fx) + Channel(img.row(y1)[x1], shift) * fx;
    out |= uint32_t(std::lround(top * (1 - fy) + bottom * fy)) << shift;
  }
  return out;
}

uint32_t Over(uint32_t under, uint32_t over, double opacity) {
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8)
    out |= uint32_t(std::lround(Channel(under, shift) * (1 - opacity) + Channel(over, shift) * opacity)) << shift;
  return out;
}

void ModelPicture(std::vector<uint32_t>& out, const PictureLayer& l) {
  for (int32_t y = 0; y < kScreen.height; ++y)
    for (int32_t x = 0; x < kScreen.width; ++x) {
      const double cx = x + 0.5, cy = y + 0.5;
      if (cx < l.dest.left || cx >= l.dest.right || cy < l.dest.top || cy >= l.dest.bottom) continue;
      const double sx = l.source.left + (cx - l.dest.left) * l.source.width() / l.dest.width() - 0.5;
      const double sy = l.source.top + (cy - l.dest.top) * l.source.height() / l.dest.height() - 0.5;
      uint32_t& p = out[size_t(y * kScreen.width + x)];
      p = Over(p, l.image ? Sample(*l.image, sx, sy) : 0, l.opacity);
    }
}

int Difference(uint32_t a, uint32_t b) {
  int most = 0;
  for (int shift = 0; shift <= 24; shift += 8) most = std::max(most, std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)));
  return most;
}

struct LayerCase {
  const char* name;
  std::vector<PictureLayer> pictures;
  Rect text;
  double textOpacity;
};

const codecs::Image kSmall = Gradient(12, 8, 1), kLarge = Gradient(100, 70, 2);

class LayerComposition : public ::testing::TestWithParam<LayerCase> {};

TEST_P(LayerComposition, ComposedWholeMeansWhatEachLayerSays) {
  const LayerCase& c = GetParam();
  TestBuffer b(kScreen);
  FrameLayers frame{c.pictures, {}};
  if (!c.text.empty()) frame.texts.push_back(TextAt(b.view, c.text, 0x304050, c.textOpacity, 1));
  ComposeLayers(b.view, frame);
  std::vector<uint32_t> model(b.pixels.size(), 0);
  for (const PictureLayer& l : c.pictures) ModelPicture(model, l);
  if (!c.text.empty()) {
    TestBuffer inked(kScreen);
    std::copy(model.begin(), model.end(), inked.pixels.begin());
    Ink(inked.view, c.text, 0x304050);
    for (size_t i = 0; i < model.size(); ++i) model[i] = Over(model[i], inked.pixels[i], c.textOpacity);
  }
  // Fixed-point weights round twice; a copy at full opacity is exact.
  const int tolerance = c.pictures.size() == 1 && c.pictures[0].opacity == 1 &&
                                c.pictures[0].source.width() == c.pictures[0].dest.width()
                            ? 0
                            : 2;
  for (size_t i = 0; i < model.size(); ++i)
    ASSERT_LE(Difference(b.pixels[i], model[i]), tolerance)
        << c.name << " at " << i % kScreen.width << ", " << i / kScreen.width << std::hex << ": " << b.pixels[i]
        << " for " << model[i];
}

INSTANTIATE_TEST_SUITE_P(
    Layers, LayerComposition,
    ::testing::Values(
        LayerCase{"OneToOne", {{&kSmall, {0, 0, 12, 8}, {5, 3, 17, 11}, 1}}, {}, 1},
        LayerCase{"OneToOneHalfOpaque", {{&kSmall, {2, 1, 12, 8}, {-3, 20, 7, 27}, 0.5}}, {}, 1},
        LayerCase{"FractionalEnlarged", {{&kSmall, {0.5, 0.25, 11.5, 7.75}, {3.3, 2.7, 40.1, 29.6}, 1}}, {}, 1},
        LayerCase{"ReducedPastEveryEdge", {{&kLarge, {0, 0, 100, 70}, {-10.4, -6.2, 55.7, 38.9}, 1}}, {}, 1},
        // A fade between two pictures drawn one to one, the incoming within the
        // outgoing and past its edge.
        LayerCase{"CrossfadeOneToOne", {{&kLarge, {0, 0, 48, 32}, {0, 0, 48, 32}, 1}, {&kSmall, {0, 0, 12, 8}, {7, 5, 19, 13}, 0.4}}, {}, 1},
        LayerCase{"CrossfadePastTheEdge", {{&kSmall, {0, 0, 12, 8}, {5, 3, 17, 11}, 1}, {&kSmall, {0, 0, 12, 8}, {9, 6, 21, 14}, 0.6}}, {}, 1},
        LayerCase{"CrossfadeWithBackground",
                  {{&kSmall, {0, 0, 12, 8}, {2, 2, 14, 10}, 1},
                   {nullptr, {0, 0, 48, 4}, {0, 0, 48, 4}, 0.3},
                   {nullptr, {0, 4, 10, 32}, {0, 4, 10, 32}, 0.3},
                   {&kLarge, {10, 5, 90, 65}, {10, 4, 48, 32}, 0.3}},
                  {},
                  1},
        LayerCase{"TextOverPictures",
                  {{&kLarge, {0, 0, 100, 70}, {0, 0, 48, 32}, 1}, {&kSmall, {0, 0, 12, 8}, {30.5, 20.5, 46.5, 30.5}, 0.75}},
                  {20, 18, 48, 30},
                  1},
        LayerCase{"FadingTextOverAFadingPicture",
                  {{&kSmall, {0, 0, 12, 8}, {1.25, 1.5, 47.75, 31}, 0.6}},
                  {0, 10, 40, 22},
                  0.35}),
    [](const auto& info) { return std::string(info.param.name); });

// A run of frames of every kind: plain ones that move, crossfades of one
// picture over another with its background, pan & zoom, text over all.
std::vector<FrameLayers> Frames(const PixelView& b) {
  std::vector<FrameLayers> frames;
  const auto plain = [&](int32_t x, int32_t y, uint64_t ticker) {
    return FrameLayers{{{&kSmall, {0, 0, 12, 8}, ToRectF({x, y, x + 12, y + 8}), 1}},
                       {TextAt(b, {30, 24, 46, 29}, 0x101010, 1, 1), TextAt(b, {0, int32_t(ticker % 30), 40, int32_t(ticker % 30) + 6}, 0x204000, 1, 100 + ticker)}};
  };
  for (int32_t i = 0; i < 4; ++i) frames.push_back(plain(2 + i, 3, uint64_t(i / 2)));
  for (int32_t i = 1; i <= 4; ++i) {
    const double in = i / 5.0;
    FrameLayers f{{{&kSmall, {0, 0, 12, 8}, ToRectF({5, 3, 17, 11}), 1}}, {}};
    for (const Rect& r : Subtract({0, 0, 48, 32}, {20, 10, 32, 18})) f.pictures.push_back({nullptr, ToRectF(r), ToRectF(r), in});
    f.pictures.push_back({&kSmall, {0, 0, 12, 8}, ToRectF({20, 10, 32, 18}), in});
    f.texts = {TextAt(b, {30, 24, 46, 29}, 0x101010, 1 - in, 1), TextAt(b, {0, 5, 40, 11}, 0x204000, in, 2),
               TextAt(b, {0, 0, 40, 6}, 0x204000, 1, 200)};
    frames.push_back(f);
  }
  for (int32_t i = 0; i < 3; ++i) frames.push_back(plain(20, 10 + i, 3));
  for (int32_t i = 0; i < 3; ++i)
    frames.push_back({{{&kLarge, {0, 0, 100, 70}, {-3.0 - i * 0.4, -2.0 - i * 0.3, 50.0 + i * 0.2, 35.0 + i * 0.1}, 1}},
                      {TextAt(b, {0, 0, 40, 6}, 0x204000, 1, 300)}});
  frames.push_back(plain(0, 0, 4));
  frames.push_back(plain(1, 0, 4));
  return frames;
}

class LayeredFrames : public ::testing::TestWithParam<bool> {};

TEST_P(LayeredFrames, EveryUpdateLeavesTheFrameComposedWholeOnTheWindow) {
  TestBuffer b(kScreen), ref(kScreen);
  std::vector<uint32_t> window(b.pixels.size(), 0xABCDEF);
  FrameComposer composer(b.view, GetParam());
  composer.ClearAll();
  const std::vector<FrameLayers> frames = Frames(b.view), refFrames = Frames(ref.view);
  for (size_t i = 0; i < frames.size(); ++i) {
    // The picture of the plain frames goes when the crossfade begins and
    // ends, as the show tells the composer.
    if (i == 4 || i == 8) composer.PictureChanging();
    composer.Compose(frames[i]);
    testing::ApplyUpdate(composer.TakeUpdate(), b.view, window);
    ComposeLayers(ref.view, refFrames[i]);
    ASSERT_EQ(window, ref.pixels) << "frame " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(PictureToWindowAndInBuffer, LayeredFrames, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "PictureToWindow" : "InBuffer"; });

TEST(AsPlainFrame, TakesOnlyOneOpaquePictureCopiedOneToOne) {
  const struct {
    PictureLayer layer;
    bool plain;
  } cases[] = {{{&kSmall, {0, 0, 12, 8}, {3, 4, 15, 12}, 1}, true},
               {{&kSmall, {0, 0, 12, 8}, {3, 4, 15, 12}, 0.99}, false},
               {{&kSmall, {0, 0, 12, 8}, {3.5, 4, 15.5, 12}, 1}, false},
               {{&kSmall, {0, 0, 12, 8}, {3, 4, 16, 12}, 1}, false},
               {{nullptr, {0, 0, 12, 8}, {3, 4, 15, 12}, 1}, false}};
  for (const auto& c : cases) EXPECT_EQ(AsPlainFrame({{c.layer}, {}}).has_value(), c.plain);
  EXPECT_FALSE(AsPlainFrame({{cases[0].layer, cases[0].layer}, {}}));
  EXPECT_FALSE(AsPlainFrame({{cases[0].layer}, {TextLayer{{}, 0, {}, 0.5}}}));
}

}  // namespace
}  // namespace slideshow
