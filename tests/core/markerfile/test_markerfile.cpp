#include "core/markerfile/markerfile.h"

#include "core/text/messages.h"
#include "filesizelimit.h"
#include "scriptedui.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <sys/stat.h>

namespace byzel {
namespace {

namespace fs = std::filesystem;
using testing::ScriptedUi;
using testing::TempFolder;

MarkerRecord record(Offset start, std::string_view remark, ColorRef color = 0x0000FF,
                    std::uint16_t colorIndex = 0) {
    MarkerRecord r;
    r.start = start;
    r.end = start + 1;
    r.colorIndex = colorIndex;
    std::memcpy(r.remark.data(), remark.data(), remark.size());
    r.color = color;
    return r;
}

std::size_t recordAt(std::size_t index) {
    return kMarkerRecordsAt + index * kMarkerRecordSize;
}

std::vector<MarkerRecord> recordsOf(const MarkerTable& table) {
    return {table.records().begin(), table.records().end()};
}

TEST(HeaderBlock, FieldsLieWhereTheFileHasThem) {
    HeaderBlock h;
    ASSERT_TRUE(h.setDumpPath("C:\\work\\a.bin"));
    h.linkLines = 1;
    h.reserved = 0xA1B2C3D4;
    h.linkedScrolling = -1;
    h.countCopy = 0x0102;
    h.padding = 0xBEEF;
    const auto image = h.encode();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(image.data())), "C:\\work\\a.bin");
    const std::vector<std::uint8_t> fields(image.begin() + 256, image.end());
    EXPECT_EQ(fields, (std::vector<std::uint8_t>{1, 0, 0, 0, 0xD4, 0xC3, 0xB2, 0xA1, 0xFF, 0xFF,
                                                 0xFF, 0xFF, 0x02, 0x01, 0xEF, 0xBE}));
    EXPECT_EQ(HeaderBlock::decode(image), h);
    EXPECT_EQ(h.dumpPathCandidates(), std::vector<std::string>{"C:\\work\\a.bin"});
}

TEST(HeaderBlock, PathIsShiftJisWhenItCanBeAndFitsIn255Bytes) {
    HeaderBlock h;
    ASSERT_TRUE(h.setDumpPath("/データ/a.bin"));
    EXPECT_EQ(h.storedPath(), "/\x83\x66\x81\x5B\x83\x5E/a.bin");
    EXPECT_EQ(h.dumpPathCandidates().front(), "/データ/a.bin");
    // Hangul has no Shift-JIS form: the UTF-8 bytes are stored.
    ASSERT_TRUE(h.setDumpPath("/한국/a.bin"));
    EXPECT_EQ(h.storedPath(), "/한국/a.bin");
    EXPECT_EQ(h.dumpPathCandidates().front(), "/한국/a.bin");
    // Neither are look-alikes taken for a Shift-JIS form, and UTF-8 that also reads as
    // half-width katakana still reads first as what was written.
    for (const char* path : {"/w/データ〜1.bin", "/w/¥.bin", "/w/café.bin"}) {
        ASSERT_TRUE(h.setDumpPath(path));
        EXPECT_EQ(h.storedPath(), path);
        EXPECT_EQ(h.dumpPathCandidates().front(), path);
    }

    EXPECT_TRUE(h.setDumpPath(std::string(255, 'a')));
    EXPECT_FALSE(h.setDumpPath(std::string(256, 'b')));
    EXPECT_EQ(h.storedPath(), std::string(255, 'a'));
    std::string kana;
    for (int i = 0; i < 127; ++i)
        kana += "あ"; // 381 bytes of UTF-8, 254 of Shift-JIS
    EXPECT_EQ(storedPathLength("/" + kana), 255u);
}

TEST(MarkerFile, CountIsBigEndianAndOnlyItsLowHalfCounts) {
    EXPECT_EQ(encodeMarkerFile({}, {}).size(), 276u);
    std::vector<MarkerRecord> records;
    for (int i = 0; i < 300; ++i)
        records.push_back(record(i * 2, "r"));
    auto image = encodeMarkerFile({}, records);
    EXPECT_EQ(std::vector<std::uint8_t>(image.begin() + 272, image.begin() + 276),
              (std::vector<std::uint8_t>{0, 0, 0x01, 0x2C}));
    EXPECT_EQ(image[268], 0x2C) << "count copy";
    image[272] = 0;
    image[273] = 1;
    image[274] = 0;
    image[275] = 5;
    auto parsed = parseMarkerFile(image);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->records.size(), 5u);
}

TEST(MarkerFile, ColourNumberGivesItsStandardColourAndIsKept) {
    auto parsed = parseMarkerFile(encodeMarkerFile({}, std::vector{record(0, "", 0xFF0000, 3)}));
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->records[0].color, 0xB0B0FFu);
    EXPECT_EQ(parsed->records[0].colorIndex, 3);
}

TEST(MarkerFile, BytesAfterTerminatorsAndAfterTheLastRecordAreIgnored) {
    HeaderBlock header;
    ASSERT_TRUE(header.setDumpPath("/d/a.bin"));
    auto image = encodeMarkerFile(header, std::vector{record(0, "abc")});
    std::memset(&image[9], 0xEE, 256 - 9);
    std::memset(&image[recordAt(0) + 14], 0xEE, 250);
    image.insert(image.end(), 1000, 0xEE);
    auto parsed = parseMarkerFile(image);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->header.storedPath(), "/d/a.bin");
    ASSERT_EQ(parsed->records.size(), 1u);
    EXPECT_EQ(parsed->records[0].remarkText(), "abc");
}

TEST(MarkerFile, FullTableRoundTripsByteForByte) {
    TempFolder folder;
    ScriptedUi ui;
    HeaderBlock header;
    ASSERT_TRUE(header.setDumpPath("/作業/ダンプ.bin"));
    header.linkLines = 1;
    header.linkedScrolling = 1;
    header.reserved = 77;
    header.padding = 5;
    std::vector<MarkerRecord> records;
    for (int i = 0; i < MarkerTable::kCapacity; ++i)
        records.push_back(record(i * 4, std::string(static_cast<size_t>(i % 240), 'm'),
                                 static_cast<ColorRef>(i * 977)));
    MarkerTable markers;
    markers.assign(records);

    const std::string first = folder.path("first.mkg");
    ASSERT_TRUE(writeMarkerFile(first, header, markers, false, ui));
    EXPECT_EQ(fs::file_size(first), 1'340'276u);
    HeaderBlock readHeader;
    MarkerTable readMarkers;
    ASSERT_TRUE(readMarkerFile(first, readHeader, readMarkers, ui));
    EXPECT_EQ(recordsOf(readMarkers), records);
    header.countCopy = 5000;
    EXPECT_EQ(readHeader, header);
    const std::string second = folder.path("second.mkg");
    ASSERT_TRUE(writeMarkerFile(second, readHeader, readMarkers, false, ui));
    EXPECT_EQ(TempFolder::read(first), TempFolder::read(second));
    EXPECT_TRUE(ui.shown().empty());
}

TEST(MarkerFile, MalformedFilesAreRefusedAndTheWorkStaysAsItWas) {
    const auto valid = encodeMarkerFile({}, std::vector{record(0, "a"), record(8, "b")});
    auto withRemark = [&](std::size_t length, std::size_t nulAt) {
        auto image = valid;
        std::memset(&image[recordAt(1) + 10], 'r', length);
        if (nulAt < kRemarkFieldSize)
            image[recordAt(1) + 10 + nulAt] = 0;
        return image;
    };
    auto noPathEnd = valid;
    std::memset(noPathEnd.data(), 'p', 256);
    const std::vector<std::pair<const char*, std::vector<std::uint8_t>>> cases = {
        {"empty", {}},
        {"shorter than a header and a count", {valid.begin(), valid.begin() + 275}},
        {"shorter than its count says", {valid.begin(), valid.end() - 1}},
        {"count above the capacity", encodeMarkerFile({}, std::vector<MarkerRecord>(5001))},
        {"path without its terminator", noPathEnd},
        {"remark without its terminator", withRemark(254, 254)},
        {"remark of 240 bytes", withRemark(240, 240)},
    };
    TempFolder folder;
    for (const auto& [what, image] : cases) {
        SCOPED_TRACE(what);
        const std::string path = folder.write("bad.mkg", image);
        HeaderBlock header;
        header.linkLines = 1;
        MarkerTable markers;
        markers.append(5, 6, 0x123456);
        const auto markersBefore = recordsOf(markers);
        ScriptedUi ui;
        EXPECT_FALSE(readMarkerFile(path, header, markers, ui));
        ASSERT_EQ(ui.shownIds(), std::vector<int>{msg::ReadFailed});
        EXPECT_EQ(ui.shown()[0].text, path + "\nファイルの読込みに失敗しました");
        EXPECT_EQ(header, HeaderBlock{.linkLines = 1});
        EXPECT_EQ(recordsOf(markers), markersBefore);
    }
    EXPECT_TRUE(parseMarkerFile(withRemark(239, 239))) << "the longest remark";
}

TEST(MarkerFile, FileThatCannotBeOpenedShowsTheOpenMessageWithItsPath) {
    TempFolder folder;
    ScriptedUi ui;
    EXPECT_FALSE(readMarkerFile(folder.path("none.mkg"), ui));
    EXPECT_FALSE(readMarkerFile(folder.path(), ui)) << "a folder";
    ASSERT_EQ(ui.shownIds(), (std::vector<int>{msg::OpenFailed, msg::OpenFailed}));
    EXPECT_EQ(ui.shown()[0].text.rfind(folder.path("none.mkg") + "\n", 0), 0u);
}

class MarkerFileSave : public ::testing::Test {
protected:
    void SetUp() override {
        m_markers.append(0, 15, 0xACFFFF);
        ASSERT_TRUE(writeMarkerFile(m_path, {}, m_markers, false, m_ui));
        m_before = TempFolder::read(m_path);
        m_markers.append(16, 31, 0xACFFFF);
    }

    TempFolder m_folder;
    std::string m_path = m_folder.path("work.mkg");
    MarkerTable m_markers;
    std::vector<std::uint8_t> m_before;
    ScriptedUi m_ui;
};

TEST_F(MarkerFileSave, AsksBeforeOverwritingOnlyWhenTold) {
    m_ui.answer(No).answer(Yes);
    EXPECT_FALSE(writeMarkerFile(m_path, {}, m_markers, true, m_ui));
    EXPECT_EQ(TempFolder::read(m_path), m_before);
    EXPECT_TRUE(writeMarkerFile(m_path, {}, m_markers, true, m_ui));
    EXPECT_EQ(fs::file_size(m_path), 276u + 2 * 268);
    EXPECT_TRUE(writeMarkerFile(m_path, {}, {}, false, m_ui));
    EXPECT_EQ(fs::file_size(m_path), 276u);
    EXPECT_EQ(m_ui.shownIds(), (std::vector<int>{msg::AskOverwriteFile, msg::AskOverwriteFile}));
}

TEST_F(MarkerFileSave, FailedWriteKeepsThePreviousFileWhole) {
    {
        testing::FileSizeLimit limit(600);
        EXPECT_FALSE(writeMarkerFile(m_path, {}, m_markers, false, m_ui));
    }
    EXPECT_EQ(m_ui.shownIds(), std::vector<int>{msg::WriteFailed});
    EXPECT_EQ(TempFolder::read(m_path), m_before);
    EXPECT_EQ(m_folder.entries(), std::vector<std::string>{"work.mkg"});
}

TEST_F(MarkerFileSave, FileThatCannotBeCreatedShowsTheOpenMessageAlone) {
    EXPECT_FALSE(writeMarkerFile(m_folder.path("no/such/folder.mkg"), {}, m_markers, false, m_ui));
    ASSERT_EQ(m_ui.shownIds(), std::vector<int>{msg::OpenFailed});
    EXPECT_EQ(m_ui.shown()[0].text, "ファイルのオープン失敗しました");
}

TEST_F(MarkerFileSave, ReplacedFileKeepsItsPermissionsAndLinksStayLinks) {
    ASSERT_EQ(::chmod(m_path.c_str(), 0640), 0);
    const std::string link = m_folder.path("link.mkg");
    fs::create_symlink(m_path, link);
    ASSERT_TRUE(writeMarkerFile(link, {}, m_markers, false, m_ui));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::file_size(m_path), 276u + 2 * 268);
    EXPECT_EQ(fs::status(m_path).permissions(), static_cast<fs::perms>(0640));
}

} // namespace
} // namespace byzel
