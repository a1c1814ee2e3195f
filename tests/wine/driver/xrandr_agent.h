#pragma once
// Changes of the monitor layout made from outside Wine, as a user's
// hardware makes them: scripts/with-xorg-monitors runs an agent that takes
// xrandr arguments from a request file in the folder TOLVEX_XRANDR_AGENT,
// runs xrandr with them and then a plain query (after which Wine lists the
// new monitors), and answers with a done file.
#include <string>

namespace driver {

// Runs `xrandr <arguments>` through the agent; false when there is no agent
// or it did not answer within 20 s.
bool Xrandr(const std::string& arguments);

}  // namespace driver
