#include "overlay/looks/Lengths.h"

#include "lang/Format.h"
#include "lang/LangTable.h"
#include "lang/Texts.h"

namespace lumetra {
namespace {

std::string LengthText(const LookUnits& units, std::int64_t pixels, const PixelDensity& density, std::int32_t side) {
    if (units.unit == Unit::DevicePixels) return std::to_string(pixels);
    return FormatLength(pixels, units.unit, {units.dpi, density, side}, units.decimalSeparator);
}

}  // namespace

std::string AcrossText(const LookUnits& units, std::int64_t pixels, std::int32_t width) {
    return LengthText(units, pixels, units.across, width);
}

std::string DownText(const LookUnits& units, std::int64_t pixels, std::int32_t height) {
    return LengthText(units, pixels, units.down, height);
}

bool MeasuredAlike(const LookUnits& a, const LookUnits& b) {
    return a.dpi == b.dpi && a.across == b.across && a.down == b.down;
}

bool SizeShowsUnit(const LookUnits& units) {
    return units.unit != Unit::DevicePixels && units.unit != Unit::PerCent;
}

std::string UnitSymbolText(const LangTable& lang, Unit unit) {
    return lang.Text(texts::MUnitSymbol.Key(static_cast<std::int32_t>(unit)));
}

std::string SizeReadoutText(const LookUnits& units, std::int32_t width, std::int32_t height, const LangTable& lang) {
    if (!SizeShowsUnit(units)) {
        return FormatTemplate(lang.Text("MWidthHeight"), {std::int64_t{width}, std::int64_t{height}});
    }
    return FormatTemplate(lang.Text(texts::MWidthHeightUnit), {AcrossText(units, width, width),
                                                          DownText(units, height, height),
                                                          UnitSymbolText(lang, units.unit)});
}

}  // namespace lumetra
