#pragma once

#include <functional>
#include <string>
#include <vector>

#include "pictures/dib.h"

namespace kx {

inline constexpr int kItemEnd = 0, kItemFont = 4, kItemText = 35, kItemWindow = 65, kItemBmpFile = 66;
inline constexpr int kItemPictureBit = 0x40;

// Low byte of `flags`.
inline constexpr int kUseSourceRect = 0x01, kSourcePerMille = 0x02;
inline constexpr int kUnitPixels = 0x00, kUnitMillimetres = 0x20, kUnitPerMille = 0x40, kUnitMask = 0xE0;
inline constexpr int kNewLineBefore = 0x0400;  // byte 1, bit 2
inline constexpr int kSizesAreExtents = 0x010000;
// Byte 2, bit 1: the file was written for this job, so one that cannot be
// read is a failure of the job (kPrintJobFileUnreadable) rather than a
// picture to skip.
inline constexpr int kFileOfTheJob = 0x020000;

// One picture, text or font change placed on a printed page.
struct PrintItem {
  int type = kItemEnd;
  std::string name;  // file name (66), text (35), face name (4)
  int flags = 0;
  int source[4] = {0, 0, 0, 0};
  int x = -1, y = -1;
  int width = 0, height = 0;
  std::string caption;
};

// Options byte of a job.
inline constexpr int kShowProgress = 0x01, kShowPageSetup = 0x02, kNoProgramLine = 0x04, kNoDateLine = 0x08,
                     kNoPrinterLine = 0x10, kNoPageNumber = 0x20;

}  // namespace kx
