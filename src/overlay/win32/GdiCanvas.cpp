#include "overlay/win32/GdiCanvas.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <span>
#include <string>

#include "common/Numbers.h"
#include "overlay/win32/FramePictures.h"
#include "overlay/win32/TopDownDib.h"

namespace lumetra {
namespace {

constexpr std::size_t kMostHeldColumns = 1024;
// Rows written together: a band of a 4K-wide bitmap stays in the cache.
constexpr int kBandRows = 32;
// Bounds the memory held slanted lines take, whatever the settings.
constexpr std::size_t kMostHeldSlantedPixels = std::size_t{1} << 20;
constexpr std::size_t kMostHeldPathPoints = 8192;
// Longer slanted lines are left to GDI: the direct writes walk every pixel,
// on the bitmap or not, and their error terms must not overflow.
constexpr int kLongestWrittenLine = 1 << 16;

// GDI counts characters in an int; longer texts are cut rather than wrapped.
int TextLength(std::string_view text) {
    return static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX));
}

// The DIB pixel GDI writes for a plain RGB colour: blue in the low byte.
std::uint32_t DibPixel(Color color) {
    return ((color & 0xFFu) << 16) | (color & 0xFF00u) | ((color >> 16) & 0xFFu);
}

// Whether a slanted line from the origin to (dx, dy) takes the pixel on the
// minor axis's next row or column where it passes exactly between two:
// GDI's rule, by octant.
bool TakesBias(int dx, int dy) {
    if (dy > 0) return dx < 0 && -dx <= dy;  // steep, to the left and down
    if (dx < 0) return true;                  // to the left and up
    return dx > -dy;                          // shallow, to the right and up
}

bool OnBitmap(const GdiCanvas::DibPixels& pixels, int x, int y) {
    return 0 <= x && x < pixels.width && 0 <= y && y < pixels.height;
}

// GDI's Bresenham line from (x0, y0) by (dx, dy), end excluded, with its
// choice where the line passes exactly between two pixels: plot(x, y) for
// each of its pixels in drawing order, on the bitmap or not. The steps are
// taken without a branch on the error: a spiral's lines are millions of
// pixels whose steps follow no pattern.
template <typename Plot>
void WalkSlantedLine(int x0, int y0, int dx, int dy, Plot plot) {
    const bool xMajor = std::abs(dx) > std::abs(dy);
    const int major = xMajor ? std::abs(dx) : std::abs(dy);
    const int minor = xMajor ? std::abs(dy) : std::abs(dx);
    const int bias = TakesBias(dx, dy) ? 1 : 0;
    const int stepX = dx > 0 ? 1 : -1;
    const int stepY = dy > 0 ? 1 : -1;
    int error = 2 * minor - major;
    const int errorAfterMinorStep = 2 * minor - 2 * major;
    const int errorAfterMajorStep = 2 * minor;
    int x = x0;
    int y = y0;
    for (int step = 0; step < major; ++step) {
        plot(x, y);
        const bool minorStep = error + bias > 0;
        error += minorStep ? errorAfterMinorStep : errorAfterMajorStep;
        x += xMajor || minorStep ? stepX : 0;
        y += !xMajor || minorStep ? stepY : 0;
    }
}

// Only plain RGB colours, not palette indices or relative colours.
bool IsPlainRgb(Color color) { return (color & 0xFF000000u) == 0; }

UINT BoxFormat(BoxPlacement placement) {
    constexpr UINT common = DT_SINGLELINE | DT_NOCLIP;
    switch (placement) {
        case BoxPlacement::CentreBottom: return common | DT_CENTER | DT_BOTTOM;
        case BoxPlacement::CentreTop: return common | DT_CENTER | DT_TOP;
        case BoxPlacement::LeftMiddleEllipsis: break;
    }
    return common | DT_LEFT | DT_VCENTER | DT_END_ELLIPSIS;
}

}  // namespace

GdiCanvas::GdiCanvas(HDC dc, const FramePictures* pictures) noexcept
    : dc_(dc), pictures_(pictures) {}

template <typename Owner>
void GdiCanvas::Replace(Owner& owned, SelectGuard& guard, Owner fresh) {
    if (guard.Active()) {
        ::SelectObject(dc_, fresh.get());  // deselects the one freed below
    } else {
        guard = SelectGuard(dc_, fresh.get());  // remembers the DC's own object
    }
    owned = std::move(fresh);
}

void GdiCanvas::MoveTo(int x, int y) {
    if (pixels_.bits == nullptr) {
        ::MoveToEx(dc_, x, y, nullptr);
        return;
    }
    cursor_ = {x, y};
    pathOpen_ = false;
}

void GdiCanvas::LineTo(int x, int y) {
    if (pixels_.bits == nullptr) {
        ::LineTo(dc_, x, y);
        return;
    }
    // Once GDI lines are held, later lines join them to keep the drawing order.
    if (!heldPathCounts_.empty() || !WriteLine(x, y)) HoldPathPoint(x, y);
    cursor_ = {x, y};
}

void GdiCanvas::DrawLinesInto(DibPixels pixels) {
    if (pixels_.bits == nullptr) {
        ::GetCurrentPositionEx(dc_, &cursor_);
        pathOpen_ = false;
    }
    FinishLines();  // into the bitmap they were meant for
    pixels_ = pixels;
    // Offsets within a band must fit in 32 bits.
    const bool bandable = pixels.bits != nullptr && pixels.width <= static_cast<int>(UINT32_MAX / kBandRows);
    heldSlanted_.resize(bandable ? static_cast<std::size_t>(pixels.height / kBandRows + 1) : 0);
}

void GdiCanvas::HoldPathPoint(int x, int y) {
    if (!pathOpen_) {
        heldPath_.push_back(cursor_);
        heldPathCounts_.push_back(1);
        pathOpen_ = true;
    }
    heldPath_.push_back({x, y});
    ++heldPathCounts_.back();
    if (heldPath_.size() >= kMostHeldPathPoints) FinishLines();
}

bool GdiCanvas::WriteLine(int x, int y) {
    // Only a plain RGB colour on the canvas's own 1-pixel solid pen.
    if (!penColor_ || !IsPlainRgb(*penColor_)) return false;
    if (cursor_.x == x || cursor_.y == y) return WriteStraightLine(x, y);
    return WriteSlantedLine(x, y);
}

bool GdiCanvas::WriteSlantedLine(int x, int y) {
    const int x0 = cursor_.x;
    const int y0 = cursor_.y;
    // Measured wide: far-apart ends must not overflow.
    if (std::llabs(static_cast<long long>(x) - x0) > kLongestWrittenLine ||
        std::llabs(static_cast<long long>(y) - y0) > kLongestWrittenLine) {
        return false;
    }
    // Wholly off the bitmap: nothing to draw.
    if (std::max(x0, x) < 0 || std::min(x0, x) >= pixels_.width || std::max(y0, y) < 0 ||
        std::min(y0, y) >= pixels_.height) {
        return true;
    }
    const std::uint32_t pixel = DibPixel(*penColor_);
    heldSlantedPixel_ = pixel;  // held lines share it: a new pen colour writes them first
    const bool clipped = !OnBitmap(pixels_, x0, y0) || !OnBitmap(pixels_, x, y);
    if (!heldSlanted_.empty()) {
        HoldSlantedLine(x - x0, y - y0, clipped);
        if (heldSlantedCount_ >= kMostHeldSlantedPixels) FinishLines();
        return true;
    }
    FinishLines();  // a later line covers an earlier one where they cross
    FlushGdi();
    const SheetPixels bitmap(pixels_.bits, pixels_.width, pixels_.height);
    WalkSlantedLine(x0, y0, x - x0, y - y0, [&](int px, int py) {
        if (!clipped || OnBitmap(pixels_, px, py)) bitmap.Row(py, px, 1)[0] = pixel;
    });
    return true;
}

void GdiCanvas::HoldSlantedLine(int dx, int dy, bool clipped) {
    const auto width = static_cast<std::uint32_t>(pixels_.width);
    std::size_t held = 0;
    WalkSlantedLine(cursor_.x, cursor_.y, dx, dy, [&](int px, int py) {
        if (clipped && !OnBitmap(pixels_, px, py)) return;
        const auto rowInBand = static_cast<std::uint32_t>(py & (kBandRows - 1));
        heldSlanted_[static_cast<std::size_t>(py) / kBandRows].push_back(rowInBand * width +
                                                                       static_cast<std::uint32_t>(px));
        ++held;
    });
    heldSlantedCount_ += held;
}

bool GdiCanvas::WriteStraightLine(int x, int y) {
    const bool horizontal = cursor_.y == y;

    // Like LineTo: from the current point up to but not including the end.
    const int start = horizontal ? cursor_.x : cursor_.y;
    const int end = horizontal ? x : y;
    int first = start < end ? start : end + 1;
    int last = start < end ? end - 1 : start;
    const int across = horizontal ? y : x;
    const int lengthLimit = horizontal ? pixels_.width : pixels_.height;
    const int acrossLimit = horizontal ? pixels_.height : pixels_.width;
    first = std::max(first, 0);
    last = std::min(last, lengthLimit - 1);
    if (across < 0 || across >= acrossLimit || first > last) return true;

    const std::uint32_t pixel = DibPixel(*penColor_);
    if (!horizontal) {
        HoldColumn(across, first, last, pixel);
        return true;
    }
    FinishLines();  // a later line covers an earlier one where they cross
    FlushGdi();
    const auto row = SheetPixels(pixels_.bits, pixels_.width, pixels_.height).Row(across, first, last - first + 1);
    std::fill(row.begin(), row.end(), pixel);
    return true;
}

void GdiCanvas::HoldColumn(int x, int first, int last, std::uint32_t pixel) {
    if (heldRuns_.empty() || heldRuns_.back().first != first || heldRuns_.back().last != last) {
        heldRuns_.push_back({first, last, heldColumns_.size()});
    }
    heldColumns_.push_back({x, pixel});
    heldRuns_.back().end = heldColumns_.size();
    // Bounds the rows-times-runs work of one FinishLines.
    if (heldColumns_.size() >= kMostHeldColumns) FinishLines();
}

bool GdiCanvas::HoldFill(const Rect& area, Color color) {
    // An empty or turned-around area is left to GDI's own rules.
    if (pixels_.bits == nullptr || !IsPlainRgb(color) || area.left >= area.right || area.top >= area.bottom) {
        return false;
    }
    FinishLines();  // the fill covers what was drawn before it
    const Block block{std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, pixels_.width),
                      std::min(area.bottom, pixels_.height), DibPixel(color)};
    if (block.left < block.right && block.top < block.bottom) heldFill_ = block;
    return true;
}

void GdiCanvas::FinishLines() {
    WriteHeldPixels();
    if (heldPathCounts_.empty()) return;
    // One call for all of them: GDI's own cost per call is far above that of
    // a short line. The same pixels as one LineTo per line.
    ::PolyPolyline(dc_, heldPath_.data(), heldPathCounts_.data(), static_cast<DWORD>(heldPathCounts_.size()));
    gdiUnflushed_ = true;
    heldPath_.clear();
    heldPathCounts_.clear();
    pathOpen_ = false;
}

void GdiCanvas::WriteHeldPixels() {
    if (heldRuns_.empty() && !heldFill_ && heldSlantedCount_ == 0) return;
    FlushGdi();
    int top = heldFill_ ? heldFill_->top : INT_MAX;
    int bottom = heldFill_ ? heldFill_->bottom - 1 : INT_MIN;
    for (const ColumnRun& run : heldRuns_) {
        top = std::min(top, run.first);
        bottom = std::max(bottom, run.last);
    }
    // Band by band, the fill first in each: it is older than every held
    // line, and the lines held with it share one colour (SetPenColor writes
    // them before it changes), so their order among themselves is moot.
    const auto bandSize = static_cast<std::size_t>(pixels_.width) * kBandRows;
    for (int band = 0; band <= pixels_.height / kBandRows; ++band) {
        const int bandTop = band * kBandRows;
        for (int y = std::max(top, bandTop); y <= std::min(bottom, bandTop + kBandRows - 1); ++y) WriteHeldRow(y);
        if (static_cast<std::size_t>(band) >= heldSlanted_.size()) continue;
        std::vector<std::uint32_t>& slanted = heldSlanted_[static_cast<std::size_t>(band)];
        std::uint32_t* const bandPixels = pixels_.bits + static_cast<std::size_t>(band) * bandSize;
        for (const std::uint32_t offset : slanted) bandPixels[offset] = heldSlantedPixel_;
        slanted.clear();
    }
    heldSlantedCount_ = 0;
    heldColumns_.clear();
    heldRuns_.clear();
    heldFill_.reset();
}

void GdiCanvas::WriteHeldRow(int y) {
    const auto row = SheetPixels(pixels_.bits, pixels_.width, pixels_.height).Row(y, 0, pixels_.width);
    if (heldFill_ && heldFill_->top <= y && y < heldFill_->bottom) {
        std::fill(row.begin() + heldFill_->left, row.begin() + heldFill_->right, heldFill_->pixel);
    }
    // In drawing order, so that a later line wins where two meet.
    const std::span<const ColumnPixel> columns(heldColumns_);
    std::size_t begin = 0;
    for (const ColumnRun& run : heldRuns_) {
        if (run.first <= y && y <= run.last) {
            for (const ColumnPixel& column : columns.subspan(begin, run.end - begin)) {
                row[static_cast<std::size_t>(column.x)] = column.pixel;
            }
        }
        begin = run.end;
    }
}

void GdiCanvas::BeforeGdiDraws() {
    FinishLines();
    gdiUnflushed_ = true;
}

void GdiCanvas::FlushGdi() {
    if (!gdiUnflushed_) return;
    ::GdiFlush();  // GDI may still hold earlier drawing in its batch
    gdiUnflushed_ = false;
}

void GdiCanvas::Ellipse(const Rect& box) {
    // In the advanced graphics mode GDI includes the right and bottom edges;
    // the canvas excludes them in every mode.
    const int inclusive = ::GetGraphicsMode(dc_) == GM_ADVANCED ? 1 : 0;
    BeforeGdiDraws();
    ::Ellipse(dc_, box.left, box.top, box.right - inclusive, box.bottom - inclusive);
}

void GdiCanvas::TextOut(int x, int y, std::string_view text) {
    BeforeGdiDraws();
    ::TextOutA(dc_, x, y, text.data(), TextLength(text));
}

TextSize GdiCanvas::TextExtent(std::string_view text) {
    SIZE size{};
    if (!::GetTextExtentPoint32A(dc_, text.data(), TextLength(text), &size)) return {};
    return TextSize{size.cx, size.cy};
}

void GdiCanvas::BoxText(const Rect& box, std::string_view text, BoxPlacement placement) {
    RECT rect{box.left, box.top, box.right, box.bottom};
    BeforeGdiDraws();
    // Without DT_MODIFYSTRING the ellipsis never touches the caller's text.
    ::DrawTextA(dc_, text.data(), TextLength(text), &rect, BoxFormat(placement));
}

void GdiCanvas::SetFontAngle(float degrees) {
    const HGDIOBJ current = ::GetCurrentObject(dc_, OBJ_FONT);
    LOGFONTA description{};
    if (current == nullptr || ::GetObjectA(current, sizeof description, &description) == 0) return;
    const LONG tenths = Nearest(static_cast<long double>(degrees) * 10);
    if (description.lfEscapement == tenths && description.lfOrientation == tenths) return;
    description.lfEscapement = tenths;
    description.lfOrientation = tenths;
    UniqueFont font(::CreateFontIndirectA(&description));
    if (font) Replace(font_, fontGuard_, std::move(font));
}

void GdiCanvas::SetPenColor(Color color) {
    if (pen_ && penColor_ == color) return;
    UniquePen pen(::CreatePen(PS_SOLID, 1, color));
    if (!pen) return;
    FinishLines();  // held lines keep the pen they were drawn with
    Replace(pen_, penGuard_, std::move(pen));
    penColor_ = color;
}

void GdiCanvas::SetTextColor(Color color) { ::SetTextColor(dc_, color); }

void GdiCanvas::Fill(const Rect& area, Color color) {
    if (HoldFill(area, color)) return;
    const UniqueBrush brush(::CreateSolidBrush(color));
    if (!brush) return;
    const RECT rect{area.left, area.top, area.right, area.bottom};
    BeforeGdiDraws();
    ::FillRect(dc_, &rect, brush.get());
}

void GdiCanvas::DrawPicture(Picture picture, int x, int y) {
    if (pictures_ == nullptr) return;
    BeforeGdiDraws();
    pictures_->Draw(dc_, picture, x, y);
}

void GdiCanvas::AdoptFont(UniqueFont font) {
    if (font) Replace(font_, fontGuard_, std::move(font));
}

}  // namespace lumetra
