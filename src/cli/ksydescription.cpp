#include "cli/ksydescription.h"

#include "core/text/sjis.h"

#include <yaml-cpp/yaml.h>

namespace byzel::cli {
namespace {

bool isLowerLetter(char c) {
    return c >= 'a' && c <= 'z';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

void emitField(YAML::Emitter& yaml, const std::string& id, std::int64_t size,
               std::string_view doc = {}) {
    yaml << YAML::BeginMap << YAML::Key << "id" << YAML::Value << id << YAML::Key << "size"
         << YAML::Value << size;
    if (!doc.empty())
        yaml << YAML::Key << "doc" << YAML::Value << YAML::DoubleQuoted << std::string(doc);
    yaml << YAML::EndMap;
}

} // namespace

bool isKsyIdentifier(std::string_view text) {
    if (text.empty() || !isLowerLetter(text.front()))
        return false;
    for (const char c : text)
        if (!isLowerLetter(c) && !isDigit(c) && c != '_')
            return false;
    return true;
}

std::string ksyIdentifierFor(std::string_view fileName) {
    if (const auto slash = fileName.rfind('/'); slash != std::string_view::npos)
        fileName.remove_prefix(slash + 1);
    if (const auto dot = fileName.rfind('.'); dot != std::string_view::npos && dot > 0)
        fileName = fileName.substr(0, dot);
    std::string id;
    for (char c : fileName) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (!isLowerLetter(c) && !isDigit(c))
            c = '_';
        // One underscore for a run of others, and none at the start.
        if (c != '_' || (!id.empty() && id.back() != '_'))
            id += c;
    }
    while (!id.empty() && id.back() == '_')
        id.pop_back();
    if (id.empty())
        return "work";
    return isLowerLetter(id.front()) ? id : "work_" + id;
}

KsyDescription describeMarkers(const MarkerTable& markers, std::int64_t dumpSize,
                               const KsyHeader& header) {
    KsyDescription description;
    YAML::Emitter yaml;
    yaml << YAML::BeginMap;
    yaml << YAML::Key << "meta" << YAML::Value << YAML::BeginMap;
    // Texts that come from names and remarks are always quoted: the emitter writes "true",
    // "0x10" or "---" bare, and a reader would take them for other things than text.
    yaml << YAML::Key << "id" << YAML::Value << YAML::DoubleQuoted << header.id;
    if (!header.fileExtension.empty())
        yaml << YAML::Key << "file-extension" << YAML::Value << YAML::DoubleQuoted
             << header.fileExtension;
    yaml << YAML::Key << "endian" << YAML::Value << (header.bigEndian ? "be" : "le");
    yaml << YAML::Key << "encoding" << YAML::Value << "SJIS";
    yaml << YAML::EndMap;

    yaml << YAML::Key << "seq" << YAML::Value << YAML::BeginSeq;
    std::int64_t next = 0; // the first byte no field has taken yet
    int lastNumber = 0;
    for (int i = 0; i < markers.count(); ++i) {
        const MarkerRecord& marker = markers[i];
        const std::string number = std::to_string(i + 1);
        if (marker.start < 0 || marker.end < marker.start) {
            description.notes.push_back("marker " + number + " (" + std::to_string(marker.start) +
                                        " to " + std::to_string(marker.end) +
                                        ") is no byte range; it is left out");
            continue;
        }
        if (marker.start >= dumpSize) {
            description.notes.push_back("marker " + number +
                                        " lies past the end of the dump file (" +
                                        std::to_string(dumpSize) + " bytes); it is left out");
            continue;
        }
        if (marker.start < next) {
            description.notes.push_back("marker " + number + " shares bytes with marker " +
                                        std::to_string(lastNumber) + "; it is left out");
            continue;
        }
        if (marker.end >= dumpSize)
            description.notes.push_back("marker " + number +
                                        " reaches past the end of the dump file; files shorter "
                                        "than " +
                                        std::to_string(marker.end + 1) + " bytes do not parse");
        if (marker.start > next)
            emitField(yaml, "gap_" + number, marker.start - next);
        emitField(yaml, "marker_" + number, marker.byteCount(), cp932ToUtf8(marker.remarkText()));
        next = static_cast<std::int64_t>(marker.end) + 1;
        lastNumber = i + 1;
    }
    yaml << YAML::BeginMap << YAML::Key << "id" << YAML::Value << "rest" << YAML::Key << "size-eos"
         << YAML::Value << true << YAML::EndMap;
    yaml << YAML::EndSeq << YAML::EndMap;
    description.yaml = std::string(yaml.c_str()) + "\n";
    return description;
}

} // namespace byzel::cli
