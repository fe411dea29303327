#include "overlay/compose/LookCatalogue.h"

#include "lang/LangTable.h"

namespace lumetra {

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

void RenderChosenLook(const LookLibrary& library, const LookSettings& look, const LangTable& lang, Canvas& canvas) {
    if (const UserLook* guide = LookFileForLook(library, look.lookMode)) {
        RenderUserLook(look, *guide, lang, canvas);
        return;
    }
    RenderLook(look, lang, canvas);
}

}  // namespace lumetra
