#include "overlay/win32/GdiCanvas.h"

#include <algorithm>
#include <climits>
#include <string>

#include "common/Numbers.h"
#include "overlay/win32/FramePictures.h"

namespace lumetra {
namespace {

constexpr std::size_t kMostHeldPathPoints = 8192;

// GDI counts characters in an int; longer texts are cut rather than wrapped.
int TextLength(std::string_view text) {
    return static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX));
}

// The DIB pixel GDI writes for a plain RGB colour: blue in the low byte.
std::uint32_t DibPixel(Color color) {
    return ((color & 0xFFu) << 16) | (color & 0xFF00u) | ((color >> 16) & 0xFFu);
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
    if (!writer_.Active()) {
        ::MoveToEx(dc_, x, y, nullptr);
        return;
    }
    cursor_ = {x, y};
    pathOpen_ = false;
}

void GdiCanvas::LineTo(int x, int y) {
    if (!writer_.Active()) {
        ::LineTo(dc_, x, y);
        return;
    }
    // Once GDI lines are held, later lines join them to keep the drawing order.
    if (!heldPathCounts_.empty() || !WriteLine(x, y)) HoldPathPoint(x, y);
    cursor_ = {x, y};
}

void GdiCanvas::DrawLinesInto(DibPixels pixels) {
    if (!writer_.Active()) {
        ::GetCurrentPositionEx(dc_, &cursor_);
        pathOpen_ = false;
    }
    FinishLines();  // into the bitmap they were meant for
    writer_.Retarget(pixels);
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
    return writer_.Line(cursor_.x, cursor_.y, x, y, DibPixel(*penColor_));
}

bool GdiCanvas::HoldFill(const Rect& area, Color color) {
    // An empty or turned-around area is left to GDI's own rules.
    if (!writer_.Active() || !IsPlainRgb(color) || area.left >= area.right || area.top >= area.bottom) {
        return false;
    }
    FinishLines();  // the fill covers what was drawn before it
    writer_.HoldFill(area, DibPixel(color));
    return true;
}

void GdiCanvas::FinishLines() {
    writer_.WriteHeld();
    if (heldPathCounts_.empty()) return;
    // One call for all of them: GDI's own cost per call is far above that of
    // a short line. The same pixels as one LineTo per line.
    ::PolyPolyline(dc_, heldPath_.data(), heldPathCounts_.data(), static_cast<DWORD>(heldPathCounts_.size()));
    gdiUnflushed_ = true;
    heldPath_.clear();
    heldPathCounts_.clear();
    pathOpen_ = false;
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
