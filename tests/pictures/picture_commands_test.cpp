#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "../support/temp_dir.h"
#include "cli/picture_commands.h"
#include "picture_files.h"
#include "pictures/bmp_file.h"
#include "pictures/jpeg_decoder.h"

namespace kx::cli {
namespace {

class PictureCommandsTest : public test::TempDirTest {
 protected:
  int Run(int (*command)(const Args&, std::istream&, std::ostream&, std::ostream&), const Args& args) {
    std::istringstream in;
    std::ostringstream out, err;
    int status = command(args, in, out, err);
    errText = err.str();
    return status;
  }
  std::string errText;
};

TEST_F(PictureCommandsTest, ConvertsAndNamesErrors) {
  // Written band by band (grey ones finished on the writing thread), the
  // same as decoded whole.
  Dib decoded, written;
  for (const char* name : {"grey.jpg", "grey_progressive.jpg", "s420.jpg"}) {
    ASSERT_EQ(Run(RunJpegToBmp, {test::PictureData(name), "out.bmp"}), 0) << name << errText;
    ASSERT_EQ(DecodeJpegFile(test::PictureData(name), &decoded), 0);
    ASSERT_EQ(ReadBmpFile("out.bmp", &written), 0);
    EXPECT_EQ(written.pixels, decoded.pixels) << name;
    EXPECT_EQ(written.header.xPelsPerMeter, decoded.header.xPelsPerMeter);
  }

  // The picture goes to the file as it is decoded: a decode that fails half
  // way, or a file that cannot be made, leaves the earlier file as it was.
  test::Bytes cut = test::ReadFile<test::Bytes>(test::PictureData("s420.jpg"));
  cut.resize(cut.size() / 2);
  test::WriteBytes("cut.jpg", cut);
  EXPECT_EQ(Run(RunJpegToBmp, {"cut.jpg", "out.bmp"}), 1);
  EXPECT_EQ(Run(RunJpegToBmp, {test::PictureData("s420.jpg"), "no/such/dir.bmp"}), 1);
  EXPECT_EQ(errText, "error -1\n");
  ASSERT_EQ(ReadBmpFile("out.bmp", &written), 0);
  EXPECT_EQ(written.pixels, decoded.pixels);
  EXPECT_FALSE(std::filesystem::exists("out.bmp.kx-part"));

  ASSERT_EQ(Run(RunBmpToBmp, {test::PictureData("rle8.bmp"), "copy.bmp"}), 0);
  ASSERT_EQ(ReadBmpFile("copy.bmp", &written), 0);
  EXPECT_EQ(written.header.width, 13);

  test::WriteBytes("plain.jpg", test::ReadFile<test::Bytes>(test::PictureData("arithmetic.jpg")));
  EXPECT_EQ(Run(RunJpegToBmp, {"plain.jpg", "x.bmp"}), 1);
  EXPECT_EQ(errText, "error 1020\n");
  EXPECT_EQ(Run(RunBmpToBmp, {test::PictureData("s420.jpg"), "x.bmp"}), 1);
  EXPECT_EQ(errText, "error -15\n");
  EXPECT_EQ(Run(RunBmpToBmp, {"only-one"}), 2);
}

}  // namespace
}  // namespace kx::cli
