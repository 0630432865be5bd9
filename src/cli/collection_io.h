#pragma once

#include "catalogue/col_arrange.h"
#include "model/collection.h"
#include "model/dialogs.h"
#include "settings/settings.h"
#include "tool.h"
#include "trace/trace_log.h"

#include <string>
#include <vector>

namespace kt::cli {

// Every box goes to stderr as UTF-8; questions are answered No, or Yes with `yes`.
class ConsoleDialogs : public UserDialogs {
public:
    explicit ConsoleDialogs(bool yes) : yes_(yes) {}
    void error(const std::string& text) override;
    void warning(const std::string& text) override;
    void information(const std::string& text) override;
    void notice(const std::string& text) override;
    Answer question(const std::string& text, Buttons buttons, BoxKind kind) override;
    Answer threeWay(const ThreeWayQuestion& q) override;

private:
    bool yes_;
};

// The options of a command that loads a file as the Open command does.
struct LoadOptions {
    int asVersion = -1; // --as-version N (0 to 6), -1 when not given
    bool yes = false;   // --yes: the questions of the load are answered Yes
};
// Reads --as-version and --yes; false with a German message for a wrong value.
bool ReadLoadOptions(const Options& opt, LoadOptions& load, std::string& error);

// Parses a command that loads files: `files` file names, --as-version, --yes and the command's
// own options. On a usage error prints it, sets `exit` and returns false.
bool ParseLoadCommand(const Args& args, std::size_t files, std::vector<std::string> valued,
                      std::vector<std::string> flags, Options& opt, LoadOptions& load, int& exit);

// Loads `file` as the Open command does: the data version from the version letter of its name
// (or `asVersion` when it is 0 to 6), then the load with its questions. On failure prints
// "Fehler beim Laden: " and the error text to stderr.
bool LoadCollection(Collection& c, const std::string& file, int asVersion, UserDialogs& ui);

// What a command that reads "--config" works on: the settings and the collection's lists from the
// configuration, as at program start, and the loaded file.
struct ConfiguredCollection {
    Collection c;
    Settings s;
    ColArrange columns;
    TraceLog trace;
};
// Reads the configuration named by --config (when given), then loads the first file argument.
// ExitOk, or the exit code after the reason was printed.
int LoadConfiguredCollection(const Options& opt, const LoadOptions& load, ConfiguredCollection& out);

// Saves the collection as "Speichern unter..." would, in the version of `out`'s version letter,
// the questions answered by `ui`. On failure prints the reason to stderr.
bool SaveCollectionAs(Collection& c, const std::string& out, UserDialogs& ui);

} // namespace kt::cli
