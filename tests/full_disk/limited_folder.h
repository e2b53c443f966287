#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>

namespace kx::test {

// A working folder that takes only a few more bytes, or none: a small
// tmpfs when the tests run as root (as in CI), where the disk really runs
// full; otherwise an ordinary folder whose files the process may not grow
// past a limit (RLIMIT_FSIZE) and whose write permission can be taken.
class LimitedFolder {
 public:
  explicit LimitedFolder(std::filesystem::path path, uint64_t size = 16 << 20) : path_(std::move(path)) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
    const std::string options = "size=" + std::to_string(size);
    tmpfs_ = geteuid() == 0 && mount("tmpfs", path_.c_str(), "tmpfs", 0, options.c_str()) == 0;
    getrlimit(RLIMIT_FSIZE, &savedLimit_);
  }
  ~LimitedFolder() {
    setrlimit(RLIMIT_FSIZE, &savedLimit_);
    signal(SIGXFSZ, SIG_DFL);
    if (tmpfs_) umount2(path_.c_str(), MNT_DETACH);
    chmod(path_.c_str(), 0755);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  LimitedFolder(const LimitedFolder&) = delete;
  LimitedFolder& operator=(const LimitedFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  bool tmpfs() const { return tmpfs_; }

  // From now on about `bytes` more fit: the tmpfs is filled up to them, or
  // no file may grow beyond them.
  void LeaveFree(uint64_t bytes) {
    if (tmpfs_) {
      struct statvfs s {};
      statvfs(path_.c_str(), &s);
      const uint64_t free = uint64_t{s.f_bavail} * s.f_frsize;
      const int fd = open((path_ / "filler").c_str(), O_CREAT | O_WRONLY, 0644);
      if (free > bytes) posix_fallocate(fd, 0, static_cast<off_t>(free - bytes));
      close(fd);
    } else {
      signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead
      rlimit limit = savedLimit_;
      limit.rlim_cur = bytes;
      setrlimit(RLIMIT_FSIZE, &limit);
    }
  }
  // Nothing can be created, changed or removed in the folder any more.
  void MakeReadOnly() {
    if (tmpfs_) {
      mount(nullptr, path_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr);
    } else {
      chmod(path_.c_str(), 0555);
    }
  }

 private:
  std::filesystem::path path_;
  bool tmpfs_ = false;
  rlimit savedLimit_{};
};

}  // namespace kx::test
