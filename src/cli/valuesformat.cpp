#include "cli/valuesformat.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include <limits>

namespace byzel::cli {
namespace {

void appendCsvField(std::string& out, std::string_view field) {
    if (field.find_first_of("\",\r\n") == std::string_view::npos) {
        out += field;
        return;
    }
    out += '"';
    for (const char c : field) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

std::string decimal(const std::optional<std::uint64_t>& value) {
    return value ? std::to_string(*value) : std::string();
}

QJsonValue jsonNumber(const std::optional<std::uint64_t>& value) {
    if (!value)
        return QJsonValue::Null;
    if (*value > static_cast<std::uint64_t>(std::numeric_limits<qint64>::max()))
        return QString::number(*value);
    return static_cast<qint64>(*value);
}

QString utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

std::string csvHeader() {
    return "number,start,end,length,remark,file,status,hex,le,be,text\r\n";
}

std::string csvRecord(const ValueRow& row) {
    std::string out = std::to_string(row.number) + ',' + std::to_string(row.start) + ',' +
                      std::to_string(row.end) + ',' + std::to_string(row.length) + ',';
    for (const std::string* field : {&row.remark, &row.file, &row.status, &row.hex}) {
        appendCsvField(out, *field);
        out += ',';
    }
    out += decimal(row.littleEndian) + ',' + decimal(row.bigEndian) + ',';
    appendCsvField(out, row.text);
    out += "\r\n";
    return out;
}

std::string jsonObject(const ValueRow& row) {
    const QJsonObject object{
        {"number", row.number},
        {"start", static_cast<qint64>(row.start)},
        {"end", static_cast<qint64>(row.end)},
        {"length", static_cast<qint64>(row.length)},
        {"remark", utf8(row.remark)},
        {"file", utf8(row.file)},
        {"status", utf8(row.status)},
        {"hex", utf8(row.hex)},
        {"le", jsonNumber(row.littleEndian)},
        {"be", jsonNumber(row.bigEndian)},
        {"text", utf8(row.text)},
    };
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
}

} // namespace byzel::cli
