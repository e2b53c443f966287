#include "system/login_name.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace kx {

std::string LoginName() {
  for (const char* variable : {"USER", "LOGNAME"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return value;
  }
  if (const passwd* entry = getpwuid(geteuid()); entry != nullptr && entry->pw_name != nullptr && *entry->pw_name)
    return entry->pw_name;
  return "unbekannt";
}

}  // namespace kx
