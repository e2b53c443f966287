#pragma once

#include <string>

#include "platform/geometry.h"
#include "platform/host.h"
#include "platform/print_device.h"

namespace kx {

Margins DefaultMargins(bool landscape);

// Raises each margin to the unprintable offset, lowers it to 90 per cent of
// the printable extent, and returns the content rectangle in device pixels
// relative to the printable origin (right and bottom inclusive).
Rect ContentRect(const PageGeometry& page, Margins* margins);

// Base font: 120 lines and 200 columns of the content, at least 8 and 40.
FontSpec BaseFont(const Rect& content);

// "Sonntag" .. "Samstag".
const char* GermanWeekday(int dayOfWeek);
// "Datum:   Montag   07.12.2026   09:05:03".
std::string DateLine(const LocalTime& time);
// "   Version: 3.10 - 4.00" and "   Drucker-Auflösung: 600 x 600 dpi".
std::string VersionText(int driverVersion, int deviceModeVersion);
std::string ResolutionText(int dpiX, int dpiY);

// Shortens a caption in its middle with "..." while it is wider than
// maxWidth and at least 8 characters long, down to 4 characters.
std::string ShortenCaption(Canvas& canvas, const std::string& caption, int maxWidth);

}  // namespace kx
