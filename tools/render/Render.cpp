#include "tools/render/Render.h"

#include <ostream>

#include "lang/LangTable.h"
#include "overlay/compose/Compose.h"
#include "overlay/lookfiles/LookFileDraw.h"
#include "overlay/lookfiles/LookLibrary.h"
#include "overlay/looks/Looks.h"
#include "overlay/draw/SvgCanvas.h"
#include "settings/AppSettings.h"
#include "settings/IniCodec.h"
#include "settings/IniValues.h"
#include "settings/SettingsFile.h"

namespace lumetra {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitWriteFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitGuideErrors = 3;

// The panel's place depends on the screen; an export never shows the panel.
constexpr std::int32_t kNoScreenWidth = 0;

// Merges every entry of one language file; false when it does not open.
bool MergeLanguageFile(LangTable& table, const IPlatformFiles& platform, const std::string& path) {
    const auto file = platform.OpenForReading(path);
    if (!file) return false;
    MergeLanguageFile(table, *file, platform);
    return true;
}

// Height h keeps the width it implies at 58 or more: the setter's own test.
bool HeightFitsRatio(std::int64_t h, double ratio) { return static_cast<long double>(h) / ratio >= kMinWidth; }

std::string CheckHeight(std::int32_t height, double ratio) {
    if (HeightFitsRatio(height, ratio)) return {};
    std::int64_t smallest = 1;
    while (!HeightFitsRatio(smallest, ratio)) ++smallest;  // ratio <= 100: at most 5800 steps
    return "--height: " + std::to_string(height) + " is too small for the ratio " + FormatIniReal(ratio, '.') +
           " (at least " + std::to_string(smallest) + ")";
}

// The client area at 96 dpi without its caption strip, in the looks' pixels.
SvgCanvas ExportCanvas(const TSettings& settings, const ExportDensity& density) {
    const FrameSize frame = OverlayFrameSize(settings);
    SvgCanvas canvas({0, kCaptionRows, frame.width, frame.height});
    canvas.SetPhysicalSize(density);
    return canvas;
}

// "FILE:LINE: message", or "FILE: message" for the file as a whole.
void PrintGuideErrors(std::ostream& err, const std::string& file, const std::vector<LookFileError>& errors) {
    for (const LookFileError& error : errors) {
        err << file;
        if (error.line > 0) err << ':' << error.line;
        err << ": " << error.message << '\n';
    }
}

int CheckGuide(const std::string& file, RenderEnvironment& env) {
    const std::optional<LookFileParse> parse = ReadLookFile(env.platform, file);
    if (!parse) {
        env.err << "lumetra-render: cannot read the guide file '" << file << "'\n";
        return kExitUsage;
    }
    if (!parse->errors.empty()) {
        PrintGuideErrors(env.err, file, parse->errors);
        return kExitGuideErrors;
    }
    const std::size_t count = parse->guide.elements.size();
    env.out << file << ": OK, " << count << (count == 1 ? " element\n" : " elements\n");
    return kExitOk;
}

}  // namespace

char SettingsDecimalSeparator(std::string_view ini) {
    const auto ratio = IniText(ini).Get("Settings", "Ratio");
    if (ratio && !ParseIniReal(*ratio, '.') && ParseIniReal(*ratio, ',')) return ',';
    return '.';
}

std::string ApplyRenderOptions(const RenderOptions& options, TSettings& settings) {
    if (options.ratio) settings.SetRatio(*options.ratio);
    if (options.height) {
        if (auto problem = CheckHeight(*options.height, settings.Ratio()); !problem.empty()) return problem;
    }
    if (options.width && options.height) {
        settings.SetLock(false);
        settings.SetWidth(*options.width);
        settings.SetHeight(*options.height);
    } else if (options.width) {
        if (settings.Lock() && !settings.LockWidth()) {
            settings.SetLockWidth(true);
            settings.ApplyLock();
        }
        settings.SetWidth(*options.width);
    } else if (options.height) {
        if (settings.Lock() && settings.LockWidth()) {
            settings.SetLockWidth(false);
            settings.ApplyLock();
        }
        settings.SetHeight(*options.height);
    }
    if (options.border) settings.SetBorder(*options.border);
    if (options.look) settings.SetLookMode(*options.look);
    if (options.orient) settings.SetOrientMode(*options.orient);
    if (options.grid) settings.SetGridSize(*options.grid);
    if (options.values) settings.SetShowValues(*options.values);
    if (options.linesColor) settings.SetLinesColor(*options.linesColor);
    if (options.valuesColor) settings.SetValuesColor(*options.valuesColor);
    if (options.lineWidth) settings.SetLineWidth(*options.lineWidth);
    if (options.halo) settings.SetHalo(*options.halo);
    if (options.haloColor) settings.SetHaloColor(*options.haloColor);
    if (options.labelSize) settings.SetLabelSize(*options.labelSize);
    return {};
}

ExportDensity ExportDensityOf(const RenderOptions& options) {
    ExportDensity density;
    density.unit = options.unit.value_or(Unit::DevicePixels);
    if (options.pixelsPerMm) {
        density.width = options.pixelsPerMm->width;
        density.height = options.pixelsPerMm->height;
    }
    return density;
}

std::string RenderSvg(const TSettings& settings, const LangTable& lang, const ExportDensity& density) {
    SvgCanvas canvas = ExportCanvas(settings, density);
    RenderLook(LookSettingsOf(settings), lang, canvas);
    return canvas.Document();
}

std::string RenderGuideSvg(const TSettings& settings, const UserLook& guide, const LangTable& lang,
                           const ExportDensity& density) {
    SvgCanvas canvas = ExportCanvas(settings, density);
    RenderUserLook(LookSettingsOf(settings), guide, lang, canvas);
    return canvas.Document();
}

int RunRender(const std::vector<std::string>& args, RenderEnvironment& env) {
    const ParsedOptions parsed = ParseRenderOptions(args);
    const auto fail = [&env](const std::string& message, int status) {
        env.err << "lumetra-render: " << message << '\n';
        return status;
    };
    if (!parsed.error.empty()) return fail(parsed.error, kExitUsage);
    const RenderOptions& options = parsed.options;
    if (options.help) {
        env.out << RenderHelp();
        return kExitOk;
    }
    if (options.checkFile) return CheckGuide(*options.checkFile, env);
    if (options.guideFile && options.look) return fail("--guide and --look exclude each other", kExitUsage);
    std::optional<LookFileParse> guide;
    if (options.guideFile) {
        guide = ReadLookFile(env.platform, *options.guideFile);
        if (!guide) return fail("cannot read the guide file '" + *options.guideFile + "'", kExitUsage);
        if (!guide->errors.empty()) {
            PrintGuideErrors(env.err, *options.guideFile, guide->errors);
            return kExitGuideErrors;
        }
    }

    TSettings settings(kNoScreenWidth);
    if (options.settingsFile) {
        const auto text = env.platform.ReadWholeFile(*options.settingsFile);
        if (!text) return fail("cannot read the settings file '" + *options.settingsFile + "'", kExitUsage);
        settings.LoadFromText(*text, SettingsDecimalSeparator(*text));
    }
    if (auto problem = ApplyRenderOptions(options, settings); !problem.empty()) return fail(problem, kExitUsage);

    LangTable lang;
    const std::string besideTool = SettingsFile(env.platform).ExeFolder() + "English.lng";
    if (!MergeLanguageFile(lang, env.platform, besideTool) &&
        (env.fallbackLangFolder.empty() ||
         !MergeLanguageFile(lang, env.platform, env.fallbackLangFolder + "English.lng"))) {
        env.err << "lumetra-render: English.lng not found; labels show their keys\n";
    }
    if (options.langFile && !MergeLanguageFile(lang, env.platform, *options.langFile))
        return fail("cannot read the language file '" + *options.langFile + "'", kExitUsage);

    const ExportDensity density = ExportDensityOf(options);
    const std::string svg =
        guide ? RenderGuideSvg(settings, guide->guide, lang, density) : RenderSvg(settings, lang, density);
    if (!options.outputFile || *options.outputFile == "-") {
        env.out << svg;
        env.out.flush();
        return env.out ? kExitOk : fail("cannot write the standard output", kExitWriteFailed);
    }
    if (!env.platform.ReplaceFileContents(*options.outputFile, svg))
        return fail("cannot write '" + *options.outputFile + "'", kExitWriteFailed);
    return kExitOk;
}

}  // namespace lumetra
