#include "markers/markerlistmodel.h"

#include "core/markers/remarktext.h"
#include "core/text/thousands.h"

namespace byzel {
namespace {

QString grouped(std::int64_t value) {
    return QString::fromStdString(groupThousands(std::to_string(value)));
}

} // namespace

MarkerListModel::MarkerListModel(MarkerTable& markers, QObject* parent)
    : QAbstractTableModel(parent), m_markers(markers),
      m_checked(static_cast<size_t>(markers.count()), false) {}

int MarkerListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_checked.size());
}

int MarkerListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant MarkerListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_markers.count())
        return {};
    const MarkerRecord& r = m_markers[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case NumberColumn:
            return QString::number(index.row() + 1);
        case RemarkColumn: {
            // One cell per marker, whatever line breaks the remark holds.
            QString remark = QString::fromStdString(remarkToUtf8(r.remarkText()));
            remark.replace(QLatin1Char('\n'), QLatin1Char(' '));
            return remark;
        }
        case StartColumn:
            return grouped(r.start);
        case EndColumn:
            return grouped(r.end);
        case BytesColumn:
            return grouped(r.byteCount());
        default:
            return {};
        }
    case Qt::CheckStateRole:
        if (index.column() == NumberColumn)
            return isChecked(index.row()) ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::TextAlignmentRole:
        return index.column() >= StartColumn ? int(Qt::AlignRight | Qt::AlignVCenter)
                                             : int(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

bool MarkerListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::CheckStateRole || index.column() != NumberColumn)
        return false;
    setChecked(index.row(), value.toInt() == Qt::Checked);
    return true;
}

QVariant MarkerListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    static const char* const titles[] = {"No", "説明", "start", "end", "byte"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(titles[section]) : QVariant();
}

Qt::ItemFlags MarkerListModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == NumberColumn)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

void MarkerListModel::setChecked(int row, bool checked) {
    if (row < 0 || row >= rowCount() || isChecked(row) == checked)
        return;
    m_checked[static_cast<size_t>(row)] = checked;
    announceChecks(row, row);
}

void MarkerListModel::setAllChecked(bool checked) {
    std::fill(m_checked.begin(), m_checked.end(), checked);
    if (rowCount() > 0)
        announceChecks(0, rowCount() - 1);
}

void MarkerListModel::toggle(int row) {
    if (row >= 0 && row < rowCount())
        setChecked(row, !isChecked(row));
}

std::vector<int> MarkerListModel::checkedRows() const {
    std::vector<int> rows;
    for (int i = 0; i < rowCount(); ++i)
        if (isChecked(i))
            rows.push_back(i);
    return rows;
}

void MarkerListModel::removeChecked() {
    const std::vector<int> rows = checkedRows();
    if (rows.empty())
        return;
    beginResetModel();
    m_markers.removeWhere(rows);
    m_checked.assign(static_cast<size_t>(m_markers.count()), false);
    endResetModel();
}

void MarkerListModel::announceChecks(int firstRow, int lastRow) {
    emit dataChanged(index(firstRow, NumberColumn), index(lastRow, NumberColumn),
                     {Qt::CheckStateRole});
}

} // namespace byzel
