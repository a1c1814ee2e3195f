#pragma once
// dcbxThumb, the drive selector: a drop-down list of the system's drives,
// "c: [volume]" for fixed drives and the bare letter for the others, whose
// media are not asked for (that would wake a floppy or a CD drive).
#include <windows.h>

#include <functional>
#include <string>

#include "picker/controls.h"

namespace picker {

class DriveSelector : public DriveView {
 public:
  // Shows initialDrive; onChange runs after every later change of the drive
  // shown, by the user or by SetDrive.
  void Attach(HWND comboBox, char initialDrive, std::function<void()> onChange);
  HWND Handle() const { return combo_; }

  char Drive() const override;
  // A letter that is not in the list changes nothing.
  void SetDrive(char driveLetter) override;
  // The user picked an entry.
  void SelectionChanged();

 private:
  int IndexOf(char driveLetter) const;

  HWND combo_ = nullptr;
  std::function<void()> onChange_;
  std::wstring letters_;  // upper-case, one per entry
  char shown_ = '\0';
};

}  // namespace picker
