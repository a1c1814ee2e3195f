#pragma once
// The system-wide single-instance lock: a named mutex created with initial
// ownership. The lock counts as taken by another instance whenever creating
// it leaves any error code at all (in practice ERROR_ALREADY_EXISTS).
#include <windows.h>

#include "platform/handles_win.h"

namespace platform {

class SingleInstanceLock {
 public:
  explicit SingleInstanceLock(const wchar_t* name);
  SingleInstanceLock(const SingleInstanceLock&) = delete;
  SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;
  ~SingleInstanceLock() { Release(); }

  bool HeldElsewhere() const { return heldElsewhere_; }
  // Releases our ownership once; nothing when another instance holds it.
  void Release();

 private:
  UniqueKernelHandle mutex_;
  bool heldElsewhere_ = false;
  bool owned_ = false;
};

}  // namespace platform
