#pragma once

#include <QSize>
#include <QString>

#include <string>

namespace byzel {

class UiPort;
class Work;

// Opens FILE as the work to show: a ".mkg" marker file with the dump file it names (looked for
// where a moved dump file may be), or any other file as the dump file of a new work. Shows the
// reason through ui and returns false when nothing could be opened.
bool openWorkForViewing(Work& work, const std::string& path, const std::string& programFolder,
                        UiPort& ui);

struct SnapshotRequest {
    QString outputPath;
    QSize size{1280, 800};
    int topRow = 0;
    QString file;
};

// Renders the view of the file into a PNG without showing a window. Returns the process's exit
// status; errors go to stderr.
int runSnapshot(const SnapshotRequest& request, const std::string& programFolder);

} // namespace byzel
