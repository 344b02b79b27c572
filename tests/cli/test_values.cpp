#include "cli/ksydescription.h"
#include "cli/markervalues.h"
#include "cli/valuesformat.h"

#include "clirun.h"
#include "memorysource.h"
#include "tempfolder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>
#include <yaml-cpp/yaml.h>

#include <algorithm>
#include <cstdlib>

namespace byzel::cli {
namespace {

using byzel::testing::MemorySource;
using byzel::testing::TempFolder;
using Bytes = std::vector<std::uint8_t>;

MarkerRecord marker(Offset start, Offset end, std::string_view remark = {}) {
    MarkerRecord r;
    r.start = start;
    r.end = end;
    std::copy(remark.begin(), remark.end(), r.remark.begin());
    return r;
}

TEST(MarkerValues, OneToEightBytesInBothOrders) {
    const MemorySource source(Bytes{0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0xF8, 0x09});
    struct Expected {
        std::uint64_t le, be;
    };
    const Expected expected[] = {
        {0x01, 0x01},
        {0x0201, 0x0102},
        {0x030201, 0x010203},
        {0x04030201, 0x01020304},
        {0x0504030201, 0x0102030405},
        {0x060504030201, 0x010203040506},
        {0x07060504030201, 0x01020304050607},
        {0xF807060504030201, 0x01020304050607F8},
    };
    for (int length = 1; length <= 8; ++length) {
        const MarkerReading r = readMarker(source, marker(0, length - 1));
        EXPECT_EQ(littleEndianValue(r, length), expected[length - 1].le) << length;
        EXPECT_EQ(bigEndianValue(r, length), expected[length - 1].be) << length;
    }
    const MarkerReading nine = readMarker(source, marker(0, 8));
    EXPECT_FALSE(littleEndianValue(nine, 9));
    EXPECT_FALSE(bigEndianValue(nine, 9));
    // Only part of the value is in the file: no number is made up from it.
    const MarkerReading cut = readMarker(source, marker(7, 10));
    EXPECT_EQ(cut.status, MarkerReading::Status::Short);
    EXPECT_EQ(hexColumn(cut), "F8 09");
    EXPECT_FALSE(littleEndianValue(cut, 4));
}

TEST(MarkerValues, LongShortAndDamagedMarkers) {
    MemorySource source(Bytes(100000, 0xAB));
    source.limitReads(5); // the reader has to go on after partial reads
    const MarkerReading longOne = readMarker(source, marker(10, 99999));
    EXPECT_EQ(longOne.status, MarkerReading::Status::Whole);
    EXPECT_EQ(longOne.firstCount, kShownMarkerBytes);
    EXPECT_TRUE(longOne.cut);
    EXPECT_EQ(source.bytesRead(), std::size_t{kShownMarkerBytes});
    EXPECT_TRUE(hexColumn(longOne).ends_with("AB AB ..."));

    const MarkerReading exactly = readMarker(source, marker(0, kShownMarkerBytes - 1));
    EXPECT_FALSE(exactly.cut);
    EXPECT_FALSE(hexColumn(exactly).ends_with("..."));

    const MarkerReading past = readMarker(source, marker(100000, 100003));
    EXPECT_EQ(past.status, MarkerReading::Status::Short);
    EXPECT_EQ(hexColumn(past), "");
    EXPECT_STREQ(statusName(past.status), "short");

    EXPECT_EQ(readMarker(source, marker(-4, 3)).status, MarkerReading::Status::Invalid);
    EXPECT_EQ(readMarker(source, marker(9, 8)).status, MarkerReading::Status::Invalid);
}

TEST(MarkerValues, TextIsOneLineOfWholeCharacters) {
    // "A", control bytes, "ア" (83 41), and a byte that the code page gives as a C1 control.
    const MemorySource source(std::string_view("A\x01\x1B\x7F\x83\x41\x80\r\n", 9));
    EXPECT_EQ(textColumn(readMarker(source, marker(0, 8))), "A   \xE3\x82\xA2\xEF\xBF\xBD  ");

    // A double-byte character cut by the 32-byte limit is left out rather than half shown.
    std::string bytes(kShownMarkerBytes - 1, 'x');
    bytes += "\x83\x41";
    const MemorySource longText(bytes);
    EXPECT_EQ(textColumn(readMarker(longText, marker(0, kShownMarkerBytes + 1))),
              std::string(kShownMarkerBytes - 1, 'x'));
}

ValueRow hostileRow() {
    ValueRow row;
    row.number = 3;
    row.start = 16;
    row.end = 23;
    row.length = 8;
    row.remark = "say \"hi\", then\r\n\xE6\x97\xA5\xE6\x9C\xAC #1";
    row.file = "dir/a,b.bin";
    row.status = "ok";
    row.hex = "FF FF FF FF FF FF FF FF";
    row.littleEndian = 0xFFFFFFFFFFFFFFFF;
    row.bigEndian = 0x7FFFFFFFFFFFFFFF;
    row.text = "\"";
    return row;
}

TEST(ValuesFormat, CsvQuotesOnlyWhereNeeded) {
    EXPECT_EQ(csvRecord(hostileRow()),
              "3,16,23,8,\"say \"\"hi\"\", then\r\n\xE6\x97\xA5\xE6\x9C\xAC #1\",\"dir/a,b.bin\","
              "ok,FF FF FF FF FF FF FF FF,18446744073709551615,9223372036854775807,\"\"\"\"\r\n");
}

TEST(ValuesFormat, JsonKeepsTextsAndLargeValuesExact) {
    const std::string json = jsonObject(hostileRow());
    EXPECT_EQ(json.find('\n'), std::string::npos);
    const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
    EXPECT_EQ(o["remark"].toString().toStdString(), hostileRow().remark);
    EXPECT_EQ(o["le"].toString(), "18446744073709551615");
    EXPECT_EQ(o["be"].toInteger(), 0x7FFFFFFFFFFFFFFF);
    ValueRow none = hostileRow();
    none.littleEndian.reset();
    EXPECT_TRUE(QJsonDocument::fromJson(QByteArray::fromStdString(jsonObject(none)))
                    .object()["le"]
                    .isNull());
}

TEST(KsyDescription, IdentifiersFollowKaitaiRules) {
    EXPECT_EQ(ksyIdentifierFor("/x/Sample Work.mkg"), "sample_work");
    EXPECT_EQ(ksyIdentifierFor("/x/2024--log.MKG"), "work_2024_log");
    EXPECT_EQ(ksyIdentifierFor("/x/\xE3\x83\x87\xE3\x83\xBC\xE3\x82\xBF.mkg"), "work");
    EXPECT_EQ(ksyIdentifierFor("/x/_a_.mkg"), "a");
    EXPECT_TRUE(isKsyIdentifier("a_1"));
    for (const char* bad : {"", "1a", "_a", "A", "a-b", "a b"})
        EXPECT_FALSE(isKsyIdentifier(bad)) << bad;
}

TEST(KsyDescription, GapsRestAndLeftOutMarkers) {
    MarkerTable markers;
    markers.assign(std::vector<MarkerRecord>{marker(4, 7, "a: \"b\" # c\n  d"), marker(8, 8),
                                             marker(6, 9), marker(20, 30, "true"),
                                             marker(100, 101)});
    // Texts a YAML reader would take for a boolean, a null or a number stay texts.
    const KsyDescription d = describeMarkers(markers, 25, {"null", true, "123"});
    const YAML::Node root = YAML::Load(d.yaml);
    EXPECT_NE(d.yaml.find("id: \"null\""), std::string::npos) << d.yaml;
    EXPECT_NE(d.yaml.find("file-extension: \"123\""), std::string::npos);
    EXPECT_NE(d.yaml.find("doc: \"true\""), std::string::npos);
    EXPECT_EQ(root["meta"]["id"].as<std::string>(), "null");
    EXPECT_EQ(root["meta"]["endian"].as<std::string>(), "be");
    EXPECT_EQ(root["meta"]["encoding"].as<std::string>(), "SJIS");
    const YAML::Node seq = root["seq"];
    const std::vector<std::pair<std::string, int>> fields = {
        {"gap_1", 4}, {"marker_1", 4}, {"marker_2", 1}, {"gap_4", 11}, {"marker_4", 11}};
    ASSERT_EQ(seq.size(), fields.size() + 1);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        EXPECT_EQ(seq[i]["id"].as<std::string>(), fields[i].first);
        EXPECT_EQ(seq[i]["size"].as<int>(), fields[i].second);
    }
    EXPECT_EQ(seq[1]["doc"].as<std::string>(), "a: \"b\" # c\n  d");
    EXPECT_FALSE(seq[2]["doc"]);
    EXPECT_EQ(seq[5]["id"].as<std::string>(), "rest");
    EXPECT_TRUE(seq[5]["size-eos"].as<bool>());
    // Marker 3 shares bytes, marker 4 reaches past the end, marker 5 lies wholly past it.
    ASSERT_EQ(d.notes.size(), 3u);
    EXPECT_NE(d.notes[0].find("marker 3 shares bytes with marker 2"), std::string::npos);
    EXPECT_NE(d.notes[1].find("marker 4 reaches past"), std::string::npos);
    EXPECT_NE(d.notes[2].find("marker 5 lies past"), std::string::npos);
}

// ---- the built program on the sample work ----

using byzel::testing::CliRun;
using byzel::testing::runCli;

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2)
        out.push_back(text.substr(from, at - from));
    return out;
}

class SampleValues : public ::testing::Test {
protected:
    void SetUp() override {
#ifndef BYZEL_MAKESAMPLE_PATH
        GTEST_SKIP() << "the sample work is made only with the desktop program";
#else
        ASSERT_EQ(std::system((std::string(BYZEL_MAKESAMPLE_PATH) + " " + dir.path()).c_str()), 0);
        work = dir.path("sample.mkg");
        wav = TempFolder::read(dir.path("sample.wav"));
#endif
    }

    TempFolder dir;
    std::string work;
    Bytes wav;
};

TEST_F(SampleValues, OwnDumpFileChangedCopiesAndAMissingFile) {
    const CliRun own = runCli(dir, "values " + work);
    ASSERT_EQ(own.status, 0) << own.err;
    const auto rows = lines(own.out);
    ASSERT_EQ(rows.size(), 27u); // header and 26 markers
    EXPECT_EQ(rows[0], "number,start,end,length,remark,file,status,hex,le,be,text");
    EXPECT_TRUE(rows[1].starts_with("1,0,3,4,RIFF")) << rows[1];
    EXPECT_TRUE(rows[1].ends_with("sample.wav,ok,52 49 46 46,1179011410,1380533830,RIFF"));

    Bytes shorter(wav.begin(), wav.begin() + 152);
    const std::string shortFile = dir.write("short.wav", shorter);
    Bytes other = wav;
    other[22] = 2;                                     // two channels
    other[24] = 0x44, other[25] = 0xAC, other[26] = 0; // 44100 Hz
    const std::string otherFile = dir.write("other.wav", other);
    const CliRun copies = runCli(dir, "values " + work + " " + shortFile + " " +
                                          dir.path("gone.wav") + " " + otherFile);
    EXPECT_EQ(copies.status, 1);
    EXPECT_NE(copies.err.find("gone.wav: no such file"), std::string::npos) << copies.err;
    const auto both = lines(copies.out);
    ASSERT_EQ(both.size(), 1u + 2 * 26);
    // The shorter copy ends inside marker 25; marker 26 lies wholly past its end.
    EXPECT_TRUE(both[25].ends_with("short.wav,short,F0 00,,,\xEF\xBF\xBD ")) << both[25];
    EXPECT_TRUE(both[26].ends_with("short.wav,short,,,,")) << both[26];
    EXPECT_NE(both[24].find("short.wav,ok,"), std::string::npos);
    EXPECT_TRUE(both[26 + 7].ends_with("other.wav,ok,02 00,2,512,  ")) << both[26 + 7];
    EXPECT_TRUE(both[26 + 8].ends_with("other.wav,ok,44 AC 00 00,44100,1152122880,D\xEF\xBD\xAC  "))
        << both[26 + 8];
}

TEST_F(SampleValues, JsonRowsAndTheOutputFileRule) {
    const std::string out = dir.path("values.json");
    CliRun r = runCli(dir, "values " + work + " --format json -o " + out);
    ASSERT_EQ(r.status, 0) << r.err;
    const auto bytes = TempFolder::read(out);
    const QJsonArray rows =
        QJsonDocument::fromJson(QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                           static_cast<qsizetype>(bytes.size())))
            .array();
    ASSERT_EQ(rows.size(), 26);
    EXPECT_EQ(rows[2].toObject()["remark"].toString(),
              QString::fromUtf8("RIFF形式の種類 \"WAVE\"：音声データ"));
    EXPECT_EQ(rows[25].toObject()["hex"].toString().right(4), " ...");

    r = runCli(dir, "values " + work + " --format csv -o " + out);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("exists; add --force to overwrite it"), std::string::npos);
    EXPECT_EQ(TempFolder::read(out), bytes);
    EXPECT_EQ(runCli(dir, "values " + work + " -o " + out + " --force").status, 0);
    EXPECT_NE(TempFolder::read(out), bytes);

    EXPECT_EQ(runCli(dir, "values " + work + " --format xml").status, 2);
    EXPECT_EQ(runCli(dir, "values").status, 2);
    // Writing over a file being read is refused.
    EXPECT_EQ(runCli(dir, "values " + work + " -o " + dir.path("sample.wav") + " --force").status,
              2);
    EXPECT_EQ(TempFolder::read(dir.path("sample.wav")), wav);
    // A full disk is a failure, not a finished table.
    EXPECT_EQ(runCli(dir, "values " + work + " -o /dev/full --force").status, 1);
}

TEST_F(SampleValues, KsyOfTheSample) {
    CliRun r = runCli(dir, "export-ksy " + work);
    ASSERT_EQ(r.status, 0) << r.err;
    const YAML::Node root = YAML::Load(r.out);
    EXPECT_EQ(root["meta"]["id"].as<std::string>(), "sample");
    EXPECT_EQ(root["meta"]["file-extension"].as<std::string>(), "wav");
    EXPECT_EQ(root["seq"].size(), 27u);

    EXPECT_EQ(runCli(dir, "export-ksy " + work + " --id Bad").status, 2);
    EXPECT_EQ(runCli(dir, "export-ksy " + work + " --endian middle").status, 2);
    const std::string out = dir.path("s.ksy");
    EXPECT_EQ(runCli(dir, "export-ksy " + work + " --id riff_wave --endian be -o " + out).status,
              0);
    EXPECT_EQ(YAML::LoadFile(out)["meta"]["endian"].as<std::string>(), "be");
    EXPECT_EQ(runCli(dir, "export-ksy " + work + " -o " + out).status, 1);
    EXPECT_EQ(runCli(dir, "export-ksy " + work + " -o /dev/full --force").status, 1);
}

} // namespace
} // namespace byzel::cli
