#pragma once
// Reads that wait until a test lets them go, and the owner's side of a
// background reader: counting its wakes and delivering until something is
// done. A gate is held by the reads' closures, so a
// read still waiting when a test ends touches nothing freed.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/background_reader.h"

namespace tolvex_test {

struct Gate {
  std::mutex mutex;
  std::condition_variable changed;
  bool open = false;
  int waiting = 0;
  void Pass() {
    std::unique_lock lock(mutex);
    ++waiting;
    changed.wait(lock, [this] { return open; });
  }
  void Open() {
    {
      std::lock_guard lock(mutex);
      open = true;
    }
    changed.notify_all();
  }
  int Waiting() {
    std::lock_guard lock(mutex);
    return waiting;
  }
};

// Polls `done` every millisecond for up to ten seconds of real time, calling
// `step` before each look; true once it holds.
inline bool Eventually(const std::function<void()>& step, const std::function<bool()>& done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < end) {
    step();
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return false;
}

class OwnerThread {
 public:
  std::function<void()> Wake() {
    return [wakes = wakes_] { ++*wakes; };
  }
  platform::BackgroundReader::Setup ReaderSetup() { return {Wake(), {}, true}; }
  bool DeliverUntil(platform::BackgroundReader& reader, const std::function<bool()>& done) {
    return Eventually([&reader] { reader.Deliver(); }, done);
  }
  int Wakes() const { return *wakes_; }

 private:
  std::shared_ptr<std::atomic<int>> wakes_ = std::make_shared<std::atomic<int>>(0);
};

}  // namespace tolvex_test
