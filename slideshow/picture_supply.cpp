#include "slideshow/picture_supply.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <random>
#include <utility>

namespace slideshow {
namespace {

constexpr int kScanSlot = 0;
// A shuffled library's first pick waits this long for the walk, so it comes
// from the whole of a library that size is walked in, not its first folder.
constexpr std::chrono::milliseconds kShuffleGather{300};

bool IsLibrary(const settings::PictureSettings& picture) {
  return picture.shuffle || (picture.subFolders && !picture.useRegisteredList);
}

// The registered entries the documented show goes through, those that name
// something.
std::vector<std::string> RegisteredPaths(const settings::PictureList& stored) {
  std::vector<std::string> paths;
  for (int32_t index = 0; index < stored.entryCount && index <= stored.lastIndex; ++index)
    if (!stored.PathAt(index).empty()) paths.push_back(stored.PathAt(index));
  return paths;
}

// A hidden picture leaves the documented list as if it had never been in it:
// the entries after it move up, and the list is shorter by one.
void DropHidden(settings::PictureList& list, const HiddenFilter& hidden) {
  if (hidden.Empty()) return;
  const int32_t end = std::min(list.entryCount, settings::PictureList::kSlots);
  int32_t kept = 0;
  for (int32_t index = 0; index < end; ++index) {
    std::string& path = list.paths[size_t(index)];
    if (!path.empty() && hidden.Contains(path)) continue;
    if (kept != index) list.paths[size_t(kept)] = path;
    ++kept;
  }
  const int32_t dropped = end - kept;
  if (dropped == 0) return;
  list.entryCount -= dropped;
  list.lastIndex = std::max(list.lastIndex - dropped, 0);
}

PictureCatalog CatalogOf(const std::vector<std::string>& paths) {
  PictureCatalog catalog;
  for (const std::string& path : paths) {
    const size_t cut = path.rfind('\\');
    const std::string folder = cut == std::string::npos ? std::string() : path.substr(0, cut);
    catalog.Add(catalog.AddFolder(folder), cut == std::string::npos ? path : path.substr(cut + 1));
  }
  return catalog;
}

uint64_t FreshSeed() {
  std::random_device device;
  const uint64_t clock = uint64_t(std::chrono::steady_clock::now().time_since_epoch().count());
  return (uint64_t(device()) << 32 ^ device()) ^ clock;
}

}  // namespace

PictureSupply::PictureSupply(PictureReaders readers, platform::BackgroundReader::Setup reading,
                             ShuffleKeeping keeping, HiddenFilter hidden)
    : readers_(std::move(readers)),
      reading_(reading),
      keeping_(std::move(keeping)),
      hidden_(std::move(hidden)),
      listReader_(std::move(reading)) {}

int PictureSupply::Join(int32_t offset) {
  const int id = nextSeat_++;
  Seat& seat = seats_[id];
  seat.offset = offset;
  seat.reader = std::make_unique<platform::BackgroundReader>(reading_);
  return id;
}

// A read of the seat still under way is left to finish on its own; its
// answer never runs.
void PictureSupply::Leave(int seat) { seats_.erase(seat); }

void PictureSupply::Deliver() {
  listReader_.Deliver();
  for (auto& [id, seat] : seats_) seat.reader->Deliver();
}

void PictureSupply::Refresh(const settings::PictureSettings& picture,
                            const settings::PictureList& stored) {
  if (IsLibrary(picture)) {
    ShowLibrary({picture.useRegisteredList, picture.folder, picture.subFolders, picture.shuffle,
                 picture.useRegisteredList ? RegisteredPaths(stored) : std::vector<std::string>{}});
    return;
  }
  if (library_) {
    library_.reset();
    list_ = {};
  }
  const int32_t position = list_.currentIndex;
  listReady_ = false;
  if (picture.useRegisteredList) {
    listReader_.Cancel(kScanSlot);
    list_ = stored;
    DropHidden(list_, hidden_);
    list_.currentIndex = position;
    listReady_ = true;
    ArrangeAll();
    return;
  }
  // A scan that throws keeps what it found before: a folder that fails part
  // way is a folder with fewer pictures. The scan works on a copy, which
  // keeps the slots past what it finds, as the list always has.
  auto scanned = std::make_shared<settings::PictureList>(list_);
  listReader_.Start(
      kScanSlot,
      [scan = readers_.scan, folder = picture.folder, scanned, this]() {
        try {
          scan(folder, *scanned);
        } catch (...) {
        }
        return platform::BackgroundReader::Answer([this, scanned] {
          const int32_t current = list_.currentIndex;
          list_ = std::move(*scanned);
          DropHidden(list_, hidden_);
          list_.currentIndex = current;
          listReady_ = true;
          ArrangeAll();
        });
      });
}

// A library's walk is too dear to repeat on every paint: the library goes
// on while what it shows stays the same.
void PictureSupply::ShowLibrary(const LibrarySource& source) {
  if (library_ && library_->Source() == source) return;
  listReader_.Cancel(kScanSlot);
  list_ = {};
  if (!keptPlace_ && keeping_.read) keptPlace_ = keeping_.read();
  library_ = std::make_unique<LibraryList>(source, keptPlace_, FreshSeed(), &hidden_);
  if (source.registered) {
    library_->Append(CatalogOf(source.registeredPaths));
    listReady_ = true;
    ArrangeAll();
    return;
  }
  listReady_ = false;
  WalkLibrary();
}

// The walk hands its finds over as it goes; the list is ready at the first
// picture, or at the end of a walk that found none.
void PictureSupply::WalkLibrary() {
  const auto take = [this](const std::shared_ptr<PictureCatalog>& found) {
    if (!library_) return;
    library_->Append(*found);
    listReady_ = true;
    ArrangeAll();
  };
  const auto done = [this] {
    listReady_ = true;
    ArrangeAll();
  };
  listReader_.StartStreaming(
      kScanSlot,
      [walk = readers_.walk, source = library_->Source(), take,
       done](const platform::BackgroundReader::Post& post) {
        size_t total = 0;
        const auto gather = source.shuffled ? kShuffleGather : std::chrono::milliseconds(0);
        walk({source.folder, source.wholeTree, {}, gather},
             WalkReceiver{[&](PictureCatalog&& found) {
                            total += found.Size();
                            auto batch = std::make_shared<PictureCatalog>(std::move(found));
                            return post([take, batch] { take(batch); }) &&
                                   total < PictureCatalog::kMaxPictures;
                          },
                          [&] { return post({}); }});
        return platform::BackgroundReader::Answer(done);
      },
      // A walk that fails part way leaves a library with what it found.
      done);
}

bool PictureSupply::Empty() const {
  return library_ ? library_->Empty() : list_.entryCount == 0;
}

int32_t PictureSupply::NextIndex(int32_t index) const {
  return index + 1 > list_.lastIndex ? 0 : index + 1;
}

// Another monitor's show starts `offset` pictures along and keeps that
// distance; a list of one picture (or fewer) shows the same everywhere.
int32_t PictureSupply::SeatIndex(const Seat& seat, bool ahead) const {
  const int32_t index = ahead ? NextIndex(list_.currentIndex) : list_.currentIndex;
  if (seat.offset <= 0 || list_.lastIndex <= 0) return index;
  return int32_t((int64_t(index) + seat.offset) % (int64_t(list_.lastIndex) + 1));
}

std::string PictureSupply::SeatPath(const Seat& seat, bool ahead) {
  if (library_) return library_->PathAhead(size_t(std::max(seat.offset, 0)) + (ahead ? 1 : 0));
  return list_.PathAt(SeatIndex(seat, ahead));
}

std::optional<PictureSupply::Key> PictureSupply::KeyFor(const Seat& seat, bool ahead) {
  if (!listReady_ || !seat.fit || Empty()) return std::nullopt;
  return Key{SeatPath(seat, ahead), *seat.fit};
}

// Each slot holds or reads what the seat wants now: a next picture that has
// become the current one moves over instead of being read again.
void PictureSupply::Arrange(int seatId) {
  Seat& seat = seats_.at(seatId);
  const std::optional<Key> current = KeyFor(seat, false), next = KeyFor(seat, true);
  if (!current) return;
  if (seat.current.key != current && seat.next.key == current)
    seat.current = std::exchange(seat.next, Slot{});
  if (seat.current.key != current) Ask(seatId, false, *current);
  if (seat.next.key != next || seat.next.taken) Ask(seatId, true, *next);
  KeepShufflePlace();
}

void PictureSupply::ArrangeAll() {
  for (auto& [id, seat] : seats_) Arrange(id);
}

// Without a worker a read runs on the shows' thread, so it waits until a
// show wants its answer: the next picture is read at the switch, as a load
// without a worker always was.
void PictureSupply::Ask(int seatId, bool ahead, const Key& key) {
  Seat& seat = seats_.at(seatId);
  Slot& slot = ahead ? seat.next : seat.current;
  if (slot.readSlot >= 0) seat.reader->Cancel(slot.readSlot);
  slot = Slot{key, std::nullopt, false, !seat.reader->OnWorker()};
  if (!slot.deferred) StartRead(seatId, slot);
}

// A slot's read runs in one of the reader's two slots, never in the one the
// seat's other slot is reading in: a next picture that became the current
// one while it was read keeps its read when another next is asked for.
void PictureSupply::StartRead(int seatId, Slot& slot) {
  Seat& seat = seats_.at(seatId);
  const Slot& other = &slot == &seat.current ? seat.next : seat.current;
  const int readSlot = other.readSlot == 0 ? 1 : 0;
  slot.readSlot = readSlot;
  const Key key = *slot.key;
  const auto fill = [this, seatId, readSlot, key](PictureRead read) {
    const auto seat = seats_.find(seatId);
    if (seat == seats_.end()) return;
    for (Slot* into : {&seat->second.current, &seat->second.next}) {
      if (into->readSlot != readSlot || into->key != key) continue;
      into->read = std::move(read);
      into->readSlot = -1;
      return;
    }
  };
  auto result = std::make_shared<PictureRead>();
  seat.reader->Start(
      readSlot,
      [decode = readers_.decode, key, result, fill] {
        *result = DecodeAndFit(decode, key.path, key.fit.method, key.fit.screen);
        return platform::BackgroundReader::Answer([result, fill] { fill(std::move(*result)); });
      },
      // Out of memory even to fit: the sample stands in, as for a bad file.
      [fill] { fill(std::nullopt); });
}

std::optional<PictureRead> PictureSupply::Take(int seatId, ShowFit fit, bool ahead) {
  Seat& seat = seats_.at(seatId);
  if (seat.fit != fit) {
    seat.fit = fit;
    seat.current = {};
    seat.next = {};
  }
  Arrange(seatId);
  if (!listReady_) return std::nullopt;
  if (Empty()) return PictureRead{};
  const std::optional<Key> wanted = KeyFor(seat, ahead);
  for (Slot* slot : {&seat.current, &seat.next}) {
    if (slot->key != wanted) continue;
    if (slot->deferred) {
      slot->deferred = false;
      StartRead(seatId, *slot);
    }
    if (!slot->read) continue;
    PictureRead read = std::move(*slot->read);
    slot->read.reset();
    slot->taken = true;
    return read;
  }
  return std::nullopt;
}

std::optional<PictureRead> PictureSupply::TakeCurrent(int seat, ShowFit fit) {
  return Take(seat, fit, false);
}

std::optional<PictureRead> PictureSupply::TakeNext(int seat, ShowFit fit) {
  return Take(seat, fit, true);
}

void PictureSupply::Advance() {
  if (library_)
    library_->Advance();
  else
    list_.currentIndex = NextIndex(list_.currentIndex);
  ++moves_;
  ArrangeAll();
}

// Written whenever a show's picture moves the round on, so a run that ends
// at any moment goes on next time without showing it again; a picture read
// ahead counts only once it is shown.
void PictureSupply::KeepShufflePlace() {
  if (!library_ || !keeping_.write) return;
  int32_t widest = 0;
  for (const auto& [id, seat] : seats_) widest = std::max(widest, seat.offset);
  const std::optional<ShufflePlace> place = library_->Place(size_t(widest));
  if (!place || place == keptPlace_) return;
  keptPlace_ = place;
  keeping_.write(*place);
}

std::string PictureSupply::CurrentPath(int seat) {
  if (Empty()) return {};
  return SeatPath(seats_.at(seat), false);
}

void PictureSupply::ReadCurrentAgain(int seatId) {
  Seat& seat = seats_.at(seatId);
  seat.current = {};
  Arrange(seatId);
}

}  // namespace slideshow
