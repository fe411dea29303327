// lumetra-render with guide files: --check reports each error by line, and
// --guide draws the shipped examples as plain SVG.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "support/FakePlatformFiles.h"
#include "support/MiniXml.h"
#include "tools/render/Render.h"

namespace lumetra::test {
namespace {

std::string SourceFile(const std::string& relative) {
    std::ifstream file(std::string(LUMETRA_SOURCE_DIR) + "/" + relative, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

struct Outcome {
    int status = 0;
    std::string out;
    std::string err;
};

Outcome RunTool(const std::vector<std::string>& args) {
    FakePlatformFiles platform;
    platform.moduleFileName = "C:\\Tools\\lumetra-render.exe";
    platform.files["C:\\Tools\\English.lng"] = SourceFile("lang/English.lng");
    platform.files["bad.guide"] = "name = Bad\nline 0 0 1\n\ncircle 0 0 -1px\n";
    platform.files["empty.guide"] = "# nothing\n";
    platform.files["zloty.guide"] = "name = Z\xC5\x82oty\nline 0 0 1 1\n";
    for (const char* name : {"baseline.guide", "title-safe.guide", "columns.guide"}) {
        platform.files[name] = SourceFile(std::string("guides/") + name);
    }
    std::ostringstream out;
    std::ostringstream err;
    RenderEnvironment env{platform, "", out, err};
    const int status = RunRender(args, env);
    return {status, out.str(), err.str()};
}

TEST(RenderGuideTest, CheckSaysWhatIsWrongByLine) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string out;
        std::string err;
    };
    const std::vector<Case> cases = {
        {{"--check", "baseline.guide"}, 0, "baseline.guide: OK, 2 elements\n", ""},
        {{"--check", "bad.guide"},
         3,
         "",
         "bad.guide:2: 'line' takes X1 Y1 X2 Y2, not 3 values\nbad.guide:4: '-1px' is a negative radius\n"},
        {{"--check", "empty.guide"}, 3, "", "empty.guide: the file draws nothing\n"},
        {{"--check", "zloty.guide"}, 0, "zloty.guide: OK, 1 element\n", ""},
        {{"--check", "gone.guide"}, 2, "", "lumetra-render: cannot read the guide file 'gone.guide'\n"},
        {{"--guide", "bad.guide"},
         3,
         "",
         "bad.guide:2: 'line' takes X1 Y1 X2 Y2, not 3 values\n"
         "bad.guide:4: '-1px' is a negative radius\n"},
        {{"--guide", "gone.guide"}, 2, "", "lumetra-render: cannot read the guide file 'gone.guide'\n"},
        {{"--guide", "baseline.guide", "--look", "3"},
         2,
         "",
         "lumetra-render: --guide and --look exclude each other\n"},
    };
    for (const Case& c : cases) {
        const Outcome outcome = RunTool(c.args);
        EXPECT_EQ(outcome.status, c.status) << c.args[1];
        EXPECT_EQ(outcome.out, c.out) << c.args[1];
        EXPECT_EQ(outcome.err, c.err) << c.args[1];
    }
}

TEST(RenderGuideTest, ShippedExamplesDrawAsPlainSvg) {
    struct Case {
        const char* file;
        std::size_t lines;     // <line> and <polyline> elements
        std::size_t polygons;  // closed paths: the rectangles
        std::size_t ellipses;
        std::vector<std::string> texts;
    };
    // At the first-run size, 396 x 245: 31 rows 8 pixels apart and 5 columns;
    // two frames and the centre cross with two labels; 13 columns, a frame,
    // a circle, four arcs and a roof.
    const std::vector<Case> cases = {
        {"baseline.guide", 36, 0, 0, {}},
        {"title-safe.guide", 2, 2, 0, {"Action safe", "Title safe"}},
        {"columns.guide", 18, 1, 1, {}},
    };
    for (const Case& c : cases) {
        const Outcome outcome = RunTool({"--guide", c.file, "--line-width", "2", "--halo", "on"});
        ASSERT_EQ(outcome.status, 0) << c.file << ": " << outcome.err;
        test::XmlElement svg;
        ASSERT_NO_THROW(svg = test::ParseXml(outcome.out)) << c.file;
        EXPECT_EQ(svg.name, "svg") << c.file;
        // The halo beneath doubles every stroke.
        EXPECT_EQ(svg.All("line").size() + svg.All("polyline").size(), 2 * c.lines) << c.file;
        EXPECT_EQ(svg.All("polygon").size(), 2 * c.polygons) << c.file;
        EXPECT_EQ(svg.All("ellipse").size(), 2 * c.ellipses) << c.file;
        std::vector<std::string> texts;
        for (const test::XmlElement* text : svg.All("text")) texts.push_back(text->text);
        EXPECT_EQ(texts.size(), 9 * c.texts.size()) << c.file;
        if (!c.texts.empty()) {
            EXPECT_EQ(texts.back(), c.texts.back()) << c.file;
        }
        // Nothing an editor would need to resolve: no scripts, styles or references.
        for (const char* foreign : {"script", "style", "use", "defs"}) EXPECT_TRUE(svg.All(foreign).empty()) << foreign;
    }
}

}  // namespace
}  // namespace lumetra::test
