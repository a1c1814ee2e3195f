#pragma once
// Bounded waiting for a condition. The calling thread keeps dispatching its
// own messages meanwhile, so a test that owns windows (the parent of a
// preview, say) never blocks the saver's cross-process calls to them.
#include <windows.h>

#include <functional>

namespace driver {

// True as soon as `condition` holds; false once timeoutMs have passed.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// Dispatches the messages already queued for this thread, then runs the
// ticks due of a saver window living in it.
void PumpMessages();

}  // namespace driver
