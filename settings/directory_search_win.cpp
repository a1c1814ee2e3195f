#include "settings/directory_search_win.h"

#include <windows.h>

#include "platform/handles_win.h"
#include "platform/utf16.h"

namespace settings {

void Win32DirectorySearch::Find(const std::string& pattern, const OnEntry& onEntry) {
  WIN32_FIND_DATAW entry{};
  HANDLE first = FindFirstFileW(platform::WideFromUtf8(pattern).c_str(), &entry);
  if (first == INVALID_HANDLE_VALUE) return;
  const platform::UniqueFindHandle search(first);
  do {
    if (!onEntry(platform::Utf8FromWide(entry.cFileName))) return;
  } while (FindNextFileW(search.get(), &entry));
}

}  // namespace settings
