// The template formatter against hostile templates and arguments of any
// kind. Two modes, chosen by the first byte:
//  - a template of arbitrary bytes with random arguments: whatever comes
//    out keeps the text before the first directive, is bounded in size,
//    ignores surplus arguments and is the template itself when there is
//    nothing to fill in;
//  - one well-formed directive of the kinds C's formatter shares with ours
//    (d, s, and f, e, g with a precision): the text must match snprintf's.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "lang/Format.h"
#include "support/LangCatalogue.h"

namespace {

using lumetra::FormatArg;
using lumetra::test::FormatWithArgs;

// Any double, NaN and infinities included.
double AnyDouble(FuzzedDataProvider& in) { return std::bit_cast<double>(in.ConsumeIntegral<std::uint64_t>()); }

FormatArg AnyArg(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 2)) {
        case 0: return in.ConsumeIntegral<std::int64_t>();
        case 1: return AnyDouble(in);
        default: return in.ConsumeRandomLengthString(64);
    }
}

bool HasReal(const std::vector<FormatArg>& args) {
    for (const FormatArg& arg : args) {
        if (std::holds_alternative<double>(arg)) return true;
    }
    return false;
}

void HostileTemplate(FuzzedDataProvider& in) {
    const char separator = in.ConsumeBool() ? ',' : '.';
    std::vector<FormatArg> args(in.ConsumeIntegralInRange<std::size_t>(0, 4));
    for (FormatArg& arg : args) arg = AnyArg(in);
    const std::string tmpl = in.ConsumeRemainingBytesAsString();

    const std::string out = FormatWithArgs(tmpl, args, separator);
    const std::size_t firstDirective = tmpl.find('%');
    if (firstDirective == std::string::npos) {
        FUZZ_CHECK(out == tmpl, "a template without directives changed");
        return;
    }
    FUZZ_CHECK(out.compare(0, firstDirective, tmpl, 0, firstDirective) == 0,
               "the text before the first directive changed");
    // A directive takes at least two bytes and renders to at most a field
    // of kMaxFormatField, a real of 309 digits with grouping and
    // kMaxFormatField decimals, or a string argument.
    std::size_t longestString = 0;
    for (const FormatArg& arg : args) {
        if (const auto* s = std::get_if<std::string>(&arg)) longestString = std::max(longestString, s->size());
    }
    const std::size_t perDirective = 2 * static_cast<std::size_t>(lumetra::kMaxFormatField) + 512 + longestString;
    FUZZ_CHECK(out.size() <= tmpl.size() + tmpl.size() / 2 * perDirective, "the text grew beyond every field");

    if (out != tmpl) {
        std::vector<FormatArg> more = args;
        more.emplace_back(std::string("surplus"));
        FUZZ_CHECK(FormatWithArgs(tmpl, more, separator) == out, "a surplus argument changed the text");
    }
    if (!HasReal(args)) {
        const char other = separator == '.' ? ',' : '.';
        FUZZ_CHECK(FormatWithArgs(tmpl, args, other) == out, "the decimal separator changed a text without reals");
    }
}

void SameAsC(FuzzedDataProvider& in) {
    const bool left = in.ConsumeBool();
    const bool zeros = in.ConsumeBool();
    const bool hasWidth = in.ConsumeBool();
    const int width = in.ConsumeIntegralInRange(0, lumetra::kMaxFormatField);
    const bool hasPrecision = in.ConsumeBool();
    const int precision = in.ConsumeIntegralInRange(0, lumetra::kMaxFormatField);
    const char conversion = "dsfeg"[in.ConsumeIntegralInRange(0, 4)];
    const bool real = conversion == 'f' || conversion == 'e' || conversion == 'g';
    // Our defaults for reals differ from C's on purpose.
    if (real && !hasPrecision) return;

    std::string directive = "%";
    if (left) directive += '-';
    if (zeros && conversion != 's') directive += '0';
    if (hasWidth) directive += std::to_string(width);
    if (hasPrecision) directive += "." + std::to_string(precision);

    std::vector<char> expected(4096);
    std::string ours;
    const std::string tmpl = "[" + directive + std::string(1, conversion) + "]";
    if (conversion == 'd') {
        const auto value = in.ConsumeIntegral<std::int64_t>();
        // C writes no digit at all for a zero with precision 0.
        if (value == 0 && hasPrecision && precision == 0) return;
        ours = lumetra::FormatTemplate(tmpl, {value});
        const std::string cDirective = "[" + directive + "lld]";
        std::snprintf(expected.data(), expected.size(), cDirective.c_str(), static_cast<long long>(value));
    } else if (conversion == 's') {
        std::string value = in.ConsumeRandomLengthString(64);
        std::erase(value, '\0');
        ours = lumetra::FormatTemplate(tmpl, {value});
        std::snprintf(expected.data(), expected.size(), tmpl.c_str(), value.c_str());
    } else {
        const double value = AnyDouble(in);
        if (!std::isfinite(value)) return;
        ours = lumetra::FormatTemplate(tmpl, {value});
        std::snprintf(expected.data(), expected.size(), tmpl.c_str(), value);
    }
    FUZZ_CHECK(ours == expected.data(), "a directive differs from C's formatting");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    if (in.ConsumeBool()) {
        SameAsC(in);
    } else {
        HostileTemplate(in);
    }
    return 0;
}
