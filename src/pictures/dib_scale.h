#pragma once

#include "pictures/dib.h"

namespace kx {

// Copies the rectangle (srcX, srcY, srcWidth, srcHeight) of an uncompressed
// 32, 24, 16 (5-5-5), 8, 4 or 1-bit picture into the rectangle (destX,
// destY, destWidth, destHeight) of a 24-bit picture, averaging boxes of
// source pixels. Coordinates count from the top-left corner of each picture.
// A negative width or height on exactly one side mirrors that axis; the
// box factors are in 1/256 units (256 = the rounded-up reduction ratio).
//
// Result: the absolute source height, or a negative code:
//  -1..-4 a width or height of 0 (dest w, dest h, src w, src h)
//  -5/-6 the source rectangle leaves the source picture
//  -7 source compressed  -8 source bit count unusable
//  -24 the source pixel block is shorter than its rows
//  destination: -15 header size, -16/-17 rectangle outside, -18 planes,
//    -19 bit count not 24, -20 compressed, -21 sizeImage not height * stride
//    or the block shorter, -22/-23 colour counts not 0
int ScaleDib(Dib& dest, int destX, int destY, int destWidth, int destHeight, int srcX, int srcY, int srcWidth,
             int srcHeight, const Dib& src, int boxFactorX = 256, int boxFactorY = 256);

}  // namespace kx
