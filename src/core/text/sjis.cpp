#include "core/text/sjis.h"

#include <cerrno>
#include <iconv.h>

namespace byzel {
namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter() {
        if (valid())
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    [[nodiscard]] bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as possible; returns the errno of the stop (0 when all input was taken).
    int convert(std::string_view& in, std::string& out) {
        char buffer[1024];
        while (!in.empty()) {
            char* src = const_cast<char*>(in.data());
            size_t srcLeft = in.size();
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            size_t rc = iconv(m_cd, &src, &srcLeft, &dst, &dstLeft);
            int err = rc == static_cast<size_t>(-1) ? errno : 0;
            out.append(buffer, static_cast<size_t>(dst - buffer));
            in.remove_prefix(in.size() - srcLeft);
            if (err == E2BIG)
                continue;
            if (err != 0)
                return err;
        }
        return 0;
    }

private:
    iconv_t m_cd;
};

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

} // namespace

std::string cp932ToUtf8(std::string_view bytes) {
    std::string out;
    Converter conv("UTF-8", "CP932");
    if (!conv.valid()) {
        for (unsigned char c : bytes)
            out += c < 0x80 ? std::string(1, static_cast<char>(c)) : std::string(kReplacement);
        return out;
    }
    while (!bytes.empty()) {
        if (conv.convert(bytes, out) == 0)
            break;
        // Invalid or truncated sequence: mark it and go on with the next byte.
        out += kReplacement;
        bytes.remove_prefix(1);
    }
    return out;
}

std::optional<std::string> utf8ToCp932(std::string_view text) {
    Converter conv("CP932", "UTF-8");
    if (!conv.valid())
        return std::nullopt;
    std::string out;
    if (conv.convert(text, out) != 0)
        return std::nullopt;
    return out;
}

bool isValidUtf8(std::string_view text) {
    Converter conv("UTF-32LE", "UTF-8");
    std::string ignored;
    return conv.valid() && conv.convert(text, ignored) == 0;
}

std::size_t sjisPrefixLength(std::string_view bytes, std::size_t maxBytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        std::size_t width = isCp932LeadByte(static_cast<unsigned char>(bytes[i])) ? 2 : 1;
        if (i + width > maxBytes || i + width > bytes.size())
            break;
        i += width;
    }
    return i;
}

std::string_view sjisPrefix(std::string_view bytes, std::size_t maxBytes) {
    return bytes.substr(0, sjisPrefixLength(bytes, maxBytes));
}

} // namespace byzel
