// The size field: the leading side in device pixels or in the unit the
// guide shows, as the spin moves it and as the user types it.
#include <optional>
#include <string>

#include "lang/Format.h"
#include "lang/LangTable.h"
#include "lang/Texts.h"
#include "overlay/looks/Lengths.h"
#include "panel/PanelController.h"
#include "panel/PanelLists.h"

namespace lumetra {

std::int32_t PanelController::Leading() const {
    return settings_->LockWidth() ? settings_->Width() : settings_->Height();
}

void PanelController::SetLeading(std::int32_t value) {
    if (settings_->LockWidth()) {
        settings_->SetWidth(value);
    } else {
        settings_->SetHeight(value);
    }
}

std::optional<Unit> PanelController::SizeFieldUnit() const {
    const Unit unit = UnitOf(settings_->Units());
    if (unit == Unit::DevicePixels || unit == Unit::PerCent) return std::nullopt;
    return unit;
}

// Moving the spin rewrites the edit, which counts as a change of the field.
void PanelController::ShowSize(std::int32_t value) {
    const int position = size_.MoveTo(value);
    if (const std::optional<Unit> unit = SizeFieldUnit()) {
        shownSize_ =
            FormatLength(position, *unit, overlay_->MeasuringScale(settings_->LockWidth()), DecimalSeparator());
        view_.ShowSpinValue(PanelSpin::Size, position, shownSize_);
    } else {
        view_.ShowSpinPosition(PanelSpin::Size, position);
    }
    SizeEditChange();
}

TypedLength PanelController::TypedSize(const std::string& text, Unit unit) const {
    return ParseLength(text, unit, overlay_->MeasuringScale(settings_->LockWidth()), DecimalSeparator(),
                       UnitSymbolText(texts_, unit));
}

int PanelController::ReadSize(const std::string& text) {
    const std::optional<Unit> unit = SizeFieldUnit();
    if (!unit) return size_.ReadFrom(text);
    if (text == shownSize_) return size_.Position();
    const TypedLength typed = TypedSize(text, *unit);
    if (typed.error == LengthError::None && typed.pixels >= 0 && typed.pixels <= size_.Maximum()) {
        size_.MoveTo(typed.pixels);
    }
    return size_.Position();
}

std::int32_t PanelController::CommittedSize(const std::string& text, Unit unit) const {
    // The text as shown stands for the position shown.
    if (text == shownSize_) return size_.Position();
    const TypedLength typed = TypedSize(text, unit);
    if (typed.error != LengthError::None) {
        throw NotALengthError(
            FormatTemplate(texts_.Text(texts::MSNotALength), {text, UnitSymbolText(texts_, unit)}, DecimalSeparator()));
    }
    return typed.pixels;
}

bool PanelController::SizeSpinStep(int delta) {
    if (!SizeFieldUnit()) return false;
    ShowSize(ReadSize(view_.SpinText(PanelSpin::Size)) + delta);
    return true;
}

void PanelController::SizeEditKeyDown(FieldKey key) {
    if (key != FieldKey::Enter) {
        editsLive_ = false;
        return;
    }
    editsLive_ = true;
    CommitSize();
}

void PanelController::SizeEditExit() {
    editsLive_ = true;
    CommitSize();
}

void PanelController::CommitSize() {
    const std::string text = view_.SpinText(PanelSpin::Size);
    std::int32_t typed = 0;
    if (const std::optional<Unit> unit = SizeFieldUnit()) {
        typed = CommittedSize(text, *unit);
    } else if (const std::optional<std::int32_t> integer = TypedInteger(text)) {
        typed = *integer;
    } else {
        throw ConversionError(text);
    }
    if (typed >= size_.Maximum()) return;
    ShowSize(typed);
    const int position = size_.Position();
    if (position < size_.Maximum()) SetLeading(position);
}

void PanelController::SizeEditChange() {
    if (!editsLive_ || inSizeChange_) return;
    inSizeChange_ = true;
    const int position = ReadSize(view_.SpinText(PanelSpin::Size));
    if (position < size_.Maximum()) {
        SetLeading(position);
        overlay_->ApplySize();
        overlay_->RefreshLook();
    }
    inSizeChange_ = false;
}

void PanelController::WidthRadioClick() {
    if (settings_->LockWidth()) return;
    settings_->SetLockWidth(true);
    ShowSize(settings_->Width());
}

void PanelController::HeightRadioClick() {
    if (!settings_->LockWidth()) return;
    settings_->SetLockWidth(false);
    ShowSize(settings_->Height());
}

}  // namespace lumetra
