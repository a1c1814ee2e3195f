#pragma once
// The measuring time chosen on the command line (timing_main.cpp).
namespace timing_test {
extern int secondsPerInterval;
}
