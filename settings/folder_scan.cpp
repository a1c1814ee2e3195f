#include "settings/folder_scan.h"

#include <vector>

#include "codecs/system_codecs.h"
#include "settings/path_text.h"

namespace settings {
std::vector<std::string> PictureMasks() {
  std::vector<std::string> masks(kPictureMasks.begin(), kPictureMasks.end());
  for (const std::string& extension : codecs::InstalledSystemCodecs().extensions) {
    masks.push_back("\\*." + extension);
  }
  return masks;
}

void ScanPictureNames(DirectorySearch& search, const std::string& folder,
                      const std::function<void(const std::string& name)>& onPicture) {
  int count = 0;
  for (const std::string& mask : PictureMasks()) {
    if (count >= kMaxScannedPictures) return;
    search.Find(folder + mask, [&](const std::string& name) {
      // Checked before the call too: the lists have no room past the cap,
      // whatever a search does with the request to stop.
      if (count >= kMaxScannedPictures) return false;
      onPicture(name);
      return ++count < kMaxScannedPictures;
    });
  }
}

void ScanFolder(DirectorySearch& search, const std::string& folderShown, PictureSelectionState& state) {
  state.scanCount = 0;
  state.scanLast = -1;
  ScanPictureNames(search, StripTrailingBackslash(folderShown), [&](const std::string& name) {
    state.scanNames[size_t(state.scanCount)] = name;
    state.scanLast = state.scanCount++;
  });
}

}  // namespace settings
