// Writes a generated collection as a film data file: make_collection FILE [FILMS] [SEED]
#include "film_generator.h"

#include "model/dialogs.h"
#include "persistence/film_data_file.h"
#include "text/cp1252.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Every box to stderr; the questions are answered No (a new file in the current version asks none).
class QuietDialogs : public kt::UserDialogs {
public:
    void error(const std::string& t) override { print("Fehler", t); }
    void warning(const std::string& t) override { print("Warnung", t); }
    void information(const std::string&) override {}
    void notice(const std::string&) override {}
    kt::Answer question(const std::string& t, kt::Buttons, kt::BoxKind) override {
        print("Frage", t);
        return kt::Answer::No;
    }
    kt::Answer threeWay(const kt::ThreeWayQuestion&) override { return kt::Answer::Cancel; }

private:
    static void print(const char* kind, const std::string& text) {
        std::fprintf(stderr, "%s: %s\n", kind, kt::ToUtf8(text).c_str());
    }
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "Aufruf: %s DATEI.VD6 [FILME] [STARTWERT]\n", argv[0]);
        return 2;
    }
    const int films = argc > 2 ? std::atoi(argv[2]) : 20000;
    const auto seed = static_cast<uint32_t>(argc > 3 ? std::strtoul(argv[3], nullptr, 10) : 1);
    kt::Collection c = kt::bench::GenerateCollection(films, seed);
    std::string file = argv[1];
    std::string errorText;
    QuietDialogs ui;
    kt::NoProgress progress;
    if (!kt::Save_Video_Data(c, file, errorText, ui, progress)) {
        std::fprintf(stderr, "%s\n", kt::ToUtf8(kt::ErrorText(c.ActError, errorText)).c_str());
        return 1;
    }
    std::printf("%s: %d Filme, %d Cassetten\n", file.c_str(), c.AnzFilm(), c.AnzCas());
    return 0;
}
