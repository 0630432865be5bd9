#include "persistence/companion_files.h"

#include "model/dialogs.h"
#include "persistence/record_bytes.h"
#include "text/cp1252.h"
#include "text/helpers.h"

#include <algorithm>
#include <filesystem>
#include <unordered_set>

namespace fs = std::filesystem;

namespace kt {

using namespace literals;

namespace {

constexpr char InnerLineBreak = '\x0B';

std::string LowerAZ(std::string s) {
    for (char& ch : s)
        if (ch >= 'A' && ch <= 'Z')
            ch = static_cast<char>(ch - 'A' + 'a');
    return s;
}

std::string LenderKey(const std::string& name) {
    return UpperAZ(TrimText(name, 'A'));
}

} // namespace

std::string ExistingCaseVariant(const std::string& fileName) {
    std::error_code ec;
    if (fileName.empty() || fs::exists(fileName, ec))
        return fileName;
    const std::string ext = FileExtOf(fileName);
    for (const std::string& e : {UpperAZ(ext), LowerAZ(ext)}) {
        const std::string candidate = ChangeFileExt(fileName, e);
        if (fs::exists(candidate, ec))
            return candidate;
    }
    // Files copied from Windows may differ in the case of the whole name.
    const std::string dir = FilePathOf(fileName);
    const std::string wanted = UpperAZ(fileName.substr(dir.size()));
    std::vector<std::string> matches;
    for (fs::directory_iterator it(dir.empty() ? "." : dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (UpperAZ(name) == wanted)
            matches.push_back(name);
    }
    if (matches.empty())
        return fileName;
    std::sort(matches.begin(), matches.end());
    return dir + matches.front();
}

std::string CompanionFile(const std::string& dataFile, const std::string& ext) {
    return ExistingCaseVariant(ChangeFileExt(dataFile, ext));
}

std::string CassetteFileBytes(const Collection& c) {
    std::string out;
    out.reserve(static_cast<std::size_t>(c.AnzCas()) * 8);
    for (const TCasRec& cas : c.cassettes()) {
        bytes::PutU16(out, cas.Nr);
        bytes::PutU16(out, cas.TotalLength);
        bytes::PutU16(out, static_cast<uint16_t>(cas.RestLength));
        bytes::PutU16(out, cas.GapLength);
    }
    return out;
}

void ReadCassetteRecords(Collection& c, std::string_view data, Progress& progress) {
    const std::size_t records = data.size() / 8;
    progress.start("Cassettendaten werden geladen!",
                   static_cast<int>(std::min<std::size_t>(records, MaxCassettes)));
    for (std::size_t i = 0; i < records; ++i) {
        const char* p = data.data() + i * 8;
        TCasRec cas;
        cas.Nr = bytes::GetU16(p);
        cas.TotalLength = bytes::GetU16(p + 2);
        cas.RestLength = static_cast<int16_t>(bytes::GetU16(p + 4));
        cas.GapLength = bytes::GetU16(p + 6);
        if (!c.appendCassette(cas))
            break; // ActError 14
        progress.step(c.AnzCas());
    }
}

std::string LenderFileBytes(const std::vector<std::string>& entries) {
    std::string out;
    for (const std::string& e : entries) {
        for (std::size_t i = 0; i < e.size(); ++i) {
            if (e[i] == '\r' || e[i] == '\n') {
                if (e[i] == '\r' && i + 1 < e.size() && e[i + 1] == '\n')
                    ++i;
                out += InnerLineBreak;
            } else {
                out += e[i];
            }
        }
        out += "\r\n";
    }
    return out;
}

std::vector<std::string> ParseLenderFile(std::string_view data) {
    std::vector<std::string> lines;
    std::string line;
    bool open = false; // characters after the last line break
    for (std::size_t i = 0; i < data.size(); ++i) {
        const char ch = data[i];
        if (ch == '\r' || ch == '\n') {
            if (ch == '\r' && i + 1 < data.size() && data[i + 1] == '\n')
                ++i;
            lines.push_back(std::move(line));
            line.clear();
            open = false;
        } else {
            if (ch == InnerLineBreak)
                line += "\r\n";
            else
                line += ch;
            open = true;
        }
    }
    if (open)
        lines.push_back(std::move(line));
    return lines;
}

void MergeLenders(Collection& c) {
    std::unordered_set<std::string> known;
    for (const std::string& name : c.LenderNames)
        known.insert(LenderKey(name));
    for (const TFilmV26& f : c.films()) {
        if (f.LendStatus != LendLent || !known.insert(LenderKey(f.LentTo.Strng)).second)
            continue;
        // A shorter address list (a missing ".LAD") gets blank entries, so the new pair lines up.
        if (c.LenderAddresses.size() < c.LenderNames.size())
            c.LenderAddresses.resize(c.LenderNames.size(), " ");
        c.LenderNames.push_back(f.LentTo.Strng);
        c.LenderAddresses.push_back(f.LenderAddress.Strng);
    }
}

std::string MissingCassetteFileText(const std::string& cassetteFile) {
    const std::string nl = "\r\n";
    return std::string(22, ' ') + "> > >   ACHTUNG!!!     < < <" + nl + nl + "Die Cassetten-Daten-Datei \"" +
           FileNameText(cassetteFile) + "\"" + nl + "konnte nicht gefunden werden!" + nl + nl +
           "Kassotek versucht nun, zumindest die Filmdaten zu laden." + nl + nl +
           "Prüfen Sie, ob sie eine Backup-Datei (.BKC) der CDT-Datendatei "_cp + nl +
           "haben und benennen Sie sie ggf. nach xxxx.CDT um, um Ihre" + nl +
           "Cassettendaten wiederherzustellen." + nl + nl +
           "Für eine ggf. notwendige Restaurierung der Cassettendaten"_cp + nl +
           "wenden Sie sich bitte an \"kassotek@jorvald.example\"";
}

} // namespace kt
