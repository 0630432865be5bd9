// Load and save of a full collection (20000 films) in the tagged and in a fixed-record version.
#include "film_generator.h"
#include "model/collection.h"
#include "model/dialogs.h"
#include "persistence/film_data_file.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

// The shared generated collection: 20000 films with cassettes, pictures and lent films.
kt::Collection Generated() { return kt::bench::GenerateCollection(kt::MaxFilms); }

std::string Folder() {
    const auto dir = std::filesystem::temp_directory_path() / "kt-bench";
    std::filesystem::create_directories(dir);
    return dir.string();
}

void Save(benchmark::State& state, int minor) {
    kt::Collection c = Generated();
    kt::SilentDialogs ui;
    kt::NoProgress p;
    const std::string base = Folder() + "/save";
    for (auto _ : state) {
        c.DataVerMinor = minor;
        std::string file = base + ".VD6", errorText;
        if (!kt::Save_Video_Data(c, file, errorText, ui, p))
            state.SkipWithError("save failed");
        state.PauseTiming();
        for (const char* ext : {".VD6", ".VD3", ".BKV", ".BKV1", ".BKV2"})
            std::filesystem::remove(base + ext);
        state.ResumeTiming();
    }
}

void Load(benchmark::State& state, int minor) {
    kt::Collection c = Generated();
    kt::SilentDialogs ui;
    kt::NoProgress p;
    c.DataVerMinor = minor;
    std::string file = Folder() + "/load.VD6", errorText;
    kt::Save_Video_Data(c, file, errorText, ui, p);
    for (auto _ : state) {
        kt::Collection back;
        back.DataVerMinor = minor;
        if (!kt::Load_Video_Data(back, file, errorText, ui, p) || back.AnzFilm() != kt::MaxFilms)
            state.SkipWithError("load failed");
    }
}

void BM_SaveTagged(benchmark::State& s) {
    Save(s, 6);
}
void BM_LoadTagged(benchmark::State& s) {
    Load(s, 6);
}
void BM_SaveFixed(benchmark::State& s) {
    Save(s, 3);
}
void BM_LoadFixed(benchmark::State& s) {
    Load(s, 3);
}

} // namespace

BENCHMARK(BM_SaveTagged)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadTagged)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveFixed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFixed)->Unit(benchmark::kMillisecond);
