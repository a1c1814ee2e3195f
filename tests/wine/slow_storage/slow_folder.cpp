#include "tests/wine/slow_storage/slow_folder.h"

#include <cstdio>
#include <cstdlib>

namespace slideshow_test {

void SlowFolder::SetUp() {
  const wchar_t* tree = _wgetenv(L"TOLVEX_SLOW_TREE");
  if (!tree) GTEST_SKIP() << "run through tests/wine/slow_storage/with-slow-folder";
  root_ = L"Z:" + std::wstring(tree);
  for (wchar_t& c : root_)
    if (c == L'/') c = L'\\';
  SetDelaySeconds(0);
}

void SlowFolder::TearDown() {
  if (!root_.empty()) SetDelaySeconds(0);
}

void SlowFolder::SetDelaySeconds(double seconds) const {
  FILE* file = _wfopen((root_ + L"\\delay").c_str(), L"w");
  ASSERT_NE(file, nullptr);
  std::fprintf(file, "%g\n", seconds);
  std::fclose(file);
}

}  // namespace slideshow_test
