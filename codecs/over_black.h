#pragma once
#include <cstddef>
#include <cstdint>

namespace codecs {

// Pixels read as bytes B, G, R, A become Image pixels (B, G, R, 0) shown over
// black, as a GIF's transparent colour is: each channel times A / 255.
void CompositeOverBlack(uint32_t* pixels, size_t count);

}  // namespace codecs
