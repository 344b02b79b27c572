#pragma once

#include "core/markers/markertable.h"

#include <QAbstractTableModel>

#include <vector>

namespace byzel {

// The management list's rows: row i is marker i of the table, with a check mark that lives
// only here. Texts are made when a row is shown, so thousands of markers open at once.
class MarkerListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { NumberColumn, RemarkColumn, StartColumn, EndColumn, BytesColumn, ColumnCount };

    explicit MarkerListModel(MarkerTable& markers, QObject* parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;

    [[nodiscard]] bool isChecked(int row) const { return m_checked[static_cast<size_t>(row)]; }
    void setChecked(int row, bool checked);
    void setAllChecked(bool checked);
    void toggle(int row);
    // Rows checked, ascending.
    [[nodiscard]] std::vector<int> checkedRows() const;
    // Removes the checked markers from the table and their rows from the list; the rows left
    // are numbered anew and all unchecked.
    void removeChecked();

private:
    void announceChecks(int firstRow, int lastRow);

    MarkerTable& m_markers;
    std::vector<bool> m_checked;
};

} // namespace byzel
