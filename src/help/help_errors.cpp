#include "help/help_errors.h"

namespace kx {

namespace {

struct ErrorText {
  int code;
  const char* text;
};

constexpr ErrorText kErrorTexts[] = {
    {-1, "Error-001 Help-Source-File not present"},
    {-2, "Error-002 Size of Help-Source-File above 32-Bit"},
    {-3, "Error-003 Memory-Alloc-Error(1)"},
    {-4, "Error-004 Memory-Alloc-Error(2)"},
    {-5, "Error-005 Memory-Alloc-Error(1)"},
    {-6, "Error-006 Memory-Alloc-Error(2)"},
    {-7, "Error-007 Memory-Alloc-Error(1)"},
    {-8, "Error-008 Memory-Alloc-Error(2)"},
    {-9, "Error-009 File-Read-Error(1)"},
    {-10, "Error-010 File-Read-Error(2)"},
    {-11, "Error-011 File-Read-Error(1)"},
    {-12, "Error-012 File-Read-Error(2)"},
    {-13, "Error-013 Filesize does not match used number of bytes"},
    {-14, "Error-014 Multiple Definition of Label"},
    {-15, "Error-015 Not able to create help-file"},
    {-16, "Error-016 File-Write-Error(1)"},
    {-17, "Error-017 File-Write-Error(2)"},
    {-18, "Error-018 File-Write-Error(1)"},
    {-19, "Error-019 File-Write-Error(2)"},
    {-20, "Error-020 File-Write-Error(1)"},
    {-21, "Error-021 File-Write-Error(2)"},
    {-22, "Error-022 File-Write-Error(1)"},
    {-23, "Error-023 File-Write-Error(2)"},
    {-24, "Error-024 File-Write-Error(1)"},
    {-25, "Error-025 File-Write-Error(2)"},
    {-26, "Error-026 File-Write-Error(1)"},
    {-27, "Error-027 File-Write-Error(2)"},
    {-28, "Error-028 File-Read-Error(1)"},
    {-29, "Error-029 File-Read-Error(2)"},
    {-30, "Error-030 File-Read-Error(1)"},
    {-31, "Error-031 File-Read-Error(2)"},
    {-32, "Error-032 Number of entries Run1/Run2 does not match"},
    {-33, "Error-033 File-Write-Error(1)"},
    {-34, "Error-034 File-Write-Error(2)"},
    {-35, "Error-035 File-Write-Error(1)"},
    {-36, "Error-036 File-Write-Error(2)"},
    {-37, "Error-037 More than 65536 entries"},
    {-38, "Error-038 Segment longer than 1023 characters (no ending % ?)"},
    {-39, "Error-039 Last segment does not end with %"},
    {-101, "Error-101 Not enough characters in line (no ending % ?)"},
    {-102, "Error-102 Control-Character inside label-string"},
    {-103, "Error-103 Not enough characters in line"},
    {-104, "Error-104 Memory-Alloc-Error(1)"},
    {-105, "Error-105 Memory-Alloc-Error(2)"},
    {-106, "Error-106 Memory-Alloc-Error(1)"},
    {-107, "Error-107 Memory-Alloc-Error(2)"},
    {-108, "Error-108 No value defined for label"},
    {-109, "Error-109 Value does not start with 0...9 or - (>9)"},
    {-110, "Error-110 Value does not start with 0...9 or - (<0)"},
    {-111, "Error-111 Value-Character < 0"},
    {-112, "Error-112 Decimal-Value-Character > 9"},
    {-113, "Error-113 Hex-Value-Character < A"},
    {-114, "Error-114 Hex-Value-Character > f"},
    {-115, "Error-115 Hex-Value-Character > F < a"},
    {-116, "Error-116 Text-String does not end with \""},
    {-117, "Error-117 Memory-Alloc-Error(1)"},
    {-118, "Error-118 Memory-Alloc-Error(2)"},
    {-119, "Error-119 Memory-Alloc-Error(1)"},
    {-120, "Error-120 Memory-Alloc-Error(2)"},
    {-201, "Error-201 Not enough characters in line"},
    {-202, "Error-202 Control-Character inside label-string"},
    {-203, "Error-203 Not enough characters in line"},
    {-204, "Error-204 Not enough definitions in line"},
    {-205, "Error-205 Control-Character inside string"},
    {-206, "Error-206 Label not defined"},
    {-207, "Error-207 Value does not start with 0...9 or - (>9)"},
    {-208, "Error-208 Value does not start with 0...9 or - (<0)"},
    {-209, "Error-209 Value ends by - minus-sign"},
    {-210, "Error-210 Nothing more after a 0"},
    // The program has always shown 212 here; the next code carries it too.
    {-211, "Error-212 Nothing more after a 0x"},
    {-212, "Error-212 Value-Character < 0"},
    {-213, "Error-213 Decimal-Value-Character > 9"},
    {-214, "Error-214 Hex-Value-Character < A"},
    {-215, "Error-215 Hex-Value-Character > f"},
    {-216, "Error-216 Hex-Value-Character > F < a"},
    {-217, "Error-217 Not enough definitions in line"},
    {-218, "Error-218 File-Write-Error(1)"},
    {-219, "Error-219 File-Write-Error(2)"},
};

}  // namespace

const char* HelpErrorText(int code) {
  for (const ErrorText& entry : kErrorTexts) {
    if (entry.code == code) return entry.text;
  }
  return "Error-999 Undefined Error";
}

}  // namespace kx
