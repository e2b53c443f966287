#include "platform/qt/qt_text.h"
