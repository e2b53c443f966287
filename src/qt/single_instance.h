#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace kx {

// Held from start to exit; a second start of the program cannot take it.
class SingleInstanceGuard {
 public:
  explicit SingleInstanceGuard(const QString& directory);
  bool Acquired() const { return acquired_; }

 private:
  std::unique_ptr<QLockFile> lock_;
  bool acquired_ = false;
};

}  // namespace kx
