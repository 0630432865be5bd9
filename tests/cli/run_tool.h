#pragma once

#include "temp_folder.h"

#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace kt::test {

struct ToolResult {
    int code = -1;
    std::string out; // UTF-8 as the tool prints it
    std::string err;
};

inline std::string ShellQuoted(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// Runs kassotek-tool with `args`; `env` holds "NAME=value" settings for this run only.
inline ToolResult RunTool(const std::vector<std::string>& args, const std::vector<std::string>& env = {}) {
    TempFolder capture;
    std::string cmd = "env";
    for (const auto& e : env)
        cmd += " " + ShellQuoted(e);
    cmd += " " + ShellQuoted(KT_TOOL);
    for (const auto& a : args)
        cmd += " " + ShellQuoted(a);
    cmd += " >" + ShellQuoted(capture.file("out")) + " 2>" + ShellQuoted(capture.file("err")) + " </dev/null";
    const int status = std::system(cmd.c_str());
    ToolResult r;
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = ReadBytes(capture.file("out"));
    r.err = ReadBytes(capture.file("err"));
    return r;
}

// Makes the film data file `file` with `create` from a collection given as JSON; the tool's result.
inline ToolResult CreateCollection(const TempFolder& dir, const std::string& json, const std::string& file) {
    WriteBytes(dir.file("c.json"), json);
    return RunTool({"create", dir.file("c.json"), file});
}

} // namespace kt::test
