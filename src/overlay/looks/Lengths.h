#pragma once
// Lengths as the guide reads them out, in the unit the user chose. The
// monitor a guide is measured on (the one holding its measured area's
// centre) and the user's decimal separator come from the shell; at device
// pixels every text is the plain decimal it always was.
#include <cstdint>
#include <string>

#include "common/Dpi.h"
#include "units/Units.h"

namespace lumetra {

class LangTable;

struct LookUnits {
    Unit unit = Unit::DevicePixels;
    std::int32_t dpi = kDefaultDpi;          // scaled pixels
    PixelDensity across = NominalDensity();  // along the width
    PixelDensity down = NominalDensity();    // along the height
    char decimalSeparator = '.';
};

// A length along the width of a measured area `width` pixels wide (per cent
// take it as the whole), and one along its height.
std::string AcrossText(const LookUnits& units, std::int64_t pixels, std::int32_t width);
std::string DownText(const LookUnits& units, std::int64_t pixels, std::int32_t height);

// Whether lengths read alike on the monitors two read-outs were measured on:
// the same DPI (scaled pixels) and the same density across and down
// (physical units).
bool MeasuredAlike(const LookUnits& a, const LookUnits& b);

// The size read-outs and notices write their sizes with a unit from their
// own templates; device pixels keep today's, and so does per cent, whose
// whole is always 100 × 100: they show the device pixels.
bool SizeShowsUnit(const LookUnits& units);
// The unit's symbol in the language, "mm", "пт".
std::string UnitSymbolText(const LangTable& lang, Unit unit);

// "396 x 245" (MWidthHeight) or "150.2 × 92.8 mm" (MWidthHeightUnit).
std::string SizeReadoutText(const LookUnits& units, std::int32_t width, std::int32_t height, const LangTable& lang);

}  // namespace lumetra
