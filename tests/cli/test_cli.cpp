#include "cli/markerjson.h"
#include "core/ui/consoleui.h"

#include "clirun.h"
#include "core/dumplist/dumpexport.h"
#include "core/markerfile/markerfile.h"
#include "filesizelimit.h"
#include "memorysource.h"
#include "scriptedui.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace byzel::cli {
namespace {

using byzel::testing::TempFolder;

using byzel::testing::CliRun;
using byzel::testing::runCli;

MarkerRecord marker(Offset start, Offset end, std::string_view remark, ColorRef color = 0xB0B0FF) {
    MarkerRecord r;
    r.start = start;
    r.end = end;
    r.color = color;
    std::memcpy(r.remark.data(), remark.data(), remark.size());
    return r;
}

// A marker file with everything a careless writer might leave in it.
MarkerFileContents oddContents() {
    MarkerFileContents c;
    const std::string_view path = "C:\\\x83\x66\x81\x5B\x83\x5E\\\xFF\xFE.bin"; // ƒf[ƒ^, bad bytes
    std::memcpy(c.header.path.data(), path.data(), path.size());
    std::memcpy(c.header.path.data() + 200, "junk", 4);
    c.header.linkLines = -5;
    c.header.reserved = 0xDEADBEEF;
    c.header.linkedScrolling = 7;
    c.header.padding = 0xBEEF;
    c.records.push_back(marker(32, 47, "\x83\x77\x83\x62\x83\x5F \"q\"\t\\")); // ヘッダ
    c.records.push_back(marker(0, 3, "lone lead \x82"));
    c.records.back().colorIndex = 3;
    c.records.back().color = 0xFF123456;
    c.records.push_back(marker(100, 100, "tail\x7F"));
    std::memcpy(c.records.back().remark.data() + 245, "after", 5);
    c.header.countCopy = static_cast<std::uint16_t>(c.records.size());
    return c;
}

std::vector<std::uint8_t> imageOf(const MarkerFileContents& c) {
    return encodeMarkerFile(c.header, c.records);
}

TEST(MarkerJson, OddContentComesBackByteForByte) {
    const MarkerFileContents odd = oddContents();
    const std::string json = markersToJson(odd);
    EXPECT_NE(json.find("\"remark\": \"\xE3\x83\x98\xE3\x83\x83\xE3\x83\x80 \\\"q\\\"\\t\\\\\""),
              std::string::npos);
    EXPECT_NE(json.find("\"dumpPathBytes\""), std::string::npos);
    // DEL is escaped, so it cannot reach a terminal.
    EXPECT_NE(json.find("\"remark\": \"tail\\u007f\""), std::string::npos);
    EXPECT_NE(json.find("\"color\": \"#FFB0B0\",\n      \"colorRef\": 4279383126"),
              std::string::npos);

    const JsonImport back = markersFromJson(json);
    ASSERT_TRUE(back.contents) << back.error;
    EXPECT_EQ(imageOf(*back.contents), imageOf(odd));

    // The same through the program, file to file.
    TempFolder dir;
    dir.write("odd.mkg", imageOf(odd));
    const CliRun shown = runCli(dir, "markers " + dir.path("odd.mkg"));
    ASSERT_EQ(shown.status, 0) << shown.err;
    EXPECT_EQ(shown.out, json);
    dir.write("odd.json", shown.out);
    const CliRun imported =
        runCli(dir, "import-markers " + dir.path("odd.json") + " -o " + dir.path("back.mkg"));
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(TempFolder::read(dir.path("back.mkg")), imageOf(odd));
}

TEST(MarkerJson, PlainTextNeedsNoByteFields) {
    MarkerFileContents c;
    ASSERT_TRUE(c.header.setDumpPath("/data/\xC3\xBC\xF0\x9F\x98\x80.bin")); // no CP932 form
    c.records.push_back(marker(0, 9, "\x90\xE6\x93\xAA"));                   // 先頭
    const std::string json = markersToJson(c);
    EXPECT_NE(json.find("\"dumpPath\": \"/data/\xC3\xBC\xF0\x9F\x98\x80.bin\""), std::string::npos);
    EXPECT_EQ(json.find("Bytes\""), std::string::npos);
    EXPECT_NE(json.find("\"remark\": \"\xE5\x85\x88\xE9\xA0\xAD\"\n"), std::string::npos);
}

TEST(MarkerJson, ColorIsTheColourShown) {
    MarkerFileContents c;
    ASSERT_TRUE(c.header.setDumpPath("a.bin"));
    c.records = {marker(0, 1, "", 0x00123456), marker(2, 3, "", 0x00123456)};
    c.records[1].colorIndex = 2; // shown light blue whatever is stored
    const std::string json = markersToJson(c);
    EXPECT_NE(
        json.find("\"colorIndex\": 0,\n      \"color\": \"#563412\",\n      \"colorRef\": 1193046"),
        std::string::npos)
        << json;
    EXPECT_NE(
        json.find("\"colorIndex\": 2,\n      \"color\": \"#B9B9FF\",\n      \"colorRef\": 1193046"),
        std::string::npos)
        << json;
    const JsonImport back = markersFromJson(json);
    ASSERT_TRUE(back.contents) << back.error;
    EXPECT_EQ(imageOf(*back.contents), imageOf(c));

    // JSON written before color showed the standard colour still reads the same.
    std::string older = json;
    older.replace(older.find("#B9B9FF"), 7, "#563412");
    const JsonImport fromOlder = markersFromJson(older);
    ASSERT_TRUE(fromOlder.contents) << fromOlder.error;
    EXPECT_EQ(imageOf(*fromOlder.contents), imageOf(c));
}

TEST(MarkerJson, MarkersWarnsOfWhatImportRefuses) {
    MarkerFileContents c;
    ASSERT_TRUE(c.header.setDumpPath("a.bin"));
    c.records = {marker(0, 100, "wide"),   marker(5, 6, "inside"),    marker(50, 60, "inside too"),
                 marker(9, 3, "backward"), marker(-4, 2, "negative"), marker(200, 200, "fine")};
    TempFolder dir;
    dir.write("bad.mkg", imageOf(c));
    const CliRun shown = runCli(dir, "markers " + dir.path("bad.mkg"));
    EXPECT_EQ(shown.status, 0);
    EXPECT_NE(shown.out.find("\"remark\": \"fine\""), std::string::npos);
    for (const char* says :
         {"marker 4: start 9 is after end 3", "marker 5: bytes -4..2 reach below offset 0",
          "markers 1 and 2 overlap (bytes 0..100 and 5..6)",
          "markers 1 and 3 overlap (bytes 0..100 and 50..60)",
          "import-markers refuses such markers"})
        EXPECT_NE(shown.err.find(says), std::string::npos) << says << "\n" << shown.err;
    EXPECT_EQ(std::count(shown.err.begin(), shown.err.end(), '\n'), 5) << shown.err;

    dir.write("bad.json", shown.out);
    EXPECT_EQ(
        runCli(dir, "import-markers " + dir.path("bad.json") + " -o " + dir.path("w.mkg")).status,
        2);

    // A sound file is shown without a word on standard error.
    dir.write("good.mkg", imageOf(oddContents()));
    EXPECT_EQ(runCli(dir, "markers " + dir.path("good.mkg")).err.find("warning"),
              std::string::npos);
}

TEST(MarkerJson, RefusesWhatWouldBreakTheTable) {
    const auto list = [](const std::string& markers) {
        return R"({"dumpPath": "a.bin", "markers": [)" + markers + "]}";
    };
    const auto one = [](const std::string& fields) {
        return R"({"start": 0, "end": 1, "color": "#FF0000", "remark": "r")" + fields + "}";
    };
    std::string many;
    for (int i = 0; i < 5001; ++i)
        many += std::string(i ? "," : "") + R"({"start": )" + std::to_string(i) + R"(, "end": )" +
                std::to_string(i) + R"(, "color": "#000000", "remark": ""})";
    const struct {
        std::string json;
        std::string says;
    } cases[] = {
        {"{", "not valid JSON"},
        {"[]", "must be one object"},
        {R"({"dumpPath": "a.bin"})", "\"markers\" is missing"},
        {list(R"({"start": "0", "end": 1, "color": "#FF0000", "remark": ""})"),
         "marker 1: \"start\" must be a whole number"},
        {list(R"({"start": -1, "end": 1, "color": "#FF0000", "remark": ""})"),
         "marker 1: \"start\" must be a whole number"},
        {list(R"({"start": 0.5, "end": 1, "color": "#FF0000", "remark": ""})"), "\"start\" must"},
        {list(R"({"end": 1, "color": "#FF0000", "remark": ""})"), "\"start\" is missing"},
        {list(one("") + R"(,{"start": 9, "end": 3, "color": "#FF0000", "remark": ""})"),
         "marker 2: start 9 is after end 3"},
        {list(R"({"start": 5, "end": 8, "color": "#FF0000", "remark": ""},)" + one("") +
              R"(,{"start": 8, "end": 9, "color": "#FF0000", "remark": ""})"),
         "markers 1 and 3 overlap (bytes 5..8 and 8..9)"},
        {list(one("") + R"(,{"number": 7, "start": 2, "end": 2, "color": "#FF0000", "remark": ")" +
              std::string(240, 'x') + "\"}"),
         "marker 2 (\"number\": 7): the remark takes 240 bytes"},
        {list(R"({"start": 0, "end": 1, "color": "#FF0000", "remark": "\u00E9"})"),
         "Shift-JIS cannot hold"},
        {list(many), "5001 markers"},
        {list(one(R"(, "remak": "")")), "unknown key \"remak\""},
        {list(one(R"(, "colorRef": 65280)")), "disagree"},
        {list(one(R"(, "remarkBytes": "7300")")), "\"remark\" and \"remarkBytes\" disagree"},
        {list(one(R"(, "remarkBytes": "7g")")), "must be hex digits"},
        {R"({"markers": [], "dumpPath": ")" + std::string(256, 'p') + "\"}", "at most 255 fit"},
        {list(R"({"start": 0, "end": 1, "color": "#FF0000", "remark": "a\ud800"})"),
         "marker 1: \"remark\" holds a lone surrogate"},
        {R"({"markers": [], "dumpPath": "\udc00"})", "\"dumpPath\" holds a lone surrogate"},
        {list(one(R"(, "colorIndex": 3, "colorRef": 65280)")),
         "colorIndex 3 is shown in #FFB0B0 whatever \"color\" says"},
        {list(one(R"(, "colorIndex": 3)")), "colorIndex 3 is shown in #FFB0B0"},
    };
    for (const auto& c : cases) {
        const JsonImport result = markersFromJson(c.json);
        EXPECT_FALSE(result.contents) << c.json.substr(0, 200);
        EXPECT_NE(result.error.find(c.says), std::string::npos)
            << "expected \"" << c.says << "\", got \"" << result.error << "\"";
    }

    // The program says why, exits 2 and leaves the marker file it was to replace alone.
    TempFolder dir;
    dir.write("bad.json", list(one("") + "," + one("")));
    dir.write("work.mkg", "previous");
    const CliRun run = runCli(dir, "import-markers " + dir.path("bad.json") + " -o " +
                                       dir.path("work.mkg") + " --force");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("markers 1 and 2 overlap"), std::string::npos) << run.err;
    const auto kept = TempFolder::read(dir.path("work.mkg"));
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "previous");
}

// The dump list the program's text export writes for these bytes and markers.
std::string exported(const std::string& bytes, const std::vector<MarkerRecord>& sorted,
                     const TempFolder& dir) {
    byzel::testing::MemorySource source(bytes);
    MarkerTable markers;
    markers.assign(sorted);
    byzel::testing::ScriptedUi ui;
    Offset top = 0;
    const std::string path = dir.path("expected.txt");
    EXPECT_TRUE(ExportDumpListText(path, ExportRange::WholeFile, 1, 0, false, {source, markers, 0},
                                   top, ui));
    const auto text = TempFolder::read(path);
    return {text.begin(), text.end()};
}

TEST(CliDump, MarkerFileWhoseDumpFileMovedBesideIt) {
    TempFolder dir;
    std::string bytes;
    for (int i = 0; i < 300; ++i)
        bytes += static_cast<char>(i * 7);
    dir.write("data.bin", bytes);
    MarkerFileContents c;
    ASSERT_TRUE(c.header.setDumpPath("C:\\gone\\data.bin"));
    c.records = {marker(40, 50, "second"), marker(0, 3, "first")};
    dir.write("work.mkg", imageOf(c));

    const std::string expected = exported(bytes, {c.records[1], c.records[0]}, dir);
    const CliRun toStdout = runCli(dir, "dump " + dir.path("work.mkg"));
    ASSERT_EQ(toStdout.status, 0) << toStdout.err;
    EXPECT_EQ(toStdout.out, expected);
    const CliRun toFile =
        runCli(dir, "dump " + dir.path("work.mkg") + " -o " + dir.path("out.txt"));
    ASSERT_EQ(toFile.status, 0) << toFile.err;
    const auto written = TempFolder::read(dir.path("out.txt"));
    EXPECT_EQ(std::string(written.begin(), written.end()), expected);

    // Nowhere to be found: the stored path is named, and the status says so.
    std::filesystem::remove(dir.path("data.bin"));
    const CliRun missing = runCli(dir, "dump " + dir.path("work.mkg"));
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("C:\\gone\\data.bin"), std::string::npos) << missing.err;
    EXPECT_TRUE(missing.out.empty());
}

TEST(CliDump, RefusesNonsenseAndKeepsFiles) {
    TempFolder dir;
    const std::string data = dir.write("data.bin", std::string(40, 'A')); // rows 0 to 2
    dir.write("old.txt", "old");
    const auto contents = [&](const std::string& name) {
        const auto bytes = TempFolder::read(dir.path(name));
        return std::string(bytes.begin(), bytes.end());
    };

    const CliRun page = runCli(dir, "dump " + data + " --top 2 --rows 5 --dump-only");
    EXPECT_EQ(page.status, 0) << page.err;
    EXPECT_NE(page.out.find("\r\n00000020 41 41 41 41 41 41 41 41  "), std::string::npos);

    for (const std::string args : {"--top 3", "--top -1", "--rows 0", "--top x", "--bogus"}) {
        const CliRun run = runCli(dir, "dump " + data + " " + args);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_FALSE(run.err.empty()) << args;
        EXPECT_TRUE(run.out.empty()) << args;
    }
    EXPECT_EQ(runCli(dir, "dump " + data + " -o " + dir.path("old.txt")).status, 1);
    EXPECT_EQ(contents("old.txt"), "old");
    EXPECT_EQ(runCli(dir, "dump " + data + " -o " + data + " --force").status, 2);
    EXPECT_EQ(contents("data.bin"), std::string(40, 'A'));
    EXPECT_EQ(runCli(dir, "dump " + dir.path("none.bin")).status, 1);
    const CliRun folder = runCli(dir, "dump " + dir.path(""));
    EXPECT_EQ(folder.status, 1);
    EXPECT_NE(folder.err.find("is a folder"), std::string::npos) << folder.err;
    EXPECT_EQ(runCli(dir, "markers " + data).status, 1);
    EXPECT_EQ(runCli(dir, "frobnicate").status, 2);
}

TEST(CliDump, PageOfALinkedWorkStartsTheRemarksAtItsFirstMarker) {
    TempFolder dir;
    const std::string data = dir.write("data.bin", std::string(100, 'A'));
    MarkerFileContents c;
    ASSERT_TRUE(c.header.setDumpPath(data));
    c.records = {marker(0, 0, "one"), marker(48, 49, "two"), marker(60, 61, "three")};
    dir.write("work.mkg", imageOf(c));
    const auto firstRemark = [&](const std::string& args) {
        const CliRun run = runCli(dir, "dump " + dir.path("work.mkg") + " " + args);
        EXPECT_EQ(run.status, 0) << run.err;
        return run.out.substr(103 + 2 + 101 + 2 + 76, 10); // header, rule, first line
    };
    EXPECT_EQ(firstRemark("--top 2"), "    1 one\r");
    c.header.linkedScrolling = 1;
    dir.write("work.mkg", imageOf(c));
    EXPECT_EQ(firstRemark("--top 2"), "    2 two\r");
    EXPECT_EQ(firstRemark(""), "    1 one\r");
}

TEST(CliDump, NamesAreTheBytesGivenQuotesAndAllNotUtf8) {
    TempFolder dir;
    const auto contents = [&](const std::string& name) {
        const auto bytes = TempFolder::read(dir.path(name));
        return std::string(bytes.begin(), bytes.end());
    };
    dir.write("report", "decoy");
    dir.write("report\" (copy).bin", std::string(20, 'Q'));
    const CliRun quoted = runCli(dir, "dump --dump-only '" + dir.path("report\" (copy).bin") + "'");
    ASSERT_EQ(quoted.status, 0) << quoted.err;
    EXPECT_NE(quoted.out.find("51 51 51 51"), std::string::npos);

    const std::string sjisName = "\x83\x66\x81\x5B\x83\x5E.bin"; // データ.bin in Shift-JIS
    const std::string sjisOut = "\x8F\x6F\x97\xCD.txt";          // 出力.txt in Shift-JIS
    dir.write(sjisName, std::string(20, 'Q'));
    const CliRun listed =
        runCli(dir, "dump --dump-only '" + dir.path(sjisName) + "' -o '" + dir.path(sjisOut) + "'");
    ASSERT_EQ(listed.status, 0) << listed.err;
    EXPECT_EQ(contents(sjisOut), quoted.out);
    EXPECT_EQ(dir.entries(),
              (std::vector<std::string>{"report", "report\" (copy).bin", "stderr.txt", "stdout.txt",
                                        sjisName, sjisOut}));
}

TEST(CliDump, AFailedWriteKeepsTheEarlierOutputWhole) {
    TempFolder dir;
    const std::string data = dir.write("data.bin", std::string(64 * 1024, 'A'));
    const std::string out = dir.write("out.txt", "earlier listing");
    CliRun run;
    {
        // The listing is far longer than the file system lets the tool write: a full disk.
        byzel::testing::FileSizeLimit limit(16 * 1024);
        run = runCli(dir, "dump " + data + " -o " + out + " --force");
    }
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(run.err.empty());
    const auto kept = TempFolder::read(out);
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "earlier listing");
    EXPECT_EQ(dir.entries(),
              (std::vector<std::string>{"data.bin", "out.txt", "stderr.txt", "stdout.txt"}));
}

TEST(CliDump, ALinkLeadingNowhereIsAnExistingOutput) {
    TempFolder dir;
    const std::string data = dir.write("data.bin", std::string(40, 'A'));
    std::filesystem::create_symlink(dir.path("nowhere.txt"), dir.path("link.txt"));
    EXPECT_EQ(runCli(dir, "dump " + data + " -o " + dir.path("link.txt")).status, 1);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.path("link.txt")));
    EXPECT_FALSE(std::filesystem::exists(dir.path("nowhere.txt")));
    const std::string json = dir.write("in.json", R"({"dumpPath": "a.bin", "markers": []})");
    EXPECT_EQ(runCli(dir, "import-markers " + json + " -o " + dir.path("link.txt")).status, 1);
    EXPECT_EQ(runCli(dir, "dump " + data + " -o " + dir.path("link.txt") + " --force").status, 0);
}

TEST(ConsoleUi, AsksNothingAndOverwritesOnlyWhenAllowed) {
    TempFolder dir;
    std::FILE* log = std::fopen(dir.path("log.txt").c_str(), "w+");
    ASSERT_NE(log, nullptr);
    ConsoleUi ui("byzel-cli", log);
    EXPECT_EQ(showMessage(ui, msg::AskOverwriteFile, {}, BoxStyle::YesNo), No);
    EXPECT_EQ(showMessage(ui, msg::AskSaveChanges, {}, BoxStyle::YesNoCancel), Cancel);
    ui.allowOverwrite(true);
    EXPECT_EQ(showMessage(ui, msg::AskOverwriteFile, {}, BoxStyle::YesNo), Yes);
    showMessage(ui, msg::ReadFailed, "/w.mkg\n");
    std::fclose(log);
    const auto bytes = TempFolder::read(dir.path("log.txt"));
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
    EXPECT_NE(text.find("byzel-cli: /w.mkg: "), std::string::npos);
}

TEST(CliCrc, ReportsTheRangeInTheProgramsForm) {
    TempFolder dir;
    const std::string file = dir.write("d.bin", std::string_view("..........123456789"));
    const CliRun run = runCli(dir, "crc " + file + " 0xA 18");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Address:\t0000000A - 00000012\nCRC:\tCB F4 39 26\n");
    EXPECT_EQ(runCli(dir, "crc " + file + " 3 3").out, "Address:\t00000003 - 00000003\nCRC:\t"
                                                       "0E D4 E2 42\n");
}

TEST(CliCrc, RefusesRangesOutsideTheFile) {
    TempFolder dir;
    const std::string file = dir.write("d.bin", std::string_view("0123456789"));
    EXPECT_EQ(runCli(dir, "crc " + file + " 5 4").status, 2);
    EXPECT_EQ(runCli(dir, "crc " + file + " 0 10").status, 2);
    EXPECT_EQ(runCli(dir, "crc " + file + " 0 x").status, 2);
    EXPECT_EQ(runCli(dir, "crc " + file + " 0").status, 2);
    EXPECT_EQ(runCli(dir, "crc " + dir.path("none.bin") + " 0 1").status, 1);
}

TEST(CliCount, ListsCharactersThenTheCodeTable) {
    TempFolder dir;
    const std::string file = dir.write("d.bin", std::string_view("AAB\r\n\x82\xA0"));
    const CliRun run = runCli(dir, "count " + file);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, run.out.find("\n\n") + 2),
              "     2\tA\t0x0041\t65\n     1\tB\t0x0042\t66\n"
              "     1\t\xE3\x81\x82\t0x82A0\t33440\n\n");
    EXPECT_NE(run.out.find("\n 4 :         0        2        1"), std::string::npos);
    EXPECT_EQ(run.out.substr(run.out.size() - 4), "(7)\n");

    EXPECT_EQ(runCli(dir, "count " + file + " --type 1").out.substr(0, 25),
              "     1\t\xE3\x81\x82\t0x82A0\t33440\n\n");
    const CliRun limited = runCli(dir, "count " + file + " --max 1");
    EXPECT_EQ(limited.out.substr(0, 20), "     2\tA\t0x0041\t65\n\n");
    EXPECT_NE(limited.err.find("max"), std::string::npos);
    EXPECT_EQ(runCli(dir, "count " + file + " --type 5").status, 2);
    EXPECT_EQ(runCli(dir, "count " + file + " --max 0").status, 2);
}

} // namespace
} // namespace byzel::cli
