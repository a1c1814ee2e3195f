#pragma once
// The few things the picture-selection logic needs of its controls. The
// controls stay the one source of truth: a list box's entries, selection and
// current item live in the list box and the logic asks for them each time.
// Texts are UTF-8 (file names and full paths).
#include <functional>
#include <string>
#include <vector>

namespace picker {

class ControlView {
 public:
  virtual ~ControlView() = default;
  virtual void SetEnabled(bool enabled) = 0;
};

class LabelView : public ControlView {
 public:
  virtual void SetCaption(const std::string& text) = 0;
};

class CheckView {
 public:
  virtual ~CheckView() = default;
  virtual bool Checked() const = 0;
};

// A list box with extended multiple selection. A sorted list box sorts what
// Add appends; an unsorted one appends at the end.
class ListBoxView : public ControlView {
 public:
  virtual int Count() const = 0;
  virtual std::string Text(int index) const = 0;
  virtual bool Selected(int index) const = 0;
  virtual int SelectedCount() const = 0;
  // The entry with the focus mark; it need not be selected, and may be out of
  // range (an empty list has no valid current item).
  virtual int CurrentIndex() const = 0;
  virtual void DeselectAll() = 0;
  virtual void Add(const std::string& text) = 0;
  virtual void Insert(int index, const std::string& text) = 0;
  virtual void Delete(int index) = 0;
  // Empties the list and adds every item, in one go (with drawing held off).
  virtual void Assign(const std::vector<std::string>& items) = 0;
};

// The result of moving the folder list to another drive.
struct DriveChange {
  enum class Kind { Done, NotReady, Failed };
  Kind kind = Kind::Done;
  std::string utf8Message;  // the system's text for Failed
};

// dlbThumb: the current folder as a full path; a drive root keeps its
// trailing backslash ("C:\").
class FolderView {
 public:
  virtual ~FolderView() = default;
  virtual std::string Directory() const = 0;
  virtual char Drive() const = 0;
  // Moves to that drive's current folder once the drive has answered, which
  // may be later: a successful change of folder runs the dialog's
  // dlbThumbChange, then `done` gets the drive's answer. Setting the drive
  // already shown does nothing but answer Done.
  virtual void SetDrive(char driveLetter, std::function<void(const DriveChange&)> done) = 0;
};

// dcbxThumb. Setting the drive it already shows does nothing; another drive
// runs the dialog's dcbxThumbChange.
class DriveView {
 public:
  virtual ~DriveView() = default;
  virtual char Drive() const = 0;
  virtual void SetDrive(char driveLetter) = 0;
};

// The preview of the file last clicked in either list.
class ThumbnailView {
 public:
  virtual ~ThumbnailView() = default;
  virtual void ShowThumbnail(const std::string& path) = 0;
  virtual void HideThumbnail() = 0;
};

// What the dialog needs of the user interface beyond its controls.
class DialogServices {
 public:
  virtual ~DialogServices() = default;
  // A plain message box with an OK button.
  virtual void ShowMessage(const std::string& utf8Text) = 0;
  // Lets the user interface handle the messages already queued.
  virtual void ProcessMessages() = 0;
};

}  // namespace picker
