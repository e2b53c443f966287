#pragma once

#include <string>

namespace kx {

// The name of the account the program runs under, for the printouts:
// $USER, else $LOGNAME, else the password database's entry (a process
// started without a login shell has no $USER), else "unbekannt".
std::string LoginName();

}  // namespace kx
