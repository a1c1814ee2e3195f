#include "settings/settings_dialog_win.h"

#include <commctrl.h>
#include <commdlg.h>

#include "platform/application_win.h"
#include "platform/control_behaviour_win.h"
#include "platform/japanese_font_win.h"
#include "platform/utf16.h"
#include "resources/setup_ids.h"

namespace settings {
namespace {

// FormPaint: the outer height is the preview's bottom plus this, in 96-dpi
// pixels (214 with the form's layout).
constexpr int kHeightBelowPreview = 30;

static_assert(FontChoice::kAnyCharSet == DEFAULT_CHARSET);

const wchar_t kFormFace[] = L"ＭＳ Ｐゴシック";

int ScreenPixelsPerInch() {
  const platform::WindowDc screen(nullptr);
  return ::GetDeviceCaps(screen.get(), LOGPIXELSY);
}

std::string CurrentDirectory() {
  const DWORD needed = ::GetCurrentDirectoryW(0, nullptr);
  std::wstring directory(needed, L'\0');
  directory.resize(::GetCurrentDirectoryW(needed, directory.data()));
  return platform::Utf8FromWide(directory);
}

}  // namespace

TfrmSet::TfrmSet(RegistryOpener& registry) : logic_(registry, *this) { Create(IDD_SETUP); }

void TfrmSet::SetCompanions(PictureSelectionPort* frmDir, platform::Dialog* frmAd) {
  frmDir_ = frmDir;
  frmAd_ = frmAd;
}

void TfrmSet::OnInitDialog() {
  SetControlFont(IDC_SETUP_LBTIME, {kFormFace, 13});
  SetControlFont(IDC_SETUP_EDTIME, {kFormFace, 15});
  SetControlFont(IDC_SETUP_LBEDIT, {kFormFace, 15});
  SetControlFont(IDC_SETUP_VERSION, {kFormFace, 12, FW_BOLD});
  SetControlFont(IDC_SETUP_MEEDIT, {kFormFace, 16});
  for (int label : {IDC_SETUP_LBTIME, IDC_SETUP_LBEDIT, IDC_SETUP_VERSION}) SetAutoSize(label);
  platform::MakeSpeedButton(Item(IDC_SETUP_SBREADME));
  platform::MakeDisplayOnly(Item(IDC_SETUP_MECOM));
  const HWND upDown = Item(IDC_SETUP_UDTIME);
  ::SendMessageW(upDown, UDM_SETBUDDY, WPARAM(Item(IDC_SETUP_EDTIME)), 0);
  ::SendMessageW(upDown, UDM_SETRANGE32, kMinSwitchSeconds, kMaxSwitchSeconds);
  ::SendMessageW(upDown, UDM_SETPOS32, 0, 5);
  SetChecked(IDC_SETUP_RBMOVE, true);
  SetChecked(IDC_SETUP_RBBEEP, true);
}

void TfrmSet::OnLayout() {
  if (previewFontHandle_) ApplyPreviewFont();
}

void TfrmSet::OnCommand(int id, int code, HWND) {
  switch (id) {
    case IDC_SETUP_MEEDIT:
      if (code == EN_CHANGE) meEditChange();
      break;
    case IDC_SETUP_BTFONT:
      if (code == BN_CLICKED) btFontClick();
      break;
    case IDC_SETUP_BTCLOSE:
      if (code == BN_CLICKED) btCloseClick();
      break;
    case IDC_SETUP_BTFOLDER:
      if (code == BN_CLICKED) btFolderClick();
      break;
    case IDC_SETUP_SBREADME:
      if (code == BN_CLICKED) sbReadMeClick();
      break;
    case IDC_SETUP_BTEFFECTS:
      if (code == BN_CLICKED) btEffectsClick();
      break;
    default:
      break;
  }
}

// The preview shows the message in its own colour on black.
INT_PTR TfrmSet::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if ((message == WM_CTLCOLORSTATIC || message == WM_CTLCOLOREDIT) &&
      reinterpret_cast<HWND>(lParam) == Item(IDC_SETUP_MECOM)) {
    const HDC dc = reinterpret_cast<HDC>(wParam);
    ::SetTextColor(dc, COLORREF(previewFont_.color));
    ::SetBkColor(dc, RGB(0, 0, 0));
    return reinterpret_cast<INT_PTR>(::GetStockObject(BLACK_BRUSH));
  }
  return Dialog::HandleMessage(message, wParam, lParam);
}

// The program shows no task-bar button: the application window that carries
// it is hidden.
void TfrmSet::FormShow() {
  ::ShowWindow(platform::Application::Instance().Handle(), SW_HIDE);
  logic_.FormShow(CurrentDirectory());
}

void TfrmSet::FormPaint() {
  RECT preview;
  ::GetWindowRect(Item(IDC_SETUP_MECOM), &preview);
  ::MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&preview), 2);
  RECT window;
  ::GetWindowRect(Handle(), &window);
  const int height = preview.bottom + Scale(kHeightBelowPreview);
  if (window.bottom - window.top == height) return;
  ::SetWindowPos(Handle(), nullptr, 0, 0, window.right - window.left, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmSet::btFontClick() {
  const FontChoice preset = logic_.FontPreset();
  const int pixelsPerInch = ScreenPixelsPerInch();
  LOGFONTW font{};
  font.lfHeight = -::MulDiv(preset.pointTenths, pixelsPerInch, 720);
  font.lfWeight = preset.weight;
  font.lfItalic = preset.italic;
  font.lfUnderline = preset.underline;
  font.lfStrikeOut = preset.strikeOut;
  font.lfCharSet = preset.charSet;
  platform::JapaneseFace(platform::WideFromUtf8(preset.face)).copy(font.lfFaceName, LF_FACESIZE - 1);
  CHOOSEFONTW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = Handle();
  dialog.lpLogFont = &font;
  dialog.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
  dialog.rgbColors = COLORREF(preset.color);
  const bool confirmed = ::ChooseFontW(&dialog) != FALSE;
  if (confirmed) {
    FontChoice choice;
    choice.face = platform::Utf8FromWide(font.lfFaceName);
    choice.pointTenths = dialog.iPointSize;
    choice.color = uint32_t(dialog.rgbColors);
    choice.weight = font.lfWeight;
    choice.italic = font.lfItalic != 0;
    choice.underline = font.lfUnderline != 0;
    choice.strikeOut = font.lfStrikeOut != 0;
    choice.charSet = font.lfCharSet;
    logic_.FontChosen(choice);
  }
  ::InvalidateRect(Handle(), nullptr, TRUE);
}

// A failing write throws out of here before the close: the error box shows
// the store's message and the dialog stays open.
void TfrmSet::btCloseClick() {
  logic_.SaveMessageSettings();
  ::PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

void TfrmSet::btFolderClick() {
  if (frmDir_) logic_.btFolderClick(*frmDir_);
}

// The effects dialog is made at its first opening and reused after.
void TfrmSet::btEffectsClick() {
  if (!frmEffects_) frmEffects_.emplace();
  logic_.btEffectsClick(*frmEffects_);
}

void TfrmSet::sbReadMeClick() {
  if (frmAd_) frmAd_->ShowModal();
}

void TfrmSet::ApplyPreviewFont() {
  LOGFONTW font{};
  font.lfHeight = -::MulDiv(previewFont_.pointTenths, int(Dpi()), 720);
  font.lfWeight = previewFont_.weight;
  font.lfItalic = previewFont_.italic;
  font.lfUnderline = previewFont_.underline;
  font.lfStrikeOut = previewFont_.strikeOut;
  font.lfCharSet = previewFont_.charSet;
  platform::WideFromUtf8(previewFont_.face).copy(font.lfFaceName, LF_FACESIZE - 1);
  platform::UniqueFont created = platform::CreateJapaneseFont(font);
  ::SendMessageW(Item(IDC_SETUP_MECOM), WM_SETFONT, WPARAM(created.get()), TRUE);
  previewFontHandle_ = std::move(created);
}

std::string TfrmSet::MessageText() const {
  return platform::Utf8FromWide(ItemText(IDC_SETUP_MEEDIT));
}

void TfrmSet::SetMessageText(const std::string& text) {
  SetItemText(IDC_SETUP_MEEDIT, platform::WideFromUtf8(text));
}

void TfrmSet::SetPreviewText(const std::string& text) {
  SetItemText(IDC_SETUP_MECOM, platform::WideFromUtf8(text));
}

void TfrmSet::SetPreviewFont(const FontChoice& font) {
  previewFont_ = font;
  ApplyPreviewFont();
}

int32_t TfrmSet::SwitchSeconds() const {
  return int32_t(::SendMessageW(Item(IDC_SETUP_UDTIME), UDM_GETPOS32, 0, 0));
}

void TfrmSet::SetSwitchSeconds(int32_t seconds) {
  ::SendMessageW(Item(IDC_SETUP_UDTIME), UDM_SETPOS32, 0, seconds);
}

bool TfrmSet::MoveChecked() const { return Checked(IDC_SETUP_RBMOVE); }

void TfrmSet::SetMoveChecked(bool move) {
  ::CheckRadioButton(Handle(), IDC_SETUP_RBMOVE, IDC_SETUP_RBSTOP,
                     move ? IDC_SETUP_RBMOVE : IDC_SETUP_RBSTOP);
}

SoundRadio TfrmSet::CheckedSound() const {
  if (Checked(IDC_SETUP_RBBEEP)) return SoundRadio::rbBeep;
  if (Checked(IDC_SETUP_RBOK)) return SoundRadio::rbOK;
  return SoundRadio::rbNO;
}

void TfrmSet::CheckSound(SoundRadio radio) {
  const int id = radio == SoundRadio::rbBeep ? IDC_SETUP_RBBEEP
                 : radio == SoundRadio::rbOK ? IDC_SETUP_RBOK
                                             : IDC_SETUP_RBNO;
  ::CheckRadioButton(Handle(), IDC_SETUP_RBBEEP, IDC_SETUP_RBNO, id);
}

}  // namespace settings
