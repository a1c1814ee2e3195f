#pragma once
// The library's folder walk: the pictures of one folder, or of its whole
// tree, found in one listing per folder and handed on while the walk goes on,
// so that a show can begin with the first picture found. A picture is a file
// whose extension one of the masks names; hidden and system entries are
// skipped, and so are cloud placeholders that are not on this machine, since
// reading them would download them. A folder reached twice (a link, a
// junction, a loop) is walked once, and nothing deeper than kMaxTreeDepth
// levels below the top is entered.
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "settings/folder_listing.h"
#include "slideshow/picture_catalog.h"

namespace slideshow {

inline constexpr int kMaxTreeDepth = 64;

struct PictureWalk {
  std::string top;  // without a trailing backslash
  bool wholeTree = false;
  std::vector<std::string> masks;  // "\\*.jpg" and the like
  // How long the first pictures are gathered before they go on (unless the
  // walk ends first): a shuffle then opens with a pick from more than the
  // first folder's pictures. None: the first picture goes on at once.
  std::chrono::milliseconds gather{0};
};

struct WalkReceiver {
  // Takes what was found since the last call: at the first picture (or when
  // the gathering ends), then in batches, and the rest at the end. False
  // stops the walk.
  std::function<bool(PictureCatalog&& found)> found;
  // Asked before each folder is listed: false stops the walk.
  std::function<bool()> wanted;
};

void WalkPictureTree(const PictureWalk& walk, settings::FolderListing& listing,
                     const WalkReceiver& receiver);

}  // namespace slideshow
