#include "slideshow/picture_tree_walk.h"

#include <algorithm>
#include <chrono>
#include <set>
#include <string_view>
#include <utility>

#include "settings/name_mask.h"

namespace slideshow {
namespace {

using Clock = std::chrono::steady_clock;

// A batch goes out when this many pictures wait, or when a folder ends this
// long after the last batch: few enough wakes of the show, soon enough that
// a growing library is seen growing.
constexpr size_t kBatchPictures = 4096;
constexpr auto kBatchInterval = std::chrono::milliseconds(100);

std::set<std::string> ExtensionsOf(const std::vector<std::string>& masks) {
  std::set<std::string> extensions;
  for (const std::string& mask : masks) {
    const std::string extension = settings::LowerExtension(mask);
    if (!extension.empty()) extensions.insert(extension);
  }
  return extensions;
}

struct Pending {
  std::string path;
  int depth = 0;
};

class Walk {
 public:
  Walk(const PictureWalk& walk, settings::FolderListing& listing, const WalkReceiver& receiver)
      : walk_(walk), listing_(listing), receiver_(receiver), extensions_(ExtensionsOf(walk.masks)) {}

  void Run() {
    std::vector<Pending> folders{{walk_.top, 0}};
    while (!folders.empty() && !stopped_) {
      Pending folder = std::move(folders.back());
      folders.pop_back();
      if (receiver_.wanted && !receiver_.wanted()) return;
      if (walk_.wholeTree && !FirstVisit(folder.path)) continue;
      const size_t before = folders.size();
      ListFolder(folder, folders);
      // Sub-folders are walked in the order the folder listed them.
      std::reverse(folders.begin() + std::ptrdiff_t(before), folders.end());
      if (Clock::now() - lastBatch_ >= kBatchInterval && Gathered()) Send();
    }
    if (!stopped_) Send();
  }

 private:
  bool FirstVisit(const std::string& path) {
    const std::optional<settings::FolderIdentity> identity = listing_.Identify(path);
    return !identity || visited_.insert(*identity).second;
  }

  void ListFolder(const Pending& folder, std::vector<Pending>& folders) {
    std::optional<uint32_t> number;
    listing_.List(folder.path, [&](const settings::FolderEntry& entry) {
      if (entry.hidden || entry.notLocal) return true;
      if (entry.isFolder) {
        if (walk_.wholeTree && folder.depth < kMaxTreeDepth)
          folders.push_back({folder.path + "\\" + entry.name, folder.depth + 1});
        return true;
      }
      if (!extensions_.contains(settings::LowerExtension(entry.name))) return true;
      if (!number) number = found_.AddFolder(folder.path);
      if (!found_.Add(*number, entry.name)) return false;
      if ((!sentAny_ && Gathered()) || found_.Size() >= kBatchPictures) {
        Send();
        number.reset();
      }
      return !stopped_;
    });
  }

  bool Gathered() const { return Clock::now() - start_ >= walk_.gather; }

  void Send() {
    lastBatch_ = Clock::now();
    if (found_.Empty()) return;
    sentAny_ = true;
    if (!receiver_.found(std::exchange(found_, PictureCatalog()))) stopped_ = true;
  }

  const PictureWalk& walk_;
  settings::FolderListing& listing_;
  const WalkReceiver& receiver_;
  const std::set<std::string> extensions_;
  std::set<settings::FolderIdentity> visited_;
  PictureCatalog found_;
  bool sentAny_ = false;
  const Clock::time_point start_ = Clock::now();
  Clock::time_point lastBatch_ = start_;
  bool stopped_ = false;
};

}  // namespace

void WalkPictureTree(const PictureWalk& walk, settings::FolderListing& listing,
                     const WalkReceiver& receiver) {
  Walk(walk, listing, receiver).Run();
}

}  // namespace slideshow
