#pragma once
// The picture-selection logic's views over real controls. They are views:
// the window owns the control, and each call asks it or tells it directly.
#include <windows.h>

#include <string>
#include <vector>

#include "picker/controls.h"

namespace picker {

class Win32Control : public ControlView {
 public:
  void Attach(HWND control) { control_ = control; }
  HWND Handle() const { return control_; }
  void SetEnabled(bool enabled) override { ::EnableWindow(control_, enabled); }

 protected:
  HWND control_ = nullptr;
};

// A label that sizes itself to its caption.
class Win32Label : public LabelView {
 public:
  void Attach(HWND label) { label_ = label; }
  void SetEnabled(bool enabled) override { ::EnableWindow(label_, enabled); }
  void SetCaption(const std::string& text) override;

 private:
  HWND label_ = nullptr;
};

class Win32Check : public CheckView {
 public:
  void Attach(HWND button) { button_ = button; }
  bool Checked() const override;

 private:
  HWND button_ = nullptr;
};

// A list box with extended selection; texts cross the boundary as UTF-16.
// Long entries widen the horizontal scroll range so they can be read whole.
class Win32ListBox : public ListBoxView {
 public:
  void Attach(HWND listBox) { list_ = listBox; }
  HWND Handle() const { return list_; }

  void SetEnabled(bool enabled) override { ::EnableWindow(list_, enabled); }
  int Count() const override;
  std::string Text(int index) const override;
  bool Selected(int index) const override;
  int SelectedCount() const override;
  int CurrentIndex() const override;
  void DeselectAll() override;
  void Add(const std::string& text) override;
  void Insert(int index, const std::string& text) override;
  void Delete(int index) override;
  void Assign(const std::vector<std::string>& items) override;

 private:
  void Widen(const std::wstring& text);
  bool MultiColumn() const;

  HWND list_ = nullptr;
  int extent_ = 0;
};

}  // namespace picker
