#include "overlay/looks/LookCatalogue.h"

#include <utility>

#include "lang/LangTable.h"
#include "settings/AppSettings.h"

namespace lumetra {

namespace {

LookLibrary& Library() {
    static LookLibrary library;
    return library;
}

}  // namespace

const LookLibrary& ProgramLooks() { return Library(); }

void SetProgramLooks(LookLibrary library) { Library() = std::move(library); }

std::vector<std::string> LookFileNames(const LookLibrary& library) {
    std::vector<std::string> names;
    names.reserve(library.guides.size());
    for (const LoadedLookFile& loaded : library.guides) names.push_back(loaded.fileName);
    return names;
}

const UserLook* LookFileForLook(const LookLibrary& library, std::int32_t lookMode) {
    const std::int64_t index = std::int64_t{lookMode} - kBuiltInLookCount;
    if (index < 0 || index >= static_cast<std::int64_t>(library.guides.size())) return nullptr;
    return &library.guides[static_cast<std::size_t>(index)].guide;
}

std::string LookName(const LookLibrary& library, std::int32_t lookMode, const LangTable& lang,
                     std::string_view language) {
    if (lookMode >= 0 && lookMode < kBuiltInLookCount) return lang.Text(BuiltInLookAt(lookMode).nameKey);
    const UserLook* guide = LookFileForLook(library, lookMode);
    if (guide == nullptr) return {};
    const std::string& fileName = library.guides[static_cast<std::size_t>(lookMode - kBuiltInLookCount)].fileName;
    return LookFileDisplayName(*guide, language, fileName);
}

void RenderChosenLook(const LookLibrary& library, const TSettings& settings, const LangTable& lang, Canvas& canvas,
                      std::int32_t dpi, const LookUnits& measuring) {
    if (const UserLook* guide = LookFileForLook(library, settings.LookMode())) {
        RenderUserLook(LookSettingsOf(settings, dpi, measuring), *guide, lang, canvas);
        return;
    }
    RenderLook(settings, lang, canvas, dpi, measuring);
}

}  // namespace lumetra
