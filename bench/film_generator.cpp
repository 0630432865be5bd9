#include "film_generator.h"

#include "text/cp1252.h"

#include <algorithm>
#include <array>
#include <string>

namespace kt::bench {

namespace {

// A small generator of our own: the same numbers on every platform and library.
class Random {
public:
    explicit Random(uint32_t seed) : state_(seed * 2654435761u + 1u) {}
    uint32_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    int below(int n) { return static_cast<int>(next() % static_cast<uint32_t>(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    bool chance(int percent) { return below(100) < percent; }
    template <std::size_t N> const char* pick(const std::array<const char*, N>& a) {
        return a[static_cast<std::size_t>(below(N))];
    }

private:
    uint32_t state_;
};

const std::array<const char*, 8> Articles = {"Der", "Die", "Das", "Ein", "The", "La", "Im", "Zwei"};
const std::array<const char*, 40> Nouns = {
    "Boot",   "Stadt",  "Nacht", "Reise",  "Schatten", "Himmel",  "Spiel",  "Traum", "Mann",  "Frau",
    "Zeit",   "Insel",  "Krieg", "Liebe",  "Tod",      "Fluss",   "Berg",   "Stern", "König", "Dieb",
    "Sommer", "Winter", "Zug",   "Mond",   "Wolf",     "Geist",   "Mörder", "Spion", "Engel", "Teufel",
    "Brücke", "Grenze", "Hafen", "Straße", "Garten",   "Schloss", "Wüste",  "Wald",  "Meer",  "Sonne"};
const std::array<const char*, 12> Tails = {
    "",    "",          "",          " der Angst",     " von Paris",  " im Nebel", " ohne Namen",
    " II", " - Teil 3", " (Remake)", " und die Rache", " des Grauens"};
const std::array<const char*, 30> Categories = {
    "Abenteuer", "Action",          "Animation",    "Biografie", "Doku",      "Drama",
    "Erotik",    "Fantasy",         "Historie",     "Horror",    "Kinder",    "Komödie",
    "Krieg",     "Krimi",           "Musical",      "Musik",     "Mystery",   "Romanze",
    "Satire",    "Science Fiction", "Serie",        "Sport",     "Thriller",  "Tragödie",
    "Trickfilm", "Western",         "Zeichentrick", "Kurzfilm",  "Stummfilm", "Sonstiges"};
const std::array<const char*, 20> Countries = {
    "Deutschland", "USA",     "Frankreich", "Italien",  "England", "Japan",      "Österreich",
    "Schweiz",     "Spanien", "Schweden",   "Dänemark", "Kanada",  "Australien", "Russland",
    "Polen",       "Ungarn",  "Indien",     "China",    "Mexiko",  "Brasilien"};
const std::array<const char*, 24> People = {
    "Fritz Lang",     "Billy Wilder", "Alfred Hitchcock", "Stanley Kubrick", "Akira Kurosawa",
    "Ridley Scott",   "Wim Wenders",  "Werner Herzog",    "Sergio Leone",    "Federico Fellini",
    "Ingmar Bergman", "John Ford",    "Romy Schneider",   "Hans Albers",     "Marlene Dietrich",
    "Heinz Rühmann",  "Götz George",  "Mario Adorf",      "Sophia Loren",    "Jean Gabin",
    "Cary Grant",     "Grace Kelly",  "Toshiro Mifune",   "Liv Ullmann"};

std::string Title(Random& r) {
    std::string t = r.pick(Articles);
    t += ' ';
    t += r.pick(Nouns);
    t += r.pick(Tails);
    if (r.chance(20)) {
        t += ' ';
        t += r.pick(Nouns);
    }
    if (r.chance(15))
        t = UpperAZ(t.substr(0, 1)) + t.substr(1); // some titles differ in case only
    if (r.chance(10))
        t[0] = static_cast<char>(t[0] | 0x20);
    return ToCp1252(t);
}

std::string People3(Random& r) {
    std::string s = r.pick(People);
    for (int i = 0; i < 2; ++i) {
        s += ", ";
        s += r.pick(People);
    }
    return ToCp1252(s);
}

} // namespace

Collection GenerateCollection(int films, uint32_t seed) {
    Random r(seed);
    Collection c;
    films = std::clamp(films, 0, MaxFilms);
    for (const char* cat : Categories)
        AddCategoryToList(c, ToCp1252(cat));
    c.films().reserve(static_cast<std::size_t>(films));

    int casNr = 0, pos = 0, perCas = 0;
    for (int i = 1; i <= films; ++i) {
        TFilmV26 f;
        f.FilmNr = i;
        f.FilmName.Strng = Title(r);
        f.FilmLength = r.between(5, 200);
        f.Category.Strng = ToCp1252(r.pick(Categories));
        f.Country.Strng = ToCp1252(r.pick(Countries));
        f.ProdYear = r.chance(5) ? 0 : r.between(1920, 2005);
        f.Director.Strng = ToCp1252(r.pick(People));
        f.Stars.Strng = People3(r);
        f.Content.Strng = f.FilmName.Strng + ": " + ToCp1252(r.pick(Nouns)) + " trifft " +
                          ToCp1252(r.pick(Nouns)) + ".\r\nEin Film von " + f.Director.Strng + " mit " +
                          f.Stars.Strng + ".";
        if (r.chance(30))
            f.Remark.Strng = "Aufnahme mit Werbung, Anfang fehlt";
        f.TwoChannel = r.chance(20);
        f.Commercials = r.chance(60);
        f.CatalogCard = r.below(3);
        f.Rating = r.between(-1, 6);
        f.RecDate = r.chance(80) ? 29221.0 + r.between(0, 9000) : 0.0;
        f.NetLength = f.FilmLength;
        f.Languages = 1 | (r.chance(30) ? 2 : 0);
        f.SoundFormat = r.below(10);
        f.PictureFormat = r.below(7);
        f.Fsk = r.below(8);
        if (r.chance(10)) {
            f.LendStatus = LendLent;
            f.LentTo.Strng = ToCp1252(r.pick(People));
        }
        const int medium = r.below(100);
        if (medium < 50) {
            // Self-recorded: fill cassettes of 240 minutes one after the other.
            if (casNr == 0 || perCas <= 0) {
                TCasRec cas;
                cas.Nr = static_cast<uint16_t>(c.AnzCas() + 1);
                c.appendCassette(cas);
                casNr = cas.Nr;
                pos = 0;
                perCas = r.between(2, 6);
            }
            f.StorageType = StVideo;
            f.FilmLength = std::min(f.FilmLength, 240 / 6);
            f.CasNr = casNr;
            f.PosOnCas = ++pos;
            --perCas;
            TCasRec& cas = c.Cassette(c.AnzCas());
            cas.RestLength = static_cast<int16_t>(cas.RestLength - f.FilmLength);
        } else {
            f.StorageType = medium < 60   ? StBought
                            : medium < 85 ? StDvd
                            : medium < 90 ? StVcd
                            : medium < 95 ? StSvcd
                                          : StDivx;
            f.CasNr = r.chance(50) ? r.between(1, 999) : 0;
            f.AnzDiscs = r.between(1, 3);
        }
        if (r.chance(15)) {
            f.Pics.resize(static_cast<std::size_t>(r.between(1, 3)));
            for (auto& p : f.Pics) {
                p.PicFlags = PicJpg | PicLink;
                p.PicText.Strng = "/home/kino/bilder/film" + std::to_string(i) + ".jpg";
            }
        }
        c.appendFilm(std::move(f));
    }
    return c;
}

} // namespace kt::bench
