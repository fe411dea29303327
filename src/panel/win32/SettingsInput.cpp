// The settings panel's input: its keys, its controls' notifications and the
// messages of the controls it subclasses, each handed to the controller.
#include "win32/Win32.h"
// After the platform header, which it needs.
#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <exception>
#include <string>

#include "overlay/win32/PanelWindow.h"
#include "panel/PanelLists.h"
#include "panel/win32/HotKeyControl.h"
#include "panel/win32/OwnerDrawn.h"
#include "panel/win32/SettingsFrm.h"
#include "win32/WideText.h"
#include "panel/win32/SettingsIds.h"
#include "settings/SettingsFile.h"
#include "win32/ApplicationCursor.h"
#include "win32/CommonControls.h"
#include "win32/ErrorBox.h"

namespace lumetra {
namespace {

std::string ComboItemText(HWND combo, int index) {
    const LRESULT length = ::SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return Utf8(text);
}

int ComboSelection(HWND combo) { return static_cast<int>(::SendMessageW(combo, CB_GETCURSEL, 0, 0)); }

bool IsChecked(HWND checkBox) { return ::SendMessageW(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED; }

}  // namespace

// ---- keys ------------------------------------------------------------------

bool TSettingsForm::PreTranslateMessage(MSG& message) {
    const HWND window = window_.get();
    if (window == nullptr || (message.hwnd != window && !::IsChild(window, message.hwnd))) return false;
    if (message.message == WM_KEYDOWN) {
        // A hot-key control takes the panel's own keys as part of a combination.
        const bool panelKeys = !HotKeyCommandOf(message.hwnd);
        try {
            if ((panelKeys && FormKeyDown(message.wParam)) || FieldKeyDown(message.hwnd, message.wParam)) return true;
        } catch (const std::exception& error) {
            ShowErrorBox(error.what());
            return true;
        }
    }
    return ::IsDialogMessageW(window, &message) != FALSE;
}

bool TSettingsForm::FormKeyDown(WPARAM key) {
    switch (key) {
        case VK_F1: OpenManual(); return true;
        case VK_F2:
            ToggleVisible();  // the overlay's settings action: it hides the panel
            return true;
        case VK_F3: current_->ApplyOpacity(); return true;
        default: return false;
    }
}

// The fields' own keys, seen before the field gets them. Enter is theirs;
// Tab stays with the dialog navigation.
bool TSettingsForm::FieldKeyDown(HWND target, WPARAM key) {
    if (key == VK_TAB) return false;
    if (const std::optional<HotKeyCommand> command = HotKeyCommandOf(target)) {
        // Backspace empties the control: the command has no hot key then.
        if (key != VK_BACK) return false;
        controller_.HotKeyClear(*command);
        return true;
    }
    const FieldKey fieldKey = key == VK_RETURN ? FieldKey::Enter : FieldKey::Other;
    if (target == sizeEdit_) {
        controller_.SizeEditKeyDown(fieldKey);
    } else if (target == gridEdit_) {
        controller_.GridSizeEditKeyDown(fieldKey);
    } else if (target == lineWidthEdit_ && fieldKey == FieldKey::Enter) {
        controller_.LineWidthEditDone();
    } else if ((target == knownWidthEdit_ || target == knownHeightEdit_) && fieldKey == FieldKey::Enter) {
        calibration_.ConfirmClick(files_.Platform().DecimalSeparator());
    } else if (::GetParent(target) == ratioBox_ && fieldKey == FieldKey::Enter) {
        const int selection = ComboSelection(ratioBox_);
        controller_.RatioComboBoxEnter(selection, ComboItemText(ratioBox_, selection), WindowText(ratioBox_));
        return false;  // the box closes its open list on Enter
    } else {
        return false;
    }
    return fieldKey == FieldKey::Enter;
}

// ---- control notifications -------------------------------------------------

void TSettingsForm::FormCommand(int id, int code, HWND control) {
    if (!started_) return;
    if (const std::optional<HotKeyCommand> command = HotKeyCommandOf(control)) {
        if (code == EN_CHANGE && !showing_) controller_.HotKeyChange(*command, HotKeyControlValue(control));
        return;
    }
    // Each control answers one notification; a field the panel fills itself
    // while showing the settings changes nothing.
    const auto source = static_cast<Id>(id);
    if (code == BN_CLICKED) ButtonClick(source, control);
    if (code == CBN_SELCHANGE) ListSelect(source);
    if (code == EN_CHANGE && !showing_) FieldChange(source);
}

// A button, a check box or a radio button was clicked.
void TSettingsForm::ButtonClick(Id id, HWND control) {
    switch (id) {
        case Id::WidthRadio: controller_.WidthRadioClick(); return;
        case Id::HeightRadio: controller_.HeightRadioClick(); return;
        case Id::LockCheckBox: controller_.LockCheckBoxClick(IsChecked(control)); return;
        case Id::HaloCheckBox: controller_.HaloCheckBoxClick(IsChecked(control)); return;
        case Id::ClickThroughCheckBox: controller_.ClickThroughCheckBoxClick(IsChecked(control)); return;
        case Id::StartWithWindowsCheckBox: controller_.StartWithWindowsCheckBoxClick(IsChecked(control)); return;
        case Id::FollowCheckBox: controller_.FollowCheckBoxClick(IsChecked(control)); return;
        case Id::CaptureCheckBox: controller_.CaptureCheckBoxClick(IsChecked(control)); return;
        case Id::RestoreButton: controller_.RestoreButtonClick(); return;
        case Id::CalibrateBtn: calibration_.CalibrateClick(files_.Platform().DecimalSeparator()); return;
        case Id::CalibrateCardBtn: calibration_.CardClick(files_.Platform().DecimalSeparator()); return;
        case Id::ConfirmCalibrationBtn: calibration_.ConfirmClick(files_.Platform().DecimalSeparator()); return;
        case Id::DevWebBtn: links_.OpenWebPage(WebPage::Home); return;
        case Id::AskSupportBtn: links_.OpenWebPage(WebPage::Service); return;
        case Id::CheckForUpdatesBtn: links_.OpenWebPage(WebPage::Download); return;
        case Id::HelpBtn: OpenManual(); return;
        case Id::NewGuideBtn: current_->NewGuide(); return;
        case Id::FitPictureBtn: current_->FitToPictureAtCentre(); return;
        case Id::CopyCompositionBtn: current_->CopyComposition(); return;
        default: return;
    }
}

// A closed list was given another item.
void TSettingsForm::ListSelect(Id id) {
    switch (id) {
        case Id::RatioComboBox: {
            const int index = ComboSelection(ratioBox_);
            controller_.RatioComboBoxSelect(index, ComboItemText(ratioBox_, index));
            return;
        }
        case Id::LookComboBox: controller_.LookComboBoxChange(ComboSelection(lookBox_)); return;
        case Id::OrientationComboBox: controller_.OrientationComboBoxChange(ComboSelection(orientationBox_)); return;
        case Id::LinesColorBox: ColorBoxChange(PanelColorBox::Lines); return;
        case Id::ValuesColorBox: ColorBoxChange(PanelColorBox::Values); return;
        case Id::HaloColorBox: ColorBoxChange(PanelColorBox::Halo); return;
        case Id::LabelSizeComboBox: controller_.LabelSizeComboBoxChange(ComboSelection(labelSizeBox_)); return;
        case Id::UnitsComboBox: controller_.UnitsComboBoxChange(ComboSelection(unitsBox_)); return;
        case Id::LangComboBox:
            controller_.LangComboBoxChange(ComboItemText(langBox_, ComboSelection(langBox_)));
            return;
        default: return;
    }
}

// The user typed into a field.
void TSettingsForm::FieldChange(Id id) {
    switch (id) {
        case Id::SizeEdit: controller_.SizeEditChange(); return;
        case Id::GridSizeEdit: controller_.GridSizeEditChange(); return;
        case Id::LineWidthEdit: controller_.LineWidthEditChange(); return;
        default: return;
    }
}

// The tab control's page change, and the size field's spin steps while the
// field shows a unit: the spin control would write its position, a pixel
// count, into the field, so the controller takes the step and the control's
// own is refused.
LRESULT TSettingsForm::FormNotify(const NMHDR& header) {
    if (header.hwndFrom == tabs_ && header.code == TCN_SELCHANGE) {
        PageControlChange();
    } else if (header.hwndFrom == sizeSpin_ && header.code == UDN_DELTAPOS && started_) {
        return controller_.SizeSpinStep(reinterpret_cast<const NMUPDOWN*>(&header)->iDelta) ? TRUE : FALSE;
    }
    return 0;
}

void TSettingsForm::ColorBoxChange(PanelColorBox box) {
    const HWND picker = PickerHandle(box);
    const int index = ComboSelection(picker);
    if (index < 0) return;
    Color color = ColorPickerColor(picker, index);
    if (index == 0) {
        const std::optional<Color> chosen = ChooseCustomColor(window_.get(), color);
        if (!chosen) {
            controller_.UpdateColors();  // cancelled: back to the colours in use
            return;
        }
        color = *chosen;
        ::SendMessageW(picker, CB_SETITEMDATA, 0, static_cast<LPARAM>(color));
    }
    switch (box) {
        case PanelColorBox::Lines: controller_.LinesColorBoxChange(color); return;
        case PanelColorBox::Values: controller_.ValuesColorBoxChange(color); return;
        case PanelColorBox::Halo: controller_.HaloColorBoxChange(color); return;
    }
}

void TSettingsForm::ToggleCheck(int index) {
    if (index < 0 || index >= kAdvancedOptionCount) return;
    SetCheckListChecked(checkList_, index, !CheckListChecked(checkList_, index));
    AdvancedChecks checks{};
    for (int i = 0; i < kAdvancedOptionCount; ++i)
        checks[static_cast<std::size_t>(i)] = CheckListChecked(checkList_, i);
    controller_.AdvCheckListBoxClickCheck(checks);
}

LRESULT CALLBACK TSettingsForm::ControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR /*subclass*/, DWORD_PTR self) {
    auto& form = *reinterpret_cast<TSettingsForm*>(self);
    // Runs outside the window procedure: errors stop here as well.
    if (message == WM_KILLFOCUS &&
        (control == form.sizeEdit_ || control == form.gridEdit_ || control == form.lineWidthEdit_)) {
        // The focus goes first.
        const LRESULT result = CommonControls::DefSubclassProc(control, message, wParam, lParam);
        try {
            form.FieldExit(control, reinterpret_cast<HWND>(wParam));
        } catch (const std::exception& error) {
            ShowErrorBox(error.what());
        }
        return result;
    }
    if (const std::optional<HotKeyCommand> command = form.HotKeyCommandOf(control);
        message == WM_PAINT && command &&
        PaintHotKeyControl(control, form.hotKeysShown_[static_cast<std::size_t>(*command)])) {
        return 0;
    }
    if ((message == WM_SETFOCUS || message == WM_KILLFOCUS) && form.HotKeyCommandOf(control) && form.started_) {
        const LRESULT result = CommonControls::DefSubclassProc(control, message, wParam, lParam);
        form.controller_.HotKeyBoxFocus(message == WM_SETFOCUS);
        return result;
    }
    try {
        if (control == form.checkList_) {
            form.CheckListInput(message, wParam, lParam);
            if (message == WM_KEYDOWN && wParam == VK_SPACE) return 0;
        } else if (control == form.tabs_ && message == WM_MOUSEMOVE) {
            ClearApplicationCursor();  // an overlay resize may have left its pointer
        }
    } catch (const std::exception& error) {
        ShowErrorBox(error.what());
    }
    return CommonControls::DefSubclassProc(control, message, wParam, lParam);
}

// Leaving a field for another control of the panel commits it. The panel
// losing the focus to another window (the overlay, or the box of a failed
// commit) is no leaving: the field gets the focus back with the panel, and
// committing here would show a failed commit's message once more.
void TSettingsForm::FieldExit(HWND field, HWND next) {
    const HWND window = window_.get();
    if (!started_ || next == nullptr || (next != window && !::IsChild(window, next))) return;
    if (field == sizeEdit_) {
        controller_.SizeEditExit();
    } else if (field == gridEdit_) {
        controller_.GridSizeEditExit();
    } else {
        controller_.LineWidthEditDone();
    }
}

void TSettingsForm::CheckListInput(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            const LRESULT hit = ::SendMessageW(checkList_, LB_ITEMFROMPOINT, 0, lParam);
            const int x = GET_X_LPARAM(lParam) + ::GetScrollPos(checkList_, SB_HORZ);
            if (HIWORD(hit) == 0 && OnCheckBox(x, dpi_)) ToggleCheck(LOWORD(hit));
            return;
        }
        case WM_KEYDOWN:
            if (wParam == VK_SPACE) ToggleCheck(static_cast<int>(::SendMessageW(checkList_, LB_GETCURSEL, 0, 0)));
            return;
        case WM_MOUSEMOVE: ::RedrawWindow(checkList_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); return;
        default: return;
    }
}

}  // namespace lumetra
