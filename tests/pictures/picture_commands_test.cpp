#include <gtest/gtest.h>

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
  ASSERT_EQ(Run(RunJpegToBmp, {test::PictureData("s420.jpg"), "out.bmp"}), 0) << errText;
  Dib decoded, written;
  ASSERT_EQ(DecodeJpegFile(test::PictureData("s420.jpg"), &decoded), 0);
  ASSERT_EQ(ReadBmpFile("out.bmp", &written), 0);
  EXPECT_EQ(written.pixels, decoded.pixels);
  EXPECT_EQ(written.header.xPelsPerMeter, decoded.header.xPelsPerMeter);

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
