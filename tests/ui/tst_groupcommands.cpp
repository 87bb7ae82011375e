#include "core/GroupTable.h"
#include "core/RepaintScheduler.h"
#include "ui/GroupCommands.h"
#include "ui/IGroupMenuCaptions.h"
#include "ui/ITextPrompt.h"

#include <QCoreApplication>
#include <QMap>
#include <QStandardPaths>
#include <QTest>

namespace {
class FakePrompt final : public ITextPrompt {
public:
    QString answer;
    QStringList asked; // title | prompt | preset
    QString askText(const QString& title, const QString& prompt, const QString& preset) override {
        asked << title + QLatin1Char('|') + prompt + QLatin1Char('|') + preset;
        return answer;
    }
};

class FakeCaptions final : public IGroupMenuCaptions {
public:
    QMap<int, QString> captions;
    int resets = 0;
    void setGroupMenuCaption(int group, const QString& caption) override { captions[group] = caption; }
    void resetGroupMenuCaptions() override { ++resets; }
};
} // namespace

class TstGroupCommands : public QObject {
    Q_OBJECT
private slots:
    void renameGroup_data();
    void renameGroup();
    void renameGroup_outsideTheTenGroupsAsksNothing_data();
    void renameGroup_outsideTheTenGroupsAsksNothing();
    void setGroupMenuCaption_forALoadedName();
};

void TstGroupCommands::renameGroup_data() {
    QTest::addColumn<int>("group");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("caption");
    QTest::newRow("named") << 7 << "Kitchen"
                           << "Group 7 : Kitchen";
    QTest::newRow("group 0 is ordinary") << 0 << "Lab & bench"
                                         << "Group 0 : Lab & bench";
    QTest::newRow("empty answer clears") << 2 << ""
                                         << "Group 2 : ";
    QTest::newRow("cancelled clears") << 2 << QString() << "Group 2 : ";
}

void TstGroupCommands::renameGroup() {
    QFETCH(int, group);
    QFETCH(QString, answer);
    QFETCH(QString, caption);
    GroupTable groups;
    groups.setName(group, QStringLiteral("Old"));
    FakePrompt prompt;
    prompt.answer = answer;
    FakeCaptions captions;
    RepaintScheduler repaint;
    repaint.takeDue(1000);
    GroupCommands commands(groups, prompt, captions, repaint);

    commands.renameGroup(group);

    QCOMPARE(prompt.asked, QStringList{QStringLiteral("Group name|Enter group name|Old")});
    QCOMPARE(groups.name(group), answer.isNull() ? QString() : answer);
    // Only the renamed group's item changes.
    QCOMPARE(captions.captions.keys(), QList<int>{group});
    QCOMPARE(captions.captions.value(group), caption);
    QVERIFY(repaint.pending()); // the label on the canvas shows the name
}

void TstGroupCommands::renameGroup_outsideTheTenGroupsAsksNothing_data() {
    QTest::addColumn<int>("group");
    QTest::newRow("-1") << -1;
    QTest::newRow("10") << 10;
}

void TstGroupCommands::renameGroup_outsideTheTenGroupsAsksNothing() {
    QFETCH(int, group);
    GroupTable groups;
    FakePrompt prompt;
    FakeCaptions captions;
    RepaintScheduler repaint;
    GroupCommands commands(groups, prompt, captions, repaint);
    commands.renameGroup(group);
    QVERIFY(prompt.asked.isEmpty());
    QVERIFY(captions.captions.isEmpty());
}

void TstGroupCommands::setGroupMenuCaption_forALoadedName() {
    GroupTable groups;
    FakePrompt prompt;
    FakeCaptions captions;
    RepaintScheduler repaint;
    GroupCommands commands(groups, prompt, captions, repaint);
    groups.setName(3, QStringLiteral("Kitchen"));
    commands.setGroupMenuCaption(3);
    commands.setGroupMenuCaption(4);
    QCOMPARE(captions.captions.value(3), QStringLiteral("Group 3 : Kitchen"));
    QCOMPARE(captions.captions.value(4), QStringLiteral("Group 4 : "));
    QVERIFY(prompt.asked.isEmpty());

    // Closing the board or loading another puts the captions of a nameless board back.
    groups.clear();
    commands.resetGroupMenuCaptions();
    QCOMPARE(captions.resets, 1);
}

int main(int argc, char* argv[]) {
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication app(argc, argv);
    TstGroupCommands test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_groupcommands.moc"
