#include "print/print_platform.h"

namespace kx {

PrintPlatform& ThePrintPlatform() {
  static PrintPlatform platform;
  return platform;
}

PrintEngine& ThePrintEngine() {
  static PrintEngine engine;
  return engine;
}

}  // namespace kx
