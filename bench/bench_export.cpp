#include "film_generator.h"

#include "catalogue/col_arrange.h"
#include "exchange/csv_export.h"
#include "exchange/excel_export.h"
#include "exchange/text_export.h"
#include "filmlist/film_list.h"
#include "filter/filter_search.h"
#include "model/dialogs.h"
#include "settings/settings.h"
#include "text/helpers.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

namespace {

constexpr int Films = 20000;

class FailingDialogs : public kt::SilentDialogs {
public:
    void error(const std::string& t) override { throw std::runtime_error(t); }
    void notice(const std::string& t) override { throw std::runtime_error(t); }
};

// 20000 films, all 25 columns shown, the list built as the main window builds it.
struct Listed {
    kt::Collection c = kt::bench::GenerateCollection(Films);
    kt::Settings s;
    kt::ColArrange ca;
    kt::FilterSearch fs;
    kt::FilmList list{c, s, ca, fs};
    Listed() {
        FailingDialogs ui;
        list.SetAusgabeData(ui);
    }
};

Listed& List() {
    static Listed l;
    return l;
}

// A private folder for the exported files, removed when the benchmark ends.
std::string Folder() {
    static const struct Private {
        std::string path;
        Private() : path(kt::Settings::DefaultTempDir() + "kassotek-bench-XXXXXX") {
            if (!::mkdtemp(path.data()))
                throw std::runtime_error("mkdtemp");
            path += "/";
        }
        ~Private() {
            std::error_code ec;
            std::filesystem::remove_all(path, ec);
        }
    } folder;
    return folder.path;
}

// One write(2) of `bytes` bytes into a new file, flushed as the export's own write is.
double OneWriteSeconds(long long bytes) {
    const std::string data(static_cast<std::size_t>(bytes), 'x');
    const std::string file = Folder() + "one-write";
    double best = 1e9;
    for (int i = 0; i < 5; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || ::write(fd, data.data(), data.size()) != static_cast<ssize_t>(data.size()))
            throw std::runtime_error("write");
        ::fsync(fd);
        ::close(fd);
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    return best;
}

// Runs `exportTo` into `name`, and reports the file size and the ratio to one plain write of it.
void Measure(benchmark::State& state, const std::string& name,
             const std::function<bool(const std::string&)>& exportTo) {
    const std::string file = Folder() + name;
    double total = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        if (!exportTo(file))
            state.SkipWithError("export failed");
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    const long long bytes = kt::FileSizeOf(file);
    const double one = OneWriteSeconds(bytes);
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["one_write_ms"] = one * 1000;
    state.counters["ratio"] = total / static_cast<double>(state.iterations()) / one;
}

void BM_TextExport(benchmark::State& state) {
    Listed& l = List();
    kt::SilentDialogs ui;
    kt::NoProgress progress;
    Measure(state, "liste.txt", [&](const std::string& file) {
        return kt::ExportTextFile(l.c, l.list, kt::TextExportMode::AllColumns, 0, 1, file, ui, progress);
    });
}
BENCHMARK(BM_TextExport)->Unit(benchmark::kMillisecond);

void BM_CsvExport(benchmark::State& state) {
    Listed& l = List();
    kt::SilentDialogs ui;
    kt::NoProgress progress;
    Measure(state, "liste.csv",
            [&](const std::string& file) { return kt::ExportCsvFile(l.c, l.list, file, ui, progress); });
}
BENCHMARK(BM_CsvExport)->Unit(benchmark::kMillisecond);

void BM_Excel97Export(benchmark::State& state) {
    Listed& l = List();
    FailingDialogs ui;
    kt::NoProgress progress;
    Measure(state, "liste.xls", [&](const std::string& file) {
        return kt::ExportWorkbookFile(l.list, file, kt::WorkbookFormat::Excel97, ui, progress);
    });
}
BENCHMARK(BM_Excel97Export)->Unit(benchmark::kMillisecond);

void BM_XlsxExport(benchmark::State& state) {
    Listed& l = List();
    FailingDialogs ui;
    kt::NoProgress progress;
    Measure(state, "liste.xlsx", [&](const std::string& file) {
        return kt::ExportWorkbookFile(l.list, file, kt::WorkbookFormat::Xlsx, ui, progress);
    });
}
BENCHMARK(BM_XlsxExport)->Unit(benchmark::kMillisecond);

} // namespace
