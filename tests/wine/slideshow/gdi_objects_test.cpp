// The saver window in the test's own process, so that its GDI objects and
// memory can be counted: many paints (each reads the settings, lays out the
// ticker with new fonts and reloads the picture) and switches over pictures
// of every kind must leave both where they were after the first seconds.
#include <gtest/gtest.h>

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>

#include "tests/wine/driver/gdi_objects.h"
#include "tests/wine/driver/wait.h"
#include "tests/wine/slideshow/in_process_preview.h"
#include "tests/wine/slideshow/show_fixture.h"
#include "tests/wine/slideshow/test_pictures.h"

namespace slideshow_test {
namespace {

// The committed memory of the process (Wine leaves the private-usage field 0).
size_t MemoryInUse() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters));
  return counters.PagefileUsage;
}

// Keeps the window repainting for `ms`; returns how many paints were asked.
int RepaintFor(HWND window, DWORD ms) {
  const ULONGLONG end = ::GetTickCount64() + ms;
  int asked = 0;
  driver::WaitUntil(
      [&] {
        ::InvalidateRect(window, nullptr, FALSE);
        ++asked;
        return ::GetTickCount64() >= end;
      },
      ms + 1000);
  return asked;
}

// The least memory in use while repainting for `ms`: a switch decodes its
// next picture on the reader, and a large one is megabytes in flight for a
// moment, so one reading taken at any moment may fall in such a read.
size_t LeastMemoryWhileRepainting(HWND window, DWORD ms, int& paints) {
  size_t least = MemoryInUse();
  for (DWORD spent = 0; spent < ms; spent += 250) {
    paints += RepaintFor(window, 250);
    least = std::min(least, MemoryInUse());
  }
  return least;
}

TEST(GdiObjects, StayFlatOverManyPaintsAndSwitches) {
  TempFolder folder;
  WriteSolidBmp(folder.File(L"a-plain.bmp"), 300, 200, 0x3366CC);
  WriteSolidBmp(folder.File(L"b-large.bmp"), 1800, 1300, 0xCC6633);
  WriteSolidBmp(folder.File(L"c-strip.bmp"), 256, 64, 0x33CC66);
  WriteBytes(folder.File(L"d-broken.bmp"), "BM not a bitmap at all");
  WriteBytes(folder.File(L"e-broken.gif"), "GIF89a\x01");
  WriteBytes(folder.File(L"f-broken.jpg"), "\xFF\xD8\xFF\xE0 cut short");
  WriteShowSettings({.folder = folder.Path(),
                     .floating = true,
                     .switchSeconds = 1,
                     .message = L"ようこそ テスト",
                     .fontSize = 20});

  InProcessPreview preview({40, 60, 192, 172});
  RepaintFor(preview.Window(), 3000);  // first paint, fonts, every kind of picture once
  int paints = 0;
  const DWORD objectsBefore = driver::GdiObjectCount();
  const size_t bytesBefore = LeastMemoryWhileRepainting(preview.Window(), 6000, paints);
  paints += RepaintFor(preview.Window(), 14000);
  const DWORD objectsAfter = driver::GdiObjectCount();
  const size_t bytesAfter = LeastMemoryWhileRepainting(preview.Window(), 6000, paints);
  std::printf("GDI objects %lu -> %lu, memory %zu -> %zu bytes over %d repaints and ~20 switches\n",
              objectsBefore, objectsAfter, bytesBefore, bytesAfter, paints);
  EXPECT_EQ(objectsAfter, objectsBefore);
  // A leaked screen buffer or picture per switch would be megabytes each,
  // and would raise the least memory the show keeps between its reads.
  EXPECT_LT(double(bytesAfter), double(bytesBefore) + 8.0 * 1024 * 1024);
}

}  // namespace
}  // namespace slideshow_test
