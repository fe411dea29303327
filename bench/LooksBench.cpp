// Every look and guide case at each size on a canvas that only counts calls:
// the cost of the looks themselves, without any drawing backend.
#include <functional>
#include <string>

#include "bench/CountingCanvas.h"
#include "bench/NativeBench.h"
#include "bench/common/BenchCases.h"
#include "lang/LangTable.h"
#include "overlay/compose/Compose.h"
#include "overlay/compose/LookCatalogue.h"
#include "settings/AppSettings.h"

namespace lumetra::bench {
namespace {

void RenderLookBench(benchmark::State& state, const LangTable& lang, BenchCase benchCase, BenchSize size) {
    TSettings settings(1920);
    const LookLibrary looks = ApplyCase(settings, benchCase, size);
    const LookSettings look = LookSettingsOf(settings);
    CountingCanvas canvas;
    for (auto _ : state) {
        RenderChosenLook(looks, look, lang, canvas);
        benchmark::ClobberMemory();
    }
    // Per paint, so the figures show how much each look draws.
    const auto perPaint = [&](std::int64_t total) {
        return benchmark::Counter(static_cast<double>(total), benchmark::Counter::kAvgIterations);
    };
    state.counters["lines"] = perPaint(canvas.lines);
    state.counters["ellipses"] = perPaint(canvas.ellipses);
    state.counters["texts"] = perPaint(canvas.texts);
}

}  // namespace
}  // namespace lumetra::bench

int main(int argc, char** argv) {
    using namespace lumetra;
    using namespace lumetra::bench;
    const LangTable lang = BenchLanguage();
    for (const BenchSize size : kBenchSizes) {
        for (const BenchCase& benchCase : BenchCases()) {
            const std::string name = "RenderLook/" + benchCase.name + "/" + SizeName(size);
            benchmark::RegisterBenchmark(name.c_str(), RenderLookBench, std::cref(lang), benchCase, size)
                ->Unit(benchmark::kMicrosecond);
        }
    }
    return RunRegisteredBenchmarks(argc, argv);
}
