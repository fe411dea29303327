#include "overlay/draw/SvgCanvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "support/MiniXml.h"

namespace lumetra::test {
namespace {

XmlElement Draw(const std::function<void(SvgCanvas&)>& draw, Rect view = {0, 0, 100, 100}) {
    SvgCanvas canvas(view);
    draw(canvas);
    return ParseXml(canvas.Document());
}

// The pixels an axis-aligned 1-pixel <line> covers: it must run half a pixel
// off the grid across and start and end on pixel edges along.
struct PixelRun {
    bool horizontal = true;
    int fixed = 0;  // the row (or column)
    int first = 0;  // first and last covered pixel along the line
    int last = 0;
    friend bool operator==(const PixelRun&, const PixelRun&) = default;
};

std::ostream& operator<<(std::ostream& os, const PixelRun& run) {
    return os << (run.horizontal ? "row " : "column ") << run.fixed << " pixels " << run.first << ".." << run.last;
}

PixelRun CoveredPixels(const XmlElement& line) {
    const double x1 = std::stod(line.Attr("x1")), y1 = std::stod(line.Attr("y1"));
    const double x2 = std::stod(line.Attr("x2")), y2 = std::stod(line.Attr("y2"));
    const bool horizontal = y1 == y2;
    const double across = horizontal ? y1 : x1;
    const double from = horizontal ? std::min(x1, x2) : std::min(y1, y2);
    const double to = horizontal ? std::max(x1, x2) : std::max(y1, y2);
    EXPECT_EQ(across - 0.5, std::floor(across)) << "stroke not centred on a pixel";
    EXPECT_EQ(from, std::floor(from)) << "start not on a pixel edge";
    EXPECT_EQ(to, std::floor(to)) << "end not on a pixel edge";
    return {horizontal, static_cast<int>(std::floor(across)), static_cast<int>(from), static_cast<int>(to) - 1};
}

TEST(SvgCanvasTest, AxisAlignedSegmentsCoverWholePixelsAndExcludeTheEndPixel) {
    struct Case {
        const char* name;
        Point from, to;
        PixelRun covered;
    };
    const std::vector<Case> cases = {
        {"rightward", {10, 20}, {15, 20}, {true, 20, 10, 14}},
        {"leftward", {15, 20}, {10, 20}, {true, 20, 11, 15}},
        {"downward", {3, 4}, {3, 9}, {false, 3, 4, 8}},
        {"upward", {3, 9}, {3, 4}, {false, 3, 5, 9}},
        {"one pixel", {7, 7}, {8, 7}, {true, 7, 7, 7}},
        {"negative coordinates", {-4, -2}, {-1, -2}, {true, -2, -4, -2}},
    };
    for (const Case& c : cases) {
        const XmlElement svg = Draw([&](SvgCanvas& canvas) {
            canvas.MoveTo(c.from.x, c.from.y);
            canvas.LineTo(c.to.x, c.to.y);
        });
        const auto lines = svg.All("line");
        ASSERT_EQ(lines.size(), 1u) << c.name;
        EXPECT_EQ(CoveredPixels(*lines[0]), c.covered) << c.name;
    }
}

TEST(SvgCanvasTest, ConnectedSegmentsBecomeOnePathAndClosedOnesAPolygon) {
    struct Case {
        const char* name;
        std::vector<Point> points;  // move to the first, line to the rest
        const char* element;
        const char* coordinates;
    };
    const std::vector<Case> cases = {
        // An L from (5,10) up to (5,5) and right to (10,5): the start pixel is
        // covered whole, the end pixel (10,5) left out.
        {"open corner", {{5, 10}, {5, 5}, {10, 5}}, "polyline", "5.5,11 5.5,5.5 10,5.5"},
        // The outline of a box runs through the centres of its edge pixels.
        {"closed outline",
         {{12, 28}, {408, 28}, {408, 273}, {12, 273}, {12, 28}},
         "polygon",
         "12.5,28.5 408.5,28.5 408.5,273.5 12.5,273.5"},
        // Diagonals run between pixel centres.
        {"diagonal chain", {{0, 0}, {4, 4}, {8, 0}}, "polyline", "0.5,0.5 4.5,4.5 8.5,0.5"},
        {"repeated point is skipped", {{0, 0}, {0, 0}, {3, 3}}, "line", "0.5 0.5 3.5 3.5"},
    };
    for (const Case& c : cases) {
        const XmlElement svg = Draw([&](SvgCanvas& canvas) {
            canvas.MoveTo(c.points[0].x, c.points[0].y);
            for (std::size_t i = 1; i < c.points.size(); ++i) canvas.LineTo(c.points[i].x, c.points[i].y);
        });
        ASSERT_EQ(svg.children.size(), 1u) << c.name;
        const XmlElement& shape = svg.children[0];
        EXPECT_EQ(shape.name, c.element) << c.name;
        const std::string coords = shape.name == "line" ? shape.Attr("x1") + ' ' + shape.Attr("y1") + ' ' +
                                                              shape.Attr("x2") + ' ' + shape.Attr("y2")
                                                        : shape.Attr("points");
        EXPECT_EQ(coords, c.coordinates) << c.name;
        EXPECT_EQ(shape.Attr("fill"), "none") << c.name;
        EXPECT_EQ(shape.Attr("stroke-width"), "1") << c.name;
    }
}

TEST(SvgCanvasTest, MovesZeroLengthLinesAndPicturesDrawNothing) {
    const XmlElement svg = Draw([](SvgCanvas& canvas) {
        canvas.MoveTo(5, 5);
        canvas.LineTo(5, 5);
        canvas.MoveTo(9, 9);
        canvas.DrawIcon(FrameIcon::TRCorner, 0, 0);
        canvas.Ellipse({10, 10, 11, 30});  // one pixel wide: no room for a ring
        canvas.Fill({10, 10, 5, 20}, 0);   // inverted
    });
    EXPECT_TRUE(svg.children.empty());
}

TEST(SvgCanvasTest, EllipseBoxMapsToTheInscribedOutline) {
    struct Case {
        Rect box;
        const char *cx, *cy, *rx, *ry;
    };
    const std::vector<Case> cases = {
        // A 20-pixel box: the ring's outer edge touches pixel edges 10 and 30.
        {{10, 20, 30, 40}, "20", "30", "9.5", "9.5"},
        {{30, 40, 10, 20}, "20", "30", "9.5", "9.5"},  // corners given the other way round
        {{0, 0, 7, 4}, "3.5", "2", "3", "1.5"},
        {{-10, -10, 10, 10}, "0", "0", "9.5", "9.5"},
    };
    for (const Case& c : cases) {
        const XmlElement svg = Draw([&](SvgCanvas& canvas) { canvas.Ellipse(c.box); });
        const auto ellipses = svg.All("ellipse");
        ASSERT_EQ(ellipses.size(), 1u);
        const XmlElement& e = *ellipses[0];
        EXPECT_EQ(e.Attr("cx"), c.cx);
        EXPECT_EQ(e.Attr("cy"), c.cy);
        EXPECT_EQ(e.Attr("rx"), c.rx);
        EXPECT_EQ(e.Attr("ry"), c.ry);
        EXPECT_EQ(e.Attr("fill"), "none");
    }
}

TEST(SvgCanvasTest, ColoursComeFromBgrValues) {
    struct Case {
        Color color;
        const char* svg;
    };
    const std::vector<Case> cases = {
        {4210943, "#ff4040"},     // the factory lines colour
        {8618883, "#838383"},     // the factory values colour
        {0x000000FF, "#ff0000"},  // red sits in the lowest byte
        {0xAB123456, "#563412"},  // the top byte is not a colour
    };
    for (const Case& c : cases) {
        const XmlElement svg = Draw([&](SvgCanvas& canvas) {
            canvas.SetPenColor(c.color);
            canvas.SetTextColor(c.color);
            canvas.MoveTo(0, 0);
            canvas.LineTo(5, 0);
            canvas.Ellipse({0, 0, 9, 9});
            canvas.TextOut(0, 0, "x");
            canvas.Fill({0, 0, 2, 2}, c.color);
        });
        ASSERT_EQ(svg.children.size(), 4u);
        EXPECT_EQ(svg.children[0].Attr("stroke"), c.svg);
        EXPECT_EQ(svg.children[1].Attr("stroke"), c.svg);
        EXPECT_EQ(svg.children[2].Attr("fill"), c.svg);
        EXPECT_EQ(svg.children[3].Attr("fill"), c.svg);
    }
}

TEST(SvgCanvasTest, PenChangeInsideAPathSplitsItByColour) {
    const XmlElement svg = Draw([](SvgCanvas& canvas) {
        canvas.SetPenColor(0x0000FF);
        canvas.MoveTo(0, 0);
        canvas.LineTo(10, 0);
        canvas.SetPenColor(0x00FF00);
        canvas.LineTo(10, 10);
    });
    ASSERT_EQ(svg.children.size(), 2u);
    EXPECT_EQ(svg.children[0].Attr("stroke"), "#ff0000");
    EXPECT_EQ(svg.children[1].Attr("stroke"), "#00ff00");
    EXPECT_EQ(svg.children[1].Attr("y1"), "0");  // the second pen starts at (10, 0)
}

TEST(SvgCanvasTest, TextsAreWrittenAsUtf8WhateverTheSystem) {
    struct Case {
        std::string text;   // the program's UTF-8
        std::string shown;  // after the XML reader resolved the entities
        int width;          // the estimated advance
    };
    const std::vector<Case> cases = {
        {"396 x 245", "396 x 245", 41},
        {"a&b <c> \"d\"", "a&b <c> \"d\"", 51},
        {"\xC3\xA9t\xC3\xA9", "\xC3\xA9t\xC3\xA9", 13},                // Latin letters beyond ASCII
        {"\xE2\x82\xAC 5", "\xE2\x82\xAC 5", 13},                      // the euro sign: one character
        {"\xE5\x8F\xB3\xE4\xB8\x8A", "\xE5\x8F\xB3\xE4\xB8\x8A", 22},  // two ideographs, a cell each
        {"\xF0\x9F\x93\x90", "\xF0\x9F\x93\x90", 5},                   // beyond the BMP: one character
        {"\x81\xE9", "\xEF\xBF\xBD\xEF\xBF\xBD", 10},                  // no UTF-8: replacement characters
        {"a\r\nb\tc\x01", "a  b c ", 35},                              // controls XML cannot carry
        {"&#x41;", "&#x41;", 28},                                      // a reference-like text stays literal
    };
    for (const Case& c : cases) {
        const XmlElement svg = Draw([&](SvgCanvas& canvas) { canvas.TextOut(1, 2, c.text); });
        ASSERT_EQ(svg.children.size(), 1u);
        EXPECT_EQ(svg.children[0].text, c.shown);
        EXPECT_EQ(EstimateTextWidth(c.text), c.width) << c.shown;
    }
}

TEST(SvgCanvasTest, TextCellAndRotationFollowTheFontAngle) {
    struct Case {
        float angle;
        const char* y;          // baseline
        const char* transform;  // empty: not turned
    };
    const std::vector<Case> cases = {
        {0.0f, "109", ""},
        // Reads upward from (5, 100); the 11-pixel cell spans columns 5..15.
        {90.0f, "109", "rotate(-90 5 100)"},
        {45.04f, "109", "rotate(-45 5 100)"},
        {12.25f, "109", "rotate(-12.2 5 100)"},  // tenths of a degree, halves to even
    };
    for (const Case& c : cases) {
        const XmlElement svg = Draw(
            [&](SvgCanvas& canvas) {
                canvas.SetFontAngle(c.angle);
                canvas.TextOut(5, 100, "245");
            },
            {0, 0, 200, 200});
        ASSERT_EQ(svg.children.size(), 1u);
        const XmlElement& text = svg.children[0];
        EXPECT_EQ(text.Attr("x"), "5");
        EXPECT_EQ(text.Attr("y"), c.y);
        EXPECT_EQ(text.Attr("transform"), c.transform) << c.angle;
        EXPECT_EQ(text.Attr("font-family"), "Tahoma, sans-serif");
    }
}

TEST(SvgCanvasTest, BoxTextPlacements) {
    struct Case {
        const char* name;
        Rect box;
        BoxPlacement placement;
        std::string text;
        const char *x, *y, *anchor, *shown;
    };
    const std::vector<Case> cases = {
        // Grid labels: centred on x = 100, cell bottom on y = 29.
        {"centre bottom", {100, 16, 100, 29}, BoxPlacement::CentreBottom, "64", "100", "27", "middle", "64"},
        {"centre top", {60, 273, 60, 274}, BoxPlacement::CentreTop, "93", "60", "282", "middle", "93"},
        {"fits", {14, 1, 200, 15}, BoxPlacement::LeftMiddleEllipsis, "Velmora", "14", "11", "", "Velmora"},
        // 40 pixels hold six digits (30) and the ellipsis (9), not a seventh.
        {"cut", {14, 1, 54, 15}, BoxPlacement::LeftMiddleEllipsis, "1234567890", "14", "11", "", "123456..."},
    };
    for (const Case& c : cases) {
        const XmlElement svg =
            Draw([&](SvgCanvas& canvas) { canvas.BoxText(c.box, c.text, c.placement); }, {0, 0, 400, 400});
        ASSERT_EQ(svg.children.size(), 1u) << c.name;
        const XmlElement& text = svg.children[0];
        EXPECT_EQ(text.Attr("x"), c.x) << c.name;
        EXPECT_EQ(text.Attr("y"), c.y) << c.name;
        EXPECT_EQ(text.Attr("text-anchor"), c.anchor) << c.name;
        EXPECT_EQ(text.text, c.shown) << c.name;
    }
}

}  // namespace
}  // namespace lumetra::test
