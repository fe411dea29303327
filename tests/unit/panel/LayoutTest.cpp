// The panel's layout table and its mapping to the display's dpi.
#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <set>
#include <utility>

#include "panel/PanelLayout.h"

namespace lumetra::test {
namespace {

using C = PanelControl;
using P = PanelPage;

constexpr int kDpis[] = {96, 120, 144, 168, 192};

bool Overlap(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Inside(const Rect& inner, const Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The places as the panel had them when each page placed its controls
// itself: left, top, width, height; width 0 for a label sized to its text.
TEST(PanelLayout, At96DpiEveryControlKeepsItsPlace) {
    const struct {
        C control;
        P page;
        int x, y, width, height;
        bool fitsText;
    } cases[] = {
        {C::Logo, P::Main, 11, 9, 32, 32, false},
        {C::LogoLabel, P::Main, 49, 13, 107, 32, false},
        {C::CopyrightLabel, P::Main, 11, 47, 142, 34, false},
        {C::DevWebBtn, P::Main, 11, 126, 142, 21, false},
        {C::AskSupportBtn, P::Main, 11, 150, 142, 21, false},
        {C::CheckForUpdatesBtn, P::Main, 11, 174, 142, 21, false},
        {C::HelpBtn, P::Main, 11, 197, 142, 21, false},
        {C::NewGuideBtn, P::Main, 11, 228, 142, 21, false},
        {C::FitPictureBtn, P::Main, 11, 252, 142, 21, false},
        {C::CopyCompositionBtn, P::Main, 11, 276, 142, 21, false},
        {C::SectionLabel, P::Look, 12, 12, 0, 11, true},
        {C::SnapToGroupBox, P::Look, 8, 28, 149, 57, false},
        {C::WidthRadio, P::Look, 16, 44, 77, 17, false},
        {C::HeightRadio, P::Look, 16, 60, 73, 17, false},
        {C::SizeEdit, P::Look, 100, 51, 35, 19, false},
        {C::SizeSpin, P::Look, 135, 51, 16, 19, false},
        {C::RatioLabel, P::Look, 12, 92, 0, 11, true},
        {C::RatioBox, P::Look, 12, 105, 141, 19, false},
        {C::LockCheckBox, P::Look, 12, 130, 141, 17, false},
        {C::GridLabel, P::Look, 12, 160, 0, 11, true},
        {C::LookLabel, P::Look, 12, 175, 0, 11, true},
        {C::LookBox, P::Look, 12, 188, 141, 19, false},
        {C::OrientationLabel, P::Look, 12, 216, 0, 11, true},
        {C::OrientationBox, P::Look, 12, 229, 141, 19, false},
        {C::GridSizeLabel, P::Look, 12, 262, 0, 11, true},
        {C::GridSizeEdit, P::Look, 100, 259, 35, 19, false},
        {C::GridSizeSpin, P::Look, 135, 259, 16, 19, false},
        {C::FollowCheckBox, P::Look, 12, 281, 141, 17, false},
        {C::LinesColorLabel, P::Colors, 12, 12, 0, 11, true},
        {C::LinesColorBox, P::Colors, 12, 25, 141, 22, false},
        {C::ValuesColorLabel, P::Colors, 12, 56, 0, 11, true},
        {C::ValuesColorBox, P::Colors, 12, 69, 141, 22, false},
        {C::OpacityLabel, P::Colors, 12, 102, 0, 11, true},
        {C::OpacityBar, P::Colors, 12, 112, 141, 33, false},
        {C::OpacityMinLabel, P::Colors, 16, 146, 15, 11, false},
        {C::OpacityMaxLabel, P::Colors, 129, 146, 25, 11, false},
        {C::LineWidthLabel, P::Colors, 12, 171, 0, 11, true},
        {C::LineWidthEdit, P::Colors, 112, 168, 25, 19, false},
        {C::LineWidthSpin, P::Colors, 137, 168, 16, 19, false},
        {C::HaloCheckBox, P::Colors, 12, 193, 141, 17, false},
        {C::HaloColorLabel, P::Colors, 12, 216, 0, 11, true},
        {C::HaloColorBox, P::Colors, 12, 229, 141, 22, false},
        {C::LabelSizeLabel, P::Colors, 12, 260, 0, 11, true},
        {C::LabelSizeBox, P::Colors, 12, 273, 141, 19, false},
        {C::AdvancedLabel, P::Advanced, 12, 12, 0, 11, true},
        {C::AdvancedCheckList, P::Advanced, 12, 25, 141, 146, false},
        {C::LanguageLabel, P::Advanced, 12, 182, 0, 11, true},
        {C::LanguageBox, P::Advanced, 12, 195, 141, 19, false},
        {C::RestoreButton, P::Advanced, 12, 224, 141, 21, false},
        {C::ClickThroughCheckBox, P::Work, 12, 12, 141, 17, false},
        {C::CaptureCheckBox, P::Work, 12, 32, 141, 26, false},
        {C::CaptureNote, P::Work, 28, 58, 125, 22, false},
        {C::HotKeysLabel, P::Work, 12, 86, 0, 11, true},
        {C::ClickThroughKeyLabel, P::Work, 12, 102, 141, 11, false},
        {C::ClickThroughKeyBox, P::Work, 12, 115, 141, 19, false},
        {C::ClickThroughKeyNote, P::Work, 12, 135, 141, 11, false},
        {C::ShowHideKeyLabel, P::Work, 12, 150, 141, 11, false},
        {C::ShowHideKeyBox, P::Work, 12, 163, 141, 19, false},
        {C::ShowHideKeyNote, P::Work, 12, 183, 141, 11, false},
        {C::FitKeyLabel, P::Work, 12, 198, 141, 11, false},
        {C::FitKeyBox, P::Work, 12, 211, 141, 19, false},
        {C::FitKeyNote, P::Work, 12, 231, 141, 11, false},
        {C::NextLookKeyLabel, P::Work, 12, 246, 141, 11, false},
        {C::NextLookKeyBox, P::Work, 12, 259, 141, 19, false},
        {C::NextLookKeyNote, P::Work, 12, 279, 141, 11, false},
        {C::StartWithWindowsCheckBox, P::Advanced, 12, 254, 141, 26, false},
        {C::UnitsBox, P::Look, 66, 7, 87, 19, false},
        {C::CalibrateBtn, P::Advanced, 12, 282, 141, 20, false},
        {C::SizeUnknownNote, P::Advanced, 12, 12, 141, 44, false},
        {C::KnownWidthLabel, P::Advanced, 12, 63, 141, 11, false},
        {C::KnownWidthEdit, P::Advanced, 12, 76, 141, 19, false},
        {C::KnownHeightLabel, P::Advanced, 12, 103, 141, 11, false},
        {C::KnownHeightEdit, P::Advanced, 12, 116, 141, 19, false},
        {C::CalibrateCardBtn, P::Advanced, 12, 145, 141, 21, false},
        {C::ConfirmCalibrationBtn, P::Advanced, 12, 173, 141, 21, false},
    };
    std::set<C> seen;
    for (const auto& c : cases) {
        const PanelPlace& place = PlaceOf(c.control);
        const int index = static_cast<int>(c.control);
        EXPECT_EQ(place.page, c.page) << "control " << index;
        EXPECT_EQ(place.rect, (Rect{c.x, c.y, c.x + c.width, c.y + c.height})) << "control " << index;
        EXPECT_EQ(place.fitsText, c.fitsText) << "control " << index;
        EXPECT_EQ(ScaledRect(place.rect, 96), place.rect) << "control " << index;
        seen.insert(c.control);
    }
    EXPECT_EQ(seen.size(), PanelLayout().size()) << "a control of the layout has no row here";
    EXPECT_EQ(ScaledPanelSize(96), (Point{kPanelWidth, kPanelHeight}));
}

TEST(PanelLayout, LengthsRoundToNearestWithHalvesAwayFromZero) {
    const struct {
        int value, dpi, scaled;
    } cases[] = {
        {11, 96, 11},                     // 96 dpi changes nothing
        {1, 144, 2},                      // a half rounds up, not down or to even
        {3, 144, 5},                      // 4.5: a half rounds up, not to even
        {1, 120, 1},                      // 1.25 rounds down, not up
        {3, 120, 4},                      // 3.75 rounds up, not down
        {173, 168, 303},                  // 302.75
        {-1, 144, -2},                    // halves away from zero below zero too
        {INT_MAX / 2, 192, INT_MAX - 1},  // no overflow on the way
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ScaledLength(c.value, c.dpi), c.scaled) << c.value << " at " << c.dpi << " dpi";
    }
}

TEST(PanelLayout, EachEdgeIsScaledOnItsOwn) {
    const struct {
        Rect rect96;
        int dpi;
        Rect scaled;
    } cases[] = {
        {{1, 1, 2, 2}, 144, {2, 2, 3, 3}},              // not left + scaled width (2 + 2)
        {{135, 51, 151, 70}, 120, {169, 64, 189, 88}},  // a spin right of its edit
        {{0, 0, 173, 364}, 192, {0, 0, 346, 728}},
    };
    for (const auto& c : cases) EXPECT_EQ(ScaledRect(c.rect96, c.dpi), c.scaled) << c.dpi << " dpi";
}

TEST(PanelLayout, ThePanelGrowsWithTheDpi) {
    const struct {
        int dpi;
        Point size;
    } cases[] = {{96, {173, 364}}, {120, {216, 455}}, {144, {260, 546}}, {168, {303, 637}}, {192, {346, 728}}};
    for (const auto& c : cases) {
        EXPECT_EQ(ScaledPanelSize(c.dpi), c.size) << c.dpi << " dpi";
        const Rect panel{0, 0, c.size.x, c.size.y};
        EXPECT_TRUE(Inside(ScaledRect(kPanelBody, c.dpi), panel)) << c.dpi << " dpi";
        EXPECT_TRUE(
            Inside(ScaledRect(kTabControl, c.dpi),
                   ScaledRect({0, 0, kPanelBody.right - kPanelBody.left, kPanelBody.bottom - kPanelBody.top}, c.dpi)))
            << c.dpi << " dpi";
    }
}

// Overlaps the page has on purpose: the group box is a frame drawn round its
// controls, the two radio buttons share one row of pixels, and the
// calibration group takes the place of its page's other controls.
bool Deliberate(C a, C b) {
    const std::pair<C, C> allowed[] = {{C::SnapToGroupBox, C::WidthRadio},
                                       {C::SnapToGroupBox, C::HeightRadio},
                                       {C::SnapToGroupBox, C::SizeEdit},
                                       {C::SnapToGroupBox, C::SizeSpin},
                                       {C::WidthRadio, C::HeightRadio}};
    for (const auto& [first, second] : allowed) {
        if ((a == first && b == second) || (a == second && b == first)) return true;
    }
    // The calibration group shows in place of the other controls of its
    // page, but never over the button that opens and closes it.
    if (InCalibrationGroup(a) != InCalibrationGroup(b)) return a != C::CalibrateBtn && b != C::CalibrateBtn;
    return false;
}

TEST(PanelLayout, AtEveryDpiControlsStayOnTheirPageApartAndTouchingWhereTheyTouch) {
    const auto layout = PanelLayout();
    for (const int dpi : kDpis) {
        const Rect page = ScaledRect(kPageArea, dpi);
        for (const PanelPlace& place : layout) {
            const Rect rect = ScaledRect(place.rect, dpi);
            const int index = static_cast<int>(place.control);
            EXPECT_TRUE(Inside(rect, page)) << "control " << index << " at " << dpi << " dpi";
            EXPECT_GT(rect.bottom, rect.top) << "control " << index << " at " << dpi << " dpi";
            EXPECT_EQ(rect.right > rect.left, !place.fitsText) << "control " << index << " at " << dpi << " dpi";
        }
        for (const PanelPlace& a : layout) {
            for (const PanelPlace& b : layout) {
                if (a.control >= b.control || a.page != b.page) continue;
                const Rect ra = ScaledRect(a.rect, dpi);
                const Rect rb = ScaledRect(b.rect, dpi);
                if (!Deliberate(a.control, b.control)) {
                    EXPECT_FALSE(Overlap(ra, rb)) << "controls " << static_cast<int>(a.control) << " and "
                                                  << static_cast<int>(b.control) << " at " << dpi << " dpi";
                }
                // An edit and its spin buttons stay joined.
                if (a.rect.right == b.rect.left && a.rect.top == b.rect.top) {
                    EXPECT_EQ(ra.right, rb.left) << "controls " << static_cast<int>(a.control) << " and "
                                                 << static_cast<int>(b.control) << " at " << dpi << " dpi";
                }
            }
        }
    }
}

// A text shown in a control no other text shares, and every label the
// table fits to its text reached by one: a label no text reaches would stay
// without width.
TEST(PanelLayout, EveryTextHasItsOwnControlAndEveryFittedLabelItsText) {
    const std::set<PanelText> tabs{PanelText::MainTab, PanelText::LookTab, PanelText::ColorsTab, PanelText::AdvancedTab,
                                   PanelText::WorkTab};
    std::set<C> shown;
    for (int i = 0; i < kPanelTextCount; ++i) {
        const auto text = static_cast<PanelText>(i);
        const std::optional<C> control = ControlOf(text);
        EXPECT_EQ(control.has_value(), !tabs.contains(text)) << "text " << i;
        if (control) {
            EXPECT_TRUE(shown.insert(*control).second) << "text " << i << " shares its control";
        }
    }
    for (const PanelPlace& place : PanelLayout()) {
        if (place.fitsText) {
            EXPECT_TRUE(shown.contains(place.control)) << static_cast<int>(place.control);
        }
    }
}

}  // namespace
}  // namespace lumetra::test
