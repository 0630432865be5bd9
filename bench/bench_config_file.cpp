#include "catalogue/col_arrange.h"
#include "model/collection.h"
#include "settings/config_file.h"
#include "settings/ini_file.h"
#include "settings/settings.h"
#include "trace/trace_log.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// The configuration of a user with many categories, written into the profile it was read from
// (every key found in place) and into an empty one (every key appended).
void BM_WriteConfiguration(benchmark::State& state) {
    kt::Settings s;
    kt::Collection data;
    kt::ColArrange columns;
    kt::TraceLog trace;
    for (int n = 0; n < state.range(0); ++n)
        data.CategoryList.push_back({"Kategorie Nummer " + std::to_string(n), false, n + 1});
    kt::IniFile written;
    written.parse("");
    kt::WriteConfiguration(written, s, data, columns, trace);
    const std::string text = state.range(1) ? written.text() : std::string();
    for (auto _ : state) {
        kt::IniFile ini;
        ini.parse(text);
        kt::WriteConfiguration(ini, s, data, columns, trace);
        benchmark::DoNotOptimize(ini);
    }
}
BENCHMARK(BM_WriteConfiguration)
    ->ArgsProduct({{1000, 20000, 100000}, {0, 1}})
    ->ArgNames({"categories", "inPlace"})
    ->Unit(benchmark::kMillisecond);

void BM_ReadConfiguration(benchmark::State& state) {
    kt::Settings s;
    kt::Collection data;
    kt::ColArrange columns;
    kt::TraceLog trace;
    for (int n = 0; n < state.range(0); ++n)
        data.CategoryList.push_back({"Kategorie Nummer " + std::to_string(n), false, n + 1});
    kt::IniFile written;
    written.parse("");
    kt::WriteConfiguration(written, s, data, columns, trace);
    const std::string text = written.text();
    for (auto _ : state) {
        kt::IniFile ini;
        ini.parse(text);
        kt::Settings rs;
        kt::Collection rd;
        kt::ColArrange rc;
        kt::TraceLog rt;
        kt::ReadConfiguration(ini, rs, rd, rc, rt);
        benchmark::DoNotOptimize(rd);
    }
}
BENCHMARK(BM_ReadConfiguration)->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
