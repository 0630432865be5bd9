#include "settings/program_paths.h"

#include "text/helpers.h"

#include <pwd.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace kt {

namespace {

std::string HomeDir() {
    std::string home = EnvValue("HOME");
    if (home.empty())
        if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir)
            home = pw->pw_dir;
    return home.empty() ? std::string("/tmp") : home;
}

bool UseProgramDir() {
    if (!EnvValue("KASSOTEK_PROGRAM_DIR").empty())
        return true;
    const std::string dir = ProgramDir();
    return dir.size() > 1 && !InstalledLayout(dir) && ::access(dir.c_str(), W_OK) == 0;
}

// `variable` (an XDG base folder, absolute by its rules) else HOME/`fallback`; then "kassotek/".
std::string UserDir(const char* variable, const char* fallback) {
    std::string base = EnvValue(variable);
    if (base.empty() || base.front() != '/')
        base = WithBackslash(HomeDir()) + fallback;
    const std::string dir = WithBackslash(base) + "kassotek/";
    std::error_code ec;
    fs::create_directories(dir, ec);
    return dir;
}

} // namespace

bool InstalledLayout(const std::string& programDir) {
    const fs::path dir(programDir);
    // "bin/" has an empty last component.
    const fs::path bin = dir.filename().empty() ? dir.parent_path() : dir;
    if (bin.filename() != "bin")
        return false;
    std::error_code ec;
    return fs::is_directory(bin.parent_path() / "share" / "kassotek", ec);
}

std::string ProgramDir() {
    const std::string override = EnvValue("KASSOTEK_PROGRAM_DIR");
    if (!override.empty())
        return WithBackslash(override);
    return WithBackslash(FilePathOf(ProgramFile()));
}

std::string IniFilePath() {
    return (UseProgramDir() ? ProgramDir() : UserDir("XDG_CONFIG_HOME", ".config")) + "Kassotek.INI";
}

std::string TraceFilePath() {
    return (UseProgramDir() ? ProgramDir() : UserDir("XDG_STATE_HOME", ".local/state")) + "Kassotek.QBL";
}

} // namespace kt
