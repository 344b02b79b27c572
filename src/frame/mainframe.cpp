#include "frame/mainframe.h"

#include "app/tormelapp.h"
#include "view/tormelview.h"

namespace byzel {

CMainFrame::CMainFrame(CTormelApp& app, QWidget* parent) : QMainWindow(parent), m_app(app) {
    m_view = new CTormelView(m_app, this);
    setCentralWidget(m_view);
    m_view->setFocus();
    resize(640, 480);
    setWindowTitle(m_app.title());
    connect(&m_app, &CTormelApp::titleChanged, this, &QWidget::setWindowTitle);
}

} // namespace byzel
