#include "platform/single_instance_win.h"

namespace platform {

SingleInstanceLock::SingleInstanceLock(const wchar_t* name) {
  ::SetLastError(0);
  mutex_.reset(::CreateMutexW(nullptr, TRUE, name));
  heldElsewhere_ = ::GetLastError() != 0;
  owned_ = mutex_ && !heldElsewhere_;
}

void SingleInstanceLock::Release() {
  if (!owned_) return;
  owned_ = false;
  ::ReleaseMutex(mutex_.get());
}

}  // namespace platform
