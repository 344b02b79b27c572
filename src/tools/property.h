#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace byzel {

class CTormelApp;

// "文書情報": the marker file and the dump file of the open work, with the dump file's size.
// From here the user shows either file's folder, quotes the markers of another marker file,
// lays the markers over another dump file and opens the occurrence counter.
class CProperty : public QDialog {
    Q_OBJECT
public:
    explicit CProperty(CTormelApp& app, QWidget* parent = nullptr);

private:
    void showFolderOf(const QLineEdit* pathEdit);
    void quoteMarkers();
    void replaceDumpFile();
    void showDumpFile();

    CTormelApp& m_app;
    QLineEdit* m_markerPath;
    QLineEdit* m_dumpPath;
    QLabel* m_dumpSize;
};

// Opens the document information of the open work modally.
void openDocumentInfo(CTormelApp& app, QWidget* parent);

} // namespace byzel
