#include "overlay/input/Interaction.h"

#include <array>
#include <cstddef>

#include "lang/LangTable.h"
#include "lang/Texts.h"
#include "overlay/compose/Compose.h"
#include "settings/AppSettings.h"

namespace lumetra {

namespace {

// Indexed by HitZone, OrientButton to CloseButton, as the strip's buttons are.
constexpr std::array<TextKey, kCaptionButtonCount> kButtonHints{
    texts::MOrientButtonHint, texts::MLookButtonHint,     texts::MSettingsButtonHint,
    texts::MHelpButtonHint,   texts::MMinimizeButtonHint, texts::MCloseButtonHint,
};

constexpr bool IsButton(HitZone zone) { return zone <= HitZone::CloseButton; }

std::size_t ButtonIndex(HitZone zone) { return static_cast<std::size_t>(zone); }

bool Contains(const Rect& r, int x, int y) { return r.left <= x && x < r.right && r.top <= y && y < r.bottom; }

int Sign(int value) { return value > 0 ? 1 : value < 0 ? -1 : 0; }

}  // namespace

HitZone ZoneAt(int x, int y, int fw, int fh, bool press, int dpi) {
    const CaptionStrip strip = CaptionStripAt(dpi);
    for (std::size_t i = 0; i < kCaptionButtonCount; ++i) {
        if (Contains(strip.ButtonZone(i, fw), x, y)) return static_cast<HitZone>(i);
    }
    const int tl = strip.topLeftGrip;
    const int br = strip.bottomRightGrip;
    if (HitTest(x, y, 0, 0, tl, tl)) return HitZone::TopLeftGrip;
    if (HitTest(x, y, fw - br, fh - br, br, br)) return HitZone::BottomRightGrip;
    if (press && HitTest(x, y, 0, 0, fw, strip.captionBand)) return HitZone::CaptionBand;
    return HitZone::Body;
}

OverlayInteraction::OverlayInteraction(TSettings& settings, const LangTable& texts, IOverlayWindow& window)
    : settings_(settings), texts_(texts), window_(window) {}

void OverlayInteraction::FormMouseDown(MouseButton button, ShiftState state, int x, int y) {
    // A click-through guide is meant to take no mouse input; should the
    // system still hand it some, it is dropped.
    if (settings_.ClickThrough()) return;
    const bool left = button == MouseButton::Left;
    switch (ZoneAt(x, y, window_.FormWidth(), window_.FormHeight(), true, window_.Dpi())) {
        case HitZone::TopLeftGrip:
            if (settings_.MouseResizeAllowed()) {
                resizeMode_ = left ? ResizeDrag::TopLeft : ResizeDrag::TopLeftCentred;
                window_.SetCursorOverride(CursorShape::SizeNWSE);
            } else {
                moving_ = true;
            }
            StartCapture(x, y);
            break;
        case HitZone::BottomRightGrip:
            if (settings_.MouseResizeAllowed()) {
                window_.SetCursorOverride(CursorShape::SizeNWSE);
                resizeMode_ = left ? ResizeDrag::BottomRight : ResizeDrag::BottomRightCentred;
            } else if (settings_.MoveUsingGrid()) {
                moving_ = true;
            }
            StartCapture(x, y);
            break;
        case HitZone::CaptionBand:
            if (left) {
                moving_ = true;
                StartCapture(x, y);
            }
            RunPressShortcut(state);
            break;
        case HitZone::Body:
            if (left) {
                if (settings_.MoveUsingGrid()) moving_ = true;
                StartCapture(x, y);
            }
            if (settings_.MoveUsingGrid()) RunPressShortcut(state);
            break;
        default: break;  // caption buttons act on release
    }
}

void OverlayInteraction::StartCapture(int x, int y) {
    anchorX_ = x;
    anchorY_ = y;
    window_.CaptureMouse();
    mouseCaptured_ = true;
}

void OverlayInteraction::RunPressShortcut(ShiftState state) {
    if (state.Has(Held::Right))
        ActionOrient();
    else if (state.Has(Held::Middle))
        ActionLook();
}

void OverlayInteraction::FormMouseMove(int x, int y) {
    // A drag begun before click-through came on runs to its release.
    if (settings_.ClickThrough() && !moving_ && resizeMode_ == ResizeDrag::None) return;
    if (resizeMode_ == ResizeDrag::None)
        Hover(x, y);
    else
        ResizeStep(x, y);
}

void OverlayInteraction::ResizeStep(int x, int y) {
    if (x == anchorX_ && y == anchorY_) return;
    const int w = settings_.Width();
    const int h = settings_.Height();
    const int b = settings_.Border();
    const Point at = window_.Position();
    const CaptionStrip strip = CaptionStripAt(window_.Dpi());
    const bool lock = settings_.Lock();
    const bool widthLeads = settings_.LockWidth();
    // Unlocked, both dimensions follow the pointer, the width first.
    const bool changeWidth = !lock || widthLeads;
    const bool changeHeight = !lock || !widthLeads;

    switch (resizeMode_) {
        case ResizeDrag::TopLeft: {
            const Point origin = MeasuredOrigin(at, b, strip);
            const int right = origin.x + w;
            const int bottom = origin.y + h;
            if (changeWidth) settings_.SetWidth(w + anchorX_ - x);
            if (changeHeight) settings_.SetHeight(h + anchorY_ - y);
            window_.SetPosition(WindowTopLeftFor({right - settings_.Width(), bottom - settings_.Height()}, b, strip));
            break;
        }
        case ResizeDrag::TopLeftCentred: {
            const Point centre = ContentCentre(at, w, h, b, strip);
            if (changeWidth) settings_.SetWidth(w + 2 * (anchorX_ - x));
            if (changeHeight) settings_.SetHeight(h + 2 * (anchorY_ - y));
            window_.SetPosition(
                WindowTopLeftFor({centre.x - settings_.Width() / 2, centre.y - settings_.Height() / 2}, b, strip));
            break;
        }
        case ResizeDrag::BottomRight:
            if (lock) {
                // With the height leading it is still the horizontal movement
                // that drives it.
                const int d = x - anchorX_;
                if (widthLeads)
                    settings_.SetWidth(w + d);
                else
                    settings_.SetHeight(h + d);
                anchorX_ += d;
                anchorY_ += d;
            } else {
                settings_.SetWidth(w + x - anchorX_);
                settings_.SetHeight(h + y - anchorY_);
                anchorX_ = x;
                anchorY_ = y;
            }
            break;
        case ResizeDrag::BottomRightCentred: {
            const Point centre = ContentCentre(at, w, h, b, strip);
            if (lock) {
                const int e = widthLeads ? anchorX_ - x : anchorY_ - y;
                if (widthLeads)
                    settings_.SetWidth(w - 2 * e);
                else
                    settings_.SetHeight(h - 2 * e);
                anchorX_ -= 2 * e;
                anchorY_ -= 2 * e;
            } else {
                settings_.SetWidth(w - 2 * (anchorX_ - x));
                settings_.SetHeight(h - 2 * (anchorY_ - y));
                // The window grew on both sides, so the pointer's place in it
                // moved twice as far.
                anchorX_ = 2 * x - anchorX_;
                anchorY_ = 2 * y - anchorY_;
            }
            window_.SetPosition(
                WindowTopLeftFor({centre.x - settings_.Width() / 2, centre.y - settings_.Height() / 2}, b, strip));
            break;
        }
        case ResizeDrag::None: return;
    }
    StopFollowing();
    window_.ApplySize();
}

void OverlayInteraction::StopFollowing() { settings_.SetFollowPicture(false); }

void OverlayInteraction::Hover(int x, int y) {
    const HitZone zone = ZoneAt(x, y, window_.FormWidth(), window_.FormHeight(), false, window_.Dpi());
    if (IsButton(zone)) {
        HighlightButton(zone);
        return;
    }
    if (zone == HitZone::TopLeftGrip || zone == HitZone::BottomRightGrip) {
        if (settings_.MouseResizeAllowed()) window_.SetFormCursor(CursorShape::SizeNWSE);
        return;
    }
    window_.SetFormCursor(CursorShape::Arrow);
    if (buttonHighlighted_) {
        window_.DrawButtonStrip();
        buttonHighlighted_ = false;
    }
    if (moving_) {
        const Point at = window_.Position();
        if (x != anchorX_ || y != anchorY_) StopFollowing();
        window_.SetPosition({at.x + x - anchorX_, at.y + y - anchorY_});
    } else {
        window_.ClearHintText();
        window_.HideHint();
    }
}

void OverlayInteraction::HighlightButton(HitZone button) {
    // Redrawing the strip first returns every other face to its normal look.
    window_.DrawButtonStrip();
    const Rect zone = CaptionStripAt(window_.Dpi()).ButtonZone(ButtonIndex(button), window_.FormWidth());
    window_.FillButtonFace({zone.left, zone.top}, button == HitZone::CloseButton ? kCloseHighlight : kButtonHighlight);
    buttonHighlighted_ = true;
    window_.SetFormCursor(CursorShape::Hand);
    window_.SetHintText(texts_.Text(kButtonHints[ButtonIndex(button)]));
}

void OverlayInteraction::FormMouseUp(int x, int y) {
    // Every release ends the drag, also one over a button: the mouse is no
    // longer captured, so a drag left running would keep following a pointer
    // whose button is up.
    EndDrag();
    const HitZone zone = ZoneAt(x, y, window_.FormWidth(), window_.FormHeight(), false, window_.Dpi());
    if (IsButton(zone)) RunButton(zone);
}

void OverlayInteraction::ButtonsUp() {
    if (mouseCaptured_ || moving_ || resizeMode_ != ResizeDrag::None) EndDrag();
}

void OverlayInteraction::EndDrag() {
    window_.ClearCursorOverride();
    if (mouseCaptured_) {
        mouseCaptured_ = false;
        window_.ReleaseMouse();
    }
    resizeMode_ = ResizeDrag::None;
    moving_ = false;
}

void OverlayInteraction::CaptureLost() {
    // Our own release of the capture has cleared the flag already.
    if (!mouseCaptured_) return;
    mouseCaptured_ = false;
    resizeMode_ = ResizeDrag::None;
    moving_ = false;
    window_.ClearCursorOverride();
}

void OverlayInteraction::RunButton(HitZone button) {
    switch (button) {
        case HitZone::OrientButton: ActionOrient(); break;
        case HitZone::LookButton: ActionLook(); break;
        case HitZone::SettingsButton: ActionShowSettings(); break;
        case HitZone::HelpButton: window_.ShellOpen(kManualPath); break;
        case HitZone::MinimizeButton: ActionMinimize(); break;
        case HitZone::CloseButton: ActionExit(); break;
        default: break;
    }
}

void OverlayInteraction::TopMoved(int dy) { anchorY_ -= dy; }

void OverlayInteraction::FormMouseWheel(ShiftState state, int delta) {
    // The wheel may go to the focused window rather than to the one under
    // the pointer: a focused click-through guide still keeps its size.
    if (!settings_.MouseWheelAllowed() || settings_.ClickThrough()) return;
    const int sign = Sign(delta);
    if (state == ShiftState{Held::Alt}) {
        // One notch of 120 is 8 percent.
        settings_.SetOpacity(settings_.Opacity() + delta / 15);
        window_.ApplyOpacity();
    } else if (state == ShiftState{Held::Ctrl}) {
        ResizeLeading(-sign);
    } else if (state == ShiftState{Held::Shift}) {
        if (settings_.LookMode() == 0) {
            settings_.SetGridSize(settings_.GridSize() + sign);
            window_.ScheduleRepaint();
        }
    } else {
        ResizeLeading(-10 * sign);
    }
}

// The dimension LockWidth names leads, also while the lock is off.
void OverlayInteraction::ResizeLeading(int delta) {
    StopFollowing();
    if (settings_.LockWidth())
        settings_.SetWidth(settings_.Width() + delta);
    else
        settings_.SetHeight(settings_.Height() + delta);
}

void OverlayInteraction::FormKeyDown(VirtualKey key, ShiftState state) {
    const int step = state.Has(Held::Ctrl) ? 1 : 16;
    if (key == VirtualKey::S && state == ShiftState{Held::Ctrl, Held::Shift}) {
        window_.SaveGuideLayer();
        return;
    }
    if (key == VirtualKey::F && state == ShiftState{Held::Shift}) {
        window_.FitAndFollow();
        return;
    }
    if (state.Has(Held::Shift)) {
        if (key == VirtualKey::Add)
            settings_.SetGridSize(settings_.GridSize() + step);
        else if (key == VirtualKey::Subtract)
            settings_.SetGridSize(settings_.GridSize() - step);
        return;
    }
    const Point at = window_.Position();
    switch (key) {
        case VirtualKey::Return: ActionLook(); break;
        case VirtualKey::Space: ActionOrient(); break;
        case VirtualKey::Left:
            StopFollowing();
            window_.SetPosition({at.x - step, at.y});
            break;
        case VirtualKey::Right:
            StopFollowing();
            window_.SetPosition({at.x + step, at.y});
            break;
        case VirtualKey::Up:
            StopFollowing();
            window_.SetPosition({at.x, at.y - step});
            break;
        case VirtualKey::Down:
            StopFollowing();
            window_.SetPosition({at.x, at.y + step});
            break;
        case VirtualKey::Multiply:
        case VirtualKey::F4: ActionFrame(); break;
        case VirtualKey::Add:
            ResizeLeading(step);
            window_.ApplySize();
            break;
        case VirtualKey::Subtract:
            ResizeLeading(-step);
            window_.ApplySize();
            break;
        case VirtualKey::Divide:
        case VirtualKey::F3: window_.MakeFullyTransparent(); break;
        case VirtualKey::F1: window_.ShellOpen(kManualPath); break;
        case VirtualKey::F2: ActionShowSettings(); break;
        case VirtualKey::F:
            if (state == ShiftState{}) window_.FitToPicture();
            break;
        case VirtualKey::N:
            if (state == ShiftState{Held::Ctrl}) ActionNewGuide();
            break;
        case VirtualKey::Z:
            if (state == ShiftState{Held::Ctrl}) {
                StopFollowing();
                window_.UndoFit();
            }
            break;
        case VirtualKey::C:
            if (state == ShiftState{Held::Ctrl}) window_.CopyComposition();
            break;
        case VirtualKey::S:
            if (state == ShiftState{Held::Ctrl}) window_.SaveComposition();
            break;
        case VirtualKey::R:
            if (state == ShiftState{}) window_.ShowPictureRatio();
            break;
        case VirtualKey::U:
            if (state == ShiftState{}) settings_.NextUnits();
            break;
        case VirtualKey::Other: break;
    }
}

void OverlayInteraction::FormKeyUp(VirtualKey key) {
    if (key == VirtualKey::Divide || key == VirtualKey::F3) window_.ApplyOpacity();
}

void OverlayInteraction::ActionOrient() {
    settings_.NextOrientMode();
    window_.PaintNow();
}

void OverlayInteraction::ActionLook() {
    settings_.NextLookMode();
    window_.PaintNow();
}

void OverlayInteraction::ActionFrame() {
    settings_.SetSFrame(!settings_.SFrame());
    window_.PaintNow();
}

void OverlayInteraction::ActionShowSettings() { window_.ToggleSettingsPanel(); }

void OverlayInteraction::ActionMinimize() { window_.MinimizeApplication(); }

void OverlayInteraction::ActionExit() { window_.CloseOverlay(); }

void OverlayInteraction::ActionNewGuide() { window_.NewGuide(); }

}  // namespace lumetra
