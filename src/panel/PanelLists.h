#pragma once
// The fixed tables behind the panel's lists: the named colours of the colour
// pickers, the page numbers stored in SPage, the seven advanced options and
// the language names taken from file names.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Types.h"
#include "panel/PanelView.h"
#include "settings/AppSettings.h"

namespace lumetra {

class IPlatformFiles;

// The orientations list: one item for each OrientMode.
inline constexpr int kOrientCount = 4;

struct NamedColor {
    const char* name;
    Color color;
};

inline constexpr const char* kCustomColorName = "Custom...";
inline constexpr int kNamedColorCount = 20;
// Entries 1..20 of a colour picker; entry 0 is the custom one.
const std::array<NamedColor, kNamedColorCount>& NamedColors();
// The first picker entry showing color: 1..20, or 0 (custom) for any other.
int ColorEntryFor(Color color);
// The halo's picker has one more entry after the named colours: automatic,
// which leaves the halo colour to the lines colour.
inline constexpr int kAutoColorEntry = kNamedColorCount + 1;
// ColorEntryFor, or kAutoColorEntry for the automatic halo colour.
int HaloEntryFor(Color haloColor);

// The label size list: automatic, then every size from the smallest to the
// largest.
inline constexpr int kLabelSizeEntryCount = 1 + kMaxLabelSize - kMinLabelSize + 1;
// labelSize is automatic or within the label bounds, as the setter keeps it.
int LabelSizeEntryFor(std::int32_t labelSize);
// Nothing for an index outside the list.
std::optional<std::int32_t> LabelSizeOfEntry(int entry);

// Tab pages in their order on the tab control.
enum class PanelPage { Main = 0, Look = 1, Colors = 2, Advanced = 3, Work = 4 };
inline constexpr int kPanelPageCount = 5;
inline constexpr int kNoPage = -1;

// Tab index for a stored SPage: 0 Main, 1 or 2 Look, 3 Colors, 4 Advanced,
// 5 Work, kNoPage for anything else.
int PageFromSPage(std::int32_t sPage);
// SPage to store for a tab index: 0, 2, 3, 4, 5, or -1 when no page is shown.
std::int32_t SPageFromPage(int page);

// Entries of the advanced list, in list order, read from the settings.
AdvancedChecks AdvancedOptions(const TSettings& settings);
// Calls the seven setters in entry order, each with its entry's check.
void ApplyAdvancedOptions(TSettings& settings, const AdvancedChecks& checks);

// A "*.lng" file name without its last four characters.
std::string LanguageFromFileName(std::string_view fileName);
// The index of the name equal to language, letter case ignored by the
// user locale's rules; -1 if none.
int FindLanguage(const std::vector<std::string>& names, std::string_view language, const IPlatformFiles& platform);

}  // namespace lumetra
