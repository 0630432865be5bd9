#pragma once

#include <string>
#include <vector>

namespace kt::cli {

// Exit codes of kassotek-tool.
constexpr int ExitOk = 0;
constexpr int ExitFileError = 1;
constexpr int ExitUsage = 2;

using Args = std::vector<std::string>;

struct Command {
    const char* name;
    const char* synopsis; // one line for --help
    int (*run)(const Args& args);
};

// Each command file registers itself with a static Registration.
struct Registration {
    explicit Registration(const Command& command);
};

const std::vector<Command>& Commands();

// Prints a German message (given as UTF-8) to stderr and returns `code`.
int Fail(int code, const std::string& message);

// Option parsing shared by the commands: "--name value" and flags.
class Options {
public:
    Options(const Args& args, const std::vector<std::string>& valued, const std::vector<std::string>& flags);
    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    const std::vector<std::string>& positional() const { return positional_; }
    bool has(const std::string& name) const;
    std::string value(const std::string& name, const std::string& otherwise = {}) const;

private:
    std::vector<std::string> positional_;
    std::vector<std::pair<std::string, std::string>> values_;
    std::string error_;
};

} // namespace kt::cli
