#include "settings/ini_file.h"

#include "persistence/save_transaction.h"

#include "text/cp1252.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <unordered_map>

namespace kt {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string Trimmed(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && (IsBlank(s[e - 1]) || s[e - 1] == '\r'))
        --e;
    return s.substr(b, e - b);
}

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

// A UTF-8 byte order mark in front of a hand-edited file is kept but not read as text.
constexpr const char* Bom = "\xEF\xBB\xBF";

} // namespace

std::string IniFile::DecodeValue(const std::string& raw) {
    std::string v = Trimmed(raw);
    if (v.size() >= 2 && IsQuote(v.front()) && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return v;
}

std::string IniFile::EncodeValue(const std::string& value) {
    std::string v = value;
    // A line break would cut the line in two.
    for (char& c : v)
        if (c == '\r' || c == '\n')
            c = ' ';
    const bool loose = !v.empty() && (IsBlank(v.front()) || IsBlank(v.back()));
    const bool quoted = v.size() >= 2 && IsQuote(v.front()) && v.back() == v.front();
    return loose || quoted ? "\"" + v + "\"" : v;
}

IniFile::Line IniFile::MakeLine(std::string text, std::string eol) {
    Line line{std::move(text), std::move(eol), Kind::Blank, {}};
    std::string_view t = line.text;
    if (t.substr(0, 3) == Bom)
        t.remove_prefix(3);
    std::size_t i = 0;
    while (i < t.size() && (IsBlank(t[i]) || t[i] == '\r'))
        ++i;
    if (i == t.size())
        return line;
    if (t[i] == ';') {
        line.kind = Kind::Comment;
    } else if (t[i] == '[') {
        const auto close = t.find(']', i + 1);
        line.kind = Kind::Section;
        line.name = UpperAZ(Trimmed(std::string(
            t.substr(i + 1, close == std::string_view::npos ? std::string_view::npos : close - i - 1))));
    } else {
        const auto eq = t.find('=');
        line.kind = eq == std::string_view::npos ? Kind::Other : Kind::Entry;
        line.name = UpperAZ(Trimmed(std::string(t.substr(0, eq))));
    }
    return line;
}

void IniFile::parse(const std::string& bytes) {
    lines_.clear();
    lineBreak_.clear();
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        // CR LF, LF and a lone CR (old Mac files, some editors) each end a line.
        const auto brk = bytes.find_first_of("\r\n", pos);
        std::string text, eol;
        if (brk == std::string::npos) {
            text = bytes.substr(pos);
            pos = bytes.size();
        } else {
            text = bytes.substr(pos, brk - pos);
            const bool crlf = bytes[brk] == '\r' && brk + 1 < bytes.size() && bytes[brk + 1] == '\n';
            eol = crlf ? "\r\n" : std::string(1, bytes[brk]);
            pos = brk + eol.size();
        }
        if (lineBreak_.empty())
            lineBreak_ = eol;
        lines_.push_back(MakeLine(std::move(text), std::move(eol)));
    }
    if (lineBreak_.empty())
        lineBreak_ = "\r\n";
}

std::string IniFile::text() const {
    std::string out;
    for (const auto& l : lines_) {
        out += l.text;
        out += l.eol;
    }
    return out;
}

bool IniFile::load(const std::string& path) {
    parse({});
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return errno == ENOENT || errno == ENOTDIR;
    // A device or pipe could be read for ever, and no profile comes near this size.
    constexpr off_t MaxSize = 64 * 1024 * 1024;
    if (!S_ISREG(st.st_mode) || st.st_size > MaxSize)
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return false;
    parse(bytes);
    return true;
}

bool IniFile::save(const std::string& path) const {
    // Replace the file the path leads to, not a symbolic link on the way.
    std::string target = path;
    if (char* real = ::realpath(path.c_str(), nullptr)) {
        target = real;
        std::free(real);
    }
    return WriteFileSafely(target, text()).ok;
}

std::optional<IniFile::Range> IniFile::find(const std::string& section) const {
    const std::string wanted = UpperAZ(Trimmed(section));
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind != Kind::Section || lines_[i].name != wanted)
            continue;
        std::size_t end = i + 1;
        while (end < lines_.size() && lines_[end].kind != Kind::Section)
            ++end;
        return Range{i, end};
    }
    return std::nullopt;
}

bool IniFile::hasSection(const std::string& section) const {
    return find(section).has_value();
}

std::optional<std::string> IniFile::value(const std::string& section, const std::string& key) const {
    const auto r = find(section);
    if (!r)
        return std::nullopt;
    const std::string wanted = UpperAZ(Trimmed(key));
    for (std::size_t i = r->header + 1; i < r->end; ++i) {
        const Line& l = lines_[i];
        if (l.kind == Kind::Entry && l.name == wanted)
            return DecodeValue(l.text.substr(l.text.find('=') + 1));
    }
    return std::nullopt;
}

std::vector<std::string> IniFile::sectionValues(const std::string& section) const {
    std::vector<std::string> values;
    const auto r = find(section);
    if (!r)
        return values;
    for (std::size_t i = r->header + 1; i < r->end; ++i) {
        const Line& l = lines_[i];
        if (l.kind == Kind::Entry)
            values.push_back(DecodeValue(l.text.substr(l.text.find('=') + 1)));
        else if (l.kind == Kind::Other)
            values.emplace_back();
    }
    return values;
}

void IniFile::setValue(const std::string& section, const std::string& key, const std::string& value) {
    setValues(section, {{key, value}});
}

bool IniFile::SameText(const std::string& stored, const std::string& value) {
    return stored == value;
}

void IniFile::appendSection(const std::string& section, const std::vector<Update>& updates) {
    if (!lines_.empty() && lines_.back().eol.empty())
        lines_.back().eol = lineBreak_;
    lines_.push_back(MakeLine("[" + section + "]", lineBreak_));
    for (const auto& u : updates)
        lines_.push_back(MakeLine(u.key + "=" + EncodeValue(u.value), lineBreak_));
}

void IniFile::insertAfter(std::size_t last, std::vector<Line> added) {
    if (added.empty())
        return;
    if (lines_[last].eol.empty())
        lines_[last].eol = lineBreak_;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(last + 1),
                  std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()));
}

void IniFile::setValues(const std::string& section, const std::vector<Update>& updates) {
    const auto r = find(section);
    if (!r) {
        appendSection(section, updates);
        return;
    }
    // One pass over the section, whatever the number of keys: the first line of each key.
    std::unordered_map<std::string, std::size_t> at;
    std::size_t last = r->header; // the section's last line that is not blank
    for (std::size_t i = r->header + 1; i < r->end; ++i) {
        if (lines_[i].kind == Kind::Entry)
            at.try_emplace(lines_[i].name, i);
        if (lines_[i].kind != Kind::Blank)
            last = i;
    }
    std::vector<Line> added;
    for (const auto& u : updates) {
        const std::string name = UpperAZ(Trimmed(u.key));
        const auto found = at.find(name);
        if (found == at.end()) {
            at.emplace(name, r->end + added.size()); // a key given twice is added once
            added.push_back(MakeLine(u.key + "=" + EncodeValue(u.value), lineBreak_));
        } else if (found->second < r->end) {
            Line& l = lines_[found->second];
            const auto eq = l.text.find('=');
            if (!u.same(DecodeValue(l.text.substr(eq + 1)), u.value))
                l.text = l.text.substr(0, eq + 1) + EncodeValue(u.value);
        } else {
            added[found->second - r->end] = MakeLine(u.key + "=" + EncodeValue(u.value), lineBreak_);
        }
    }
    insertAfter(last, std::move(added));
}

void IniFile::replaceEntries(const std::string& section, const std::vector<Update>& entries,
                             bool keepSurplus) {
    const auto r = find(section);
    if (!r) {
        appendSection(section, entries);
        return;
    }
    // The n-th line with a value becomes the n-th entry; a line that already says the same stays as
    // it was written. Comments and blank lines keep their places.
    std::vector<Line> section_;
    section_.reserve(std::max(r->end - r->header, entries.size() + 1));
    std::size_t n = 0;
    std::size_t last = 0; // in section_: the last line that is not blank
    for (std::size_t i = r->header; i < r->end; ++i) {
        Line& l = lines_[i];
        const bool valued = i > r->header && (l.kind == Kind::Entry || l.kind == Kind::Other);
        if (valued && n >= entries.size() && !keepSurplus)
            continue;
        if (valued && n < entries.size()) {
            const Update& u = entries[n++];
            const auto eq = l.text.find('=');
            const bool keep = l.kind == Kind::Entry && l.name == UpperAZ(Trimmed(u.key)) &&
                              u.same(DecodeValue(l.text.substr(eq + 1)), u.value);
            if (!keep)
                l = MakeLine(u.key + "=" + EncodeValue(u.value), l.eol);
        }
        if (l.kind != Kind::Blank)
            last = section_.size();
        section_.push_back(std::move(l));
    }
    std::vector<Line> added;
    for (; n < entries.size(); ++n)
        added.push_back(MakeLine(entries[n].key + "=" + EncodeValue(entries[n].value), lineBreak_));
    if (!added.empty() && section_[last].eol.empty())
        section_[last].eol = lineBreak_;
    section_.insert(section_.begin() + static_cast<std::ptrdiff_t>(last + 1),
                    std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()));
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(r->header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(r->end));
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(r->header),
                  std::make_move_iterator(section_.begin()), std::make_move_iterator(section_.end()));
}

bool IniFile::deleteKey(const std::string& section, const std::string& key) {
    const auto r = find(section);
    if (!r)
        return false;
    const std::string wanted = UpperAZ(Trimmed(key));
    bool removed = false;
    for (std::size_t i = r->end; i-- > r->header + 1;) {
        if (lines_[i].kind == Kind::Entry && lines_[i].name == wanted) {
            lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
            removed = true;
        }
    }
    return removed;
}

} // namespace kt
