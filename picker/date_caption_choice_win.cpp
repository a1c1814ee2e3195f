#include "picker/date_caption_choice_win.h"

namespace picker {

void DateCaptionChoice::Attach(HWND comboBox) {
  combo_ = comboBox;
  for (const wchar_t* item : {L"表示しない", L"西暦", L"和暦"})
    ::SendMessageW(combo_, CB_ADDSTRING, 0, LPARAM(item));
}

void DateCaptionChoice::Set(settings::DateCaption caption) {
  ::SendMessageW(combo_, CB_SETCURSEL, WPARAM(caption), 0);
}

settings::DateCaption DateCaptionChoice::Chosen() const {
  const LRESULT index = ::SendMessageW(combo_, CB_GETCURSEL, 0, 0);
  if (index == LRESULT(settings::DateCaption::Western)) return settings::DateCaption::Western;
  if (index == LRESULT(settings::DateCaption::JapaneseEra)) return settings::DateCaption::JapaneseEra;
  return settings::DateCaption::Off;
}

}  // namespace picker
