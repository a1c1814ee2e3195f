#pragma once
// The folder tree that with-slow-folder mounted for the test, as Wine sees
// it (Z: is the root): source\ holds the files, written straight; slow\ is
// source\ seen through the slow file system, whose listings and opens each
// take the delay the test sets. A test run outside with-slow-folder skips.
#include <gtest/gtest.h>

#include <string>

namespace slideshow_test {

class SlowFolder : public ::testing::Test {
 protected:
  void SetUp() override;
  // Back to no delay, which lets a listing still waiting go.
  void TearDown() override;
  std::wstring Source(const std::wstring& name) const { return root_ + L"\\source\\" + name; }
  std::wstring Slow() const { return root_ + L"\\slow"; }
  void SetDelaySeconds(double seconds) const;

 private:
  std::wstring root_;
};

}  // namespace slideshow_test
