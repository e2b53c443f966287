#pragma once

namespace kx {

// The numbers a JPEG decode fails with, grouped by the stage that finds the
// fault. The player sees them, so the values stay as they are.
enum JpegErrorNumber : int {
  // Opening the file and finding the first scan
  kJpegNoWorkMemory = 10,
  kJpegCannotOpen = 20,
  kJpegHeaderReadError = 30,
  kJpegEndOfImageBeforeScan = 39,
  kJpegFileEndsBeforeScan = 40,

  // Frame header
  kJpegBadPrecision = 50,
  kJpegNoComponents = 100,
  kJpegTooManyComponents = 110,
  kJpegFrameHeaderLength = 120,
  kJpegSecondFrame = 210,

  // Huffman tables
  kJpegBadHuffmanTableId = 390,
  kJpegTooManyHuffmanCodes = 410,  // the counts add up to more than 256
  kJpegHuffmanCountsOverfill = 430,  // more codes of a length than it holds
  kJpegHuffmanTableCut = 450,

  // Scan header
  kJpegScanComponentUnknown = 460,  // not in the frame, or named twice
  kJpegScanWithoutComponents = 470,
  kJpegScanTooManyComponents = 480,
  kJpegScanHeaderLength = 490,

  // Quantization tables
  kJpegBadQuantTableId = 500,
  kJpegQuantTableCut = 510,
  kJpegWideQuantTableCut = 530,
  kJpegTooManyQuantTables = 560,

  // Restart interval
  kJpegRestartIntervalLength = 590,
  kJpegSecondRestartInterval = 600,  // before the first scan

  // JFIF and APP1
  kJpegNotJfif = 610,
  kJpegJfifMajorVersion = 620,
  kJpegJfifMinorVersion = 630,
  kJpegJfifDensityUnits = 640,
  kJpegJfifLength = 710,  // too short, or a thumbnail
  kJpegSecondJfif = 720,
  kJpegApp1Unreadable = 721,

  // Other segments
  kJpegSegmentPastEnd = 900,
  kJpegSegmentUnreadable = 910,

  // What the headers must provide before the first scan
  kJpegNoHuffmanTables = 1020,
  kJpegNoQuantTables = 1030,
  kJpegMissingHeaders = 1031,  // the start of image, JFIF or APP1, or a scan
  kJpegNoFrame = 1032,
  kJpegBadDcTableNumber = 1060,
  kJpegBadAcTableNumber = 1070,
  kJpegBadQuantTableNumber = 1080,
  kJpegLeastHorizontalSamplingNotOne = 1090,
  kJpegHorizontalSamplingNotMultiple = 1100,
  kJpegLeastVerticalSamplingNotOne = 1120,
  kJpegVerticalSamplingNotMultiple = 1130,
  kJpegHorizontalSamplingTooLarge = 1140,
  kJpegVerticalSamplingTooLarge = 1150,
  kJpegComponentHorizontalSampling = 1160,  // does not divide the largest
  kJpegComponentVerticalSampling = 1170,
  // Empty, or too large to hold: over 100 megapixels, or a progressive
  // coefficient store over 160 million coefficients.
  kJpegPictureSizeUnusable = 1180,

  // Scans
  kJpegRestartMarkerMissing = 2002,
  kJpegScanReadError = 2010,
  // Spectral selection of a progressive AC scan
  kJpegSpectralStartZero = 2021,
  kJpegSpectralStartPastBlock = 2022,
  kJpegSpectralStartAfterEnd = 2023,
  kJpegSpectralEndPastBlock = 2024,
  kJpegAcScanOfSeveralComponents = 2025,
  kJpegHuffmanTableWithoutCodes = 2040,
  kJpegNoMarkerAfterScan = 2050,
  kJpegUnusedScanBytes = 2051,
  kJpegTooManyScans = 2060,  // over 1000
  // The data of a block ran out or held an impossible code
  kJpegBadSequentialBlock = 20202,
  kJpegBadDcBlock = 20204,
  kJpegBadAcFirstBlock = 20205,
  kJpegBadAcRefinementBlock = 20206,
};

}  // namespace kx
