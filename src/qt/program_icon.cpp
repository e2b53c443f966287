#include "qt/program_icon.h"

#include <QDir>

namespace kx {

QIcon ProgramIcon() {
  QIcon icon;
  // Each PNG is a drawing of its own size; the small ones are not scaled down copies.
  for (const QFileInfo& file : QDir(QStringLiteral(":/icons")).entryInfoList({QStringLiteral("*.png")})) {
    icon.addFile(file.filePath());
  }
  return icon;
}

}  // namespace kx
