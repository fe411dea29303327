// The Colors page's line width, halo and label size: what the panel shows
// for a guide, and what its edits store.
#include <gtest/gtest.h>

#include <string>

#include "panel/PanelFixture.h"
#include "panel/PanelLists.h"

namespace lumetra::test {
namespace {

TEST_F(PanelTest, TheLinesControlsShowTheBoundGuide) {
    const struct {
        std::int32_t width;
        bool halo;
        Color haloColor;
        std::int32_t labelSize;
        int haloEntry, labelEntry;
    } cases[] = {{1, false, kAutoHaloColor, 11, kAutoColorEntry, 4},
                 {8, true, Rgb(255, 0, 0), 8, 10, 1},
                 {3, true, Rgb(1, 2, 3), 24, 0, 17},
                 {5, false, Rgb(0, 0, 0), kAutoLabelSize, 1, 0}};
    StartPanel();
    for (const auto& c : cases) {
        TSettings guide(kScreenWidth);
        guide.SetLineWidth(c.width);
        guide.SetHalo(c.halo);
        guide.SetHaloColor(c.haloColor);
        guide.SetLabelSize(c.labelSize);
        panel.Rebind(guide, overlay);
        EXPECT_EQ(view.spinText[PanelSpin::LineWidth], std::to_string(c.width));
        EXPECT_EQ(view.halo, c.halo) << c.width;
        EXPECT_EQ(view.colors[PanelColorBox::Halo].entry, c.haloEntry) << c.width;
        EXPECT_EQ(view.Selected(PanelList::LabelSize), c.labelEntry) << c.width;
        panel.Rebind(settings, overlay);  // unbinds the guide before it goes
    }
    settings.SetLineWidth(6);
    settings.SetHalo(true);
    panel.RestoreButtonClick();
    EXPECT_EQ(view.spinText[PanelSpin::LineWidth], "1");
    EXPECT_FALSE(view.halo);
}

TEST_F(PanelTest, TheLinesControlsEditTheGuideLive) {
    StartPanel();
    panel.HaloCheckBoxClick(true);
    panel.HaloColorBoxChange(Rgb(0, 255, 0));
    EXPECT_TRUE(settings.Halo());
    EXPECT_EQ(settings.HaloColor(), Rgb(0, 255, 0));
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
    EXPECT_GT(overlay.refreshLook, redraws);
}

TEST_F(PanelTest, ATypedTextThatIsNoLineWidthChangesNothingAndGoesOnEnter) {
    const struct {
        const char* typed;
        std::int32_t width;
        const char* shownWhileTyping;
    } cases[] = {{"3", 3, "3"},
                 {" 5 ", 5, "5"},
                 {"8", 8, "8"},
                 {"0", 2, "0"},
                 {"9", 2, "9"},
                 {"-3", 2, "-3"},
                 {"abc", 2, "abc"},
                 {"", 2, ""},
                 {"0x3", 2, "0x3"},
                 {"3.5", 2, "3.5"},
                 {"99999999999", 2, "99999999999"}};
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

TEST_F(PanelTest, TheLanguagePassLabelsTheLinesControlsAndKeepsTheirSelections) {
    platform.files[kExeFolder + "Deutsch.lng"] +=
        "MSLineWidth=Linienst\xE4rke:\r\nMSHalo=Umriss\r\nMSHaloColor=Umrissfarbe:\r\n"
        "MSLabelSize=Schriftgr\xF6\xDF"
        "e:\r\nMSAutomatic=Automatisch\r\n";
    settings.SetLabelSize(kAutoLabelSize);
    settings.SetLang("Deutsch");
    StartPanel();
    // A file in the system's code page (Latin-1 here) reaches the view as UTF-8.
    EXPECT_EQ(view.texts[PanelText::LineWidthLabel], "Linienst\xC3\xA4rke:");
    EXPECT_EQ(view.texts[PanelText::HaloCheckBox], "Umriss");
    EXPECT_EQ(view.texts[PanelText::HaloColorLabel], "Umrissfarbe:");
    EXPECT_EQ(view.texts[PanelText::LabelSizeLabel],
              "Schriftgr\xC3\xB6\xC3\x9F"
              "e:");
    EXPECT_EQ(view.items[PanelList::LabelSize],
              (std::vector<std::string>{"Automatisch", "8", "9", "10", "11", "12", "13", "14", "15", "16", "17", "18",
                                        "19", "20", "21", "22", "23", "24"}));
    EXPECT_EQ(view.items[PanelList::HaloColor].back(), "Automatisch");
    EXPECT_EQ(view.Selected(PanelList::LabelSize), 0) << "relabelling kept the selection";
}

}  // namespace
}  // namespace lumetra::test
