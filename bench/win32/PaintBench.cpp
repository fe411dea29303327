// Times the overlay's full paint in the real window system: composing into
// the DIB-section back buffer and copying it to the window, side by side with
// the floor (filling and copying the same buffer with nothing drawn). Then
// one resize step through the overlay window against the floor of its size.
//
// Usage: lumetra-bench-paint [runs [language file]]
// Prints one tab-separated row per case:
//   paint  <case> <size> <paint ms> <floor ms> <present ms> <floor present ms>
//   resize <case> <size> <step ms>  <floor ms>
// Times are medians over the runs. "present" is the message pump that
// follows a paint, where the window system takes the copied pixels to the
// screen.
#include "overlay/win32/Win32.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/common/BenchCases.h"
#include "lang/LangTable.h"
#include "overlay/Compose.h"
#include "overlay/win32/GdiCanvas.h"
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

double Median(std::vector<double> values) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

void PumpMessages() {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

// The same window and buffer size as the overlay's paint, nothing drawn.
void PaintFloor(HWND window, BackBuffer& buffer, FrameSize frame) {
    const WindowDc dc(window);
    if (!dc || !buffer.Resize(frame.width, frame.height)) return;
    buffer.canvas().Fill(Rect{0, 0, frame.width, frame.height}, kOverlayKeyColor);
    buffer.CopyTo(dc.get(), frame.width, frame.height);
}

struct Samples {
    std::vector<double> work;
    std::vector<double> floor;
    std::vector<double> present;
    std::vector<double> floorPresent;
};

class PaintBench {
public:
    PaintBench(HINSTANCE instance, TSettings& settings, const LangTable& lang, int runs)
        : settings_(settings),
          form_(instance, settings, lang),
          floorBuffer_(BackBuffer::Create(::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                                          ::GetSystemMetrics(SM_CYVIRTUALSCREEN), noPictures_)),
          runs_(runs) {
        if (!floorBuffer_) throw std::runtime_error("Unable to create the floor's back buffer");
    }

    void RunPaints() {
        for (const BenchSize size : kBenchSizes) {
            for (const BenchCase& benchCase : BenchCases()) {
                ApplyCase(settings_, benchCase, size);
                const Samples samples = Measure([this] { form_.PaintNow(); });
                std::printf("paint\t%s\t%s\t%.4f\t%.4f\t%.4f\t%.4f\n", benchCase.name.c_str(),
                            SizeName(size).c_str(), Median(samples.work), Median(samples.floor),
                            Median(samples.present), Median(samples.floorPresent));
                std::fflush(stdout);
            }
        }
    }

    // Steps the width by one pixel each run, as a mouse drag does.
    void RunResize() {
        const BenchSize size{1920, 1080};
        const BenchCase factory{"factory look", TSettings(0).LookMode(), 0, 0.0};
        ApplyCase(settings_, factory, size);
        int run = 0;
        const Samples samples = Measure([&] {
            settings_.SetWidth(run++ % 2 == 0 ? size.width - 1 : size.width);
        });
        std::printf("resize\t%s\t%s\t%.4f\t%.4f\n", factory.name.c_str(), SizeName(size).c_str(),
                    Median(samples.work), Median(samples.floor));
        std::fflush(stdout);
    }

private:
    // Alternates which of the two goes first, so neither always finds the
    // caches the other left behind. One untimed round warms up fonts and pens.
    Samples Measure(const std::function<void()>& work) {
        Samples samples;
        const auto floor = [this] { PaintFloor(form_.Handle(), *floorBuffer_, OverlayFrameSize(settings_)); };
        floor();
        PumpMessages();
        work();
        PumpMessages();
        for (int i = 0; i < runs_; ++i) {
            const bool floorFirst = i % 2 == 0;
            for (int turn = 0; turn < 2; ++turn) {
                if ((turn == 0) == floorFirst) {
                    samples.floor.push_back(TimeMs(floor));
                    samples.floorPresent.push_back(TimeMs(PumpMessages));
                } else {
                    samples.work.push_back(TimeMs(work));
                    samples.present.push_back(TimeMs(PumpMessages));
                }
            }
        }
        return samples;
    }

    TSettings& settings_;
    TMainForm form_;
    FramePictures noPictures_;  // the floor draws no pictures
    std::unique_ptr<BackBuffer> floorBuffer_;
    int runs_;
};

int Run(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    LangTable lang;
    if (argc > 2 && !ReadLanguageFile(lang, argv[2])) {
        std::fprintf(stderr, "warning: cannot read %s; labels show their keys\n", argv[2]);
    }
    TSettings settings(::GetSystemMetrics(SM_CXSCREEN));
    settings.StoreOverlayPosition(0, 0);  // room for the largest size on the screen
    PaintBench bench(::GetModuleHandleA(nullptr), settings, lang, runs);
    PumpMessages();
    bench.RunPaints();
    bench.RunResize();
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
