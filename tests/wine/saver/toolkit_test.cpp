// The toolkit rules the saver builds on, in the test's own process: the timer
// rules of the show and the pixel layout of the drawing surface.
#include <gtest/gtest.h>

#include <functional>

#include "platform/application_win.h"
#include "platform/dib_canvas_win.h"
#include "platform/form_win.h"
#include "platform/timer_win.h"
#include "tests/wine/driver/wait.h"

namespace {

constexpr DWORD kTimeoutMs = 5000;

class TestForm : public platform::Form {
 public:
  TestForm() {
    platform::Application::Instance().Initialize(::GetModuleHandleW(nullptr));
    CreateHandle();
  }

 protected:
  void CreateParams(platform::CreateParamsData& params) override {
    Form::CreateParams(params);
    params.className = L"TolvexTestForm";
  }
};

struct Counted {
  int ticks = 0;
};

// A second timer paces the checks, so no test relies on how long it sleeps.
class TimerRules : public testing::Test {
 protected:
  TestForm form;
  Counted watched, pace;
  platform::Timer timer{form, [this] { ++watched.ticks; }};
  std::function<void()> onPace;
  platform::Timer pacer{form, [this] {
                          ++pace.ticks;
                          if (onPace) onPace();
                        }};

  void StartPacer() {
    pacer.SetInterval(50);
    pacer.SetEnabled(true);
  }
  bool PaceTicks(int n) {
    return driver::WaitUntil([&] { return pace.ticks >= n; }, kTimeoutMs);
  }
};

TEST_F(TimerRules, IntervalZeroNeverFiresEvenWhenOn) {
  timer.SetInterval(0);
  timer.SetEnabled(true);
  StartPacer();
  ASSERT_TRUE(PaceTicks(6));
  EXPECT_EQ(watched.ticks, 0);
}

TEST_F(TimerRules, SettingTheValuesItHasKeepsTheCountdown) {
  timer.SetInterval(300);
  timer.SetEnabled(true);
  onPace = [this] {
    timer.SetInterval(300);
    timer.SetEnabled(true);
  };
  StartPacer();
  EXPECT_TRUE(driver::WaitUntil([&] { return watched.ticks > 0; }, kTimeoutMs));
}

TEST_F(TimerRules, ARealChangeStartsTheCountdownAfresh) {
  timer.SetInterval(300);
  timer.SetEnabled(true);
  onPace = [this] { timer.SetInterval(timer.Interval() == 300 ? 301 : 300); };
  StartPacer();
  ASSERT_TRUE(PaceTicks(16));
  EXPECT_EQ(watched.ticks, 0);
}

TEST_F(TimerRules, SwitchedOffItStaysSilentAndOnAgainItTicks) {
  timer.SetInterval(60);
  timer.SetEnabled(true);
  timer.SetEnabled(false);
  StartPacer();
  ASSERT_TRUE(PaceTicks(6));
  EXPECT_EQ(watched.ticks, 0);
  timer.SetEnabled(true);
  EXPECT_TRUE(driver::WaitUntil([&] { return watched.ticks > 0; }, kTimeoutMs));
}

TEST(DibCanvas, PixelsAreTopDownRrggbbLikeTheImageType) {
  platform::DibCanvas canvas(4, 3);
  EXPECT_EQ(canvas.Row(2)[3], 0u) << "a new canvas is black";
  ::SetPixel(canvas.Dc(), 0, 0, RGB(255, 0, 0));
  ::SetPixel(canvas.Dc(), 3, 2, RGB(0, 0, 255));
  ::SetPixel(canvas.Dc(), 1, 2, RGB(0x12, 0x34, 0x56));
  EXPECT_EQ(canvas.Row(0)[0], 0x00FF0000u);
  EXPECT_EQ(canvas.Row(2)[3], 0x000000FFu);
  EXPECT_EQ(canvas.Row(2)[1], 0x00123456u);
}

TEST(DibCanvas, PresentCopiesAtTheSameSizeAndShrinksTheWholeCanvas) {
  platform::DibCanvas source(40, 40);
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 40; ++x) source.Row(y)[x] = x < 20 ? 0x00FF0000u : 0x000000FFu;
  }
  platform::DibCanvas same(40, 40);
  source.PresentTo(same.Dc(), 40, 40);
  EXPECT_EQ(same.Row(39)[19], 0x00FF0000u);
  EXPECT_EQ(same.Row(0)[20], 0x000000FFu);

  platform::DibCanvas small(10, 10);
  source.PresentTo(small.Dc(), 10, 10);
  EXPECT_GT(small.Row(5)[1] >> 16, 0xC0u) << "left half red";
  EXPECT_GT(small.Row(5)[8] & 0xFFu, 0xC0u) << "right half blue";
}

TEST(DibCanvas, TextIsDrawnOnThePixelsInTheChosenColour) {
  platform::DibCanvas canvas(200, 40);
  LOGFONTW font{};
  font.lfHeight = -20;
  wcscpy_s(font.lfFaceName, L"Tahoma");
  canvas.SetFont(font);
  const SIZE extent = canvas.MeasureText(L"ABC");
  EXPECT_GT(extent.cx, 0);
  EXPECT_GT(extent.cy, 0);
  canvas.DrawTextLine(0, 0, L"ABC", RGB(0, 255, 0));
  int green = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = extent.cx; x < 200; ++x) EXPECT_EQ(canvas.Row(y)[x], 0u) << "past the text";
    for (int x = 0; x < extent.cx; ++x) green += canvas.Row(y)[x] == 0x0000FF00u;
  }
  EXPECT_GT(green, 10);
}

}  // namespace
