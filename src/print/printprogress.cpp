#include "print/printprogress.h"

#include <QCoreApplication>
#include <QProgressDialog>

#include <climits>

namespace byzel {

PrintProgress::PrintProgress(QWidget* owner, const QString& label)
    : m_owner(owner), m_label(label) {}

PrintProgress::~PrintProgress() = default;

bool PrintProgress::step(std::int64_t done, std::int64_t total) {
    if (!m_dialog) {
        m_dialog =
            std::make_unique<QProgressDialog>(m_label, QStringLiteral("中止"), 0, 0, m_owner);
        m_dialog->setWindowTitle(QStringLiteral("Byzel"));
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->setMinimumDuration(500);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
    }
    while ((total >> m_shift) > INT_MAX)
        ++m_shift;
    if (m_dialog->maximum() != static_cast<int>(total >> m_shift))
        m_dialog->setMaximum(static_cast<int>(total >> m_shift));
    m_dialog->setValue(static_cast<int>(done >> m_shift));
    QCoreApplication::processEvents();
    return !m_dialog->wasCanceled();
}

ProgressFn PrintProgress::reporter() {
    return [this](std::int64_t done, std::int64_t total) { return step(done, total); };
}

bool PrintProgress::cancelled() const {
    return m_dialog && m_dialog->wasCanceled();
}

} // namespace byzel
