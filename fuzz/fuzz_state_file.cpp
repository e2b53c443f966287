// Saved games come from anywhere: parsing and taking any bytes into the
// game must neither crash nor allocate without bound.
#include <cstddef>
#include <cstdint>

#include "../tests/support/scripted_host.h"
#include "game/program.h"
#include "game/state_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kx::test::ScriptedHost host;
  kx::StateFileContent content = kx::ParseStateFile(data, size);
  kx::Program program(host);
  program.solver.SetCurrentSolutionSink(nullptr);
  kx::ApplyStateFileContent(program, std::move(content));
  kx::BuildFunctionFields(program, program.state.gameStatus);
  return 0;
}
