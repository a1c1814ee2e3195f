#include "tests/wine/driver/gdi_objects.h"

namespace driver {

DWORD GdiObjectCount() {
  const DWORD counted = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
  if (counted != 0) return counted;
  DWORD live = 0;
  for (ULONG_PTR index = 1; index < 0x10000; ++index) {
    if (::GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++live;
  }
  return live;
}

}  // namespace driver
