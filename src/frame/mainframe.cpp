#include "frame/mainframe.h"

#include "app/tormelapp.h"
#include "frame/mystatusbar.h"

#include <QWidget>

namespace byzel {

CMainFrame::CMainFrame(CTormelApp& app, QWidget* parent) : QMainWindow(parent), m_app(app) {
    setCentralWidget(new QWidget(this));
    setStatusBar(new CMyStatusBar(m_app, this));
    resize(640, 480);
    setWindowTitle(m_app.title());
    connect(&m_app, &CTormelApp::titleChanged, this, &QWidget::setWindowTitle);
}

} // namespace byzel
