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
  hashes_.insert(hash);
  folded_.insert(platform::FoldFileName(path));
  int wanted = kLeastSlotBits;
  while ((size_t(1) << wanted) < (hashes_.size() << kSlotsPerPhotoBits)) ++wanted;
  if (wanted != slotBits_) {
    slotBits_ = wanted;
    bits_.assign((size_t(1) << wanted) / 64, 0);
    for (const uint64_t each : hashes_) Mark(each);
  } else {
    Mark(hash);
  }
}

bool HiddenFilter::Contains(std::string_view path) const {
  const uint64_t hash = HashFolded(kHashStart, path);
  if (!MayHold(hash) || !hashes_.contains(hash)) return false;
  return folded_.contains(platform::FoldFileName(path));
}

uint64_t HiddenFilter::FolderHash(std::string_view folder) const {
  return HashFolded(HashFolded(kHashStart, folder), "\\");
}

bool HiddenFilter::Contains(uint64_t folderHash, std::string_view folder, std::string_view name) const {
  const uint64_t hash = HashFolded(folderHash, name);
  if (!MayHold(hash) || !hashes_.contains(hash)) return false;
  std::string path(folder);
  path += '\\';
  path += name;
  return folded_.contains(platform::FoldFileName(path));
}

}  // namespace slideshow
