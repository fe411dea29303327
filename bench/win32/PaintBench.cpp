// Times the overlay's full paint in the real window system: composing into
// the DIB-section back buffer and copying it to the window, side by side with
// the floor (filling and copying the same buffer with nothing drawn). Then
// one resize step through the overlay window against the floor of its size and
// against the same resize of the bare window.
//
// Usage: lumetra-bench-paint runs language-file MODE, where MODE is one of
//   paint SIZE CASE | split SIZE CASE | profile SIZE CASE | resize | check [PART PARTS] | list
// SIZE and CASE index kBenchSizes and BenchCases(); list prints their
// names. One case per process, so a case that the window system cannot
// show ends only itself. Prints one tab-separated row, times as medians:
//   paint  <case> <size> <paint ms> <floor ms>
//   split  <case> <size> <paint ms> <floor ms> <compose ms> <copy ms> <mark ms>
//          the paint's steps timed apart: composing (held lines written),
//          copying to the window, drawing the orientation mark on it
//   resize <case> <size> <step ms>  <floor ms>  <bare window's step ms>
//   check [PART PARTS]: composes every case through direct pixel writes and
//          through GDI alone and prints where they differ; exits 1 if any do.
//          With PART and PARTS, only every PARTS-th composition from the
//          PART-th (0-based), so that several processes share the check
//   profile <case> <size> <compose ms> <computing ms> <timed compose ms>
//           then per kind of canvas call its mean ms and calls per paint:
//           where a paint's time goes. Computing composes on a canvas that
//           only counts; the timed compose carries two clock reads per call.
//
// The overlay window runs without its layered style here. Wine emulates the
// colour key by rebuilding the window's X shape from its pixels each time it
// shows them: hundreds of milliseconds for diagonal lines at 4K, and past
// what one X request can carry for a fine grid. That is Wine's cost of
// showing the picture, not the paint's, and Windows has no such step.
#include "win32/Win32.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/CountingCanvas.h"
#include "bench/common/BenchCases.h"
#include "bench/win32/BenchLoop.h"
#include "lang/LangTable.h"
#include "overlay/compose/Compose.h"
#include "overlay/compose/LookCatalogue.h"
#include "overlay/looks/Looks.h"
#include "win32/BackBuffer.h"
#include "canvas/DibWriter.h"
#include "win32/FrameIcons.h"
#include "win32/GdiCanvas.h"
#include "overlay/win32/MainFrm.h"
#include "settings/AppSettings.h"

namespace lumetra::bench {
namespace {

double NowMs() {
    static const double ticksPerMs = [] {
        LARGE_INTEGER frequency{};
        ::QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / ticksPerMs;
}

double TimeMs(const std::function<void()>& work) {
    const double start = NowMs();
    work();
    return NowMs() - start;
}

// The same window and buffer size as the overlay's paint, nothing drawn.
void PaintFloor(HWND window, BackBuffer& buffer, FrameSize frame) {
    const WindowDc dc(window);
    if (!dc || !buffer.Resize(frame.width, frame.height)) return;
    buffer.canvas().Fill(Rect{0, 0, frame.width, frame.height}, kOverlayKeyColor);
    buffer.CopyTo(dc.get(), frame.width, frame.height);
}

// Forwards every call and adds up the time spent in each kind of call.
class TimingCanvas final : public Canvas {
public:
    enum Kind { kLines, kEllipses, kTexts, kBoxTexts, kExtents, kFonts, kFills, kIcons, kKinds };
    static constexpr std::array<const char*, kKinds> kNames{"lines",   "ellipses", "texts", "box texts",
                                                            "extents", "fonts",    "fills", "pictures"};

    explicit TimingCanvas(Canvas& target) : target_(target) {}

    void MoveTo(int x, int y) override {
        Time(kLines, [&] { target_.MoveTo(x, y); });
    }
    void LineTo(int x, int y) override {
        Time(kLines, [&] { target_.LineTo(x, y); });
    }
    void Ellipse(const Rect& box) override {
        Time(kEllipses, [&] { target_.Ellipse(box); });
    }
    void TextOut(int x, int y, std::string_view text) override {
        Time(kTexts, [&] { target_.TextOut(x, y, text); });
    }
    TextSize TextExtent(std::string_view text) override {
        TextSize size;
        Time(kExtents, [&] { size = target_.TextExtent(text); });
        return size;
    }
    void BoxText(const Rect& box, std::string_view text, BoxPlacement placement) override {
        Time(kBoxTexts, [&] { target_.BoxText(box, text, placement); });
    }
    void TextHalo(int x, int y, std::string_view text) override {
        Time(kTexts, [&] { target_.TextHalo(x, y, text); });
    }
    void BoxTextHalo(const Rect& box, std::string_view text, BoxPlacement placement) override {
        Time(kBoxTexts, [&] { target_.BoxTextHalo(box, text, placement); });
    }
    void SetFontAngle(float degrees) override {
        Time(kFonts, [&] { target_.SetFontAngle(degrees); });
    }
    void SetPenColor(Color color) override {
        Time(kLines, [&] { target_.SetPenColor(color); });
    }
    void SetPenWidth(int width) override {
        Time(kLines, [&] { target_.SetPenWidth(width); });
    }
    void SetFontHeight(int height) override {
        Time(kFonts, [&] { target_.SetFontHeight(height); });
    }
    void SetTextColor(Color color) override {
        Time(kTexts, [&] { target_.SetTextColor(color); });
    }
    void Fill(const Rect& area, Color color) override {
        Time(kFills, [&] { target_.Fill(area, color); });
    }
    void DrawIcon(FrameIcon picture, int x, int y) override {
        Time(kIcons, [&] { target_.DrawIcon(picture, x, y); });
    }

    void Print(int paints) const {
        for (std::size_t kind = 0; kind < kKinds; ++kind) {
            std::printf("\t%s %.4f ms (%d calls)", kNames[kind], totals_[kind] / paints, counts_[kind] / paints);
        }
        std::printf("\n");
    }

private:
    template <typename Work>
    void Time(Kind kind, Work work) {
        const double start = NowMs();
        work();
        totals_[kind] += NowMs() - start;
        ++counts_[kind];
    }

    Canvas& target_;
    std::array<double, kKinds> totals_{};
    std::array<int, kKinds> counts_{};
};

// The first pixel where two compositions differ, within width x height.
struct Difference {
    int x = 0;
    int y = 0;
    std::uint32_t direct = 0;
    std::uint32_t reference = 0;
};

std::optional<Difference> FirstDifference(const DibPixels& direct, const DibPixels& reference, int width, int height) {
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* directRow = direct.bits + static_cast<std::ptrdiff_t>(y) * direct.width;
        const std::uint32_t* referenceRow = reference.bits + static_cast<std::ptrdiff_t>(y) * reference.width;
        for (int x = 0; x < width; ++x) {
            if (directRow[x] != referenceRow[x]) return Difference{x, y, directRow[x], referenceRow[x]};
        }
    }
    return std::nullopt;
}

// The first difference between the direct writes and GDI alone composing
// the settings into buffers made for the frame's size.
std::optional<Difference> CompareWrites(const TSettings& settings, const LookLibrary& looks, const LangTable& lang,
                                        const FrameIcons& pictures) {
    const FrameSize frame = OverlayFrameSize(settings);
    const auto direct = BackBuffer::Create(frame.width, frame.height, pictures);
    const auto reference = BackBuffer::Create(frame.width, frame.height, pictures, BackBuffer::Writes::GdiOnly);
    if (!direct || !reference) throw std::runtime_error("Unable to create the back buffers");
    ComposeBuffer(GuidePictureOf(settings, true), looks, lang, direct->canvas());
    ComposeBuffer(GuidePictureOf(settings, true), looks, lang, reference->canvas());
    // Whole rows, the columns the buffers' padding adds beyond the frame
    // included: that is where both clip on the right.
    const DibPixels directPixels = direct->Pixels();
    const DibPixels referencePixels = reference->Pixels();
    return FirstDifference(directPixels, referencePixels, std::min(directPixels.width, referencePixels.width),
                           frame.height);
}

// Lines and ellipses of three colours crossing each other and running off the
// bitmap, vertical ones among slanted ones and a fill between them, across
// many bands of rows: what a later drawing covers must stay covered.
void DrawCrossings(Canvas& canvas, int width, int height, int lineWidth) {
    constexpr std::array<Color, 3> colors{0x0000FF, 0x00FF00, 0xFF0000};
    canvas.SetPenWidth(lineWidth);
    // Each fill comes after the pen colour is set, so that the lines after
    // it are drawn together with it.
    canvas.SetPenColor(colors[0]);
    canvas.Fill(Rect{0, 0, width, height}, 0x000000);
    for (int i = 0; i < 90; ++i) {
        canvas.SetPenColor(colors[static_cast<std::size_t>(i) % colors.size()]);
        if (i == 45) canvas.Fill(Rect{width / 4, height / 4, width / 2, height / 2}, 0x808080);
        const int x = i * 37 % width;
        const int y = i * 23 % height;
        canvas.MoveTo(x - 50, -20);
        canvas.LineTo(x + 70, height + 20);
        canvas.MoveTo(-10, y);
        canvas.LineTo(width + 10, (y * 7 + 11) % height);
        canvas.MoveTo(x + 1, 5);
        canvas.LineTo(x + 1, height - 5);
        canvas.LineTo(x + 40, y);
        canvas.LineTo(x + 200, y + 90);
        // Ellipses of every shape from tiny to larger than the bitmap, odd
        // and even across, some turned around, many running off its edges.
        const int across = 1 + i * i * 13 % (width + 40);
        const int down = 1 + i * 29 % (height / 2 + 30);
        const Rect box{x - across / 2, y - down / 2, x - across / 2 + across, y - down / 2 + down};
        canvas.Ellipse(i % 7 == 3 ? Rect{box.right, box.bottom, box.left, box.top} : box);
        canvas.Ellipse({x, y, x + 1 + i % 4, y + 1 + i % 3});
    }
}

std::optional<Difference> CompareCrossings(FrameSize frame, int lineWidth, const FrameIcons& pictures) {
    const auto direct = BackBuffer::Create(frame.width, frame.height, pictures);
    const auto reference = BackBuffer::Create(frame.width, frame.height, pictures, BackBuffer::Writes::GdiOnly);
    if (!direct || !reference) throw std::runtime_error("Unable to create the back buffers");
    DrawCrossings(direct->canvas(), frame.width, frame.height, lineWidth);
    DrawCrossings(reference->canvas(), frame.width, frame.height, lineWidth);
    return FirstDifference(direct->Pixels(), reference->Pixels(), frame.width, frame.height);
}

// Lines in a colour GDI resolves itself (a palette-relative one), which the
// back buffer leaves to GDI rather than writing it.
constexpr Color kPaletteLinesColor = 0x02C08040;

// One of several processes that share the check: it compares the
// compositions whose ordinal leaves `index` over `count`, and sets up the
// others' settings all the same, so every composition it compares is the
// one a single process would.
struct CheckShare {
    int index = 0;
    int count = 1;
    bool Takes(int ordinal) const { return ordinal % count == index; }
};

// Composes every case at every size, in each orientation, with and without
// values (and at the smallest size in a palette-relative colour), twice:
// through the back buffer's direct pixel writes and through GDI alone. Each
// buffer is made for the frame's size, so both clip at the same edges. The
// crossings follow, at two sizes and several widths. Prints each difference
// and a summary of the share's compositions; false on any difference.
bool CheckPixels(TSettings& settings, const LangTable& lang, const FrameIcons& pictures, CheckShare share) {
    const Color factoryColor = settings.LinesColor();
    int ordinal = 0;
    int compared = 0;
    int differing = 0;
    // Compares the next composition when it is the share's, reporting a difference.
    const auto compareNext = [&](const std::function<std::optional<Difference>()>& compare,
                                 const std::function<void(const Difference&)>& report) {
        if (!share.Takes(ordinal++)) return;
        ++compared;
        const auto difference = compare();
        if (!difference) return;
        ++differing;
        report(*difference);
    };
    for (const BenchSize size : kBenchSizes) {
        for (const BenchCase& benchCase : BenchCases()) {
            for (std::int32_t orient = 0; orient < 4; ++orient) {
                for (const Color color : {factoryColor, kPaletteLinesColor}) {
                    if (color != factoryColor && size.width != kBenchSizes[0].width) continue;
                    for (const bool values : {true, false}) {
                        const LookLibrary looks = ApplyCase(settings, benchCase, size);
                        settings.SetOrientMode(orient);
                        settings.SetShowValues(values);
                        settings.SetLinesColor(color);
                        compareNext(
                            [&] { return CompareWrites(settings, looks, lang, pictures); },
                            [&](const Difference& difference) {
                                std::printf(
                                    "differs\t%s\t%s\torient %d\tvalues %d\tlines %08X\tat (%d, %d): %06X, GDI %06X\n",
                                    benchCase.name.c_str(), SizeName(size).c_str(), orient, values ? 1 : 0, color,
                                    difference.x, difference.y, difference.direct, difference.reference);
                            });
                    }
                }
            }
        }
    }
    // Every other width, with and without the halo, in two orientations.
    for (std::int32_t look = 0; look < kLookCount; ++look) {
        for (std::int32_t width = kMinLineWidth; width <= kMaxLineWidth; ++width) {
            for (const bool halo : {false, true}) {
                for (const std::int32_t orient : {0, 2}) {
                    const LookLibrary looks = ApplyCase(settings, {"", look, 0, 0.0, width, halo}, kBenchSizes[0]);
                    settings.SetOrientMode(orient);
                    settings.SetLinesColor(factoryColor);
                    compareNext([&] { return CompareWrites(settings, looks, lang, pictures); },
                                [&](const Difference& difference) {
                                    std::printf(
                                        "differs\tlook %d\twidth %d\thalo %d\torient %d\tat (%d, %d): %06X, GDI %06X\n",
                                        look, width, halo ? 1 : 0, orient, difference.x, difference.y,
                                        difference.direct, difference.reference);
                                });
                }
            }
        }
    }
    for (const FrameSize frame : {FrameSize{700, 500}, FrameSize{3840, 2160}}) {
        for (const int lineWidth : {1, 2, 3, 8}) {
            compareNext([&] { return CompareCrossings(frame, lineWidth, pictures); },
                        [&](const Difference& difference) {
                            std::printf("differs\tcrossings\t%dx%d\twidth %d\tat (%d, %d): %06X, GDI %06X\n",
                                        frame.width, frame.height, lineWidth, difference.x, difference.y,
                                        difference.direct, difference.reference);
                        });
        }
    }
    std::printf("check\t%d compositions\t%d differ\n", compared, differing);
    return differing == 0 && compared > 0;
}

struct Samples {
    std::vector<double> work;
    std::vector<double> floor;
};

class PaintBench {
public:
    PaintBench(HINSTANCE instance, TSettings& settings, const LangTable& lang, int runs)
        : settings_(settings),
          lang_(lang),
          form_(instance, settings, looks_, lang, links_),
          icons_(FrameIcons::Load(instance)),
          floorBuffer_(BackBuffer::Create(::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                                          ::GetSystemMetrics(SM_CYVIRTUALSCREEN), noPictures_)),
          runs_(runs) {
        if (!floorBuffer_) throw std::runtime_error("Unable to create the floor's back buffer");
        const HWND window = form_.Handle();
        ::SetWindowLongPtrW(window, GWL_EXSTYLE, ::GetWindowLongPtrW(window, GWL_EXSTYLE) & ~WS_EX_LAYERED);
    }

    void RunPaint(const BenchCase& benchCase, BenchSize size) {
        looks_ = ApplyCase(settings_, benchCase, size);
        const Samples samples = Measure([this] { form_.PaintNow(); });
        std::printf("paint\t%s\t%s\t%.4f\t%.4f\n", benchCase.name.c_str(), SizeName(size).c_str(), Median(samples.work),
                    Median(samples.floor));
    }

    // The paint's own steps timed apart, beside the floor: composing into a
    // back buffer of the overlay's own (held lines written), copying it to
    // the window, and the orientation mark drawn on the window.
    void RunSplit(const BenchCase& benchCase, BenchSize size) {
        looks_ = ApplyCase(settings_, benchCase, size);
        const FrameSize frame = OverlayFrameSize(settings_);
        const std::unique_ptr<BackBuffer> buffer = OverlaysBuffer(frame);
        std::array<std::vector<double>, 3> steps;  // compose, copy, mark
        const Samples samples = Measure([&] {
            const WindowDc dc(form_.Handle());
            const double start = NowMs();
            ComposeBuffer(GuidePictureOf(settings_, true), looks_, lang_, buffer->canvas());
            buffer->Pixels();  // writes what is held and lets GDI finish
            const double composed = NowMs();
            buffer->CopyTo(dc.get(), frame.width, frame.height);
            const double copied = NowMs();
            GdiCanvas window(dc.get(), &icons_);
            DrawOrientGlyph(window, GuidePictureOf(settings_));
            steps[0].push_back(composed - start);
            steps[1].push_back(copied - composed);
            steps[2].push_back(NowMs() - copied);
        });
        std::printf("split\t%s\t%s\t%.4f\t%.4f\t%.4f\t%.4f\t%.4f\n", benchCase.name.c_str(), SizeName(size).c_str(),
                    Median(samples.work), Median(samples.floor), Median(steps[0]), Median(steps[1]), Median(steps[2]));
    }

    // Where the compose time goes, by kind of canvas call, averaged over the
    // runs, composing into a back buffer of the overlay's own.
    void RunProfile(const BenchCase& benchCase, BenchSize size) {
        looks_ = ApplyCase(settings_, benchCase, size);
        const FrameSize frame = OverlayFrameSize(settings_);
        const std::unique_ptr<BackBuffer> buffer = OverlaysBuffer(frame);
        TimingCanvas timing(buffer->canvas());
        CountingCanvas counting;
        ComposeBuffer(GuidePictureOf(settings_, true), looks_, lang_, buffer->canvas());  // warms fonts and pens
        std::vector<double> plain;
        std::vector<double> computing;
        double timed = 0.0;
        for (int i = 0; i < runs_; ++i) {
            plain.push_back(
                TimeMs([&] { ComposeBuffer(GuidePictureOf(settings_, true), looks_, lang_, buffer->canvas()); }));
            computing.push_back(
                TimeMs([&] { ComposeBuffer(GuidePictureOf(settings_, true), looks_, lang_, counting); }));
            timed += TimeMs([&] { ComposeBuffer(GuidePictureOf(settings_, true), looks_, lang_, timing); });
        }
        std::printf("profile\t%s\t%s\t%.4f\t%.4f\t%.4f", benchCase.name.c_str(), SizeName(size).c_str(), Median(plain),
                    Median(computing), timed / runs_);
        timing.Print(runs_);
    }

    // Steps the width by one pixel each run, as a mouse drag does. Beside
    // it, the same step of the bare window: the resize and the floor's
    // paint, the least any program pays for one step.
    void RunResize() {
        const BenchSize size{1920, 1080};
        const BenchCase factory{"factory look", TSettings(0).LookMode(), 0, 0.0};
        looks_ = ApplyCase(settings_, factory, size);
        int run = 0;
        const Samples samples = Measure([&] { settings_.SetWidth(run++ % 2 == 0 ? size.width - 1 : size.width); });
        const HWND window = form_.Handle();
        const FrameSize frame = OverlayFrameSize(settings_);
        int bareRun = 0;
        const Samples bare = Measure([&] {
            const FrameSize step{bareRun++ % 2 == 0 ? frame.width - 1 : frame.width, frame.height};
            ::SetWindowPos(window, nullptr, 0, 0, step.width, step.height,
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
            PaintFloor(window, *floorBuffer_, step);
            ::ValidateRect(window, nullptr);
        });
        std::printf("resize\t%s\t%s\t%.4f\t%.4f\t%.4f\n", factory.name.c_str(), SizeName(size).c_str(),
                    Median(samples.work), Median(samples.floor), Median(bare.work));
    }

private:
    // A back buffer of the overlay's own kind and size, as wide and as tall
    // as the screen, at the frame's size.
    std::unique_ptr<BackBuffer> OverlaysBuffer(FrameSize frame) {
        auto buffer =
            BackBuffer::Create(::GetSystemMetrics(SM_CXVIRTUALSCREEN), ::GetSystemMetrics(SM_CYVIRTUALSCREEN), icons_);
        if (!buffer || !buffer->Resize(frame.width, frame.height)) {
            throw std::runtime_error("Unable to create the back buffer");
        }
        return buffer;
    }

    // Alternates which of the two goes first, so neither always finds the
    // caches the other left behind. One untimed round warms up fonts and pens.
    // The pump before each timing lets Wine show the last picture while idle,
    // as a program's message loop does, rather than inside the next timing.
    Samples Measure(const std::function<void()>& work) {
        Samples samples;
        const auto floor = [this] { PaintFloor(form_.Handle(), *floorBuffer_, OverlayFrameSize(settings_)); };
        floor();
        work();
        for (int i = 0; i < runs_; ++i) {
            const bool floorFirst = i % 2 == 0;
            for (int turn = 0; turn < 2; ++turn) {
                PumpMessages();
                if ((turn == 0) == floorFirst) {
                    samples.floor.push_back(TimeMs(floor));
                } else {
                    samples.work.push_back(TimeMs(work));
                }
            }
        }
        return samples;
    }

    TSettings& settings_;
    const LangTable& lang_;
    LookLibrary looks_;  // the case's guide files
    NoLinks links_;
    TMainForm form_;
    FrameIcons icons_;       // at 96 dpi, as the guide's own strip has them
    FrameIcons noPictures_;  // the floor draws no pictures
    std::unique_ptr<BackBuffer> floorBuffer_;
    int runs_;
};

// An index argument, or -1 when it is missing or out of range.
int IndexArgument(int argc, char** argv, int at, std::size_t count) {
    if (at >= argc) return -1;
    const int index = std::atoi(argv[at]);
    return index >= 0 && static_cast<std::size_t>(index) < count ? index : -1;
}

int Run(int argc, char** argv) {
    const std::string mode = argc > 3 ? argv[3] : "";
    if (mode == "check") {
        CheckShare share;
        if (argc > 4) {
            share.count = argc > 5 ? std::atoi(argv[5]) : 0;
            share.index = IndexArgument(argc, argv, 4, static_cast<std::size_t>(std::max(share.count, 0)));
            if (share.index < 0) {
                std::fprintf(stderr, "usage: lumetra-bench-paint runs language-file check [PART PARTS]\n");
                return 2;
            }
        }
        LangTable lang;
        if (!ReadLanguageFile(lang, argv[2])) std::fprintf(stderr, "warning: cannot read %s\n", argv[2]);
        TSettings settings(::GetSystemMetrics(SM_CXSCREEN));
        const FrameIcons icons = FrameIcons::Load(::GetModuleHandleW(nullptr));
        return CheckPixels(settings, lang, icons, share) ? 0 : 1;
    }
    const std::vector<BenchCase> cases = BenchCases();
    if (mode == "list") {
        std::printf("sizes");
        for (const BenchSize size : kBenchSizes) std::printf("\t%s", SizeName(size).c_str());
        std::printf("\ncases");
        for (const BenchCase& listed : cases) std::printf("\t%s", listed.name.c_str());
        std::printf("\n");
        return 0;
    }
    const int size = IndexArgument(argc, argv, 4, kBenchSizes.size());
    const int benchCase = IndexArgument(argc, argv, 5, cases.size());
    const bool indexed = mode == "paint" || mode == "profile" || mode == "split";
    if (mode != "resize" && (!indexed || size < 0 || benchCase < 0)) {
        std::fprintf(stderr,
                     "usage: lumetra-bench-paint runs language-file "
                     "(paint SIZE CASE | split SIZE CASE | profile SIZE CASE | resize | check [PART PARTS] | list)\n");
        return 2;
    }
    LangTable lang;
    if (!ReadLanguageFile(lang, argv[2])) {
        std::fprintf(stderr, "warning: cannot read %s; labels show their keys\n", argv[2]);
    }
    TSettings settings(::GetSystemMetrics(SM_CXSCREEN));
    settings.StoreOverlayPosition(0, 0);  // room for the largest size on the screen
    PaintBench bench(::GetModuleHandleW(nullptr), settings, lang, std::max(1, std::atoi(argv[1])));
    PumpMessages();  // the overlay's own start-up messages, at its first-run size
    if (mode == "resize") {
        bench.RunResize();
        return 0;
    }
    const BenchCase& chosen = cases[static_cast<std::size_t>(benchCase)];
    const BenchSize chosenSize = kBenchSizes[static_cast<std::size_t>(size)];
    if (mode == "split") {
        bench.RunSplit(chosen, chosenSize);
    } else if (mode == "profile") {
        bench.RunProfile(chosen, chosenSize);
    } else {
        bench.RunPaint(chosen, chosenSize);
    }
    return 0;
}

}  // namespace
}  // namespace lumetra::bench

int main(int argc, char** argv) {
    try {
        return lumetra::bench::Run(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "lumetra-bench-paint: %s\n", error.what());
        return 1;
    }
}
