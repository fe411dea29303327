#pragma once
// What every native benchmark program shares: the language file its labels
// come from, and running the benchmarks it has registered.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "bench/common/BenchCases.h"
#include "lang/LangTable.h"

namespace lumetra::bench {

// The English texts; without them the looks still run and labels show their
// bare keys.
inline LangTable BenchLanguage() {
    LangTable lang;
    if (!ReadLanguageFile(lang, LUMETRA_BENCH_LANG_FILE)) {
        std::fprintf(stderr, "warning: cannot read %s\n", LUMETRA_BENCH_LANG_FILE);
    }
    return lang;
}

inline int RunRegisteredBenchmarks(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace lumetra::bench
