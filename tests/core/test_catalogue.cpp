#include "catalogue/col_arrange.h"
#include "catalogue/value_texts.h"
#include "model/collection.h"
#include "text/cp1252.h"
#include "text/helpers.h"

#include <gtest/gtest.h>

using namespace kt;
using namespace kt::literals;

namespace {

std::vector<int> Positions(const ColArrange& ca) {
    std::vector<int> p;
    for (const auto& e : ca.Entry)
        p.push_back(e.Pos);
    return p;
}

void Hide(ColArrange& ca, int index) {
    ca[index].Show = false;
    ca[index].Pos = -1;
}

} // namespace

TEST(ColArrange, BuiltInTable) {
    struct Row {
        const char* header;
        const char* longName;
        const char* editLabel;
        int width;
    };
    const Row rows[ColCount] = {
        {"Filmtitel", "Filmtitel", "Film&name:", 280},
        {"Länge", "Länge des Films (insg.)", "Film&länge", 46},
        {"Cas.Nr.", "Cassetten-Nummer", "&Cassettennr.", 52},
        {"Pos.", "Position auf Cassette", "&Position auf Cassette", 39},
        {"Kategorie", "Kategorie", "&Kategorie", 152},
        {"Regisseur", "Regisseur", "&Regisseur", 234},
        {"Land", "Land", "Herst.-&Land", 52},
        {"Jahr", "Jahr", "Herst.-&Jahr", 52},
        {"2KT", "2-Kanalton", "Zweikanalton vorh.", 31},
        {"W.", "Werbung Ja/Nein", "durch &Werbung unterbrochen", 20},
        {"Wertung", "Wertung", "eigene Wertung", 130},
        {"Karte", "Karte vorhanden", "Katalog-Karte vorhanden", 195},
        {"Stars", "Stars", "Stars", 325},
        {"Inhalt", "Inhalt", "Inhalt des Films", 780},
        {"Bemerkung", "Bemerkung", "Bemerkungen zum Film", 585},
        {"Aufz.datum", "Aufzeichnungsdatum", "Aufzeichnungsdatum", 130},
        {"Sprache", "Sprache", "Sprachen", 182},
        {"verliehen an", "verliehen an", "Verleihstatus", 156},
        {"Tonformat", "Tonformat", "Tonformat", 96},
        {"Bildformat", "Bildformat", "Bildformat", 96},
        {"FSK", "FSK", "FSK", 96},
        {"DVD-Reg.code", "DVD-Regionalcode", "DVD: Regionalcode", 96},
        {"Speichermedium", "Speichermedium", "zu finden auf einer", 236},
        {"Anz. CDs", "Anz. CDs/DVDs", "Anz. CDs/DVDs", 104},
        {"Bilder", "Bilder", "Bilder", 78},
    };
    const ColArrange ca;
    for (int i = 0; i < ColCount; ++i) {
        const auto& e = ca[i];
        EXPECT_EQ(ToUtf8(e.Header), rows[i].header) << i;
        EXPECT_EQ(ToUtf8(e.LongName), rows[i].longName) << i;
        EXPECT_EQ(ToUtf8(e.EditLabel), rows[i].editLabel) << i;
        EXPECT_EQ(e.Width, rows[i].width) << i;
        EXPECT_EQ(e.Pos, i);
        EXPECT_TRUE(e.Show);
        EXPECT_EQ(e.ImportPos, 0);
    }
    EXPECT_THROW(ca[25], std::out_of_range);
    EXPECT_THROW(ca[-1], std::out_of_range);
}

TEST(ColArrange, ColumnQueries) {
    ColArrange ca;
    EXPECT_EQ(CountShownColumns(ca), 25);
    EXPECT_EQ(CountPlacedColumns(ca), 25);
    EXPECT_EQ(MaxColArrangePos(ca), 24);
    EXPECT_EQ(ColumnOfEntry(ca, 0), 0);
    EXPECT_EQ(ColumnOfEntry(ca, 24), 24);

    Hide(ca, 2);
    ca[5].Show = false; // hidden, but keeps a position
    EXPECT_EQ(CountShownColumns(ca), 23);
    EXPECT_EQ(CountPlacedColumns(ca), 24);
    EXPECT_EQ(ColumnOfEntry(ca, 6), 4); // 0, 1, 3, 4 lie before it
    EXPECT_EQ(ColumnOfEntry(ca, 2), 0); // lower than every shown entry

    ca[7].Pos = -5;
    EXPECT_EQ(ColumnOfEntry(ca, 7), 0);

    EXPECT_EQ(EntryOfHeader(ca, "Pos."), 3);
    EXPECT_EQ(EntryOfHeader(ca, "pos."), -1); // letter case counts
    EXPECT_EQ(EntryOfHeader(ca, "Länge"_cp), 1);
    ca[20].Header = "Kategorie";
    EXPECT_EQ(EntryOfHeader(ca, "Kategorie"), 4); // the lowest index

    for (auto& e : ca.Entry)
        e.Pos = -1;
    EXPECT_EQ(MaxColArrangePos(ca), -1);
    EXPECT_EQ(CountPlacedColumns(ca), 0);
}

TEST(CheckColArrangePos, ClosesGaps) {
    ColArrange ca;
    EXPECT_TRUE(Check_ColArrangePos(ca));
    EXPECT_EQ(Positions(ca), Positions(ColArrange())); // built-in values stay

    Hide(ca, 3);
    Hide(ca, 7);
    EXPECT_TRUE(Check_ColArrangePos(ca));
    EXPECT_EQ(ca[4].Pos, 3);
    EXPECT_EQ(ca[8].Pos, 6);
    EXPECT_EQ(ca[24].Pos, 22);
    EXPECT_EQ(ca[3].Pos, -1);
    std::vector<int> shown;
    for (const auto& e : ca.Entry)
        if (e.Show)
            shown.push_back(e.Pos);
    std::sort(shown.begin(), shown.end());
    for (int i = 0; i < static_cast<int>(shown.size()); ++i)
        EXPECT_EQ(shown[static_cast<std::size_t>(i)], i);

    // Shown entries keep their order when their positions are scattered.
    ColArrange b;
    for (int i = 0; i < ColCount; ++i)
        b[i].Pos = i == 0 ? 0 : 100 - 3 * i;
    Check_ColArrangePos(b);
    for (int i = 1; i < ColCount; ++i)
        EXPECT_EQ(b[i].Pos, 25 - i) << i;
}

TEST(CheckColArrangePos, EndsWhenNoPassCanHelp) {
    // Positions that repeat, and hidden entries that keep a position, can keep the highest
    // position at the shown count or above: the check must still end.
    ColArrange shifted;
    for (int i = 0; i < ColCount; ++i)
        shifted[i].Pos = i + 1; // no gap from 1 on, but 25 is above the last column
    EXPECT_TRUE(Check_ColArrangePos(shifted));
    EXPECT_EQ(shifted[0].Pos, 1);
    EXPECT_EQ(shifted[24].Pos, 25);

    ColArrange twins;
    twins[12].Pos = 30;
    twins[13].Pos = 30;
    EXPECT_TRUE(Check_ColArrangePos(twins));
    EXPECT_EQ(twins[12].Pos, 24);
    EXPECT_EQ(twins[13].Pos, 24);
    EXPECT_EQ(twins[14].Pos, 12);
    EXPECT_EQ(twins[24].Pos, 22);

    ColArrange hiddenKeeping;
    for (int i = 10; i < ColCount; ++i)
        hiddenKeeping[i].Show = false; // positions stay 10..24
    EXPECT_TRUE(Check_ColArrangePos(hiddenKeeping));
    EXPECT_EQ(Positions(hiddenKeeping), Positions(ColArrange()));

    ColArrange gapAndHidden;
    Hide(gapAndHidden, 2);
    gapAndHidden[24].Show = false;
    gapAndHidden[24].Pos = 90;
    EXPECT_TRUE(Check_ColArrangePos(gapAndHidden));
    EXPECT_EQ(gapAndHidden[3].Pos, 2);
    EXPECT_EQ(gapAndHidden[24].Pos, 23);
}

TEST(ValueTexts, EveryCode) {
    const TWertung ratings = Collection().RatingTexts;
    EXPECT_EQ(RatingText(ratings, 0), "Kult");
    EXPECT_EQ(RatingText(ratings, 4), "\"nett\"");
    EXPECT_EQ(RatingText(ratings, 6), "grauenhaft");
    EXPECT_EQ(RatingText(ratings, 7), "");
    EXPECT_EQ(RatingText(ratings, -1), "");

    const char* cards[] = {"vorhanden", "nicht vorhanden", "nicht geprüft", "", ""};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(ToUtf8(CatalogCardText(i == 4 ? -1 : i)), cards[i]);

    const std::vector<std::pair<int, const char*>> sound = {{0, "nicht eingegeben"},
                                                            {1, "Mono"},
                                                            {2, "PCM/LPCM"},
                                                            {3, "Stereo"},
                                                            {4, "Dolby Surround-ProLogic"},
                                                            {5, "Dolby Digital (AC-3)"},
                                                            {6, "Dolby Digital EX"},
                                                            {7, "DTS"},
                                                            {8, "DTS-ES"},
                                                            {9, "THX"},
                                                            {10, "nicht eingegeben"},
                                                            {12, "nicht eingegeben"},
                                                            {-1, "nicht eingegeben"}};
    for (const auto& [code, text] : sound)
        EXPECT_EQ(SoundFormatText(code), text) << code;

    const std::vector<std::pair<int, const char*>> picture = {
        {0, "nicht eingegeben"},    {1, " 4:3 (Fernsehbild)"}, {2, " 4:3 (anamorphic)"},
        {3, " 4:3 (LB=Letterbox)"}, {4, " 4:3 (PS=Pan&Scan)"}, {5, "14:9"},
        {6, "16:9 (Breitbild)"},    {7, "nicht eingegeben"}};
    for (const auto& [code, text] : picture)
        EXPECT_EQ(PictureFormatText(code), text) << code;

    const std::vector<std::pair<int, const char*>> fsk = {{0, "nicht eingegeben"},
                                                          {1, "Keine Freigabe"},
                                                          {2, "Ab 6"},
                                                          {3, "Ab 12"},
                                                          {4, "Ab 16"},
                                                          {5, "Ab 18"},
                                                          {6, "Ohne Altersbeschr."},
                                                          {7, "unbekannt"},
                                                          {8, "nicht eingegeben"}};
    for (const auto& [code, text] : fsk)
        EXPECT_EQ(FskText(code), text) << code;

    const std::vector<std::pair<int, const char*>> region = {
        {0, "nicht eingegeben"},
        {1, "0: auf allen DVD-Player weltweit abspielbar"},
        {2, "1: Kanada, USA"},
        {3, "2: Europa, Japan, Südafrika, Mittl. Osten (inkl. Ägypt.)"},
        {4, "3: Südostasien und Ostasien (inkl. Hongkong)"},
        {5, "4: Australien, Neuseeland, Paz. Inseln, restl. Amerika"},
        {6, "5: Ehem. UdSSR, Ind. Subkont., Afrika, et al."},
        {7, "6: China"},
        {8, "7: Reserviert"},
        {9, "8: Spezielle Aufenthaltsorte mit int. Charakter"},
        {10, ""},
        {-1, ""}};
    for (const auto& [code, text] : region)
        EXPECT_EQ(ToUtf8(DvdRegionText(code)), text) << code;

    EXPECT_EQ(YesNoMark(true), "X");
    EXPECT_EQ(YesNoMark(false), "-");
}

TEST(ValueTexts, LanguagesInBitOrder) {
    const char* names[] = {"Deutsch",     "Englisch",   "Französisch", "Spanisch",   "Portugiesisch",
                           "Italienisch", "Russisch",   "Chinesisch",  "Schwedisch", "Tschechisch",
                           "Polnisch",    "Ungarisch",  "Finnisch",    "Dänisch",    "Norwegisch",
                           "Türkisch",    "Bulgarisch", "Japanisch"};
    for (int bit = 0; bit < 18; ++bit)
        EXPECT_EQ(ToUtf8(LanguagesText(1 << bit)), names[bit]) << bit;
    EXPECT_EQ(ToUtf8(LanguagesText(0b101)), "Deutsch, Französisch");
    EXPECT_EQ(LanguagesText(1 << 20), "");
    EXPECT_EQ(LanguagesText(0), "");
    EXPECT_EQ(LanguagesText((1 << 17) | (1 << 18) | static_cast<int32_t>(0x80000000u)), "Japanisch");
}

TEST(ValueTexts, StorageMediumByItsBit) {
    Collection c;
    c.StorageMediaList.push_back({"Blu-ray", true, 7});
    EXPECT_EQ(StorageTypeText(c.StorageMediaList, 1), "Video-Cassette");
    EXPECT_EQ(StorageTypeText(c.StorageMediaList, 32), "DivX ;-)");
    EXPECT_EQ(StorageTypeText(c.StorageMediaList, 64), "Blu-ray");
    EXPECT_EQ(StorageTypeText(c.StorageMediaList, 128), "unbekannt!");
    EXPECT_EQ(StorageTypeText(c.StorageMediaList, 3), "unbekannt!");
    EXPECT_EQ(StorageTypeText(c.StorageMediaList, 0), "unbekannt!");
    EXPECT_EQ(StorageTypeText(c.StorageMediaList, -1), "unbekannt!");
}

TEST(CellText, EveryColumn) {
    Collection c;
    TFilmV26 f;
    f.FilmName.Strng = "Alien";
    f.FilmLength = 117;
    f.CasNr = 12;
    f.PosOnCas = 3;
    f.Category.Strng = "SciFi";
    f.Director.Strng = "Ridley Scott";
    f.Country.Strng = "USA";
    f.ProdYear = 1979;
    f.TwoChannel = true;
    f.Commercials = false;
    f.Rating = 2;
    f.CatalogCard = 0;
    f.Stars.Strng = "Sigourney Weaver";
    f.Content.Strng = "Zeile 1\r\nZeile 2";
    f.Remark.Strng = "gut";
    f.RecDate = EncodeDate(1999, 12, 31);
    f.Languages = 3;
    f.LentTo.Strng = "Anna";
    f.SoundFormat = 3;
    f.PictureFormat = 6;
    f.Fsk = 5;
    f.DvdRegion = 3;
    f.StorageType = StVideo;
    f.AnzDiscs = 2;
    f.Pics.resize(2);
    const char* expected[ColCount] = {"Alien",
                                      "117",
                                      "12",
                                      "3",
                                      "SciFi",
                                      "Ridley Scott",
                                      "USA",
                                      "1979",
                                      "X",
                                      "-",
                                      "super",
                                      "vorhanden",
                                      "Sigourney Weaver",
                                      "Zeile 1\r\nZeile 2",
                                      "gut",
                                      "31.12.1999",
                                      "Deutsch, Englisch",
                                      "Anna",
                                      "Stereo",
                                      "16:9 (Breitbild)",
                                      "Ab 18",
                                      "2: Europa, Japan, Südafrika, Mittl. Osten (inkl. Ägypt.)",
                                      "Video-Cassette",
                                      "",
                                      "2"};
    for (int i = 0; i < ColCount; ++i)
        EXPECT_EQ(ToUtf8(CellText(c, f, i)), expected[i]) << i;
    EXPECT_EQ(CellText(c, f, 25), "");
}

TEST(CellText, EmptyAndSpecialCells) {
    Collection c;
    TFilmV26 f; // creation values
    f.Languages = 0;
    const char* expected[ColCount] = {"",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "-",
                                      "X",
                                      "",
                                      "nicht geprüft",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "nicht eingegeben",
                                      "nicht eingegeben",
                                      "nicht eingegeben",
                                      "nicht eingegeben",
                                      "unbekannt!",
                                      "",
                                      ""};
    for (int i = 0; i < ColCount; ++i)
        EXPECT_EQ(ToUtf8(CellText(c, f, i)), expected[i]) << i;

    f.PosOnCas = 5;
    f.StorageType = StDvd;
    f.AnzDiscs = 3;
    EXPECT_EQ(CellText(c, f, ColPos), "");
    EXPECT_EQ(CellText(c, f, ColDiscs), "3");
    f.StorageType = StBought;
    EXPECT_EQ(CellText(c, f, ColPos), "n.a.");
    f.StorageType = StVideo;
    EXPECT_EQ(CellText(c, f, ColPos), "5");
    EXPECT_EQ(CellText(c, f, ColDiscs), ""); // discs count only off video cassettes

    struct DateCase {
        double date;
        const char* text;
    };
    const DateCase dates[] = {{29221.5, ""}, {29221.0, ""}, {29222.0, "02.01.1980"}, {29220.99, "31.12.1979"},
                              {0.0, ""},     {-3.0, ""},    {0.5, "30.12.1899"},     {1e12, ""}};
    for (const auto& d : dates) {
        f.RecDate = d.date;
        EXPECT_EQ(CellText(c, f, ColRecDate), d.text) << d.date;
    }
    f.Rating = -1;
    EXPECT_EQ(CellText(c, f, ColRating), "");
    f.Rating = 7;
    EXPECT_EQ(CellText(c, f, ColRating), "");
}
