#pragma once
// A directory search as the system's find-first/find-next functions run it:
// a pattern is a folder path followed by a mask with * and ? in its last
// component; names match the mask without regard to case; the names come in
// the order the file system yields them, sub-folders included. Texts are UTF-8.
#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace settings {

class DirectorySearch {
 public:
  // Return false to stop the search early.
  using OnEntry = std::function<bool(const std::string& name)>;
  virtual ~DirectorySearch() = default;
  // Calls onEntry with the name (without folder) of each entry found, until it
  // returns false or the entries run out. A pattern that finds nothing, or a
  // folder that cannot be listed, calls it never. The search is closed when
  // Find returns.
  virtual void Find(const std::string& pattern, const OnEntry& onEntry) = 0;
};

// The masks of our own decoders in search order, each beginning with its
// separator, so a pattern is the folder followed directly by a mask. The
// masks of the system's codecs follow them (see ScanPictureNames).
inline constexpr std::array<std::string_view, 16> kPictureMasks = {
    "\\*.bmp", "\\*.jpg", "\\*.jpeg", "\\*.gif", "\\*.jif",
    "\\*.dib", "\\*.rle", "\\*.tga", "\\*.pcx", "\\*.ico",
    "\\*.png", "\\*.webp", "\\*.avif", "\\*.heic", "\\*.heif", "\\*.hif"};

// The folder scan stops at 100 names over all masks together.
inline constexpr int kMaxScannedPictures = 100;

}  // namespace settings
