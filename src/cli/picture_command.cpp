#include "collection_io.h"
#include "tool.h"

#include "cassettes/cassette_lookup.h"
#include "model/collection.h"
#include "persistence/save_transaction.h"
#include "text/cp1252.h"
#include "text/helpers.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace kt::cli {

namespace {

int RunPicture(const Args& args) {
    Options opt({}, {}, {});
    LoadOptions load;
    int exit = 0;
    if (!ParseLoadCommand(args, 4, {}, {}, opt, load, exit))
        return exit;
    const std::vector<std::string>& pos = opt.positional();
    long long filmNr = 0, index = 0;
    if (!ParseInt(pos[1], filmNr) || filmNr < 0 || filmNr > 0x7FFFFFFF)
        return Fail(ExitUsage, "FILMNR muss eine Filmnummer sein.");
    if (!ParseInt(pos[2], index) || index < 1 || index > MaxPics)
        return Fail(ExitUsage, "INDEX muss eine Zahl von 1 bis 10 sein (Bild 1 bis Bild 10).");
    const std::string& out = pos[3];

    Collection c;
    ConsoleDialogs ui(load.yes);
    if (!LoadCollection(c, pos[0], load.asVersion, ui))
        return ExitFileError;
    const int slot = FilmIndexByNr(c, static_cast<int>(filmNr));
    if (slot == 0)
        return Fail(ExitFileError, "Kein Film mit der Nummer " + std::to_string(filmNr) + ".");
    const TFilmV26& film = c.Film(slot);
    if (index > film.AnzPics())
        return Fail(ExitFileError, "Der Film \"" + ToUtf8(film.FilmName.Strng) + "\" hat kein Bild " +
                                       std::to_string(index) + " (Bilder: " + std::to_string(film.AnzPics()) +
                                       ").");
    const TPicRec& pic = film.Pics[static_cast<std::size_t>(index - 1)];
    std::string bytes;
    if (pic.PicFlags >= PicLink) {
        // A link: the file it names, as the program would show it.
        std::ifstream in(ToUtf8(pic.PicText.Strng), std::ios::binary);
        if (!in)
            return Fail(ExitFileError, "Die verknüpfte Bilddatei \"" + ToUtf8(pic.PicText.Strng) +
                                           "\" fehlt oder kann nicht gelesen werden.");
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (in.bad())
            return Fail(ExitFileError, "Die verknüpfte Bilddatei \"" + ToUtf8(pic.PicText.Strng) +
                                           "\" kann nicht gelesen werden.");
    } else {
        if (pic.PicData.empty())
            return Fail(ExitFileError, "Bild " + std::to_string(index) + " enthält keine Bilddaten.");
        bytes.assign(reinterpret_cast<const char*>(pic.PicData.data()), pic.PicData.size());
    }
    const WriteOutcome w = WriteFileSafely(out, bytes);
    if (!w.ok)
        return Fail(ExitFileError, "Kann \"" + out + "\" nicht schreiben: " + std::strerror(w.error));
    return ExitOk;
}

const Registration
    picture({"picture",
             "picture DATEI FILMNR INDEX AUSGABE [--as-version N] [--yes]\n"
             "        Bild INDEX (1 bis 10) des Films mit der Nummer FILMNR (wie dump sie zeigt) nach\n"
             "        AUSGABE schreiben: die gespeicherten Bytes unverändert, bei einem Link eine Kopie\n"
             "        der verknüpften Datei",
             &RunPicture});

} // namespace

} // namespace kt::cli
