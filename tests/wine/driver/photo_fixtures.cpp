#include "tests/wine/driver/photo_fixtures.h"

#include "tests/wine/driver/saver_process.h"

namespace driver {

std::wstring PhotoFixture(const std::wstring& name) {
  const std::wstring saver = SaverPath();
  return saver.substr(0, saver.find_last_of(L"\\/") + 1) + L"photo_fixtures\\" + name;
}

}  // namespace driver
