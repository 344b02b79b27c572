#include "frame/commandtable.h"

#include "core/text/messages.h"

namespace byzel {
namespace {

// The string table breaks long descriptions with "\r", as the tool tips show them.
QString fromPromptPart(std::string_view part) {
    QString text = QString::fromUtf8(part.data(), qsizetype(part.size()));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

QString commandToolTip(int id) {
    if (!hasString(id))
        return {};
    const CommandPrompt prompt = splitPrompt(stringText(id));
    const QString title = fromPromptPart(prompt.title);
    const QString description = fromPromptPart(prompt.description);
    if (description.isEmpty() || description == title)
        return title;
    return title + QLatin1Char('\n') + description;
}

QString commandDescription(int id) {
    if (!hasString(id))
        return {};
    const CommandPrompt prompt = splitPrompt(stringText(id));
    QString text = fromPromptPart(prompt.description.empty() ? prompt.title : prompt.description);
    return text.replace(QLatin1Char('\n'), QString());
}

CommandTable::CommandTable(QObject* parent) : QObject(parent) {}

QAction* CommandTable::add(int id, const QString& text, Handler handler) {
    auto* action = new QAction(text, this);
    action->setData(id);
    action->setToolTip(commandToolTip(id));
    action->setStatusTip(commandDescription(id));
    action->setEnabled(static_cast<bool>(handler));
    connect(action, &QAction::triggered, this, [this, id] {
        const Entry& entry = m_entries.at(id);
        if (entry.handler) {
            entry.handler();
            emit commandRun(id);
        }
    });
    m_entries[id] = {action, std::move(handler)};
    return action;
}

QAction* CommandTable::action(int id) const {
    const auto it = m_entries.find(id);
    return it == m_entries.end() ? nullptr : it->second.action;
}

bool CommandTable::hasHandler(int id) const {
    const auto it = m_entries.find(id);
    return it != m_entries.end() && static_cast<bool>(it->second.handler);
}

void CommandTable::update(const CommandContext& context) {
    for (auto& [id, entry] : m_entries) {
        const CommandState state = commandState(id, context);
        entry.action->setEnabled(state.enabled && entry.handler);
        if (entry.action->isCheckable())
            entry.action->setChecked(state.checked);
    }
}

void CommandTable::trigger(int id) {
    if (QAction* a = action(id); a && a->isEnabled())
        a->trigger();
}

} // namespace byzel
