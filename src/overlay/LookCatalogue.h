#pragma once
// Every look the program offers: the built-in ones by number, then the guide
// files found at start, numbered on from kBuiltInLookCount.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "overlay/Canvas.h"
#include "overlay/GuideLibrary.h"
#include "overlay/Looks.h"

namespace lumetra {

class LangTable;
class TSettings;

// The guide files of this run; none until the program sets them at start.
const GuideLibrary& ProgramGuides();
void SetProgramGuides(GuideLibrary library);

// The guide files' names in look order, as the settings keep them.
std::vector<std::string> GuideFileNames(const GuideLibrary& library);

// The guide file a LookMode stands for, or nullptr for a built-in or an
// unknown look.
const UserGuide* GuideForLook(const GuideLibrary& library, std::int32_t lookMode);

// The name of the look list and the caption: the language's text for a
// built-in look, the guide's own name in the language (else its file name)
// for a guide file, nothing for a look the program does not have.
std::string LookName(const GuideLibrary& library, std::int32_t lookMode, const LangTable& lang,
                     std::string_view language);

// Draws the built-in look or the guide file the settings choose.
void RenderChosenLook(const GuideLibrary& library, const TSettings& settings, const LangTable& lang,
                      Canvas& canvas, std::int32_t dpi = kDefaultDpi);

}  // namespace lumetra
