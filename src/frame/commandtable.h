#pragma once

#include "core/viewmodel/commandstate.h"

#include <QAction>
#include <QObject>

#include <functional>
#include <map>

namespace byzel {

// One QAction per command id, shared by the ribbon, the quick access bar, the application menu
// and the accelerators. Each carries its tool tip from the string table and is enabled and
// checked by the command's update rule.
class CommandTable : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void()>;

    explicit CommandTable(QObject* parent = nullptr);

    // Adds the command. A command without a handler is shown but stays disabled: its dialog
    // is not part of the program yet.
    QAction* add(int id, const QString& text, Handler handler = {});
    [[nodiscard]] QAction* action(int id) const;
    [[nodiscard]] bool hasHandler(int id) const;
    // Applies every command's update rule.
    void update(const CommandContext& context);
    // Runs a command as a click would, when its rule allows it now.
    void trigger(int id);

signals:
    // A command's handler has run.
    void commandRun(int id);

private:
    struct Entry {
        QAction* action;
        Handler handler;
    };
    std::map<int, Entry> m_entries;
};

// The tool tip of a command: its title, and below it the description, from the string table.
[[nodiscard]] QString commandToolTip(int id);
// The description alone, as the status bar shows it while the pointer rests on the command.
[[nodiscard]] QString commandDescription(int id);

} // namespace byzel
