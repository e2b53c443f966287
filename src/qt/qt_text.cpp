#include "qt/qt_text.h"
