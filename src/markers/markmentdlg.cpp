#include "markers/markmentdlg.h"

#include "markers/markerlistmodel.h"

#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

namespace byzel {

CMarkMentDlg::CMarkMentDlg(const MarkerEditing& editing, const MarkerToolHooks& tools,
                           QWidget* parent)
    : QDialog(parent), m_editing(editing), m_tools(tools),
      m_model(new MarkerListModel(editing.markers(), this)), m_list(new QTableView(this)),
      m_menu(new QMenu(this)) {
    setWindowTitle(tr("マーカ管理"));
    setSizeGripEnabled(true);

    m_list->setModel(m_model);
    m_list->setShowGrid(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setWordWrap(false);
    m_list->setSortingEnabled(false);
    m_list->verticalHeader()->hide();
    // Every row the same height, so thousands of rows lay out without measuring each.
    m_list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_list->verticalHeader()->setDefaultSectionSize(m_list->fontMetrics().height() + 6);
    m_list->horizontalHeader()->setSectionsClickable(false);
    m_list->horizontalHeader()->setHighlightSections(false);
    const int widths[] = {60, 300, 80, 80, 60};
    for (int c = 0; c < MarkerListModel::ColumnCount; ++c)
        m_list->setColumnWidth(c, widths[c]);
    // The selection stays visible while the context menu or another window has the focus.
    QPalette palette = m_list->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    m_list->setPalette(palette);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    int width = m_list->frameWidth() * 2 + m_list->verticalScrollBar()->sizeHint().width();
    for (int w : widths)
        width += w;
    resize(width, 420);

    const std::pair<Command, QString> items[] = {
        {CheckAll, tr("全てのマーカにチェック(&C)")},
        {UncheckAll, tr("全てのマーカのチェックを解除(&U)")},
        {CheckSelected, tr("選択されたマーカをチェック(&S)")},
        {UncheckSelected, tr("選択されたマーカのチェックを解除(&W)")},
        {ClearChecked, tr("チェックされたマーカをクリア(&D)")},
        {WriteChecked, tr("チェックされたマーカでファイル作成(&F)")},
    };
    for (const auto& [command, text] : items) {
        QAction* action = m_menu->addAction(text, this, [this, c = command] { run(c); });
        action->setData(int(command));
        if (command == WriteChecked)
            action->setEnabled(bool(m_tools.writeMarkersToFile));
    }
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { m_menu->popup(m_list->viewport()->mapToGlobal(p)); });
    connect(m_list, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { m_model->toggle(index.row()); });
}

void CMarkMentDlg::run(Command command) {
    switch (command) {
    case CheckAll:
        m_model->setAllChecked(true);
        break;
    case UncheckAll:
        m_model->setAllChecked(false);
        break;
    case CheckSelected:
        setSelectedChecked(true);
        break;
    case UncheckSelected:
        setSelectedChecked(false);
        break;
    case ClearChecked:
        clearChecked();
        break;
    case WriteChecked:
        writeChecked();
        break;
    }
}

void CMarkMentDlg::setSelectedChecked(bool checked) {
    for (const QModelIndex& index : m_list->selectionModel()->selectedRows())
        m_model->setChecked(index.row(), checked);
}

void CMarkMentDlg::clearChecked() {
    const auto rows = m_model->checkedRows();
    if (rows.empty())
        return;
    const std::string lead = std::to_string(rows.size()) + "個の";
    if (showMessage(m_editing.ui, msg::AskClearMarker, lead, BoxStyle::YesNo) != Yes)
        return;
    m_model->removeChecked();
    m_editing.changed(RepaintRegion::WholeView);
}

void CMarkMentDlg::writeChecked() {
    const auto rows = m_model->checkedRows();
    if (rows.empty() || !m_tools.writeMarkersToFile)
        return;
    m_tools.writeMarkersToFile(rows);
}

} // namespace byzel
