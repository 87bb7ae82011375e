#pragma once
#include <QObject>

class GroupTable;
class IGroupMenuCaptions;
class ITextPrompt;
class RepaintScheduler;

// Naming the ten groups, and keeping the "Group Names" menu captions in step with the names.
class GroupCommands final : public QObject {
    Q_OBJECT
public:
    GroupCommands(GroupTable& groups, ITextPrompt& prompt, IGroupMenuCaptions& captions,
                  RepaintScheduler& repaint, QObject* parent = nullptr);

    // The menu caption "Group 3 : Kitchen"; an unnamed group ends in the colon and a blank. An "&" in
    // the name is doubled so that the menu shows it rather than underlining the next letter.
    static QString captionFor(int group, const QString& name);

public slots:
    // Asks for the group's name, the current one preset; an empty answer clears it, cancelling keeps it.
    void renameGroup(int group);
    void setGroupMenuCaption(int group);
    // Back to the captions of a board without names (after closing it or before loading another).
    void resetGroupMenuCaptions();

signals:
    // A group's name changed: the board now differs from its file.
    void groupRenamed(int group);

private:
    GroupTable& m_groups;
    ITextPrompt& m_prompt;
    IGroupMenuCaptions& m_captions;
    RepaintScheduler& m_repaint;
};
