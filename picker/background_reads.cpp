#include "picker/background_reads.h"

#include <array>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace picker {
namespace {

constexpr int kSlots = 8;

// A read that throws answers nothing.
BackgroundReads::Answer Run(const BackgroundReads::Read& read) noexcept {
  try {
    return read();
  } catch (...) {
    return {};
  }
}

}  // namespace

struct BackgroundReads::Shared {
  struct Job {
    int slot = 0;
    uint64_t serial = 0;
    Read read;
  };
  struct Done {
    int slot = 0;
    uint64_t serial = 0;
    Answer answer;
  };

  void Work();

  std::function<void()> wake;
  std::mutex mutex;
  std::condition_variable changed;
  bool stop = false;
  bool onWorker = false;
  std::array<uint64_t, kSlots> latest{};  // the serial of each slot's latest read
  std::deque<Job> jobs;
  std::vector<Done> answers;
};

void BackgroundReads::Shared::Work() {
  std::unique_lock lock(mutex);
  for (;;) {
    changed.wait(lock, [this] { return stop || !jobs.empty(); });
    if (stop) return;
    Job job = std::move(jobs.front());
    jobs.pop_front();
    lock.unlock();
    Answer answer = Run(job.read);
    job.read = nullptr;
    lock.lock();
    if (stop) return;
    if (!answer || latest[size_t(job.slot)] != job.serial) continue;
    answers.push_back({job.slot, job.serial, std::move(answer)});
    lock.unlock();
    wake();
    lock.lock();
  }
}

BackgroundReads::BackgroundReads(std::function<void()> wake) : shared_(std::make_shared<Shared>()) {
  shared_->wake = std::move(wake);
  try {
    std::thread([shared = shared_] { shared->Work(); }).detach();
    shared_->onWorker = true;
  } catch (const std::system_error&) {
    // No thread: every read runs inside Start.
  }
}

BackgroundReads::~BackgroundReads() {
  {
    std::lock_guard lock(shared_->mutex);
    shared_->stop = true;
  }
  shared_->changed.notify_all();
}

void BackgroundReads::Start(int slot, Read read) {
  Shared& s = *shared_;
  if (slot < 0 || slot >= kSlots) return;
  {
    std::lock_guard lock(s.mutex);
    const uint64_t serial = ++s.latest[size_t(slot)];
    // A read of the slot not yet begun is replaced, not run first.
    std::erase_if(s.jobs, [slot](const Shared::Job& job) { return job.slot == slot; });
    if (s.onWorker) s.jobs.push_back({slot, serial, std::move(read)});
  }
  if (!s.onWorker) {
    if (const Answer answer = Run(read)) answer();
    return;
  }
  s.changed.notify_all();
}

void BackgroundReads::Cancel(int slot) {
  if (slot < 0 || slot >= kSlots) return;
  std::lock_guard lock(shared_->mutex);
  ++shared_->latest[size_t(slot)];
  std::erase_if(shared_->jobs, [slot](const Shared::Job& job) { return job.slot == slot; });
}

void BackgroundReads::Deliver() {
  std::vector<Shared::Done> answers;
  {
    std::lock_guard lock(shared_->mutex);
    answers.swap(shared_->answers);
  }
  for (Shared::Done& done : answers) {
    {
      // An answer run before this one may have started a newer read.
      std::lock_guard lock(shared_->mutex);
      if (shared_->latest[size_t(done.slot)] != done.serial) continue;
    }
    done.answer();
  }
}

}  // namespace picker
