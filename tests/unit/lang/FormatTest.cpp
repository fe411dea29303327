#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "lang/Format.h"
#include "support/LangCatalogue.h"

namespace lumetra::test {
namespace {

struct FormatCase {
    const char* tmpl;
    std::vector<FormatArg> args;
    const char* expected;
    char separator = '.';
};

FormatArg I(std::int64_t v) { return v; }
FormatArg S(const char* v) { return std::string(v); }

void ExpectCases(const std::vector<FormatCase>& cases) {
    for (const FormatCase& c : cases) {
        EXPECT_EQ(FormatWithArgs(c.tmpl, c.args, c.separator), c.expected)
            << "template \"" << c.tmpl << "\", separator '" << c.separator << "'";
    }
}

TEST(FormatTemplate, FillsFittingDirectives) {
    constexpr double kInvPhi = 0.6180339887498949;
    const double inf = std::numeric_limits<double>::infinity();
    ExpectCases({
        {"%d x %d", {I(640), I(480)}, "640 x 480"},
        {"[%5d|%-5d|%05d|%.3d|%6.3d]", {I(42), I(42), I(-42), I(7), I(-7)}, "[   42|42   |-0042|007|  -007]"},
        {"%d", {I(std::numeric_limits<std::int64_t>::min())}, "-9223372036854775808"},
        {"[%s|%5s|%-5s|%.2s|%05s]", {S("abc"), S("abc"), S("abc"), S("abc"), S("ab")}, "[abc|  abc|abc  |ab|   ab]"},
        {"Golden 1 : %.3f", {kInvPhi}, "Golden 1 : 0.618"},
        {"[%f|%.0f|%8.3f|%-7.1f|%08.2f]", {kInvPhi, 2.5, kInvPhi, kInvPhi, -1.5}, "[0.62|2|   0.618|0.6    |-0001.50]"},
        {"%e|%.2e", {1234.5, 1234.5}, "1.23450000000000e+03|1.23e+03"},
        {"%g|%g|%.3g|%g", {kInvPhi, 1.5, 1234567.0, 1e-7}, "0.618033988749895|1.5|1.23e+06|1e-07"},
        {"%n|%.0n|%n|%n|%.1n",
         {1234567.891, -1234567.0, 999.999, 12.0, 123456.0},
         "1,234,567.89|-1,234,567|1,000.00|12.00|123,456.0"},
        {"%012n", {-1234.5}, "-0001,234.50"},
        {"%.3f|%g|%n", {kInvPhi, 1.5, 1234567.891}, "0,618|1,5|1.234.567,89", ','},
        {"%.2e", {1234.5}, "1,23e+03", ','},
        {"[%5f|%05f|%-5f]", {inf, -inf, inf}, "[  inf| -inf|inf  ]"},
        {"100%%", {}, "100%"},
        {"%d%% of %s", {I(50), S("it")}, "50% of it"},
        {"Plain text", {}, "Plain text"},
        {"Plain text", {I(1), S("surplus")}, "Plain text"},
        {"%d only", {I(1), I(2), 3.0}, "1 only"},
        {"", {I(1)}, ""},
    });
}

TEST(FormatTemplate, ReturnsTemplateUnchangedWhenDirectivesDoNotFit) {
    ExpectCases({
        {"%n%s%s%s", {1.0}, "%n%s%s%s"},
        {"%n%s%s%s", {1.0, S("a"), S("b")}, "%n%s%s%s"},
        {"%d", {}, "%d"},
        {"MWidthHeight", {I(640), I(480)}, "MWidthHeight"},
        {"%d", {S("text")}, "%d"},
        {"%d", {1.5}, "%d"},
        {"%f", {I(5)}, "%f"},
        {"%s", {I(5)}, "%s"},
        {"%g%%", {S("x")}, "%g%%"},
        {"Width %d, %s", {I(1), I(2)}, "Width %d, %s"},
        {"%", {I(1)}, "%"},
        {"100%", {I(1)}, "100%"},
        {"%5", {I(1)}, "%5"},
        {"%-", {I(1)}, "%-"},
        {"%.", {I(1)}, "%."},
        {"%*d", {I(5), I(1)}, "%*d"},
        {"%.*f", {I(2), 1.0}, "%.*f"},
        {"%.99999f", {1.0}, "%.99999f"},
        {"%1001d", {I(1)}, "%1001d"},
        {"%.1001s", {S("a")}, "%.1001s"},
        {"%99999999999999999999999d", {I(1)}, "%99999999999999999999999d"},
        {"%q", {I(1)}, "%q"},
        {"%+d", {I(1)}, "%+d"},
        {"%ld", {I(1)}, "%ld"},
        {"%x", {I(1)}, "%x"},
        {"%5%", {}, "%5%"},
        {"%p", {S("a")}, "%p"},
        {"%% ok %d then %", {I(1)}, "%% ok %d then %"},
    });
}

TEST(FormatTemplate, LargestFieldsStillFormatCompletely) {
    EXPECT_EQ(FormatTemplate("%1000d", {std::int64_t{1}}).size(), 1000u);
    // 309 integer digits, the point and 1000 decimals.
    EXPECT_EQ(FormatTemplate("%.1000f", {1e308}).size(), 1310u);
    EXPECT_EQ(FormatTemplate("%.1000f", {-1e308}).size(), 1311u);
    EXPECT_EQ(FormatTemplate("%.1000n", {-1e308}).size(), 1311u + 102u);
    EXPECT_EQ(FormatTemplate("%.1000e", {-1e308}).size(), 1008u);
}

}  // namespace
}  // namespace lumetra::test
