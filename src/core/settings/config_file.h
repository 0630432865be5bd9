#pragma once

#include "catalogue/col_arrange.h"
#include "model/collection.h"
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
// is written empty while OpenFileAtStart is off. False when the file could not be written, or when
// it exists but cannot be read (it is then left alone rather than replaced).
bool WriteConfiguration(const std::string& iniPath, const Settings& s, const Collection& data,
                        const ColArrange& columns, const TraceLog& trace);
// Sets every medium's Selected from the bit mask (the first 32 media).
void ApplyStorageTypeShow(const Settings& s, Collection& data);

} // namespace kt
