#pragma once
// One-line owners for the handle kinds the program creates, and the guard
// that undoes a selection into a device context. Owners are move-only; a
// non-owning use simply passes the raw handle. Each kind has its own empty
// value: files and find handles fail as INVALID_HANDLE_VALUE, everything else
// as null, so a failed call's result can be wrapped as it comes and tested
// through the owner.
#include <windows.h>

#include <utility>

namespace platform {

template <typename Handle>
Handle NullHandle() {
  return Handle{};
}
inline HANDLE InvalidHandle() { return INVALID_HANDLE_VALUE; }

template <typename Handle, auto Close, Handle (*Empty)() = &NullHandle<Handle>>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Empty())) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(std::exchange(other.handle_, Empty()));
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Empty(); }
  void reset(Handle handle = Empty()) {
    if (handle_ != Empty()) Close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = Empty();
};

using UniqueBitmap = UniqueHandle<HBITMAP, &::DeleteObject>;
using UniqueFont = UniqueHandle<HFONT, &::DeleteObject>;
using UniqueBrush = UniqueHandle<HBRUSH, &::DeleteObject>;
using UniqueMemoryDc = UniqueHandle<HDC, &::DeleteDC>;
using UniqueKernelHandle = UniqueHandle<HANDLE, &::CloseHandle>;  // mutex, timer, thread
using UniqueFile = UniqueHandle<HANDLE, &::CloseHandle, &InvalidHandle>;
using UniqueFindHandle = UniqueHandle<HANDLE, &::FindClose, &InvalidHandle>;
using UniqueRegistryKey = UniqueHandle<HKEY, &::RegCloseKey>;

// Selects an object into a DC for the guard's lifetime. Declare it after the
// owners of the DC and of the object, so it unwinds before either.
class SelectionGuard {
 public:
  SelectionGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  SelectionGuard(const SelectionGuard&) = delete;
  SelectionGuard& operator=(const SelectionGuard&) = delete;
  ~SelectionGuard() {
    if (previous_) ::SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A window's DC from GetDC, released with ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) ::ReleaseDC(window_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// The DC of one WM_PAINT, from BeginPaint to EndPaint.
class PaintDc {
 public:
  explicit PaintDc(HWND window) : window_(window) { ::BeginPaint(window, &paint_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  ~PaintDc() { ::EndPaint(window_, &paint_); }
  HDC get() const { return paint_.hdc; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
};

}  // namespace platform
