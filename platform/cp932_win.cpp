#include "platform/cp932.h"

#include <windows.h>

namespace platform {

namespace {
constexpr UINT kCp932 = 932;
}

std::wstring WideFromCp932(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int n = MultiByteToWideChar(kCp932, 0, bytes.data(), int(bytes.size()), nullptr, 0);
  std::wstring out(size_t(n), L'\0');
  MultiByteToWideChar(kCp932, 0, bytes.data(), int(bytes.size()), out.data(), n);
  return out;
}

std::string Cp932FromWide(std::wstring_view text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(kCp932, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(size_t(n), '\0');
  WideCharToMultiByte(kCp932, 0, text.data(), int(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace platform
