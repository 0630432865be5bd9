#include "tool.h"

#include <algorithm>
#include <cstdio>
#include <iostream>

namespace kt::cli {

namespace {
std::vector<Command>& Registry() {
    static std::vector<Command> commands;
    return commands;
}
} // namespace

Registration::Registration(const Command& command) {
    Registry().push_back(command);
}

const std::vector<Command>& Commands() {
    return Registry();
}

int Fail(int code, const std::string& message) {
    std::cerr << "kassotek-tool: " << message << '\n';
    return code;
}

Options::Options(const Args& args, const std::vector<std::string>& valued,
                 const std::vector<std::string>& flags) {
    auto contains = [](const std::vector<std::string>& v, const std::string& s) {
        return std::find(v.begin(), v.end(), s) != v.end();
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.rfind("--", 0) == 0 && a.size() > 2) {
            if (contains(valued, a)) {
                if (i + 1 >= args.size()) {
                    error_ = "Option " + a + " braucht einen Wert.";
                    return;
                }
                values_.emplace_back(a, args[++i]);
            } else if (contains(flags, a)) {
                values_.emplace_back(a, "");
            } else {
                error_ = "Unbekannte Option " + a + ".";
                return;
            }
        } else {
            positional_.push_back(a);
        }
    }
}

bool Options::has(const std::string& name) const {
    return std::any_of(values_.begin(), values_.end(), [&](const auto& p) { return p.first == name; });
}

std::string Options::value(const std::string& name, const std::string& otherwise) const {
    for (auto it = values_.rbegin(); it != values_.rend(); ++it)
        if (it->first == name)
            return it->second;
    return otherwise;
}

} // namespace kt::cli

namespace {

void PrintHelp() {
    std::cout << "Aufruf: kassotek-tool BEFEHL [ARGUMENTE]\n\nBefehle:\n";
    auto commands = kt::cli::Commands();
    std::sort(commands.begin(), commands.end(),
              [](const auto& a, const auto& b) { return std::string(a.name) < b.name; });
    for (const auto& c : commands)
        std::cout << "  " << c.synopsis << '\n';
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty())
        return PrintHelp(), kt::cli::Fail(kt::cli::ExitUsage, "Kein Befehl angegeben.");
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintHelp();
        return kt::cli::ExitOk;
    }
    for (const auto& c : kt::cli::Commands())
        if (args[0] == c.name)
            return c.run(kt::cli::Args(args.begin() + 1, args.end()));
    return kt::cli::Fail(kt::cli::ExitUsage,
                         "Unbekannter Befehl \"" + args[0] + "\". Siehe kassotek-tool --help.");
}
