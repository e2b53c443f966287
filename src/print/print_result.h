#pragma once

namespace kx {

// How a print job ends. Every number but 0 and -1 is shown to the player as
// "Drucker-Fehler-Nr." and printed at the foot of the open page, so the
// values stay as they are. A print device answers with them too.
enum PrintResult : int {
  kPrintDone = 0,
  kPrintCancelled = -1,  // by the player, who is told so in words
  kPrintJobRunning = 1,  // a second job while one runs

  // The printer
  kPrintNoPrinterName = 7,
  kPrintNoPictureTransfer = 9,  // neither device-independent transfer is there
  kPrintNoBigBitmaps = 10,
  kPrintDocumentNotStarted = 12,

  // The page's geometry
  kPrintNoPageWidth = 13,
  kPrintNoPageHeight = 14,
  kPrintNoHorizontalScale = 15,  // width in millimetres or dots per inch
  kPrintNoVerticalScale = 16,
  kPrintPageTooSmall = 90000000,  // no room below the header lines

  // Pages
  kPrintOutputFailed = 19,  // a page could not begin, or the document not end
  kPrintNoPageCanvas = 20,
  kPrintPageNotEnded = 21,

  // Items
  kPrintWindowNotCaptured = 22,
  kPrintFontTooSmall = 85,
  kPrintUnknownItem = 86,
  kPrintJobFileUnreadable = 87,  // a picture file written for the job

  // Pictures
  kPrintPictureTooLarge = 110,
  kPrintPictureNotScaled = 114,
  kPrintRowTooLong = 115,  // one row of the picture over the band size
  kPrintNoTransfer = 2000000,  // the printer takes no picture transfer at all
};

}  // namespace kx
