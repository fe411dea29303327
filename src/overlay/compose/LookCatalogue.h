#pragma once
// Every look the program offers: the built-in ones by number, then the guide
// files found at start, numbered on from kBuiltInLookCount.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "canvas/Canvas.h"
#include "overlay/lookfiles/LookLibrary.h"
#include "overlay/lookfiles/LookFileDraw.h"
#include "overlay/looks/Looks.h"

namespace lumetra {

class LangTable;

// The guide files' names in look order, as the settings keep them.
std::vector<std::string> LookFileNames(const LookLibrary& library);

// The guide file a LookMode stands for, or nullptr for a built-in or an
// unknown look.
const UserLook* LookFileForLook(const LookLibrary& library, std::int32_t lookMode);

// The name of the look list and the caption: the language's text for a
// built-in look, the guide's own name in the language (else its file name)
// for a guide file, nothing for a look the program does not have.
std::string LookName(const LookLibrary& library, std::int32_t lookMode, const LangTable& lang,
                     std::string_view language);

// Draws the built-in look or the guide file the look's LookMode chooses.
void RenderChosenLook(const LookLibrary& library, const LookSettings& look, const LangTable& lang, Canvas& canvas);

}  // namespace lumetra
