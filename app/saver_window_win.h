#pragma once
// TForm1, the one window of the saver and preview modes: full screen and top
// most in saver mode, a child of the preview window in preview mode. It owns
// the settings it read, the picture list, the back buffer and the picture,
// and the three timers of the show. Any key, mouse button, a mouse move of
// more than 10 pixels on an axis, or the activation of another window closes
// it (saver mode only); closing is always a posted request, never a destroy
// inside the handler that noticed the input.
//
// The slideshow engine plugs in at FormPaint (list and picture),
// Timer1Timer (one frame into backBuffer), tmComTimer (the ticker) and
// tmGamenTimer (LoadPicture); the motion and animation state below is the
// engine's and is only initialised here.
#include <windows.h>

#include <memory>

#include "codecs/image.h"
#include "platform/dib_canvas_win.h"
#include "platform/form_win.h"
#include "platform/timer_win.h"
#include "settings/saver_settings.h"
#include "slideshow/animation_strip.h"
#include "slideshow/composition.h"
#include "slideshow/floating_motion.h"
#include "slideshow/picture_list.h"

namespace app {

class TForm1 : public platform::Form {
 public:
  static constexpr wchar_t kClassName[] = L"TForm1";
  static constexpr uint32_t kTimer1Interval = 50;
  static constexpr uint32_t kTmComInterval = 200;

  TForm1();
  ~TForm1() override;

  // The bounce sound; silent in preview mode.
  void PlaySoundEffect();
  // Stretches the whole backBuffer onto the whole window.
  void PresentFrame();
  // backBuffer's pixels for the show's composition.
  slideshow::PixelView BackBufferView();

 protected:
  void CreateParams(platform::CreateParamsData& params) override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnShow() override { FormShow(); }
  void OnPaint() override { FormPaint(); }
  void OnKeyDown(UINT key) override { FormKeyDown(key); }
  void OnMouseDown(UINT button, int x, int y) override { FormMouseDown(button, x, y); }
  void OnMouseMove(int x, int y) override { FormMouseMove(x, y); }

 private:
  void FormCreate();
  void FormShow();
  void FormPaint();
  void FormKeyDown(UINT key);
  void FormMouseDown(UINT button, int x, int y);
  void FormMouseMove(int x, int y);
  void FormDestroy();
  void Timer1Timer();
  void tmComTimer();
  void tmGamenTimer();
  LRESULT HandleActivate(WPARAM wParam);
  LRESULT HandleEraseBkgnd();
  LRESULT HandleSysCommand(WPARAM wParam, LPARAM lParam);
  bool InPreview() const;
  void PresentOn(HDC target);

  platform::Timer Timer1{*this, [this] { Timer1Timer(); }};
  platform::Timer tmCom{*this, [this] { tmComTimer(); }};
  platform::Timer tmGamen{*this, [this] { tmGamenTimer(); }};

  settings::SaverSettings saverSettings;
  std::unique_ptr<slideshow::PictureList> pictureList;
  POINT startCursorPos{};
  HCURSOR savedCursor = nullptr;
  platform::DibCanvas backBuffer;
  codecs::Image pictureBitmap;
  slideshow::MotionState motion;
  slideshow::AnimationState animation;
};

}  // namespace app
