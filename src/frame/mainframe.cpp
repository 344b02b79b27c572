#include "frame/mainframe.h"

#include "app/tormelapp.h"
#include "frame/mystatusbar.h"
#include "view/tormelview.h"

namespace byzel {

CMainFrame::CMainFrame(CTormelApp& app, QWidget* parent) : QMainWindow(parent), m_app(app) {
    m_view = new CTormelView(m_app, this);
    setCentralWidget(m_view);
    m_view->setFocus();
    auto* status = new CMyStatusBar(m_app, this);
    setStatusBar(status);
    connect(m_view, &CTormelView::hintChanged, status, &CMyStatusBar::showHint);
    resize(640, 480);
    setWindowTitle(m_app.title());
    connect(&m_app, &CTormelApp::titleChanged, this, &QWidget::setWindowTitle);
}

} // namespace byzel
