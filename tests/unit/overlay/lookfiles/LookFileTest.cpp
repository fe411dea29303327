// Guide files as a designer writes them, and every way one can be wrong.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "overlay/lookfiles/LookFile.h"

namespace lumetra::test {
namespace {

std::string Repeated(const std::string& line, std::size_t times) {
    std::string text;
    for (std::size_t i = 0; i < times; ++i) text += line;
    return text;
}

TEST(LookFileTest, ReadsValuesInEachUnitAndForm) {
    struct Case {
        const char* text;
        LookPoint first;  // the first point of the only element
    };
    const std::vector<Case> cases = {
        {"line 0.25 0.5 1 1", {{0.25, 0}, {0.5, 0}}},
        {"line 25% 50% 1 1", {{0.25, 0}, {0.5, 0}}},
        {"line 8px -12.5px 1 1", {{0, 8}, {0, -12.5}}},
        {"line +1 -0.5 1 1", {{1, 0}, {-0.5, 0}}},
        {"line .5 2 1 1", {{0.5, 0}, {2, 0}}},
        {"line -1 -100% 1 1", {{-1, 0}, {-1, 0}}},
        {"line 16384PX -16384px 1 1", {{0, 16384}, {0, -16384}}},
        {"line 50%-8px 1+4px 1 1", {{0.5, -8}, {1, 4}}},
        {"line -8px+100% -0.5-0.25 1 1", {{1, -8}, {-0.75, 0}}},
        {"LINE 0.1 0.2 1 1", {{0.1, 0}, {0.2, 0}}},
        {"\tline\t0.1  0.2 1 1   # the rest is a comment", {{0.1, 0}, {0.2, 0}}},
        {"line 0.1 0.2 1 1;comment", {{0.1, 0}, {0.2, 0}}},
        {"\xEF\xBB\xBFline 0.1 0.2 1 1\r\n", {{0.1, 0}, {0.2, 0}}},
    };
    for (const Case& c : cases) {
        const LookFileParse parse = ParseLookFile(c.text);
        ASSERT_TRUE(parse.errors.empty()) << c.text << ": " << parse.errors.front().message;
        ASSERT_EQ(parse.guide.elements.size(), 1u) << c.text;
        EXPECT_EQ(parse.guide.elements[0].points[0], c.first) << c.text;
    }
}

TEST(LookFileTest, ReadsEachElement) {
    const LookFileParse parse = ParseLookFile(
        "# every statement once\n"
        "line 0 0 1 1\n"
        "polyline 0 0 0.5 1 1 0\n"
        "polygon 0 0 1 0 0 1\n"
        "rect 10% 10% 90% 90%\n"
        "rectangle 0 0 1 1\n"
        "circle 0.5 0.5 0.25\n"
        "ellipse 0.5 0.5 0.5 40px\n"
        "arc 0 0 100px 0 90\n"
        "arc 1 1 0.5 0.25 180 270\n"
        "text 0.5 0.1 \"Title # safe; 1\"\n"
        "line 0 0 1 0 repeat 0 8px\n"
        "line 0 0 0 1 repeat 0.25 0 3\n");
    ASSERT_TRUE(parse.errors.empty()) << parse.errors.front().line << ": " << parse.errors.front().message;
    const std::vector<LookElement>& e = parse.guide.elements;
    ASSERT_EQ(e.size(), 12u);
    const std::vector<LookShape> shapes = {LookShape::Line, LookShape::Polyline, LookShape::Polygon, LookShape::Rect,
                                           LookShape::Rect, LookShape::Circle,   LookShape::Ellipse, LookShape::Arc,
                                           LookShape::Arc,  LookShape::Text,     LookShape::Line,    LookShape::Line};
    const std::vector<std::size_t> pointCounts = {2, 3, 3, 2, 2, 1, 1, 1, 1, 1, 2, 2};
    for (std::size_t i = 0; i < e.size(); ++i) {
        EXPECT_EQ(e[i].shape, shapes[i]) << i;
        EXPECT_EQ(e[i].points.size(), pointCounts[i]) << i;
    }
    EXPECT_TRUE(e[5].round);
    EXPECT_EQ(e[5].radiusX, (LookLength{0.25, 0}));
    EXPECT_FALSE(e[6].round);
    EXPECT_EQ(e[6].radiusY, (LookLength{0, 40}));
    EXPECT_TRUE(e[7].round);
    EXPECT_EQ(e[7].radiusX, (LookLength{0, 100}));
    EXPECT_EQ(e[7].toDegrees, 90);
    EXPECT_FALSE(e[8].round);
    EXPECT_EQ(e[8].radiusY, (LookLength{0.25, 0}));
    EXPECT_EQ(e[8].fromDegrees, 180);
    EXPECT_EQ(e[8].toDegrees, 270);
    EXPECT_EQ(e[9].text, "Title # safe; 1");
    EXPECT_EQ(e[0].repeatCount, 1);
    EXPECT_EQ(e[10].repeatStep, (LookPoint{{0, 0}, {0, 8}}));
    EXPECT_EQ(e[10].repeatCount, kMaxLookRepeat);
    EXPECT_EQ(e[11].repeatCount, 3);
}

TEST(LookFileTest, NamesPerLanguageWithTheFileNameLast) {
    const LookFileParse parse = ParseLookFile(
        "name = Baseline grid # kept\n"
        "name.German = Grundlinienraster\n"
        "Name . Portuguese (Brazil) =  Grade de linha de base \n"
        "line 0 0 1 1\n");
    ASSERT_TRUE(parse.errors.empty()) << parse.errors.front().message;
    struct Case {
        const UserLook& guide;
        const char* language;
        const char* expected;
    };
    const UserLook unnamed = ParseLookFile("line 0 0 1 1").guide;
    const std::vector<Case> cases = {
        {parse.guide, "English", "Baseline grid # kept"},
        {parse.guide, "German", "Grundlinienraster"},
        {parse.guide, "GERMAN", "Grundlinienraster"},
        {parse.guide, "Portuguese (Brazil)", "Grade de linha de base"},
        {parse.guide, "French", "Baseline grid # kept"},
        {unnamed, "German", "baseline.guide"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LookFileDisplayName(c.guide, c.language, "baseline.guide"), c.expected) << c.language;
    }
}

TEST(LookFileTest, EachErrorNamesItsLineAndWhatIsWrong) {
    struct Case {
        std::string text;
        LookFileError expected;
    };
    const std::string longText(kMaxLookTextLength + 1, 'x');
    const std::vector<Case> cases = {
        {"line 0 0 1 1\nsquare 0 0 1\n", {2, "unknown statement 'square'"}},
        {"\"line\" 0 0 1 1", {1, "unknown statement 'line'"}},
        {"\r\n\r\n# note\r\n  ; note\r\nline 0 0 1\r\n", {5, "'line' takes X1 Y1 X2 Y2, not 3 values"}},
        {"circle 0.5 abc 0.1", {1, "'abc' is not a number (such as 0.25, 25% or 8px)"}},
        {"line 1e0 0 1 1", {1, "'1e0' is not a number (such as 0.25, 25% or 8px)"}},
        {"line nan 0 1 1", {1, "'nan' is not a number (such as 0.25, 25% or 8px)"}},
        {"line inf 0 1 1", {1, "'inf' is not a number (such as 0.25, 25% or 8px)"}},
        {"line 1.2.3 0 1 1", {1, "'1.2.3' is not a number (such as 0.25, 25% or 8px)"}},
        {"line px 0 1 1", {1, "'px' is not a number (such as 0.25, 25% or 8px)"}},
        {"line - 0 1 1", {1, "'-' is not a number (such as 0.25, 25% or 8px)"}},
        {"line 50%- 0 1 1", {1, "'50%-' is not a number (such as 0.25, 25% or 8px)"}},
        {"line 1+2+3 0 1 1", {1, "'1+2+3' is not a number (such as 0.25, 25% or 8px)"}},
        {"line 0 50%+20000px 1 1", {1, "'+20000px' is out of range (-16384px to 16384px)"}},
        {"circle 0 0 -1+8px", {1, "'-1+8px' is a negative radius"}},
        {"line 0 0 1 \"1\"", {1, "'\"1\"' is not a number (such as 0.25, 25% or 8px)"}},
        {"line 2.5 0 1 1", {1, "'2.5' is out of range (fractions -1 to 2, percentages -100% to 200%)"}},
        {"line 0 -101% 1 1", {1, "'-101%' is out of range (fractions -1 to 2, percentages -100% to 200%)"}},
        {"line 0 0 16385px 1", {1, "'16385px' is out of range (-16384px to 16384px)"}},
        {"line 0 0 1 " + std::string(400, '9'),
         {1, "'" + std::string(400, '9') + "' is out of range (fractions -1 to 2, percentages -100% to 200%)"}},
        {"circle 0 0 -5px", {1, "'-5px' is a negative radius"}},
        {"ellipse 0 0 0.5 -0.1", {1, "'-0.1' is a negative radius"}},
        {"arc 0 0 0.5 0 90px", {1, "'90px' is not an angle in degrees (such as 90)"}},
        {"arc 0 0 0.5 0 400", {1, "'400' is out of range for an angle (-360 to 360 degrees)"}},
        {"arc 0 0 0.5 -270 180", {1, "an arc turns at most 360 degrees"}},
        {"arc 0 0 0.5 90", {1, "'arc' takes X Y R FROM TO, or X Y RX RY FROM TO, not 4 values"}},
        {"polyline 0 0 1", {1, "'polyline' takes 2 to 64 points X Y, not 3 values"}},
        {"polyline 0 0", {1, "'polyline' takes 2 to 64 points X Y, not 2 values"}},
        {"polyline" + Repeated(" 0 0", kMaxLookPoints + 1), {1, "'polyline' takes 2 to 64 points X Y, not 130 values"}},
        {"polygon 0 0 1 1", {1, "'polygon' takes 3 to 64 points X Y, not 4 values"}},
        {"circle 0 0", {1, "'circle' takes X Y R, not 2 values"}},
        {"rect 0 0 1 1 1", {1, "'rect' takes X1 Y1 X2 Y2, not 5 values"}},
        {"text 0 0 label", {1, "'text' takes its label in double quotes"}},
        {"text 0 0", {1, "'text' takes X Y \"label\", not 2 values"}},
        {"text 0 0 \"open", {1, "a label's closing '\"' is missing"}},
        {"text 0 0 \"\"", {1, "a label is empty"}},
        {"text 0 0 \"" + longText + "\"", {1, "a label is longer than 64 characters"}},
        {"text 0 0 \"a\x01z\"", {1, "a label holds a control character"}},
        {"line 0 0 1 0 repeat 8px", {1, "'repeat' takes DX DY and an optional count N"}},
        {"line 0 0 1 0 repeat 0 8px 2 2", {1, "'repeat' takes DX DY and an optional count N"}},
        {"line 0 0 1 0 repeat 0 0%", {1, "a repeat needs a step other than 0 0"}},
        {"line 0 0 1 0 repeat 0 abc", {1, "'abc' is not a number (such as 0.25, 25% or 8px)"}},
        {"line 0 0 1 0 repeat 0 8px 0", {1, "'0' is out of range for a repeat count (1 to 4096)"}},
        {"line 0 0 1 0 repeat 0 8px 4097", {1, "'4097' is out of range for a repeat count (1 to 4096)"}},
        {"line 0 0 1 0 repeat 0 8px 99999999999", {1, "'99999999999' is out of range for a repeat count (1 to 4096)"}},
        {"line 0 0 1 0 repeat 0 8px 2.5", {1, "'2.5' is not a whole number of copies"}},
        {"line 0 0 1 repeat 0 8px", {1, "'line' takes X1 Y1 X2 Y2, not 3 values"}},
        {"name = A\nname = B\nline 0 0 1 1", {2, "'name' is given twice"}},
        {"name.German = A\nname.german = B\nline 0 0 1 1", {2, "'name.german' is given twice"}},
        {"name.../x = A\nline 0 0 1 1", {1, "'name.../x' does not name a language file"}},
        {"name.C:German = A\nline 0 0 1 1", {1, "'name.C:German' does not name a language file"}},
        {"name.CON = A\nline 0 0 1 1", {1, "'name.CON' does not name a language file"}},
        {"name. = A\nline 0 0 1 1", {1, "'name.' does not name a language file"}},
        {"name =   \nline 0 0 1 1", {1, "the name is empty"}},
        {"name = " + longText + "\nline 0 0 1 1", {1, "the name is longer than 64 characters"}},
        {"name = a\x1B[2J\nline 0 0 1 1", {1, "the name holds a control character"}},
        {"name.German Grundlinien\nline 0 0 1 1", {1, "a name line needs '=' before the name"}},
        {"name = Empty\n# nothing yet\n", {0, "the file draws nothing"}},
        {"", {0, "the file draws nothing"}},
        {std::string(kMaxLookFileSize + 1, '#'), {0, "the file is larger than 64 KiB"}},
        {Repeated("line 0 0 1 1\n", kMaxLookElements + 2), {257, "more than 256 elements"}},
        {"name = A\nname.German= B\nline 0 0 1 1\nline 0 0 1", {4, "'line' takes X1 Y1 X2 Y2, not 3 values"}},
    };
    for (const Case& c : cases) {
        const LookFileParse parse = ParseLookFile(c.text);
        ASSERT_EQ(parse.errors.size(), 1u) << c.text.substr(0, 80);
        EXPECT_EQ(parse.errors[0], c.expected) << c.text.substr(0, 80);
    }
}

// "Fünftel" and the rest of a file as an editor saves it in each encoding.
std::string Utf16(std::u16string_view text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

TEST(LookFileTest, ReadsEachEncodingAndLineEndIntoUtf8) {
    struct Case {
        const char* what;
        std::string text;
        std::string name;  // UTF-8
        std::string label;
    };
    const std::string latin1 = "name = F\xFCnftel\nline 0 0 1 1\ntext 0 0 \"\xE4\"\n";
    const std::vector<Case> cases = {
        {"code page (Latin-1, the tests' own)", latin1, "F\xC3\xBCnftel", "\xC3\xA4"},
        {"UTF-8", "name = F\xC3\xBCnftel\nline 0 0 1 1\ntext 0 0 \"\xC3\xA4\"\n", "F\xC3\xBCnftel", "\xC3\xA4"},
        {"UTF-8 with its mark", "\xEF\xBB\xBFname = F\xC3\xBCnftel\r\nline 0 0 1 1\r\ntext 0 0 \"\xC3\xA4\"",
         "F\xC3\xBCnftel", "\xC3\xA4"},
        {"UTF-16 LE", Utf16(u"name = F\u00FCnftel\r\nline 0 0 1 1\r\ntext 0 0 \"\u00E4\"\r\n", false), "F\xC3\xBCnftel",
         "\xC3\xA4"},
        {"UTF-16 BE", Utf16(u"name = F\u00FCnftel\nline 0 0 1 1\ntext 0 0 \"\u00E4\"", true), "F\xC3\xBCnftel",
         "\xC3\xA4"},
        {"CR alone", "name = A\rline 0 0 1 1\r\rtext 0 0 \"b\"\r", "A", "b"},
        {"characters of any script, beyond a code page's",
         "name = Z\xC5\x82oty \xE2\x82\xAC\nline 0 0 1 1\ntext 0 0 \"\xF0\x9F\x93\x90\"", "Z\xC5\x82oty \xE2\x82\xAC",
         "\xF0\x9F\x93\x90"},
        {"as many letters as a name holds",
         "name = " + Repeated("\xC3\xBC", kMaxLookTextLength) + "\nline 0 0 1 1\ntext 0 0 \"x\"",
         Repeated("\xC3\xBC", kMaxLookTextLength), "x"},
    };
    for (const Case& c : cases) {
        const LookFileParse parse = ParseLookFile(c.text);
        ASSERT_TRUE(parse.errors.empty()) << c.what << ": " << parse.errors.front().message;
        ASSERT_EQ(parse.guide.elements.size(), 2u) << c.what;
        EXPECT_EQ(parse.guide.name, c.name) << c.what;
        EXPECT_EQ(parse.guide.elements[1].text, c.label) << c.what;
    }
}

TEST(LookFileTest, TextsThatAreNoneOfTheEncodingsSayWhy) {
    struct Case {
        const char* what;
        std::string text;
        LookFileError expected;
    };
    const std::vector<Case> cases = {
        {"UTF-16 of odd length",
         Utf16(u"line 0 0 1 1", false) + "x",
         {0, "the file starts as UTF-16 but is not UTF-16 throughout"}},
        {"UTF-16 with half a pair",
         Utf16(u"name = \xD83D\nline 0 0 1 1", false),
         {0, "the file starts as UTF-16 but is not UTF-16 throughout"}},
        {"UTF-16 without its mark",
         std::string("l\0i\0n\0e\0 \0", 10),
         {0, "the file holds NUL bytes (UTF-16 without its byte-order mark?): save it as UTF-8 or ANSI text"}},
        {"a line of the code page in a UTF-8 file",
         "\xEF\xBB\xBFline 0 0 1 1\nname = F\xFCnf\n",
         {2, "the line is not UTF-8, as the rest of the file is"}},
        {"40 letters over the limit in characters",
         "name = " + Repeated("\xC3\xBC", kMaxLookTextLength + 1) + "\nline 0 0 1 1",
         {1, "the name is longer than 64 characters"}},
        {"CR alone, counted as line ends",
         "name = A\rline 0 0 1 1\r\rline 0 0 1\r",
         {4, "'line' takes X1 Y1 X2 Y2, not 3 values"}},
    };
    for (const Case& c : cases) {
        const LookFileParse parse = ParseLookFile(c.text);
        ASSERT_EQ(parse.errors.size(), 1u) << c.what;
        EXPECT_EQ(parse.errors[0], c.expected) << c.what;
    }
}

TEST(LookFileTest, ErrorsPointAtTheWordThatIsWrong) {
    struct Case {
        std::string text;
        LookFileError expected;
    };
    const std::vector<Case> cases = {
        {"name Baseline grid\nline 0 0 1 1", {1, "a name line needs '=' before the name"}},
        {"NAME\nline 0 0 1 1", {1, "a name line needs '=' before the name"}},
        {"name Grid = x\nline 0 0 1 1", {1, "a name line needs '=' before the name"}},
        {"line 50% - 8px 50% 1 1",
         {1,
          "'line' takes X1 Y1 X2 Y2, not 6 values; '-' stands alone (a sum is written without spaces, such as "
          "50%-8px)"}},
        {"line 0 0 1 1 // the diagonal",
         {1, "'line' takes X1 Y1 X2 Y2, not 7 values; '//' is no value (a comment starts with # or ;)"}},
        {"circle 0.5 0.5 r 25%", {1, "'circle' takes X Y R, not 4 values; 'r' is no value"}},
        {"text 0 0 \"a\" note", {1, "'text' takes X Y \"label\", not 4 values; 'note' is no value"}},
        {"line 2+2 0 1 1", {1, "'2+2' is out of range (fractions -1 to 2, percentages -100% to 200%)"}},
        {"line 0 16384px+16384px 1 1", {1, "'16384px+16384px' is out of range (-16384px to 16384px)"}},
        {"line 150%+100%h 0 1 1", {1, "'150%+100%h' is out of range (fractions -1 to 2, percentages -100% to 200%)"}},
        {"line 50%x 0 1 1", {1, "'50%x' is not a number (such as 0.25, 25% or 8px)"}},
        {"line 0.5h 0 1 1", {1, "'0.5h' is not a number (such as 0.25, 25% or 8px)"}},
        {"arc 0 0 0.5 0 90%h", {1, "'90%h' is not an angle in degrees (such as 90)"}},
        {"circle 0 0 -50%h", {1, "'-50%h' is a negative radius"}},
        {"line 0 0 1 0 repeat 0 8px +-5", {1, "'+-5' is not a whole number of copies"}},
    };
    for (const Case& c : cases) {
        const LookFileParse parse = ParseLookFile(c.text);
        ASSERT_EQ(parse.errors.size(), 1u) << c.text;
        EXPECT_EQ(parse.errors[0], c.expected) << c.text;
    }
}

TEST(LookFileTest, SideTermsMeasureAlongTheSideTheyName) {
    struct Case {
        const char* value;
        LookLength expected;
    };
    const std::vector<Case> cases = {
        {"50%h", {.ofHeight = 0.5}},
        {"50%W", {.ofWidth = 0.5}},
        {"100%short", {.ofShorter = 1}},
        {"-25%long", {.ofLonger = -0.25}},
        {"100%-100%h", {.fraction = 1, .ofHeight = -1}},
        {"100%h+8px", {.pixels = 8, .ofHeight = 1}},
        {"200%-100%short", {.fraction = 2, .ofShorter = -1}},
        {"-100%h+200%w", {.ofWidth = 2, .ofHeight = -1}},
    };
    for (const Case& c : cases) {
        const LookFileParse parse = ParseLookFile(std::string("line ") + c.value + " 0 1 1 repeat " + c.value + " 0 2");
        ASSERT_TRUE(parse.errors.empty()) << c.value << ": " << parse.errors.front().message;
        EXPECT_EQ(parse.guide.elements[0].points[0].x, c.expected) << c.value;
        EXPECT_EQ(parse.guide.elements[0].repeatStep.x, c.expected) << c.value;
    }
}

TEST(LookFileTest, ReadingGoesOnAfterAnErrorUpToTheBound) {
    const LookFileParse some = ParseLookFile("line 0 0 1\nline 0 0 1 1\nbox\ncircle 0 0 x\n");
    EXPECT_EQ(some.errors, (std::vector<LookFileError>{{1, "'line' takes X1 Y1 X2 Y2, not 3 values"},
                                                       {3, "unknown statement 'box'"},
                                                       {4, "'x' is not a number (such as 0.25, 25% or 8px)"}}));
    EXPECT_EQ(some.guide.elements.size(), 1u);

    const LookFileParse many = ParseLookFile(Repeated("box\n", 100));
    ASSERT_EQ(many.errors.size(), kMaxLookErrors);
    EXPECT_EQ(many.errors.back().line, static_cast<int>(kMaxLookErrors));
}

TEST(LookFileTest, BoundsHoldExactlyAtTheirLimits) {
    std::string names = "name = A\n";
    for (std::size_t i = 1; i < kMaxLookNames; ++i) names += "name.L" + std::to_string(i) + " = B\n";
    struct Case {
        std::string text;
        std::size_t errors;
    };
    const std::vector<Case> cases = {
        {Repeated("line 0 0 1 1\n", kMaxLookElements), 0},
        {"polyline" + Repeated(" 0 0", kMaxLookPoints), 0},
        {"text 0 0 \"" + std::string(kMaxLookTextLength, 'x') + "\"", 0},
        {"line 0 0 1 0 repeat 0 1px 4096", 0},
        {"line 0 0 1 0 repeat 0 1px +4096", 0},
        {"line 0 0 1 0 repeat 0 1px +4097", 1},
        {"line 1+1 -0.5-0.5 200%-16384px 16384px-100% repeat 0 1px", 0},
        {"line 1+1.0001 0 1 1", 1},
        {"line 0 -0.5-0.5001 1 1", 1},
        {"line 16383px+1px -8192px-8192px 1 1", 0},
        {"line 16383px+1.5px 0 1 1", 1},
        {"arc 0 0 1 -180 180", 0},
        {"line 0 0 1 0." + std::string(400, '0') + "1", 0},
        {names + "line 0 0 1 1\n", 0},
        {names + "name.Extra = C\nline 0 0 1 1\n", 1},
        {"line 0 0 1 1\n" + std::string(kMaxLookFileSize - 13, '#'), 0},
    };
    for (const Case& c : cases) {
        const LookFileParse parse = ParseLookFile(c.text);
        EXPECT_EQ(parse.errors.size(), c.errors)
            << c.text.substr(0, 60) << (parse.errors.empty() ? "" : ": " + parse.errors[0].message);
    }
    const LookFileParse tooManyNames = ParseLookFile(names + "name.Extra = C\nline 0 0 1 1\n");
    ASSERT_FALSE(tooManyNames.errors.empty());
    EXPECT_EQ(tooManyNames.errors[0], (LookFileError{static_cast<int>(kMaxLookNames) + 1, "more than 32 names"}));
    // The plain name counts among them wherever it stands.
    std::string languages;
    for (std::size_t i = 0; i < kMaxLookNames; ++i) languages += "name.L" + std::to_string(i) + " = B\n";
    EXPECT_TRUE(ParseLookFile(languages + "line 0 0 1 1\n").errors.empty());
    EXPECT_EQ(ParseLookFile(languages + "name = A\nline 0 0 1 1\n").errors,
              (std::vector<LookFileError>{{static_cast<int>(kMaxLookNames) + 1, "more than 32 names"}}));
}

}  // namespace
}  // namespace lumetra::test
