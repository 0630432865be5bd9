#include "persist_support.h"
#include "scripted_dialogs.h"

#include "persistence/film_data_file.h"

#include <gtest/gtest.h>

#include <climits>

using namespace kt;
using kt::test::Box;
using kt::test::ScriptedDialogs;

namespace {

// Answers every version question with Yes and counts the boxes.
class YesDialogs : public UserDialogs {
public:
    void error(const std::string&) override { ++boxes; }
    void warning(const std::string&) override { ++boxes; }
    void information(const std::string&) override { ++boxes; }
    void notice(const std::string&) override { ++boxes; }
    Answer question(const std::string&, Buttons, BoxKind) override { return Answer::Yes; }
    Answer threeWay(const ThreeWayQuestion&) override { return Answer::Ok; }
    int boxes = 0;
};

struct Outcome {
    bool ok;
    uint8_t actError;
    int films;
};

Outcome Read(const std::string& bytes, int expectedMinor) {
    Collection c;
    c.DataVerMinor = expectedMinor;
    c.CurrentDataFile = "f";
    YesDialogs ui;
    NoProgress p;
    std::string errorText;
    const bool ok = LoadFilmRecords(c, bytes, "f", errorText, ui, p);
    if (!ok && c.ActError == 3) {
        EXPECT_EQ(errorText, "f");
        EXPECT_EQ(c.CurrentDataFile, "");
    }
    return {ok, c.ActError, c.AnzFilm()};
}

int32_t GetI32(const std::string& s, std::size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(s[at + static_cast<std::size_t>(i)]);
    return static_cast<int32_t>(v);
}

void PutI32(std::string& s, std::size_t at, int32_t v) {
    s.replace(at, 4, test::I32(v));
}

// Every length field of a 2.6 file: where it is, which record it belongs to, and the bytes
// from behind it to the end of its record.
struct LengthField {
    std::size_t at;
    int record;
    int32_t toRecordEnd;
    const char* kind;
};

std::vector<LengthField> LengthFields(const std::string& file) {
    std::vector<LengthField> out;
    std::size_t pos = file.find('#') + 1;
    for (int r = 0; pos < file.size(); ++r) {
        const std::size_t end = pos + static_cast<std::size_t>(GetI32(file, pos));
        out.push_back({pos, r, static_cast<int32_t>(file.size() - pos), "RecLength"});
        std::size_t p = pos + 4;
        auto left = [&] { return static_cast<int32_t>(end - p - 4); };
        auto text = [&] {
            out.push_back({p, r, left(), "text"});
            p += 4 + static_cast<std::size_t>(GetI32(file, p));
        };
        const char layout[] = "tiiittttiittbbiidiiittii"; // fields 1 to 24
        for (const char* k = layout; *k; ++k) {
            switch (*k) {
            case 't':
                text();
                break;
            case 'i':
                p += 4;
                break;
            case 'b':
                p += 1;
                break;
            case 'd':
                p += 8;
                break;
            }
        }
        const int32_t pics = GetI32(file, p);
        out.push_back({p, r, left(), "AnzPics"});
        p += 4;
        for (int i = 0; i < pics; ++i) {
            const int32_t size = GetI32(file, p);
            const int32_t flags = GetI32(file, p + 4);
            if (flags < 256)
                out.push_back({p, r, static_cast<int32_t>(end - p - 8), "PicSize"});
            p += 8 + (flags < 256 ? static_cast<std::size_t>(size) : 0);
            text();
        }
        pos = end;
    }
    return out;
}

} // namespace

TEST(DamagedFiles, EveryWrongLengthFieldStopsTheLoadCleanly) {
    const std::string good = test::ReadBytes(test::SampleFile(".VD6"));
    const auto fields = LengthFields(good);
    ASSERT_EQ(fields.size(), 3u * (1 + 9 + 1) + 3 + 2) << "three records; two kept pictures, one link";
    int checked = 0;
    for (const LengthField& f : fields) {
        std::vector<int32_t> wrong = {-1, INT32_MIN, INT32_MAX, f.toRecordEnd + 1};
        if (std::string(f.kind) == "RecLength")
            wrong.insert(wrong.end(), {0, 3, 50});
        for (int32_t value : wrong) {
            SCOPED_TRACE(std::string(f.kind) + " at " + std::to_string(f.at) + " = " + std::to_string(value));
            std::string bad = good;
            PutI32(bad, f.at, value);
            const Outcome o = Read(bad, 6);
            EXPECT_FALSE(o.ok);
            EXPECT_EQ(o.actError, 3);
            EXPECT_EQ(o.films, f.record) << "the films before the damaged record stay";
            ++checked;
        }
    }
    EXPECT_GT(checked, 100);
}

TEST(DamagedFiles, ATruncatedFileKeepsTheCompleteRecords) {
    const struct {
        const char* ext;
        int minor;
        std::size_t header;
        std::size_t record; // 0: tagged
    } files[] = {{".VD6", 6, 12, 0}, {".VD4", 4, 12, 0}, {".VD3", 3, 1564, 1564}, {".VDT", 0, 0, 1552}};
    for (const auto& tf : files) {
        const std::string good = test::ReadBytes(test::SampleFile(tf.ext));
        std::vector<std::size_t> ends; // where the complete records end
        if (tf.record == 0) {
            for (std::size_t p = tf.header; p < good.size(); p += static_cast<std::size_t>(GetI32(good, p)))
                ends.push_back(p + static_cast<std::size_t>(GetI32(good, p)));
        } else {
            for (std::size_t p = tf.header + tf.record; p <= good.size(); p += tf.record)
                ends.push_back(p);
        }
        for (std::size_t n = std::max<std::size_t>(tf.header, 12); n < good.size(); ++n) {
            SCOPED_TRACE(std::string(tf.ext) + " cut to " + std::to_string(n));
            const int complete =
                static_cast<int>(std::count_if(ends.begin(), ends.end(), [&](auto e) { return e <= n; }));
            const bool atEnd = n == tf.header || std::find(ends.begin(), ends.end(), n) != ends.end();
            const Outcome o = Read(good.substr(0, n), tf.minor);
            ASSERT_EQ(o.ok, atEnd);
            ASSERT_EQ(o.actError, atEnd ? 0 : 3);
            ASSERT_EQ(o.films, complete);
        }
    }
}

TEST(DamagedFiles, BrokenHeadersAndFilesEndingInsideAHeader) {
    const struct {
        std::string bytes;
        int expectedMinor;
        bool ok;
        uint8_t actError;
    } cases[] = {
        {"Kassotek2.6#", 6, true, 0},
        {"Kassotek2,6#", 6, true, 0},                            // a comma counts as the decimal point
        {"Kassotek2.x6#", 6, false, 0},                          // no main number: the main version box
        {"Kassotek2.?#", 6, false, 0},                           // no minor number: not recognised
        {"Kassotek" + std::string(12, '2') + "#6", 6, false, 3}, // "#" beyond the 20 bytes
        {"Kassotek2.5#" + std::string(3, '\0'), 5, false, 3},    // not even a RecLength
        {"\x16KASSOTEK-VERSION   2.3", 3, false, 3},             // header record cut short
        {std::string(1551, 'x'), 0, false, 3},                   // one byte short of a record
    };
    for (const auto& tc : cases) {
        SCOPED_TRACE(tc.bytes.substr(0, 24));
        const Outcome o = Read(tc.bytes, tc.expectedMinor);
        EXPECT_EQ(o.ok, tc.ok);
        EXPECT_EQ(o.actError, tc.actError);
        EXPECT_EQ(o.films, 0);
    }
}

TEST(DamagedFiles, TheReadableFilmsAreOfferedWithoutAFileNameOrTheCollectionStays) {
    test::TempFolder dir;
    const std::string good = test::ReadBytes(test::SampleFile(".VD6"));
    test::WriteBytes(dir.file("kaputt.VD6"), good.substr(0, good.size() - 1));
    test::WriteBytes(dir.file("kaputt.CDT"), test::ReadBytes(test::SampleFile(".CDT")));
    for (const Answer answer : {Answer::Yes, Answer::No}) {
        SCOPED_TRACE(answer == Answer::Yes ? "taken" : "declined");
        Collection c;
        c.CurrentDataFile = dir.file("alt.VD6");
        ScriptedDialogs ui;
        ui.expectQuestion("ist beschädigt; nur die ersten 2 Filme konnten gelesen werden", answer);
        std::string errorText;
        NoProgress p;
        bool replaced = false;
        EXPECT_FALSE(Load_Video_Data(c, dir.file("kaputt.VD6"), errorText, ui, p, &replaced));
        EXPECT_EQ(ErrorText(c.ActError, errorText), "Fehler beim Lesen aus " + dir.file("kaputt.VD6") + "!");
        EXPECT_EQ(replaced, answer == Answer::Yes);
        if (answer == Answer::Yes) {
            EXPECT_EQ(c.CurrentDataFile, "");
            EXPECT_FALSE(c.DataSaved) << "the films are to be kept with Save as";
            EXPECT_EQ(c.AnzFilm(), 2);
            EXPECT_EQ(c.AnzCas(), 3) << "the cassettes come along";
        } else {
            EXPECT_EQ(c.CurrentDataFile, dir.file("alt.VD6"));
            EXPECT_EQ(c.AnzFilm(), 0);
        }
    }
}
