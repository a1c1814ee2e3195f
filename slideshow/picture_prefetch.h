#pragma once
// Reads for the show on a worker thread: the picture folder's list and each
// picture, decoded and reduced to the size it will be shown at (which
// depends on nothing but the picture's size, the floating flag and the
// screen). Storage may answer slowly or never (a share whose server sleeps,
// a disk spinning up, a file fetched on first open), so the window's thread
// never waits for a read: it asks, goes on, and looks for the answer on
// later wakes; every piece of saver state stays on the window's thread,
// which takes an answer only if it was made for exactly what it asks now.
//
// The worker owns what it reads with; the window only holds a handle. When
// the handle goes, a worker blocked in a read is left to finish (or to end
// with the process) on its own: nothing it touches belongs to the window,
// so a saver that is told to end never waits for the disk.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "slideshow/load_picture.h"
#include "settings/picture_list.h"
#include "slideshow/rect.h"

namespace slideshow {

// Everything a fitted picture depends on.
struct PrefetchKey {
  std::string path;
  bool floating = false;
  Size screen;
  friend bool operator==(const PrefetchKey&, const PrefetchKey&) = default;
};

struct PrefetchResult {
  std::optional<FittedPicture> picture;  // none: the file could not be decoded
};

// Rebuilds `list` from the folder as the folder scan does.
using ScanFunction = std::function<void(const std::string& folder, settings::PictureList& list)>;

// How the worker reads. Both run on the worker thread, at the same time as
// anything on the window's thread, and may outlive the window: they must
// touch nothing but the files they read and what they themselves hold.
struct PrefetchReaders {
  DecodeFunction decode;
  ScanFunction scan;
};

class PicturePrefetch {
 public:
  // `onWorker` false, or no thread to be had: a read runs on the caller's
  // thread when its answer is taken, as a load without a worker always did.
  PicturePrefetch(PrefetchReaders readers, bool onWorker);
  // Tells the worker to stop and returns at once, whatever it is reading.
  ~PicturePrefetch();
  PicturePrefetch(const PicturePrefetch&) = delete;
  PicturePrefetch& operator=(const PicturePrefetch&) = delete;

  // Asks for one picture; replaces any earlier picture request, whose result
  // is then thrown away. Asking again for the key being decoded or ready
  // changes nothing.
  void Request(const PrefetchKey& key);
  // The result made for exactly `key` once it is there; never waits.
  std::optional<PrefetchResult> Take(const PrefetchKey& key);

  // Asks for `folder` to be scanned into a copy of `list`; replaces any
  // earlier scan request. Scans go before pictures. Returns the ticket that
  // TakeScan answers.
  uint64_t RequestScan(const std::string& folder, const settings::PictureList& list);
  // The list scanned for `ticket` once it is there; never waits.
  std::optional<settings::PictureList> TakeScan(uint64_t ticket);

 private:
  struct Shared;
  std::shared_ptr<Shared> shared_;
  bool onWorker_ = false;
};

}  // namespace slideshow
