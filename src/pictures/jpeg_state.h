#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "pictures/bmp_file.h"
#include "pictures/jpeg_color.h"
#include "pictures/jpeg_errors.h"
#include "pictures/jpeg_grey_bands.h"
#include "pictures/jpeg_huffman.h"
#include "pictures/jpeg_input.h"

namespace kx::jpeg {

struct FrameComponent {
  int id = 0;
  int h = 1, v = 1;    // sampling factors
  int quantTable = 0;  // 0..3
  // Blocks that carry picture data, and blocks of the MCU grid.
  int blocksWide = 0, blocksHigh = 0;
  int gridWide = 0, gridHigh = 0;
  int dcPrediction = 0;
  std::vector<int16_t> coefficients;  // progressive frames: gridWide * gridHigh blocks of 64
};

struct ScanComponent {
  int frameIndex = 0;
  int dcTable = 0, acTable = 0;
};

struct ScanHeader {
  int count = 0;
  ScanComponent components[4];
  int ss = 0, se = 63, ah = 0, al = 0;
};

// Everything the marker parser learns, and the picture being built.
struct DecoderState {
  explicit DecoderState(std::FILE* file) : input(file) {}

  JpegInput input;
  HuffmanTable dcTables[4], acTables[4];
  uint16_t quant[4][64] = {};  // zigzag order, as stored in the file
  int quantDefinitions = 0, huffmanDefinitions = 0;

  bool soi = false, sof = false, jfif = false, app1 = false, dri = false;
  bool sos = false, extended = false, progressive = false;
  int restartInterval = 0;
  int xDensity = 0, yDensity = 0, densityUnits = 0;

  int precision = 8, width = 0, height = 0, componentCount = 0;
  FrameComponent components[4];
  int hMax = 1, vMax = 1, mcusWide = 0, mcusHigh = 0;

  ScanHeader scan;
  int scansDone = 0;
  bool allComponentsDone = false;  // a sequential scan carried every component
  bool rowsConverted = false;      // that scan already turned the rows to BGR

  // Grey and three-component pictures decoded one MCU row at a time: the
  // samples of one band, one plane per component, turned into BGR rows at once.
  bool bandMode = false;
  RowConverters rowConverters = FastestRowConverters();
  uint8_t* band[3] = {};
  size_t bandStride[3] = {};
  std::vector<uint8_t> bandStorage[3];

  // Where the BGR rows of a band go when the caller asked for a file and
  // the frame is made in bands (see CheckFrame): each band's rows, in room
  // the file gives, in place of the whole output block. A grey band goes
  // there as coefficients, for `greyBands` to finish on the writing thread.
  BmpFileStream* file = nullptr;
  bool streaming = false;
  std::shared_ptr<GreyBandMaker> greyBands;
  bool IsGreyStream() const { return streaming && greyBands; }

  // Output block: componentCount bytes per pixel while decoding, rows
  // bottom-up, `stride` bytes each.
  std::vector<uint8_t> pixels;
  size_t stride = 0;
};

// T.81 Figure A.6: natural position of the k-th zigzag coefficient.
extern const uint8_t kZigzagToNatural[64 + 16];
// A quantization table as stored (zigzag order) laid out in natural order.
inline void NaturalOrderQuant(const uint16_t zigzag[64], int32_t natural[64]) {
  for (int k = 0; k < 64; ++k) natural[kZigzagToNatural[k]] = zigzag[k];
}

// ReadMarkers' answer at the end of the image; 0 is its answer at a scan.
inline constexpr int kReachedEndOfImage = 1;

// Reads markers up to the next SOS (returns 0, scan header filled) or EOI
// (returns kReachedEndOfImage); anything else is a JpegErrorNumber.
// `afterScan` is set when the previous thing read was entropy-coded data,
// which must end in a marker.
int ReadMarkers(DecoderState& d, bool afterScan);
// Checks what the first scan needs from the headers and lays out the frame.
int CheckFrame(DecoderState& d);

// Decodes the entropy-coded data of the current scan.
int DecodeScan(DecoderState& d);
// Writes one 8x8 block of samples of component c at block position (bx, by)
// into the output, repeating samples by the component's sampling ratio.
void PutBlock(DecoderState& d, int c, int bx, int by, const uint8_t* samples);
// Converts finished rows [top, bottom) of a three-component picture to BGR.
void ConvertRows(DecoderState& d, int top, int bottom);
// Band mode (one or three components): prepares the planes; where block
// (bx, row v of the band) of component c goes; the band of MCU row
// `mcuRow` into BGR output rows.
void StartBand(DecoderState& d);
inline uint8_t* BandBlock(DecoderState& d, int c, int bx, int v) {
  return d.band[c] + static_cast<size_t>(v) * 8 * d.bandStride[c] + static_cast<size_t>(bx) * 8;
}
void ConvertBand(DecoderState& d, int mcuRow);
// After the last scan: transforms a progressive frame's coefficients, turns
// the samples into 24-bit BGR rows. 0, or 1180 when the block cannot grow.
int FinishPicture(DecoderState& d);

}  // namespace kx::jpeg
