// The Colors page's line width, halo and label size: what the panel shows
// for a guide, and what its edits store.
#include <gtest/gtest.h>

#include <string>

#include "panel/PanelFixture.h"
#include "panel/PanelLists.h"

namespace lumetra::testing {
namespace {

class LinesTest : public PanelTest {
protected:
    LinesTest() {
        platform.files[kExeFolder + "English.lng"] +=
            "MSLineWidth=Line width:\r\nMSHalo=Outline (halo)\r\nMSHaloColor=Halo color:\r\n"
            "MSLabelSize=Label size:\r\nMSAutomatic=Automatic\r\n";
        platform.files[kExeFolder + "Deutsch.lng"] += "MSLineWidth=Linienst\xE4rke:\r\nMSAutomatic=Automatisch\r\n";
    }
};

TEST_F(LinesTest, ThePanelShowsTheGuideItIsBoundTo) {
    const struct {
        const char* name;
        std::int32_t width;
        bool halo;
        Color haloColor;
        std::int32_t labelSize;
        int haloEntry, labelEntry;
    } cases[] = {
        {"factory", 1, false, kAutoHaloColor, 11, kAutoColorEntry, 4},
        {"named halo colour, smallest labels", 8, true, Rgb(255, 0, 0), 8, 10, 1},
        {"custom halo colour, largest labels", 3, true, Rgb(1, 2, 3), 24, 0, 17},
        {"automatic labels", 5, false, Rgb(0, 0, 0), kAutoLabelSize, 1, 0},
    };
    StartPanel();
    for (const auto& c : cases) {
        TSettings guide(kScreenWidth);
        guide.SetLineWidth(c.width);
        guide.SetHalo(c.halo);
        guide.SetHaloColor(c.haloColor);
        guide.SetLabelSize(c.labelSize);
        panel.Rebind(guide, overlay);
        EXPECT_EQ(view.spinText[PanelSpin::LineWidth], std::to_string(c.width)) << c.name;
        EXPECT_EQ(view.halo, c.halo) << c.name;
        EXPECT_EQ(view.colors[PanelColorBox::Halo].entry, c.haloEntry) << c.name;
        EXPECT_EQ(view.Selected(PanelList::LabelSize), c.labelEntry) << c.name;
        panel.Rebind(settings, overlay);  // unbinds the guide before it goes
    }
    settings.SetLineWidth(6);
    settings.SetHalo(true);
    panel.RestoreButtonClick();
    EXPECT_EQ(view.spinText[PanelSpin::LineWidth], "1");
    EXPECT_FALSE(view.halo);
    EXPECT_EQ(view.Selected(PanelList::LabelSize), 4);
}

TEST_F(LinesTest, EditsReachTheBoundGuideAndRedrawIt) {
    StartPanel();
    panel.HaloCheckBoxClick(true);
    EXPECT_TRUE(settings.Halo());
    EXPECT_TRUE(view.halo);
    panel.HaloColorBoxChange(Rgb(0, 255, 0));
    EXPECT_EQ(settings.HaloColor(), Rgb(0, 255, 0));
    EXPECT_EQ(view.colors[PanelColorBox::Halo].entry, 11);
    panel.HaloColorBoxChange(kAutoHaloColor);
    EXPECT_EQ(settings.HaloColor(), kAutoHaloColor);

    const struct {
        int entry;
        std::int32_t size;
    } sizes[] = {{1, 8}, {17, 24}, {0, kAutoLabelSize}, {5, 12}, {18, 12}, {-1, 12}};
    for (const auto& c : sizes) {
        panel.LabelSizeComboBoxChange(c.entry);
        EXPECT_EQ(settings.LabelSize(), c.size) << "entry " << c.entry;
    }
    const int redraws = overlay.refreshLook;
    Type(PanelSpin::LineWidth, "4");
    EXPECT_EQ(settings.LineWidth(), 4);
    EXPECT_GT(overlay.refreshLook, redraws) << "a typed width waits for nothing";
}

TEST_F(LinesTest, ATypedTextThatIsNoWidthChangesNothingAndGoesOnEnter) {
    const struct {
        const char* typed;
        std::int32_t width;
        const char* shownWhileTyping;
    } cases[] = {{"3", 3, "3"},   {" 5 ", 5, "5"},   {"8", 8, "8"},     {"0", 2, "0"},   {"9", 2, "9"},
                 {"-3", 2, "-3"}, {"abc", 2, "abc"}, {"", 2, ""},       {"0x3", 2, "0x3"}, {"3.5", 2, "3.5"},
                 {"+3", 2, "+3"}, {"99999999999999999999", 2, "99999999999999999999"}};
    StartPanel();
    for (const auto& c : cases) {
        settings.SetLineWidth(2);
        Type(PanelSpin::LineWidth, c.typed);
        EXPECT_EQ(settings.LineWidth(), c.width) << '"' << c.typed << '"';
        EXPECT_EQ(view.spinText[PanelSpin::LineWidth], c.shownWhileTyping) << '"' << c.typed << '"';
        panel.LineWidthEditDone();
        EXPECT_EQ(view.spinText[PanelSpin::LineWidth], std::to_string(c.width)) << '"' << c.typed << '"';
    }
}

TEST_F(LinesTest, TheLanguagePassLabelsEveryNewControlAndKeepsTheSelections) {
    settings.SetLabelSize(kAutoLabelSize);
    StartPanel();
    EXPECT_EQ(view.texts[PanelText::LineWidthLabel], "Line width:");
    EXPECT_EQ(view.texts[PanelText::HaloCheckBox], "Outline (halo)");
    EXPECT_EQ(view.texts[PanelText::HaloColorLabel], "Halo color:");
    EXPECT_EQ(view.texts[PanelText::LabelSizeLabel], "Label size:");
    const auto& sizes = view.items[PanelList::LabelSize];
    ASSERT_EQ(sizes.size(), 18u);
    EXPECT_EQ(sizes.front(), "Automatic");
    EXPECT_EQ(sizes[1], "8");
    EXPECT_EQ(sizes.back(), "24");
    EXPECT_EQ(view.items[PanelList::HaloColor].back(), "Automatic");

    panel.LangComboBoxChange("Deutsch");
    EXPECT_EQ(view.texts[PanelText::LineWidthLabel], "Linienst\xE4rke:");
    EXPECT_EQ(view.texts[PanelText::HaloColorLabel], "Halo color:") << "a text German lacks stays English";
    EXPECT_EQ(view.items[PanelList::LabelSize].front(), "Automatisch");
    EXPECT_EQ(view.Selected(PanelList::LabelSize), 0);
    EXPECT_EQ(view.colors[PanelColorBox::Halo].entry, kAutoColorEntry);
}

}  // namespace
}  // namespace lumetra::testing
