#include "settings/helpdlg.h"

#include "core/text/messages.h"
#include "core/ui/uiport.h"

#include <QDir>
#include <QFileInfo>
#include <QPdfDocument>
#include <QPdfView>
#include <QVBoxLayout>

namespace byzel {

CHelpDlg::CHelpDlg(const QString& title, QWidget* parent)
    : QDialog(parent), m_document(new QPdfDocument(this)) {
    setWindowTitle(title);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    setSizeGripEnabled(true);
    auto* view = new QPdfView(this);
    view->setDocument(m_document);
    view->setPageMode(QPdfView::PageMode::MultiPage);
    view->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
}

bool CHelpDlg::load(const QString& path) {
    return m_document->load(path) == QPdfDocument::Error::None;
}

void ShowManual(UiPort& ui, const QString& programFolder, QWidget* parent) {
    const std::string_view base = stringText(msg::ManualBaseName);
    const QString title = QString::fromUtf8(base.data(), qsizetype(base.size()));
    const QString path = QDir(programFolder).filePath(title + QStringLiteral(".pdf"));
    if (!QFileInfo(path).isFile()) {
        showMessage(ui, msg::ManualMissing, {}, BoxStyle::Information);
        return;
    }
    CHelpDlg dialog(title, parent);
    if (!dialog.load(path)) {
        // A damaged file would otherwise open as an empty window.
        showMessage(ui, msg::OpenFailed, QDir::toNativeSeparators(path).toStdString() + "\n",
                    BoxStyle::Error);
        return;
    }
    dialog.setWindowState(dialog.windowState() | Qt::WindowMaximized);
    dialog.exec();
}

} // namespace byzel
