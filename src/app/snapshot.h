#pragma once

#include <QSize>
#include <QString>

namespace byzel {

struct SnapshotRequest {
    QString outputPath;
    QSize size{1280, 800};
    int topRow = 0;
    QString file;
};

// Renders the view of the file into a PNG without showing a window. Returns the process's exit
// status; errors go to stderr.
int runSnapshot(const SnapshotRequest& request);

} // namespace byzel
