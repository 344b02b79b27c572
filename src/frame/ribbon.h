#pragma once

#include "frame/colorbutton.h"

#include <QFrame>
#include <QList>
#include <QWidget>

class QAction;
class QBoxLayout;
class QHBoxLayout;
class QLineEdit;
class QMenu;
class QTabBar;
class QToolButton;

namespace byzel {

class CommandTable;
class MarkerNumberBox;

// A group of commands on the category page with its caption underneath.
class RibbonPanel : public QFrame {
    Q_OBJECT
public:
    explicit RibbonPanel(const QString& caption, QWidget* parent = nullptr);

    // A large button: a big icon with its text underneath.
    QToolButton* addLarge(QAction* command);
    // Up to three small buttons or other widgets stacked in one column.
    void addColumn(const QList<QWidget*>& widgets);
    void addSeparator();
    [[nodiscard]] QString caption() const { return m_caption; }

private:
    QString m_caption;
    QHBoxLayout* m_content;
};

// The program's ribbon: the quick access bar, the application button "ファイル" with its menu,
// the category tab "ホーム" and its page with the panels "表示", "編集" and "マーカ". It only
// lays out the commands of the table; what they do is the frame's business.
class Ribbon : public QWidget {
    Q_OBJECT
public:
    Ribbon(CommandTable& commands, ColorButton::Chooser colorChooser, QWidget* parent = nullptr);

    [[nodiscard]] QToolButton* applicationButton() const { return m_applicationButton; }
    [[nodiscard]] QMenu* applicationMenu() const { return m_applicationMenu; }
    [[nodiscard]] QTabBar* tabBar() const { return m_tabs; }
    [[nodiscard]] QWidget* category() const { return m_category; }
    [[nodiscard]] QList<RibbonPanel*> panels() const { return m_panels; }
    [[nodiscard]] MarkerNumberBox* markerNumberBox() const { return m_markerNumber; }
    [[nodiscard]] ColorButton* colorButton() const { return m_colorButton; }
    [[nodiscard]] QLineEdit* bigEndianBox() const { return m_bigEndian; }
    [[nodiscard]] QLineEdit* littleEndianBox() const { return m_littleEndian; }

    // Minimised, the ribbon shows its tabs only.
    [[nodiscard]] bool isMinimized() const { return m_minimized; }
    void setMinimized(bool minimized);
    void toggleMinimized() { setMinimized(!m_minimized); }
    // Shows the buttons of the recent-file commands that are visible now.
    void showRecentFiles();

signals:
    void applicationMenuAboutToShow();

private:
    QWidget* buildQuickAccessBar();
    QWidget* buildTabRow();
    void buildApplicationMenu();
    QWidget* buildCategory();
    RibbonPanel* buildViewPanel();
    RibbonPanel* buildEditPanel();
    RibbonPanel* buildMarkerPanel();
    QToolButton* smallButton(int id, bool withText = false);
    // A button of the application menu: closes the menu, then runs its command.
    QToolButton* menuButton(int id, bool large);

    CommandTable& m_commands;
    ColorButton::Chooser m_colorChooser;
    QToolButton* m_applicationButton = nullptr;
    QMenu* m_applicationMenu = nullptr;
    QList<QToolButton*> m_recentButtons;
    QTabBar* m_tabs = nullptr;
    QWidget* m_category = nullptr;
    QList<RibbonPanel*> m_panels;
    MarkerNumberBox* m_markerNumber = nullptr;
    ColorButton* m_colorButton = nullptr;
    QLineEdit* m_bigEndian = nullptr;
    QLineEdit* m_littleEndian = nullptr;
    bool m_minimized = false;
};

} // namespace byzel
