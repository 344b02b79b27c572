#pragma once

#include <QMainWindow>

namespace byzel {

class CTormelApp;

// The program's single top-level window. Its title is the work's title, nothing else.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(CTormelApp& app, QWidget* parent = nullptr);

private:
    CTormelApp& m_app;
};

} // namespace byzel
