#include "ui/GroupCommands.h"

#include "core/GroupTable.h"
#include "core/RepaintScheduler.h"
#include "ui/IGroupMenuCaptions.h"
#include "ui/ITextPrompt.h"

GroupCommands::GroupCommands(GroupTable& groups, ITextPrompt& prompt, IGroupMenuCaptions& captions,
                             RepaintScheduler& repaint, QObject* parent)
    : QObject(parent), m_groups(groups), m_prompt(prompt), m_captions(captions), m_repaint(repaint) {}

QString GroupCommands::captionFor(int group, const QString& name) {
    // A menu takes "&" as the mark of its access key; "R&D" must show as typed.
    QString shown = name;
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("Group ") + QString::number(group) + QStringLiteral(" : ") + shown;
}

void GroupCommands::renameGroup(int group) {
    if (!GroupTable::isGroup(group))
        return;
    const QString old = m_groups.name(group);
    const std::optional<QString> name =
        m_prompt.askText(QStringLiteral("Group name"), QStringLiteral("Enter group name"), old);
    if (!name)
        return;
    m_groups.setName(group, *name);
    if (*name != old)
        emit groupRenamed(group);
    setGroupMenuCaption(group);
    // The group's label on the canvas shows the name.
    m_repaint.request();
}

void GroupCommands::setGroupMenuCaption(int group) {
    if (GroupTable::isGroup(group))
        m_captions.setGroupMenuCaption(group, captionFor(group, m_groups.name(group)));
}

void GroupCommands::resetGroupMenuCaptions() {
    m_captions.resetGroupMenuCaptions();
}
