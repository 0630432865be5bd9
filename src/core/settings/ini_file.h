#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kt {

// A profile ("INI") file kept as its lines: everything the program does not touch stays byte for
// byte, with its unknown sections, keys, comments, order and line breaks. Section and key names
// compare without regard to case (a-z). Bytes are Windows-1252 and are not converted.
//
// Values follow the profile-file rules the format comes from: blanks around key and value do not
// count, and one pair of matching quotes around a value is taken off. A written value that would
// lose something by that (blanks at its ends, enclosing quotes) is put in double quotes.
class IniFile {
public:
    // Reads `path`. A missing file gives an empty profile and true; false when the file exists but
    // cannot be read (a folder or device, no permission, above 64 MiB, an I/O error): the profile
    // is then empty.
    bool load(const std::string& path);
    // Writes the whole profile to `path` through a temporary file that replaces it, flushed to disk.
    bool save(const std::string& path) const;

    void parse(const std::string& bytes);
    std::string text() const;

    bool hasSection(const std::string& section) const;
    // The value of the first `key` in the first section named `section`; nullopt when either is
    // missing.
    std::optional<std::string> value(const std::string& section, const std::string& key) const;
    // The value of every line of the section in file order; a line without "=" gives an empty
    // value. Blank and comment (";") lines do not count.
    std::vector<std::string> sectionValues(const std::string& section) const;

    // One key to write. `same` tells whether a stored value already stands for the new one; such a
    // line stays as it was written.
    using SameFn = bool (*)(const std::string& stored, const std::string& value);
    struct Update {
        std::string key;
        std::string value;
        SameFn same = SameText;
    };
    static bool SameText(const std::string& stored, const std::string& value);

    // Updates the key in place, else appends it after the section's last line, else appends the
    // section at the end of the file.
    void setValue(const std::string& section, const std::string& key, const std::string& value);
    // The same for many keys of one section at once, in one pass over the file.
    void setValues(const std::string& section, const std::vector<Update>& updates);
    // Makes `entries` the section's values, in this order and nothing else: the n-th line with a
    // value becomes the n-th entry (kept as it stands when it already says the same), surplus lines
    // go unless `keepSurplus`, missing ones are appended. Comments and blank lines stay.
    void replaceEntries(const std::string& section, const std::vector<Update>& entries,
                        bool keepSurplus = false);
    // Removes every line of `key` in the section; true when one was there.
    bool deleteKey(const std::string& section, const std::string& key);

    // The line break of the file: that of its first line, CR LF for a new file.
    const std::string& lineBreak() const { return lineBreak_; }

    // The text of a value as read from a file (blanks and one pair of quotes taken off).
    static std::string DecodeValue(const std::string& raw);
    // The text to write so that DecodeValue gives `value` back.
    static std::string EncodeValue(const std::string& value);

private:
    enum class Kind { Blank, Comment, Section, Entry, Other };
    struct Line {
        std::string text; // without its line break
        std::string eol;  // "\r\n", "\n" or "" (a last line without break)
        Kind kind = Kind::Blank;
        std::string name; // section name or key, upper-cased (a-z) and without surrounding blanks
    };
    struct Range {
        std::size_t header = 0; // the section's line
        std::size_t end = 0;    // one past its last line
    };

    static Line MakeLine(std::string text, std::string eol);
    std::optional<Range> find(const std::string& section) const;
    void appendSection(const std::string& section, const std::vector<Update>& updates);
    void insertAfter(std::size_t last, std::vector<Line> added);

    std::vector<Line> lines_;
    std::string lineBreak_ = "\r\n";
};

} // namespace kt
