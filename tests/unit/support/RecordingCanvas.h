#pragma once
// A Canvas that records every call, for tests and fuzzers.
//
// Text metric: every byte is kCharWidth (6) pixels along the reading
// direction and the cell is kCellHeight (11) pixels, at any font angle, so
// label positions are predictable.
//
// Each record carries `order`, its index among all recorded calls, so a test
// can check that one kind of drawing comes after another.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "canvas/Canvas.h"

namespace lumetra::test {

class RecordingCanvas final : public Canvas {
public:
    static constexpr int kCharWidth = 6;
    static constexpr int kCellHeight = 11;

    struct Segment {
        Point from;
        Point to;
        Color color = 0;
        std::size_t order = 0;
        int width = 1;
    };
    struct EllipseCall {
        Rect box;
        Color color = 0;
        std::size_t order = 0;
        int width = 1;
    };
    struct TextCall {
        Point at;
        std::string text;
        float angle = 0;
        Color color = 0;
        std::size_t order = 0;
        int height = kCellHeight;
    };
    struct BoxTextCall {
        Rect box;
        std::string text;
        BoxPlacement placement = BoxPlacement::CentreBottom;
        float angle = 0;
        Color color = 0;
        std::size_t order = 0;
        int height = kCellHeight;
    };
    struct FillCall {
        Rect area;
        Color color = 0;
        std::size_t order = 0;
    };
    struct IconCall {
        FrameIcon picture = FrameIcon::Caption;
        Point at;
        std::size_t order = 0;
    };

    void MoveTo(int x, int y) override {
        current_ = {x, y};
        moves.push_back(current_);
        ++calls_;
    }
    void LineTo(int x, int y) override {
        segments.push_back({current_, {x, y}, penColor, calls_++, penWidth});
        current_ = {x, y};
    }
    void Ellipse(const Rect& box) override { ellipses.push_back({box, penColor, calls_++, penWidth}); }
    void TextOut(int x, int y, std::string_view text) override {
        texts.push_back({{x, y}, std::string(text), fontAngle, textColor, calls_++, fontHeight});
    }
    // The width grows with the cell as a font's glyphs do.
    TextSize TextExtent(std::string_view text) override {
        return {static_cast<int>(text.size()) * kCharWidth * fontHeight / kCellHeight, fontHeight};
    }
    void BoxText(const Rect& box, std::string_view text, BoxPlacement placement) override {
        boxTexts.push_back({box, std::string(text), placement, fontAngle, textColor, calls_++, fontHeight});
    }
    void SetFontAngle(float degrees) override {
        fontAngle = degrees;
        ++calls_;
    }
    void SetPenColor(Color color) override {
        penColor = color;
        ++calls_;
    }
    void SetPenWidth(int width) override {
        penWidth = width;
        ++calls_;
    }
    void SetFontHeight(int height) override {
        fontHeight = height;
        ++calls_;
    }
    void SetTextColor(Color color) override {
        textColor = color;
        ++calls_;
    }
    void Fill(const Rect& area, Color color) override { fills.push_back({area, color, calls_++}); }
    void DrawIcon(FrameIcon picture, int x, int y) override { pictures.push_back({picture, {x, y}, calls_++}); }

    // Segments as {from.x, from.y, to.x, to.y}, for compact comparisons.
    std::vector<std::array<int, 4>> SegmentEnds() const {
        std::vector<std::array<int, 4>> ends;
        ends.reserve(segments.size());
        for (const Segment& s : segments) ends.push_back({s.from.x, s.from.y, s.to.x, s.to.y});
        return ends;
    }
    std::vector<std::string> TextStrings() const {
        std::vector<std::string> strings;
        for (const TextCall& t : texts) strings.push_back(t.text);
        return strings;
    }
    std::vector<std::string> BoxTextStrings() const {
        std::vector<std::string> strings;
        for (const BoxTextCall& t : boxTexts) strings.push_back(t.text);
        return strings;
    }
    // The number of recorded calls so far, MoveTo and state changes included.
    std::size_t CallCount() const { return calls_; }

    std::vector<Point> moves;
    std::vector<Segment> segments;
    std::vector<EllipseCall> ellipses;
    std::vector<TextCall> texts;
    std::vector<BoxTextCall> boxTexts;
    std::vector<FillCall> fills;
    std::vector<IconCall> pictures;
    float fontAngle = 0;
    Color penColor = 0;
    int penWidth = 1;
    int fontHeight = kCellHeight;
    Color textColor = 0;

private:
    Point current_;
    std::size_t calls_ = 0;
};

}  // namespace lumetra::test
