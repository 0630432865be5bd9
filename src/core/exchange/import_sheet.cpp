#include "exchange/import_sheet.h"

#include "text/cp1252.h"
#include "text/helpers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace kt {

void ImportSheet::widen(int row, int col) {
    if (empty()) {
        firstRow_ = lastRow_ = row;
        firstCol_ = lastCol_ = col;
        return;
    }
    firstRow_ = std::min(firstRow_, row);
    lastRow_ = std::max(lastRow_, row);
    firstCol_ = std::min(firstCol_, col);
    lastCol_ = std::max(lastCol_, col);
}

void ImportSheet::setCell(int row, int col, std::string text) {
    if (row < 0 || col < 0)
        return;
    widen(row, col);
    if (text.empty())
        return;
    Row& r = rows_[row];
    if (!r.empty() && r.back().first >= col)
        sorted_ = false;
    r.emplace_back(col, std::move(text));
}

void ImportSheet::touch(int row, int col) {
    if (row >= 0 && col >= 0)
        widen(row, col);
}

void ImportSheet::declareRange(int firstRow, int lastRow, int firstCol, int lastCol) {
    if (firstRow < 0 || firstCol < 0 || lastRow < firstRow || lastCol < firstCol)
        return;
    widen(firstRow, firstCol);
    widen(lastRow, lastCol);
}

const std::map<int, ImportSheet::Row>& ImportSheet::rows() const {
    if (!sorted_) {
        for (auto& [nr, r] : rows_) {
            // Stable, so that of two cells of one place the later one is kept below.
            std::stable_sort(r.begin(), r.end(),
                             [](const auto& a, const auto& b) { return a.first < b.first; });
            Row unique;
            unique.reserve(r.size());
            for (auto& cell : r) {
                if (!unique.empty() && unique.back().first == cell.first)
                    unique.back() = std::move(cell);
                else
                    unique.push_back(std::move(cell));
            }
            r = std::move(unique);
        }
        sorted_ = true;
    }
    return rows_;
}

std::string ImportSheet::text(int col, int row) const {
    const auto& all = rows();
    const auto it = all.find(row);
    if (it == all.end())
        return {};
    const auto cell = std::lower_bound(it->second.begin(), it->second.end(), col,
                                       [](const auto& c, int value) { return c.first < value; });
    return cell != it->second.end() && cell->first == col ? cell->second : std::string();
}

std::size_t ImportSheet::cellCount() const {
    std::size_t n = 0;
    for (const auto& [nr, r] : rows())
        n += r.size();
    return n;
}

std::string NumberCellText(double value) {
    if (!std::isfinite(value))
        return "#ZAHL!";
    char buf[64];
    if (value == std::trunc(value) && std::fabs(value) < 1e15)
        std::snprintf(buf, sizeof buf, "%.0f", value);
    else
        std::snprintf(buf, sizeof buf, "%.15g", value);
    std::string s = buf;
    if (s == "-0")
        s = "0";
    std::replace(s.begin(), s.end(), '.', ',');
    for (char& c : s)
        if (c == 'e')
            c = 'E';
    return s;
}

std::string DateCellText(double serial, bool date1904) {
    if (!std::isfinite(serial) || serial < 0 || serial >= 2958466)
        return NumberCellText(serial);
    const double day = std::floor(serial);
    double dateTime = 0;
    if (date1904)
        dateTime = day + 1462;
    else if (day < 60)
        dateTime = day + 1; // before the 29 February 1900 that the 1900 system counts
    else if (day == 60)
        return "29.02.1900";
    else
        dateTime = day;
    const std::string text = ShortDateText(dateTime);
    return text.empty() ? NumberCellText(serial) : text;
}

std::string BoolCellText(bool value) {
    return value ? "WAHR" : "FALSCH";
}

std::string ErrorCellText(int code) {
    switch (code) {
    case 0x00:
        return "#NULL!";
    case 0x07:
        return "#DIV/0!";
    case 0x0F:
        return "#WERT!";
    case 0x17:
        return "#BEZUG!";
    case 0x1D:
        return "#NAME?";
    case 0x24:
        return "#ZAHL!";
    case 0x2A:
        return "#NV";
    default:
        return "#FEHLER!";
    }
}

bool IsDateFormat(int formatId, std::string_view code) {
    if ((formatId >= 14 && formatId <= 17) || formatId == 22 || (formatId >= 27 && formatId <= 36) ||
        (formatId >= 50 && formatId <= 58))
        return true;
    if (code.empty())
        return false;
    bool quoted = false, bracket = false;
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char ch = code[i];
        if (quoted) {
            quoted = ch != '"';
            continue;
        }
        if (bracket) {
            bracket = ch != ']';
            continue;
        }
        switch (ch) {
        case '"':
            quoted = true;
            break;
        case '[':
            bracket = true;
            break;
        case '\\':
        case '_':
        case '*':
            ++i; // the next character is literal (or a padding width)
            break;
        case ';':
            return false; // the first section decides
        case 'd':
        case 'D':
        case 'y':
        case 'Y':
        case 'j':
        case 'J':
        case 't':
        case 'T':
        case 'm':
        case 'M':
            // "m" alone is also minutes: only with a day or year around it is it a date; German
            // codes use "T" for day and "J" for year.
            if (ch == 'm' || ch == 'M') {
                const std::string rest(code);
                if (rest.find_first_of("dDyYjJtT") == std::string::npos)
                    break;
            }
            return true;
        default:
            break;
        }
    }
    return false;
}

char UnicodeToCp1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (unsigned b = 0x80; b <= 0x9F; ++b)
        if (Cp1252ToUnicode(static_cast<unsigned char>(b)) == c)
            return static_cast<char>(b);
    return '?';
}

void AppendUtf8AsCp1252(std::string& out, std::string_view utf8) {
    if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        out.append(utf8);
    else
        out += ToCp1252(utf8);
}

} // namespace kt
