#pragma once
// Decodes the next picture ahead, on a worker thread, so that a switch to a
// large photograph does not stall the motion. The worker only turns a file
// into a fitted picture (decoding, then reducing it to the size it will be
// shown at, which depends on nothing but the picture's size, the floating
// flag and the screen); every piece of saver state stays on the window's
// thread, which asks for the next path after each load and, at the switch,
// takes the result only if it was made for exactly that path and those
// settings.
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "slideshow/load_picture.h"
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

class PicturePrefetch {
 public:
  // `decode` runs on the worker thread, at the same time as the window's own
  // decoding: it must be safe for that and touch no window state. If no
  // thread can be started, nothing is ever prefetched and every load
  // decodes on the window's thread as before.
  explicit PicturePrefetch(DecodeFunction decode);
  // Waits for a decode under way to finish, then stops the worker.
  ~PicturePrefetch();
  PicturePrefetch(const PicturePrefetch&) = delete;
  PicturePrefetch& operator=(const PicturePrefetch&) = delete;

  // Asks for one picture; replaces any earlier request, whose result is then
  // thrown away. Asking again for the key being decoded or ready changes
  // nothing.
  void Request(const PrefetchKey& key);

  // The result made for exactly `key`, waiting if the worker is on it right
  // now (it started earlier than a decode here would, so it is the quicker
  // way). Nothing when another key was asked for or the worker had not yet
  // started on this one; the caller then decodes itself.
  std::optional<PrefetchResult> Take(const PrefetchKey& key);

 private:
  void Work();

  DecodeFunction decode_;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool stop_ = false;
  std::optional<PrefetchKey> pending_;  // asked for, not started
  std::optional<PrefetchKey> working_;  // being decoded now
  std::optional<PrefetchKey> readyKey_;
  PrefetchResult ready_;
  std::thread worker_;  // last: starts once everything above exists
};

}  // namespace slideshow
