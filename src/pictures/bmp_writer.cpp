#include <algorithm>
#include <cstdio>
#include <new>
#include <utility>

#include "pictures/bmp_file.h"
#include "base/byte_order.h"
#include "base/helper_thread.h"

namespace kx {

namespace {

// The file header and info header of a 24-bit file; false when the file
// would outgrow its 32-bit size field.
bool MakeFileHead(const BitmapInfoHeader& h, uint8_t head[kBmpHeadBytes]) {
  const uint64_t imageSize = uint64_t{BitmapStride(h.width, 24)} * static_cast<uint64_t>(h.height);
  if (imageSize + kBmpHeadBytes > UINT32_MAX) return false;
  std::fill(head, head + kBmpHeadBytes, 0);
  head[0] = 'B';
  head[1] = 'M';
  PutU32(head + 2, static_cast<uint32_t>(imageSize + kBmpHeadBytes));
  PutU32(head + 10, kBmpHeadBytes);
  BitmapInfoHeader info = MakeHeader24(h.width, h.height);
  info.xPelsPerMeter = h.xPelsPerMeter;
  info.yPelsPerMeter = h.yPelsPerMeter;
  StoreInfoHeader(info, head + 14);
  return true;
}

}  // namespace

int WriteBmpFile(const std::string& fileName, const Dib& dib) {
  const BitmapInfoHeader& h = dib.header;
  size_t stride = BitmapStride(h.width, 24);
  if (h.bitCount != 24 || h.compression != 0 || h.width <= 0 || h.height <= 0) return -2;
  uint64_t imageSize = uint64_t{stride} * static_cast<uint64_t>(h.height);
  uint8_t head[kBmpHeadBytes];
  if (dib.pixels.size() < imageSize || !MakeFileHead(h, head)) return -2;

  std::remove(fileName.c_str());
  std::FILE* file = std::fopen(fileName.c_str(), "wb");
  if (!file) return -1;
  bool ok = std::fwrite(head, 1, sizeof head, file) == sizeof head &&
            std::fwrite(dib.pixels.data(), 1, imageSize, file) == imageSize;
  ok = std::fclose(file) == 0 && ok;
  // A cut file would only be refused later; none is better.
  if (!ok) std::remove(fileName.c_str());
  return ok ? 0 : -1;
}

BmpFileStream::BmpFileStream(std::string fileName)
    : fileName_(std::move(fileName)), partName_(fileName_ + ".kx-part") {}

BmpFileStream::~BmpFileStream() {
  writer_.reset();  // its writes end before the file goes
  if (file_) {
    std::fclose(file_);
    std::remove(partName_.c_str());
  }
}

bool BmpFileStream::WritesOnHelperThread(int32_t width, int32_t height) {
  // A helper thread pays off from a few megabytes on, where the kernel's
  // copying takes milliseconds, and only on a processor of its own.
  constexpr uint64_t kHelperFromBytes = uint64_t{1} << 20;
  return width > 0 && height > 0 && uint64_t{BitmapStride(width, 24)} * static_cast<uint64_t>(height) >= kHelperFromBytes &&
         UsableCores() > 1;
}

bool BmpFileStream::Open(int32_t width, int32_t height, int bandRows, BmpBandMaker maker) {
  if (width <= 0 || height <= 0 || bandRows <= 0) return false;
  if (maker.make && maker.bandBytes == 0) return false;
  // "x": a file already there under the working name belongs to somebody.
  file_ = std::fopen(partName_.c_str(), "wbx");
  if (!file_) return false;
  // Bands go straight to the file: a buffer would only copy them once more.
  std::setvbuf(file_, nullptr, _IONBF, 0);
  stride_ = BitmapStride(width, 24);
  height_ = height;
  bandRows_ = std::min(bandRows, height);
  const size_t rowsBytes = stride_ * static_cast<size_t>(bandRows_);
  BackgroundWriter::Transform made;
  if (maker.make) made = [this](const uint8_t* band, size_t bytes) { return MakeBand(band, bytes); };
  maker_ = std::move(maker);
  try {
    if (maker_.make) made_.assign(rowsBytes, 0);
    writer_ = std::make_unique<BackgroundWriter>(fileno(file_), maker_.make ? maker_.bandBytes : rowsBytes,
                                                 WritesOnHelperThread(width, height), std::move(made));
  } catch (const std::bad_alloc&) {
    std::fclose(file_);
    file_ = nullptr;
    std::remove(partName_.c_str());
    return false;
  }
  return true;
}

uint8_t* BmpFileStream::BandRows() { return writer_->NextBlock(); }

void BmpFileStream::WriteRows(int rowsBelow, uint8_t* rows, int count) {
  if (!file_) return;
  if (failed_ || rowsBelow < 0 || count < 0 || count > bandRows_ || rowsBelow + count > height_) {
    failed_ = true;
    writer_->Write(rows, 0, 0);  // the room still goes back
    return;
  }
  writer_->Write(rows, stride_ * static_cast<size_t>(count), kBmpHeadBytes + stride_ * static_cast<size_t>(rowsBelow));
}

std::span<const uint8_t> BmpFileStream::MakeBand(const uint8_t* band, size_t bytes) {
  const size_t count = bytes / stride_;
  if (count != 0) maker_.make(band, static_cast<int>(count), made_.data(), stride_);
  return {made_.data(), count * stride_};
}

int BmpFileStream::Finish(const BitmapInfoHeader& header) {
  if (!file_) return -1;
  uint8_t head[kBmpHeadBytes];
  if (!MakeFileHead(header, head)) return -2;  // the destructor removes the working file
  bool ok = writer_->Finish() && !failed_ && std::fseek(file_, 0, SEEK_SET) == 0 &&
            std::fwrite(head, 1, sizeof head, file_) == sizeof head;
  ok = std::fclose(file_) == 0 && ok;
  file_ = nullptr;
  // Removed first, not replaced by the rename: a rename over a file makes
  // some file systems write the new one out at once and wait for it.
  if (ok) std::remove(fileName_.c_str());
  ok = ok && std::rename(partName_.c_str(), fileName_.c_str()) == 0;
  if (!ok) std::remove(partName_.c_str());
  return ok ? 0 : -1;
}

}  // namespace kx
