#include "film_generator.h"

#include "statistics/statistics.h"

#include <benchmark/benchmark.h>

namespace {

const kt::Collection& Full() {
    static const kt::Collection c = kt::bench::GenerateCollection(20000);
    return c;
}

// Counting all films, labelling and ordering the entries: arg 0 categories, 1 storage media.
void BM_BuildStatistik(benchmark::State& state) {
    const kt::Collection& c = Full();
    const auto by = state.range(0) == 0 ? kt::StatistikOrder::Kategorien : kt::StatistikOrder::Speichermedien;
    std::size_t entries = 0;
    for (auto _ : state) {
        const auto points = kt::BuildStatistik(c, by, 25);
        entries = points.size();
        benchmark::DoNotOptimize(points.data());
    }
    state.counters["films"] = c.AnzFilm();
    state.counters["entries"] = static_cast<double>(entries);
}
BENCHMARK(BM_BuildStatistik)->ArgName("by")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
