#include "settings/folder_scan.h"

#include "settings/path_text.h"

namespace settings {

void ScanFolder(DirectorySearch& search, const std::string& folderShown, PictureSelectionState& state) {
  const std::string base = StripTrailingBackslash(folderShown);
  state.scanCount = 0;
  state.scanLast = -1;
  for (const std::string_view mask : kPictureMasks) {
    if (state.scanCount >= kMaxScannedPictures) return;
    search.Find(base + std::string(mask), [&](const std::string& name) {
      state.scanNames[size_t(state.scanCount)] = name;
      state.scanLast = state.scanCount++;
      return state.scanCount < kMaxScannedPictures;
    });
  }
}

}  // namespace settings
