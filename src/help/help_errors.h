#pragma once

namespace kx {

// Numbered errors of the help compiler, as the user sees them. Codes -1..-39
// concern the file as a whole, -101..-120 the first pass over a segment,
// -201..-219 the second.
enum HelpError : int {
  kHelpSourceMissing = -1,
  kHelpSourceTooLarge = -2,
  kHelpReadFailedSmall = -9,
  kHelpReadShortSmall = -10,
  kHelpReadFailed = -11,
  kHelpReadShort = -12,
  kHelpPoolSizeMismatch = -13,
  kHelpDuplicateLabel = -14,
  kHelpCannotCreate = -15,
  kHelpSecondReadShift = -19,  // added to -9..-12 for the second reading: -28..-31
  kHelpEntryCountMismatch = -32,
  kHelpTooManyEntries = -37,
  // A segment that does not fit, with its closing "%", into the reading window.
  kHelpSegmentTooLong = -38,
  // The source ends inside a segment.
  kHelpSegmentNotClosed = -39,
  kHelpRun1Short = -101,
  kHelpRun1TextNotClosed = -116,
  kHelpRun2LabelUndefined = -206,
};

// The message line of an error code; "Error-999 Undefined Error" for codes
// without one.
const char* HelpErrorText(int code);

// Errors raised for one segment, whose box shows the segment and what follows.
inline bool IsSegmentError(int code) {
  return (code <= -101 && code >= -120) || (code <= -201 && code >= -219) || code == kHelpSegmentTooLong ||
         code == kHelpSegmentNotClosed;
}

}  // namespace kx
