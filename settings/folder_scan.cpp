#include "settings/folder_scan.h"

#include <string_view>
#include <vector>

#include "codecs/system_codecs.h"
#include "settings/name_mask.h"
#include "settings/path_text.h"

namespace settings {
namespace {

// Every mask the scan uses is "*.ext": one lower-cased extension per name
// answers all of them (LowerExtension), far cheaper than matching each mask
// in turn. A mask of another shape matches by wildcard.
struct Mask {
  std::string wildcard;   // without its separator
  std::string extension;  // lower case; empty when the mask is of another shape
};

Mask MaskOf(std::string_view separatorAndMask) {
  Mask mask{std::string(separatorAndMask.substr(1)), {}};
  const std::string_view text = mask.wildcard;
  if (text.size() > 2 && text.substr(0, 2) == "*." && text.find_first_of("*?.", 2) == std::string_view::npos) {
    mask.extension = LowerExtension(text);
  }
  return mask;
}

// An entry as the search matches it: by its long name or by its short one.
struct MatchedNames {
  explicit MatchedNames(const FolderEntry& entry)
      : entry(entry), extension(LowerExtension(entry.name)), shortExtension(LowerExtension(entry.shortName)) {}
  bool Match(const Mask& mask) const {
    if (mask.extension.empty()) {
      return MatchesMask(entry.name, mask.wildcard) ||
             (!entry.shortName.empty() && MatchesMask(entry.shortName, mask.wildcard));
    }
    return extension == mask.extension || (!entry.shortName.empty() && shortExtension == mask.extension);
  }
  const FolderEntry& entry;
  std::string extension, shortExtension;
};

// The names of one listing that each mask takes, at most the limit per mask:
// no more of one mask can reach the list, and a folder of many thousand
// entries holds little more than the list itself.
std::vector<std::vector<std::string>> NamesByMask(FolderListing& listing, const std::string& folder,
                                                  const std::vector<std::string>& separatorAndMasks) {
  std::vector<Mask> masks;
  for (const std::string& mask : separatorAndMasks) masks.push_back(MaskOf(mask));
  std::vector<std::vector<std::string>> names(masks.size());
  listing.List(folder, [&](const FolderEntry& entry) {
    const MatchedNames matched(entry);
    for (size_t m = 0; m < masks.size(); ++m) {
      if (names[m].size() < size_t(kMaxScannedPictures) && matched.Match(masks[m])) names[m].push_back(entry.name);
    }
    // Once the first mask fills the list, nothing later can reach it.
    return names.empty() || names.front().size() < size_t(kMaxScannedPictures);
  });
  return names;
}

template <typename Source>
void FillSelectionState(Source& source, const std::string& folderShown, PictureSelectionState& state) {
  state.scanCount = 0;
  state.scanLast = -1;
  ScanPictureNames(source, StripTrailingBackslash(folderShown), [&](const std::string& name) {
    state.scanNames[size_t(state.scanCount)] = name;
    state.scanLast = state.scanCount++;
  });
}

}  // namespace

std::vector<std::string> PictureMasks() {
  std::vector<std::string> masks(kPictureMasks.begin(), kPictureMasks.end());
  for (const std::string& extension : codecs::InstalledSystemCodecs().extensions) {
    masks.push_back("\\*." + extension);
  }
  return masks;
}

void ScanPictureNames(DirectorySearch& search, const std::string& folder, const OnScannedName& onPicture) {
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

void ScanPictureNames(FolderListing& listing, const std::string& folder, const OnScannedName& onPicture) {
  int count = 0;
  for (const std::vector<std::string>& names : NamesByMask(listing, folder, PictureMasks())) {
    for (const std::string& name : names) {
      if (count++ >= kMaxScannedPictures) return;
      onPicture(name);
    }
  }
}

void ScanFolder(DirectorySearch& search, const std::string& folderShown, PictureSelectionState& state) {
  FillSelectionState(search, folderShown, state);
}

void ScanFolder(FolderListing& listing, const std::string& folderShown, PictureSelectionState& state) {
  FillSelectionState(listing, folderShown, state);
}

}  // namespace settings
