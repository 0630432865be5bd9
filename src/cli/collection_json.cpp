#include "collection_json.h"

#include "digest.h"
#include "text/cp1252.h"

#include <stdexcept>

namespace kt::cli {

namespace {

using ojson = nlohmann::ordered_json;
using json = nlohmann::json;

std::string U8(const TStrRec& t) {
    return ToUtf8(t.Strng);
}

// One table of the film's fields, used in both directions.
template <typename Film, typename Visit> void FilmFields(Film& f, Visit&& v) {
    v("ProdYear", f.ProdYear);
    v("FilmLength", f.FilmLength);
    v("FilmNr", f.FilmNr);
    v("CasNr", f.CasNr);
    v("PosOnCas", f.PosOnCas);
    v("Category", f.Category);
    v("Country", f.Country);
    v("TwoChannel", f.TwoChannel);
    v("Commercials", f.Commercials);
    v("CatalogCard", f.CatalogCard);
    v("Rating", f.Rating);
    v("RecDate", f.RecDate);
    v("NetLength", f.NetLength);
    v("StorageType", f.StorageType);
    v("LendStatus", f.LendStatus);
    v("AnzDiscs", f.AnzDiscs);
    v("FilmName", f.FilmName);
    v("Stars", f.Stars);
    v("Director", f.Director);
    v("Content", f.Content);
    v("Remark", f.Remark);
    v("LentTo", f.LentTo);
    v("LenderAddress", f.LenderAddress);
    v("Languages", f.Languages);
}

template <typename T> void Put(ojson& o, const char* key, const T& value) {
    if constexpr (std::is_same_v<T, TStrRec>)
        o[key] = U8(value);
    else
        o[key] = value;
}

template <typename T> void Get(const json& o, const char* key, T& value) {
    if (!o.contains(key))
        return;
    if constexpr (std::is_same_v<T, TStrRec>)
        value.Strng = ToCp1252(o.at(key).get<std::string>());
    else
        value = o.at(key).get<T>();
}

std::vector<std::string> TextsFrom(const json& doc, const char* key) {
    std::vector<std::string> out;
    if (doc.contains(key))
        for (const auto& t : doc.at(key))
            out.push_back(ToCp1252(t.get<std::string>()));
    return out;
}

} // namespace

ojson CollectionToJson(const Collection& c) {
    ojson doc;
    doc["dataVersion"] = std::to_string(c.DataVerMain) + "." + std::to_string(c.DataVerMinor);
    ojson films = ojson::array();
    for (const TFilmV26& f : c.films()) {
        ojson o;
        FilmFields(f, [&](const char* key, const auto& value) { Put(o, key, value); });
        o["AnzPics"] = f.AnzPics();
        ojson pics = ojson::array();
        for (const TPicRec& p : f.Pics)
            pics.push_back({{"PicSize", p.PicSize},
                            {"PicFlags", p.PicFlags},
                            {"PicText", U8(p.PicText)},
                            {"PicDataSha256", p.PicData.empty() ? std::string() : Sha256Hex(p.PicData)}});
        o["Pics"] = pics;
        o["SoundFormat"] = f.SoundFormat;
        o["PictureFormat"] = f.PictureFormat;
        o["DvdRegion"] = f.DvdRegion;
        o["Fsk"] = f.Fsk;
        films.push_back(std::move(o));
    }
    doc["films"] = std::move(films);
    ojson cassettes = ojson::array();
    for (const TCasRec& cas : c.cassettes())
        cassettes.push_back({{"Nr", cas.Nr},
                             {"TotalLength", cas.TotalLength},
                             {"RestLength", cas.RestLength},
                             {"GapLength", cas.GapLength}});
    doc["cassettes"] = std::move(cassettes);
    ojson names = ojson::array(), addresses = ojson::array(), categories = ojson::array();
    for (const auto& n : c.LenderNames)
        names.push_back(ToUtf8(n));
    for (const auto& a : c.LenderAddresses)
        addresses.push_back(ToUtf8(a));
    for (const auto& cat : c.CategoryList)
        categories.push_back(ToUtf8(cat.Name));
    doc["LenderNames"] = std::move(names);
    doc["LenderAddresses"] = std::move(addresses);
    doc["CategoryList"] = std::move(categories);
    return doc;
}

void CollectionFromJson(const json& doc, Collection& c) {
    if (!doc.is_object())
        throw std::runtime_error("Das JSON-Dokument ist kein Objekt.");
    c.clearFilmsAndCassettes();
    if (doc.contains("films")) {
        for (const auto& o : doc.at("films")) {
            TFilmV26 f;
            f.FilmNr = c.AnzFilm() + 1;
            FilmFields(f, [&](const char* key, auto& value) { Get(o, key, value); });
            if (o.contains("Pics")) {
                for (const auto& jp : o.at("Pics")) {
                    TPicRec p;
                    Get(jp, "PicFlags", p.PicFlags);
                    Get(jp, "PicText", p.PicText);
                    if (jp.contains("PicDataBase64")) {
                        auto data = DecodeBase64(jp.at("PicDataBase64").get<std::string>());
                        if (!data)
                            throw std::runtime_error("PicDataBase64 ist kein gültiges Base64.");
                        p.PicData = std::move(*data);
                    }
                    p.PicSize = static_cast<int32_t>(p.PicData.size());
                    Get(jp, "PicSize", p.PicSize);
                    f.Pics.push_back(std::move(p));
                }
            }
            Get(o, "SoundFormat", f.SoundFormat);
            Get(o, "PictureFormat", f.PictureFormat);
            Get(o, "DvdRegion", f.DvdRegion);
            Get(o, "Fsk", f.Fsk);
            if (!c.appendFilm(std::move(f)))
                throw std::runtime_error("Mehr als 20000 Filme.");
        }
    }
    if (doc.contains("cassettes")) {
        for (const auto& o : doc.at("cassettes")) {
            TCasRec cas;
            Get(o, "Nr", cas.Nr);
            Get(o, "TotalLength", cas.TotalLength);
            Get(o, "RestLength", cas.RestLength);
            Get(o, "GapLength", cas.GapLength);
            if (!c.appendCassette(cas))
                throw std::runtime_error("Mehr als 5000 Cassetten.");
        }
    }
    c.LenderNames = TextsFrom(doc, "LenderNames");
    c.LenderAddresses = TextsFrom(doc, "LenderAddresses");
    c.CategoryList.clear();
    for (const auto& name : TextsFrom(doc, "CategoryList"))
        c.CategoryList.push_back({name, false, static_cast<int32_t>(c.CategoryList.size() + 1)});
}

} // namespace kt::cli
