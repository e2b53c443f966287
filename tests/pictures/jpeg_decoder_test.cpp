#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "../support/temp_dir.h"
#include "picture_files.h"
#include "pictures/jpeg_decoder.h"
#include "pictures/jpeg_color.h"
#include "pictures/jpeg_color_simd.h"
#include "pictures/jpeg_huffman.h"
#include "pictures/jpeg_idct.h"
#include "pictures/jpeg_idct_simd.h"

namespace kx {
namespace {

using test::Bytes;

// Offset of the first segment with this marker before the scan data, or npos.
size_t FindSegment(const Bytes& jpeg, uint8_t marker, size_t from = 2) {
  size_t at = from;
  while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF) {
    if (jpeg[at + 1] == marker) return at;
    if (jpeg[at + 1] == 0xDA) break;
    at += 2 + (jpeg[at + 2] << 8 | jpeg[at + 3]);
  }
  return std::string::npos;
}

size_t SegmentEnd(const Bytes& jpeg, size_t at) { return at + 2 + (jpeg[at + 2] << 8 | jpeg[at + 3]); }

Bytes Without(Bytes jpeg, size_t at, size_t end) {
  jpeg.erase(jpeg.begin() + static_cast<std::ptrdiff_t>(at), jpeg.begin() + static_cast<std::ptrdiff_t>(end));
  return jpeg;
}

Bytes Inserted(Bytes jpeg, size_t at, const Bytes& piece) {
  jpeg.insert(jpeg.begin() + static_cast<std::ptrdiff_t>(at), piece.begin(), piece.end());
  return jpeg;
}

class JpegTest : public test::TempDirTest {
 protected:
  static Bytes Load(const std::string& name) { return test::ReadFile<Bytes>(test::PictureData(name)); }
  int Decode(const Bytes& jpeg, Dib* out) {
    test::WriteBytes("in.jpg", jpeg);
    return DecodeJpegFile("in.jpg", out);
  }
  int Decode(const Bytes& jpeg) {
    Dib ignored;
    return Decode(jpeg, &ignored);
  }
};

struct Reference {
  const char* jpeg;
  const char* decoded;
};

class JpegMatchesDjpeg : public JpegTest, public ::testing::WithParamInterface<Reference> {};

TEST_P(JpegMatchesDjpeg, WithinTwoPerChannel) {
  Dib dib;
  ASSERT_EQ(DecodeJpegFile(test::PictureData(GetParam().jpeg), &dib), 0);
  const BitmapInfoHeader& h = dib.header;
  EXPECT_EQ(h.size, 40u);
  EXPECT_EQ(h.planes, 1);
  EXPECT_EQ(h.bitCount, 24);
  EXPECT_EQ(h.compression, 0u);
  EXPECT_EQ(h.sizeImage, BitmapStride(h.width, 24) * h.height);
  EXPECT_EQ(dib.pixels.size(), h.sizeImage);
  test::Difference d = test::Compare(test::FromDib(dib), test::ReadPnm(test::PictureData(GetParam().decoded)));
  EXPECT_LE(d.maximum, 2);
  EXPECT_GT(d.psnr, 50);
  RecordProperty("max_difference", d.maximum);
  RecordProperty("psnr", std::to_string(d.psnr));
  std::printf("%-24s max %d  PSNR %.1f dB\n", GetParam().jpeg, d.maximum, d.psnr);
}

INSTANTIATE_TEST_SUITE_P(
    Samplings, JpegMatchesDjpeg,
    ::testing::Values(Reference{"s444.jpg", "s444.ppm"}, Reference{"s422.jpg", "s422.ppm"},
                      Reference{"s420.jpg", "s420.ppm"}, Reference{"s440.jpg", "s440.ppm"},
                      Reference{"s411.jpg", "s411.ppm"}, Reference{"s31.jpg", "s31.ppm"},
                      Reference{"s42.jpg", "s42.ppm"}, Reference{"s2221.jpg", "s2221.ppm"},
                      Reference{"optimized.jpg", "optimized.ppm"}, Reference{"restart.jpg", "restart.ppm"},
                      Reference{"separate_scans.jpg", "separate_scans.ppm"},
                      Reference{"progressive.jpg", "progressive.ppm"},
                      Reference{"progressive_restart.jpg", "progressive_restart.ppm"},
                      Reference{"grey.jpg", "grey.pgm"}, Reference{"grey_progressive.jpg", "grey_progressive.pgm"}));

TEST_F(JpegTest, GreyGivesEqualChannelsAndOddWidthsArePadded) {
  for (const char* name : {"grey.jpg", "grey_progressive.jpg"}) {
    Dib dib;
    ASSERT_EQ(DecodeJpegFile(test::PictureData(name), &dib), 0);
    ASSERT_EQ(dib.header.width, 61);
    ASSERT_EQ(dib.header.height, 45);
    ASSERT_EQ(dib.pixels.size(), 184u * 45);  // 183 bytes of pixels, one of padding
    for (int y = 0; y < 45; ++y) {
      for (int x = 0; x < 61; ++x) {
        const uint8_t* p = &dib.pixels[y * 184 + x * 3];
        ASSERT_TRUE(p[0] == p[1] && p[1] == p[2]) << name << " " << x << "," << y;
      }
    }
  }
}

TEST_F(JpegTest, DensitiesComeFromJfifOrTheApp1Defaults) {
  Bytes jpeg = Load("s420.jpg");
  size_t app0 = FindSegment(jpeg, 0xE0);
  ASSERT_NE(app0, std::string::npos);
  jpeg[app0 + 11] = 1;  // dots per inch, 300 x 150
  jpeg[app0 + 12] = 0x01;
  jpeg[app0 + 13] = 0x2C;
  jpeg[app0 + 14] = 0;
  jpeg[app0 + 15] = 150;
  Dib jfif;
  ASSERT_EQ(Decode(jpeg, &jfif), 0);
  EXPECT_EQ(jfif.header.xPelsPerMeter, 300);
  EXPECT_EQ(jfif.header.yPelsPerMeter, 150);

  Bytes exif = {0xFF, 0xE1, 0x00, 0x10, 'E', 'x', 'i', 'f', 0, 0, 1, 2, 3, 4, 5, 6, 7, 8};
  Bytes withExif = Inserted(Without(jpeg, app0, SegmentEnd(jpeg, app0)), app0, exif);
  Dib camera;
  ASSERT_EQ(Decode(withExif, &camera), 0);
  EXPECT_EQ(camera.header.xPelsPerMeter, 256);
  EXPECT_EQ(camera.header.yPelsPerMeter, 256);
  EXPECT_EQ(camera.pixels, jfif.pixels);
}

TEST_F(JpegTest, FourComponentsTakeTheFirstThreeAsYCbCr) {
  // One scan per component: add a fourth component and a copy of the first
  // scan for it. The picture must not change.
  Bytes jpeg = Load("separate_scans.jpg");
  size_t sof = FindSegment(jpeg, 0xC0);
  ASSERT_NE(sof, std::string::npos);
  ASSERT_EQ(jpeg[sof + 9], 3);
  size_t firstScan = FindSegment(jpeg, 0xDA);
  size_t secondScan = firstScan + 2;
  while (!(jpeg[secondScan] == 0xFF && jpeg[secondScan + 1] == 0xDA)) ++secondScan;
  Bytes scan(jpeg.begin() + static_cast<std::ptrdiff_t>(firstScan), jpeg.begin() + static_cast<std::ptrdiff_t>(secondScan));
  scan[5] = 4;  // component id 4
  Bytes four = Inserted(jpeg, jpeg.size() - 2, scan);
  four[sof + 3] += 3;
  four[sof + 9] = 4;
  four = Inserted(four, SegmentEnd(jpeg, sof), {4, jpeg[sof + 11], 0});  // laid out like Y

  Dib three, dib;
  ASSERT_EQ(Decode(jpeg, &three), 0);
  ASSERT_EQ(Decode(four, &dib), 0);
  EXPECT_EQ(dib.header.sizeImage, three.header.sizeImage);
  ASSERT_EQ(dib.pixels.size(), three.pixels.size());
  for (size_t i = 0; i < dib.pixels.size(); ++i) ASSERT_EQ(dib.pixels[i], three.pixels[i]) << i;
}

TEST_F(JpegTest, RefusedHeadersNameTheirNumbers) {
  Bytes jpeg = Load("s31.jpg");
  size_t app0 = FindSegment(jpeg, 0xE0), sof = FindSegment(jpeg, 0xC0), dqt = FindSegment(jpeg, 0xDB);
  ASSERT_TRUE(app0 != std::string::npos && sof != std::string::npos && dqt != std::string::npos);
  EXPECT_EQ(Decode(jpeg), 0);

  EXPECT_EQ(Decode(Without(jpeg, app0, SegmentEnd(jpeg, app0))), 1031);

  Bytes thumbnail = jpeg;  // a 1 x 1 thumbnail of three bytes
  thumbnail[app0 + 3] += 3;
  thumbnail[app0 + 16] = 1;
  thumbnail[app0 + 17] = 1;
  thumbnail = Inserted(thumbnail, app0 + 18, {1, 2, 3});
  EXPECT_EQ(Decode(thumbnail), 710);

  Bytes app0Copy(jpeg.begin() + static_cast<std::ptrdiff_t>(app0), jpeg.begin() + static_cast<std::ptrdiff_t>(SegmentEnd(jpeg, app0)));
  EXPECT_EQ(Decode(Inserted(jpeg, app0, app0Copy)), 720);

  Bytes version = jpeg;
  version[app0 + 9] = 2;
  EXPECT_EQ(Decode(version), 620);

  Bytes mixed = jpeg;  // Y 3x1, Cb 2x1, Cr 1x1
  ASSERT_EQ(mixed[sof + 11], 0x31);
  mixed[sof + 14] = 0x21;
  EXPECT_EQ(Decode(mixed), 1160);

  Bytes five = jpeg;
  five[sof + 11] = 0x51;
  EXPECT_EQ(Decode(five), 1140);

  Bytes precision = jpeg;
  precision[sof + 4] = 9;
  EXPECT_EQ(Decode(precision), 50);

  Bytes tableId = jpeg;
  tableId[dqt + 4] = 4;
  EXPECT_EQ(Decode(tableId), 500);

  Bytes huge = jpeg;  // 65535 x 65535 is refused before anything is allocated
  std::memset(&huge[sof + 5], 0xFF, 4);
  EXPECT_EQ(Decode(huge), 1180);

  Bytes secondFrame = Inserted(jpeg, SegmentEnd(jpeg, sof),
                               Bytes(jpeg.begin() + static_cast<std::ptrdiff_t>(sof), jpeg.begin() + static_cast<std::ptrdiff_t>(SegmentEnd(jpeg, sof))));
  EXPECT_EQ(Decode(secondFrame), 210);

  EXPECT_EQ(Decode(Bytes{0xFF, 0xD8, 0xFF, 0xD9}), 39);
  EXPECT_EQ(Decode(Bytes{'n', 'o', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'}), 40);
  EXPECT_EQ(Decode(Load("arithmetic.jpg")), 1020);  // no Huffman tables at all
  Dib dib;
  EXPECT_EQ(DecodeJpegFile("missing.jpg", &dib), 20);
}

TEST_F(JpegTest, JunkBeforeTheImageIsSkippedWhateverItHolds) {
  const Bytes clean = Load("s420.jpg");
  Dib expected, got;
  ASSERT_EQ(Decode(clean, &expected), 0);
  // An EOI, fill bytes and a marker-like pair in front of the SOI.
  const Bytes junk{'x', 0xFF, 0xD9, 0xFF, 0xFF, 0xFF, 0xC4, 0x00, 0xFF, 'y'};
  ASSERT_EQ(Decode(Inserted(clean, 0, junk), &got), 0);
  EXPECT_EQ(got.pixels, expected.pixels);
  EXPECT_EQ(Decode(Bytes{0xFF, 0xD9, 'n', 'o', 0xFF}), 40);  // no image at all
}

TEST_F(JpegTest, RestartIntervalMayBeRepeatedBeforeEveryLaterScan) {
  const Bytes clean = Load("progressive_restart.jpg");
  const size_t dri = FindSegment(clean, 0xDD);
  ASSERT_NE(dri, std::string::npos);
  const Bytes segment(clean.begin() + static_cast<std::ptrdiff_t>(dri),
                      clean.begin() + static_cast<std::ptrdiff_t>(SegmentEnd(clean, dri)));
  Dib expected, got;
  ASSERT_EQ(Decode(clean, &expected), 0);
  // A copy of the DRI in front of every scan after the first.
  Bytes repeated = clean;
  size_t scans = 0;
  for (size_t at = repeated.size() - 2; at > SegmentEnd(clean, dri); --at) {
    if (repeated[at] != 0xFF || repeated[at + 1] != 0xDA) continue;
    if (FindSegment(repeated, 0xDA) == at) break;  // the first scan
    repeated = Inserted(repeated, at, segment);
    ++scans;
  }
  ASSERT_GT(scans, 2u);
  ASSERT_EQ(Decode(repeated, &got), 0);
  EXPECT_EQ(got.pixels, expected.pixels);
  // Twice before the first scan is still refused.
  EXPECT_EQ(Decode(Inserted(clean, dri, segment)), 600);
}

TEST_F(JpegTest, DamagedScansAreRefusedWithoutPixels) {
  for (const char* name : {"s420.jpg", "progressive.jpg", "restart.jpg"}) {
    Bytes jpeg = Load(name);
    size_t scan = FindSegment(jpeg, 0xDA);
    for (size_t cut : {scan + 20, scan + 200, (scan + jpeg.size()) / 2}) {
      Bytes truncated(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(cut));
      Dib dib;
      int result = Decode(truncated, &dib);
      if (result != 0) {
        // inside a scan, or inside the table segment before a later scan
        EXPECT_TRUE((result >= 20202 && result <= 20206) || result == 900) << name << " cut at " << cut;
        EXPECT_TRUE(dib.pixels.empty());
        EXPECT_EQ(dib.header.width, 61);  // what was known stays in the header
      } else {
        // a progressive file cut between scans shows what it reached
        EXPECT_EQ(dib.pixels.size(), dib.header.sizeImage);
      }
    }
  }
  Bytes restart = Load("restart.jpg");
  size_t marker = FindSegment(restart, 0xDA);
  while (!(restart[marker] == 0xFF && restart[marker + 1] == 0xD0)) ++marker;
  restart[marker + 1] = 0xFE;
  EXPECT_EQ(Decode(restart), 2002);
}

TEST(JpegParts, OverFullCodeLengthsAreDetected) {
  uint8_t counts[16] = {2, 1};  // 0, 1 and then nothing left for length 2
  uint8_t symbols[3] = {1, 2, 3};
  jpeg::HuffmanCode codes[256];
  EXPECT_EQ(jpeg::BuildHuffmanTable(counts, symbols, 3, codes), 2);
  uint8_t fitting[16] = {1, 2};
  ASSERT_EQ(jpeg::BuildHuffmanTable(fitting, symbols, 3, codes), 3);
  EXPECT_EQ(codes[0].code, 0x0000);
  EXPECT_EQ(codes[1].code, 0x8000);
  EXPECT_EQ(codes[2].code, 0xC000);
  EXPECT_EQ(jpeg::BuildHuffmanTable(fitting, symbols, 257, codes), -1);
  jpeg::HuffmanTable table;
  EXPECT_EQ(jpeg::PrepareHuffmanTable(counts, symbols, &table), 430);
}

TEST(JpegParts, InverseDctAgreesWithTheCosineSum) {
  uint32_t seed = 12345;
  auto next = [&seed] { return (seed = seed * 1103515245 + 12345) >> 16; };
  int worst = 0;
  for (int trial = 0; trial < 200; ++trial) {
    int32_t coefficients[64] = {};
    coefficients[0] = static_cast<int32_t>(next() % 1024) - 512;
    for (int i = 0; i < 6; ++i) coefficients[next() % 64] = static_cast<int32_t>(next() % 200) - 100;
    uint8_t out[64];
    jpeg::InverseDct8x8(coefficients, out, 8);
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 8; ++x) {
        double sum = 0;
        for (int v = 0; v < 8; ++v) {
          for (int u = 0; u < 8; ++u) {
            double cu = u == 0 ? std::sqrt(0.5) : 1, cv = v == 0 ? std::sqrt(0.5) : 1;
            sum += cu * cv * coefficients[v * 8 + u] * std::cos((2 * x + 1) * u * M_PI / 16) *
                   std::cos((2 * y + 1) * v * M_PI / 16);
          }
        }
        double expected = std::clamp(std::round(sum / 4 + 128), 0.0, 255.0);
        worst = std::max(worst, std::abs(out[y * 8 + x] - static_cast<int>(expected)));
      }
    }
  }
  EXPECT_LE(worst, 1);
  EXPECT_EQ(jpeg::RangeLimitTable[-5 & 0x3FF], 0);
  EXPECT_EQ(jpeg::RangeLimitTable[300], 255);
}

// The vector forms must give the plain one's samples bit for bit: real
// coefficient ranges, the edge of the 32-bit shortcut, and damaged-file
// values that must fall back to the plain arithmetic.
TEST(JpegParts, VectorInverseDctsGiveThePlainSamples) {
  std::vector<jpeg::InverseDctFunction> vector{jpeg::InverseDct8x8Sse2};
  if (__builtin_cpu_supports("avx2")) vector.push_back(jpeg::InverseDct8x8Avx2);
  uint64_t seed = 25;
  auto next = [&seed] { return (seed = seed * 6364136223846793005u + 1442695040888963407u) >> 33; };
  const int32_t ranges[] = {3, 300, 2048, 32767, 32768, 70000, 1 << 30, INT32_MAX};
  for (int32_t range : ranges) {
    for (int trial = 0; trial < 3000; ++trial) {
      int32_t coefficients[64] = {};
      int filled = trial % 3 == 0 ? 64 : static_cast<int>(next() % 12);
      for (int i = 0; i < filled; ++i) {
        int32_t value = static_cast<int32_t>(next() % (2 * static_cast<uint64_t>(range) + 1) - range);
        // the extremes, INT32_MIN included
        coefficients[trial % 3 == 0 ? i : next() % 64] = trial % 7 == 0 ? (value < 0 ? -range - 1 : range) : value;
      }
      uint8_t plain[8 * 11], fast[8 * 11];
      std::memset(plain, 7, sizeof plain);
      jpeg::InverseDct8x8(coefficients, plain, 11);
      for (auto idct : vector) {
        std::memset(fast, 7, sizeof fast);
        idct(coefficients, fast, 11);
        ASSERT_EQ(0, std::memcmp(plain, fast, sizeof plain)) << "range " << range << " trial " << trial;
      }
    }
  }
}

// Every width up to a few vector steps, so that the tails are covered too,
// and sample values over the whole byte range.
TEST(JpegParts, VectorRowConvertersGiveThePlainBytes) {
  if (!__builtin_cpu_supports("avx2")) GTEST_SKIP() << "no AVX2 here";
  uint32_t seed = 7;
  auto next = [&seed] { return static_cast<uint8_t>((seed = seed * 1103515245 + 12345) >> 16); };
  for (int width = 1; width <= 70; ++width) {
    for (bool half : {false, true}) {
      std::vector<uint8_t> y(width), cb(width), cr(width);
      for (int i = 0; i < width; ++i) {
        y[i] = next();
        cb[i] = next();
        cr[i] = next();
      }
      std::vector<uint8_t> plain(width * 3 + 8, 9), fast(width * 3 + 8, 9);
      jpeg::YccRowToBgr(y.data(), cb.data(), cr.data(), half, plain.data(), width);
      jpeg::YccRowToBgrAvx2(y.data(), cb.data(), cr.data(), half, fast.data(), width);
      ASSERT_EQ(plain, fast) << "width " << width << (half ? " half chroma" : "");
      jpeg::GreyRowToBgr(y.data(), plain.data(), width);
      jpeg::GreyRowToBgrAvx2(y.data(), fast.data(), width);
      ASSERT_EQ(plain, fast) << "grey width " << width;
    }
  }
}

}  // namespace
}  // namespace kx
