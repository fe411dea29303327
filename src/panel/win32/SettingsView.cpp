// How the settings panel shows what its controller and its caption strip
// ask for. Writing into a control here never runs that control's handler.
#include "win32/Win32.h"
// After the platform header, which it needs.
#include <commctrl.h>

#include <string>

#include "win32/CaptureExclusion.h"
#include "win32/WideText.h"
#include "overlay/win32/PanelWindow.h"
#include "panel/PanelLists.h"
#include "panel/win32/HotKeyControl.h"
#include "panel/win32/OwnerDrawn.h"
#include "panel/win32/SettingsFrm.h"

namespace lumetra {
namespace {

COLORREF ToColorRef(Color color) { return static_cast<COLORREF>(color); }

WPARAM CheckState(bool on) { return static_cast<WPARAM>(on ? BST_CHECKED : BST_UNCHECKED); }

int TabOf(PanelText target) {
    switch (target) {
        case PanelText::MainTab: return static_cast<int>(PanelPage::Main);
        case PanelText::LookTab: return static_cast<int>(PanelPage::Look);
        case PanelText::ColorsTab: return static_cast<int>(PanelPage::Colors);
        case PanelText::AdvancedTab: return static_cast<int>(PanelPage::Advanced);
        case PanelText::WorkTab: return static_cast<int>(PanelPage::Work);
        default: return kNoPage;
    }
}

}  // namespace

HWND TSettingsForm::ListHandle(PanelList list) const {
    switch (list) {
        case PanelList::Ratio: return ratioBox_;
        case PanelList::Look: return lookBox_;
        case PanelList::Orientation: return orientationBox_;
        case PanelList::Advanced: return checkList_;
        case PanelList::Language: return langBox_;
        case PanelList::LabelSize: return labelSizeBox_;
        case PanelList::HaloColor: return haloColorBox_;
        case PanelList::Units: return unitsBox_;
    }
    return nullptr;
}

HWND TSettingsForm::PickerHandle(PanelColorBox box) const {
    switch (box) {
        case PanelColorBox::Lines: return linesColorBox_;
        case PanelColorBox::Values: return valuesColorBox_;
        case PanelColorBox::Halo: return haloColorBox_;
    }
    return nullptr;
}

HWND TSettingsForm::EditHandle(PanelSpin spin) const {
    switch (spin) {
        case PanelSpin::Size: return sizeEdit_;
        case PanelSpin::GridSize: return gridEdit_;
        case PanelSpin::LineWidth: return lineWidthEdit_;
    }
    return nullptr;
}

HWND TSettingsForm::SpinHandle(PanelSpin spin) const {
    switch (spin) {
        case PanelSpin::Size: return sizeSpin_;
        case PanelSpin::GridSize: return gridSpin_;
        case PanelSpin::LineWidth: return lineWidthSpin_;
    }
    return nullptr;
}

std::optional<HotKeyCommand> TSettingsForm::HotKeyCommandOf(HWND control) const {
    if (control == nullptr) return std::nullopt;
    for (std::size_t i = 0; i < kHotKeyCommandCount; ++i) {
        if (hotKeyBoxes_[i] == control) return static_cast<HotKeyCommand>(i);
    }
    return std::nullopt;
}

void TSettingsForm::MoveTo(Point topLeft) { strip_.SetPosition(topLeft); }

void TSettingsForm::SetText(PanelText target, const std::string& text) {
    const int tab = TabOf(target);
    if (tab != kNoPage) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        std::wstring caption = Wide(text);  // the control wants a writable buffer
        item.pszText = caption.data();
        ::SendMessageW(tabs_, TCM_SETITEMW, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item));
        return;
    }
    const HWND control = texts_[static_cast<std::size_t>(target)];
    ::SetWindowTextW(control, Wide(text).c_str());
    if (const auto shown = ControlOf(target); shown && PlaceOf(*shown).fitsText) PlaceControl(*shown);
}

void TSettingsForm::SetListItem(PanelList list, int index, const std::string& text) {
    const HWND control = ListHandle(list);
    const bool listBox = list == PanelList::Advanced;
    const LRESULT count = ::SendMessageW(control, listBox ? LB_GETCOUNT : CB_GETCOUNT, 0, 0);
    if (index >= count) {
        AddListItem(list, text);
        return;
    }
    // Replacing an item is removing and inserting it; the check mark goes along.
    const auto at = static_cast<WPARAM>(index);
    const LRESULT data = ::SendMessageW(control, listBox ? LB_GETITEMDATA : CB_GETITEMDATA, at, 0);
    ::SendMessageW(control, listBox ? LB_DELETESTRING : CB_DELETESTRING, at, 0);
    const std::wstring item = Wide(text);
    ::SendMessageW(control, listBox ? LB_INSERTSTRING : CB_INSERTSTRING, at, reinterpret_cast<LPARAM>(item.c_str()));
    ::SendMessageW(control, listBox ? LB_SETITEMDATA : CB_SETITEMDATA, at, data);
}

void TSettingsForm::AddListItem(PanelList list, const std::string& text) {
    const bool listBox = list == PanelList::Advanced;
    const std::wstring item = Wide(text);
    ::SendMessageW(ListHandle(list), listBox ? LB_ADDSTRING : CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

void TSettingsForm::ClearList(PanelList list) {
    ::SendMessageW(ListHandle(list), list == PanelList::Advanced ? LB_RESETCONTENT : CB_RESETCONTENT, 0, 0);
}

void TSettingsForm::SelectListItem(PanelList list, int index) {
    ::SendMessageW(ListHandle(list), list == PanelList::Advanced ? LB_SETCURSEL : CB_SETCURSEL,
                   static_cast<WPARAM>(index), 0);
}

void TSettingsForm::SetRatioText(const std::string& text) {
    ::SendMessageW(ratioBox_, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    ::SetWindowTextW(ratioBox_, Wide(text).c_str());
}

std::string TSettingsForm::SpinText(PanelSpin spin) const { return WindowText(EditHandle(spin)); }

void TSettingsForm::ShowSpinPosition(PanelSpin spin, int position) {
    showing_ = true;
    ::SendMessageW(SpinHandle(spin), UDM_SETPOS32, 0, position);
    // Written here as well, whatever the spin control does with its buddy.
    ::SetWindowTextW(EditHandle(spin), std::to_wstring(position).c_str());
    showing_ = false;
}

void TSettingsForm::ShowSpinValue(PanelSpin spin, int position, const std::string& text) {
    showing_ = true;
    // The spin control writes its position into the edit: the text goes last.
    ::SendMessageW(SpinHandle(spin), UDM_SETPOS32, 0, position);
    ::SetWindowTextW(EditHandle(spin), Wide(text).c_str());
    showing_ = false;
}

void TSettingsForm::ShowLock(bool widthLeads, bool lock) {
    const auto showRadio = [&](PanelText radio, bool checked) {
        const HWND button = texts_[static_cast<int>(radio)];
        ::SendMessageW(button, BM_SETCHECK, CheckState(checked), 0);
        // Tab reaches the pair on its checked button only: an unchecked
        // auto radio button that gets the focus reports a click, which would
        // switch the leading side by itself.
        const LONG_PTR style = ::GetWindowLongPtrW(button, GWL_STYLE);
        ::SetWindowLongPtrW(button, GWL_STYLE, checked ? style | WS_TABSTOP : style & ~LONG_PTR{WS_TABSTOP});
    };
    showRadio(PanelText::WidthRadio, widthLeads);
    showRadio(PanelText::HeightRadio, !widthLeads);
    ::SendMessageW(texts_[static_cast<int>(PanelText::LockCheckBox)], BM_SETCHECK, CheckState(lock), 0);
}

void TSettingsForm::ShowHalo(bool on) {
    ::SendMessageW(texts_[static_cast<int>(PanelText::HaloCheckBox)], BM_SETCHECK, CheckState(on), 0);
}

void TSettingsForm::ShowClickThrough(bool on) {
    ::SendMessageW(texts_[static_cast<int>(PanelText::ClickThroughCheckBox)], BM_SETCHECK, CheckState(on), 0);
}

void TSettingsForm::ShowFollow(bool on) {
    ::SendMessageW(texts_[static_cast<int>(PanelText::FollowCheckBox)], BM_SETCHECK, CheckState(on), 0);
}

void TSettingsForm::ShowStartWithWindows(const StartWithWindowsBox& box) {
    const HWND control = texts_[static_cast<int>(PanelText::StartWithWindowsCheckBox)];
    ::SendMessageW(control, BM_SETCHECK, CheckState(box.checked), 0);
    ::EnableWindow(control, box.enabled ? TRUE : FALSE);
}

void TSettingsForm::ShowCaptureHiding(bool on, bool available) {
    const HWND box = texts_[static_cast<int>(PanelText::CaptureCheckBox)];
    ::SendMessageW(box, BM_SETCHECK, CheckState(on), 0);
    ::EnableWindow(box, available ? TRUE : FALSE);
    ::ShowWindow(texts_[static_cast<int>(PanelText::CaptureNote)], available ? SW_HIDE : SW_SHOWNA);
}

bool TSettingsForm::CaptureHidingAvailable() const { return captureHidingAvailable_; }

void TSettingsForm::ExcludeFromCapture(bool excluded) {
    if (excluded == excludedFromCapture_) return;
    if (!SetCaptureExclusion(window_.get(), excluded)) return;
    excludedFromCapture_ = excluded;
    SetCaptureExclusion(hint_.Handle(), excluded);
}

void TSettingsForm::ShowHotKey(HotKeyCommand command, HotKey hotKey, const std::string& note) {
    const auto index = static_cast<std::size_t>(command);
    hotKeysShown_[index] = hotKey;
    showing_ = true;
    ShowInHotKeyControl(hotKeyBoxes_[index], hotKey);
    showing_ = false;
    ::SetWindowTextW(hotKeyNotes_[index], Wide(note).c_str());
    ::ShowWindow(hotKeyNotes_[index], note.empty() ? SW_HIDE : SW_SHOWNA);
}

void TSettingsForm::ShowColor(PanelColorBox box, int entry, Color color) {
    ShowPickerColor(PickerHandle(box), entry, color);
}

void TSettingsForm::ShowOptions(const AdvancedChecks& checks) {
    for (int i = 0; i < kAdvancedOptionCount; ++i) {
        SetCheckListChecked(checkList_, i, checks[static_cast<std::size_t>(i)]);
    }
}

void TSettingsForm::ShowOpacity(int position) { ::SendMessageW(opacityBar_, TBM_SETPOS, TRUE, position); }

void TSettingsForm::SetBlending(std::optional<std::uint8_t> alpha) {
    // The colour key stays on in every case.
    const DWORD flags = alpha ? LWA_COLORKEY | LWA_ALPHA : LWA_COLORKEY;
    ::SetLayeredWindowAttributes(window_.get(), ToColorRef(kPanelKeyColor), alpha.value_or(255), flags);
}

void TSettingsForm::EnableHints(bool on) { hint_.Activate(on); }

void TSettingsForm::RepaintAll() {
    LayoutPages();  // captions of other lengths can change the rows of tabs
    ::RedrawWindow(window_.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TSettingsForm::ShowCalibration(bool open) {
    // Only a change: the page's other controls keep what they show else.
    if (open == calibrationShown_) return;
    calibrationShown_ = open;
    for (const PanelPlace& place : PanelLayout()) {
        if (place.page != PanelPage::Advanced || place.control == PanelControl::CalibrateBtn) continue;
        const bool shown = InCalibrationGroup(place.control) ? open : !open;
        // The note shows only for a monitor of unknown size.
        const bool note = place.control == PanelControl::SizeUnknownNote;
        ::ShowWindow(controls_[static_cast<std::size_t>(place.control)],
                     shown && (!note || sizeUnknown_) ? SW_SHOWNA : SW_HIDE);
    }
}

void TSettingsForm::ShowSizeUnknown(bool unknown) {
    sizeUnknown_ = unknown;
    ::ShowWindow(controls_[static_cast<std::size_t>(PanelControl::SizeUnknownNote)],
                 unknown && calibration_.Open() ? SW_SHOWNA : SW_HIDE);
}

std::string TSettingsForm::KnownText(KnownSide side) const {
    return WindowText(side == KnownSide::Width ? knownWidthEdit_ : knownHeightEdit_);
}

void TSettingsForm::ShowKnown(KnownSide side, const std::string& text) {
    ::SetWindowTextW(side == KnownSide::Width ? knownWidthEdit_ : knownHeightEdit_, Wide(text).c_str());
}

MonitorFacts TSettingsForm::MeasuringMonitor() const { return current_->MeasuringMonitor(); }

}  // namespace lumetra
