#include "panel/PanelLists.h"

#include "settings/AppSettings.h"
#include "settings/SettingsFile.h"

namespace lumetra {

const std::array<NamedColor, kNamedColorCount>& NamedColors() {
    static const std::array<NamedColor, kNamedColorCount> colors{{
        {"Black", Rgb(0, 0, 0)},
        {"Maroon", Rgb(128, 0, 0)},
        {"Green", Rgb(0, 128, 0)},
        {"Olive", Rgb(128, 128, 0)},
        {"Navy", Rgb(0, 0, 128)},
        {"Purple", Rgb(128, 0, 128)},
        {"Teal", Rgb(0, 128, 128)},
        {"Gray", Rgb(128, 128, 128)},
        {"Silver", Rgb(192, 192, 192)},
        {"Red", Rgb(255, 0, 0)},
        {"Lime", Rgb(0, 255, 0)},
        {"Yellow", Rgb(255, 255, 0)},
        {"Blue", Rgb(0, 0, 255)},
        {"Fuchsia", Rgb(255, 0, 255)},
        {"Aqua", Rgb(0, 255, 255)},
        {"White", Rgb(255, 255, 255)},
        {"Money Green", Rgb(192, 220, 192)},
        {"Sky Blue", Rgb(166, 202, 240)},
        {"Cream", Rgb(255, 251, 240)},
        {"Medium Gray", Rgb(160, 160, 164)},
    }};
    return colors;
}

int ColorEntryFor(Color color) {
    const auto& colors = NamedColors();
    for (int i = 0; i < kNamedColorCount; ++i) {
        if (colors[static_cast<std::size_t>(i)].color == color) return i + 1;
    }
    return 0;
}

int HaloEntryFor(Color haloColor) { return haloColor == kAutoHaloColor ? kAutoColorEntry : ColorEntryFor(haloColor); }

int LabelSizeEntryFor(std::int32_t labelSize) {
    if (labelSize == kAutoLabelSize) return 0;
    return labelSize - kMinLabelSize + 1;
}

std::optional<std::int32_t> LabelSizeOfEntry(int entry) {
    if (entry == 0) return kAutoLabelSize;
    if (entry < 0 || entry >= kLabelSizeEntryCount) return std::nullopt;
    return kMinLabelSize + entry - 1;
}

int PageFromSPage(std::int32_t sPage) {
    switch (sPage) {
        case 0: return static_cast<int>(PanelPage::Main);
        case 1:
        case 2: return static_cast<int>(PanelPage::Look);
        case 3: return static_cast<int>(PanelPage::Colors);
        case 4: return static_cast<int>(PanelPage::Advanced);
        case 5: return static_cast<int>(PanelPage::Work);
        default: return kNoPage;
    }
}

std::int32_t SPageFromPage(int page) {
    switch (page) {
        case static_cast<int>(PanelPage::Main): return 0;
        case static_cast<int>(PanelPage::Look): return 2;
        case static_cast<int>(PanelPage::Colors): return 3;
        case static_cast<int>(PanelPage::Advanced): return 4;
        case static_cast<int>(PanelPage::Work): return 5;
        default: return -1;
    }
}

AdvancedChecks AdvancedOptions(const TSettings& settings) {
    return {settings.MouseResizeAllowed(), settings.MouseWheelAllowed(), settings.ShowValues(),
            settings.ShowHints(),          settings.SettingsOpacity(),   settings.SFrame(),
            settings.MoveUsingGrid()};
}

void ApplyAdvancedOptions(TSettings& settings, const AdvancedChecks& checks) {
    settings.SetMouseResizeAllowed(checks[0]);
    settings.SetMouseWheelAllowed(checks[1]);
    settings.SetShowValues(checks[2]);
    settings.SetShowHints(checks[3]);
    settings.SetSettingsOpacity(checks[4]);
    settings.SetSFrame(checks[5]);
    settings.SetMoveUsingGrid(checks[6]);
}

std::string LanguageFromFileName(std::string_view fileName) {
    constexpr std::size_t kExtensionLength = 4;  // ".lng"
    if (fileName.size() <= kExtensionLength) return {};
    return std::string(fileName.substr(0, fileName.size() - kExtensionLength));
}

int FindLanguage(const std::vector<std::string>& names, std::string_view language, const IPlatformFiles& platform) {
    const std::string wanted = platform.UpperCase(language);
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (platform.UpperCase(names[i]) == wanted) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace lumetra
