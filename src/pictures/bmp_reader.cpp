#include <cstring>
#include <memory>
#include <new>

#include "pictures/bmp_file.h"
#include "pictures/bmp_rle.h"
#include "base/byte_order.h"

namespace kx {

namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr int64_t kMaxHeaderBlock = 1064;  // 40-byte header and 256 colour entries

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// Reads exactly n bytes: 0, 1 for a read error, 2 for too few bytes.
int ReadExactly(std::FILE* file, uint8_t* to, size_t n) {
  size_t got = std::fread(to, 1, n, file);
  if (got == n) return 0;
  return std::ferror(file) ? 1 : 2;
}

bool SaneSize(int64_t width, int64_t rows) { return width > 0 && rows > 0 && width * rows <= kMaxPicturePixels; }

bool Allocate(std::vector<uint8_t>& block, size_t bytes) {
  try {
    block.assign(bytes, 0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

void PutEntry(const std::vector<uint8_t>& table, unsigned index, uint8_t* to) {
  size_t at = size_t{index} * 4;
  if (at + 3 <= table.size()) {
    std::memcpy(to, &table[at], 3);
  } else {
    to[0] = to[1] = to[2] = 0;  // an index beyond the file's table shows black
  }
}

uint8_t Widen5(unsigned v) { return static_cast<uint8_t>(v << 3 | v >> 2); }

void ConvertRow(const uint8_t* from, int bitCount, int width, const std::vector<uint8_t>& table, uint8_t* to) {
  for (int x = 0; x < width; ++x, to += 3) {
    switch (bitCount) {
      case 32:
        std::memcpy(to, from + size_t(x) * 4, 3);
        break;
      case 16: {
        unsigned v = GetU16(from + size_t(x) * 2);
        to[0] = Widen5(v & 31);
        to[1] = Widen5(v >> 5 & 31);
        to[2] = Widen5(v >> 10 & 31);
        break;
      }
      case 8:
        PutEntry(table, from[x], to);
        break;
      case 4:
        PutEntry(table, x % 2 == 0 ? from[x / 2] >> 4 : from[x / 2] & 15, to);
        break;
      default:  // 1
        PutEntry(table, from[x / 8] >> (7 - x % 8) & 1, to);
        break;
    }
  }
}

int ReadPlainPixels(std::FILE* file, const BitmapInfoHeader& h, const std::vector<uint8_t>& table, Dib* out) {
  int bitCount = h.bitCount;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32) {
    return -47;
  }
  bool direct = bitCount == 24;
  int64_t rows = h.height < 0 ? -int64_t{h.height} : h.height;
  if (!SaneSize(h.width, rows)) return direct ? -39 : -31;
  size_t srcStride = BitmapStride(h.width, bitCount);
  size_t dstStride = BitmapStride(h.width, 24);
  std::vector<uint8_t> raw;
  if (!Allocate(raw, srcStride * static_cast<size_t>(rows))) return direct ? -39 : -31;
  int read = ReadExactly(file, raw.data(), raw.size());
  if (read != 0) return direct ? (read == 1 ? -41 : -42) : (read == 1 ? -33 : -34);
  bool topDown = h.height < 0;
  if (direct && !topDown) {
    out->pixels = std::move(raw);
    return 0;
  }
  if (!Allocate(out->pixels, dstStride * static_cast<size_t>(rows))) return direct ? -39 : -31;
  for (int64_t y = 0; y < rows; ++y) {
    const uint8_t* from = raw.data() + static_cast<size_t>(y) * srcStride;
    uint8_t* to = out->pixels.data() + static_cast<size_t>(topDown ? rows - 1 - y : y) * dstStride;
    if (direct) {
      std::memcpy(to, from, dstStride);
    } else {
      ConvertRow(from, bitCount, h.width, table, to);
    }
  }
  return 0;
}

int ReadRunLengthPixels(std::FILE* file, const BitmapInfoHeader& h, const std::vector<uint8_t>& table, Dib* out) {
  bool eight = h.compression == 1;
  int bits = eight ? 8 : 4;
  if (h.bitCount != bits) return eight ? -48 : -58;
  if (!SaneSize(h.width, h.height)) return eight ? -49 : -59;  // run-length files are never top-down
  size_t stride = BitmapStride(h.width, 24);
  if (!Allocate(out->pixels, stride * static_cast<size_t>(h.height))) return eight ? -49 : -59;
  // The stream never needs more than two bytes per pixel plus the line ends;
  // reading stops there so that a huge file cannot ask for huge memory.
  size_t limit = static_cast<size_t>(h.width) * static_cast<size_t>(h.height) * 2 + 4 * size_t(h.height) + 1024;
  std::vector<uint8_t> data;
  try {
    uint8_t chunk[65536];
    while (data.size() < limit) {
      size_t got = std::fread(chunk, 1, sizeof chunk, file);
      data.insert(data.end(), chunk, chunk + std::min(got, limit - data.size()));
      if (got < sizeof chunk) break;
    }
  } catch (const std::bad_alloc&) {
    return eight ? -51 : -61;
  }
  if (std::ferror(file)) return eight ? -53 : -62;
  int result = DecodeBmpRle(data.data(), data.size(), bits, h.width, h.height, table, out->pixels.data(), stride);
  if (result == 1) return eight ? -56 : -63;
  if (result == 2) return eight ? -57 : -64;
  return 0;
}

int ReadBmp(std::FILE* file, Dib* out) {
  uint8_t fileHeader[kFileHeaderBytes];
  int read = ReadExactly(file, fileHeader, sizeof fileHeader);
  if (read != 0) return read == 1 ? -13 : -14;
  if (fileHeader[0] != 'B' || fileHeader[1] != 'M') return -15;
  if (GetU16(fileHeader + 6) != 0) return -16;
  if (GetU16(fileHeader + 8) != 0) return -17;
  int64_t headerBytes = int64_t{GetU32(fileHeader + 10)} - int64_t{kFileHeaderBytes};
  if (headerBytes < 0 || headerBytes > kMaxHeaderBlock) return -18;

  uint8_t block[kMaxHeaderBlock] = {};
  read = ReadExactly(file, block, static_cast<size_t>(headerBytes));
  if (read != 0) return read == 1 ? -19 : -20;
  // A shorter header (an OS/2 file's 12 bytes) is read whole and then
  // refused by its size field; the block's zeros stand for what it lacks.
  BitmapInfoHeader h = LoadInfoHeader(block);
  if (h.size != kInfoHeaderBytes) return -21;
  if (h.planes != 1) return -22;
  std::vector<uint8_t> table(block + kInfoHeaderBytes, block + std::max<int64_t>(headerBytes, kInfoHeaderBytes));

  int result;
  if (h.compression == 0) {
    result = ReadPlainPixels(file, h, table, out);
  } else if (h.compression == 1 || h.compression == 2) {
    result = ReadRunLengthPixels(file, h, table, out);
  } else if (h.compression == 3) {
    result = h.bitCount == 16 || h.bitCount == 32 ? -69 : -68;
  } else {
    result = -70;
  }
  if (result != 0) return result;

  int32_t rows = h.height < 0 ? -h.height : h.height;
  out->header = h;
  out->header.height = rows;
  out->header.bitCount = 24;
  out->header.planes = 1;
  out->header.compression = 0;
  out->header.clrUsed = 0;
  out->header.clrImportant = 0;
  out->header.sizeImage = static_cast<uint32_t>(BitmapStride(h.width, 24) * static_cast<size_t>(rows));
  out->colorTable = std::move(table);
  return 0;
}

}  // namespace

int ReadBmpStream(std::FILE* file, Dib* out) {
  *out = Dib{};
  int result = ReadBmp(file, out);
  if (result != 0) *out = Dib{};
  return result;
}

int ReadBmpFile(const std::string& fileName, Dib* out) {
  *out = Dib{};
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(fileName.c_str(), "rb"));
  if (!file) return -12;
  return ReadBmpStream(file.get(), out);
}

}  // namespace kx
