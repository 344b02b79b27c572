#include "frame/ribbon.h"

#include "core/viewmodel/commandids.h"
#include "frame/commandtable.h"
#include "frame/markernumberbox.h"

#include <QGridLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidgetAction>

namespace byzel {
namespace {

constexpr int kLargeIcon = 32;
constexpr int kSmallIcon = 16;
constexpr int kValueBoxWidth = 110;
constexpr int kRecentListWidth = 300;

QFrame* separatorLine(Qt::Orientation orientation, QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(orientation == Qt::Vertical ? QFrame::VLine : QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

RibbonPanel::RibbonPanel(const QString& caption, QWidget* parent)
    : QFrame(parent), m_caption(caption), m_content(new QHBoxLayout) {
    setObjectName(QStringLiteral("ribbonPanel"));
    setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 3, 4, 1);
    layout->setSpacing(1);
    m_content->setSpacing(2);
    layout->addLayout(m_content, 1);
    auto* label = new QLabel(caption, this);
    label->setAlignment(Qt::AlignCenter);
    label->setObjectName(QStringLiteral("panelCaption"));
    layout->addWidget(label);
}

QToolButton* RibbonPanel::addLarge(QAction* command) {
    // Large buttons break their text into two lines where it has a blank.
    command->setIconText(command->text().replace(QLatin1Char(' '), QLatin1Char('\n')));
    auto* button = new QToolButton(this);
    button->setDefaultAction(command);
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setIconSize(QSize(kLargeIcon, kLargeIcon));
    button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    m_content->addWidget(button);
    return button;
}

void RibbonPanel::addColumn(const QList<QWidget*>& widgets) {
    auto* column = new QVBoxLayout;
    column->setSpacing(1);
    for (QWidget* w : widgets)
        column->addWidget(w, 0, Qt::AlignLeft);
    column->addStretch();
    m_content->addLayout(column);
}

void RibbonPanel::addSeparator() {
    m_content->addWidget(separatorLine(Qt::Vertical, this));
}

Ribbon::Ribbon(CommandTable& commands, ColorButton::Chooser colorChooser, QWidget* parent)
    : QWidget(parent), m_commands(commands), m_colorChooser(std::move(colorChooser)) {
    setObjectName(QStringLiteral("ribbon"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 0, 2, 2);
    layout->setSpacing(0);
    layout->addWidget(buildQuickAccessBar());
    layout->addWidget(buildTabRow());
    m_category = buildCategory();
    layout->addWidget(m_category);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QToolButton* Ribbon::smallButton(int id, bool withText) {
    auto* button = new QToolButton(this);
    button->setDefaultAction(m_commands.action(id));
    button->setAutoRaise(true);
    button->setIconSize(QSize(kSmallIcon, kSmallIcon));
    button->setToolButtonStyle(withText ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonIconOnly);
    return button;
}

QWidget* Ribbon::buildQuickAccessBar() {
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("quickAccessBar"));
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(0);
    for (int id : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_PRINT_OUT})
        row->addWidget(smallButton(id));
    row->addStretch();
    return bar;
}

QWidget* Ribbon::buildTabRow() {
    auto* tabRow = new QWidget(this);
    auto* row = new QHBoxLayout(tabRow);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);

    m_applicationButton = new QToolButton(tabRow);
    m_applicationButton->setObjectName(QStringLiteral("applicationButton"));
    m_applicationButton->setText(tr("ファイル"));
    m_applicationButton->setPopupMode(QToolButton::InstantPopup);
    m_applicationButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_applicationButton->setStyleSheet(
        QStringLiteral("QToolButton#applicationButton { background: #2A6FC9; color: white; border: "
                       "1px solid #1D4F91;"
                       " border-radius: 3px; padding: 3px 12px; }"
                       "QToolButton#applicationButton:hover { background: #3C82DC; }"
                       "QToolButton#applicationButton::menu-indicator { image: none; width: 0; }"));
    buildApplicationMenu();
    m_applicationButton->setMenu(m_applicationMenu);
    row->addWidget(m_applicationButton);
    // The application button's key tip.
    auto* openMenu = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F), this);
    connect(openMenu, &QShortcut::activated, m_applicationButton, &QToolButton::showMenu);

    m_tabs = new QTabBar(tabRow);
    m_tabs->setDrawBase(false);
    m_tabs->setExpanding(false);
    m_tabs->addTab(tr("ホーム   WClick , Ctrl+F1"));
    connect(m_tabs, &QTabBar::tabBarDoubleClicked, this, &Ribbon::toggleMinimized);
    row->addWidget(m_tabs, 0, Qt::AlignBottom);
    row->addStretch();
    row->addWidget(smallButton(ID_SHOW_MENU));
    row->addWidget(smallButton(ID_HELP_DSP));
    return tabRow;
}

QToolButton* Ribbon::menuButton(int id, bool large) {
    QAction* command = m_commands.action(id);
    auto* button = new QToolButton;
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setIconSize(large ? QSize(kLargeIcon, kLargeIcon) : QSize(kSmallIcon, kSmallIcon));
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    const auto follow = [button, command] {
        button->setText(command->text());
        button->setIcon(command->icon());
        button->setToolTip(command->toolTip());
        button->setStatusTip(command->statusTip());
        button->setEnabled(command->isEnabled());
    };
    follow();
    connect(command, &QAction::changed, button, follow);
    // The menu goes away before the command runs, so that its dialogs come up alone.
    connect(button, &QToolButton::clicked, this, [this, command] {
        m_applicationMenu->close();
        command->trigger();
    });
    return button;
}

void Ribbon::buildApplicationMenu() {
    m_applicationMenu = new QMenu(m_applicationButton);
    m_applicationMenu->setObjectName(QStringLiteral("applicationMenu"));
    connect(m_applicationMenu, &QMenu::aboutToShow, this, &Ribbon::applicationMenuAboutToShow);

    auto* panel = new QWidget(m_applicationMenu);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->setSpacing(0);
    for (int id : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS})
        left->addWidget(menuButton(id, true));
    left->addWidget(separatorLine(Qt::Horizontal, panel));
    left->addWidget(menuButton(ID_PRINT_OUT, true));
    left->addWidget(menuButton(ID_KANSET, true));
    left->addStretch();
    columns->addLayout(left);
    columns->addWidget(separatorLine(Qt::Vertical, panel));

    auto* recent = new QVBoxLayout;
    recent->setSpacing(0);
    auto* heading = new QLabel(tr("最近使ったドキュメント"), panel);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    recent->addWidget(heading);
    recent->addWidget(separatorLine(Qt::Horizontal, panel));
    for (int id = ID_FILE_MRU_FIRST; id <= ID_FILE_MRU_LAST; ++id) {
        QToolButton* button = menuButton(id, false);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        m_recentButtons.append(button);
        recent->addWidget(button, 0, Qt::AlignLeft);
    }
    recent->addStretch();
    auto* recentColumn = new QWidget(panel);
    recentColumn->setLayout(recent);
    recentColumn->setFixedWidth(kRecentListWidth);
    columns->addWidget(recentColumn);
    layout->addLayout(columns);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    for (int id : {ID_APP_ABOUT, ID_APP_EXIT}) {
        QToolButton* button = menuButton(id, false);
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        bottom->addWidget(button);
    }
    layout->addWidget(separatorLine(Qt::Horizontal, panel));
    layout->addLayout(bottom);

    auto* content = new QWidgetAction(m_applicationMenu);
    content->setDefaultWidget(panel);
    m_applicationMenu->addAction(content);
}

void Ribbon::showRecentFiles() {
    for (int n = 0; n < m_recentButtons.size(); ++n)
        m_recentButtons[n]->setVisible(m_commands.action(ID_FILE_MRU_FIRST + n)->isVisible());
}

QWidget* Ribbon::buildCategory() {
    auto* page = new QFrame(this);
    page->setObjectName(QStringLiteral("ribbonCategory"));
    page->setFrameShape(QFrame::StyledPanel);
    auto* row = new QHBoxLayout(page);
    row->setContentsMargins(3, 3, 3, 3);
    row->setSpacing(3);
    for (RibbonPanel* panel : {buildViewPanel(), buildEditPanel(), buildMarkerPanel()}) {
        panel->setParent(page);
        m_panels.append(panel);
        row->addWidget(panel);
    }
    row->addStretch();
    return page;
}

RibbonPanel* Ribbon::buildViewPanel() {
    auto* panel = new RibbonPanel(tr("表示"), this);
    panel->addLarge(m_commands.action(ID_RENDOU));
    panel->addLarge(m_commands.action(ID_REM_LINE));
    panel->addSeparator();
    panel->addColumn(
        {smallButton(ID_DSP_KIJUN), smallButton(ID_JUMP_TOP), smallButton(ID_JUMP_END)});
    panel->addSeparator();
    panel->addLarge(m_commands.action(ID_DOC_INFO));
    QToolButton* console = panel->addLarge(m_commands.action(ID_CONSOLE));
    auto* hits = new QMenu(console);
    hits->addAction(m_commands.action(ID_DSP_HIT));
    hits->addAction(m_commands.action(ID_HIT_CLEAR));
    console->setMenu(hits);
    console->setPopupMode(QToolButton::MenuButtonPopup);
    return panel;
}

RibbonPanel* Ribbon::buildEditPanel() {
    auto* panel = new RibbonPanel(tr("編集"), this);
    panel->addLarge(m_commands.action(ID_EDIT_DUMP));
    panel->addSeparator();

    m_colorButton = new ColorButton(m_colorChooser, panel);
    m_colorButton->setObjectName(QStringLiteral("colorButton"));
    m_colorButton->setDefaultAction(m_commands.action(ID_ETC_COL));
    m_colorButton->setColor(m_colorButton->color());
    // Pens in columns of three, as the ribbon stacks small buttons, the colour button last.
    auto* pens = new QGridLayout;
    pens->setSpacing(1);
    const int order[] = {ID_MARKER_YELLOW, ID_MARKER_BLUE, ID_MARKER_RED,    ID_MARKER_GREEN,
                         ID_MARKER_GLAY,   ID_MARKER_CYAN, ID_MARKER_SILVER, ID_MARKER_MAZENTA};
    for (int i = 0; i < 8; ++i)
        pens->addWidget(smallButton(order[i]), i % 3, i / 3);
    pens->addWidget(m_colorButton, 2, 2);
    auto* penBlock = new QWidget(panel);
    penBlock->setLayout(pens);
    panel->addColumn({penBlock});
    panel->addSeparator();
    panel->addColumn(
        {smallButton(ID_NORMAL_MODE), smallButton(ID_MARKER_UPD), smallButton(ID_DSP_VALUE)});
    panel->addSeparator();

    const auto valueRow = [this, panel](const QString& label, int id, QLineEdit*& box) {
        auto* row = new QWidget(panel);
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* caption = new QLabel(label, row);
        caption->setMinimumWidth(caption->fontMetrics().horizontalAdvance(tr("Big...")) + 4);
        layout->addWidget(caption);
        box = new QLineEdit(row);
        box->setReadOnly(true);
        box->setFixedWidth(kValueBoxWidth);
        box->setToolTip(commandToolTip(id));
        box->setStatusTip(commandDescription(id));
        layout->addWidget(box);
        return row;
    };
    panel->addColumn({valueRow(tr("Big..."), ID_EDIT1, m_bigEndian),
                      valueRow(tr("Little"), ID_EDIT2, m_littleEndian)});
    return panel;
}

RibbonPanel* Ribbon::buildMarkerPanel() {
    auto* panel = new RibbonPanel(tr("マーカ"), this);
    auto* numberRow = new QWidget(panel);
    auto* layout = new QHBoxLayout(numberRow);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(tr("マーカ№"), numberRow));
    m_markerNumber = new MarkerNumberBox(numberRow);
    m_markerNumber->setToolTip(commandToolTip(ID_SPIN1));
    m_markerNumber->setStatusTip(commandDescription(ID_SPIN1));
    layout->addWidget(m_markerNumber);
    panel->addColumn({numberRow, smallButton(ID_DSP_MARK, true)});
    panel->addSeparator();
    panel->addColumn({smallButton(ID_DEL_ALL_MARK, true), smallButton(ID_MARK_MENT, true),
                      smallButton(ID_BATCH_EDIT, true)});
    return panel;
}

void Ribbon::setMinimized(bool minimized) {
    m_minimized = minimized;
    m_category->setVisible(!minimized);
    updateGeometry();
}

} // namespace byzel
