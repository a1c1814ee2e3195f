#include "codecs/sample_picture_win.h"

#include <windows.h>

#include "codecs/dib_decoder.h"

namespace codecs {

Image LoadSamplePicture() {
  const HMODULE module = ::GetModuleHandleW(nullptr);
  const HRSRC resource = ::FindResourceW(module, L"TOLVEX", RT_BITMAP);
  const HGLOBAL loaded = resource ? ::LoadResource(module, resource) : nullptr;
  const auto* data = loaded ? static_cast<const uint8_t*>(::LockResource(loaded)) : nullptr;
  if (!data) return {};
  // A bitmap resource is the bitmap file without its 14-byte file header.
  std::optional<codecs::Image> picture =
      codecs::DecodeDib(codecs::Bytes(data, ::SizeofResource(module, resource)));
  return picture ? std::move(*picture) : codecs::Image();
}

}  // namespace codecs
