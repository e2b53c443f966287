#include "cli/picture_commands.h"

#include <ostream>

#include "pictures/bmp_file.h"
#include "pictures/jpeg_decoder.h"

namespace kx::cli {

namespace {

int Report(int result, std::ostream& err) {
  if (result == 0) return 0;
  err << "error " << result << "\n";
  return 1;
}

bool Usage(const Args& args, std::ostream& err, const char* name) {
  if (args.size() == 2) return false;
  err << "usage: kx-sudoku-cli " << name << " IN OUT\n";
  return true;
}

}  // namespace

int RunJpegToBmp(const Args& args, std::istream&, std::ostream&, std::ostream& err) {
  if (Usage(args, err, "jpeg2bmp")) return 2;
  return Report(ConvertJpegToBmpFile(args[0], args[1]), err);
}

int RunBmpToBmp(const Args& args, std::istream&, std::ostream&, std::ostream& err) {
  if (Usage(args, err, "bmp2bmp")) return 2;
  Dib picture;
  int result = ReadBmpFile(args[0], &picture);
  if (result == 0) result = WriteBmpFile(args[1], picture);
  return Report(result, err);
}

}  // namespace kx::cli
