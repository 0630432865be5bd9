#pragma once

#include <string>

namespace kt {

// The program folder, ending in "/": KASSOTEK_PROGRAM_DIR when it is set, else the folder of
// the running executable (also when that folder is not writable; the files below then go to
// the user's folders).
std::string ProgramDir();
// True when `programDir` is the "bin" folder of an installation: "../share/kassotek" lies beside
// it. An installed program keeps its files in the user's folders even where "bin" is writable.
bool InstalledLayout(const std::string& programDir);
// "Kassotek.INI" in the program folder when KASSOTEK_PROGRAM_DIR is set, or the executable's
// folder is writable and not an installation; else in $XDG_CONFIG_HOME/kassotek (created when
// missing).
std::string IniFilePath();
// "Kassotek.QBL" likewise, else in $XDG_STATE_HOME/kassotek (created when missing).
std::string TraceFilePath();

} // namespace kt
