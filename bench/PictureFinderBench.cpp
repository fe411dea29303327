// FindPicture on full screens: each test photograph scaled up (nearest
// neighbour) to about 2000 x 1300 on a 4K screen, 1000 x 650 on a 1080p one,
// on a light page with guide grid lines over everything; the start in the
// photograph, and once on the page, where the search spans the whole screen
// before it finds nothing. A case that does not find its photograph fails.
#include <benchmark/benchmark.h>

#include <optional>
#include <string>

#include "support/Scenes.h"

namespace lumetra::bench {
namespace {

struct ScreenSize {
    int width;
    int height;
    int photoHeight;
};

constexpr ScreenSize kSizes[] = {{1920, 1080, 650}, {3840, 2160, 1300}};
constexpr const char* kPhotos[] = {"chelsea", "coffee", "astronaut", "rocket", "hubble"};

void FindBench(benchmark::State& state, const std::string& photoName, ScreenSize size, bool onPage) {
    const test::Photo source = test::TestPhoto(photoName);
    if (source.width == 0) {
        state.SkipWithError("cannot read the photograph");
        return;
    }
    const test::Photo photo = test::Scaled(source, source.width * size.photoHeight / source.height, size.photoHeight);
    test::Scene scene(size.width, size.height, test::Grey(0xF0), 0);
    const Rect placed = scene.Paste(photo, {(size.width - photo.width) / 2 + 1, (size.height - photo.height) / 2 + 1});
    // The grid's lines lie on the photograph's first column and row, so none
    // falls on the last pixel before an edge.
    scene.MaskGrid(16, {placed.left % 16, placed.top % 16});
    const Point start = onPage ? Point{placed.left / 2, size.height / 2} : test::Centre(placed);
    const std::optional<Rect> found = scene.Find(start);
    if (onPage ? found.has_value() : !found || !(*found == placed)) {
        state.SkipWithError("the finder missed the photograph");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(scene.Find(start));
    }
}

}  // namespace
}  // namespace lumetra::bench

int main(int argc, char** argv) {
    using namespace lumetra::bench;
    for (const ScreenSize size : kSizes) {
        const std::string screen = std::to_string(size.width) + "x" + std::to_string(size.height);
        for (const char* photo : kPhotos) {
            benchmark::RegisterBenchmark(("FindPicture/" + std::string(photo) + "/" + screen).c_str(), FindBench,
                                         std::string(photo), size, false)
                ->Unit(benchmark::kMillisecond);
        }
        benchmark::RegisterBenchmark(("FindPicture/start on the page/" + screen).c_str(), FindBench,
                                     std::string("coffee"), size, true)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
