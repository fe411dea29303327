#include "overlay/LookCatalogue.h"

#include <utility>

#include "lang/LangTable.h"
#include "settings/AppSettings.h"

namespace lumetra {

namespace {

GuideLibrary& Library() {
    static GuideLibrary library;
    return library;
}

}  // namespace

const GuideLibrary& ProgramGuides() { return Library(); }

void SetProgramGuides(GuideLibrary library) { Library() = std::move(library); }

std::vector<std::string> GuideFileNames(const GuideLibrary& library) {
    std::vector<std::string> names;
    names.reserve(library.guides.size());
    for (const LoadedGuide& loaded : library.guides) names.push_back(loaded.fileName);
    return names;
}

const UserGuide* GuideForLook(const GuideLibrary& library, std::int32_t lookMode) {
    const std::int64_t index = std::int64_t{lookMode} - kBuiltInLookCount;
    if (index < 0 || index >= static_cast<std::int64_t>(library.guides.size())) return nullptr;
    return &library.guides[static_cast<std::size_t>(index)].guide;
}

std::string LookName(const GuideLibrary& library, std::int32_t lookMode, const LangTable& lang,
                     std::string_view language) {
    if (lookMode >= 0 && lookMode < kBuiltInLookCount) return lang.Text("MSLook" + std::to_string(lookMode));
    const UserGuide* guide = GuideForLook(library, lookMode);
    if (guide == nullptr) return {};
    const std::string& fileName = library.guides[static_cast<std::size_t>(lookMode - kBuiltInLookCount)].fileName;
    return GuideDisplayName(*guide, language, fileName);
}

void RenderChosenLook(const GuideLibrary& library, const TSettings& settings, const LangTable& lang,
                      Canvas& canvas, std::int32_t dpi) {
    if (const UserGuide* guide = GuideForLook(library, settings.LookMode())) {
        RenderUserGuide(LookSettingsOf(settings, dpi), *guide, lang, canvas);
        return;
    }
    RenderLook(settings, lang, canvas, dpi);
}

}  // namespace lumetra
