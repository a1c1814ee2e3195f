#include "platform/background_reader.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace platform {
namespace {

// A read that throws answers with its failure answer; so does one that
// answers nothing.
BackgroundReader::Answer Run(const BackgroundReader::StreamingRead& read,
                             const BackgroundReader::Post& post,
                             const BackgroundReader::Answer& failed) noexcept {
  try {
    if (BackgroundReader::Answer answer = read(post)) return answer;
  } catch (...) {
  }
  try {
    return failed;
  } catch (...) {
    return {};  // not even the failure answer could be copied
  }
}

}  // namespace

struct BackgroundReader::Shared {
  struct Job {
    int slot = 0;
    uint64_t serial = 0;
    StreamingRead read;
    Answer failed;
  };
  struct Done {
    int slot = 0;
    uint64_t serial = 0;
    Answer answer;
  };

  void Work();
  Post PostFor(int slot, uint64_t serial);
  bool IsLatest(int slot, uint64_t serial) const {
    const auto it = latest.find(slot);
    return it != latest.end() && it->second == serial;
  }

  std::function<void()> wake;
  std::mutex mutex;
  std::condition_variable changed;
  bool stop = false;
  bool onWorker = false;
  std::map<int, uint64_t> latest;  // the serial of each slot's latest read
  std::deque<Job> jobs;
  std::vector<Done> answers;
};

void BackgroundReader::Shared::Work() {
  std::unique_lock lock(mutex);
  for (;;) {
    changed.wait(lock, [this] { return stop || !jobs.empty(); });
    if (stop) return;
    Job job = std::move(jobs.front());
    jobs.pop_front();
    lock.unlock();
    Answer answer = Run(job.read, PostFor(job.slot, job.serial), job.failed);
    job = {job.slot, job.serial, nullptr, nullptr};
    lock.lock();
    if (stop) return;
    if (!answer || !IsLatest(job.slot, job.serial)) continue;
    answers.push_back({job.slot, job.serial, std::move(answer)});
    lock.unlock();
    if (wake) wake();
    lock.lock();
  }
}

// On the worker an answer posted waits with the others for Deliver; without
// one it runs at once, as the read itself does.
BackgroundReader::Post BackgroundReader::Shared::PostFor(int slot, uint64_t serial) {
  return [this, slot, serial](Answer answer) {
    std::unique_lock lock(mutex);
    if (stop || !IsLatest(slot, serial)) return false;
    if (!answer) return true;
    if (!onWorker) {
      lock.unlock();
      answer();
      lock.lock();
      return IsLatest(slot, serial);
    }
    answers.push_back({slot, serial, std::move(answer)});
    lock.unlock();
    if (wake) wake();
    return true;
  };
}

BackgroundReader::BackgroundReader(Setup setup) : shared_(std::make_shared<Shared>()) {
  shared_->wake = std::move(setup.wake);
  if (!setup.onWorker) return;
  try {
    std::thread([shared = shared_, start = std::move(setup.threadStart)] {
      if (start) start();
      shared->Work();
    }).detach();
    shared_->onWorker = true;
  } catch (const std::system_error&) {
    // No thread: every read runs inside Start.
  }
}

BackgroundReader::~BackgroundReader() {
  {
    std::lock_guard lock(shared_->mutex);
    shared_->stop = true;
  }
  shared_->changed.notify_all();
}

bool BackgroundReader::OnWorker() const { return shared_->onWorker; }

void BackgroundReader::Start(int slot, Read read, Answer failed) {
  StartStreaming(
      slot, [read = std::move(read)](const Post&) { return read(); }, std::move(failed));
}

void BackgroundReader::StartStreaming(int slot, StreamingRead read, Answer failed) {
  Shared& s = *shared_;
  uint64_t serial = 0;
  {
    std::lock_guard lock(s.mutex);
    serial = ++s.latest[slot];
    std::erase_if(s.jobs, [slot](const Shared::Job& job) { return job.slot == slot; });
    if (s.onWorker) s.jobs.push_back({slot, serial, std::move(read), std::move(failed)});
  }
  if (s.onWorker) {
    s.changed.notify_all();
    return;
  }
  const Answer answer = Run(read, s.PostFor(slot, serial), failed);
  // The answer may itself have started a newer read of its slot.
  if (answer && s.IsLatest(slot, serial)) answer();
}

void BackgroundReader::Cancel(int slot) {
  std::lock_guard lock(shared_->mutex);
  ++shared_->latest[slot];
  std::erase_if(shared_->jobs, [slot](const Shared::Job& job) { return job.slot == slot; });
}

void BackgroundReader::Deliver() {
  std::vector<Shared::Done> answers;
  {
    std::lock_guard lock(shared_->mutex);
    answers.swap(shared_->answers);
  }
  for (Shared::Done& done : answers) {
    {
      // An answer run before this one may have started a newer read.
      std::lock_guard lock(shared_->mutex);
      if (!shared_->IsLatest(done.slot, done.serial)) continue;
    }
    done.answer();
  }
}

}  // namespace platform
