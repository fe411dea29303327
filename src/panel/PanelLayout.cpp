#include "panel/PanelLayout.h"

#include <array>
#include <cstdint>
#include <cstdlib>

namespace lumetra {
namespace {

using C = PanelControl;
using P = PanelPage;

constexpr int kLabelHeight = 11;

constexpr PanelPlace Box(C control, P page, int x, int y, int width, int height) {
    return {control, page, {x, y, x + width, y + height}};
}

constexpr PanelPlace Label(C control, P page, int x, int y, int width) {
    return Box(control, page, x, y, width, kLabelHeight);
}

// A label as wide as its text.
constexpr PanelPlace Fitted(C control, P page, int x, int y) {
    return {control, page, {x, y, x, y + kLabelHeight}, true};
}

// Spin buttons sit right of their edit, as high as it.
constexpr int kSpinWidth = 16;
constexpr PanelPlace SpinOf(C control, const PanelPlace& edit) {
    return {control, edit.page, {edit.rect.right, edit.rect.top, edit.rect.right + kSpinWidth, edit.rect.bottom}};
}

// A hot key's label, its box and the note shown while another program holds
// the combination.
constexpr int kHotKeysTop = 102;
constexpr int kHotKeyRowHeight = 48;
constexpr int HotKeyTop(int row) { return kHotKeysTop + kHotKeyRowHeight * row; }

constexpr PanelPlace kSizeEdit = Box(C::SizeEdit, P::Look, 100, 51, 35, 19);
constexpr PanelPlace kGridSizeEdit = Box(C::GridSizeEdit, P::Look, 100, 259, 35, 19);
constexpr PanelPlace kLineWidthEdit = Box(C::LineWidthEdit, P::Colors, 112, 168, 25, 19);

constexpr std::array kLayout{
    Box(C::Logo, P::Main, 11, 9, 32, 32),
    Box(C::LogoLabel, P::Main, 49, 13, 107, 32),
    Box(C::CopyrightLabel, P::Main, 11, 47, 142, 34),
    Box(C::DevWebBtn, P::Main, 11, 126, 142, 21),
    Box(C::AskSupportBtn, P::Main, 11, 150, 142, 21),
    Box(C::CheckForUpdatesBtn, P::Main, 11, 174, 142, 21),
    Box(C::HelpBtn, P::Main, 11, 197, 142, 21),
    Box(C::NewGuideBtn, P::Main, 11, 228, 142, 21),
    Box(C::FitPictureBtn, P::Main, 11, 252, 142, 21),
    Box(C::CopyCompositionBtn, P::Main, 11, 276, 142, 21),

    Fitted(C::SectionLabel, P::Look, 12, 12),
    // A frame only: the radio buttons and the size field inside it are the
    // page's controls.
    Box(C::SnapToGroupBox, P::Look, 8, 28, 149, 57),
    Box(C::WidthRadio, P::Look, 16, 44, 77, 17),
    Box(C::HeightRadio, P::Look, 16, 60, 73, 17),
    kSizeEdit,
    SpinOf(C::SizeSpin, kSizeEdit),
    Fitted(C::RatioLabel, P::Look, 12, 92),
    Box(C::RatioBox, P::Look, 12, 105, 141, 19),
    Box(C::LockCheckBox, P::Look, 12, 130, 141, 17),
    Fitted(C::GridLabel, P::Look, 12, 160),
    Fitted(C::LookLabel, P::Look, 12, 175),
    Box(C::LookBox, P::Look, 12, 188, 141, 19),
    Fitted(C::OrientationLabel, P::Look, 12, 216),
    Box(C::OrientationBox, P::Look, 12, 229, 141, 19),
    Fitted(C::GridSizeLabel, P::Look, 12, 262),
    kGridSizeEdit,
    SpinOf(C::GridSizeSpin, kGridSizeEdit),
    Box(C::FollowCheckBox, P::Look, 12, 281, 141, 17),

    Fitted(C::LinesColorLabel, P::Colors, 12, 12),
    Box(C::LinesColorBox, P::Colors, 12, 25, 141, 22),
    Fitted(C::ValuesColorLabel, P::Colors, 12, 56),
    Box(C::ValuesColorBox, P::Colors, 12, 69, 141, 22),
    Fitted(C::OpacityLabel, P::Colors, 12, 102),
    Box(C::OpacityBar, P::Colors, 12, 112, 141, 33),
    Label(C::OpacityMinLabel, P::Colors, 16, 146, 15),
    Label(C::OpacityMaxLabel, P::Colors, 129, 146, 25),
    Fitted(C::LineWidthLabel, P::Colors, 12, 171),
    kLineWidthEdit,
    SpinOf(C::LineWidthSpin, kLineWidthEdit),
    Box(C::HaloCheckBox, P::Colors, 12, 193, 141, 17),
    Fitted(C::HaloColorLabel, P::Colors, 12, 216),
    Box(C::HaloColorBox, P::Colors, 12, 229, 141, 22),
    Fitted(C::LabelSizeLabel, P::Colors, 12, 260),
    Box(C::LabelSizeBox, P::Colors, 12, 273, 141, 19),

    Fitted(C::AdvancedLabel, P::Advanced, 12, 12),
    Box(C::AdvancedCheckList, P::Advanced, 12, 25, 141, 146),
    Fitted(C::LanguageLabel, P::Advanced, 12, 182),
    Box(C::LanguageBox, P::Advanced, 12, 195, 141, 19),
    Box(C::RestoreButton, P::Advanced, 12, 224, 141, 21),

    Box(C::ClickThroughCheckBox, P::Work, 12, 12, 141, 17),
    // Room for a second line of text, and for the note below it.
    Box(C::CaptureCheckBox, P::Work, 12, 32, 141, 26),
    Box(C::CaptureNote, P::Work, 28, 58, 125, 2 * kLabelHeight),
    Fitted(C::HotKeysLabel, P::Work, 12, 86),
    Label(C::ClickThroughKeyLabel, P::Work, 12, HotKeyTop(0), 141),
    Box(C::ClickThroughKeyBox, P::Work, 12, HotKeyTop(0) + 13, 141, 19),
    Label(C::ClickThroughKeyNote, P::Work, 12, HotKeyTop(0) + 33, 141),
    Label(C::ShowHideKeyLabel, P::Work, 12, HotKeyTop(1), 141),
    Box(C::ShowHideKeyBox, P::Work, 12, HotKeyTop(1) + 13, 141, 19),
    Label(C::ShowHideKeyNote, P::Work, 12, HotKeyTop(1) + 33, 141),
    Label(C::FitKeyLabel, P::Work, 12, HotKeyTop(2), 141),
    Box(C::FitKeyBox, P::Work, 12, HotKeyTop(2) + 13, 141, 19),
    Label(C::FitKeyNote, P::Work, 12, HotKeyTop(2) + 33, 141),
    Label(C::NextLookKeyLabel, P::Work, 12, HotKeyTop(3), 141),
    Box(C::NextLookKeyBox, P::Work, 12, HotKeyTop(3) + 13, 141, 19),
    Label(C::NextLookKeyNote, P::Work, 12, HotKeyTop(3) + 33, 141),
    // Room for a second line of text in the longer languages.
    Box(C::StartWithWindowsCheckBox, P::Advanced, 12, 254, 141, 26),
    // Above the size's frame, right of its heading; the list opens wider
    // than its field.
    Box(C::UnitsBox, P::Look, 66, 7, 87, 19),
    Box(C::CalibrateBtn, P::Advanced, 12, 282, 141, 20),
    // Room for four lines of the note in the longer languages.
    Box(C::SizeUnknownNote, P::Advanced, 12, 12, 141, 4 * kLabelHeight),
    Label(C::KnownWidthLabel, P::Advanced, 12, 63, 141),
    Box(C::KnownWidthEdit, P::Advanced, 12, 76, 141, 19),
    Label(C::KnownHeightLabel, P::Advanced, 12, 103, 141),
    Box(C::KnownHeightEdit, P::Advanced, 12, 116, 141, 19),
    Box(C::CalibrateCardBtn, P::Advanced, 12, 145, 141, 21),
    Box(C::ConfirmCalibrationBtn, P::Advanced, 12, 173, 141, 21),
};

constexpr bool InControlOrder() {
    for (std::size_t i = 0; i < kLayout.size(); ++i) {
        if (static_cast<std::size_t>(kLayout[i].control) != i) return false;
    }
    return kLayout.size() == static_cast<std::size_t>(kPanelControlCount);
}
static_assert(InControlOrder(), "the layout lists every control once, in PanelControl order");

}  // namespace

std::span<const PanelPlace> PanelLayout() { return kLayout; }

const PanelPlace& PlaceOf(PanelControl control) { return kLayout[static_cast<std::size_t>(control)]; }

std::optional<PanelControl> ControlOf(PanelText text) {
    using T = PanelText;
    switch (text) {
        case T::MainTab:
        case T::LookTab:
        case T::ColorsTab:
        case T::AdvancedTab:
        case T::WorkTab: return std::nullopt;
        case T::LogoLabel: return C::LogoLabel;
        case T::CopyrightLabel: return C::CopyrightLabel;
        case T::DevWebBtn: return C::DevWebBtn;
        case T::AskSupportBtn: return C::AskSupportBtn;
        case T::CheckForUpdatesBtn: return C::CheckForUpdatesBtn;
        case T::HelpBtn: return C::HelpBtn;
        case T::SectionLabel: return C::SectionLabel;
        case T::SnapToGroupBox: return C::SnapToGroupBox;
        case T::WidthRadio: return C::WidthRadio;
        case T::HeightRadio: return C::HeightRadio;
        case T::RatioLabel: return C::RatioLabel;
        case T::GridLabel: return C::GridLabel;
        case T::LookLabel: return C::LookLabel;
        case T::OrientationLabel: return C::OrientationLabel;
        case T::GridSizeLabel: return C::GridSizeLabel;
        case T::LinesColorLabel: return C::LinesColorLabel;
        case T::ValuesColorLabel: return C::ValuesColorLabel;
        case T::OpacityLabel: return C::OpacityLabel;
        case T::LanguageLabel: return C::LanguageLabel;
        case T::AdvancedLabel: return C::AdvancedLabel;
        case T::RestoreButton: return C::RestoreButton;
        case T::LockCheckBox: return C::LockCheckBox;
        case T::NewGuideBtn: return C::NewGuideBtn;
        case T::FitPictureBtn: return C::FitPictureBtn;
        case T::LineWidthLabel: return C::LineWidthLabel;
        case T::HaloCheckBox: return C::HaloCheckBox;
        case T::HaloColorLabel: return C::HaloColorLabel;
        case T::LabelSizeLabel: return C::LabelSizeLabel;
        case T::ClickThroughCheckBox: return C::ClickThroughCheckBox;
        case T::CaptureCheckBox: return C::CaptureCheckBox;
        case T::CaptureNote: return C::CaptureNote;
        case T::HotKeysLabel: return C::HotKeysLabel;
        case T::ClickThroughKeyLabel: return C::ClickThroughKeyLabel;
        case T::ShowHideKeyLabel: return C::ShowHideKeyLabel;
        case T::FitKeyLabel: return C::FitKeyLabel;
        case T::NextLookKeyLabel: return C::NextLookKeyLabel;
        case T::CopyCompositionBtn: return C::CopyCompositionBtn;
        case T::FollowCheckBox: return C::FollowCheckBox;
        case T::StartWithWindowsCheckBox: return C::StartWithWindowsCheckBox;
        case T::CalibrateBtn: return C::CalibrateBtn;
        case T::SizeUnknownNote: return C::SizeUnknownNote;
        case T::KnownWidthLabel: return C::KnownWidthLabel;
        case T::KnownHeightLabel: return C::KnownHeightLabel;
        case T::CalibrateCardBtn: return C::CalibrateCardBtn;
        case T::ConfirmCalibrationBtn: return C::ConfirmCalibrationBtn;
    }
    return std::nullopt;
}

Point ScaledPanelSize(int dpi) { return {ScaledLength(kPanelWidth, dpi), ScaledLength(kPanelHeight, dpi)}; }

}  // namespace lumetra
