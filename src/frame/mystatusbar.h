#pragma once

#include "core/viewmodel/statuspanes.h"

#include <QStatusBar>

#include <array>

class QLabel;

namespace byzel {

class CTormelApp;

// The status bar: the hint of the moment on the left, then the marker file path, the row,
// column and address of the reference point, and the number of markers. Each fact pane
// explains itself in a pale yellow tip with red text.
class CMyStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit CMyStatusBar(CTormelApp& app, QWidget* parent = nullptr);

    // Brings the fact panes up to date with the work; cheap when nothing changed. The frame calls
    // it whenever the work may have changed.
    void refresh();
    [[nodiscard]] QString hint() const;
    [[nodiscard]] QString paneText(int factPane) const;
    // The pane under a point in the bar's coordinates: 0 for the hint pane, 1 to 5 for facts.
    [[nodiscard]] int paneAt(QPoint position) const;

public slots:
    void showHint(const QString& text);

protected:
    bool event(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void showTip(int pane, QPoint globalPosition);

    CTormelApp& m_app;
    QLabel* m_hint;
    std::array<QLabel*, kFactPaneCount> m_facts{};
    int m_lastTipPane = 0;
};

} // namespace byzel
