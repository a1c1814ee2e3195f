#pragma once
// The picture-selection logic wired to fake controls and to the real folder
// scan over folders in memory, with the opener's side of an opening.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_controls.h"
#include "picker/picture_selection_logic.h"
#include "settings/folder_scan.h"
#include "settings/memory_directory.h"

namespace picker::test {

// btTrk, btUp, btDown, btErase: enabled or not.
struct Buttons {
  bool trk, up, down, erase;
  bool operator==(const Buttons&) const = default;
};

inline void PrintTo(const Buttons& b, std::ostream* os) {
  *os << "{trk " << b.trk << ", up " << b.up << ", down " << b.down << ", erase " << b.erase << "}";
}

class PictureSelectionTest : public ::testing::Test {
 protected:
  PictureSelectionTest() {
    dlbThumb.onChange = [this] { logic.dlbThumbChange(); };
    dcbxThumb.onChange = [this] { logic.dcbxThumbChange(); };
    dlbThumb.Open("C:\\");
    logic.FormCreate();
  }

  void AddFiles(const std::string& folder, const std::vector<std::string>& names) {
    for (const std::string& name : names) disk.AddEntry(folder, name);
  }

  // What the settings dialog does before showing the dialog, then the first
  // paint that runs the opening refresh.
  void Open(const std::string& folder, bool registered, const std::vector<std::string>& stored) {
    rbSelPhoto.checked = registered;
    shared.registeredCount = int32_t(stored.size());
    for (size_t i = 0; i < stored.size() && i < shared.registeredFiles.size(); ++i)
      shared.registeredFiles[i] = stored[i];
    dlbThumb.Open(folder);
    dcbxThumb.SetDrive(folder[0]);
    shared.refreshPending = true;
    logic.FormPaint();
  }

  // The user clicks a display-method choice.
  void ChooseRegistered(bool registered) {
    rbSelPhoto.checked = registered;
    logic.rbSelPhotoClick();
  }

  // Registers the folder entries at these indexes, selected by Ctrl+clicks in
  // this order.
  void RegisterIndexes(const std::vector<int>& indexes) {
    lbSfile.Click(indexes.front());
    logic.lbSfileClick();
    for (size_t k = 1; k < indexes.size(); ++k) {
      lbSfile.CtrlClick(indexes[k]);
      logic.lbSfileClick();
    }
    logic.btTrkClick();
  }

  void ClickRegistered(int i) {
    lbDfile.Click(i);
    logic.lbDfileClick();
  }

  Buttons State() const { return {btTrk.enabled, btUp.enabled, btDown.enabled, btErase.enabled}; }

  FakeDriveSelector dcbxThumb;
  FakeFolderList dlbThumb;
  FakeCheck rbSelPhoto;
  FakeListBox lbSfile{true};
  FakeListBox lbDfile{false};
  FakeControl btTrk, btUp, btDown, btErase, btAllErase;
  FakeLabel lblDsp, lblCount;
  FakePreview preview;
  FakeServices services;
  settings::PictureSelectionState shared;
  settings::MemoryDirectory disk;
  PictureSelectionLogic logic{{dcbxThumb, dlbThumb, rbSelPhoto, lbSfile, lbDfile, btTrk, btUp,
                               btDown, btErase, btAllErase, lblDsp, lblCount, preview, services},
                              shared,
                              [this](const std::string& folder, const std::function<void()>& scanned) {
                                settings::ScanFolder(disk, folder, shared);
                                scanned();
                              }};
};

}  // namespace picker::test
