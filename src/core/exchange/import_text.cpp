#include "exchange/import_text.h"

#include "exchange/import_entry.h"
#include "text/cp1252.h"

namespace kt {

std::vector<std::string> TextFileLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find('\n', pos);
        const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
        if (end == std::string_view::npos)
            end = bytes.size();
        std::size_t stop = end;
        if (stop > pos && bytes[stop - 1] == '\r')
            --stop;
        lines.emplace_back(bytes.substr(pos, stop - pos));
        pos = next;
    }
    return lines;
}

std::string CsvText(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        return ToCp1252(bytes.substr(3));
    if (IsValidUtf8(bytes))
        return ToCp1252(bytes);
    return std::string(bytes);
}

std::vector<std::vector<std::string>> CsvRecords(std::string_view text, char separator) {
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> record;
    std::string field;
    bool quoted = false;    // inside quotes
    bool wasQuoted = false; // the field began with a quote
    bool fieldStarted = false;
    auto endField = [&] {
        record.push_back(std::move(field));
        field.clear();
        wasQuoted = false;
        fieldStarted = false;
    };
    auto endRecord = [&] {
        endField();
        records.push_back(std::move(record));
        record.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
            continue;
        }
        if (c == separator) {
            endField();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            // CR LF ends the record at the LF
        } else if (c == '\n' || c == '\r') {
            endRecord();
        } else if (c == '"' && !fieldStarted && !wasQuoted) {
            quoted = wasQuoted = fieldStarted = true;
        } else if (!fieldStarted && IsBlankOrControl(c)) {
            // blanks in front of an unquoted field
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (fieldStarted || wasQuoted || !field.empty() || !record.empty())
        endRecord();
    return records;
}

} // namespace kt
