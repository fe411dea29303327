#include "settings/AppSettings.h"

#include <algorithm>
#include <cmath>

#include "common/Numbers.h"
#include "common/Text.h"
#include "units/Units.h"

namespace lumetra {

namespace {

// Every size, typed or derived, stays small enough for the window arithmetic.
std::int32_t ClampDimension(std::int32_t value) { return std::min(value, kMaxDimension); }

// The dimension that follows another through the ratio, before the cap.
std::int32_t Product(std::int32_t value, double ratio) { return Nearest(static_cast<long double>(value) * ratio); }
std::int32_t Quotient(std::int32_t value, double ratio) { return Nearest(static_cast<long double>(value) / ratio); }

std::int32_t Scaled(std::int32_t value, double ratio) { return ClampDimension(Product(value, ratio)); }
std::int32_t Divided(std::int32_t value, double ratio) { return ClampDimension(Quotient(value, ratio)); }

std::int32_t BoundedWidth(std::int32_t value) { return ClampDimension(std::max(value, kMinWidth)); }
// The smallest height is the one whose implied width is the minimum width.
std::int32_t BoundedHeight(std::int32_t value, double ratio) {
    return ClampDimension(static_cast<long double>(value) / ratio >= kMinWidth ? value : Scaled(kMinWidth, ratio));
}

// The largest value in [lo, hi] that `ok` accepts, `ok` holding for every
// value below an accepted one; lo when it accepts none.
template <class Accept>
std::int32_t LargestAccepted(std::int32_t lo, std::int32_t hi, Accept ok) {
    while (lo < hi) {
        const std::int32_t mid = lo + (hi - lo + 1) / 2;
        if (ok(mid))
            lo = mid;
        else
            hi = mid - 1;
    }
    return lo;
}

// A leading size moved as little as it takes for the size derived from it
// (which grows with it) to stay under the cap and at or above derivedMin,
// so the lock holds. Past a ratio of 16384:58 no size meets both; the
// leading size then stays as its own bounds made it.
template <class Derive>
std::int32_t FitLeading(std::int32_t lead, Derive derive, std::int32_t derivedMin) {
    const auto underCap = [&](std::int32_t v) { return derive(v) <= kMaxDimension; };
    const std::int32_t highest = LargestAccepted(1, kMaxDimension, underCap);
    if (!underCap(highest) || derive(highest) < derivedMin) return lead;
    const auto belowMin = [&](std::int32_t v) { return derive(v) < derivedMin; };
    const std::int32_t lowest = belowMin(1) ? LargestAccepted(1, highest, belowMin) + 1 : 1;
    return std::clamp(lead, lowest, highest);
}

}  // namespace

// Which values are shared is the key table's to say: every other member takes
// all of them. A member that takes a new value passes it on in turn, and one
// that holds it already stops at its setter's first check, so this ends after
// one round.
void TSettings::ShareWithGroup() const {
    if (!group_) return;
    for (TSettings* other : *group_) {
        if (other != this) other->CopySharedFrom(*this);
    }
}

void TSettings::CopyFrom(const TSettings& other) {
    IOverlaySink* const overlay = overlay_;
    IPanelSink* const panel = panel_;
    const std::vector<TSettings*>* const group = group_;
    *this = other;
    overlay_ = overlay;
    panel_ = panel;
    group_ = group;
}

void TSettings::DeriveFollowingDimension() {
    if (lockWidth_) {
        height_ = Scaled(width_, ratio_);
    } else {
        width_ = Divided(height_, ratio_);
    }
}

void TSettings::EndFollowing() {
    if (!followPicture_) return;
    followPicture_ = false;
    NotifyOptions();
}

void TSettings::NotifyOptions() {
    if (overlay_) overlay_->RefreshOptions();
    if (panel_) panel_->UpdateOptions();
}

void TSettings::NotifySize() {
    if (overlay_) overlay_->ApplySize();
    if (panel_) panel_->UpdateSizeField();
}

void TSettings::NotifyLook(void (IPanelSink::*update)()) {
    if (overlay_) overlay_->RefreshLook();
    if (panel_) (panel_->*update)();
}

void TSettings::MeasuringChanged() { NotifyLook(&IPanelSink::UpdateSizeField); }

void TSettings::SetBorder(std::int32_t value) {
    // Stored even when equal: nobody is told about the border.
    border_ = std::clamp(value, 0, kMaxBorder);
}

void TSettings::SetSFrame(bool value) {
    if (value == sFrame_) return;
    sFrame_ = value;
    NotifyOptions();
}

void TSettings::SetGridSize(std::int32_t value) {
    if (value == gridSize_) return;
    // The upper bound keeps GridSize plus a step inside 32 bits.
    gridSize_ = std::clamp(value, kMinGridSize, kMaxGridSize);
    NotifyLook(&IPanelSink::UpdateGridSize);
}

void TSettings::SetLang(const std::string& value) {
    if (value == lang_) return;
    lang_ = value;
    // The panel loads the texts first, so the overlay redraws with them.
    if (panel_) panel_->ReloadLanguage();
    if (overlay_) overlay_->RefreshLanguage();
    ShareWithGroup();
}

void TSettings::SetLinesColor(Color value) {
    if (value == linesColor_) return;
    linesColor_ = value;
    NotifyLook(&IPanelSink::UpdateColors);
}

void TSettings::SetLock(bool value) {
    if (value == lock_) return;
    lock_ = value;
    EndFollowing();
    if (panel_) panel_->UpdateLock();
}

void TSettings::SetLockWidth(bool value) {
    if (value == lockWidth_) return;
    lockWidth_ = value;
    if (panel_) panel_->UpdateLock();
}

void TSettings::SetLookMode(std::int32_t value) {
    const std::int64_t file = std::int64_t{value} - kBuiltInLookCount;
    const bool isFile = file >= 0 && file < static_cast<std::int64_t>(userLooks_.size());
    lookFile_ = isFile ? userLooks_[static_cast<std::size_t>(file)] : std::string();
    if (value == lookMode_) return;
    lookMode_ = value;
    NotifyLook(&IPanelSink::UpdateLook);
}

void TSettings::SetMouseResizeAllowed(bool value) {
    if (value == mouseResizeAllowed_) return;
    mouseResizeAllowed_ = value;
    NotifyOptions();
    ShareWithGroup();
}

void TSettings::SetMouseWheelAllowed(bool value) {
    if (value == mouseWheelAllowed_) return;
    mouseWheelAllowed_ = value;
    NotifyOptions();
    ShareWithGroup();
}

void TSettings::SetMoveUsingGrid(bool value) {
    if (value == moveUsingGrid_) return;
    moveUsingGrid_ = value;
    NotifyOptions();
    ShareWithGroup();
}

void TSettings::SetOpacity(std::int32_t value) {
    if (value == opacity_) return;
    if (value < 0 || value > 100) return;
    opacity_ = value;
    if (overlay_) overlay_->ApplyOpacity();
    if (panel_) panel_->UpdateOpacity();
}

void TSettings::SetOrientMode(std::int32_t value) {
    if (value == orientMode_) return;
    orientMode_ = value;
    NotifyLook(&IPanelSink::UpdateOrientation);
}

void TSettings::SetRatio(double value) {
    // An unordered comparison counts as equal.
    if (!(value < ratio_ || value > ratio_)) return;
    // A ratio that is not a positive finite number would make the height-led
    // rules divide by zero or yield meaningless sizes: it is ignored.
    if (!std::isfinite(value) || !(value > 0.0)) return;
    ratio_ = value;
    // Derived sizes are not raised to the minimum width.
    if (lock_) DeriveFollowingDimension();
    EndFollowing();
    if (overlay_) overlay_->ApplySize();
    if (panel_) panel_->UpdateRatio();
}

void TSettings::SetSettingsOpacity(bool value) {
    if (value == settingsOpacity_) return;
    settingsOpacity_ = value;
    NotifyOptions();
    ShareWithGroup();
}

void TSettings::SetClickThrough(bool value) {
    if (value == clickThrough_) return;
    clickThrough_ = value;
    NotifyOptions();
}

void TSettings::SetFollowPicture(bool value) {
    if (value == followPicture_) return;
    followPicture_ = value;
    NotifyOptions();
}

void TSettings::SetPlacement(const GuidePlacement& placement) {
    const std::int32_t width = width_;
    const std::int32_t height = height_;
    const double ratio = ratio_;
    const bool lock = lock_;
    // Unlocked, each size is taken as it stands; the ratio goes first, as the
    // smallest height allowed depends on it.
    if (std::isfinite(placement.ratio) && placement.ratio > 0.0) ratio_ = placement.ratio;
    width_ = BoundedWidth(placement.width);
    height_ = BoundedHeight(placement.height, ratio_);
    lock_ = placement.lock;
    if (lock_) DeriveFollowingDimension();
    if (overlay_) overlay_->ApplyPlacement({placement.position, width_, height_, ratio_, lock_});
    if (!panel_) return;
    if (lock_ != lock) panel_->UpdateLock();
    if (ratio_ != ratio) panel_->UpdateRatio();
    if (width_ != width || height_ != height) panel_->UpdateSizeField();
}

void TSettings::SetSaveFolder(const std::string& value) {
    constexpr std::size_t kLongestFolder = 1024;
    if (value == saveFolder_ || value.size() > kLongestFolder) return;
    for (const char c : value) {
        if (static_cast<unsigned char>(c) < 32) return;
    }
    saveFolder_ = value;
    ShareWithGroup();
}

void TSettings::SetHideFromCapture(bool value) {
    if (value == hideFromCapture_) return;
    hideFromCapture_ = value;
    NotifyOptions();
    ShareWithGroup();
}

void TSettings::SetHotKey(HotKeyCommand command, HotKey value) {
    if (!value.Empty() && !AcceptsHotKey(value)) return;
    HotKey& held = hotKeys_[static_cast<std::size_t>(command)];
    if (value == held) return;
    held = value;
    NotifyOptions();
    ShareWithGroup();
}

void TSettings::SetShowHints(bool value) {
    if (value == showHints_) return;
    showHints_ = value;
    NotifyOptions();
    ShareWithGroup();
}

void TSettings::SetShowValues(bool value) {
    if (value == showValues_) return;
    showValues_ = value;
    NotifyOptions();
}

void TSettings::SetValuesColor(Color value) {
    if (value == valuesColor_) return;
    valuesColor_ = value;
    NotifyLook(&IPanelSink::UpdateColors);
}

void TSettings::SetWidth(std::int32_t value) {
    if (value == width_) return;
    const std::int32_t v = BoundedWidth(value);
    const std::int32_t before = width_;
    if (!lock_) {
        width_ = v;
    } else if (lockWidth_) {
        width_ = FitLeading(
            v, [this](std::int32_t w) { return Product(w, ratio_); }, 0);
        height_ = Scaled(width_, ratio_);
    }
    // With the height leading the width follows it: nothing is stored, but
    // both windows still show the unchanged size again.
    if (width_ != before) EndFollowing();
    NotifySize();
}

void TSettings::SetHeight(std::int32_t value) {
    if (value == height_) return;
    const std::int32_t v = BoundedHeight(value, ratio_);
    const std::int32_t before = height_;
    if (!lock_) {
        height_ = v;
    } else if (!lockWidth_) {
        height_ = FitLeading(
            v, [this](std::int32_t h) { return Quotient(h, ratio_); }, kMinWidth);
        width_ = Divided(height_, ratio_);
    }
    if (height_ != before) EndFollowing();
    NotifySize();
}

void TSettings::SetLineWidth(std::int32_t value) {
    const std::int32_t v = std::clamp(value, kMinLineWidth, kMaxLineWidth);
    if (v == lineWidth_) return;
    lineWidth_ = v;
    NotifyLook(&IPanelSink::UpdateColors);
}

void TSettings::SetHalo(bool value) {
    if (value == halo_) return;
    halo_ = value;
    NotifyLook(&IPanelSink::UpdateColors);
}

void TSettings::SetHaloColor(Color value) {
    const Color v = (value & 0xFF000000u) == 0 ? value : kAutoHaloColor;
    if (v == haloColor_) return;
    haloColor_ = v;
    NotifyLook(&IPanelSink::UpdateColors);
}

void TSettings::SetLabelSize(std::int32_t value) {
    const std::int32_t v = value == kAutoLabelSize ? value : std::clamp(value, kMinLabelSize, kMaxLabelSize);
    if (v == labelSize_) return;
    labelSize_ = v;
    NotifyLook(&IPanelSink::UpdateColors);
}

void TSettings::SetUnits(std::int32_t value) {
    if (value == units_ || value < 0 || value >= kUnitCount) return;
    units_ = value;
    // The panel shows the unit in its list and in the size field.
    NotifyLook(&IPanelSink::UpdateOptions);
    if (panel_) panel_->UpdateSizeField();
    ShareWithGroup();
}

void TSettings::SetCalibration(const std::string& identity, const Calibration& calibration) {
    if (!IsMonitorIdentity(identity) || calibration.Empty()) return;
    const auto known = calibrations_.find(identity);
    if (known == calibrations_.end() && calibrations_.size() >= kMostCalibrations) return;
    if (known != calibrations_.end() && known->second == calibration) return;
    calibrations_[identity] = calibration;
    // Every read-out in a physical unit measures anew; the panel says the
    // monitor's size is known now.
    NotifyLook(&IPanelSink::UpdateOptions);
    ShareWithGroup();
}

void TSettings::NextUnits() { SetUnits(units_ + 1 >= kUnitCount ? 0 : units_ + 1); }

void TSettings::NextLookMode() { SetLookMode(lookMode_ >= LookCount() - 1 ? 0 : lookMode_ + 1); }

void TSettings::SetUserLooks(std::vector<std::string> fileNames) {
    userLooks_ = std::move(fileNames);
    if (lookFile_.empty()) {
        SetLookMode(lookMode_);  // a look that is a file now names it
        return;
    }
    const auto same = [this](const std::string& name) { return EqualsIgnoringAsciiCase(name, lookFile_); };
    const auto found = std::find_if(userLooks_.begin(), userLooks_.end(), same);
    SetLookMode(found == userLooks_.end() ? kFactoryLookMode
                                          : kBuiltInLookCount + static_cast<std::int32_t>(found - userLooks_.begin()));
}

void TSettings::NextOrientMode() { SetOrientMode(orientMode_ >= 3 ? 0 : orientMode_ + 1); }

void TSettings::ApplyLock() {
    const std::int32_t width = width_;
    const std::int32_t height = height_;
    if (lock_) DeriveFollowingDimension();
    if (width_ != width || height_ != height) EndFollowing();
    if (overlay_) overlay_->ApplySize();
}

void TSettings::StoreOverlayPosition(std::int32_t x, std::int32_t y) {
    x_ = x;
    y_ = y;
}

void TSettings::StorePanelState(std::int32_t sx, std::int32_t sy, bool visible, std::int32_t page) {
    if (sx == sx_ && sy == sy_ && visible == sVisible_ && page == sPage_) return;
    sx_ = sx;
    sy_ = sy;
    sVisible_ = visible;
    sPage_ = page;
    ShareWithGroup();
}

}  // namespace lumetra
