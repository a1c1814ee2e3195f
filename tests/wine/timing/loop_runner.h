#pragma once
// The application's message loop as Application::Run turns it (the queued
// messages, the clockwork, a high-resolution wait for the next message or
// wake), for a bounded time, so that a program can host the saver window in
// its own process and measure it.
#include <cstdint>

namespace timing_test {

// Now on the application's tick clock, in nanoseconds.
int64_t NowNs();

// Turns the loop until the clock reaches `endNs`; false when it stopped
// earlier because the application took a quit request.
bool RunLoopUntil(int64_t endNs);

}  // namespace timing_test
