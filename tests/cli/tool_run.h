#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace kt::test {

struct ToolResult {
    int exit = -1;
    std::string out;
    std::string err;
};

inline std::string Quoted(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// Runs kassotek-tool with the arguments; stdin is empty.
inline ToolResult RunTool(const std::vector<std::string>& args, const std::string& folder) {
    std::string cmd = Quoted(KT_TOOL);
    for (const auto& a : args)
        cmd += " " + Quoted(a);
    const std::string out = folder + "/.stdout", err = folder + "/.stderr";
    cmd += " </dev/null >" + Quoted(out) + " 2>" + Quoted(err);
    ToolResult r;
    const int status = std::system(cmd.c_str());
    r.exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    auto slurp = [](const std::string& f) {
        std::ifstream in(f, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    r.out = slurp(out);
    r.err = slurp(err);
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return r;
}

} // namespace kt::test
