#include "tools/render/Render.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "support/FakePlatformFiles.h"
#include "support/MiniXml.h"

namespace lumetra::test {
namespace {

const std::string kToolFolder = "C:\\Tools\\Lumetra\\";

std::string ReadSourceFile(const std::string& relative) {
    std::ifstream file(std::string(LUMETRA_SOURCE_DIR) + "/" + relative, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A tool folder holding the project's English.lng.
FakePlatformFiles ToolFolder() {
    FakePlatformFiles platform;
    platform.moduleFileName = kToolFolder + "lumetra-render.exe";
    platform.files[kToolFolder + "English.lng"] = ReadSourceFile("lang/English.lng");
    return platform;
}

struct Outcome {
    int status = 0;
    std::string out;
    std::string err;
};

Outcome RunWith(FakePlatformFiles& platform, const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    RenderEnvironment env{platform, "", out, err};
    const int status = RunRender(args, env);
    return {status, out.str(), err.str()};
}

std::size_t StrokeCount(const XmlElement& svg) {
    return svg.All("line").size() + svg.All("polyline").size() + svg.All("polygon").size() + svg.All("ellipse").size();
}

std::vector<std::string> Texts(const XmlElement& svg) {
    std::vector<std::string> texts;
    for (const XmlElement* text : svg.All("text")) texts.push_back(text->text);
    return texts;
}

TEST(RenderOptionsTest, ValueReaders) {
    struct RatioCase {
        const char* text;
        double expected;  // 0: refused
    };
    const std::vector<RatioCase> ratios = {
        {"0.5625", 0.5625}, {"16:9", 0.5625}, {"1:2.39", 2.39}, {"1", 1.0}, {"0.01", 0.01}, {"100", 100.0}, {"0", 0},
        {"-1", 0},          {"1e3", 0},       {"inf", 0},       {"nan", 0}, {"0.001", 0},   {"101", 0},     {"16:0", 0},
        {"0:9", 0},         {"16:9:4", 0},    {"", 0},          {"0,5", 0}, {".", 0},       {"1:", 0},
    };
    for (const RatioCase& c : ratios) {
        const auto ratio = ParseRatio(c.text);
        if (c.expected == 0) {
            EXPECT_FALSE(ratio) << c.text;
        } else {
            ASSERT_TRUE(ratio) << c.text;
            EXPECT_DOUBLE_EQ(*ratio, c.expected) << c.text;
        }
    }

    struct ColorCase {
        const char* text;
        std::optional<Color> expected;
    };
    const std::vector<ColorCase> colors = {
        {"#FF4040", 4210943},
        {"#ff4040", 4210943},
        {"4210943", 4210943},
        {"#0000ff", 0xFF0000},
        {"16777215", 0xFFFFFF},
        {"16777216", {}},
        {"-1", {}},
        {"#12345", {}},
        {"#1234567", {}},
        {"#GG0000", {}},
        {"red", {}},
        {"#-12345", {}},
        {"", {}},
    };
    for (const ColorCase& c : colors) EXPECT_EQ(ParseColor(c.text), c.expected) << c.text;

    struct NumberCase {
        const char* text;
        std::optional<std::int64_t> expected;
    };
    const std::vector<NumberCase> numbers = {
        {"5", 5},
        {"-5", -5},
        {"+5", {}},
        {" 5", {}},
        {"5x", {}},
        {"", {}},
        {"0x10", {}},
        {"99999999999999999999999", INT64_MAX},
        {"-99999999999999999999999", INT64_MIN},
    };
    for (const NumberCase& c : numbers) EXPECT_EQ(ParseWholeNumber(c.text), c.expected) << c.text;
}

TEST(RenderTest, WrongInputGivesStatus2AndSaysWhy) {
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const std::vector<Case> cases = {
        {{"--look", "19"}, "--look: '19' is out of range (0 to 18)"},
        {{"--look=abc"}, "--look: 'abc' is not a whole number"},
        {{"--look"}, "--look needs a value"},
        {{"--orient", "-1"}, "--orient: '-1' is out of range (0 to 3)"},
        {{"--width", "57"}, "--width: '57' is out of range (58 to 16384)"},
        {{"--width", "99999999999999999999"}, "--width: '99999999999999999999' is out of range (58 to 16384)"},
        {{"--height", "20"}, "--height: 20 is too small for the ratio 0.618033988749895 (at least 36)"},
        {{"--ratio", "1:200", "--height", "10000"}, "--ratio: '1:200' is not a ratio"},
        {{"--grid", "2"}, "--grid: '2' is out of range (3 to 32766)"},
        {{"--border", "1025"}, "--border: '1025' is out of range (0 to 1024)"},
        {{"--values", "yes"}, "--values: 'yes' is neither on nor off"},
        {{"--lines-color", "#12"}, "--lines-color: '#12' is not a colour"},
        {{"--help=me"}, "--help takes no value"},
        {{"--frame"}, "unknown option '--frame'"},
        {{"look"}, "unknown option 'look'"},
        {{"--settings", "C:\\missing.settings"}, "cannot read the settings file 'C:\\missing.settings'"},
        {{"--lang", "C:\\missing.lng"}, "cannot read the language file 'C:\\missing.lng'"},
        {{"--units", "7"}, "--units: '7' is not a unit"},
        {{"--pixels-per-mm", "0.4"}, "--pixels-per-mm: '0.4' is not a number of pixels per millimetre"},
        {{"--pixels-per-mm", "3,78"}, "--pixels-per-mm: '3,78' is not a number"},
        {{"--pixels-per-mm", "3.78x"}, "--pixels-per-mm: '3.78x' is not a number"},
    };
    for (const Case& c : cases) {
        auto platform = ToolFolder();
        const Outcome run = RunWith(platform, c.args);
        EXPECT_EQ(run.status, 2) << c.message;
        EXPECT_NE(run.err.find(std::string("lumetra-render: ") + c.message), std::string::npos) << run.err;
        EXPECT_TRUE(run.out.empty()) << c.message;
    }
}

TEST(RenderTest, HelpDocumentsEveryOption) {
    auto platform = ToolFolder();
    const Outcome run = RunWith(platform, {"--help"});
    EXPECT_EQ(run.status, 0);
    for (const char* option : {"--look N", "--orient N", "--width N", "--height N", "--ratio R", "--grid N",
                               "--border N", "--values on|off", "--lines-color C", "--values-color C", "--units U",
                               "--pixels-per-mm R", "--settings FILE", "--lang FILE", "-o FILE", "Example:"}) {
        EXPECT_NE(run.out.find(option), std::string::npos) << option;
    }
}

TEST(RenderTest, EveryLookAndOrientationIsWellFormedSvg) {
    for (int look = 0; look < kBuiltInLookCount; ++look) {
        for (int orient = 0; orient <= 3; ++orient) {
            const std::string name = "look " + std::to_string(look) + " orient " + std::to_string(orient);
            auto platform = ToolFolder();
            const Outcome run = RunWith(platform, {"--look", std::to_string(look), "--orient", std::to_string(orient)});
            ASSERT_EQ(run.status, 0) << name << ": " << run.err;
            XmlElement svg;
            ASSERT_NO_THROW(svg = ParseXml(run.out)) << name;
            // 396 x 245 with a 12-pixel border, the caption strip cut off.
            EXPECT_EQ(svg.Attr("width"), "420") << name;
            EXPECT_EQ(svg.Attr("height"), "269") << name;
            EXPECT_EQ(svg.Attr("viewBox"), "0 16 420 269") << name;
            EXPECT_GE(svg.All("line").size() + svg.All("polyline").size() + svg.All("polygon").size(), 1u) << name;
            EXPECT_FALSE(svg.All("text").empty()) << name;
            EXPECT_TRUE(svg.All("image").empty()) << name;
            EXPECT_TRUE(svg.All("rect").empty()) << name << ": the background stays transparent";
        }
    }
}

TEST(RenderTest, PhysicalUnitsGiveTheTrueSize) {
    struct Case {
        std::vector<std::string> args;
        const char* width;
        const char* height;
    };
    // The 420 x 269 pixels of the first-run settings.
    const std::vector<Case> cases = {
        {{"--units", "px"}, "420", "269"},
        {{"--units", "mm"}, "111.1mm", "71.2mm"},                   // 96 pixels to the inch
        {{"--units=2", "--pixels-per-mm=4"}, "105.0mm", "67.2mm"},  // 67.25 to the even neighbour
        {{"--units", "cm", "--pixels-per-mm", "4x5"}, "10.50cm", "5.38cm"},
        {{"--units", "pt"}, "315.0pt", "201.8pt"},
    };
    for (const Case& c : cases) {
        auto platform = ToolFolder();
        const Outcome run = RunWith(platform, c.args);
        ASSERT_EQ(run.status, 0) << c.args[1] << ": " << run.err;
        const XmlElement svg = ParseXml(run.out);
        EXPECT_EQ(svg.Attr("width"), c.width) << c.args[1];
        EXPECT_EQ(svg.Attr("height"), c.height) << c.args[1];
        EXPECT_EQ(svg.Attr("viewBox"), "0 16 420 269") << c.args[1];
    }
}

TEST(RenderTest, ValuesOffDrawsNoTextAndColoursApply) {
    auto platform = ToolFolder();
    const Outcome run = RunWith(platform, {"--look", "4", "--values", "off", "--lines-color", "#123456"});
    ASSERT_EQ(run.status, 0) << run.err;
    const XmlElement svg = ParseXml(run.out);
    EXPECT_TRUE(svg.All("text").empty());
    ASSERT_GT(StrokeCount(svg), 0u);
    for (const XmlElement& shape : svg.children) EXPECT_EQ(shape.Attr("stroke"), "#123456");

    const Outcome labelled = RunWith(platform, {"--look", "2", "--values-color", "65280"});
    const XmlElement withLabels = ParseXml(labelled.out);
    ASSERT_FALSE(withLabels.All("text").empty());
    for (const XmlElement* text : withLabels.All("text")) EXPECT_EQ(text->Attr("fill"), "#00ff00");
}

TEST(RenderTest, SizesFollowTheLockRule) {
    struct Case {
        std::vector<std::string> args;
        const char* settings;  // file content, or nullptr for the first-run settings
        const char* width;     // of the document: W + 2B
        const char* height;    // H + 2B
    };
    const std::vector<Case> cases = {
        {{}, nullptr, "420", "269"},
        {{"--width", "500"}, nullptr, "524", "333"},                     // height 309 follows
        {{"--height", "300"}, nullptr, "509", "324"},                    // the height leads: width 485
        {{"--width", "500", "--height", "100"}, nullptr, "524", "124"},  // lock off, both as given
        {{"--ratio", "16:9", "--width", "640"}, nullptr, "664", "384"},
        {{"--ratio", "0.5", "--height", "200"}, nullptr, "424", "224"},
        {{"--ratio", "2"}, nullptr, "420", "816"},  // 396 x 792
        {{"--border", "0"}, nullptr, "396", "245"},
        // The file's height leads; --width makes the width lead again.
        {{"--width", "500"}, "[Settings]\r\nLock=1\r\nLockWidth=0\r\nHeight=200\r\n", "524", "333"},
        {{}, "[Settings]\r\nLock=1\r\nLockWidth=0\r\nHeight=200\r\n", "348", "224"},
        {{}, "[Settings]\r\nLock=0\r\nWidth=300\r\nHeight=100\r\nBorder=5\r\n", "310", "110"},
    };
    for (const Case& c : cases) {
        auto platform = ToolFolder();
        std::vector<std::string> args = c.args;
        if (c.settings != nullptr) {
            platform.files["C:\\Lumetra.user.settings"] = c.settings;
            args.insert(args.end(), {"--settings", "C:\\Lumetra.user.settings"});
        }
        const Outcome run = RunWith(platform, args);
        ASSERT_EQ(run.status, 0) << run.err;
        const XmlElement svg = ParseXml(run.out);
        EXPECT_EQ(svg.Attr("width"), c.width) << run.out.substr(0, 200);
        EXPECT_EQ(svg.Attr("height"), c.height) << run.out.substr(0, 200);
    }
}

TEST(RenderTest, SettingsFileRatioMayUseADecimalComma) {
    struct Case {
        const char* file;
        char separator;
        const char* height;  // of the document for Width 400, Border 12
    };
    const std::vector<Case> cases = {
        {"[Settings]\r\nRatio=0,5\r\nWidth=400\r\n", ',', "224"},
        {"[Settings]\r\nRatio=0.5\r\nWidth=400\r\n", '.', "224"},
        {"[Settings]\r\nRatio=2\r\nWidth=400\r\n", '.', "824"},
        {"[Settings]\r\nRatio=abc\r\nWidth=400\r\n", '.', "271"},  // the default ratio: 247
        {"[Settings]\r\nWidth=400\r\n", '.', "271"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SettingsDecimalSeparator(c.file), c.separator) << c.file;
        auto platform = ToolFolder();
        platform.files["C:\\s.ini"] = c.file;
        const Outcome run = RunWith(platform, {"--settings", "C:\\s.ini"});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(ParseXml(run.out).Attr("height"), c.height) << c.file;
    }
}

TEST(RenderTest, LabelsComeFromTheLanguageFiles) {
    struct Case {
        const char* name;
        bool english;
        const char* extra;  // content of --lang, or nullptr
        const char* readout;
        bool warns;
    };
    const std::vector<Case> cases = {
        {"english", true, nullptr, "396 x 245", false},
        {"no language file", false, nullptr, "MWidthHeight", true},
        // Windows-1252 bytes: a-umlaut, sharp s and the multiplication sign.
        {"over english", true,
         "MWidthHeight=Gr\xF6\xDF"
         "e %d \xD7 %d\r\n",
         "Gr\xC3\xB6\xC3\x9F"
         "e 396 \xC3\x97 245",
         false},
        {"template mismatch", true, "MWidthHeight=%s wide\r\n", "%s wide", false},
    };
    for (const Case& c : cases) {
        auto platform = ToolFolder();
        if (!c.english) platform.files.clear();
        std::vector<std::string> args = {"--look", "2"};
        if (c.extra != nullptr) {
            platform.files["C:\\Deutsch.lng"] = c.extra;
            args.insert(args.end(), {"--lang", "C:\\Deutsch.lng"});
        }
        const Outcome run = RunWith(platform, args);
        ASSERT_EQ(run.status, 0) << c.name << ": " << run.err;
        const auto texts = Texts(ParseXml(run.out));
        EXPECT_NE(std::find(texts.begin(), texts.end(), c.readout), texts.end()) << c.name;
        EXPECT_EQ(run.err.find("English.lng not found") != std::string::npos, c.warns) << c.name;
    }
}

TEST(RenderTest, OutputFileIsWrittenWholeOrReported) {
    auto platform = ToolFolder();
    const Outcome written = RunWith(platform, {"--look", "0", "-o", "C:\\out\\grid.svg"});
    EXPECT_EQ(written.status, 0);
    EXPECT_TRUE(written.out.empty());
    ASSERT_EQ(platform.files.count("C:\\out\\grid.svg"), 1u);
    EXPECT_EQ(ParseXml(platform.files["C:\\out\\grid.svg"]).name, "svg");

    const Outcome dash = RunWith(platform, {"--look", "0", "-o", "-"});
    EXPECT_EQ(dash.status, 0);
    EXPECT_EQ(dash.out, platform.files["C:\\out\\grid.svg"]);

    platform.failReplace = true;
    const Outcome failed = RunWith(platform, {"--output=C:\\locked.svg"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.err.find("cannot write 'C:\\locked.svg'"), std::string::npos);
}

TEST(RenderTest, WideHaloedLinesAreWiderStrokesBeneathTheLines) {
    auto platform = ToolFolder();
    const Outcome run = RunWith(platform, {"--look", "2", "--line-width", "3", "--halo", "on", "--halo-color",
                                           "#00ff00", "--label-size", "16", "--lines-color", "#ff0000"});
    ASSERT_EQ(run.status, 0) << run.err;
    const XmlElement svg = ParseXml(run.out);
    std::vector<const XmlElement*> strokes;
    for (const XmlElement& child : svg.children) {
        if (!child.Attr("stroke").empty()) strokes.push_back(&child);
    }
    ASSERT_EQ(strokes.size() % 2, 0u);
    ASSERT_FALSE(strokes.empty());
    const std::size_t half = strokes.size() / 2;
    for (std::size_t i = 0; i < strokes.size(); ++i) {
        const bool beneath = i < half;
        EXPECT_EQ(strokes[i]->Attr("stroke"), beneath ? "#00ff00" : "#ff0000") << i;
        EXPECT_EQ(strokes[i]->Attr("stroke-width"), beneath ? "5" : "3") << i;
        EXPECT_EQ(strokes[i]->Attr("stroke-linecap"), "square") << i;
    }
    // The same paths both times.
    for (std::size_t i = 0; i < half; ++i) {
        for (const char* point : {"points", "x1", "y1", "x2", "y2", "cx", "rx"}) {
            EXPECT_EQ(strokes[i]->Attr(point), strokes[half + i]->Attr(point)) << i << ' ' << point;
        }
    }
    const auto texts = svg.All("text");
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.front()->Attr("fill"), "#00ff00");
    EXPECT_EQ(texts.back()->Attr("fill"), "#838383");
    for (const XmlElement* text : texts) EXPECT_EQ(text->Attr("font-size"), "13");  // 16 x 9 / 11
}

TEST(RenderTest, LineOptionsRefuseValuesOutOfRange) {
    auto platform = ToolFolder();
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--line-width", "0"},
                                                 {"--line-width", "9"},
                                                 {"--halo", "yes"},
                                                 {"--halo-color", "#12345"},
                                                 {"--label-size", "25"},
                                                 {"--label-size", "7"}}) {
        EXPECT_EQ(RunWith(platform, args).status, 2) << args[0] << ' ' << args[1];
    }
    EXPECT_EQ(RunWith(platform, {"--halo-color", "auto", "--label-size", "auto"}).status, 0);
}

}  // namespace
}  // namespace lumetra::test
