#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "pictures/dib.h"
#include "pictures/jpeg_memory.h"
#include "pictures/jpeg_state.h"

namespace kx::jpeg {

const uint8_t kZigzagToNatural[64 + 16] = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63,
    // a damaged run may step past the end; those land on the last coefficient
    63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63};

namespace {

constexpr int kMaxScans = 1000;
constexpr int64_t kMaxCoefficients = 160'000'000;

// Reads a segment's length and body; 0, kJpegSegmentPastEnd when the file
// ends inside it, kJpegHeaderReadError for a read error.
int ReadSegment(JpegInput& in, std::vector<uint8_t>& body) {
  uint8_t length[2];
  if (!in.Read(length, 2)) return in.ReadFailed() ? kJpegHeaderReadError : kJpegSegmentPastEnd;
  int n = length[0] << 8 | length[1];
  if (n < 2) return kJpegSegmentPastEnd;
  body.resize(static_cast<size_t>(n - 2));
  if (!in.Read(body.data(), body.size())) return in.ReadFailed() ? kJpegHeaderReadError : kJpegSegmentPastEnd;
  return 0;
}

int SkipSegment(JpegInput& in, JpegErrorNumber pastEnd, JpegErrorNumber failed) {
  uint8_t length[2];
  if (!in.Read(length, 2)) return in.ReadFailed() ? failed : pastEnd;
  int n = length[0] << 8 | length[1];
  if (n < 2) return pastEnd;
  int moved = in.Skip(static_cast<size_t>(n - 2));
  return moved == 0 ? 0 : (moved == 1 ? pastEnd : failed);
}

int ReadFrameHeader(DecoderState& d, const std::vector<uint8_t>& b, int marker) {
  if (d.sof) return kJpegSecondFrame;
  if (b.empty() || (b[0] != 8 && b[0] != 12)) return kJpegBadPrecision;
  if (b.size() < 6) return kJpegFrameHeaderLength;
  int count = b[5];
  if (count == 0) return kJpegNoComponents;
  if (count > 4) return kJpegTooManyComponents;
  if (b.size() + 2 != static_cast<size_t>(8 + 3 * count)) return kJpegFrameHeaderLength;
  d.precision = b[0];
  d.height = b[1] << 8 | b[2];
  d.width = b[3] << 8 | b[4];
  d.componentCount = count;
  for (int i = 0; i < count; ++i) {
    FrameComponent& c = d.components[i];
    c.id = b[6 + 3 * i];
    c.h = b[7 + 3 * i] >> 4;
    c.v = b[7 + 3 * i] & 15;
    c.quantTable = b[8 + 3 * i];
  }
  d.sof = true;
  d.extended = marker == 0xC1;
  d.progressive = marker == 0xC2;
  return 0;
}

int ReadHuffmanTables(DecoderState& d, const std::vector<uint8_t>& b) {
  size_t at = 0;
  while (at < b.size()) {
    int classId = b[at] & 31;
    if (classId > 19 || (classId > 3 && classId < 16)) return kJpegBadHuffmanTableId;
    if (at + 17 > b.size()) return kJpegHuffmanTableCut;
    const uint8_t* counts = &b[at + 1];
    int n = 0;
    for (int i = 0; i < 16; ++i) n += counts[i];
    if (n > 256) return kJpegTooManyHuffmanCodes;
    if (at + 17 + static_cast<size_t>(n) > b.size()) return kJpegHuffmanTableCut;
    HuffmanTable& t = classId < 16 ? d.dcTables[classId] : d.acTables[classId - 16];
    int built = PrepareHuffmanTable(counts, &b[at + 17], &t);
    if (built != 0) return built;
    ++d.huffmanDefinitions;
    at += 17 + static_cast<size_t>(n);
  }
  return 0;
}

int ReadQuantTables(DecoderState& d, const std::vector<uint8_t>& b) {
  size_t at = 0;
  while (at < b.size()) {
    int id = b[at] & 15;
    bool wide = (b[at] >> 4) != 0;
    if (id > 3) return kJpegBadQuantTableId;
    size_t bytes = wide ? 128 : 64;
    if (at + 1 + bytes > b.size()) return wide ? kJpegWideQuantTableCut : kJpegQuantTableCut;
    if (++d.quantDefinitions > 4) return kJpegTooManyQuantTables;
    for (int k = 0; k < 64; ++k) {
      d.quant[id][k] = wide ? static_cast<uint16_t>(b[at + 1 + 2 * k] << 8 | b[at + 2 + 2 * k]) : b[at + 1 + k];
    }
    for (auto& table : d.quant) {
      for (uint16_t& q : table) q = q == 0 ? 1 : q;
    }
    at += 1 + bytes;
  }
  return 0;
}

int ReadScanHeader(DecoderState& d, const std::vector<uint8_t>& b) {
  if (b.empty() || b[0] == 0) return kJpegScanWithoutComponents;
  int count = b[0];
  if (d.sof && count > d.componentCount) return kJpegScanComponentUnknown;
  if (count > 4) return kJpegScanTooManyComponents;
  if (b.size() != static_cast<size_t>(4 + 2 * count)) return kJpegScanHeaderLength;
  if (++d.scansDone > kMaxScans) return kJpegTooManyScans;
  ScanHeader& s = d.scan;
  s.count = count;
  bool used[4] = {};
  for (int i = 0; i < count; ++i) {
    int id = b[1 + 2 * i];
    int index = -1;
    for (int c = 0; c < d.componentCount; ++c) {
      if (d.components[c].id == id && !used[c]) {
        index = c;
        break;
      }
    }
    if (index < 0 && d.sof) return kJpegScanComponentUnknown;
    if (index >= 0) used[index] = true;
    s.components[i].frameIndex = std::max(index, 0);
    s.components[i].dcTable = b[2 + 2 * i] >> 4;
    s.components[i].acTable = b[2 + 2 * i] & 15;
  }
  s.ss = b[1 + 2 * count];
  s.se = b[2 + 2 * count];
  s.ah = b[3 + 2 * count] >> 4;
  s.al = b[3 + 2 * count] & 15;
  d.sos = true;
  return 0;
}

int ReadJfif(DecoderState& d, const std::vector<uint8_t>& b) {
  if (b.size() < 5 || std::memcmp(b.data(), "JFIF", 5) != 0) return kJpegNotJfif;
  if (d.jfif) return kJpegSecondJfif;
  if (b.size() < 14) return kJpegJfifLength;
  if (b[5] != 1) return kJpegJfifMajorVersion;
  if (b[6] > 2) return kJpegJfifMinorVersion;
  if (b[7] > 2) return kJpegJfifDensityUnits;
  int thumbWide = b[12], thumbHigh = b[13];
  // Thumbnails are not wanted: only an empty one passes.
  if (thumbWide * thumbHigh != 0 || b.size() + 2 != static_cast<size_t>(16 + thumbWide * 256 + thumbHigh))
    return kJpegJfifLength;
  d.densityUnits = b[7];
  d.xDensity = b[8] << 8 | b[9];
  d.yDensity = b[10] << 8 | b[11];
  d.jfif = true;
  return 0;
}

}  // namespace

int ReadMarkers(DecoderState& d, bool afterScan) {
  JpegInput& in = d.input;
  std::vector<uint8_t> body;
  for (;;) {
    in.Ensure(2);
    bool appended = in.AtAppendedEnd();
    int byte = in.Byte();
    if (byte < 0) return d.sos ? kReachedEndOfImage : kJpegFileEndsBeforeScan;
    if (byte != 0xFF) {
      if (afterScan) return kJpegNoMarkerAfterScan;
      continue;  // stray bytes between segments, or before the image
    }
    afterScan = false;
    int marker = in.Byte();
    while (marker == 0xFF) marker = in.Byte();
    if (marker < 0) return d.sos ? kReachedEndOfImage : kJpegFileEndsBeforeScan;
    // Everything before the first SOI is skipped, an EOI among it too.
    if (!d.soi && marker != 0xD8) continue;

    int result = 0;
    switch (marker) {
      case 0xD8:
        d.soi = true;
        break;
      case 0xD9:
        if (!d.sos) return appended ? kJpegFileEndsBeforeScan : kJpegEndOfImageBeforeScan;
        return kReachedEndOfImage;
      case 0xC0:
      case 0xC1:
      case 0xC2:
        result = ReadSegment(in, body);
        if (result == 0) result = ReadFrameHeader(d, body, marker);
        break;
      case 0xC4:
        result = ReadSegment(in, body);
        if (result == 0) result = ReadHuffmanTables(d, body);
        break;
      case 0xDB:
        result = ReadSegment(in, body);
        if (result == 0) result = ReadQuantTables(d, body);
        break;
      case 0xDA:
        result = ReadSegment(in, body);
        if (result == 0) result = ReadScanHeader(d, body);
        return result;
      case 0xDD:
        result = ReadSegment(in, body);
        if (result == 0 && body.size() != 2) result = kJpegRestartIntervalLength;
        // Encoders may repeat the interval before every scan of a
        // progressive file; only a second one before the first scan is refused.
        if (result == 0 && d.dri && !d.sos) result = kJpegSecondRestartInterval;
        if (result == 0) {
          d.dri = true;
          d.restartInterval = body[0] << 8 | body[1];
        }
        break;
      case 0xE0:
        result = ReadSegment(in, body);
        if (result == 0) result = ReadJfif(d, body);
        break;
      case 0xE1:
        // Camera data can be large; it is passed over without reading.
        result = SkipSegment(in, kJpegApp1Unreadable, kJpegApp1Unreadable);
        if (result == 0 && !d.jfif && !d.app1) {
          d.densityUnits = 1;
          d.xDensity = d.yDensity = 256;
        }
        d.app1 = true;
        break;
      case 0x01:
      case 0xD0:
      case 0xD1:
      case 0xD2:
      case 0xD3:
      case 0xD4:
      case 0xD5:
      case 0xD6:
      case 0xD7:
        break;
      default:
        result = SkipSegment(in, kJpegSegmentPastEnd, kJpegSegmentUnreadable);
        break;
    }
    if (result != 0) return result;
  }
}

int CheckFrame(DecoderState& d) {
  if (d.huffmanDefinitions == 0) return kJpegNoHuffmanTables;
  if (d.quantDefinitions == 0) return kJpegNoQuantTables;
  if (!d.soi || !(d.jfif || d.app1) || !d.sos) return kJpegMissingHeaders;
  if (!d.sof) return kJpegNoFrame;
  int hMin = 99, vMin = 99;
  d.hMax = d.vMax = 0;
  for (int i = 0; i < d.componentCount; ++i) {
    const FrameComponent& c = d.components[i];
    if (c.quantTable > 3) return kJpegBadQuantTableNumber;
    hMin = std::min(hMin, c.h);
    vMin = std::min(vMin, c.v);
    d.hMax = std::max(d.hMax, c.h);
    d.vMax = std::max(d.vMax, c.v);
  }
  for (int i = 0; i < d.scan.count; ++i) {
    if (d.scan.components[i].dcTable > 3) return kJpegBadDcTableNumber;
    if (d.scan.components[i].acTable > 3) return kJpegBadAcTableNumber;
  }
  if (hMin != 1) return kJpegLeastHorizontalSamplingNotOne;
  if (vMin != 1) return kJpegLeastVerticalSamplingNotOne;
  if (d.hMax >= 5) return kJpegHorizontalSamplingTooLarge;
  if (d.vMax >= 5) return kJpegVerticalSamplingTooLarge;
  if (d.hMax % hMin != 0) return kJpegHorizontalSamplingNotMultiple;
  if (d.vMax % vMin != 0) return kJpegVerticalSamplingNotMultiple;
  for (int i = 0; i < d.componentCount; ++i) {
    if (d.hMax % d.components[i].h != 0) return kJpegComponentHorizontalSampling;
    if (d.vMax % d.components[i].v != 0) return kJpegComponentVerticalSampling;
  }
  if (d.width == 0 || d.height == 0 || int64_t{d.width} * d.height > kMaxPicturePixels) return kJpegPictureSizeUnusable;

  d.mcusWide = (d.width + 8 * d.hMax - 1) / (8 * d.hMax);
  d.mcusHigh = (d.height + 8 * d.vMax - 1) / (8 * d.vMax);
  int64_t coefficients = 0;
  for (int i = 0; i < d.componentCount; ++i) {
    FrameComponent& c = d.components[i];
    int sampleWide = (d.width * c.h + d.hMax - 1) / d.hMax;
    int sampleHigh = (d.height * c.v + d.vMax - 1) / d.vMax;
    c.blocksWide = (sampleWide + 7) / 8;
    c.blocksHigh = (sampleHigh + 7) / 8;
    c.gridWide = d.mcusWide * c.h;
    c.gridHigh = d.mcusHigh * c.v;
    coefficients += int64_t{c.gridWide} * c.gridHigh * 64;
  }
  if (d.progressive && coefficients > kMaxCoefficients) return kJpegPictureSizeUnusable;

  // Bands become BGR rows as they are finished: a first scan with every
  // component is the only scan of a sequential frame.
  const bool inBands = d.componentCount == 1 || d.componentCount == 3;
  BmpBandMaker maker;
  // Grey bands are shared out between two threads; with one, the usual
  // way is quicker.
  if (d.file && d.componentCount == 1 && BmpFileStream::WritesOnHelperThread(d.width, d.height)) {
    try {
      d.greyBands = std::make_shared<GreyBandMaker>(d.width, d.components[0].gridWide, d.rowConverters);
    } catch (const std::bad_alloc&) {
      return kJpegPictureSizeUnusable;
    }
    maker.bandBytes = d.greyBands->BandBytes();
    maker.make = [bands = d.greyBands](const uint8_t* band, int count, uint8_t* rows, size_t stride) {
      bands->Make(band, count, rows, stride);
    };
  }
  d.streaming = d.file && inBands && (d.progressive || d.scan.count == d.componentCount) &&
                d.file->Open(d.width, d.height, 8 * d.vMax, std::move(maker));
  if (!d.streaming) d.greyBands.reset();

  // Grey rows are widened to BGR band by band, straight into the output.
  d.stride = BitmapStride(d.width, d.componentCount == 1 ? 24 : 8 * d.componentCount);
  size_t bgrBytes = BitmapStride(d.width, 24) * static_cast<size_t>(d.height);
  try {
    if (d.progressive) {
      for (int i = 0; i < d.componentCount; ++i) {
        FrameComponent& c = d.components[i];
        size_t count = static_cast<size_t>(c.gridWide) * c.gridHigh * 64;
        ReserveLarge(c.coefficients, count);
        c.coefficients.assign(count, 0);
      }
    } else if (!d.streaming) {
      // Areas no scan reaches stay mid-grey.
      ReserveLarge(d.pixels, std::max(bgrBytes, d.stride * static_cast<size_t>(d.height)));
      d.pixels.assign(d.stride * static_cast<size_t>(d.height), 128);
    }
  } catch (const std::bad_alloc&) {
    return kJpegPictureSizeUnusable;
  }
  return 0;
}

}  // namespace kx::jpeg
