#pragma once
namespace kx {
enum class CpuLevel { Plain, Sse2, Avx2 };
// The widest instruction set the processor has, capped by KX_CPU=plain|sse2|avx2 when set.
// Worked out once, on first use.
CpuLevel DetectedCpuLevel();
}  // namespace kx
