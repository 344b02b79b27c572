#pragma once

#include <QSize>

#include <string>

namespace byzel {

// Paths are the bytes given on the command line.
struct SnapshotRequest {
    std::string outputPath;
    QSize size{1280, 800};
    int topRow = 0;
    std::string file;
};

// Renders the view of the file into a PNG without showing a window. The PNG replaces an
// earlier file of its name only once it is written completely. Returns the process's exit
// status; errors go to stderr.
int runSnapshot(const SnapshotRequest& request);

} // namespace byzel
