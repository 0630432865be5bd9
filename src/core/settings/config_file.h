#pragma once

#include "catalogue/col_arrange.h"
#include "model/collection.h"
#include "settings/ini_file.h"
#include "settings/settings.h"
#include "trace/trace_log.h"

#include <string>

namespace kt {

// Reads "Kassotek.INI" into the settings, the collection's lists and CurrentDataFile ("LastFile"),
// the column table and the trace log's values. The values held on entry are the defaults: a
// missing file, section or key and a value that does not fit its setting keep them. A "FirstStart"
// key is removed from the file at once. False when the file exists but cannot be read; whatever
// could be read is kept then.
bool ReadConfiguration(const std::string& iniPath, Settings& s, Collection& data, ColArrange& columns,
                       TraceLog& trace);
// Writes every setting back, updating keys in place and keeping all else the file holds; "LastFile"
// is written empty while OpenFileAtStart is off. The list sections ("KATEGORIEN",
// "ZusaetzlicheSpeichermedien", "History", "DBGLOC") are written when their list is not empty and
// then hold exactly the list, numbered from 0. False when the file could not be written, or when
// it exists but cannot be read (it is then left alone rather than replaced).
bool WriteConfiguration(const std::string& iniPath, const Settings& s, const Collection& data,
                        const ColArrange& columns, const TraceLog& trace);
// The same on a profile in memory. The read gives true when it took a "FirstStart" key out of `ini`,
// which the caller then saves.
bool ReadConfiguration(IniFile& ini, Settings& s, Collection& data, ColArrange& columns, TraceLog& trace);
void WriteConfiguration(IniFile& ini, const Settings& s, const Collection& data, const ColArrange& columns,
                        const TraceLog& trace);
// Sets every medium's Selected from the bit mask (the first 32 media).
void ApplyStorageTypeShow(const Settings& s, Collection& data);

} // namespace kt
