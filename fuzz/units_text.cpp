// Typed lengths and calibration lines of arbitrary bytes. A typed length is
// read or refused, never misread: a length the program writes reads back to
// within half a read-out step of where it came from. A calibration line
// that reads at all holds only trustworthy measurements and writes back as a
// line that reads the same.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzCheck.h"
#include "units/Calibration.h"
#include "units/Units.h"

namespace {

using lumetra::LengthScale;
using lumetra::Unit;

LengthScale AnyScale(FuzzedDataProvider& in) {
    LengthScale scale;
    scale.dpi = in.ConsumeIntegralInRange(-10, 1000);
    scale.density = {in.ConsumeIntegralInRange<std::int64_t>(-1, 1 << 25),
                     in.ConsumeIntegralInRange<std::int64_t>(-1, std::int64_t{1} << 34)};
    scale.side = in.ConsumeIntegralInRange(-10, 100000);
    return scale;
}

void TypedLength(FuzzedDataProvider& in) {
    const Unit unit = lumetra::UnitOf(in.ConsumeIntegralInRange(0, 6));
    const LengthScale scale = AnyScale(in);
    const char separator = in.ConsumeBool() ? ',' : '.';
    const std::int64_t pixels = in.ConsumeIntegralInRange<std::int64_t>(-100000, 100000);
    (void)lumetra::ParseLength(in.ConsumeRandomLengthString(64), unit, scale, separator);

    const lumetra::Reading reading = lumetra::ReadingOf(pixels, unit, scale);
    const lumetra::TypedLength back =
        lumetra::ParseLength(lumetra::FormatReading(reading, separator), unit, scale, separator);
    FUZZ_CHECK(back.error == lumetra::LengthError::None, "a written length does not read");
    if (unit == Unit::PerCent && scale.side <= 0) return;  // every length is 0 %
    const std::int64_t step = lumetra::ToDevicePixels(1, reading.decimals, unit, scale);
    FUZZ_CHECK(std::llabs(back.pixels - pixels) <= step / 2 + 1, "a written length reads back elsewhere");
}

void CalibrationLine(FuzzedDataProvider& in) {
    const std::optional<lumetra::Calibration> read = lumetra::ParseCalibration(in.ConsumeRemainingBytesAsString());
    if (!read) return;
    for (const auto& side : {read->width, read->height}) {
        if (side) {
            FUZZ_CHECK(lumetra::MeasuredDensity(side->pixels, side->nanometres) == side, "an untrustworthy side");
        }
    }
    FUZZ_CHECK(lumetra::ParseCalibration(lumetra::FormatCalibration(*read)) == read, "a line writes back otherwise");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    if (in.ConsumeBool()) {
        TypedLength(in);
    } else {
        CalibrationLine(in);
    }
    return 0;
}
