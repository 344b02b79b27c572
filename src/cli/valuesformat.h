#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace byzel::cli {

// One marker applied to one file, as the values command writes it. Texts are UTF-8.
struct ValueRow {
    int number = 0;
    std::int64_t start = 0;
    std::int64_t end = 0;
    std::int64_t length = 0;
    std::string remark;
    std::string file;
    std::string status;
    std::string hex;
    std::optional<std::uint64_t> littleEndian;
    std::optional<std::uint64_t> bigEndian;
    std::string text;
};

// CSV after RFC 4180: a header row, CR LF after every record, fields quoted when they hold a
// quote, comma or line break.
[[nodiscard]] std::string csvHeader();
[[nodiscard]] std::string csvRecord(const ValueRow& row);

// One row as a compact JSON object on one line. A value of 2^63 or more comes as a string of
// decimal digits, as JSON numbers beyond that are not kept exactly by the JSON classes.
[[nodiscard]] std::string jsonObject(const ValueRow& row);

} // namespace byzel::cli
