#pragma once

#include <cstdio>
#include <string>

#include "pictures/dib.h"
#include "pictures/jpeg_errors.h"

namespace kx {

// Decodes a JPEG file (baseline, extended-sequential or progressive Huffman
// frames, 1 to 4 components) into a 24-bit bottom-up picture, blue-green-red,
// rows padded to 4 bytes. The header's resolution fields carry the JFIF X and
// Y densities unchanged. One component is grey; of four, the first three are
// taken as YCbCr.
//
// Returns 0 or the JpegErrorNumber the user sees. On failure `out->pixels`
// is empty and the header holds what was known.
int DecodeJpegFile(const std::string& fileName, Dib* out);
// The same from an open stream positioned at the file's first byte.
int DecodeJpegStream(std::FILE* file, Dib* out);

// DecodeJpegFile, then WriteBmpFile of the picture, with the same results
// and the same file; grey and three-component pictures go into the file
// band by band as they are decoded, without the whole picture in memory,
// and a file of that name stays as it was unless the new one is complete.
int ConvertJpegToBmpFile(const std::string& jpegName, const std::string& bmpName);

}  // namespace kx
