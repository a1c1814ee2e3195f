#include "settings/directory_search_win.h"

#include <windows.h>

#include "platform/handles_win.h"
#include "platform/long_path_win.h"
#include "platform/utf16.h"

namespace settings {

void Win32DirectorySearch::Find(const std::string& pattern, const OnEntry& onEntry) {
  WIN32_FIND_DATAW entry{};
  const std::wstring wide = platform::FileSystemPath(platform::WideFromUtf8(pattern));
  const platform::UniqueFindHandle search(FindFirstFileW(wide.c_str(), &entry));
  if (!search) return;
  do {
    if (!onEntry(platform::Utf8FromWide(entry.cFileName))) return;
  } while (FindNextFileW(search.get(), &entry));
}

}  // namespace settings
