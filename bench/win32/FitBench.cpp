// Times the whole fit to a picture in the real window system: the copy of
// the monitor, the guide's own pixels masked out, the search, the move and
// the paint at the new size; then the step back. The copy and the search are
// timed alone as well. The desktop must show the picture under the guide's
// centre: run_bench.py lays a photograph scene there.
//
// Usage: lumetra-bench-fit runs language-file X Y LEFT TOP WIDTH HEIGHT
//   The guide's window starts at (X, Y) with its first-run look and labels;
//   LEFT TOP WIDTH HEIGHT is the picture it should land on.
// Prints one tab-separated row, times as medians in milliseconds:
//   fit <whole fit> <copy> <copy and search> <step back> <exact fits>/<runs> <wrong fits>
// A fit that is not exact either found nothing (the guide stays) or put the
// guide on a wrong rectangle, which it must never do; each wrong one is
// reported on the error stream.
//
// The window keeps its colour key, unlike in the paint benchmark: the copy
// of the screen must see the picture through it. So the figures include
// Wine's rebuilding of the window's X shape at each paint, a cost of its
// display emulation that Windows does not have.
#include "win32/Win32.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <vector>

#include "bench/common/BenchCases.h"
#include "bench/win32/BenchLoop.h"
#include "lang/LangTable.h"
#include "overlay/compose/Compose.h"
#include "overlay/fit/PictureFit.h"
#include "overlay/lookfiles/LookLibrary.h"
#include "win32/GdiHandles.h"
#include "overlay/win32/MainFrm.h"
#include "overlay/win32/ScreenShot.h"
#include "settings/AppSettings.h"

namespace lumetra::bench {
namespace {

double TimeMs(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Waits until the screen shows the window through its colour key, seen at a
// pixel just inside its measured area where no look draws: Wine shapes the
// window a moment after it moved or changed, and a copy of the screen until
// then sees the key colour.
void WaitShown(const TMainForm& form, const TSettings& settings) {
    const Point origin = MeasuredOrigin(form.Position(), settings.Border(), CaptionStripAt(form.Dpi()));
    const WindowDc screen(nullptr);
    for (int tries = 0; tries < 200; ++tries) {
        PumpMessages();
        const COLORREF seen = ::GetPixel(screen.get(), origin.x + 2, origin.y + 2);
        if (seen != static_cast<COLORREF>(kOverlayKeyColor)) return;
        ::Sleep(10);
    }
}

// The copy of the monitor and the search from the guide's centre, as a fit
// does them; answers whether a picture was found.
bool CopyAndSearch(const TMainForm& form, Point centre) {
    const std::optional<ScreenShot> shot = ScreenShot::OfMonitorAt({centre.x, centre.y});
    if (!shot) return false;
    const ScreenImage image = shot->Image();
    const Point origin{shot->Area().left, shot->Area().top};
    IgnoreMask mask(image.width, image.height);
    form.MarkDrawn(mask, origin);
    const std::array<Point, 1> starts{centre};
    return FindPictureFrom(image, origin, mask, starts).has_value();
}

int Run(int argc, char** argv) {
    if (argc != 9) {
        std::fprintf(stderr, "usage: lumetra-bench-fit runs language-file X Y LEFT TOP WIDTH HEIGHT\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    LangTable lang;
    if (!ReadLanguageFile(lang, argv[2])) std::fprintf(stderr, "warning: cannot read %s\n", argv[2]);
    const Point start{std::atoi(argv[3]), std::atoi(argv[4])};
    const Rect picture{std::atoi(argv[5]), std::atoi(argv[6]), std::atoi(argv[5]) + std::atoi(argv[7]),
                       std::atoi(argv[6]) + std::atoi(argv[8])};

    const LookLibrary looks;  // no guide files
    TSettings settings(::GetSystemMetrics(SM_CXSCREEN));
    settings.SetShowValues(true);
    settings.SetOpacity(100);
    NoLinks links;
    TMainForm form(::GetModuleHandleW(nullptr), settings, looks, lang, links);
    form.SetPosition(start);
    // Until the window system shows the window through its colour key, a
    // copy of the screen sees the key colour; a first fit and its undo warm
    // the copy up.
    WaitShown(form, settings);
    form.FitToPictureAtCentre();
    WaitShown(form, settings);
    form.UndoFit();
    WaitShown(form, settings);

    const GuidePlacement want = PlacementOnPicture(settings, picture, form.Dpi());
    const Point centre{(picture.left + picture.right) / 2, (picture.top + picture.bottom) / 2};
    std::vector<double> fits, copies, searches, undos;
    int exact = 0;
    int wrong = 0;
    for (int i = 0; i < runs; ++i) {
        const GuidePlacement before = CurrentPlacement(settings, form.Position());
        fits.push_back(TimeMs([&] { form.FitToPictureAtCentre(); }));
        const GuidePlacement after = CurrentPlacement(settings, form.Position());
        if (after == want) {
            ++exact;
        } else if (after.width != before.width || after.height != before.height) {
            // A fit that found nothing leaves the size; the place may still
            // be on its way through the window manager.
            ++wrong;
            std::fprintf(stderr, "wrong fit %d: window at %ld,%ld, %ld x %ld\n", i, static_cast<long>(after.position.x),
                         static_cast<long>(after.position.y), static_cast<long>(after.width),
                         static_cast<long>(after.height));
        }
        WaitShown(form, settings);
        copies.push_back(TimeMs([&] { (void)ScreenShot::OfMonitorAt({centre.x, centre.y}); }));
        searches.push_back(TimeMs([&] { (void)CopyAndSearch(form, centre); }));
        undos.push_back(TimeMs([&] { form.UndoFit(); }));
        WaitShown(form, settings);
    }
    std::printf("fit\t%.3f\t%.3f\t%.3f\t%.3f\t%d/%d\t%d\n", Median(fits), Median(copies), Median(searches),
                Median(undos), exact, runs, wrong);
    return exact == runs ? 0 : 1;
}

}  // namespace
}  // namespace lumetra::bench

int main(int argc, char** argv) { return lumetra::bench::Run(argc, argv); }
