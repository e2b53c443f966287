#pragma once

#include <cstdint>

namespace kx::jpeg {

// The Loeffler-Ligtenberg-Moschytz cosine constants, scaled by 2^13.
inline constexpr int32_t k0_298631336 = 2446, k0_390180644 = 3196, k0_541196100 = 4433, k0_765366865 = 6270,
                         k0_899976223 = 7373, k1_175875602 = 9633, k1_501321110 = 12299, k1_847759065 = 15137,
                         k1_961570560 = 16069, k2_053119869 = 16819, k2_562915447 = 20995, k3_072711026 = 25172;

// The even and odd halves of one 8-point inverse DCT pass, for T either a
// plain integer or a vector of lanes with +, - and * by a constant.
template <class T>
struct IdctEvenOdd {
  T t10, t11, t12, t13, o0, o1, o2, o3;
};

template <class T>
inline IdctEvenOdd<T> IdctButterfly(T c0, T c1, T c2, T c3, T c4, T c5, T c6, T c7) {
  IdctEvenOdd<T> r;
  T z1 = (c2 + c6) * k0_541196100;
  T tmp2 = z1 + c6 * -k1_847759065;
  T tmp3 = z1 + c2 * k0_765366865;
  T tmp0 = (c0 + c4) * 8192;
  T tmp1 = (c0 - c4) * 8192;
  r.t10 = tmp0 + tmp3;
  r.t13 = tmp0 - tmp3;
  r.t11 = tmp1 + tmp2;
  r.t12 = tmp1 - tmp2;

  T a0 = c7, a1 = c5, a2 = c3, a3 = c1;
  T y1 = a0 + a3, y2 = a1 + a2, y3 = a0 + a2, y4 = a1 + a3;
  T y5 = (y3 + y4) * k1_175875602;
  a0 = a0 * k0_298631336;
  a1 = a1 * k2_053119869;
  a2 = a2 * k3_072711026;
  a3 = a3 * k1_501321110;
  y1 = y1 * -k0_899976223;
  y2 = y2 * -k2_562915447;
  y3 = y3 * -k1_961570560 + y5;
  y4 = y4 * -k0_390180644 + y5;
  r.o0 = a0 + y1 + y3;
  r.o1 = a1 + y2 + y4;
  r.o2 = a2 + y2 + y3;
  r.o3 = a3 + y1 + y4;
  return r;
}

}  // namespace kx::jpeg
