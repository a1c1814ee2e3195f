#pragma once
// Storage for a show's worker that answers when the test lets it: folder
// listings and picture reads wait at their own gate until the test opens it
// (never, if it does not). Everything the worker touches is held by a shared
// state, so a worker still waiting when the test ends touches nothing freed;
// the storage opens both gates when it goes.
#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "settings/memory_directory.h"
#include "slideshow/picture_supply.h"
#include "slideshow/picture_scan.h"
#include "tests/support/reader_gate.h"

namespace slideshow::testing {

class SlowStorage {
 public:
  SlowStorage() = default;
  ~SlowStorage() {
    OpenScans();
    OpenReads();
  }
  SlowStorage(const SlowStorage&) = delete;
  SlowStorage& operator=(const SlowStorage&) = delete;

  // Only before the worker starts reading.
  settings::MemoryDirectory& Directory() { return state_->directory; }
  std::map<std::string, codecs::Image>& Files() { return state_->files; }

  void OpenScans() { Set(&State::scansOpen, true); }
  void CloseScans() { Set(&State::scansOpen, false); }
  void OpenReads() { Set(&State::readsOpen, true); }
  void CloseReads() { Set(&State::readsOpen, false); }
  // The number of picture reads started, waiting ones included, and of
  // those that have answered.
  int ReadsStarted() const {
    std::lock_guard lock(state_->mutex);
    return state_->readsStarted;
  }
  int ReadsAnswered() const {
    std::lock_guard lock(state_->mutex);
    return state_->readsAnswered;
  }

  PictureReaders Readers() const {
    return {[state = state_](const std::string& path, const codecs::ShownSize&) -> std::optional<codecs::Image> {
              std::unique_lock lock(state->mutex);
              ++state->readsStarted;
              state->changed.wait(lock, [&] { return state->readsOpen; });
              ++state->readsAnswered;
              const auto it = state->files.find(path);
              if (it == state->files.end()) return std::nullopt;
              return it->second;
            },
            [state = state_](const std::string& folder, settings::PictureList& list) {
              std::unique_lock lock(state->mutex);
              state->changed.wait(lock, [&] { return state->scansOpen; });
              ScanPictureFolder(folder, state->directory, list);
            }};
  }

 private:
  struct State {
    mutable std::mutex mutex;
    std::condition_variable changed;
    bool scansOpen = true, readsOpen = true;
    int readsStarted = 0, readsAnswered = 0;
    settings::MemoryDirectory directory;
    std::map<std::string, codecs::Image> files;
  };
  void Set(bool State::*gate, bool open) {
    {
      std::lock_guard lock(state_->mutex);
      (*state_).*gate = open;
    }
    state_->changed.notify_all();
  }
  std::shared_ptr<State> state_ = std::make_shared<State>();
};

using tolvex_test::Eventually;

}  // namespace slideshow::testing
