#include "settings/directory_search_win.h"

#include <windows.h>

#include <memory>

#include "platform/cp932.h"

namespace settings {

namespace {

struct FindCloser {
  void operator()(HANDLE h) const { FindClose(h); }
};
using FindHandle = std::unique_ptr<void, FindCloser>;

}  // namespace

void Win32DirectorySearch::Find(const std::string& cp932Pattern, const OnEntry& onEntry) {
  WIN32_FIND_DATAW entry{};
  HANDLE first = FindFirstFileW(platform::WideFromCp932(cp932Pattern).c_str(), &entry);
  if (first == INVALID_HANDLE_VALUE) return;
  const FindHandle search(first);
  do {
    if (!onEntry(platform::Cp932FromWide(entry.cFileName))) return;
  } while (FindNextFileW(search.get(), &entry));
}

}  // namespace settings
