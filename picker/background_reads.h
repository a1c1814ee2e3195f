#pragma once
// Reads for a dialog on a worker thread, so that a folder on slow storage
// never freezes it: a read runs on the worker and hands back an answer,
// which the dialog runs on its own thread when the worker wakes it. Each
// kind of read has a slot, and the latest read of a slot wins: an answer to
// a read that a newer one of its slot has replaced (another folder opened,
// another file clicked) is thrown away.
//
// The worker holds what it shares with the dialog; when the dialog goes, a
// worker blocked in a read is left to finish on its own, and its answer is
// never run.
#include <functional>
#include <memory>

namespace picker {

class BackgroundReads {
 public:
  // Runs on the dialog's thread, with what the read found.
  using Answer = std::function<void()>;
  // Runs on the worker: it must touch nothing of the dialog, only what it
  // captured, and gives the answer for the dialog's thread.
  using Read = std::function<Answer()>;

  // `wake` runs on the worker whenever an answer waits; the dialog then calls
  // Deliver on its own thread. Without a thread to be had, a read runs at
  // once, inside Start, and so does its answer.
  explicit BackgroundReads(std::function<void()> wake);
  ~BackgroundReads();
  BackgroundReads(const BackgroundReads&) = delete;
  BackgroundReads& operator=(const BackgroundReads&) = delete;

  // Starts a read in `slot` (0 to 7), replacing the slot's earlier one.
  void Start(int slot, Read read);
  // Throws away the slot's read and its answer, if any.
  void Cancel(int slot);
  // Runs the answers that wait, oldest first.
  void Deliver();

 private:
  struct Shared;
  std::shared_ptr<Shared> shared_;
};

}  // namespace picker
