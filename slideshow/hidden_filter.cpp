#include "slideshow/hidden_filter.h"

#include <algorithm>
#include <cstring>

#include "platform/file_name_case.h"

namespace slideshow {
namespace {

// Folded text hashed eight bytes at a time, the last block padded with 0.
constexpr uint64_t kBlockFactor = 0xff51afd7ed558ccdULL;

uint64_t AddBlock(uint64_t hash, uint64_t block) {
  hash = (hash ^ block) * kBlockFactor;
  return hash ^ (hash >> 29);
}

uint64_t LoadBlock(std::string_view text, size_t at) {
  uint64_t block = 0;
  std::memcpy(&block, text.data() + at, std::min<size_t>(8, text.size() - at));
  return block;
}

uint64_t FoldedHash(std::string_view folded) {
  uint64_t hash = folded.size();
  for (size_t at = 0; at < folded.size(); at += 8) hash = AddBlock(hash, LoadBlock(folded, at));
  return hash;
}

// The hash of a name as FoldedHash(FoldFileName(name)) gives it. A name of
// ASCII alone, the common case, is folded eight bytes at a time on the way:
// each byte from 'a' to 'z' loses its 0x20.
uint64_t NameHash(std::string_view name) {
  constexpr uint64_t kHigh = 0x8080808080808080ULL;
  uint64_t hash = name.size();
  for (size_t at = 0; at < name.size(); at += 8) {
    const uint64_t block = LoadBlock(name, at);
    if (block & kHigh) return FoldedHash(platform::FoldFileName(name));
    const uint64_t fromA = block + 0x1F1F1F1F1F1F1F1FULL, pastZ = block + 0x0505050505050505ULL;
    hash = AddBlock(hash, block ^ ((fromA & ~pastZ & kHigh) >> 2));
  }
  return hash;
}

// A path's hash is its folder's and its name's, so it comes out the same
// whether the path comes whole or as a folder and a name.
uint64_t PathHash(uint64_t folderHash, uint64_t nameHash) { return folderHash * 0x9E3779B97F4A7C15ULL ^ nameHash; }

uint64_t FoldedPathHash(std::string_view folded) {
  const size_t last = folded.rfind('\\');
  if (last == std::string_view::npos) return PathHash(FoldedHash({}), FoldedHash(folded));
  return PathHash(FoldedHash(folded.substr(0, last)), FoldedHash(folded.substr(last + 1)));
}

// At least 32 slots a photo keep the bits that are set by chance few.
constexpr int kLeastSlotBits = 12;
constexpr int kSlotsPerPhotoBits = 5;

// The slot is taken from the top bits, which the multiplications of the
// hash have mixed the most.
uint64_t Spread(uint64_t hash) {
  hash ^= hash >> 33;
  hash *= 0xff51afd7ed558ccdULL;
  return hash ^ (hash >> 33);
}

}  // namespace

bool HiddenFilter::MayHold(uint64_t hash) const {
  if (slotBits_ == 0) return false;
  const uint64_t slot = Spread(hash) >> (64 - slotBits_);
  return (bits_[slot / 64] >> (slot % 64)) & 1;
}

void HiddenFilter::Mark(uint64_t hash) {
  const uint64_t slot = Spread(hash) >> (64 - slotBits_);
  bits_[slot / 64] |= uint64_t(1) << (slot % 64);
}

HiddenFilter::HiddenFilter(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) Add(path);
}

// The table doubles as the photos grow, and is marked anew from the hashes.
void HiddenFilter::Add(std::string_view path) {
  std::string folded = platform::FoldFileName(path);
  const uint64_t hash = FoldedPathHash(folded);
  if (Holds(hash, folded, {})) return;
  byHash_.emplace(hash, std::move(folded));
  int wanted = kLeastSlotBits;
  while ((size_t(1) << wanted) < (byHash_.size() << kSlotsPerPhotoBits)) ++wanted;
  if (wanted != slotBits_) {
    slotBits_ = wanted;
    bits_.assign((size_t(1) << wanted) / 64, 0);
    for (const auto& [each, text] : byHash_) Mark(each);
  } else {
    Mark(hash);
  }
}

bool HiddenFilter::Contains(std::string_view path) const {
  const std::string folded = platform::FoldFileName(path);
  const uint64_t hash = FoldedPathHash(folded);
  return MayHold(hash) && Holds(hash, folded, {});
}

HiddenFilter::Folder HiddenFilter::FolderOf(std::string_view folder) const {
  Folder key{0, platform::FoldFileName(folder)};
  key.hash = FoldedHash(key.folded);
  key.folded += '\\';
  return key;
}

// The folded name is made in memory the thread keeps, so a walk that meets
// many hidden photos allocates nothing for them.
bool HiddenFilter::Contains(const Folder& folder, std::string_view name) const {
  const uint64_t hash = PathHash(folder.hash, NameHash(name));
  if (!MayHold(hash)) return false;
  thread_local std::string folded;
  folded.clear();
  platform::AppendFoldedFileName(folded, name);
  return Holds(hash, folder.folded, folded);
}

// A photo under the hash whose folded path is the folder's and the name's.
bool HiddenFilter::Holds(uint64_t hash, std::string_view foldedFolder, std::string_view foldedName) const {
  const auto [first, last] = byHash_.equal_range(hash);
  for (auto it = first; it != last; ++it) {
    const std::string_view text = it->second;
    if (text.size() == foldedFolder.size() + foldedName.size() && text.starts_with(foldedFolder) &&
        text.ends_with(foldedName))
      return true;
  }
  return false;
}

}  // namespace slideshow
