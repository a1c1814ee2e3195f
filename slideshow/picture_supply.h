#pragma once
// What every show of the run shows, and when it may: one picture sequence
// (the folder scan, the registered list or a library, with the slides shown
// for going back, the hidden photos and the pause), and the reads of each
// show's current and next picture on the background reader. A show asks
// for "the picture for this switch" and never waits: it gets it if it has
// been read, and asks again on a later wake otherwise.
//
// The documented folder scan and registered list are fed into the sequence
// in their order and limit; a rebuild that finds the same list leaves the
// sequence, and so the history, as it was, and one that finds another goes
// on at the same index.
//
// The shows sit at seats. The leading seat (offset 0) is the documented show
// of the primary screen: its paint refreshes the list, and its switch timer
// and the viewer's keys move the sequence. Every other seat shows the
// picture `offset` places further along, follows each move of the sequence,
// and never owes a backlog: a seat whose read is late shows the picture of
// the sequence as it stands when the read arrives. With pairs, a slide may
// show a seat's pick and the next one (slide_read.h): its next slide begins
// after both, and both count as shown, for going back and for hiding. A
// library (a folder's whole tree, or a shuffled list) is walked once per run
// on the list's reader and streamed in: the shows begin with the first
// picture found. Each seat reads its current and its next picture in slots
// of their own, so a repaint's read of the current picture never throws away
// the next one, and on a reader of its own, so a monitor whose read hangs
// holds up no other; the list is read on another.
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/background_reader.h"
#include "settings/picture_list.h"
#include "settings/saver_settings.h"
#include "slideshow/hidden_filter.h"
#include "slideshow/library_list.h"
#include "slideshow/load_picture.h"
#include "slideshow/picture_sequence.h"
#include "slideshow/picture_tree_walk.h"
#include "slideshow/rect.h"
#include "slideshow/slide_read.h"

namespace slideshow {

// Rebuilds `list` from the folder as the folder scan does.
using ScanFunction = std::function<void(const std::string& folder, settings::PictureList& list)>;

// Walks a library's folder (its whole tree, or the folder alone) with the
// masks of the pictures the saver reads, which it puts in the walk itself.
using WalkFunction = std::function<void(PictureWalk walk, const WalkReceiver& receiver)>;

// How the supply reads. They run on the reader's worker, at the same time as
// anything on the shows' thread, and may outlive the supply: they must touch
// nothing but the files they read and what they themselves hold.
struct PictureReaders {
  DecodeFunction decode;
  ScanFunction scan;
  WalkFunction walk = {};  // none: a library walk finds nothing
  HeaderFunction header = {};  // none: no pairs
};

// Where the shuffle stood at the end of the last run, and where it stands
// now; without them every run begins a round of its own.
struct ShuffleKeeping {
  std::function<std::optional<ShufflePlace>()> read;
  std::function<void(const ShufflePlace&)> write;
};

// Everything besides the file that a fitted picture depends on.
struct ShowFit {
  DisplayMethod method = DisplayMethod::Still;
  Size screen;
  SlideChoices choices;
  friend bool operator==(const ShowFit&, const ShowFit&) = default;
};

// Records a photo hidden for good, for later runs. A failure is the
// keeper's to swallow: the photo stays hidden for this run all the same.
using HiddenKeeping = std::function<void(const std::string& path)>;

class PictureSupply {
 public:
  // No source shows a picture the filter holds, nor one hidden later.
  PictureSupply(PictureReaders readers, platform::BackgroundReader::Setup reading,
                ShuffleKeeping keeping = {}, HiddenFilter hidden = {},
                HiddenKeeping keepHidden = {});
  PictureSupply(const PictureSupply&) = delete;
  PictureSupply& operator=(const PictureSupply&) = delete;

  // A show that takes its pictures `offset` places along from the position
  // (0: the leading show). Returns its seat.
  int Join(int32_t offset);
  void Leave(int seat);

  // The leading show's paint: the list as the store gave it in registered
  // mode, or rescanned from the folder on the reader (the position stays).
  // A library is begun anew only when what it shows has changed.
  void Refresh(const settings::PictureSettings& picture, const settings::PictureList& stored);
  bool ListReady() const { return listReady_; }
  // The documented list, its currentIndex the current slide's; empty while
  // a library is shown.
  const settings::PictureList& List() const { return list_; }

  // Runs the readers' answers; every show calls it on each wake.
  void Deliver();

  // The seat's picture at the current position, once read (not yet: asks
  // for it, and for the next one). `fit` is the seat's for every later read.
  PictureRead TakeCurrent(int seat, ShowFit fit);
  // The seat's picture at the next position, once read.
  PictureRead TakeNext(int seat, ShowFit fit);
  // The leading show's switch: the position moves one on for every seat,
  // unless the switching is paused.
  void Advance();
  // The viewer's moves, for every seat, paused or not: the next slide, the
  // one before (false at the oldest kept), and hiding a photo for good,
  // after which the slide after it is the current one.
  void Next();
  bool Back();
  void Hide(const std::string& path);
  void Pause(bool paused);
  bool Paused() const { return paused_; }
  // How often the position has moved.
  int64_t Moves() const { return moves_; }
  // The path of the seat's picture at the current position; empty for an
  // empty list.
  std::string CurrentPath(int seat);
  // A repaint reads the seat's current picture again; its next stays.
  void ReadCurrentAgain(int seat);
  // While a seat's show fades from one slide to the next it holds both, so
  // its next picture is read only once the fade is over: a third picture
  // never joins the two. A next picture wanted sooner is read then.
  void HoldNext(int seat, bool held);

 private:
  struct Key {
    std::string path;
    ShowFit fit;
    std::string nextPath;  // with pairs: the pick after it, empty at the end of the order
    friend bool operator==(const Key&, const Key&) = default;
  };
  struct Slot {
    std::optional<Key> key;           // what it holds or is reading
    PictureRead read;                 // ready once read, until taken
    bool taken = false;               // a show has it: another switch reads it anew
    bool deferred = false;            // without a worker: read when it is wanted
    int readSlot = -1;                // the reader's slot it is being read in
    int32_t span = 0;                 // picks the read shows (2 for a pair); 0 until read
  };
  struct Seat {
    int32_t offset = 0;
    std::optional<ShowFit> fit;
    Slot current, next;
    bool nextHeld = false;
    std::unique_ptr<platform::BackgroundReader> reader;
  };

  bool Empty() const;
  std::string SeatPath(const Seat& seat, bool ahead);
  size_t SlideStart(const Seat& seat, bool ahead) const;
  std::string PairablePath(const Seat& seat, size_t start);
  int32_t LeadingSpan() const;
  void RememberSpan(int32_t span);
  std::optional<Key> KeyFor(const Seat& seat, bool ahead);
  void ShowList(settings::PictureList found, const settings::PictureSettings& picture);
  bool ShowsList(const settings::PictureList& found) const;
  void ShowLibrary(const LibrarySource& source);
  void BeginSequence(const LibrarySource& source, std::optional<ShufflePlace> kept);
  void WalkLibrary();
  void Moved();
  void KeepShufflePlace();
  void Arrange(int seatId);
  void ArrangeAll();
  void Ask(int seatId, bool ahead, const Key& key);
  void StartRead(int seatId, Slot& slot);
  PictureRead Take(int seatId, ShowFit fit, bool ahead);

  PictureReaders readers_;
  const platform::BackgroundReader::Setup reading_;
  const ShuffleKeeping keeping_;
  HiddenFilter hidden_;  // the store's and those hidden in this run
  const HiddenKeeping keepHidden_;
  settings::PictureList list_;
  std::unique_ptr<PictureSequence> sequence_;
  bool documented_ = false;  // the sequence shows list_, not a library
  std::optional<ShufflePlace> keptPlace_;
  bool listReady_ = false;
  bool paused_ = false;
  // The picks each slide the leading show moved on from showed, newest last,
  // so that going back goes back a whole slide.
  std::deque<int32_t> spans_;
  int64_t moves_ = 0;
  std::map<int, Seat> seats_;
  int nextSeat_ = 0;
  // Last: it goes first, so no answer runs into a supply being destroyed.
  platform::BackgroundReader listReader_;
};

}  // namespace slideshow
