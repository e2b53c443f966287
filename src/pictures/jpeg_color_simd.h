#pragma once

#include <cstdint>

namespace kx::jpeg {

// YccRowToBgr and GreyRowToBgr with AVX2: the same bytes. Call only when
// the processor has AVX2.
void YccRowToBgrAvx2(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, bool halfChroma, uint8_t* out,
                     int width);
void GreyRowToBgrAvx2(const uint8_t* grey, uint8_t* out, int width);

}  // namespace kx::jpeg
