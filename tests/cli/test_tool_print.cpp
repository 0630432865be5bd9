#include "run_tool.h"
#include "temp_folder.h"

#include "printing/print_layout.h"
#include "text/helpers.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

using kt::test::CreateCollection;
using kt::test::RunTool;
using kt::test::ShellQuoted;
using kt::test::TempFolder;
using kt::test::WriteBytes;

namespace {

bool HavePoppler() {
    return std::system("command -v pdfinfo >/dev/null 2>&1 && command -v pdftotext >/dev/null 2>&1") == 0;
}

std::string Output(const std::string& command) {
    std::string out;
    if (FILE* p = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, p)) > 0)
            out.append(buffer, n);
        ::pclose(p);
    }
    return out;
}

int PdfPages(const std::string& pdf) {
    const std::string info = Output("pdfinfo " + ShellQuoted(pdf));
    const std::size_t at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
}

// The text of one page, blanks run together.
std::string PageText(const std::string& pdf, int page) {
    const std::string n = std::to_string(page);
    std::string text = Output("pdftotext -layout -f " + n + " -l " + n + " " + ShellQuoted(pdf) + " -");
    std::string out;
    for (char ch : text) {
        const char c = ch == '\n' || ch == '\f' ? ' ' : ch;
        if (c != ' ' || (!out.empty() && out.back() != ' '))
            out += c;
    }
    return out;
}

// 120 DVDs "Film 001" to "Film 120", lengths 61 to 180 minutes.
struct Fixture {
    TempFolder dir;
    std::string file = dir.file("Filme.VD6");
    Fixture() {
        std::string json = R"({"films": [)";
        for (int i = 1; i <= 120; ++i) {
            char title[16];
            std::snprintf(title, sizeof title, "Film %03d", i);
            json += std::string(i > 1 ? "," : "") + R"({"FilmName": ")" + title +
                    R"(", "StorageType": 4, "FilmLength": )" + std::to_string(60 + i) + "}";
        }
        json += "]}";
        const auto r = CreateCollection(dir, json, file);
        EXPECT_EQ(r.code, 0) << r.err;
    }
};

} // namespace

TEST(ToolPrint, PagesAndHeadersOfThePdf) {
    if (!HavePoppler())
        GTEST_SKIP() << "pdfinfo/pdftotext (poppler-utils) not installed";
    Fixture f;
    const std::string today = kt::PrintDateText(kt::NowAsDateTime());
    struct Case {
        std::vector<std::string> options;
        std::vector<int> pages; // the pages of the list in the PDF
        int total;              // the list's page count
        std::string firstFilm;  // on the first page of the PDF
    };
    const Case cases[] = {
        {{}, {1, 2, 3}, 3, "Film 001"},
        {{"--page", "2"}, {2}, 3, "Film 051"},
        {{"--page", "3", "--sort", "1"}, {3}, 3, "Film 102"},
        {{"--max-length", "100"}, {1}, 1, "Film 001"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.options.empty() ? std::string("all") : k.options[0] + k.options[1]);
        const std::string pdf = f.dir.file("liste.pdf");
        std::vector<std::string> args = {"print", f.file, pdf};
        args.insert(args.end(), k.options.begin(), k.options.end());
        const auto r = RunTool(args);
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.out, std::to_string(k.pages.size()) + "\n");
        ASSERT_EQ(PdfPages(pdf), static_cast<int>(k.pages.size()));
        for (std::size_t i = 0; i < k.pages.size(); ++i) {
            const std::string text = PageText(pdf, static_cast<int>(i) + 1);
            const std::string header = "Kassotek Ausdruck vom " + today + " Seite " +
                                       std::to_string(k.pages[i]) + " von " + std::to_string(k.total);
            EXPECT_EQ(text.rfind(header, 0), 0u) << text.substr(0, 200);
            // The headings, the length's cut to three letters.
            EXPECT_NE(text.find("Filmtitel Län Cas.Nr P Kategorie"), std::string::npos)
                << text.substr(0, 300);
        }
        const std::string first = PageText(pdf, 1);
        EXPECT_NE(first.find(k.firstFilm + " "), std::string::npos) << first.substr(0, 300);
    }
    // 50, 51 and 19 films on the three pages.
    const auto r = RunTool({"print", f.file, f.dir.file("alle.pdf")});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::pair<int, std::pair<const char*, const char*>> bounds[] = {
        {1, {"Film 050", "Film 051"}}, {2, {"Film 101", "Film 102"}}, {3, {"Film 120", "Film 050"}}};
    for (const auto& [page, films] : bounds) {
        const std::string text = PageText(f.dir.file("alle.pdf"), page);
        EXPECT_NE(text.find(films.first), std::string::npos) << page;
        EXPECT_EQ(text.find(films.second), std::string::npos) << page;
    }
}

TEST(ToolPrint, ExitCodes) {
    Fixture f;
    const std::string pdf = f.dir.file("liste.pdf");
    struct Case {
        std::vector<std::string> args;
        int code;
    };
    const Case cases[] = {
        {{"print", f.file}, 2},
        {{"print", f.file, pdf, "--page", "0"}, 2},
        {{"print", f.file, pdf, "--page", "4"}, 2},
        {{"print", f.file, pdf, "--page", "zwei"}, 2},
        {{"print", f.file, pdf, "--gibtsnicht"}, 2},
        {{"print", f.file, pdf, "--sort", "9"}, 2},
        {{"print", f.dir.file("fehlt.VD6"), pdf}, 1},
        {{"print", f.file, f.dir.file("fehlt/liste.pdf")}, 1},
    };
    for (const Case& k : cases) {
        const auto r = RunTool(k.args);
        EXPECT_EQ(r.code, k.code) << k.args.back() << "\n" << r.err;
        EXPECT_FALSE(r.err.empty());
    }
    // Nothing was written, not even a temporary file.
    EXPECT_EQ(f.dir.names(), (std::vector<std::string>{"Filme.CDT", "Filme.VD6", "c.json"}));
}
