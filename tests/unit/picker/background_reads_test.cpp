// The dialog's reads on a worker: the latest read of a slot wins, answers
// run only on the dialog's thread, and nothing waits for a read that hangs.
#include "picker/background_reads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "fake_controls.h"
#include "picker/thumbnail_when_read.h"

namespace picker::test {
namespace {

// Reads that wait until the test lets them go; held by the reads' closures,
// so a read still waiting when the test ends touches nothing freed.
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

// The dialog's side: counts the wakes and delivers until `done`, for at most
// ten seconds.
class DialogThread {
 public:
  std::function<void()> Wake() {
    return [wakes = wakes_] { ++*wakes; };
  }
  bool DeliverUntil(BackgroundReads& reads, const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < end) {
      reads.Deliver();
      if (done()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
  }
  int Wakes() const { return *wakes_; }

 private:
  std::shared_ptr<std::atomic<int>> wakes_ = std::make_shared<std::atomic<int>>(0);
};

TEST(BackgroundReads, TheLatestReadOfASlotWinsAndAnswersRunOnlyWhenDelivered) {
  DialogThread dialog;
  BackgroundReads reads(dialog.Wake());
  auto gate = std::make_shared<Gate>();
  std::vector<std::string> answered;
  const auto read = [&answered, gate](std::string name, bool waits) {
    return [&answered, gate, name, waits]() -> BackgroundReads::Answer {
      if (waits) gate->Pass();
      return [&answered, name] { answered.push_back(name); };
    };
  };
  reads.Start(0, read("first folder", true));
  ASSERT_TRUE(dialog.DeliverUntil(reads, [&] { return gate->Waiting() == 1; }));
  reads.Start(0, read("second folder", false));  // replaces the first, which still waits
  reads.Start(1, read("thumbnail", true));
  reads.Start(2, read("cancelled", true));
  reads.Cancel(2);
  EXPECT_TRUE(answered.empty());
  gate->Open();
  ASSERT_TRUE(dialog.DeliverUntil(reads, [&] { return answered.size() == 2; }));
  EXPECT_EQ(answered, (std::vector<std::string>{"second folder", "thumbnail"}));
  EXPECT_GE(dialog.Wakes(), 2);
  reads.Start(3, [] () -> BackgroundReads::Answer { throw std::runtime_error("unreadable"); });
  reads.Start(3, read("after a failed read", false));
  ASSERT_TRUE(dialog.DeliverUntil(reads, [&] { return answered.size() == 3; }));
}

TEST(BackgroundReads, TheDialogGoesAtOnceWhileAReadHangsAndItsAnswerNeverRuns) {
  DialogThread dialog;
  auto gate = std::make_shared<Gate>();
  auto ran = std::make_shared<std::atomic<bool>>(false);
  auto reads = std::make_unique<BackgroundReads>(dialog.Wake());
  reads->Start(0, [gate, ran]() -> BackgroundReads::Answer {
    gate->Pass();
    return [ran] { *ran = true; };
  });
  ASSERT_TRUE(dialog.DeliverUntil(*reads, [&] { return gate->Waiting() == 1; }));
  reads.reset();
  gate->Open();  // the worker finishes on its own
  EXPECT_FALSE(*ran);
}

struct FakeImageBox : ImageBoxView {
  codecs::Image picture;
  bool visible = false;
  void SetBounds(int32_t, int32_t, int32_t, int32_t) override {}
  void SetPicture(codecs::Image p) override { picture = std::move(p); }
  void SetVisible(bool v) override { visible = v; }
};

// A click on another file while the first is still being read wins: the
// first file's picture never shows. Hiding the preview forgets a read under
// way.
TEST(ThumbnailWhenRead, TheLastClickWinsAndHidingForgetsTheReadUnderWay) {
  DialogThread dialog;
  BackgroundReads reads(dialog.Wake());
  auto gate = std::make_shared<Gate>();
  FakeImageBox box;
  FakeLabel label;
  const ThumbnailDecoder decode = [gate](const std::string& path) -> std::optional<codecs::Image> {
    if (path == "slow.bmp") gate->Pass();
    codecs::Image image(16, 16);
    std::fill(image.pixels.begin(), image.pixels.end(), path == "slow.bmp" ? 1u : 2u);
    return image;
  };
  ThumbnailWhenRead preview(reads, 0, box, label, decode, codecs::Image(128, 32), 0, 0);
  preview.ShowThumbnail("slow.bmp");
  ASSERT_TRUE(dialog.DeliverUntil(reads, [&] { return gate->Waiting() == 1; }));
  EXPECT_FALSE(box.visible) << "nothing until the picture has been read";
  preview.ShowThumbnail("quick.bmp");
  gate->Open();
  ASSERT_TRUE(dialog.DeliverUntil(reads, [&] { return box.visible; }));
  EXPECT_EQ(label.caption, "quick.bmp");
  EXPECT_EQ(box.picture.pixels.front(), 2u);

  gate = std::make_shared<Gate>();
  preview.ShowThumbnail("slow.bmp");
  preview.HideThumbnail();
  bool after = false;  // a read started later answers after the forgotten one
  reads.Start(1, [&after]() -> BackgroundReads::Answer { return [&after] { after = true; }; });
  gate->Open();
  ASSERT_TRUE(dialog.DeliverUntil(reads, [&] { return after; }));
  EXPECT_FALSE(box.visible);
  EXPECT_EQ(label.caption, "");
}

}  // namespace
}  // namespace picker::test
