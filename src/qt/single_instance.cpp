#include "qt/single_instance.h"

#include <QDir>

namespace kx {

SingleInstanceGuard::SingleInstanceGuard(const QString& directory)
    : lock_(std::make_unique<QLockFile>(QDir(directory).filePath("kx-sudoku.lock"))) {
  // Held for the whole run, so age never makes it stale; the lock of a
  // crashed run is recognised by its process id and taken over.
  lock_->setStaleLockTime(0);
  acquired_ = lock_->tryLock(0);
}

}  // namespace kx
