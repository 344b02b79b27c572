#include "core/markerfile.h"

#include "core/messages.h"
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

MarkerRecord record(Offset start, Offset end, std::string_view remark, ColorRef color = 0x0000FF,
                    std::uint16_t colorIndex = 0) {
    MarkerRecord r;
    r.start = start;
    r.end = end;
    r.colorIndex = colorIndex;
    std::memcpy(r.remark.data(), remark.data(), remark.size());
    r.color = color;
    return r;
}

HeaderBlock headerFor(std::string_view path) {
    HeaderBlock h;
    EXPECT_TRUE(h.setDumpPath(path));
    return h;
}

std::size_t recordAt(std::size_t index) {
    return kMarkerRecordsAt + index * kMarkerRecordSize;
}

TEST(HeaderBlock, FieldsLieWhereTheFileHasThem) {
    HeaderBlock h = headerFor("C:\\work\\a.bin");
    h.linkLines = 1;
    h.reserved = 0xA1B2C3D4;
    h.linkedScrolling = -1;
    h.countCopy = 0x0102;
    h.padding = 0xBEEF;
    const auto image = h.encode();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(image.data())), "C:\\work\\a.bin");
    EXPECT_EQ(image[256], 1);
    EXPECT_EQ(image[260], 0xD4);
    EXPECT_EQ(image[263], 0xA1);
    EXPECT_EQ(image[267], 0xFF);
    EXPECT_EQ(image[268], 0x02);
    EXPECT_EQ(image[270], 0xEF);
    EXPECT_EQ(HeaderBlock::decode(image), h);
    EXPECT_EQ(h.dumpPathCandidates(), std::vector<std::string>{"C:\\work\\a.bin"});
}

TEST(HeaderBlock, PathIsStoredAsShiftJisWhenItCanBe) {
    HeaderBlock h = headerFor("/データ/a.bin");
    EXPECT_EQ(h.storedPath(), "/\x83\x66\x81\x5B\x83\x5E/a.bin");
    EXPECT_EQ(h.dumpPathCandidates().front(), "/データ/a.bin");

    // Hangul has no Shift-JIS form: the UTF-8 bytes are stored and tried second.
    h = headerFor("/한국/a.bin");
    EXPECT_EQ(h.storedPath(), "/한국/a.bin");
    ASSERT_EQ(h.dumpPathCandidates().size(), 2u);
    EXPECT_EQ(h.dumpPathCandidates()[1], "/한국/a.bin");
}

TEST(HeaderBlock, PathOfTheFieldSizeOrMoreIsRefusedAndChangesNothing) {
    HeaderBlock h = headerFor("/old");
    EXPECT_TRUE(h.setDumpPath(std::string(255, 'a')));
    EXPECT_FALSE(h.setDumpPath(std::string(256, 'b')));
    EXPECT_EQ(h.storedPath(), std::string(255, 'a'));
    std::string kana;
    for (int i = 0; i < 127; ++i)
        kana += "あ"; // 381 bytes of UTF-8, 254 of Shift-JIS
    EXPECT_EQ(storedPathLength("/" + kana), 255u);
    EXPECT_TRUE(h.setDumpPath("/" + kana));
}

TEST(MarkerFile, EmptyWorkIsTheHeaderAndAZeroCount) {
    const auto image = encodeMarkerFile(headerFor("/d/a.bin"), {});
    ASSERT_EQ(image.size(), 276u);
    EXPECT_EQ(std::vector<std::uint8_t>(image.begin() + 272, image.end()),
              (std::vector<std::uint8_t>{0, 0, 0, 0}));
    auto parsed = parseMarkerFile(image);
    ASSERT_TRUE(parsed);
    EXPECT_TRUE(parsed->records.empty());
}

TEST(MarkerFile, OnlyTheLowHalfOfTheBigEndianCountCounts) {
    std::vector<MarkerRecord> records;
    for (int i = 0; i < 300; ++i)
        records.push_back(record(i * 2, i * 2, "r"));
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

TEST(MarkerFile, ColourNumberGivesItsStandardColourAndIsWrittenBack) {
    const auto image = encodeMarkerFile({}, std::vector{record(0, 3, "", 0x00FF0000, 3)});
    auto parsed = parseMarkerFile(image);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->records[0].color, 0xB0B0FFu);
    EXPECT_EQ(parsed->records[0].colorIndex, 3);
    const auto again = encodeMarkerFile(parsed->header, parsed->records);
    EXPECT_EQ(again[recordAt(0) + 8], 3);
}

TEST(MarkerFile, BytesAfterTerminatorsAndAfterTheLastRecordAreIgnored) {
    auto image = encodeMarkerFile(headerFor("/d/a.bin"), std::vector{record(0, 3, "abc")});
    std::memset(&image[9], 0xEE, 256 - 9);
    std::memset(&image[recordAt(0) + 10 + 4], 0xEE, 250);
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
    HeaderBlock header = headerFor("/作業/ダンプ.bin");
    header.linkLines = 1;
    header.linkedScrolling = 1;
    header.reserved = 77;
    header.padding = 5;
    MarkerTable markers;
    std::vector<MarkerRecord> records;
    for (int i = 0; i < MarkerTable::kCapacity; ++i)
        records.push_back(record(i * 4, i * 4 + 2, std::string(static_cast<size_t>(i % 240), 'm'),
                                 static_cast<ColorRef>(i * 977)));
    markers.assign(records);

    const std::string first = folder.path("first.mkg");
    ASSERT_TRUE(writeMarkerFile(first, header, markers, false, ui));
    EXPECT_EQ(fs::file_size(first), 1'340'276u);

    HeaderBlock readHeader;
    MarkerTable readMarkers;
    ASSERT_TRUE(readMarkerFile(first, readHeader, readMarkers, ui));
    EXPECT_EQ(readMarkers.records().size(), records.size());
    EXPECT_TRUE(std::equal(records.begin(), records.end(), readMarkers.records().begin()));
    header.countCopy = 5000;
    EXPECT_EQ(readHeader, header);

    const std::string second = folder.path("second.mkg");
    ASSERT_TRUE(writeMarkerFile(second, readHeader, readMarkers, false, ui));
    EXPECT_EQ(TempFolder::read(first), TempFolder::read(second));
    EXPECT_TRUE(ui.shown().empty());
}

TEST(MarkerFile, MalformedFilesAreRefusedAndTheWorkStaysAsItWas) {
    const auto valid =
        encodeMarkerFile(headerFor("/d/a.bin"), std::vector{record(0, 3, "a"), record(8, 9, "b")});
    struct Case {
        const char* what;
        std::vector<std::uint8_t> image;
    };
    std::vector<Case> cases;
    cases.push_back({"empty", {}});
    cases.push_back({"shorter than a header and a count", {valid.begin(), valid.begin() + 275}});
    cases.push_back({"shorter than its count says", {valid.begin(), valid.end() - 1}});
    auto overCapacity = encodeMarkerFile({}, std::vector<MarkerRecord>(5001));
    cases.push_back({"count above the capacity", overCapacity});
    auto noPathEnd = valid;
    std::memset(noPathEnd.data(), 'p', 256);
    cases.push_back({"path without its terminator", noPathEnd});
    auto noRemarkEnd = valid;
    std::memset(&noRemarkEnd[recordAt(1) + 10], 'r', 254);
    cases.push_back({"remark without its terminator", noRemarkEnd});
    auto longRemark = valid;
    std::memset(&longRemark[recordAt(1) + 10], 'r', 240);
    longRemark[recordAt(1) + 10 + 240] = 0;
    cases.push_back({"remark of 240 bytes", longRemark});

    TempFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = folder.write("bad.mkg", c.image);
        HeaderBlock header = headerFor("/previous.bin");
        header.linkLines = 1;
        MarkerTable markers;
        markers.append(5, 6, 0x123456);
        const HeaderBlock headerBefore = header;
        const std::vector<MarkerRecord> markersBefore(markers.records().begin(),
                                                      markers.records().end());
        ScriptedUi ui;
        EXPECT_FALSE(readMarkerFile(path, header, markers, ui));
        ASSERT_EQ(ui.shownIds(), std::vector<int>{msg::ReadFailed});
        EXPECT_EQ(ui.shown()[0].text, path + "\nファイルの読込みに失敗しました");
        EXPECT_EQ(header, headerBefore);
        EXPECT_TRUE(std::equal(markersBefore.begin(), markersBefore.end(),
                               markers.records().begin(), markers.records().end()));
    }

    auto longestRemark = valid;
    std::memset(&longestRemark[recordAt(1) + 10], 'r', 239);
    longestRemark[recordAt(1) + 10 + 239] = 0;
    EXPECT_TRUE(parseMarkerFile(longestRemark));
}

TEST(MarkerFile, MissingFileShowsTheOpenMessageWithItsPath) {
    TempFolder folder;
    ScriptedUi ui;
    EXPECT_FALSE(readMarkerFile(folder.path("none.mkg"), ui));
    ASSERT_EQ(ui.shownIds(), std::vector<int>{msg::OpenFailed});
    EXPECT_EQ(ui.shown()[0].text.rfind(folder.path("none.mkg") + "\n", 0), 0u);
    EXPECT_FALSE(readMarkerFile(folder.path(), ui)) << "a folder";
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
    m_ui.answer(No);
    EXPECT_FALSE(writeMarkerFile(m_path, {}, m_markers, true, m_ui));
    EXPECT_EQ(m_ui.shownIds(), std::vector<int>{msg::AskOverwriteFile});
    EXPECT_EQ(TempFolder::read(m_path), m_before);

    m_ui.clearRecord();
    m_ui.answer(Yes);
    EXPECT_TRUE(writeMarkerFile(m_path, {}, m_markers, true, m_ui));
    EXPECT_EQ(fs::file_size(m_path), 276u + 2 * 268);

    m_ui.clearRecord();
    EXPECT_TRUE(writeMarkerFile(m_path, {}, {}, false, m_ui));
    EXPECT_TRUE(m_ui.shown().empty());
    EXPECT_EQ(fs::file_size(m_path), 276u);
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
    struct stat st;
    ASSERT_EQ(::stat(m_path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

} // namespace
} // namespace byzel
