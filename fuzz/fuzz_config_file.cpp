// The input is a configuration file. It is read into fresh values as at program start, written
// back as at the end, and the written file must read to the same values and stay as it is when
// written once more.
#include "catalogue/col_arrange.h"
#include "model/collection.h"
#include "settings/config_file.h"
#include "settings/ini_file.h"
#include "settings/settings.h"
#include "trace/trace_log.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

struct Config {
    kt::Settings s;
    kt::Collection data;
    kt::ColArrange columns;
    kt::TraceLog trace;

    explicit Config(const std::string& text) {
        s.TempDir = "/tmp/";
        trace.WriteMasterAlways = 2;
        trace.MasterStoreLevel = 1;
        kt::IniFile ini;
        ini.parse(text);
        kt::ReadConfiguration(ini, s, data, columns, trace);
        if (!s.OpenFileAtStart)
            data.CurrentDataFile.clear();
    }
    std::string written(const std::string& text) const {
        kt::IniFile ini;
        ini.parse(text);
        kt::WriteConfiguration(ini, s, data, columns, trace);
        return ini.text();
    }
    // Every value that is written, and those that the reading derives.
    std::string values() const {
        std::string out = written("");
        for (const auto& r : data.RatingTexts)
            out += r + '\n';
        for (const auto& m : data.StorageMediaList)
            out += std::to_string(m.Selected) + std::to_string(m.Nr);
        return out;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string file(reinterpret_cast<const char*>(data), size);
    const Config first(file);
    const std::string once = first.written(file);
    const Config again(once);
    if (again.values() != first.values() || again.written(once) != once)
        std::abort();
    return 0;
}
