#include "platform/progress_window.h"

#include "text/text_format.h"

namespace kx {

std::string ProgressText(ProgressPhase phase, const ProgressCounts& counts) {
  if (phase == ProgressPhase::Searching) {
    return "Bisher  " + FormatCount64(counts.solutionsFound) + "  Lösungen gefunden";
  }
  return FormatCount64(counts.recordsWritten) + " / " + FormatCount64(counts.recordsDistributed);
}

}  // namespace kx
