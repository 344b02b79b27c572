#pragma once

#include "core/viewmodel/statuspanes.h"

#include <QStatusBar>

#include <array>

class QLabel;
class QProgressBar;
class QTimer;

namespace byzel {

class CTormelApp;

// The status bar: the hint of the moment on the left, then the marker file path, the row,
// column and address of the reference point, and the number of markers. Each fact pane
// explains itself in a pale yellow tip with red text. While the working copy of a large dump
// file is made, a bar before the fact panes shows how far it came.
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
    // Whether the working copy's progress shows, and its percentage.
    [[nodiscard]] bool copyProgressShown() const;
    [[nodiscard]] int copyPercent() const;

public slots:
    void showHint(const QString& text);

protected:
    bool event(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void showTip(int pane, QPoint globalPosition);
    void showCopyProgress();

    CTormelApp& m_app;
    QLabel* m_hint;
    std::array<QLabel*, kFactPaneCount> m_facts{};
    int m_lastTipPane = 0;
    QProgressBar* m_copyProgress;
    // Runs while a working copy is being made.
    QTimer* m_copyTick;
};

} // namespace byzel
