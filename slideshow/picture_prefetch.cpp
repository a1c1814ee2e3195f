#include "slideshow/picture_prefetch.h"

#include <system_error>
#include <utility>

namespace slideshow {
namespace {

PrefetchResult Make(const DecodeFunction& decode, const PrefetchKey& key) noexcept {
  try {
    return {DecodeAndFit(decode, key.path, key.floating, key.screen)};
  } catch (...) {
    // DecodeAndFit turns every std::exception into a failed decode; this is
    // for anything else a decoder might throw.
    return {};
  }
}

}  // namespace

PicturePrefetch::PicturePrefetch(DecodeFunction decode) : decode_(std::move(decode)) {
  try {
    worker_ = std::thread([this] { Work(); });
  } catch (const std::system_error&) {
    // No thread: Request ignores every request and Take finds nothing.
  }
}

PicturePrefetch::~PicturePrefetch() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  changed_.notify_all();
  if (worker_.joinable()) worker_.join();
}

void PicturePrefetch::Request(const PrefetchKey& key) {
  if (!worker_.joinable()) return;
  {
    std::lock_guard lock(mutex_);
    if (working_ == key || readyKey_ == key) {
      pending_.reset();
      return;
    }
    readyKey_.reset();
    ready_ = {};
    pending_ = key;
  }
  changed_.notify_all();
}

std::optional<PrefetchResult> PicturePrefetch::Take(const PrefetchKey& key) {
  std::unique_lock lock(mutex_);
  if (pending_ == key) {
    pending_.reset();
    return std::nullopt;
  }
  changed_.wait(lock, [&] { return working_ != key; });
  if (readyKey_ != key) return std::nullopt;
  readyKey_.reset();
  return std::exchange(ready_, {});
}

void PicturePrefetch::Work() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return stop_ || pending_; });
    if (stop_) return;
    working_ = std::exchange(pending_, std::nullopt);
    lock.unlock();
    PrefetchResult result = Make(decode_, *working_);
    lock.lock();
    // A request made meanwhile wants another picture: this one is stale.
    if (!pending_) {
      readyKey_ = working_;
      ready_ = std::move(result);
    }
    working_.reset();
    changed_.notify_all();
  }
}

}  // namespace slideshow
