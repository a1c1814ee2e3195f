#pragma once
// Reads on a worker thread, so that storage that answers slowly or never (a
// share whose server sleeps, a disk spinning up, an ejected card) never
// freezes the thread that owns a window: a read runs on the worker and hands
// back an answer, which the owner runs on its own thread when the worker has
// woken it. Each kind of read has a slot, and the latest read of a slot wins:
// an answer to a read that a newer one of its slot has replaced is thrown
// away. A read that throws, whatever it throws (std::bad_alloc included),
// answers with the failure answer it was started with.
//
// The worker holds what it shares with the owner; when the owner's reader
// goes, a worker blocked in a read is left to finish on its own (or to end
// with the process), and no answer of it ever runs. So a read must touch
// nothing of the owner's, only what it captured.
#include <functional>
#include <memory>

namespace platform {

class BackgroundReader {
 public:
  // Runs on the owner's thread, with what the read found.
  using Answer = std::function<void()>;
  // Runs on the worker and gives the answer for the owner's thread.
  using Read = std::function<Answer()>;
  // Hands the owner an answer while the read goes on, to run before the
  // read's own. False once the read is no longer wanted (a newer read of its
  // slot, a cancel, the reader gone); an empty answer only asks that.
  using Post = std::function<bool(Answer)>;
  using StreamingRead = std::function<Answer(const Post& post)>;

  struct Setup {
    // Runs on the worker whenever an answer waits; the owner then calls
    // Deliver on its own thread.
    std::function<void()> wake;
    // Runs first on the worker thread (the platform's settings for a thread
    // that touches files: platform/reader_thread_win.h).
    std::function<void()> threadStart;
    // False, or no thread to be had: a read runs at once inside Start, and so
    // does its answer.
    bool onWorker = true;
  };

  explicit BackgroundReader(Setup setup);
  // Tells the worker to stop and returns at once, whatever it is reading.
  ~BackgroundReader();
  BackgroundReader(const BackgroundReader&) = delete;
  BackgroundReader& operator=(const BackgroundReader&) = delete;

  // Starts a read in `slot` (any int), replacing the slot's earlier one: a
  // read of the slot not yet begun is dropped, and the answer of one under
  // way will not run. `failed` answers instead if the read throws.
  void Start(int slot, Read read, Answer failed = {});
  // The same for a read that hands out answers as it goes.
  void StartStreaming(int slot, StreamingRead read, Answer failed = {});
  // Throws away the slot's read and its answer, if any.
  void Cancel(int slot);
  // Runs the answers that wait, oldest first.
  void Deliver();
  // Whether reads run on a worker (false: at once, inside Start).
  bool OnWorker() const;

 private:
  struct Shared;
  std::shared_ptr<Shared> shared_;
};

}  // namespace platform
