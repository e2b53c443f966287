#pragma once

#include <QIcon>

namespace kx {

// The program's icon in every size it is drawn in. Set as the application's
// icon, it is the icon of every window of the game: the main window, the
// progress window, the help windows and the message boxes.
QIcon ProgramIcon();

}  // namespace kx
