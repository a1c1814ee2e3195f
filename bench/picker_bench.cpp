// The picture-selection dialog's two heavy moments, through its portable
// logic: a click on a 24-megapixel JPEG until the preview's picture is ready
// (read, fast-DCT decode at the smallest scale covering the box, reduction
// into the 168 x 168 box), beside a bare half-scale fast-DCT decode of the
// same file with libjpeg and beside djpeg doing the same; and
// listing a folder of 10000 files (the folder scan over the ten picture
// masks and filling the sorted list).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "bench/tool_timing.h"
#include "codecs/file_bytes.h"
#include "picker/picture_selection_logic.h"
#include "picker/thumbnail.h"
#include "picker/thumbnail_picture.h"
#include "settings/folder_scan.h"
#include "settings/memory_directory.h"
#include "tests/support/jpeg_writer.h"

namespace {

namespace fs = std::filesystem;

// The dialog joins folder and name with a backslash, which on Linux is part
// of a file name: the picture's file name holds it, so the joined path finds
// the file.
const std::string kFolder = (fs::path(TOLVEX_BINARY_DIR) / "picker_bench").string();
const std::string kName = "24mp.jpg";

// A photograph-like 6000 x 4000 picture: smooth gradients with grain, so the
// file's entropy (and its decoding time) is that of a real photo.
std::string LargeJpeg() {
  const fs::path path = kFolder + "\\" + kName;
  if (fs::exists(path)) return path.string();
  const std::vector<uint8_t> bytes = test_support::GrainyPhotoJpeg(6000, 4000);
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return path.string();
}

std::optional<std::vector<uint8_t>> ReadFile(const std::string& path) {
  return codecs::ReadFileBytes(path);
}

// The baseline: libjpeg alone, scale 1/2, fast integer DCT, RGB rows into one
// buffer, from the same file.
void BM_BareHalfScaleFastDctDecode(benchmark::State& state) {
  const std::string path = LargeJpeg();
  for (auto _ : state) {
    const std::optional<std::vector<uint8_t>> bytes = ReadFile(path);
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes->data(), (unsigned long)bytes->size());
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
    benchmark::DoNotOptimize(pixels.data());
  }
}
BENCHMARK(BM_BareHalfScaleFastDctDecode)->Unit(benchmark::kMillisecond)->UseRealTime();

// libjpeg-turbo's djpeg on the same file at half scale with the fast DCT,
// timed by the child's CPU (start-up and writing to /dev/null included), to
// compare with the click's CPU column.
void BM_DjpegHalfScaleFastDct(benchmark::State& state) {
  bench::TimeTool(state, "djpeg -scale 1/2 -dct fast -outfile /dev/null '" + LargeJpeg() + "'");
}
BENCHMARK(BM_DjpegHalfScaleFastDct)->Unit(benchmark::kMillisecond)->UseManualTime();

struct NullControl : picker::ControlView {
  void SetEnabled(bool) override {}
};
struct NullLabel : picker::LabelView {
  std::string caption;
  void SetEnabled(bool) override {}
  void SetCaption(const std::string& text) override { caption = text; }
};
struct Check : picker::CheckView {
  bool checked = true;
  bool Checked() const override { return checked; }
};
struct Drives : picker::DriveView {
  char Drive() const override { return 'C'; }
  void SetDrive(char) override {}
};
struct Folder : picker::FolderView {
  std::string directory;
  std::string Directory() const override { return directory; }
  char Drive() const override { return directory[0]; }
  void SetDrive(char, std::function<void(const picker::DriveChange&)>) override {}
};
struct Services : picker::DialogServices {
  void ShowMessage(const std::string&) override {}
  void ProcessMessages() override {}
};
// The image box keeps its own copy of the picture, as the real one does.
struct ImageBox : picker::ImageBoxView {
  codecs::Image picture;
  void SetBounds(int32_t, int32_t, int32_t, int32_t) override {}
  void SetPicture(codecs::Image p) override { picture = std::move(p); }
  void SetVisible(bool) override {}
};
// A sorted list with one selected entry, the current one.
struct List : picker::ListBoxView {
  std::vector<std::string> items;
  int current = 0;
  void SetEnabled(bool) override {}
  int Count() const override { return int(items.size()); }
  std::string Text(int i) const override { return items[size_t(i)]; }
  bool Selected(int i) const override { return i == current; }
  int SelectedCount() const override { return items.empty() ? 0 : 1; }
  int CurrentIndex() const override { return current; }
  void DeselectAll() override {}
  void Add(const std::string& t) override {
    items.insert(std::upper_bound(items.begin(), items.end(), t), t);
  }
  void Insert(int i, const std::string& t) override { items.insert(items.begin() + i, t); }
  void Delete(int i) override { items.erase(items.begin() + i); }
  void Assign(const std::vector<std::string>& all) override {
    items.clear();
    items.reserve(all.size());
    for (const std::string& t : all) Add(t);
  }
};

// The dialog's logic over stand-in controls, the real preview and the real
// folder scan.
struct Dialog {
  Drives dcbxThumb;
  Folder dlbThumb;
  Check rbSelPhoto;
  List lbSfile, lbDfile;
  NullControl btTrk, btUp, btDown, btErase, btAllErase;
  NullLabel lblDsp, lblCount, lblFileName;
  ImageBox imS;
  Services services;
  settings::PictureSelectionState shared;
  settings::MemoryDirectory disk;
  picker::Thumbnail preview{imS, lblFileName,
                            [](const std::string& path, const codecs::ShownSize& shown) {
                              return picker::DecodeThumbnailPicture(path, ReadFile, shown);
                            },
                            codecs::Image(128, 32), 12, 289};
  picker::PictureSelectionLogic logic{
      {dcbxThumb, dlbThumb, rbSelPhoto, lbSfile, lbDfile, btTrk, btUp, btDown, btErase,
       btAllErase, lblDsp, lblCount, preview, services},
      shared,
      [this](const std::string& folder, const std::function<void()>& scanned) {
        settings::ScanFolder(disk, folder, shared);
        scanned();
      }};
};

void BM_ClickOn24MegapixelJpeg(benchmark::State& state) {
  LargeJpeg();
  Dialog dialog;
  dialog.dlbThumb.directory = kFolder;
  dialog.lbSfile.items = {kName};
  for (auto _ : state) {
    dialog.logic.lbSfileClick();
    benchmark::DoNotOptimize(dialog.imS.picture.pixels.data());
  }
  state.counters["box_width"] = dialog.imS.picture.width;
}
BENCHMARK(BM_ClickOn24MegapixelJpeg)->Unit(benchmark::kMillisecond)->UseRealTime();

// 10000 files in one folder: all pictures (the scan stops at 100 names), or
// none (every mask goes through all 10000 names and finds nothing).
void BM_ListFolderOf10000Files(benchmark::State& state) {
  const bool pictures = state.range(0) != 0;
  Dialog dialog;
  dialog.dlbThumb.directory = "C:\\Many";
  for (int i = 0; i < 10000; ++i) {
    const int n = (i * 7919) % 10000;  // not in sorted order
    dialog.disk.AddEntry("C:\\Many", "IMG_" + std::to_string(n) + (pictures ? ".jpg" : ".txt"));
  }
  for (auto _ : state) dialog.logic.RefreshFolderList();
  state.counters["listed"] = dialog.lbSfile.Count();
}
BENCHMARK(BM_ListFolderOf10000Files)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
