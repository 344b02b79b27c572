#include "core/workflow/dumprelocation.h"

namespace byzel {
namespace {

constexpr std::string_view kSampleFolder = "SampleData";

std::string_view folderOf(std::string_view path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string_view::npos ? std::string_view{} : path.substr(0, slash + 1);
}

std::string joined(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && path.back() != '/')
        path += '/';
    path += name;
    return path;
}

void addOnce(std::vector<std::string>& list, std::string path) {
    for (const auto& p : list)
        if (p == path)
            return;
    list.push_back(std::move(path));
}

} // namespace

std::string storedFileName(std::string_view storedPath) {
    const auto separator = storedPath.find_last_of("\\/");
    if (separator == std::string_view::npos)
        return {};
    return std::string(storedPath.substr(separator + 1));
}

std::vector<std::string> movedDumpFileCandidates(const HeaderBlock& header,
                                                 std::string_view programFolder,
                                                 std::string_view markerFilePath) {
    std::vector<std::string> names;
    for (const auto& stored : header.dumpPathCandidates())
        if (auto name = storedFileName(stored); !name.empty())
            addOnce(names, std::move(name));

    std::vector<std::string> candidates;
    if (!programFolder.empty())
        for (const auto& name : names)
            addOnce(candidates, joined(joined(programFolder, kSampleFolder), name));
    if (const auto markerFolder = folderOf(markerFilePath); !markerFolder.empty())
        for (const auto& name : names)
            addOnce(candidates, joined(markerFolder, name));
    return candidates;
}

std::vector<DumpFilePlace> dumpFilePlaces(const HeaderBlock& header, std::string_view programFolder,
                                          std::string_view markerFilePath) {
    std::vector<DumpFilePlace> places;
    for (auto& stored : header.dumpPathCandidates())
        if (stored.starts_with('/'))
            places.push_back({std::move(stored), false});
    for (auto& moved : movedDumpFileCandidates(header, programFolder, markerFilePath))
        places.push_back({std::move(moved), true});
    return places;
}

} // namespace byzel
