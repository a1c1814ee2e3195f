// Reads on a worker: the latest read of a slot wins, answers run only on the
// owner's thread, a read that throws answers with its failure, and nothing
// waits for a read that hangs.
#include "platform/background_reader.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/reader_gate.h"

namespace platform {
namespace {

using tolvex_test::Gate;
using tolvex_test::OwnerThread;

TEST(BackgroundReader, TheLatestReadOfASlotWinsAndAnswersRunOnlyWhenDelivered) {
  OwnerThread owner;
  BackgroundReader reads(owner.ReaderSetup());
  auto gate = std::make_shared<Gate>();
  std::vector<std::string> answered;
  const auto read = [&answered, gate](std::string name, bool waits) {
    return [&answered, gate, name, waits]() -> BackgroundReader::Answer {
      if (waits) gate->Pass();
      return [&answered, name] { answered.push_back(name); };
    };
  };
  reads.Start(0, read("first folder", true));
  ASSERT_TRUE(owner.DeliverUntil(reads, [&] { return gate->Waiting() == 1; }));
  reads.Start(0, read("second folder", false));  // replaces the first, which still waits
  reads.Start(1, read("thumbnail", true));
  reads.Start(2, read("cancelled", true));
  reads.Cancel(2);
  reads.Start(1000, read("a slot of any number", false));
  EXPECT_TRUE(answered.empty());
  gate->Open();
  ASSERT_TRUE(owner.DeliverUntil(reads, [&] { return answered.size() == 3; }));
  EXPECT_EQ(answered, (std::vector<std::string>{"second folder", "thumbnail", "a slot of any number"}));
  EXPECT_GE(owner.Wakes(), 3);
}

// Whatever a read throws, std::bad_alloc included, the worker lives on and
// the owner hears of the failure; a read without a failure answer is simply
// forgotten.
TEST(BackgroundReader, AReadThatThrowsAnswersWithItsFailure) {
  OwnerThread owner;
  BackgroundReader reads(owner.ReaderSetup());
  std::vector<std::string> answered;
  const auto failed = [&answered](std::string name) {
    return [&answered, name] { answered.push_back(name + " failed"); };
  };
  reads.Start(0, []() -> BackgroundReader::Answer { throw std::bad_alloc(); }, failed("huge"));
  reads.Start(1, []() -> BackgroundReader::Answer { throw std::runtime_error("unreadable"); }, failed("bad"));
  reads.Start(2, []() -> BackgroundReader::Answer { throw 42; }, failed("odd"));
  reads.Start(3, []() -> BackgroundReader::Answer { throw std::runtime_error("quiet"); });
  reads.Start(4, [&answered]() -> BackgroundReader::Answer {
    return [&answered] { answered.push_back("after"); };
  });
  ASSERT_TRUE(owner.DeliverUntil(reads, [&] { return answered.size() == 4; }));
  EXPECT_EQ(answered, (std::vector<std::string>{"huge failed", "bad failed", "odd failed", "after"}));
}

TEST(BackgroundReader, TheOwnerGoesAtOnceWhileAReadHangsAndItsAnswerNeverRuns) {
  OwnerThread owner;
  auto gate = std::make_shared<Gate>();
  auto ran = std::make_shared<std::atomic<bool>>(false);
  auto reads = std::make_unique<BackgroundReader>(owner.ReaderSetup());
  reads->Start(0, [gate, ran]() -> BackgroundReader::Answer {
    gate->Pass();
    return [ran] { *ran = true; };
  });
  ASSERT_TRUE(owner.DeliverUntil(*reads, [&] { return gate->Waiting() == 1; }));
  reads.reset();
  gate->Open();  // the worker finishes on its own
  EXPECT_FALSE(*ran);
}

// The thread's own settings come before its first read; without a worker a
// read and its answer run inside Start.
TEST(BackgroundReader, TheWorkerStartsWithItsThreadSettingsAndWithoutOneReadsRunAtOnce) {
  OwnerThread owner;
  auto started = std::make_shared<std::atomic<std::thread::id>>();
  BackgroundReader reads({owner.Wake(), [started] { *started = std::this_thread::get_id(); }, true});
  std::thread::id readOn;
  reads.Start(0, [&readOn] {
    const std::thread::id here = std::this_thread::get_id();
    return BackgroundReader::Answer([&readOn, here] { readOn = here; });
  });
  ASSERT_TRUE(owner.DeliverUntil(reads, [&] { return readOn != std::thread::id(); }));
  EXPECT_EQ(readOn, started->load());
  EXPECT_NE(readOn, std::this_thread::get_id());

  BackgroundReader inline_({{}, {}, false});
  bool answered = false;
  inline_.Start(0, [&answered] { return BackgroundReader::Answer([&answered] { answered = true; }); });
  EXPECT_FALSE(inline_.OnWorker());
  EXPECT_TRUE(answered);
}

}  // namespace
}  // namespace platform
