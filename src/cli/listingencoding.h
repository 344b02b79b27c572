#pragma once

#include "core/dumplist/dumplistfile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace byzel::cli {

enum class ListingEncoding {
    ShiftJis, // the export's own bytes
    Utf8,
};

// "sjis" or "utf-8" (any case; "shift-jis", "shift_jis", "cp932" and "utf8" too).
[[nodiscard]] std::optional<ListingEncoding> listingEncodingNamed(std::string_view name);

// The dump list for a reader other than a Shift-JIS file.
//
// In UTF-8 every character keeps the columns it has in the listing: a double-byte character
// is two columns, and one that a terminal shows one column wide is followed by a space; a
// half-width katakana is one. A text cell that holds no character (a lone or unknown byte, a
// pair that is no character, DEL) shows as '.'. Remarks are decoded as a whole.
//
// For a terminal (harmless set), control characters cannot reach it: in the text column they
// show as '.', in remarks in caret notation ("^[" for ESC, "^?" for DEL), and C1 controls as
// U+FFFD. The line ends stay as they are.
class ListingRecoder final : public DumpRowRecoder {
public:
    ListingRecoder(ListingEncoding encoding, bool harmless)
        : m_encoding(encoding), m_harmless(harmless) {}

    void recode(const DumpRow& row, std::string& out) override;

    // A remark entry, recoded as above.
    [[nodiscard]] std::string remark(std::string_view sjis) const;

private:
    void appendTextCellsUtf8(const DumpRow& row, std::string& out);
    const std::string& pairUtf8(unsigned char lead, unsigned char trail);

    ListingEncoding m_encoding;
    bool m_harmless;
    // Every double-byte cell pair is decoded once.
    std::unordered_map<std::uint16_t, std::string> m_pairs;
};

} // namespace byzel::cli
