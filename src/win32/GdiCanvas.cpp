#include "win32/GdiCanvas.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <span>
#include <string>

#include "common/Numbers.h"
#include "win32/FrameIcons.h"
#include "win32/TopDownDib.h"
#include "win32/WideText.h"

namespace lumetra {
namespace {

constexpr std::size_t kMostHeldPathPoints = 8192;
// Labels further out are outlined by GDI; keeps the mask's corners in an int.
constexpr int kFarthestStampedLabel = 1 << 24;

// GDI counts characters in an int; longer texts are cut rather than wrapped.
int TextLength(std::wstring_view text) { return static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX)); }

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

GdiCanvas::GdiCanvas(HDC dc, const FrameIcons* pictures) noexcept : dc_(dc), icons_(pictures) {}

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
        if (penWidth_ == 1) {
            ::LineTo(dc_, x, y);
            return;
        }
        POINT from{};
        ::GetCurrentPositionEx(dc_, &from);
        DrawWideLine(from, {x, y});
        ::MoveToEx(dc_, x, y, nullptr);
        return;
    }
    if (penWidth_ == 1) {
        // Once GDI lines are held, later lines join them to keep the drawing order.
        if (!heldPathCounts_.empty() || !WriteLine(x, y)) HoldPathPoint(x, y);
    } else {
        if (!heldPathCounts_.empty()) FinishLines();
        if (!WriteLine(x, y)) {
            BeforeGdiDraws();
            DrawWideLine(cursor_, {x, y});
        }
    }
    cursor_ = {x, y};
}

void GdiCanvas::DrawWideLine(POINT from, POINT to) {
    if (from.x == to.x && from.y == to.y) return;  // a line of no length draws nothing
    const UniqueBrush brush(::CreateSolidBrush(penColor_.value_or(0)));
    if (!brush) return;
    const PenSpread spread = SpreadOf(penWidth_);
    if (from.x == to.x || from.y == to.y) {
        // One rectangle: the pixels from the first to the last, caps included.
        const POINT last{from.x == to.x ? to.x : to.x + (to.x > from.x ? -1 : 1),
                         from.y == to.y ? to.y : to.y + (to.y > from.y ? -1 : 1)};
        const RECT area{std::min(from.x, last.x) - spread.before, std::min(from.y, last.y) - spread.before,
                        std::max(from.x, last.x) + spread.after + 1, std::max(from.y, last.y) + spread.after + 1};
        ::FillRect(dc_, &area, brush.get());
        return;
    }
    const bool xMajor = std::abs(to.x - from.x) > std::abs(to.y - from.y);
    for (int d = -spread.before; d <= spread.after; ++d) {
        const int dx = xMajor ? 0 : d;
        const int dy = xMajor ? d : 0;
        ::MoveToEx(dc_, from.x + dx, from.y + dy, nullptr);
        ::LineTo(dc_, to.x + dx, to.y + dy);
    }
    FillSquare(from, brush);
    const Point last = LastLinePixel({from.x, from.y}, {to.x, to.y});
    FillSquare({last.x, last.y}, brush);
}

void GdiCanvas::FillSquare(POINT centre, const UniqueBrush& brush) {
    const PenSpread spread = SpreadOf(penWidth_);
    const RECT square{centre.x - spread.before, centre.y - spread.before, centre.x + spread.after + 1,
                      centre.y + spread.after + 1};
    ::FillRect(dc_, &square, brush.get());
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
    // Only a plain RGB colour on the canvas's own solid pen.
    if (!penColor_ || !IsPlainRgb(*penColor_)) return false;
    return writer_.Line(cursor_.x, cursor_.y, x, y, DibPixel(*penColor_), penWidth_);
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
    if (writer_.Active() && penColor_ && IsPlainRgb(*penColor_)) {
        if (!heldPathCounts_.empty()) FinishLines();  // drawn after the lines GDI holds
        const Rect given{box.left, box.top, box.right - inclusive, box.bottom - inclusive};
        if (writer_.Ellipse(given, DibPixel(*penColor_), penWidth_)) return;
    }
    BeforeGdiDraws();
    const auto draw = [&](int dx, int dy) {
        ::Ellipse(dc_, box.left + dx, box.top + dy, box.right - inclusive + dx, box.bottom - inclusive + dy);
    };
    draw(0, 0);
    // A wider outline: copies moved across each axis, which widen it across
    // its direction wherever it runs.
    const PenSpread spread = SpreadOf(penWidth_);
    for (int d = -spread.before; d <= spread.after; ++d) {
        if (d == 0) continue;
        draw(d, 0);
        draw(0, d);
    }
}

void GdiCanvas::TextOut(int x, int y, std::string_view text) {
    BeforeGdiDraws();
    const std::wstring wide = Wide(text);
    ::TextOutW(dc_, x, y, wide.data(), TextLength(wide));
}

TextSize GdiCanvas::TextExtent(std::string_view text) {
    SIZE size{};
    const std::wstring wide = Wide(text);
    if (!::GetTextExtentPoint32W(dc_, wide.data(), TextLength(wide), &size)) return {};
    return TextSize{size.cx, size.cy};
}

void GdiCanvas::BoxText(const Rect& box, std::string_view text, BoxPlacement placement) {
    RECT rect{box.left, box.top, box.right, box.bottom};
    BeforeGdiDraws();
    // Without DT_MODIFYSTRING the ellipsis never touches the caller's text;
    // the wide call cuts for it at a character, never inside one.
    const std::wstring wide = Wide(text);
    ::DrawTextW(dc_, wide.data(), TextLength(wide), &rect, BoxFormat(placement));
}

void GdiCanvas::TextHalo(int x, int y, std::string_view text) {
    const TextSize size = TextExtent(text);
    // The cell from its anchor: to the right and down, or upward at 90 degrees.
    const int angle = FontEscapement();
    const Rect cell = angle == 0     ? Rect{x, y, x + size.cx, y + size.cy}
                      : angle == 900 ? Rect{x, y - size.cx, x + size.cy, y}
                                     : Rect{x - size.cx - size.cy, y - size.cx - size.cy, x + size.cx + size.cy,
                                            y + size.cx + size.cy};
    const std::wstring wide = Wide(text);
    const bool stamped = std::abs(x) < kFarthestStampedLabel && std::abs(y) < kFarthestStampedLabel &&
                         StampHalo(cell, [&](HDC mask, int dx, int dy) {
                             ::TextOutW(mask, x + dx, y + dy, wide.data(), TextLength(wide));
                         });
    if (!stamped) Canvas::TextHalo(x, y, text);
}

void GdiCanvas::BoxTextHalo(const Rect& box, std::string_view text, BoxPlacement placement) {
    const TextSize size = TextExtent(text);
    const int centre = box.left + (box.right - box.left) / 2;
    const int middle = box.top + (box.bottom - box.top) / 2;
    Rect cell{std::min(box.left, box.right) - size.cx - size.cy, std::min(box.top, box.bottom) - size.cx - size.cy,
              std::max(box.left, box.right) + size.cx + size.cy, std::max(box.top, box.bottom) + size.cx + size.cy};
    if (FontEscapement() == 0 && box.left <= box.right && box.top <= box.bottom) {
        switch (placement) {
            case BoxPlacement::CentreBottom:
                cell = {centre - size.cx / 2 - 1, box.bottom - size.cy, centre + size.cx / 2 + 1, box.bottom};
                break;
            case BoxPlacement::CentreTop:
                cell = {centre - size.cx / 2 - 1, box.top, centre + size.cx / 2 + 1, box.top + size.cy};
                break;
            case BoxPlacement::LeftMiddleEllipsis:
                cell = {box.left, middle - size.cy / 2 - 1, box.left + size.cx, middle + size.cy / 2 + 1};
                break;
        }
    }
    const bool close = std::max({std::abs(box.left), std::abs(box.right), std::abs(box.top), std::abs(box.bottom)}) <
                       kFarthestStampedLabel;
    const std::wstring wide = Wide(text);
    const bool stamped = close && StampHalo(cell, [&](HDC mask, int dx, int dy) {
                             RECT rect{box.left + dx, box.top + dy, box.right + dx, box.bottom + dy};
                             ::DrawTextW(mask, wide.data(), TextLength(wide), &rect, BoxFormat(placement));
                         });
    if (!stamped) Canvas::BoxTextHalo(box, text, placement);
}

int GdiCanvas::FontEscapement() const {
    LOGFONTW description{};
    const HGDIOBJ current = ::GetCurrentObject(dc_, OBJ_FONT);
    if (current == nullptr || ::GetObjectW(current, sizeof description, &description) == 0) return -1;
    return description.lfEscapement;
}

template <typename Draw>
bool GdiCanvas::StampHalo(const Rect& cell, Draw draw) {
    // Only a plain RGB colour, and only where the pixels are written directly.
    if (!writer_.Active() || !textColor_ || !IsPlainRgb(*textColor_)) return false;
    // Room for glyphs that overhang their cell, and a clear edge around them.
    constexpr int kMargin = 3;
    const Rect around{cell.left - kMargin, cell.top - kMargin, cell.right + kMargin, cell.bottom + kMargin};
    if (!PrepareMask(around.right - around.left, around.bottom - around.top)) return false;
    // The font stays the canvas's own; the mask DC borrows it until it
    // changes, as choosing a font for a DC costs more than drawing a label.
    const HGDIOBJ font = ::GetCurrentObject(dc_, OBJ_FONT);
    if (font != maskFont_) {
        maskFontGuard_ = SelectGuard();
        maskFontGuard_ = SelectGuard(maskDc_.get(), font);
        maskFont_ = font;
    }
    draw(maskDc_.get(), -around.left, -around.top);
    ::GdiFlush();  // the mask is read right below
    // The rows in use, as wide as the mask. Text on their edge may have run
    // past it: GDI outlines it then.
    const DibPixels used{mask_.bits, mask_.width, around.bottom - around.top};
    const SheetPixels mask(used.bits, used.width, used.height);
    const auto clear = [](std::span<const std::uint32_t> pixels) {
        return std::all_of(pixels.begin(), pixels.end(), [](std::uint32_t pixel) { return pixel == 0; });
    };
    if (!clear(mask.Row(0, 0, used.width)) || !clear(mask.Row(used.height - 1, 0, used.width))) return false;
    for (int y = 1; y + 1 < used.height; ++y) {
        if (mask.Row(y, 0, 1)[0] != 0 || mask.Row(y, used.width - 1, 1)[0] != 0) return false;
    }
    FinishLines();  // lines GDI still holds lie beneath the outline
    writer_.WriteOutline(used, around.left, around.top, DibPixel(*textColor_));
    return true;
}

bool GdiCanvas::PrepareMask(int width, int height) {
    if (!maskDc_) {
        UniqueMemoryDc dc(::CreateCompatibleDC(dc_));
        if (!dc) return false;
        ::SetBkMode(dc.get(), TRANSPARENT);
        ::SetTextColor(dc.get(), RGB(255, 255, 255));
        maskDc_ = std::move(dc);
    }
    if (width > mask_.width || height > mask_.height) {
        const int newWidth = std::max(width, mask_.width);
        const int newHeight = std::max(height, mask_.height);
        std::uint32_t* bits = nullptr;
        UniqueBitmap larger = CreateTopDownDib(maskDc_.get(), newWidth, newHeight, &bits);
        if (!larger) return false;
        maskBitmapGuard_ = SelectGuard();  // deselects the old bitmap freed below
        maskBitmap_ = std::move(larger);
        maskBitmapGuard_ = SelectGuard(maskDc_.get(), maskBitmap_.get());
        mask_ = {bits, newWidth, newHeight};
    }
    // Drawn as on the canvas's own DC: rotated text depends on the mode.
    ::SetGraphicsMode(maskDc_.get(), ::GetGraphicsMode(dc_));
    ::SetTextAlign(maskDc_.get(), ::GetTextAlign(dc_));
    SheetPixels(mask_.bits, mask_.width, mask_.height).Fill(0, mask_.width, height, 0);
    return true;
}

template <typename Change>
void GdiCanvas::ChangeFont(Change change) {
    const HGDIOBJ current = ::GetCurrentObject(dc_, OBJ_FONT);
    LOGFONTW description{};
    if (current == nullptr || ::GetObjectW(current, sizeof description, &description) == 0) return;
    if (!change(description)) return;
    UniqueFont font(::CreateFontIndirectW(&description));
    if (font) ReplaceFont(std::move(font));
}

void GdiCanvas::SetFontAngle(float degrees) {
    const LONG tenths = Nearest(static_cast<long double>(degrees) * 10);
    ChangeFont([tenths](LOGFONTW& description) {
        if (description.lfEscapement == tenths && description.lfOrientation == tenths) return false;
        description.lfEscapement = tenths;
        description.lfOrientation = tenths;
        return true;
    });
}

void GdiCanvas::SetFontHeight(int height) {
    // Positive: the cell height, internal leading included.
    ChangeFont([height](LOGFONTW& description) {
        if (description.lfHeight == height || height <= 0) return false;
        description.lfHeight = height;
        return true;
    });
}

void GdiCanvas::SetPenWidth(int width) { penWidth_ = std::max(width, 1); }

void GdiCanvas::SetPenColor(Color color) {
    if (pen_ && penColor_ == color) return;
    UniquePen pen(::CreatePen(PS_SOLID, 1, color));
    if (!pen) return;
    // Lines GDI holds keep the pen they were drawn with. The direct writes
    // keep their own colours, and the fill held beneath them stays held:
    // written with the next lines, it costs no pass of its own.
    if (!heldPathCounts_.empty()) FinishLines();
    Replace(pen_, penGuard_, std::move(pen));
    penColor_ = color;
}

void GdiCanvas::SetTextColor(Color color) {
    textColor_ = color;
    ::SetTextColor(dc_, color);
}

void GdiCanvas::Fill(const Rect& area, Color color) {
    if (HoldFill(area, color)) return;
    const UniqueBrush brush(::CreateSolidBrush(color));
    if (!brush) return;
    const RECT rect{area.left, area.top, area.right, area.bottom};
    BeforeGdiDraws();
    ::FillRect(dc_, &rect, brush.get());
}

void GdiCanvas::DrawIcon(FrameIcon picture, int x, int y) {
    if (icons_ == nullptr) return;
    BeforeGdiDraws();
    icons_->Draw(dc_, picture, x, y);
}

void GdiCanvas::AdoptFont(UniqueFont font) {
    if (font) ReplaceFont(std::move(font));
}

void GdiCanvas::ReplaceFont(UniqueFont font) {
    // The mask DC lets go of the old font before it is freed.
    maskFontGuard_ = SelectGuard();
    maskFont_ = nullptr;
    Replace(font_, fontGuard_, std::move(font));
}

}  // namespace lumetra
