#include "overlay/Looks.h"

#include <algorithm>
#include <array>

#include "overlay/Marks.h"
#include "settings/AppSettings.h"

namespace lumetra {

namespace {

// Settings files are untrusted: keep every size within the bounds the
// setters enforce, so sums and products stay in 32 bits and the grid step
// can never be zero.
LookSettings WithinBounds(LookSettings s) {
    s.width = std::clamp(s.width, 0, kMaxDimension);
    s.height = std::clamp(s.height, 0, kMaxDimension);
    s.border = std::clamp(s.border, 0, kMaxBorder);
    s.gridSize = std::clamp(s.gridSize, kMinGridSize, kMaxGridSize);
    return s;
}

using LookFunction = void (*)(const LookContext&);

constexpr std::array<LookFunction, kLookCount> kLooks = {
    LookGrid,   LookRatioSteps,   LookHalves,      LookThirds,      LookPhiLines,
    LookSpiral, LookFourSpirals,  LookSlowSpiral,  LookCircles,     LookCentredSteps,
    LookInsetFrames, LookPageCanon, LookArmature,  LookPhiCross,
};

}  // namespace

LookSettings LookSettingsOf(const TSettings& settings) {
    LookSettings s;
    s.width = settings.Width();
    s.height = settings.Height();
    s.border = settings.Border();
    s.gridSize = settings.GridSize();
    s.orientMode = settings.OrientMode();
    s.lookMode = settings.LookMode();
    s.ratio = settings.Ratio();
    s.showValues = settings.ShowValues();
    s.linesColor = settings.LinesColor();
    s.valuesColor = settings.ValuesColor();
    return s;
}

void RenderLook(const TSettings& settings, const LangTable& lang, Canvas& canvas) {
    RenderLook(LookSettingsOf(settings), lang, canvas);
}

void RenderLook(const LookSettings& settings, const LangTable& lang, Canvas& canvas) {
    const LookSettings s = WithinBounds(settings);
    const LookContext look{
        s, ComputeOrientFrame(s.width, s.height, s.border, s.orientMode), lang, canvas};
    canvas.SetTextColor(s.valuesColor);
    canvas.SetPenColor(s.linesColor);
    if (s.lookMode < 0 || s.lookMode >= kLookCount) return;
    kLooks[static_cast<std::size_t>(s.lookMode)](look);
}

}  // namespace lumetra
