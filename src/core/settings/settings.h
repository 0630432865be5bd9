#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kt {

// One member per configuration key, named as the key, with the built-in default.
// The trace log's "WriteMasterAlways", "MasterStoreLevel" and "DBGLOC" live in TraceLog, and
// "LastFile" is the collection's CurrentDataFile: neither is kept twice.
struct Settings {
    // section "COMMON"
    uint8_t SortLength = 25;
    bool SaveDir = true;
    bool SaveOption = false;
    bool OpenFileAtStart = false;
    bool CreateBakOnFOpen = true;
    uint8_t FilmSort = 0;
    uint8_t MinimizeTarget = 0;
    bool MarkFilmList = true;
    int32_t LastStorageType = 0;
    int32_t StorageTypeShow = 63;
    bool ShowAllMsg = true;
    bool CenterFilmTitel = false;
    int32_t ImportKopfzeilen = 0;
    char ImportTrennz = '$';
    uint8_t SuggestPosOnCas = 0;
    uint8_t CasSubSort = 0;
    bool ShowFirstPicAutomatically = false;
    std::string TempDir = DefaultTempDir();
    bool MinimizeConfirm = true;
    bool ImportHinweis = false;
    bool FirstStart = false;

    // section "ImpExp"
    int32_t FirstCol2Read = 1;
    int32_t AnzCols2Read = 0;
    int32_t FirstRow2Read = 1;
    int32_t AnzRows2Read = 0;
    char Trennzeichen = '$';

    // section "History": newest first, at most five
    std::vector<std::string> History;

    // Switches for the current run only (options dialog).
    bool AllowCasEdit = false;
    bool AllowCasRestore = false;
    bool OverrideStorageTypeShow = false;
    int PicSizeOption = 0;
    int PicAutoShowOption = 0;
    int CasSort = 0;

    // TMPDIR (else /tmp), ending in "/".
    static std::string DefaultTempDir();
};

constexpr int MaxHistory = 5;

} // namespace kt
