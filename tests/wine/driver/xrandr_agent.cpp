#include "tests/wine/driver/xrandr_agent.h"

#include <windows.h>

#include <cstdlib>
#include <fstream>

#include "platform/utf16.h"
#include "tests/wine/driver/wait.h"

namespace driver {
namespace {

// The agent's folder as Wine sees it: the Unix path under Z:.
std::wstring AgentFolder() {
  const char* folder = std::getenv("TOLVEX_XRANDR_AGENT");
  if (!folder || !*folder) return {};
  std::wstring path = L"Z:" + platform::WideFromUtf8(folder);
  for (wchar_t& c : path)
    if (c == L'/') c = L'\\';
  return path;
}

}  // namespace

bool Xrandr(const std::string& arguments) {
  const std::wstring folder = AgentFolder();
  if (folder.empty()) return false;
  const std::wstring request = folder + L"\\request", pending = request + L".new";
  const std::wstring done = folder + L"\\done";
  ::DeleteFileW(done.c_str());
  {
    std::ofstream out(pending.c_str(), std::ios::binary);
    out << arguments << '\n';
  }
  // Whole or not at all: the agent never reads half a request.
  if (!::MoveFileExW(pending.c_str(), request.c_str(), MOVEFILE_REPLACE_EXISTING)) return false;
  const bool answered = WaitUntil([&] { return ::GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES; }, 20'000);
  ::DeleteFileW(done.c_str());
  return answered;
}

}  // namespace driver
