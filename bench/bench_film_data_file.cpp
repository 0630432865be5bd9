// Load and save of a full collection (20000 films) in the tagged and in a fixed-record version.
#include "model/collection.h"
#include "model/dialogs.h"
#include "persistence/film_data_file.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

class YesDialogs : public kt::UserDialogs {
public:
    void error(const std::string&) override {}
    void warning(const std::string&) override {}
    void information(const std::string&) override {}
    void notice(const std::string&) override {}
    kt::Answer question(const std::string&, kt::Buttons, kt::BoxKind) override { return kt::Answer::Yes; }
    kt::Answer threeWay(const kt::ThreeWayQuestion&) override { return kt::Answer::Ok; }
};

kt::Collection Generated() {
    kt::Collection c;
    for (int i = 1; i <= kt::MaxFilms; ++i) {
        kt::TFilmV26 f;
        f.FilmNr = i;
        f.FilmName.Strng = "Film Nummer " + std::to_string(i);
        f.Category.Strng = "Kategorie " + std::to_string(i % 40);
        f.Stars.Strng = "Erster Darsteller, Zweite Darstellerin, Dritter Darsteller";
        f.Director.Strng = "Regie Person";
        f.Content.Strng = std::string(300, 'x') + "\r\n" + std::string(200, 'y');
        f.Remark.Strng = "Bemerkung";
        f.Country.Strng = "D";
        f.ProdYear = 1950 + i % 70, f.FilmLength = 90 + i % 60, f.CasNr = 1 + i % 700,
        f.PosOnCas = 1 + i % 30;
        f.StorageType = 1;
        c.appendFilm(f);
    }
    for (int n = 1; n <= 700; ++n)
        c.appendCassette({static_cast<uint16_t>(n), 240, 0, 0});
    return c;
}

std::string Folder() {
    const auto dir = std::filesystem::temp_directory_path() / "kt-bench";
    std::filesystem::create_directories(dir);
    return dir.string();
}

void Save(benchmark::State& state, int minor) {
    kt::Collection c = Generated();
    YesDialogs ui;
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
    YesDialogs ui;
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
