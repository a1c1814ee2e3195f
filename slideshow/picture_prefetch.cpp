#include "slideshow/picture_prefetch.h"

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
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

// A scan that throws keeps what it found before: a folder that fails part
// way is a folder with fewer pictures.
void Scan(const ScanFunction& scan, const std::string& folder, settings::PictureList& list) noexcept {
  try {
    scan(folder, list);
  } catch (...) {
  }
}

}  // namespace

// Everything the worker and the window share; the worker holds it as long as
// it runs, so it outlives the window's handle when a read blocks.
struct PicturePrefetch::Shared {
  explicit Shared(PrefetchReaders r) : readers(std::move(r)) {}

  struct ScanJob {
    uint64_t ticket = 0;
    std::string folder;
    settings::PictureList list;
  };

  void Work();

  const PrefetchReaders readers;
  std::mutex mutex;
  std::condition_variable changed;
  bool stop = false;
  uint64_t lastTicket = 0;
  std::optional<ScanJob> scanPending;
  std::optional<ScanJob> scanReady;
  std::optional<PrefetchKey> pending;  // asked for, not started
  std::optional<PrefetchKey> working;  // being decoded now
  std::optional<PrefetchKey> readyKey;
  PrefetchResult ready;
};

void PicturePrefetch::Shared::Work() {
  std::unique_lock lock(mutex);
  for (;;) {
    changed.wait(lock, [this] { return stop || scanPending || pending; });
    if (stop) return;
    if (scanPending) {
      ScanJob job = *std::exchange(scanPending, std::nullopt);
      lock.unlock();
      Scan(readers.scan, job.folder, job.list);
      lock.lock();
      scanReady = std::move(job);
      continue;
    }
    working = std::exchange(pending, std::nullopt);
    lock.unlock();
    PrefetchResult result = Make(readers.decode, *working);
    lock.lock();
    // A request made meanwhile wants another picture: this one is stale.
    if (!pending) {
      readyKey = working;
      ready = std::move(result);
    }
    working.reset();
  }
}

PicturePrefetch::PicturePrefetch(PrefetchReaders readers, bool onWorker)
    : shared_(std::make_shared<Shared>(std::move(readers))) {
  if (!onWorker) return;
  try {
    std::thread([shared = shared_] { shared->Work(); }).detach();
    onWorker_ = true;
  } catch (const std::system_error&) {
    // No thread: every read runs on the caller's thread.
  }
}

PicturePrefetch::~PicturePrefetch() {
  {
    std::lock_guard lock(shared_->mutex);
    shared_->stop = true;
  }
  shared_->changed.notify_all();
}

void PicturePrefetch::Request(const PrefetchKey& key) {
  Shared& s = *shared_;
  {
    std::lock_guard lock(s.mutex);
    if (s.working == key || s.readyKey == key) {
      s.pending.reset();
      return;
    }
    s.readyKey.reset();
    s.ready = {};
    s.pending = key;
  }
  s.changed.notify_all();
}

std::optional<PrefetchResult> PicturePrefetch::Take(const PrefetchKey& key) {
  Shared& s = *shared_;
  std::lock_guard lock(s.mutex);
  if (!onWorker_ && s.pending == key) {
    s.pending.reset();
    return Make(s.readers.decode, key);
  }
  if (s.readyKey != key) return std::nullopt;
  s.readyKey.reset();
  return std::exchange(s.ready, {});
}

uint64_t PicturePrefetch::RequestScan(const std::string& folder, const settings::PictureList& list) {
  Shared& s = *shared_;
  uint64_t ticket = 0;
  {
    std::lock_guard lock(s.mutex);
    ticket = ++s.lastTicket;
    s.scanReady.reset();
    s.scanPending = Shared::ScanJob{ticket, folder, list};
  }
  s.changed.notify_all();
  return ticket;
}

std::optional<settings::PictureList> PicturePrefetch::TakeScan(uint64_t ticket) {
  Shared& s = *shared_;
  std::lock_guard lock(s.mutex);
  if (!onWorker_ && s.scanPending && s.scanPending->ticket == ticket) {
    Shared::ScanJob job = *std::exchange(s.scanPending, std::nullopt);
    Scan(s.readers.scan, job.folder, job.list);
    return std::move(job.list);
  }
  if (!s.scanReady || s.scanReady->ticket != ticket) return std::nullopt;
  return std::move(std::exchange(s.scanReady, std::nullopt)->list);
}

}  // namespace slideshow
