// Measures the real picture-selection dialog of TolvexShow.scr /c under Wine
// (not a test: it prints figures). A click on a 24-megapixel JPEG until its
// preview is painted, beside a bare half-scale fast-DCT decode of the same
// file in this process; and opening a folder of 10000 files. With --hold
// MARKER it then leaves the dialog open, with a preview shown, until MARKER
// is deleted (for a screenshot; at most two minutes).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "form_driver.h"
#include "resources/dcdir_ids.h"
#include "resources/setup_ids.h"
#include "tests/wine/driver/saver_process.h"
#include "tests/wine/driver/settings_registry.h"
#include "tests/wine/driver/wait.h"
#include "tests/support/jpeg_writer.h"
#include "tests/wine/driver/window_search.h"

namespace {

using picker_wine::ScratchFolder;

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  return double(to.QuadPart - from.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

template <typename F>
double Median(int runs, F&& once) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    LARGE_INTEGER from, to;
    ::QueryPerformanceCounter(&from);
    once();
    ::QueryPerformanceCounter(&to);
    times.push_back(Milliseconds(from, to));
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void WriteLargeJpeg(const std::wstring& path) {
  const std::vector<uint8_t> bytes = test_support::GrainyPhotoJpeg(6000, 4000);
  std::ofstream(std::filesystem::path(path), std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void BareDecode(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary | std::ios::ate);
  std::vector<unsigned char> bytes(size_t(in.tellg()));
  in.seekg(0);
  in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
  jpeg_decompress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes.data(), (unsigned long)bytes.size());
  jpeg_read_header(&info, TRUE);
  info.scale_num = 1;
  info.scale_denom = 2;
  info.dct_method = JDCT_IFAST;
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  std::vector<JSAMPLE> pixels(size_t(info.output_width) * info.output_height * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = pixels.data() + size_t(info.output_scanline) * info.output_width * 3;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
}

HWND FindDialog(DWORD processId, const std::wstring& caption) {
  for (HWND window : driver::TopLevelWindows(processId, driver::kDialogClass))
    if (::IsWindowVisible(window) && driver::WindowText(window) == caption) return window;
  return nullptr;
}

int IndexOf(HWND list, const std::wstring& text) {
  const std::vector<std::wstring> texts = picker_wine::ListTexts(list);
  const auto at = std::find(texts.begin(), texts.end(), text);
  return at == texts.end() ? -1 : int(at - texts.begin());
}

int Run(const wchar_t* holdMarker) {
  ScratchFolder scratch(L"tolvex_picker_timing");
  const std::wstring big = scratch.MakeFolder(L"big");
  const std::wstring many = scratch.MakeFolder(L"many");
  WriteLargeJpeg(big + L"\\photo24mp.jpg");
  scratch.WriteBitmap(L"big\\small.bmp", 100, 50, 0xFF8000);
  scratch.WriteBitmap(L"big\\strip.bmp", 400, 100, 0x2060FF);
  for (int i = 0; i < 10000; ++i) {
    const std::wstring name = many + L"\\IMG_" + std::to_wstring(10000 + i) + L".jpg";
    ::CloseHandle(::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
  }
  driver::DeleteSettingsKey();
  driver::CreateSettingsKey();
  driver::WriteString(L"dtDir", big);
  driver::WriteDword(L"SelPhoto", 1);
  driver::WriteDword(L"eCount", 0);

  driver::SaverProcess saver(L"/c");
  HWND settingsDialog = nullptr;
  if (!driver::WaitUntil([&] { return (settingsDialog = FindDialog(saver.Id(), L"設定")) != nullptr; }, 15000))
    return std::fprintf(stderr, "no settings dialog\n"), 1;
  ::PostMessageW(::GetDlgItem(settingsDialog, IDC_SETUP_BTFOLDER), BM_CLICK, 0, 0);
  HWND dialog = nullptr;
  const auto listed = [&] {
    return (dialog = FindDialog(saver.Id(), L"画像選択")) != nullptr &&
           ::SendMessageW(::GetDlgItem(dialog, IDC_DCDIR_LBSFILE), LB_GETCOUNT, 0, 0) == 3;
  };
  if (!driver::WaitUntil(listed, 15000)) return std::fprintf(stderr, "no dialog\n"), 1;
  const HWND files = ::GetDlgItem(dialog, IDC_DCDIR_LBSFILE);
  const HWND folders = ::GetDlgItem(dialog, IDC_DCDIR_DLBTHUMB);

  const int photo = IndexOf(files, L"photo24mp.jpg");
  const double click = Median(7, [&] { picker_wine::ClickListEntry(dialog, IDC_DCDIR_LBSFILE, photo); });
  const double bare = Median(7, [&] { BareDecode(big + L"\\photo24mp.jpg"); });
  std::printf("click on a 24-megapixel JPEG to preview painted: %.1f ms (median of 7)\n", click);
  std::printf("bare half-scale fast-DCT decode of the same file: %.1f ms; ratio %.2f\n", bare, click / bare);

  const int parent = IndexOf(folders, scratch.Path().substr(scratch.Path().rfind(L'\\') + 1));
  const double open = Median(5, [&] {
    picker_wine::OpenFolderEntry(dialog, parent);
    picker_wine::OpenFolderEntry(dialog, IndexOf(folders, L"many"));
  });
  std::printf("opening a folder of 10000 files (and its parent first): %.1f ms; %d listed\n", open,
              int(::SendMessageW(files, LB_GETCOUNT, 0, 0)));
  const double parentOnly = Median(5, [&] {
    picker_wine::OpenFolderEntry(dialog, parent);
    picker_wine::OpenFolderEntry(dialog, IndexOf(folders, L"big"));
  });
  std::printf("the same with a folder of 3 files instead: %.1f ms\n", parentOnly);

  if (holdMarker) {
    picker_wine::ClickListEntry(dialog, IDC_DCDIR_LBSFILE, 0);
    picker_wine::ClickListEntry(dialog, IDC_DCDIR_LBSFILE, 2, true);
    picker_wine::ClickButton(dialog, IDC_DCDIR_BTTRK);
    picker_wine::ClickListEntry(dialog, IDC_DCDIR_LBSFILE, 1);
    std::ofstream(std::filesystem::path(holdMarker)) << "shown\n";
    driver::WaitUntil([&] { return ::GetFileAttributesW(holdMarker) == INVALID_FILE_ATTRIBUTES; }, 120000);
  }
  ::PostMessageW(::GetDlgItem(dialog, IDC_DCDIR_BTCANCEL), BM_CLICK, 0, 0);
  driver::WaitUntil([&] { return !::IsWindowVisible(dialog); }, 15000);
  ::PostMessageW(settingsDialog, WM_CLOSE, 0, 0);
  saver.WaitForExit(15000);
  driver::DeleteSettingsKey();
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  return Run(argc >= 3 && std::wstring(argv[1]) == L"--hold" ? argv[2] : nullptr);
}
