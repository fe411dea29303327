// Taking the composition away: the screen inside the measured area with the
// guide on top, to the clipboard or into a PNG file; the guide's drawing
// alone, as SVG or as a PNG with a transparent background; and the ratio of
// the measured area named.

#include "lang/Format.h"
#include "lang/LangTable.h"
#include "lang/Texts.h"
#include "overlay/compose/Compose.h"
#include "overlay/compose/Composition.h"
#include "overlay/compose/LookCatalogue.h"
#include "overlay/win32/MainFrm.h"
#include "win32/MonitorSize.h"
#include "overlay/win32/ScreenShot.h"
#include "settings/win32/PlatformFiles.h"

namespace lumetra {

std::vector<std::uint32_t> TMainForm::DrawnArea() {
    if (!buffer_) return {};
    PaintNow();  // the buffer holds what the screen shows
    const DibPixels drawn = buffer_->Pixels();
    const auto [left, top] = MeasuredOrigin({0, 0}, settings_.Border(), CaptionStripAt(dpi_));
    const int width = settings_.Width();
    const int height = settings_.Height();
    if (width <= 0 || height <= 0 || left + width > drawn.width || top + height > drawn.height) return {};
    std::vector<std::uint32_t> area;
    area.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = top; y < top + height; ++y) {
        const std::uint32_t* row = drawn.bits + static_cast<std::size_t>(y) * static_cast<std::size_t>(drawn.width);
        area.insert(area.end(), row + left, row + left + width);
    }
    return area;
}

std::vector<std::uint32_t> TMainForm::Composition() {
    // Our own transient windows are no part of what lies beneath.
    hint_.Hide();
    notice_.Hide();
    const std::vector<std::uint32_t> drawn = DrawnArea();
    if (drawn.empty()) return {};
    const Point origin = MeasuredOrigin(Position(), settings_.Border(), CaptionStripAt(dpi_));
    const int width = settings_.Width();
    const int height = settings_.Height();
    const RECT area{origin.x, origin.y, origin.x + width, origin.y + height};
    // Windows leaves layered windows, the guides and the panel, out of the
    // copy; Wine copies what the display shows, and the drawing covers that.
    const std::optional<ScreenShot> shot = ScreenShot::OfArea(area);
    if (!shot) return {};
    const ScreenImage screen = shot->Image();
    return ComposeOverScreen({screen.pixels, screen.width, screen.height, screen.stride}, {drawn, width, height, width},
                             DibPixel(kOverlayKeyColor));
}

void TMainForm::CopyComposition() {
    const std::vector<std::uint32_t> picture = Composition();
    const bool copied =
        !picture.empty() && CopyToClipboard(window_.get(), {picture, settings_.Width(), settings_.Height()});
    ShowNotice(lang_.Text(copied ? texts::MCompositionCopied : texts::MCompositionNotCopied));
}

std::optional<SaveChoice> TMainForm::AskSave(std::string_view titleKey, const std::vector<SaveFileType>& types) {
    const std::string look = LookName(looks_, settings_.LookMode(), lang_, settings_.Lang());
    const std::string name =
        CompositionFileName(look, settings_.Width(), settings_.Height(), "." + types.front().extension);
    std::optional<SaveChoice> choice =
        lumetra::AskSavePath(window_.get(), lang_.Text(titleKey), settings_.SaveFolder(), name, types);
    if (choice) settings_.SetSaveFolder(FolderOf(choice->path));
    return choice;
}

void TMainForm::SaveComposition() {
    // Taken before the dialog covers the screen.
    const std::vector<std::uint32_t> picture = Composition();
    if (picture.empty()) {
        ShowNotice(lang_.Text(texts::MCompositionNotCopied));
        return;
    }
    const std::optional<SaveChoice> choice = AskSave(texts::MSaveComposition, {{lang_.Text(texts::MFilePng), "png"}});
    if (!choice) return;
    if (!SavePng(choice->path, {picture, settings_.Width(), settings_.Height()}, PngResolutionNow())) {
        ShowNotice(FormatTemplate(lang_.Text(texts::MFileNotWritten), {choice->path}));
    }
}

bool TMainForm::SaveCompositionTo(const std::string& path) {
    const std::vector<std::uint32_t> picture = Composition();
    return !picture.empty() && SavePng(path, {picture, settings_.Width(), settings_.Height()}, PngResolutionNow());
}

void TMainForm::SaveGuideLayer() {
    const std::optional<SaveChoice> choice = AskSave(
        texts::MSaveGuide, {{lang_.Text(texts::MFileTransparentPng), "png"}, {lang_.Text(texts::MFileSvg), "svg"}});
    if (!choice) return;
    bool written = false;
    if (choice->type == 0) {
        const std::vector<std::uint32_t> drawn = DrawnArea();
        const std::vector<std::uint32_t> layer =
            GuideLayer({drawn, settings_.Width(), settings_.Height(), settings_.Width()}, DibPixel(kOverlayKeyColor));
        written =
            !layer.empty() && SavePng(choice->path, {layer, settings_.Width(), settings_.Height()}, PngResolutionNow());
    } else {
        written = Win32PlatformFiles().ReplaceFileContents(
            choice->path, GuideLayerSvg(settings_, looks_, lang_, ExportDensityNow()));
    }
    if (!written) ShowNotice(FormatTemplate(lang_.Text(texts::MFileNotWritten), {choice->path}));
}

void TMainForm::ShowPictureRatio() {
    const LookUnits units = MeasuringUnits();
    ShowNotice(PictureRatioText(settings_.Width(), settings_.Height(), lang_, units.decimalSeparator, units));
}

ExportDensity TMainForm::ExportDensityNow() const {
    const LookUnits units = MeasuringUnits();
    return {units.unit, units.across, units.down};
}

std::optional<PngResolution> TMainForm::PngResolutionNow() const { return PngResolutionOf(ExportDensityNow()); }

LengthScale TMainForm::MeasuringScale(bool alongWidth) const {
    const LookUnits units = MeasuringUnits();
    return {units.dpi, alongWidth ? units.across : units.down, alongWidth ? settings_.Width() : settings_.Height()};
}

LookUnits TMainForm::MeasuringUnits() const {
    LookUnits units;
    units.unit = UnitOf(settings_.Units());
    units.decimalSeparator = Win32PlatformFiles().DecimalSeparator();
    units.dpi = dpi_;
    // Device pixels need nothing of the monitor: no query at every paint.
    if (units.unit == Unit::DevicePixels) return units;
    const MonitorFacts facts = MeasuringMonitor();
    const MonitorDensity density = DensityOf(facts);
    units.dpi = facts.dpi;
    units.across = density.width;
    units.down = density.height;
    return units;
}

void TMainForm::FollowMeasuringMonitor() {
    if (UnitOf(settings_.Units()) == Unit::DevicePixels) {
        measuredOn_.reset();
        return;
    }
    if (!placed_ || ::IsIconic(window_.get())) return;
    const LookUnits now = MeasuringUnits();
    const bool otherMonitor = measuredOn_.has_value() && !MeasuredAlike(*measuredOn_, now);
    // Set before the repaint it asks for comes, so that the moves until then
    // ask for none.
    measuredOn_ = now;
    if (otherMonitor) settings_.MeasuringChanged();
}

MonitorFacts TMainForm::MeasuringMonitor() const {
    const Point centre = MeasuredCentre();
    return MonitorFactsAt(POINT{centre.x, centre.y}, settings_.MonitorCalibrations());
}

}  // namespace lumetra
