// The whole paint of each worst case through the direct pixel writes into a
// plain bitmap, beside its floor (the fill with nothing drawn): what the
// writes cost without a window system. Run under callgrind for instruction
// counts that repeat exactly from run to run.
#include <functional>
#include <string>

#include "bench/NativeBench.h"
#include "bench/WriterCanvas.h"
#include "bench/common/BenchCases.h"
#include "lang/LangTable.h"
#include "overlay/compose/Compose.h"
#include "overlay/compose/LookCatalogue.h"
#include "settings/AppSettings.h"

namespace lumetra::bench {
namespace {

void ComposeBench(benchmark::State& state, const LangTable& lang, BenchCase benchCase, BenchSize size, bool floor) {
    TSettings settings(1920);
    const LookLibrary looks = ApplyCase(settings, benchCase, size);
    const FrameSize frame = OverlayFrameSize(settings);
    WriterCanvas canvas(frame.width, frame.height);
    for (auto _ : state) {
        if (floor) {
            canvas.Fill({0, 0, frame.width, frame.height}, kOverlayKeyColor);
        } else {
            ComposeBuffer(GuidePictureOf(settings, true), looks, lang, canvas);
        }
        canvas.Finish();
        benchmark::DoNotOptimize(canvas.Bits().data());
        benchmark::ClobberMemory();
    }
}

bool WorstCase(const BenchCase& benchCase) {
    return !benchCase.guide.empty() || benchCase.name.find("ratio 0.998") != std::string::npos ||
           benchCase.name.find("grid 3") != std::string::npos || benchCase.name.find("halo") != std::string::npos;
}

}  // namespace
}  // namespace lumetra::bench

int main(int argc, char** argv) {
    using namespace lumetra;
    using namespace lumetra::bench;
    const LangTable lang = BenchLanguage();
    for (const BenchSize size : kBenchSizes) {
        const std::string sizeName = SizeName(size);
        benchmark::RegisterBenchmark(("Compose/floor/" + sizeName).c_str(), ComposeBench, std::cref(lang), BenchCase{},
                                     size, true)
            ->Unit(benchmark::kMicrosecond);
        for (const BenchCase& benchCase : BenchCases()) {
            if (!WorstCase(benchCase)) continue;
            benchmark::RegisterBenchmark(("Compose/" + benchCase.name + "/" + sizeName).c_str(), ComposeBench,
                                         std::cref(lang), benchCase, size, false)
                ->Unit(benchmark::kMicrosecond);
        }
    }
    return RunRegisteredBenchmarks(argc, argv);
}
