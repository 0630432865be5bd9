#include "notepad/memo_files.h"

#include "persistence/save_transaction.h"
#include "settings/program_paths.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <set>
#include <stdexcept>

namespace kt {

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

bool IsMemoName(const std::string& name) {
    const std::string l = Lower(name);
    return l.size() >= 8 && l.compare(0, 4, "memo") == 0 && l.compare(l.size() - 4, 4, ".txt") == 0;
}

// The number after "Memo", or the largest value when the name has none.
unsigned long long MemoNumber(const std::string& name) {
    unsigned long long n = 0;
    std::size_t i = 4;
    if (i >= name.size() || name[i] < '0' || name[i] > '9')
        return std::numeric_limits<unsigned long long>::max();
    for (; i < name.size() && name[i] >= '0' && name[i] <= '9'; ++i)
        n = std::min<unsigned long long>(n * 10 + static_cast<unsigned>(name[i] - '0'), 1ULL << 60);
    return n;
}

bool ReadFile(const fs::path& file, std::string& bytes) {
    // Reading a folder throws from inside the stream buffer; only plain files are notes.
    std::error_code ec;
    if (!fs::is_regular_file(file, ec))
        return false;
    try {
        std::ifstream in(file, std::ios::binary);
        if (!in)
            return false;
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return !in.bad();
    } catch (const std::exception&) {
        return false;
    }
}

// Lines end in CR LF, LF or a lone CR; a break at the very end starts no further line.
std::string TextOfBytes(const std::string& bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r') {
            text += '\n';
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            text += bytes[i];
        }
    }
    if (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

std::string Reason(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
        return "Zugriff verweigert";
    case ENOSPC:
        return "Der Datenträger ist voll";
    case ENOENT:
        return "Der Ordner ist nicht vorhanden";
    default:
        return "Fehler " + std::to_string(error);
    }
}

} // namespace

std::string MemoFolder() {
    return fs::path(IniFilePath()).parent_path().string() + "/";
}

std::vector<MemoFile> LoadMemoFiles(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (IsMemoName(name) && it->is_regular_file(ec))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const auto na = MemoNumber(a), nb = MemoNumber(b);
        return na != nb ? na < nb : a < b;
    });
    std::vector<MemoFile> files;
    for (const std::string& name : names) {
        std::string bytes;
        if (ReadFile(fs::path(folder) / name, bytes))
            files.push_back({name, TextOfBytes(bytes)});
    }
    return files;
}

std::string MemoFileBytes(const std::string& text) {
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 16 + 2);
    for (char c : text) {
        if (c == '\n')
            bytes += "\r\n";
        else
            bytes += c;
    }
    return bytes + "\r\n";
}

MemoSaveResult SaveMemoFiles(const std::string& folder, const std::vector<std::string>& texts,
                             const std::vector<std::string>& loaded) {
    MemoSaveResult result;
    std::set<std::string> written;
    int k = 0;
    for (const std::string& text : texts) {
        if (text.empty())
            continue;
        const std::string name = "Memo" + std::to_string(++k) + ".TXT";
        const std::string path = (fs::path(folder) / name).string();
        const std::string bytes = MemoFileBytes(text);
        std::string old;
        // Unchanged notes in a folder that has become read-only must not keep the window open.
        if (!(ReadFile(path, old) && old == bytes)) {
            const WriteOutcome out = WriteFileSafely(path, bytes);
            if (!out.ok)
                return {false, false, path, Reason(out.error)};
        }
        written.insert(name);
    }
    for (const std::string& name : loaded) {
        if (written.count(name))
            continue;
        std::error_code ec;
        fs::remove(fs::path(folder) / name, ec);
        if (ec && result.ok)
            result = {false, true, (fs::path(folder) / name).string(), Reason(ec.value())};
    }
    return result;
}

} // namespace kt
