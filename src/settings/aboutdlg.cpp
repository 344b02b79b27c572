#include "settings/aboutdlg.h"

#include "core/text/versionhistory.h"
#include "core/viewmodel/commandids.h"
#include "frame/ribbonicons.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace byzel {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent), m_history(new QPlainTextEdit) {
    setWindowTitle(tr("バージョン情報"));

    QIcon icon = QApplication::windowIcon();
    if (icon.isNull())
        icon = QIcon::fromTheme(QStringLiteral("byzel"), commandIcon(ID_APP_ABOUT));
    auto* iconLabel = new QLabel;
    iconLabel->setPixmap(icon.pixmap(48, 48));
    auto* name = new QLabel(tr("バイゼル\n(ファイル構造解析ソフト)"));

    // The edit's own line breaks stand for the history's CR LF.
    m_history->setPlainText(QString::fromStdString(versionHistoryText())
                                .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    m_history->setReadOnly(true);
    m_history->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_history->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_history->setMinimumSize(420, 160);

    auto* ok = new QPushButton(tr("確認 (&Y)"));
    ok->setToolTip(tr("バージョン情報ウィンドウを閉じて戻ります"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->addWidget(iconLabel, 0, 0, Qt::AlignTop);
    grid->addWidget(name, 0, 1);
    grid->addWidget(new QLabel(tr("バージョン情報")), 1, 0, Qt::AlignTop);
    grid->addWidget(m_history, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    grid->addLayout(buttons, 2, 0, 1, 2);
}

void ShowAbout(QWidget* parent) {
    CAboutDlg dialog(parent);
    dialog.exec();
}

} // namespace byzel
