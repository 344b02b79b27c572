// Writes a few well-formed marker files into the folder given, as the fuzzer's first corpus.
#include "core/markerfile/markerfile.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace byzel;

MarkerRecord marker(Offset start, Offset end, const char* remark, ColorRef color,
                    std::uint16_t colorIndex = 0) {
    MarkerRecord r;
    r.start = start;
    r.end = end;
    r.colorIndex = colorIndex;
    std::strncpy(r.remark.data(), remark, kMaxRemarkBytes);
    r.color = color;
    return r;
}

void save(const std::string& file, const std::vector<std::uint8_t>& image) {
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()),
               static_cast<std::streamsize>(image.size()));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s folder\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];

    HeaderBlock header;
    (void)header.setDumpPath("C:\\work\\sample.bin");
    save(folder + "/empty.mkg", encodeMarkerFile(header, {}));

    // Shift-JIS remarks as the Windows program writes them, one with an old colour number.
    std::vector<MarkerRecord> records = {
        marker(0, 3, "\x83\x77\x83\x62\x83\x5F", 0x0000FF),
        marker(4, 7, "size", 0x00FF0000, 3),
        marker(16, 31, "", 0xACFFFF),
    };
    header.linkLines = 1;
    save(folder + "/three.mkg", encodeMarkerFile(header, records));

    (void)header.setDumpPath("/home/user/データ/dump.bin");
    header.linkedScrolling = 1;
    header.reserved = 0x12345678;
    header.padding = 0xCDCD;
    for (int i = 0; i < 10; ++i)
        records.push_back(marker(100 + i * 8, 103 + i * 8, "field", 0xB9B9B9,
                                 static_cast<std::uint16_t>(i % 10)));
    auto image = encodeMarkerFile(header, records);
    // A count with its unused high half set, and bytes after the last record.
    image[kMarkerCountAt + 1] = 1;
    image.insert(image.end(), 32, 0xCC);
    save(folder + "/trailing.mkg", image);
    return 0;
}
