#include "system/free_resources.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace kx {

uint64_t FreePhysicalMemory() {
  std::ifstream meminfo("/proc/meminfo");
  std::string key;
  uint64_t kilobytes = 0;
  while (meminfo >> key >> kilobytes) {
    if (key == "MemAvailable:") return kilobytes * 1024;
    meminfo.ignore(64, '\n');
  }
  const long pages = sysconf(_SC_AVPHYS_PAGES), pageSize = sysconf(_SC_PAGESIZE);
  return pages > 0 && pageSize > 0 ? static_cast<uint64_t>(pages) * static_cast<uint64_t>(pageSize) : 0;
}

std::optional<uint64_t> FreeDiskSpace() {
  std::error_code error;
  const auto space = std::filesystem::space(".", error);
  if (error) return std::nullopt;
  return space.available;
}

}  // namespace kx
