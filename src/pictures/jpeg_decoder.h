#pragma once

#include <cstdio>
#include <string>

#include "pictures/dib.h"

namespace kx {

// Decodes a JPEG file (baseline, extended-sequential or progressive Huffman
// frames, 1 to 4 components) into a 24-bit bottom-up picture, blue-green-red,
// rows padded to 4 bytes. The header's resolution fields carry the JFIF X and
// Y densities unchanged. One component is grey; of four, the first three are
// taken as YCbCr.
//
// Returns 0 or the error number (JpegErrorNumber) the user sees. On failure
// `out->pixels` is empty and the header holds what was known. The numbers are
// grouped by stage:
//   10 work memory, 20 cannot open, 30 read error in the headers,
//   39 EOI before the first scan, 40 the file ends before the first scan,
//   50..210 frame header, 390..450 Huffman tables, 460..490 scan header,
//   500..560 quantization tables, 590/600 restart interval, 610..721 JFIF/APP1,
//   900/910 a segment past the end of the file / unreadable,
//   1020..1170 what the headers must provide (tables, JFIF or APP1, frame,
//   table numbers, sampling factors),
//   1180 the picture is empty or too large to hold (over 100 megapixels, or a
//   progressive coefficient store over 160 million coefficients),
//   2002 missing restart marker, 2010 read error in scan data,
//   2021..2025 bad spectral selection of a progressive AC scan,
//   2040 scan uses a Huffman table without codes,
//   2050 the scan is not followed by a marker, 2051 unused scan bytes before it,
//   2060 more than 1000 scans,
//   20202 sequential block, 20204 progressive DC, 20205 progressive AC first,
//   20206 progressive AC refinement: data ran out or held an impossible code.
int DecodeJpegFile(const std::string& fileName, Dib* out);
// The same from an open stream positioned at the file's first byte.
int DecodeJpegStream(std::FILE* file, Dib* out);

}  // namespace kx
