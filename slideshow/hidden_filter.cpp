#include "slideshow/hidden_filter.h"

#include "platform/file_name_case.h"
#include "platform/utf16.h"

namespace slideshow {
namespace {

constexpr uint64_t kHashStart = 0xcbf29ce484222325ULL;

// FNV-1a over the folded characters, so a path hashes the same whether it
// comes whole or as a folder and a name.
uint64_t HashFolded(uint64_t hash, std::string_view text) {
  for (size_t at = 0; at < text.size();) {
    const auto byte = static_cast<unsigned char>(text[at]);
    char32_t c = byte;
    if (byte < 0x80) {
      c = byte >= 'a' && byte <= 'z' ? byte - 0x20 : byte;
      ++at;
    } else {
      c = platform::UpperFileNameCharacter(platform::DecodeUtf8(text, at));
    }
    hash = (hash ^ c) * 0x100000001b3ULL;
  }
  return hash;
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
  const uint64_t hash = HashFolded(kHashStart, path);
  std::string folded = platform::FoldFileName(path);
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
  const uint64_t hash = HashFolded(kHashStart, path);
  return MayHold(hash) && Holds(hash, platform::FoldFileName(path), {});
}

HiddenFilter::Folder HiddenFilter::FolderOf(std::string_view folder) const {
  Folder key{HashFolded(HashFolded(kHashStart, folder), "\\"), platform::FoldFileName(folder)};
  key.folded += '\\';
  return key;
}

// The folded name is made in memory the thread keeps, so a walk that meets
// many hidden photos allocates nothing for them.
bool HiddenFilter::Contains(const Folder& folder, std::string_view name) const {
  const uint64_t hash = HashFolded(folder.hash, name);
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
