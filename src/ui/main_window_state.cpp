#include "ui/main_window_state.h"

#include "game/program.h"

namespace kx {

void FollowFieldResets(Program& p, MainWindowState& w) {
  p.resetFieldInteraction = [&w](FieldReset reset) {
    if (reset == FieldReset::All) {
      w.interaction = FieldInteraction{};
    } else {
      w.interaction.hoverField = -1;
    }
  };
}

}  // namespace kx
