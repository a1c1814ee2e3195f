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

// Each path as it came: one without a folder (an empty entry, a name
// alone) stays without one.
PictureCatalog CatalogOf(const std::vector<std::string>& paths) {
  PictureCatalog catalog;
  for (const std::string& path : paths) {
    const size_t cut = path.rfind('\\');
    if (cut == std::string::npos)
      catalog.Add(catalog.AddNoFolder(), path);
    else
      catalog.Add(catalog.AddFolder(path.substr(0, cut)), path.substr(cut + 1));
  }
  return catalog;
}

// The entries the documented show goes through, in their order: indices 0
// to lastIndex, those past the slots empty.
std::vector<std::string> ListedPaths(const settings::PictureList& list) {
  std::vector<std::string> paths;
  if (list.entryCount <= 0) return paths;
  for (int32_t index = 0; index <= list.lastIndex; ++index) paths.push_back(list.PathAt(index));
  return paths;
}

uint64_t FreshSeed() {
  std::random_device device;
  const uint64_t clock = uint64_t(std::chrono::steady_clock::now().time_since_epoch().count());
  return (uint64_t(device()) << 32 ^ device()) ^ clock;
}

}  // namespace

PictureSupply::PictureSupply(PictureReaders readers, platform::BackgroundReader::Setup reading,
                             ShuffleKeeping keeping, HiddenFilter hidden, HiddenKeeping keepHidden)
    : readers_(std::move(readers)),
      reading_(reading),
      keeping_(std::move(keeping)),
      hidden_(std::move(hidden)),
      keepHidden_(std::move(keepHidden)),
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
  if (!documented_) {
    sequence_.reset();
    list_ = {};
  }
  listReady_ = false;
  if (picture.useRegisteredList) {
    listReader_.Cancel(kScanSlot);
    ShowList(stored, picture);
    return;
  }
  // A scan that throws keeps what it found before: a folder that fails part
  // way is a folder with fewer pictures. The scan works on a copy, which
  // keeps the slots past what it finds, as the list always has.
  auto scanned = std::make_shared<settings::PictureList>(list_);
  listReader_.Start(
      kScanSlot,
      [scan = readers_.scan, folder = picture.folder, scanned, picture, this]() {
        try {
          scan(folder, *scanned);
        } catch (...) {
        }
        return platform::BackgroundReader::Answer(
            [this, scanned, picture] { ShowList(std::move(*scanned), picture); });
      });
}

void PictureSupply::ShowList(settings::PictureList found, const settings::PictureSettings& picture) {
  DropHidden(found, hidden_);
  listReady_ = true;
  if (ShowsList(found)) return ArrangeAll();
  const int32_t current = list_.currentIndex;
  list_ = std::move(found);
  list_.currentIndex = current;
  BeginSequence({picture.useRegisteredList, picture.folder, false, false, {}}, std::nullopt);
  documented_ = true;
  const std::vector<std::string> paths = ListedPaths(list_);
  sequence_->Append(CatalogOf(paths));
  // Past the end of the new list the show begins again at its start.
  const bool within = current >= 0 && size_t(current) < paths.size();
  sequence_->StartAt(within ? size_t(current) : 0);
  list_.currentIndex = sequence_->Empty() ? current : int32_t(sequence_->IndexAhead(0));
  ArrangeAll();
}

// The same entries as the list shown, once those hidden since are left out.
bool PictureSupply::ShowsList(const settings::PictureList& found) const {
  if (!documented_) return false;
  settings::PictureList shown = list_;
  DropHidden(shown, hidden_);
  return ListedPaths(shown) == ListedPaths(found);
}

void PictureSupply::BeginSequence(const LibrarySource& source, std::optional<ShufflePlace> kept) {
  sequence_ = std::make_unique<PictureSequence>(source, kept, FreshSeed(), hidden_);
  sequence_->Pause(paused_);
}

// A library's walk is too dear to repeat on every paint: the library goes
// on while what it shows stays the same.
void PictureSupply::ShowLibrary(const LibrarySource& source) {
  if (sequence_ && !documented_ && sequence_->Source() == source) return;
  listReader_.Cancel(kScanSlot);
  list_ = {};
  documented_ = false;
  if (!keptPlace_ && keeping_.read) keptPlace_ = keeping_.read();
  BeginSequence(source, keptPlace_);
  if (source.registered) {
    sequence_->Append(CatalogOf(source.registeredPaths));
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
    if (!sequence_ || documented_) return;
    sequence_->Append(*found);
    listReady_ = true;
    ArrangeAll();
  };
  const auto done = [this] {
    listReady_ = true;
    ArrangeAll();
  };
  listReader_.StartStreaming(
      kScanSlot,
      [walk = readers_.walk, source = sequence_->Source(), take,
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

bool PictureSupply::Empty() const { return !sequence_ || sequence_->Empty(); }

// Another monitor's show starts `offset` pictures along and keeps that
// distance; a list of one picture shows the same everywhere.
// The next slide begins after all the current one shows: a pair's next
// slide is known once the pair has been read (0 until then).
size_t PictureSupply::SlideStart(const Seat& seat, bool ahead) const {
  const size_t offset = size_t(std::max(seat.offset, 0));
  if (!ahead) return offset;
  if (!seat.fit || !seat.fit->choices.pairs) return offset + 1;
  return seat.current.span == 0 ? 0 : offset + size_t(seat.current.span);
}

std::string PictureSupply::SeatPath(const Seat& seat, bool ahead) {
  return sequence_->PathAhead(SlideStart(seat, ahead));
}

// The pick a slide's may pair with: none for the last of an order that
// begins again, nor for the picture itself in a list of one.
std::string PictureSupply::PairablePath(const Seat& seat, size_t start) {
  if (!seat.fit || !seat.fit->choices.pairs) return {};
  std::string next = sequence_->PathAhead(start + 1);
  const bool wraps = !sequence_->Source().shuffled && sequence_->IndexAhead(start + 1) <= sequence_->IndexAhead(start);
  return wraps || next == sequence_->PathAhead(start) ? std::string() : next;
}

std::optional<PictureSupply::Key> PictureSupply::KeyFor(const Seat& seat, bool ahead) {
  if (!listReady_ || !seat.fit || Empty()) return std::nullopt;
  if (ahead && seat.fit->choices.pairs && seat.current.span == 0) return std::nullopt;
  const size_t start = SlideStart(seat, ahead);
  return Key{sequence_->PathAhead(start), *seat.fit, PairablePath(seat, start)};
}

// Each slot holds or reads what the seat wants now: a next picture that has
// become the current one moves over instead of being read again.
void PictureSupply::Arrange(int seatId) {
  Seat& seat = seats_.at(seatId);
  const std::optional<Key> current = KeyFor(seat, false);
  if (!current) return;
  if (seat.current.key != current && seat.next.key == current)
    seat.current = std::exchange(seat.next, Slot{});
  if (seat.current.key != current) Ask(seatId, false, *current);
  // Asked for once the current slide's read says where the next begins.
  const std::optional<Key> next = KeyFor(seat, true);
  if (next && (seat.next.key != next || seat.next.taken)) Ask(seatId, true, *next);
  KeepShufflePlace();
}

void PictureSupply::ArrangeAll() {
  for (auto& [id, seat] : seats_) Arrange(id);
}

// Without a worker a read runs on the shows' thread, so it waits until a
// show wants its answer: the next picture is read at the switch, as a load
// without a worker always was. A held next picture waits likewise.
void PictureSupply::Ask(int seatId, bool ahead, const Key& key) {
  Seat& seat = seats_.at(seatId);
  Slot& slot = ahead ? seat.next : seat.current;
  if (slot.readSlot >= 0) seat.reader->Cancel(slot.readSlot);
  slot = Slot{key, {}, false, !seat.reader->OnWorker() || (ahead && seat.nextHeld)};
  if (!slot.deferred) StartRead(seatId, slot);
}

void PictureSupply::HoldNext(int seatId, bool held) {
  const auto found = seats_.find(seatId);
  if (found == seats_.end()) return;
  Seat& seat = found->second;
  seat.nextHeld = held;
  if (held || !seat.next.deferred || !seat.reader->OnWorker()) return;
  seat.next.deferred = false;
  StartRead(seatId, seat.next);
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
      into->span = read.state == PictureRead::State::Read ? read.picture.Span() : 1;
      into->read = std::move(read);
      into->readSlot = -1;
      if (into == &seat->second.current && key.fit.choices.pairs) Arrange(seatId);
      return;
    }
  };
  auto result = std::make_shared<PictureRead>();
  seat.reader->Start(
      readSlot,
      [decode = readers_.decode, header = readers_.header, key, result, fill] {
        *result = PictureRead::Of(
            ReadSlide(decode, header, key.path, key.nextPath, key.fit.method, key.fit.screen, key.fit.choices));
        return platform::BackgroundReader::Answer([result, fill] { fill(std::move(*result)); });
      },
      // No memory even for the answer: the sample stands in, as for a bad file.
      [fill] { fill(PictureRead::Of(std::nullopt)); });
}

PictureRead PictureSupply::Take(int seatId, ShowFit fit, bool ahead) {
  Seat& seat = seats_.at(seatId);
  if (seat.fit != fit) {
    seat.fit = fit;
    seat.current = {};
    seat.next = {};
  }
  Arrange(seatId);
  if (!listReady_) return {};
  if (Empty()) return PictureRead::Of(std::nullopt);
  const std::optional<Key> wanted = KeyFor(seat, ahead);
  for (Slot* slot : {&seat.current, &seat.next}) {
    if (slot->key != wanted) continue;
    if (slot->deferred) {
      slot->deferred = false;
      StartRead(seatId, *slot);
    }
    if (!slot->read.Ready()) continue;
    slot->taken = true;
    return std::exchange(slot->read, {});
  }
  return {};
}

PictureRead PictureSupply::TakeCurrent(int seat, ShowFit fit) { return Take(seat, fit, false); }

PictureRead PictureSupply::TakeNext(int seat, ShowFit fit) { return Take(seat, fit, true); }

// The picks the leading show's slide shows.
int32_t PictureSupply::LeadingSpan() const {
  for (const auto& [id, seat] : seats_)
    if (seat.offset <= 0) return std::max(seat.current.span, 1);
  return 1;
}

void PictureSupply::RememberSpan(int32_t span) {
  spans_.push_back(span);
  if (spans_.size() > PictureSequence::kHistorySlides) spans_.pop_front();
}

void PictureSupply::Advance() {
  if (!sequence_ || sequence_->Paused()) return;
  const int32_t span = LeadingSpan();
  for (int32_t i = 0; i < span; ++i) sequence_->Switch();
  RememberSpan(span);
  Moved();
}

void PictureSupply::Next() {
  if (sequence_) {
    const int32_t span = LeadingSpan();
    for (int32_t i = 0; i < span; ++i) sequence_->Next();
    RememberSpan(span);
  }
  Moved();
}

bool PictureSupply::Back() {
  if (!sequence_ || !sequence_->Back()) return false;
  if (!spans_.empty()) {
    if (spans_.back() == 2) sequence_->Back();
    spans_.pop_back();
  }
  Moved();
  return true;
}

// The photo leaves this run's sequence at once, whatever its keeper makes of
// it, and every list fed in later; the second photo of a pair goes with the
// first.
void PictureSupply::Hide(const std::string& path) {
  if (path.empty()) return;
  std::vector<std::string> paths{path};
  for (const auto& [id, seat] : seats_)
    if (seat.current.span == 2 && seat.current.key && seat.current.key->path == path)
      paths.push_back(seat.current.key->nextPath);
  for (const std::string& hidden : paths) {
    hidden_.Add(hidden);
    if (keepHidden_) keepHidden_(hidden);
    if (sequence_) sequence_->Hide(hidden);
  }
  Moved();
}

void PictureSupply::Pause(bool paused) {
  paused_ = paused;
  if (sequence_) sequence_->Pause(paused);
}

void PictureSupply::Moved() {
  if (documented_ && !Empty()) list_.currentIndex = int32_t(sequence_->IndexAhead(0));
  ++moves_;
  ArrangeAll();
}

// Written whenever a show's picture moves the round on, so a run that ends
// at any moment goes on next time without showing it again; a picture read
// ahead counts only once it is shown.
void PictureSupply::KeepShufflePlace() {
  if (!sequence_ || !keeping_.write) return;
  // A pair's second photo is shown too.
  int32_t widest = 0;
  for (const auto& [id, seat] : seats_) widest = std::max(widest, seat.offset + std::max(seat.current.span, 1) - 1);
  const std::optional<ShufflePlace> place = sequence_->Place(size_t(widest));
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
