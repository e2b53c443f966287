#include "base/cpu_features.h"

#include <cstdlib>
#include <cstring>

namespace kx {

namespace {

CpuLevel Detect() {
  CpuLevel level = CpuLevel::Plain;
#if defined(__x86_64__) || defined(__i386__)
  __builtin_cpu_init();
  if (__builtin_cpu_supports("sse2")) level = CpuLevel::Sse2;
  if (level == CpuLevel::Sse2 && __builtin_cpu_supports("avx2")) level = CpuLevel::Avx2;
#endif
  // The variable can only lower the level: forcing more than the processor
  // has would crash.
  if (const char* forced = std::getenv("KX_CPU")) {
    CpuLevel cap = level;
    if (std::strcmp(forced, "plain") == 0) cap = CpuLevel::Plain;
    if (std::strcmp(forced, "sse2") == 0) cap = CpuLevel::Sse2;
    if (cap < level) level = cap;
  }
  return level;
}

}  // namespace

CpuLevel DetectedCpuLevel() {
  static const CpuLevel level = Detect();
  return level;
}

}  // namespace kx
