#include "cli/picture_commands.h"

#include <ostream>

#include "pictures/bmp_file.h"
#include "pictures/jpeg_decoder.h"

namespace kx::cli {

namespace {

using Reader = int (*)(const std::string&, Dib*);

int Convert(const Args& args, std::ostream& err, Reader read, const char* name) {
  if (args.size() != 2) {
    err << "usage: kx-sudoku-cli " << name << " IN OUT\n";
    return 2;
  }
  Dib picture;
  int result = read(args[0], &picture);
  if (result == 0) result = WriteBmpFile(args[1], picture);
  if (result != 0) {
    err << "error " << result << "\n";
    return 1;
  }
  return 0;
}

}  // namespace

int RunJpegToBmp(const Args& args, std::istream&, std::ostream&, std::ostream& err) {
  return Convert(args, err, DecodeJpegFile, "jpeg2bmp");
}

int RunBmpToBmp(const Args& args, std::istream&, std::ostream&, std::ostream& err) {
  return Convert(args, err, ReadBmpFile, "bmp2bmp");
}

}  // namespace kx::cli
