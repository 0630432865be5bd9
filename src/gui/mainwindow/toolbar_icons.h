#pragma once

#include <QIcon>

namespace kt {

// The pictures of the tool bar, drawn with Qt rather than loaded from files.
enum class ToolGlyph {
    Close,
    NewFile,
    OpenFile,
    SaveFile,
    Print,
    PrinterSetup,
    NewFilm,
    NewCassette,
    EditCassettes,
    CheckCassettes,
    Filter,
    Options,
    Notepad,
    Statistics,
    About,
    SortName,
    SortLength,
    SortCasNr,
    SortCategory,
    SortCountry,
    SortYear,
    Unsorted,
};

QIcon ToolIcon(ToolGlyph glyph);

} // namespace kt
