#pragma once

#include "catalogue/col_arrange.h"
#include "model/collection.h"
#include "settings/ini_file.h"
#include "settings/settings.h"
#include "trace/trace_log.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace kt {

// How a key's value is read and written.
enum class KeyType {
    Integer, // decimal; no integer or one outside the key's range counts as missing
    Level,   // an integer of the range, or 254: the unsigned byte of -2, which switches the log off
    Flag,    // written "1" and "0"; any non-zero integer is true
    Char,    // one character; its first one on reading, an empty value counts as missing
    Text,    // Windows-1252 text as it stands
    Path,    // a file's path as it stands: the file system's bytes, or Windows-1252 from a Windows file
    Folder,  // a path that ends in the separator; a blank value counts as missing
};

// Where a key's value lives in memory.
using KeyField =
    std::variant<uint8_t Settings::*, int32_t Settings::*, bool Settings::*, char Settings::*,
                 std::string Settings::*, std::string Collection::*, int32_t TraceLog::*, int8_t TraceLog::*,
                 int32_t TColArEntry::*, std::string TColArEntry::*, bool TColArEntry::*>;

// One key of the configuration with everything reading, writing and showing it need. The lists
// ("KATEGORIEN", "ZusaetzlicheSpeichermedien", "History", "WertungStrings", "DBGLOC") have their own
// rules and are not in the table.
struct ConfigKey {
    const char* section;
    const char* key; // nullptr: the keys "0" to "24" of a column section, one per catalogue entry
    KeyType type;
    KeyField field;
    long long lo = 0, hi = 0;         // the range of an integer
    int readStep = 0;                 // place in the reading order
    int writeStep = 0;                // place in the writing order; 0: never written
    bool emptyUnlessReopened = false; // written empty while OpenFileAtStart is off
};

// The keys in the order of reading and of writing (without those never written).
std::vector<const ConfigKey*> KeysInReadOrder();
std::vector<const ConfigKey*> KeysInWriteOrder();

// The values the configuration is read into and written from; `entry` picks the catalogue entry of a
// column key.
struct ConfigTarget {
    Settings& s;
    Collection& data;
    ColArrange& columns;
    TraceLog& trace;
};
struct ConfigSource {
    const Settings& s;
    const Collection& data;
    const ColArrange& columns;
    const TraceLog& trace;
};

// A key's value in memory: a number, a truth value, or a text (a character as a one-character text).
using KeyValue = std::variant<long long, bool, std::string>;
KeyValue ValueOf(const ConfigKey& k, const ConfigSource& from, int entry = 0);

// Takes the value of a key as read from the file; false (and nothing changed) when it does not fit.
bool ReadKeyText(const ConfigKey& k, const std::string& text, const ConfigTarget& into, int entry = 0);
// The text written for a key.
std::string KeyText(const ConfigKey& k, const ConfigSource& from, int entry = 0);
// Whether a stored text already reads as the written one, so that the line can stay as it stands.
IniFile::SameFn SameCheck(KeyType type);

} // namespace kt
