#include "tests/wine/driver/unix_link.h"

#include <windows.h>

#include <stdexcept>

#include "platform/utf16.h"
#include "tests/wine/driver/wait.h"

namespace driver {
namespace {

constexpr DWORD kUnixProgramTimeoutMs = 5000;

std::wstring UnixPath(const std::wstring& path) {
  using Convert = char*(__cdecl*)(const wchar_t*);
  const auto convert = reinterpret_cast<Convert>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
  if (!convert) throw std::runtime_error("not under Wine: no Unix link can be made");
  char* unix = convert(path.c_str());
  if (!unix) throw std::runtime_error("a path has no Unix name");
  std::wstring wide = platform::WideFromUtf8(unix);
  ::HeapFree(::GetProcessHeap(), 0, unix);
  return wide;
}

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Wine gives no handle to a Unix process to wait on; the caller waits for
// what it does instead.
void StartUnixProgram(std::wstring commandLine) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started))
    throw std::runtime_error("a Unix program could not be started");
  if (started.hThread) ::CloseHandle(started.hThread);
  if (started.hProcess) ::CloseHandle(started.hProcess);
}

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

}  // namespace

UnixLink::UnixLink(const std::wstring& link, const std::wstring& target) : link_(link) {
  StartUnixProgram(L"/bin/ln -s " + Quoted(UnixPath(target)) + L" " + Quoted(UnixPath(link)));
  if (!WaitUntil([&] { return Exists(link); }, kUnixProgramTimeoutMs))
    throw std::runtime_error("the Unix link did not appear");
}

UnixLink::~UnixLink() {
  StartUnixProgram(L"/bin/rm -f " + Quoted(UnixPath(link_)));
  WaitUntil([&] { return !Exists(link_); }, kUnixProgramTimeoutMs);
}

}  // namespace driver
