#include "slideshow/picture_supply.h"

#include <memory>
#include <utility>

namespace slideshow {
namespace {

constexpr int kScanSlot = 0;

}  // namespace

PictureSupply::PictureSupply(PictureReaders readers, platform::BackgroundReader::Setup reading)
    : readers_(std::move(readers)), reading_(reading), listReader_(std::move(reading)) {}

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
  const int32_t position = list_.currentIndex;
  listReady_ = false;
  if (picture.useRegisteredList) {
    listReader_.Cancel(kScanSlot);
    list_ = stored;
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
          list_.currentIndex = current;
          listReady_ = true;
          ArrangeAll();
        });
      });
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

std::optional<PictureSupply::Key> PictureSupply::KeyFor(const Seat& seat, bool ahead) const {
  if (!listReady_ || !seat.fit || list_.entryCount == 0) return std::nullopt;
  return Key{list_.PathAt(SeatIndex(seat, ahead)), *seat.fit};
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
        *result = DecodeAndFit(decode, key.path, key.fit.floating, key.fit.screen);
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
  if (list_.entryCount == 0) return PictureRead{};
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
  list_.currentIndex = NextIndex(list_.currentIndex);
  ++moves_;
  ArrangeAll();
}

std::string PictureSupply::CurrentPath(int seat) const {
  if (list_.entryCount == 0) return {};
  return list_.PathAt(SeatIndex(seats_.at(seat), false));
}

void PictureSupply::ReadCurrentAgain(int seatId) {
  Seat& seat = seats_.at(seatId);
  seat.current = {};
  Arrange(seatId);
}

}  // namespace slideshow
