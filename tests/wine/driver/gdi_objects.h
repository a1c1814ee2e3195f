#pragma once
// The live GDI objects of this process, for the tests that look for leaks.
#include <windows.h>

namespace driver {

// Wine answers GetGuiResources with 0 (it is not implemented there); its
// handle table then takes bare indices, so the live objects are counted by
// asking each index for its type.
DWORD GdiObjectCount();

}  // namespace driver
