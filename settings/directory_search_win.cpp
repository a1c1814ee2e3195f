#include "settings/directory_search_win.h"

#include <windows.h>

#include "platform/cp932.h"
#include "platform/handles_win.h"

namespace settings {

void Win32DirectorySearch::Find(const std::string& cp932Pattern, const OnEntry& onEntry) {
  WIN32_FIND_DATAW entry{};
  HANDLE first = FindFirstFileW(platform::WideFromCp932(cp932Pattern).c_str(), &entry);
  if (first == INVALID_HANDLE_VALUE) return;
  const platform::UniqueFindHandle search(first);
  do {
    if (!onEntry(platform::Cp932FromWide(entry.cFileName))) return;
  } while (FindNextFileW(search.get(), &entry));
}

}  // namespace settings
