#include "pictures/jpeg_decoder.h"

#include <memory>
#include <new>

#include "pictures/bmp_file.h"
#include "pictures/jpeg_state.h"

namespace kx {

namespace {

int Decode(jpeg::DecoderState& d) {
  int result = jpeg::ReadMarkers(d, false);
  if (result == jpeg::kReachedEndOfImage) return kJpegEndOfImageBeforeScan;
  if (result != 0) return result;
  if ((result = jpeg::CheckFrame(d)) != 0) return result;
  for (;;) {
    if ((result = jpeg::DecodeScan(d)) != 0) return result;
    // A sequential scan with every component completes the picture.
    if (!d.progressive && d.allComponentsDone) break;
    result = jpeg::ReadMarkers(d, true);
    if (result == jpeg::kReachedEndOfImage) break;
    if (result != 0) return result;
  }
  return jpeg::FinishPicture(d);
}

// The picture's header; the pixels, unless they went to a file.
void TakePicture(jpeg::DecoderState& d, int result, Dib* out) {
  out->header = MakeHeader24(d.width, d.height);
  out->header.xPelsPerMeter = d.xDensity;
  out->header.yPelsPerMeter = d.yDensity;
  if (result == 0) out->pixels = std::move(d.pixels);
}

// Decodes into `out`, or band by band into `file` where the frame allows.
int DecodeOpenFile(std::FILE* file, Dib* out, BmpFileStream* bmp) {
  *out = Dib{};
  std::unique_ptr<jpeg::DecoderState> d;
  try {
    d = std::make_unique<jpeg::DecoderState>(file);
  } catch (const std::bad_alloc&) {
    return kJpegNoWorkMemory;
  }
  d->file = bmp;
  const int result = Decode(*d);
  TakePicture(*d, result, out);
  return result;
}

}  // namespace

int DecodeJpegStream(std::FILE* file, Dib* out) { return DecodeOpenFile(file, out, nullptr); }

int DecodeJpegFile(const std::string& fileName, Dib* out) {
  *out = Dib{};
  std::FILE* file = std::fopen(fileName.c_str(), "rb");
  if (!file) return kJpegCannotOpen;
  int result = DecodeJpegStream(file, out);
  std::fclose(file);
  return result;
}

int ConvertJpegToBmpFile(const std::string& jpegName, const std::string& bmpName) {
  std::FILE* file = std::fopen(jpegName.c_str(), "rb");
  if (!file) return kJpegCannotOpen;
  BmpFileStream bmp(bmpName);
  Dib picture;
  const int result = DecodeOpenFile(file, &picture, &bmp);
  std::fclose(file);
  if (result != 0) return result;
  return bmp.IsOpen() ? bmp.Finish(picture.header) : WriteBmpFile(bmpName, picture);
}

}  // namespace kx
