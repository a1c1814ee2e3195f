#include "platform/japanese_font_win.h"

#include <array>
#include <cwchar>
#include <map>

namespace platform {
namespace {

constexpr std::array<const wchar_t*, 8> kProportionalFaces = {
    L"ＭＳ Ｐゴシック", L"MS PGothic", L"Yu Gothic UI", L"Meiryo UI",
    L"IPAPGothic",     L"IPA Pゴシック", L"VL PGothic", L"Noto Sans CJK JP"};
constexpr std::array<const wchar_t*, 8> kFixedFaces = {
    L"ＭＳ ゴシック", L"MS Gothic",   L"IPAGothic",     L"IPAゴシック",
    L"BIZ UDGothic", L"VL Gothic", L"Noto Sans Mono CJK JP", L"Yu Gothic"};

int CALLBACK FoundFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool IsOneOf(std::wstring_view face, std::initializer_list<std::wstring_view> names) {
  for (std::wstring_view name : names) {
    if (face == name) return true;
  }
  return false;
}

template <std::size_t N>
std::wstring FirstInstalled(const std::array<const wchar_t*, N>& faces, std::wstring_view wanted) {
  for (const wchar_t* face : faces) {
    if (FontFamilyInstalled(face)) return face;
  }
  return std::wstring(wanted);
}

std::wstring ResolveFace(std::wstring_view wanted) {
  if (FontFamilyInstalled(wanted)) return std::wstring(wanted);
  if (IsOneOf(wanted, {L"ＭＳ Ｐゴシック", L"MS PGothic", L"MS UI Gothic"})) {
    return FirstInstalled(kProportionalFaces, wanted);
  }
  if (IsOneOf(wanted, {L"ＭＳ ゴシック", L"MS Gothic"})) return FirstInstalled(kFixedFaces, wanted);
  return std::wstring(wanted);
}

}  // namespace

bool FontFamilyInstalled(std::wstring_view face) {
  if (face.empty() || face.size() >= LF_FACESIZE) return false;
  LOGFONTW query{};
  query.lfCharSet = DEFAULT_CHARSET;
  face.copy(query.lfFaceName, face.size());
  bool found = false;
  const WindowDc screen(nullptr);
  ::EnumFontFamiliesExW(screen.get(), &query, &FoundFamily, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

// The fonts installed do not change while the program runs, and the ticker
// asks on every layout: remember each answer.
std::wstring JapaneseFace(std::wstring_view wanted) {
  static std::map<std::wstring, std::wstring, std::less<>> resolved;
  auto it = resolved.find(wanted);
  if (it == resolved.end()) it = resolved.emplace(std::wstring(wanted), ResolveFace(wanted)).first;
  return it->second;
}

UniqueFont CreateJapaneseFont(LOGFONTW font) {
  const std::wstring face = JapaneseFace(font.lfFaceName);
  std::wmemset(font.lfFaceName, L'\0', LF_FACESIZE);
  face.copy(font.lfFaceName, LF_FACESIZE - 1);
  return UniqueFont(::CreateFontIndirectW(&font));
}

}  // namespace platform
