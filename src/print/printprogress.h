#pragma once

#include "core/ui/progress.h"

#include <QString>

#include <cstdint>
#include <memory>

class QProgressDialog;
class QWidget;

namespace byzel {

// A progress dialog with "中止" for long print jobs and exports, shown once the work has taken
// half a second. The work runs on the interface thread, because the printer may only be driven
// from there, and reports through reporter() as it goes, which keeps the window alive and tells
// whether to go on. The dialog is made at the first step, so that questions asked before the
// work starts are never covered by it.
class PrintProgress {
public:
    PrintProgress(QWidget* owner, const QString& label);
    ~PrintProgress();
    PrintProgress(const PrintProgress&) = delete;
    PrintProgress& operator=(const PrintProgress&) = delete;

    // False once the user pressed "中止".
    bool step(std::int64_t done, std::int64_t total);
    // Steps this dialog; for the work to report to.
    [[nodiscard]] ProgressFn reporter();
    [[nodiscard]] bool cancelled() const;

private:
    QWidget* m_owner;
    QString m_label;
    std::unique_ptr<QProgressDialog> m_dialog;
    // The dialog counts in ints; big totals are counted in coarser steps.
    int m_shift = 0;
};

} // namespace byzel
