#include "overlay/draw/SvgCanvas.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "common/Numbers.h"
#include "text/Unicode.h"

namespace lumetra {
namespace {

// Coordinates are kept in half pixels so that pixel centres (n + 0.5) stay
// exact integers; this writes such a value as a plain decimal.
std::string HalfPixels(std::int64_t halves) {
    const bool negative = halves < 0;
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(halves) : static_cast<std::uint64_t>(halves);
    std::string text = negative ? "-" : "";
    text += std::to_string(magnitude / 2);
    if (magnitude % 2 != 0) text += ".5";
    return text;
}

std::string Pixels(std::int64_t value) { return std::to_string(value); }

std::string Tenths(std::int64_t tenths) {
    const std::int64_t magnitude = tenths < 0 ? -tenths : tenths;
    std::string text = tenths < 0 ? "-" : "";
    text += std::to_string(magnitude / 10);
    if (magnitude % 10 != 0) text += '.' + std::to_string(magnitude % 10);
    return text;
}

std::int64_t Centre(int pixel) { return 2 * static_cast<std::int64_t>(pixel) + 1; }

int Sign(int value) { return (value > 0) - (value < 0); }

struct HalfPoint {
    std::int64_t x = 0;
    std::int64_t y = 0;
};

HalfPoint CentreOf(Point p) { return {Centre(p.x), Centre(p.y)}; }

// Moves an end of an axis-aligned segment from -> to half a pixel against
// its direction: the start then covers its pixel whole and the end leaves
// its pixel out.
HalfPoint BackHalfPixel(HalfPoint end, Point from, Point to) {
    if (from.x != to.x && from.y != to.y) return end;
    end.x -= Sign(to.x - from.x);
    end.y -= Sign(to.y - from.y);
    return end;
}

// The centre of the pixel before `to` on an axis-aligned segment: a wide
// line's square cap then ends where the 1-pixel line's last pixel does.
HalfPoint LastPixelCentre(HalfPoint end, Point from, Point to) {
    if (from.x != to.x && from.y != to.y) return end;
    end.x -= 2 * Sign(to.x - from.x);
    end.y -= 2 * Sign(to.y - from.y);
    return end;
}

HalfPoint Shifted(HalfPoint p, std::int64_t halves) { return {p.x + halves, p.y + halves}; }

std::string PointText(HalfPoint p) { return HalfPixels(p.x) + ',' + HalfPixels(p.y); }

std::string PointList(const std::vector<Point>& points, std::size_t count, std::int64_t shift) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        if (i != 0) text += ' ';
        text += PointText(Shifted(CentreOf(points[i]), shift));
    }
    return text;
}

int CharWidth(unsigned char c) {
    constexpr std::string_view narrow = " !'(),-./:;I[]`fijlrt|";
    constexpr std::string_view wide = "%@MWmw";
    if (narrow.find(static_cast<char>(c)) != std::string_view::npos) return 3;
    if (wide.find(static_cast<char>(c)) != std::string_view::npos) return 8;
    if (c >= 'A' && c <= 'Z') return 6;
    return 5;
}

// Hangul, the CJK blocks, kana and the full-width forms: a whole cell each.
bool IsFullWidth(char16_t unit) {
    return (unit >= 0x1100 && unit <= 0x115F) || (unit >= 0x2E80 && unit <= 0xA4CF) ||
           (unit >= 0xAC00 && unit <= 0xD7A3) || (unit >= 0xF900 && unit <= 0xFAFF) ||
           (unit >= 0xFF00 && unit <= 0xFF60) || (unit >= 0xFFE0 && unit <= 0xFFE6);
}

}  // namespace

int EstimateTextWidth(std::string_view text) {
    int width = 0;
    for (const char16_t unit : Utf16FromUtf8(text)) {
        if (unit >= 0xDC00 && unit <= 0xDFFF) continue;  // a pair's second half: one character
        width += unit < 0x80 ? CharWidth(static_cast<unsigned char>(unit)) : IsFullWidth(unit) ? kSvgCellHeight : 5;
    }
    return width;
}

std::string SvgColor(Color color) {
    std::array<char, 8> text{};
    std::snprintf(text.data(), text.size(), "#%02x%02x%02x", color & 0xFFu, (color >> 8) & 0xFFu,
                  (color >> 16) & 0xFFu);
    return text.data();
}

std::string EscapeXmlText(std::string_view text) {
    const std::string valid = ValidUtf8(text);
    std::string out;
    out.reserve(valid.size());
    for (const char c : valid) {
        const auto byte = static_cast<unsigned char>(c);
        switch (byte) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += byte < 0x20 || byte == 0x7F ? ' ' : c;
        }
    }
    return out;
}

SvgCanvas::SvgCanvas(const Rect& view) : view_(view) {}

std::int64_t SvgCanvas::ViewWidth() const { return std::max<std::int64_t>(0, std::int64_t{view_.right} - view_.left); }

std::int64_t SvgCanvas::ViewHeight() const { return std::max<std::int64_t>(0, std::int64_t{view_.bottom} - view_.top); }

std::string SvgCanvas::Document() {
    FlushPath();
    const std::int64_t width = ViewWidth();
    const std::int64_t height = ViewHeight();
    std::string doc = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    doc += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
           (width_.empty() ? Pixels(width) : width_) + "\" height=\"" + (height_.empty() ? Pixels(height) : height_) +
           "\" viewBox=\"" + Pixels(view_.left) + ' ' + Pixels(view_.top) + ' ' + Pixels(width) + ' ' + Pixels(height) +
           "\">\n";
    doc += body_;
    doc += "</svg>\n";
    return doc;
}

void SvgCanvas::SetPhysicalSize(const ExportDensity& density) {
    width_ = PhysicalLength(ViewWidth(), density.unit, density.width);
    height_ = PhysicalLength(ViewHeight(), density.unit, density.height);
}

void SvgCanvas::MoveTo(int x, int y) {
    FlushPath();
    current_ = {x, y};
}

void SvgCanvas::LineTo(int x, int y) {
    const Point to{x, y};
    if (to == current_) return;  // a zero-length line draws nothing
    if (path_.empty()) path_.push_back(current_);
    path_.push_back(to);
    current_ = to;
}

void SvgCanvas::FlushPath() {
    if (path_.size() < 2) {
        path_.clear();
        return;
    }
    const std::size_t last = path_.size() - 1;
    const std::int64_t shift = StrokeShift();
    if (last >= 3 && path_.front() == path_.back()) {
        body_ += "<polygon points=\"" + PointList(path_, last, shift) + '"' + StrokeAttributes();
    } else {
        // A 1-pixel line has butt ends moved half a pixel back; a wider one
        // has square caps about its first and last pixels.
        const bool wide = penWidth_ > 1;
        const HalfPoint first = CentreOf(path_[0]);
        const HalfPoint ending = CentreOf(path_[last]);
        const HalfPoint start = Shifted(wide ? first : BackHalfPixel(first, path_[0], path_[1]), shift);
        const HalfPoint end = Shifted(wide ? LastPixelCentre(ending, path_[last - 1], path_[last])
                                           : BackHalfPixel(ending, path_[last - 1], path_[last]),
                                      shift);
        if (last == 1) {
            body_ += "<line x1=\"" + HalfPixels(start.x) + "\" y1=\"" + HalfPixels(start.y) + "\" x2=\"" +
                     HalfPixels(end.x) + "\" y2=\"" + HalfPixels(end.y) + '"';
        } else {
            std::string points = PointText(start);
            for (std::size_t i = 1; i < last; ++i) points += ' ' + PointText(Shifted(CentreOf(path_[i]), shift));
            points += ' ' + PointText(end);
            body_ += "<polyline points=\"" + points + '"';
        }
        body_ += StrokeAttributes();
    }
    path_.clear();
}

void SvgCanvas::Ellipse(const Rect& box) {
    FlushPath();
    const std::int64_t left = std::min(box.left, box.right);
    const std::int64_t right = std::max(box.left, box.right);
    const std::int64_t top = std::min(box.top, box.bottom);
    const std::int64_t bottom = std::max(box.top, box.bottom);
    // The 1-pixel stroke lies inside the box: radius = half the size less
    // half a pixel, all in half pixels. A wider stroke widens about it.
    const std::int64_t rx = right - left - 1;
    const std::int64_t ry = bottom - top - 1;
    if (rx <= 0 || ry <= 0) return;
    const std::int64_t shift = StrokeShift();
    body_ += "<ellipse cx=\"" + HalfPixels(left + right + shift) + "\" cy=\"" + HalfPixels(top + bottom + shift) +
             "\" rx=\"" + HalfPixels(rx) + "\" ry=\"" + HalfPixels(ry) + '"' + StrokeAttributes();
}

std::string SvgCanvas::StrokeAttributes() const {
    std::string text = " fill=\"none\" stroke=\"" + SvgColor(pen_) + "\" stroke-width=\"" + Pixels(penWidth_) + '"';
    if (penWidth_ > 1) text += " stroke-linecap=\"square\" stroke-linejoin=\"miter\"";
    return text + "/>\n";
}

int SvgCanvas::Baseline() const {
    // The factory cell of 11 has its baseline at 9; larger cells keep the share.
    return Nearest(static_cast<long double>(cellHeight_) * kSvgBaseline / kSvgCellHeight);
}

void SvgCanvas::WriteText(int x, int top, std::string_view text, std::string_view anchor) {
    FlushPath();
    const std::int64_t baseline = std::int64_t{top} + Baseline();
    body_ += "<text x=\"" + Pixels(x) + "\" y=\"" + Pixels(baseline) + '"';
    if (!anchor.empty()) body_ += " text-anchor=\"" + std::string(anchor) + '"';
    if (angleTenths_ != 0) {
        // Turned about the cell's corner; SVG turns clockwise, the font's
        // escapement counter-clockwise.
        body_ +=
            " transform=\"rotate(" + Tenths(-std::int64_t{angleTenths_}) + ' ' + Pixels(x) + ' ' + Pixels(top) + ")\"";
    }
    body_ += " font-family=\"Tahoma, sans-serif\" font-size=\"" + Pixels(Baseline()) + "\" fill=\"" + SvgColor(text_) +
             "\" xml:space=\"preserve\">" + EscapeXmlText(text) + "</text>\n";
}

void SvgCanvas::TextOut(int x, int y, std::string_view text) { WriteText(x, y, text, {}); }

TextSize SvgCanvas::TextExtent(std::string_view text) {
    const long double width = static_cast<long double>(EstimateTextWidth(text)) * cellHeight_ / kSvgCellHeight;
    return {Nearest(width), cellHeight_};
}

void SvgCanvas::BoxText(const Rect& box, std::string_view text, BoxPlacement placement) {
    switch (placement) {
        case BoxPlacement::CentreBottom: WriteText(box.left, box.bottom - cellHeight_, text, "middle"); break;
        case BoxPlacement::CentreTop: WriteText(box.left, box.top, text, "middle"); break;
        case BoxPlacement::LeftMiddleEllipsis: {
            const int room = box.right - box.left;
            std::string shown(text);
            if (EstimateTextWidth(shown) > room) {
                while (!shown.empty() && EstimateTextWidth(shown) + EstimateTextWidth("...") > room) shown.pop_back();
                shown += "...";
            }
            const int top = Half(box.top + box.bottom - cellHeight_);
            WriteText(box.left, top, shown, {});
            break;
        }
    }
}

void SvgCanvas::SetFontAngle(float degrees) { angleTenths_ = Nearest(static_cast<long double>(degrees) * 10); }

void SvgCanvas::SetPenColor(Color color) {
    if (color != pen_) FlushPath();
    pen_ = color;
}

void SvgCanvas::SetPenWidth(int width) {
    const int w = std::max(width, 1);
    if (w != penWidth_) FlushPath();
    penWidth_ = w;
}

void SvgCanvas::SetFontHeight(int height) { cellHeight_ = std::max(height, 1); }

void SvgCanvas::SetTextColor(Color color) { text_ = color; }

void SvgCanvas::Fill(const Rect& area, Color color) {
    FlushPath();
    // Like the screen canvas, an empty or inverted area fills nothing.
    const std::int64_t width = std::int64_t{area.right} - area.left;
    const std::int64_t height = std::int64_t{area.bottom} - area.top;
    if (width <= 0 || height <= 0) return;
    body_ += "<rect x=\"" + Pixels(area.left) + "\" y=\"" + Pixels(area.top) + "\" width=\"" + Pixels(width) +
             "\" height=\"" + Pixels(height) + "\" fill=\"" + SvgColor(color) + "\"/>\n";
}

void SvgCanvas::DrawIcon(FrameIcon, int, int) {}

}  // namespace lumetra
