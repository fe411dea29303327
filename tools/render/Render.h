#pragma once
// lumetra-render as a library: reads the settings and the language, applies
// the command-line options and draws the look into an SVG document.
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "tools/render/RenderOptions.h"

namespace lumetra {

class IPlatformFiles;
class LangTable;
class TSettings;
struct UserLook;

// The separator a settings file's Ratio was written with: ',' when only a
// comma reads it, else '.'.
char SettingsDecimalSeparator(std::string_view ini);

// Applies the options through the setters: ratio first, then the sizes with
// their lock rule, then the rest. Empty, or why a value cannot be honoured.
std::string ApplyRenderOptions(const RenderOptions& options, TSettings& settings);

// The look of the settings as SVG: the overlay's client area without its
// 16-row caption strip; with a physical unit, at its true size.
std::string RenderSvg(const TSettings& settings, const LangTable& lang, const ExportDensity& density = {});
// A guide file's guide drawn in the same way.
std::string RenderGuideSvg(const TSettings& settings, const UserLook& guide, const LangTable& lang,
                           const ExportDensity& density = {});

// The unit and densities of --units and --pixels-per-mm.
ExportDensity ExportDensityOf(const RenderOptions& options);

struct RenderEnvironment {
    IPlatformFiles& platform;
    // Second place to look for English.lng after the tool's own folder, with
    // a trailing separator; empty for none.
    std::string fallbackLangFolder;
    std::ostream& out;
    std::ostream& err;
};

// The whole command: args without the program name; gives the exit status.
int RunRender(const std::vector<std::string>& args, RenderEnvironment& env);

}  // namespace lumetra
