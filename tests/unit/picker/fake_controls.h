#pragma once
// Controls in memory that behave like the Win32 ones the dialog uses: a list
// box with extended selection and a caret, sorted (ignoring case) or not;
// inserted entries come in unselected; drive controls that report a change
// only when the drive really changes.
#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "picker/controls.h"

namespace picker::test {

struct FakeControl : ControlView {
  bool enabled = true;
  void SetEnabled(bool e) override { enabled = e; }
};

struct FakeLabel : LabelView {
  bool enabled = true;
  std::string caption;
  void SetEnabled(bool e) override { enabled = e; }
  void SetCaption(const std::string& text) override { caption = text; }
};

struct FakeCheck : CheckView {
  bool checked = false;
  bool Checked() const override { return checked; }
};

class FakeListBox : public ListBoxView {
 public:
  explicit FakeListBox(bool sorted) : sorted_(sorted) {}

  bool enabled = true;
  int caret = 0;

  // The user's clicks: a plain click selects only that entry, a Ctrl+click
  // toggles it, a Shift+click selects the range from the anchor; all of them
  // move the caret there.
  void Click(int i) {
    DeselectAll();
    selected_[size_t(i)] = true;
    caret = anchor_ = i;
  }
  void CtrlClick(int i) {
    selected_[size_t(i)] = !selected_[size_t(i)];
    caret = anchor_ = i;
  }
  void ShiftClick(int i) {
    DeselectAll();
    for (int k = std::min(anchor_, i); k <= std::max(anchor_, i); ++k) selected_[size_t(k)] = true;
    caret = i;
  }
  std::vector<std::string> Items() const { return items_; }
  std::vector<int> SelectedIndexes() const {
    std::vector<int> out;
    for (int i = 0; i < Count(); ++i)
      if (selected_[size_t(i)]) out.push_back(i);
    return out;
  }

  void SetEnabled(bool e) override { enabled = e; }
  int Count() const override { return int(items_.size()); }
  std::string Text(int i) const override { return items_.at(size_t(i)); }
  bool Selected(int i) const override { return selected_.at(size_t(i)); }
  int SelectedCount() const override {
    return int(std::count(selected_.begin(), selected_.end(), true));
  }
  int CurrentIndex() const override { return caret; }
  void DeselectAll() override { std::fill(selected_.begin(), selected_.end(), false); }
  void Add(const std::string& text) override {
    const auto at = sorted_ ? std::upper_bound(items_.begin(), items_.end(), text, LessNoCase)
                            : items_.end();
    Insert(int(at - items_.begin()), text);
  }
  void Insert(int i, const std::string& text) override {
    items_.insert(items_.begin() + i, text);
    selected_.insert(selected_.begin() + i, false);
  }
  void Delete(int i) override {
    items_.erase(items_.begin() + i);
    selected_.erase(selected_.begin() + i);
  }
  void Assign(const std::vector<std::string>& items) override {
    items_.clear();
    selected_.clear();
    caret = 0;
    for (const std::string& item : items) Add(item);
  }

 private:
  static bool LessNoCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
      return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
  }
  bool sorted_;
  int anchor_ = 0;
  std::vector<std::string> items_;
  std::vector<bool> selected_;
};

// dlbThumb: remembers each drive's current folder, as the system does, and
// answers a change of drive at once unless told to answer later.
class FakeFolderList : public FolderView {
 public:
  std::function<void()> onChange;  // dlbThumbChange
  std::map<char, std::string> currentFolderOfDrive;
  std::set<char> notReady;
  std::set<char> failing;

  // The user (or the opener) opens a folder.
  void Open(const std::string& folder) {
    if (folder == directory_) return;
    directory_ = folder;
    currentFolderOfDrive[folder[0]] = folder;
    if (onChange) onChange();
  }
  std::string Directory() const override { return directory_; }
  char Drive() const override { return directory_.empty() ? '\0' : directory_[0]; }
  // A slow drive: the change waits for AnswerDrive.
  bool answerLater = false;
  void SetDrive(char drive, std::function<void(const DriveChange&)> done) override {
    pendingDrive_ = [this, drive, done = std::move(done)] {
      const DriveChange change = Move(drive);
      if (done) done(change);
    };
    if (!answerLater) AnswerDrive();
  }
  void AnswerDrive() { std::exchange(pendingDrive_, nullptr)(); }

 private:
  DriveChange Move(char drive) {
    if (drive == Drive()) return {};
    if (notReady.count(drive)) return {DriveChange::Kind::NotReady, ""};
    if (failing.count(drive)) return {DriveChange::Kind::Failed, "アクセスが拒否されました。"};
    const auto known = currentFolderOfDrive.find(drive);
    Open(known != currentFolderOfDrive.end() ? known->second : std::string(1, drive) + ":\\");
    return {};
  }

  std::string directory_;
  std::function<void()> pendingDrive_;
};

class FakeDriveSelector : public DriveView {
 public:
  std::function<void()> onChange;  // dcbxThumbChange
  char drive = 'C';
  char Drive() const override { return drive; }
  void SetDrive(char d) override {
    if (d == drive) return;
    drive = d;
    if (onChange) onChange();
  }
};

struct FakePreview : ThumbnailView {
  bool shown = false;
  std::string path;
  std::vector<std::string> shownPaths;
  void ShowThumbnail(const std::string& p) override {
    shown = true;
    path = p;
    shownPaths.push_back(p);
  }
  void HideThumbnail() override {
    shown = false;
    path.clear();
  }
};

struct FakeServices : DialogServices {
  std::vector<std::string> messages;
  int processed = 0;
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void ProcessMessages() override { ++processed; }
};

}  // namespace picker::test
