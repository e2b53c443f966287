#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <algorithm>
#include <filesystem>

#include "../support/temp_dir.h"
#include "picture_files.h"
#include "pictures/bmp_file.h"
#include "base/byte_order.h"

namespace kx {
namespace {

using test::Bytes;

// A BMP file: 14-byte file header, 40-byte info header, colour table, pixels.
Bytes MakeBmp(int width, int height, int bitCount, uint32_t compression, const Bytes& table, const Bytes& pixels) {
  Bytes file(54);
  file[0] = 'B';
  file[1] = 'M';
  PutU32(&file[2], static_cast<uint32_t>(54 + table.size() + pixels.size()));
  PutU32(&file[10], static_cast<uint32_t>(54 + table.size()));
  BitmapInfoHeader h;
  h.width = width;
  h.height = height;
  h.bitCount = static_cast<uint16_t>(bitCount);
  h.compression = compression;
  StoreInfoHeader(h, &file[14]);
  file.insert(file.end(), table.begin(), table.end());
  file.insert(file.end(), pixels.begin(), pixels.end());
  return file;
}

class BmpTest : public test::TempDirTest {
 protected:
  int Read(const Bytes& file, Dib* out) {
    test::WriteBytes("in.bmp", file);
    return ReadBmpFile("in.bmp", out);
  }
  int Read(const Bytes& file) {
    Dib ignored;
    return Read(file, &ignored);
  }
  static const uint8_t* Pixel(const Dib& dib, int x, int yFromBottom) {
    return &dib.pixels[yFromBottom * BitmapStride(dib.header.width, 24) + x * 3];
  }
};

TEST_F(BmpTest, EveryDepthMatchesItsReference) {
  for (const char* name : {"rgb24", "pal8", "rle8", "pal4", "mono1"}) {
    Dib dib;
    ASSERT_EQ(ReadBmpFile(test::PictureData(std::string(name) + ".bmp"), &dib), 0) << name;
    EXPECT_EQ(dib.header.bitCount, 24);
    EXPECT_EQ(dib.header.compression, 0u);
    EXPECT_EQ(dib.header.clrUsed, 0u);
    EXPECT_EQ(dib.header.sizeImage, 9u * 40);
    test::Difference d = test::Compare(test::FromDib(dib), test::ReadPnm(test::PictureData(std::string(name) + ".ppm")));
    EXPECT_EQ(d.maximum, 0) << name;
  }
}

TEST_F(BmpTest, DirectColourDepthsAndTopDownRows) {
  Bytes rows32 = {1, 2, 3, 99, 4, 5, 6, 99,    // bottom row
                  7, 8, 9, 99, 10, 11, 12, 99};
  Dib dib;
  ASSERT_EQ(Read(MakeBmp(2, 2, 32, 0, {}, rows32), &dib), 0);
  EXPECT_EQ(Bytes(Pixel(dib, 0, 0), Pixel(dib, 0, 0) + 6), (Bytes{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(Bytes(Pixel(dib, 0, 1), Pixel(dib, 0, 1) + 6), (Bytes{7, 8, 9, 10, 11, 12}));

  // 5-5-5: red 31, green 16, blue 1, each widened by its top bits.
  uint16_t v = 31 << 10 | 16 << 5 | 1;
  ASSERT_EQ(Read(MakeBmp(1, 1, 16, 0, {}, {uint8_t(v), uint8_t(v >> 8), 0, 0}), &dib), 0);
  EXPECT_EQ(Bytes(Pixel(dib, 0, 0), Pixel(dib, 0, 0) + 3), (Bytes{8, 132, 255}));

  Bytes rows24 = {1, 2, 3, 0, 4, 5, 6, 0};  // top row first in a top-down file
  ASSERT_EQ(Read(MakeBmp(1, -2, 24, 0, {}, rows24), &dib), 0);
  EXPECT_EQ(dib.header.height, 2);
  EXPECT_EQ(Pixel(dib, 0, 1)[0], 1);
  EXPECT_EQ(Pixel(dib, 0, 0)[0], 4);
}

TEST_F(BmpTest, RunLengthFiles) {
  Bytes table = {10, 11, 12, 0, 20, 21, 22, 0, 30, 31, 32, 0};
  // 4 bits: a run of 3 alternating 1,2; end of line; an absolute run 2,0,1
  // (padded to an even count); the end of the bitmap.
  Bytes rle4 = {3, 0x12, 0, 0, 0, 3, 0x20, 0x10, 0, 1};
  Dib dib;
  ASSERT_EQ(Read(MakeBmp(3, 2, 4, 2, table, rle4), &dib), 0);
  EXPECT_EQ(Pixel(dib, 0, 0)[0], 20);
  EXPECT_EQ(Pixel(dib, 1, 0)[0], 30);
  EXPECT_EQ(Pixel(dib, 2, 0)[0], 20);
  EXPECT_EQ(Pixel(dib, 0, 1)[0], 30);
  EXPECT_EQ(Pixel(dib, 1, 1)[0], 10);
  EXPECT_EQ(Pixel(dib, 2, 1)[0], 20);

  // 8 bits without the end-of-bitmap escape; a move leaves black pixels.
  Bytes rle8 = {0, 2, 1, 1, 2, 2};
  ASSERT_EQ(Read(MakeBmp(3, 2, 8, 1, table, rle8), &dib), 0);
  EXPECT_EQ(Pixel(dib, 0, 0)[0], 0);
  EXPECT_EQ(Pixel(dib, 1, 1)[0], 30);
  EXPECT_EQ(Pixel(dib, 2, 1)[0], 30);

  EXPECT_EQ(Read(MakeBmp(3, 1, 8, 1, table, {3, 1, 0, 0, 3, 1})), -56);
  EXPECT_EQ(Read(MakeBmp(3, 1, 8, 1, table, {0, 0, 0, 3, 1, 1, 1, 0})), -57);
  EXPECT_EQ(Read(MakeBmp(3, 1, 4, 2, table, {0, 0, 2, 0x11})), -63);
  // Runs that would pass the end of the last row (3 pixels padded to 4
  // for 8 bits, to 8 for 4 bits); a run into the padding is fine.
  EXPECT_EQ(Read(MakeBmp(3, 2, 8, 1, table, {0, 0, 4, 1})), 0);
  EXPECT_EQ(Read(MakeBmp(3, 2, 8, 1, table, {0, 0, 5, 1})), -56);
  EXPECT_EQ(Read(MakeBmp(3, 2, 8, 1, table, {0, 0, 0, 5, 1, 1, 1, 1, 1, 0})), -57);
  EXPECT_EQ(Read(MakeBmp(3, 2, 4, 2, table, {0, 0, 9, 0x11})), -63);
  EXPECT_EQ(Read(MakeBmp(3, 2, 4, 2, table, {0, 0, 0, 9, 0x11, 0x11, 0x11, 0x11, 0x11, 0})), -64);
  EXPECT_EQ(Read(MakeBmp(3, 2, 8, 1, table, {0, 2, 3, 1, 2, 1})), -56);  // moved to the last row's padding
  // A run that only overhangs an earlier row is cut at the picture's edge.
  ASSERT_EQ(Read(MakeBmp(3, 2, 8, 1, table, {5, 1, 0, 0, 3, 2}), &dib), 0);
  EXPECT_EQ(Pixel(dib, 2, 0)[0], 20);
  EXPECT_EQ(Pixel(dib, 0, 1)[0], 30);
  EXPECT_EQ(Read(MakeBmp(3, 1, 8, 2, table, {})), -58);
  EXPECT_EQ(Read(MakeBmp(3, 1, 4, 1, table, {})), -48);
}

TEST_F(BmpTest, RefusalsAndTheirCodes) {
  Bytes good = MakeBmp(2, 1, 24, 0, {}, Bytes(8, 7));
  ASSERT_EQ(Read(good), 0);
  Bytes ba = good;
  ba[1] = 'A';
  EXPECT_EQ(Read(ba), -15);
  Bytes reserved = good;
  reserved[6] = 1;
  EXPECT_EQ(Read(reserved), -16);
  Bytes farOffset = good;
  PutU32(&farOffset[10], 14 + 1065);
  EXPECT_EQ(Read(farOffset), -18);
  Bytes v4 = good;  // a 108-byte header
  PutU32(&v4[14], 108);
  EXPECT_EQ(Read(v4), -21);
  // An OS/2 file: its 12-byte header is read whole, then refused by size.
  Bytes os2 = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 26, 0, 0, 0, 12, 0, 0, 0, 2, 0, 1, 0, 1, 0, 24, 0};
  os2.insert(os2.end(), 8, 7);
  EXPECT_EQ(Read(os2), -21);
  // A header claiming 40 bytes in a shorter block reads safely.
  Bytes shortBlock = os2;
  PutU32(&shortBlock[14], 40);
  EXPECT_LT(Read(shortBlock), 0);
  Bytes planes = good;
  planes[26] = 2;
  EXPECT_EQ(Read(planes), -22);
  EXPECT_EQ(Read(Bytes(good.begin(), good.begin() + 10)), -14);
  EXPECT_EQ(Read(Bytes(good.begin(), good.begin() + 30)), -20);
  EXPECT_EQ(Read(Bytes(good.begin(), good.end() - 1)), -42);
  EXPECT_EQ(Read(MakeBmp(2, 1, 8, 0, {}, Bytes(3))), -34);
  EXPECT_EQ(Read(MakeBmp(2, 1, 7, 0, {}, Bytes(4))), -47);
  EXPECT_EQ(Read(MakeBmp(2, 1, 16, 3, {}, Bytes(4))), -69);
  EXPECT_EQ(Read(MakeBmp(2, 1, 24, 3, {}, Bytes(8))), -68);
  EXPECT_EQ(Read(MakeBmp(2, 1, 24, 4, {}, Bytes(8))), -70);
  // absurd sizes are refused before any allocation
  EXPECT_EQ(Read(MakeBmp(100000, 100000, 24, 0, {}, {})), -39);
  EXPECT_EQ(Read(MakeBmp(0, 5, 8, 0, {}, {})), -31);
  EXPECT_EQ(Read(MakeBmp(100000, 100000, 8, 1, {}, {})), -49);
  Dib dib;
  EXPECT_EQ(ReadBmpFile("missing.bmp", &dib), -12);
  EXPECT_TRUE(dib.pixels.empty());
}

TEST_F(BmpTest, WrittenFilesHaveTheFixedLayoutAndReadBack) {
  Dib dib;
  ASSERT_EQ(ReadBmpFile(test::PictureData("pal4.bmp"), &dib), 0);
  dib.header.xPelsPerMeter = 2835;
  dib.header.yPelsPerMeter = 1417;
  test::WriteBytes("out.bmp", Bytes(1000, 0xAA));  // replaced, not overwritten in place
  ASSERT_EQ(WriteBmpFile("out.bmp", dib), 0);
  Bytes file = test::ReadFile<Bytes>("out.bmp");
  ASSERT_EQ(file.size(), 54u + 9 * 40);
  EXPECT_EQ(GetU32(&file[2]), file.size());
  EXPECT_EQ(GetU32(&file[10]), 54u);
  BitmapInfoHeader h = LoadInfoHeader(&file[14]);
  EXPECT_EQ(h.size, 40u);
  EXPECT_EQ(h.bitCount, 24);
  EXPECT_EQ(h.sizeImage, 9u * 40);
  EXPECT_EQ(h.xPelsPerMeter, 2835);
  EXPECT_EQ(h.yPelsPerMeter, 1417);
  EXPECT_EQ(h.clrUsed, 0u);
  Dib back;
  ASSERT_EQ(ReadBmpFile("out.bmp", &back), 0);
  EXPECT_EQ(back.pixels, dib.pixels);

  dib.pixels.pop_back();
  EXPECT_EQ(WriteBmpFile("short.bmp", dib), -2);
  EXPECT_EQ(WriteBmpFile("no/such/dir.bmp", back), -1);
}

// Large pictures are written on a helper thread while the next bands are
// made: the file must still hold every band in its place, and a write that
// fails (here: past the process's file size limit) must leave the earlier
// file and no working file.
TEST_F(BmpTest, StreamedFileIsWholeOrLeavesTheEarlierOne) {
  constexpr int kWidth = 1000, kHeight = 700, kBand = 16;
  auto stream = [&](int32_t xPels) {
    BmpFileStream bmp("out.bmp");
    if (!bmp.Open(kWidth, kHeight, kBand)) return -100;
    for (int top = 0; top < kHeight; top += kBand) {
      const int count = std::min(kBand, kHeight - top);
      uint8_t* rows = bmp.BandRows();
      for (int k = 0; k < count; ++k) std::fill_n(rows + 3000 * k, 3000, static_cast<uint8_t>(top + count - 1 - k));
      bmp.WriteRows(kHeight - top - count, rows, count);
    }
    BitmapInfoHeader header = MakeHeader24(kWidth, kHeight);
    header.xPelsPerMeter = xPels;
    return bmp.Finish(header);
  };
  ASSERT_EQ(stream(1), 0);
  Dib written;
  ASSERT_EQ(ReadBmpFile("out.bmp", &written), 0);
  ASSERT_EQ(written.pixels.size(), 3000u * kHeight);
  for (int y : {0, 15, 16, 350, 699}) EXPECT_EQ(written.pixels[3000u * (kHeight - 1 - y) + 7], y & 0xFF) << y;

  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = 1 << 20;
  auto* previous = signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const int result = stream(2);
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, previous);
  EXPECT_EQ(result, -1);
  ASSERT_EQ(ReadBmpFile("out.bmp", &written), 0);
  EXPECT_EQ(written.header.xPelsPerMeter, 1);
  EXPECT_FALSE(std::filesystem::exists("out.bmp.kx-part"));
}

}  // namespace
}  // namespace kx
