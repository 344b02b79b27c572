#pragma once

#include "core/search/taskprogress.h"

#include <QString>

class QWidget;

namespace byzel {

// Runs long work off the interface thread. While it runs the window takes no input and shows
// the wait cursor; after about half a second a progress dialog with "中止" appears, which asks
// the work to stop.
class ProgressTaskRunner final : public TaskRunner {
public:
    ProgressTaskRunner(QWidget* parent, QString label)
        : m_parent(parent), m_label(std::move(label)) {}
    void run(const std::function<void(TaskProgress&)>& work) override;

private:
    QWidget* m_parent;
    QString m_label;
};

} // namespace byzel
