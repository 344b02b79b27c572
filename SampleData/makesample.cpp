// Makes the sample work shipped with the program: a short WAV file whose title, artist and
// comment are Shift-JIS text, and a marker file whose markers and remarks explain every field.
//
//   makesample OUTPUT_FOLDER [RECORDED_FOLDER]
//
// writes OUTPUT_FOLDER/sample.wav and OUTPUT_FOLDER/sample.mkg. The marker file records the
// WAV file as lying in RECORDED_FOLDER, which is OUTPUT_FOLDER unless the files are staged
// somewhere before they reach their place.

#include "core/ui/consoleui.h"
#include "core/markerfile/headerblock.h"
#include "core/markerfile/markerfile.h"
#include "core/markers/markertable.h"
#include "core/text/sjis.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

using byzel::ColorRef;
using byzel::MarkerRecord;

constexpr ColorRef kYellow = 0xACFFFF;
constexpr ColorRef kBlue = 0xFFB9B9;
constexpr ColorRef kGreen = 0xAAFFAA;
constexpr ColorRef kCyan = 0xFFFFBB;
constexpr ColorRef kMagenta = 0xFFB5FF;
constexpr ColorRef kRed = 0xB0B0FF;

std::string sjis(const char* utf8) {
    return byzel::utf8ToCp932(utf8).value();
}

// The WAV image and its markers, built field by field so each marker covers what was written.
class SampleBuilder {
public:
    void id(const char* fourCc, ColorRef color, const char* remark) {
        field(std::string(fourCc, 4), color, remark);
    }
    void u16(std::uint16_t v, ColorRef color, const char* remark) {
        field({char(v & 0xFF), char(v >> 8)}, color, remark);
    }
    // A size or count; its value is filled in later with patch32.
    std::size_t u32(std::uint32_t v, ColorRef color, const char* remark) {
        const std::size_t at = m_bytes.size();
        field({char(v), char(v >> 8), char(v >> 16), char(v >> 24)}, color, remark);
        return at;
    }
    void field(const std::string& bytes, ColorRef color, const char* remark) {
        MarkerRecord r;
        r.start = static_cast<byzel::Offset>(m_bytes.size());
        r.end = r.start + static_cast<byzel::Offset>(bytes.size()) - 1;
        r.color = color;
        const std::string text = sjis(remark);
        std::copy(text.begin(), text.end(), r.remark.begin());
        m_markers.push_back(r);
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
    }
    void patch32(std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            m_bytes[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
    [[nodiscard]] std::size_t size() const { return m_bytes.size(); }
    [[nodiscard]] const std::vector<std::uint8_t>& bytes() const { return m_bytes; }
    [[nodiscard]] const std::vector<MarkerRecord>& markers() const { return m_markers; }

private:
    std::vector<std::uint8_t> m_bytes;
    std::vector<MarkerRecord> m_markers;
};

// An INFO sub-chunk: identifier, size and NUL-terminated Shift-JIS text padded to even length.
void infoText(SampleBuilder& b, const char* fourCc, const char* idRemark, const char* utf8Text,
              const std::string& textRemark) {
    std::string text = sjis(utf8Text);
    text.push_back('\0');
    b.id(fourCc, kGreen, idRemark);
    b.u32(static_cast<std::uint32_t>(text.size()), kGreen,
          "サブチャンクのサイズ（文字列の終端0を含む）");
    if (text.size() % 2 == 0) {
        b.field(text, kCyan, textRemark.c_str());
        return;
    }
    text.push_back('\0');
    b.field(text, kCyan, (textRemark + "。奇数長なので末尾に0を1バイト追加").c_str());
}

SampleBuilder buildSample() {
    constexpr std::uint32_t kRate = 8000;
    constexpr int kSampleCount = 240;
    SampleBuilder b;
    b.id("RIFF", kYellow, "RIFFチャンクの識別子。WAVファイルはRIFF形式の一種");
    const auto riffSize =
        b.u32(0, kYellow, "RIFFチャンクのサイズ：ファイルサイズ－8（リトルエンディアン）");
    b.id("WAVE", kYellow, "RIFF形式の種類 \"WAVE\"：音声データ");
    b.id("fmt ", kBlue, "fmtチャンクの識別子（4文字目は空白）");
    b.u32(16, kBlue, "fmtチャンクのサイズ：16バイト");
    b.u16(1, kBlue, "フォーマットID：1 = リニアPCM");
    b.u16(1, kBlue, "チャンネル数：1 = モノラル");
    b.u32(kRate, kBlue, "サンプリング周波数：8000Hz");
    b.u32(kRate, kBlue, "1秒あたりのバイト数 = 周波数 × ブロックサイズ");
    b.u16(1, kBlue, "ブロックサイズ：1サンプル（全チャンネル分）のバイト数");
    b.u16(8, kBlue, "量子化ビット数：8ビット（符号なし、128が無音）");
    b.id("LIST", kGreen, "LISTチャンクの識別子：文字情報のまとまり");
    const auto listSize = b.u32(0, kGreen, "LISTチャンクのサイズ");
    const std::size_t listStart = b.size();
    b.id("INFO", kGreen, "リストの種類 \"INFO\"：曲名・作者・コメントなど");
    infoText(b, "INAM", "INAM：タイトル", "サンプル音声（440Hz）", "タイトル（Shift-JIS）");
    infoText(b, "IART", "IART：作者", "バイゼル開発チーム", "作者名（Shift-JIS）");
    infoText(b, "ICMT", "ICMT：コメント", "マーカの使い方を示す見本です。",
             "コメント（Shift-JIS）");
    b.patch32(listSize, static_cast<std::uint32_t>(b.size() - listStart));
    b.id("data", kRed, "dataチャンクの識別子：ここから波形");
    b.u32(kSampleCount, kRed, "波形データのバイト数");
    std::string samples;
    for (int i = 0; i < kSampleCount; ++i)
        samples.push_back(static_cast<char>(
            128 + std::lround(100 * std::sin(2 * 3.14159265358979 * 440 * i / kRate))));
    b.field(samples, kMagenta, "波形データ：440Hzの正弦波 240サンプル（0.03秒）");
    b.patch32(riffSize, static_cast<std::uint32_t>(b.size() - 8));
    return b;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2 && argc != 3) {
        std::cerr << "usage: makesample OUTPUT_FOLDER [RECORDED_FOLDER]\n";
        return 2;
    }
    const auto folder = std::filesystem::absolute(argv[1]);
    const auto recorded = argc == 3 ? std::filesystem::path(argv[2]) : folder;
    std::filesystem::create_directories(folder);
    const SampleBuilder sample = buildSample();
    const auto wavPath = (folder / "sample.wav").string();
    std::ofstream(wavPath, std::ios::binary)
        .write(reinterpret_cast<const char*>(sample.bytes().data()),
               static_cast<std::streamsize>(sample.bytes().size()));

    byzel::HeaderBlock header;
    const auto recordedPath = (recorded / "sample.wav").string();
    if (!header.setDumpPath(recordedPath)) {
        std::cerr << "makesample: folder path too long: " << recordedPath << "\n";
        return 1;
    }
    header.linkLines = 1;
    header.linkedScrolling = 1;
    byzel::MarkerTable markers;
    markers.assign(sample.markers());
    byzel::ConsoleUi ui("makesample");
    return byzel::writeMarkerFile((folder / "sample.mkg").string(), header, markers, false, ui) ? 0
                                                                                                : 1;
}
