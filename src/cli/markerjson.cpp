#include "cli/markerjson.h"

#include "cli/markerchecks.h"

#include "core/text/sjis.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QString>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <span>

namespace byzel::cli {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

// ---- writing ----

void appendEscape(std::string& out, unsigned code) {
    out += "\\u00";
    out += kHexDigits[code >> 4];
    out += kHexDigits[code & 0xF];
}

// Every control character is escaped, DEL and C1 ones as well, so that the JSON shown on a
// terminal cannot drive it.
void appendString(std::string& out, std::string_view utf8) {
    out += '"';
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        const auto u = static_cast<unsigned char>(c);
        const auto next = i + 1 < utf8.size() ? static_cast<unsigned char>(utf8[i + 1]) : 0;
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (u < 0x20 || u == 0x7F) {
                appendEscape(out, u);
            } else if (u == 0xC2 && next >= 0x80 && next <= 0x9F) {
                appendEscape(out, next);
                ++i;
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

std::string hexOf(std::string_view bytes) {
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        hex += kHexDigits[u >> 4];
        hex += kHexDigits[u & 0xF];
    }
    return hex;
}

// A stored field without its trailing zero bytes, which the reader puts back.
std::string_view trimmedField(std::span<const char> field) {
    std::size_t n = field.size();
    while (n > 0 && field[n - 1] == 0)
        --n;
    return {field.data(), n};
}

// Whether text followed by zero bytes is the whole field.
bool fieldHolds(std::span<const char> field, std::string_view text) {
    return text.size() < field.size() && trimmedField(field) == text;
}

// The path as text, as the program reads it first.
std::string pathText(const HeaderBlock& header) {
    const auto candidates = header.dumpPathCandidates();
    return candidates.empty() ? std::string() : candidates.front();
}

std::string colorText(ColorRef color) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", redOf(color), greenOf(color), blueOf(color));
    return text;
}

class JsonWriter {
public:
    void key(int indent, std::string_view name) {
        m_out.append(static_cast<std::size_t>(indent), ' ');
        appendString(m_out, name);
        m_out += ": ";
    }
    void text(int indent, std::string_view name, std::string_view value, bool last = false) {
        key(indent, name);
        appendString(m_out, value);
        end(last);
    }
    void number(int indent, std::string_view name, long long value, bool last = false) {
        key(indent, name);
        m_out += std::to_string(value);
        end(last);
    }
    void raw(std::string_view text) { m_out += text; }
    void end(bool last) { m_out += last ? "\n" : ",\n"; }
    [[nodiscard]] std::string take() { return std::move(m_out); }

private:
    std::string m_out;
};

// ---- reading ----

// A surrogate not in a pair is no character; converted to UTF-8 it would quietly become "?".
bool hasLoneSurrogate(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            return true;
    }
    return false;
}

struct Refused {
    std::string message;
};

// A key in double quotes, for messages.
std::string quotedKey(const char* key) {
    std::string quoted(1, '"');
    quoted += key;
    quoted += '"';
    return quoted;
}

class ObjectReader {
public:
    ObjectReader(const QJsonObject& object, std::string label,
                 std::initializer_list<const char*> knownKeys)
        : m_object(object), m_label(std::move(label)) {
        for (auto it = object.begin(); it != object.end(); ++it)
            if (std::none_of(knownKeys.begin(), knownKeys.end(),
                             [&](const char* k) { return it.key() == QLatin1String(k); }))
                fail("unknown key \"" + it.key().toStdString() + "\"");
    }

    [[nodiscard]] bool has(const char* key) const { return m_object.contains(QLatin1String(key)); }

    long long integer(const char* key, long long min, long long max,
                      std::optional<long long> fallback = std::nullopt) const {
        const QJsonValue v = m_object.value(QLatin1String(key));
        if (v.isUndefined() && fallback)
            return *fallback;
        if (v.isUndefined())
            fail(quotedKey(key) + " is missing");
        const double d = v.toDouble(std::nan(""));
        if (!v.isDouble() || std::floor(d) != d || d < static_cast<double>(min) ||
            d > static_cast<double>(max))
            fail(quotedKey(key) + " must be a whole number from " + std::to_string(min) +
                 " to " + std::to_string(max));
        return static_cast<long long>(d);
    }

    std::string text(const char* key) const {
        const QJsonValue v = m_object.value(QLatin1String(key));
        if (v.isUndefined())
            fail(quotedKey(key) + " is missing");
        if (!v.isString())
            fail(quotedKey(key) + " must be a string");
        const QString value = v.toString();
        if (hasLoneSurrogate(value))
            fail(quotedKey(key) + " holds a lone surrogate (\\ud800 to \\udfff), " +
                 "which is no character");
        return value.toStdString();
    }

    // A hex field of at most size bytes, zero-filled to size; nothing when the key is absent.
    std::optional<std::string> bytes(const char* key, std::size_t size) const {
        if (!has(key))
            return std::nullopt;
        const std::string hex = text(key);
        const bool wellFormed =
            hex.size() % 2 == 0 && std::all_of(hex.begin(), hex.end(), [](char c) {
                return std::isxdigit(static_cast<unsigned char>(c)) != 0;
            });
        if (!wellFormed || hex.size() / 2 > size)
            fail(quotedKey(key) + " must be hex digits for at most " +
                 std::to_string(size) + " bytes");
        std::string field(size, '\0');
        for (std::size_t i = 0; i < hex.size() / 2; ++i)
            field[i] = static_cast<char>(std::stoi(hex.substr(i * 2, 2), nullptr, 16));
        return field;
    }

    [[noreturn]] void fail(const std::string& what) const {
        throw Refused{m_label.empty() ? what : m_label + ": " + what};
    }

private:
    const QJsonObject& m_object;
    std::string m_label;
};

constexpr long long kOffsetMax = INT32_MAX;
constexpr long long kInt32Min = INT32_MIN;
constexpr long long kUint16Max = UINT16_MAX;
constexpr long long kUint32Max = UINT32_MAX;

void readPath(const ObjectReader& in, HeaderBlock& header) {
    const std::string text = in.text("dumpPath");
    if (auto field = in.bytes("dumpPathBytes", kPathFieldSize)) {
        if (std::memchr(field->data(), 0, field->size()) == nullptr)
            in.fail("\"dumpPathBytes\" must end its path with a zero byte within 256 bytes");
        std::memcpy(header.path.data(), field->data(), header.path.size());
        if (pathText(header) != text)
            in.fail("\"dumpPath\" and \"dumpPathBytes\" disagree; remove \"dumpPathBytes\" to "
                    "store the path as written");
        return;
    }
    if (text.find('\0') != std::string::npos)
        in.fail("\"dumpPath\" must not hold a NUL character");
    if (!header.setDumpPath(text))
        in.fail("\"dumpPath\" takes " + std::to_string(storedPathLength(text)) +
                " bytes; at most " + std::to_string(kMaxStoredPathBytes) + " fit");
}

void readRemark(const ObjectReader& in, MarkerRecord& record) {
    const std::string text = in.text("remark");
    if (auto field = in.bytes("remarkBytes", kRemarkFieldSize)) {
        if (std::memchr(field->data(), 0, kMaxRemarkBytes + 1) == nullptr)
            in.fail("\"remarkBytes\" must end its remark with a zero byte within " +
                    std::to_string(kMaxRemarkBytes + 1) + " bytes");
        std::memcpy(record.remark.data(), field->data(), record.remark.size());
        if (cp932ToUtf8(record.remarkText()) != text)
            in.fail("\"remark\" and \"remarkBytes\" disagree; remove \"remarkBytes\" to store "
                    "the remark as written");
        return;
    }
    const auto sjis = utf8ToCp932(text);
    if (!sjis)
        in.fail("the remark holds characters that Shift-JIS cannot hold");
    if (sjis->find('\0') != std::string::npos)
        in.fail("the remark must not hold a NUL character");
    if (sjis->size() > static_cast<std::size_t>(kMaxRemarkBytes))
        in.fail("the remark takes " + std::to_string(sjis->size()) +
                " bytes in Shift-JIS; at most " + std::to_string(kMaxRemarkBytes) + " fit");
    record.remark.fill(0);
    std::memcpy(record.remark.data(), sjis->data(), sjis->size());
}

// The colour as stored. "color" is the colour the program shows: for colorIndex 1 to 8 that
// index's standard colour, else colorRef's. JSON that gives "color" as the stored colour for
// such a marker is read as well.
ColorRef readColor(const ObjectReader& in, std::uint16_t colorIndex) {
    const std::string text = in.text("color");
    const bool wellFormed =
        text.size() == 7 && text[0] == '#' && std::all_of(text.begin() + 1, text.end(), [](char c) {
            return std::isxdigit(static_cast<unsigned char>(c)) != 0;
        });
    if (!wellFormed)
        in.fail("\"color\" must be \"#RRGGBB\"");
    const auto part = [&](int at) { return std::stoi(text.substr(at, 2), nullptr, 16); };
    const ColorRef color = rgb(part(1), part(3), part(5));
    const bool standard = isStandardColorIndex(colorIndex);
    const auto refuseOtherColor = [&] {
        in.fail("colorIndex " + std::to_string(colorIndex) + " is shown in " +
                colorText(standardColor(colorIndex)) + " whatever \"color\" says; give that " +
                "colour, or colorIndex 0 for " + text);
    };
    if (!in.has("colorRef")) {
        if (standard && color != standardColor(colorIndex))
            refuseOtherColor();
        return color;
    }
    const auto stored = static_cast<ColorRef>(in.integer("colorRef", 0, kUint32Max));
    if ((stored & 0xFFFFFF) == color || (standard && color == standardColor(colorIndex)))
        return stored;
    if (standard)
        refuseOtherColor();
    in.fail("\"color\" " + text + " and \"colorRef\" " + std::to_string(stored) +
            " disagree; remove \"colorRef\" to store the colour as written");
}

MarkerRecord readMarker(const QJsonValue& value, int number) {
    std::string label = "marker " + std::to_string(number);
    if (!value.isObject())
        throw Refused{label + ": must be an object"};
    const QJsonObject object = value.toObject();
    // Name the entry the way the user sees it in the file when the numbers were not kept.
    if (const QJsonValue n = object.value(QLatin1String("number"));
        n.isDouble() && n.toDouble() != number)
        label += " (\"number\": " + QString::number(n.toDouble()).toStdString() + ")";
    ObjectReader in(
        object, label,
        {"number", "start", "end", "colorIndex", "color", "colorRef", "remark", "remarkBytes"});
    if (in.has("number"))
        in.integer("number", 1, MarkerTable::kCapacity);
    MarkerRecord record;
    record.start = static_cast<Offset>(in.integer("start", 0, kOffsetMax));
    record.end = static_cast<Offset>(in.integer("end", 0, kOffsetMax));
    if (record.start > record.end)
        in.fail("start " + std::to_string(record.start) + " is after end " +
                std::to_string(record.end));
    record.colorIndex = static_cast<std::uint16_t>(in.integer("colorIndex", 0, kUint16Max, 0));
    record.color = readColor(in, record.colorIndex);
    readRemark(in, record);
    return record;
}

} // namespace

std::string markersToJson(const MarkerFileContents& contents) {
    const HeaderBlock& h = contents.header;
    JsonWriter out;
    out.raw("{\n");
    const std::string path = pathText(h);
    out.text(2, "dumpPath", path);
    if (!fieldHolds(h.path, storedPathForm(path)))
        out.text(2, "dumpPathBytes", hexOf(trimmedField(h.path)));
    out.number(2, "linkLines", h.linkLines);
    out.number(2, "reserved", h.reserved);
    out.number(2, "linkedScrolling", h.linkedScrolling);
    out.number(2, "countCopy", h.countCopy);
    out.number(2, "padding", h.padding);
    if (contents.records.empty()) {
        out.raw("  \"markers\": []\n}\n");
        return out.take();
    }
    out.raw("  \"markers\": [\n");
    for (std::size_t i = 0; i < contents.records.size(); ++i) {
        const MarkerRecord& r = contents.records[i];
        out.raw("    {\n");
        out.number(6, "number", static_cast<long long>(i) + 1);
        out.number(6, "start", r.start);
        out.number(6, "end", r.end);
        out.number(6, "colorIndex", r.colorIndex);
        out.text(
            6, "color",
            colorText(isStandardColorIndex(r.colorIndex) ? standardColor(r.colorIndex) : r.color));
        out.number(6, "colorRef", r.color);
        const std::string remark = cp932ToUtf8(r.remarkText());
        const auto back = utf8ToCp932(remark);
        const bool exact = back && fieldHolds(r.remark, *back);
        out.text(6, "remark", remark, exact);
        if (!exact)
            out.text(6, "remarkBytes", hexOf(trimmedField(r.remark)), true);
        out.raw(i + 1 < contents.records.size() ? "    },\n" : "    }\n");
    }
    out.raw("  ]\n}\n");
    return out.take();
}

JsonImport markersFromJson(std::string_view json) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(
        QByteArray(json.data(), static_cast<qsizetype>(json.size())), &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return {std::nullopt, "not valid JSON at byte " + std::to_string(parseError.offset) + ": " +
                                  parseError.errorString().toStdString()};
    if (!document.isObject())
        return {std::nullopt, "the JSON must be one object holding \"dumpPath\" and \"markers\""};

    try {
        const QJsonObject root = document.object();
        ObjectReader in(root, {},
                        {"dumpPath", "dumpPathBytes", "linkLines", "reserved", "linkedScrolling",
                         "countCopy", "padding", "markers"});
        MarkerFileContents contents;
        HeaderBlock& h = contents.header;
        readPath(in, h);
        h.linkLines = static_cast<std::int32_t>(in.integer("linkLines", kInt32Min, kOffsetMax, 0));
        h.reserved = static_cast<std::uint32_t>(in.integer("reserved", 0, kUint32Max, 0));
        h.linkedScrolling =
            static_cast<std::int32_t>(in.integer("linkedScrolling", kInt32Min, kOffsetMax, 0));
        h.countCopy = static_cast<std::uint16_t>(in.integer("countCopy", 0, kUint16Max, 0));
        h.padding = static_cast<std::uint16_t>(in.integer("padding", 0, kUint16Max, 0));

        const QJsonValue markers = root.value(QLatin1String("markers"));
        if (markers.isUndefined())
            in.fail("\"markers\" is missing");
        if (!markers.isArray())
            in.fail("\"markers\" must be a list");
        const QJsonArray list = markers.toArray();
        if (list.size() > MarkerTable::kCapacity)
            in.fail(std::to_string(list.size()) + " markers; a marker file holds at most " +
                    std::to_string(MarkerTable::kCapacity));
        contents.records.reserve(static_cast<std::size_t>(list.size()));
        for (qsizetype i = 0; i < list.size(); ++i)
            contents.records.push_back(readMarker(list[i], static_cast<int>(i) + 1));
        // Markers may stand in any order (the program sorts them on loading), but no two may
        // share a byte; the ranges themselves were checked marker by marker.
        if (const auto problems = markerProblems(contents.records); !problems.empty())
            in.fail(problems.front());
        return {std::move(contents), {}};
    } catch (const Refused& refused) {
        return {std::nullopt, refused.message};
    }
}

} // namespace byzel::cli
