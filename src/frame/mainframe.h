#pragma once

#include <QMainWindow>

namespace byzel {

class CTormelApp;
class CTormelView;

// The program's single top-level window. Its title is the work's title, nothing else.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(CTormelApp& app, QWidget* parent = nullptr);

    [[nodiscard]] CTormelView* view() const { return m_view; }

private:
    CTormelApp& m_app;
    CTormelView* m_view = nullptr;
};

} // namespace byzel
