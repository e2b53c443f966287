#include "pictures/jpeg_decoder.h"

#include <memory>
#include <new>

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

}  // namespace

int DecodeJpegStream(std::FILE* file, Dib* out) {
  *out = Dib{};
  int result;
  std::unique_ptr<jpeg::DecoderState> d;
  try {
    d = std::make_unique<jpeg::DecoderState>(file);
  } catch (const std::bad_alloc&) {
    return kJpegNoWorkMemory;
  }
  result = Decode(*d);
  out->header = MakeHeader24(d->width, d->height);
  out->header.xPelsPerMeter = d->xDensity;
  out->header.yPelsPerMeter = d->yDensity;
  if (result == 0) out->pixels = std::move(d->pixels);
  return result;
}

int DecodeJpegFile(const std::string& fileName, Dib* out) {
  *out = Dib{};
  std::FILE* file = std::fopen(fileName.c_str(), "rb");
  if (!file) return kJpegCannotOpen;
  int result = DecodeJpegStream(file, out);
  std::fclose(file);
  return result;
}

}  // namespace kx
