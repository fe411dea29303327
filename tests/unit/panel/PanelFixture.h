#pragma once
// A settings panel without a window: the real settings object and language
// table, a view that keeps what it was shown the way the controls would, an
// overlay that counts what it was asked to do, and language files in memory
// beside a made-up program.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "lang/LangTable.h"
#include "overlay/lookfiles/LookLibrary.h"
#include "panel/PanelController.h"
#include "panel/PanelView.h"
#include "settings/AppSettings.h"
#include "settings/CaseName.h"
#include "settings/SettingsFile.h"
#include "support/FakePlatformFiles.h"

namespace lumetra::test {

class FakePanelView final : public IPanelView {
public:
    struct ColorShown {
        int entry = -1;
        Color color = 0;
    };
    struct HotKeyShown {
        HotKey hotKey;
        std::string note;
    };

    Point position;
    std::map<PanelText, std::string> texts;
    std::map<PanelList, std::vector<std::string>> items;
    std::map<PanelList, int> selected;
    std::string ratioText;
    std::map<PanelSpin, std::string> spinText;
    std::map<PanelSpin, int> spinPosition;
    bool widthLeads = false;
    bool lock = false;
    bool halo = false;
    bool clickThrough = false;
    bool follow = false;
    StartWithWindowsBox startWithWindows{};
    bool captureChecked = false;
    bool captureEnabled = false;
    bool systemHidesFromCapture = true;  // what the window system grants
    std::optional<bool> panelExcluded;   // the panel's own window, once asked
    std::map<HotKeyCommand, HotKeyShown> hotKeys;
    std::map<PanelColorBox, ColorShown> colors;
    AdvancedChecks checks{};
    int opacity = -1;
    std::optional<std::uint8_t> blending;
    bool hints = false;
    int repaints = 0;
    std::vector<std::string> textOrder;  // keys of SetText and SetListItem calls, in order

    void MoveTo(Point topLeft) override { position = topLeft; }
    void SetText(PanelText target, const std::string& text) override {
        texts[target] = text;
        textOrder.push_back("text " + std::to_string(static_cast<int>(target)));
    }
    void SetListItem(PanelList list, int index, const std::string& text) override {
        auto& list_items = items[list];
        if (index < static_cast<int>(list_items.size())) {
            list_items[static_cast<std::size_t>(index)] = text;
            // Like a list box: replacing the selected item drops the selection.
            if (selected[list] == index && list != PanelList::Advanced) selected[list] = -1;
        } else {
            list_items.push_back(text);
        }
        textOrder.push_back("item " + std::to_string(static_cast<int>(list)));
    }
    void AddListItem(PanelList list, const std::string& text) override { items[list].push_back(text); }
    void ClearList(PanelList list) override {
        items[list].clear();
        selected[list] = -1;
    }
    void SelectListItem(PanelList list, int index) override {
        // Like a list box: an index past the items selects nothing.
        const auto& list_items = items[list];
        selected[list] = index < static_cast<int>(list_items.size()) ? index : -1;
        if (list == PanelList::Ratio && selected[list] >= 0) ratioText = list_items[static_cast<std::size_t>(index)];
    }
    void SetRatioText(const std::string& text) override {
        selected[PanelList::Ratio] = -1;
        ratioText = text;
    }
    std::string SpinText(PanelSpin spin) const override {
        const auto it = spinText.find(spin);
        return it == spinText.end() ? std::string() : it->second;
    }
    void ShowSpinPosition(PanelSpin spin, int pos) override {
        spinText[spin] = std::to_string(pos);
        spinPosition[spin] = pos;
    }
    void ShowSpinValue(PanelSpin spin, int pos, const std::string& text) override {
        spinText[spin] = text;
        spinPosition[spin] = pos;
    }
    void ShowLock(bool width, bool locked) override {
        widthLeads = width;
        lock = locked;
    }
    void ShowHalo(bool on) override { halo = on; }
    void ShowClickThrough(bool on) override { clickThrough = on; }
    void ShowFollow(bool on) override { follow = on; }
    void ShowStartWithWindows(const StartWithWindowsBox& box) override { startWithWindows = box; }
    void ShowCaptureHiding(bool on, bool available) override {
        captureChecked = on;
        captureEnabled = available;
    }
    bool CaptureHidingAvailable() const override { return systemHidesFromCapture; }
    void ExcludeFromCapture(bool excluded) override { panelExcluded = excluded; }
    void ShowHotKey(HotKeyCommand command, HotKey hotKey, const std::string& note) override {
        hotKeys[command] = {hotKey, note};
    }
    void ShowColor(PanelColorBox box, int entry, Color color) override { colors[box] = {entry, color}; }
    void ShowOptions(const AdvancedChecks& shown) override { checks = shown; }
    void ShowOpacity(int pos) override { opacity = pos; }
    void SetBlending(std::optional<std::uint8_t> alpha) override { blending = alpha; }
    void EnableHints(bool on) override { hints = on; }
    void RepaintAll() override { ++repaints; }

    int Selected(PanelList list) const {
        const auto it = selected.find(list);
        return it == selected.end() ? -1 : it->second;
    }
};

class CountingOverlay final : public IOverlaySink {
public:
    int applySize = 0;
    int applyOpacity = 0;
    int refreshLook = 0;
    void ApplySize() override { ++applySize; }
    void ApplyOpacity() override { ++applyOpacity; }
    void RefreshLook() override { ++refreshLook; }
    void RefreshOptions() override {}
    void RefreshLanguage() override {}
    void ApplyPlacement(const GuidePlacement&) override { ++applySize; }
    // The monitor the guide is measured on.
    LengthScale MeasuringScale(bool alongWidth) const override { return {dpi, alongWidth ? across : down, 0}; }
    std::int32_t dpi = kDefaultDpi;
    PixelDensity across = NominalDensity();
    PixelDensity down = NominalDensity();
};

inline constexpr std::int32_t kScreenWidth = 1920;
inline const std::string kExeFolder = "C:\\Tools\\Lumetra\\";

// The settings start at their first-run values; Start has run, so the panel
// shows them and is registered for the settings' notifications.
class PanelTest : public ::testing::Test {
protected:
    PanelTest() {
        platform.moduleFileName = kExeFolder + "Lumetra.exe";
        platform.files[kExeFolder + "English.lng"] =
            "MSLookTab=Look\r\nMSRat0=Golden 1 : %.3f\r\nMSRat1=Golden 1 : %.3f\r\n"
            "MSRat12=Square 1 : 1\r\nMSVersion=Version\r\nMSCopyright=%s. All rights reserved.\r\n"
            "MSLook0=Grid\r\nMSA4=Settings window uses opacity\r\n";
        platform.files[kExeFolder + "Deutsch.lng"] = "MSLookTab=Ansicht\r\nMSLook0=Raster\r\n";
    }

    void StartPanel(const std::vector<std::string>& languageFiles = {"English.lng", "Deutsch.lng"}) {
        settings.SetOverlay(&overlay);
        settings.SetPanel(&panel);
        panel.Start(languageFiles);
    }

    // Typing replaces the field's text key by key, then the key ends it.
    void Type(PanelSpin spin, const std::string& text) {
        if (spin == PanelSpin::LineWidth) {
            view.spinText[spin] = text;
            panel.LineWidthEditChange();
            return;
        }
        const bool size = spin == PanelSpin::Size;
        size ? panel.SizeEditKeyDown(FieldKey::Other) : panel.GridSizeEditKeyDown(FieldKey::Other);
        view.spinText[spin] = text;
        size ? panel.SizeEditChange() : panel.GridSizeEditChange();
    }

    FakePlatformFiles platform;
    SettingsFile files{platform};
    LangTable texts;
    LookLibrary guideFiles;
    TSettings settings{kScreenWidth};
    CountingOverlay overlay;
    FakePanelView view;
    PanelController panel{settings, guideFiles, texts, files, overlay, view, kScreenWidth};
};

}  // namespace lumetra::test
