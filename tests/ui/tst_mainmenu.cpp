#include "ui/MainMenu.h"
#include "ui/MenuOptions.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStandardPaths>
#include <QtTest>

namespace {
// One line per entry: indentation for depth, control name, caption, and [x] / [ ] for check marks.
void outline(const QList<QAction*>& actions, int depth, QStringList& out) {
    for (QAction* a : actions) {
        QString line = QString(depth * 2, QLatin1Char(' ')) + a->objectName() + QLatin1Char(' ');
        line += a->isSeparator() ? QStringLiteral("-") : a->text();
        if (a->isCheckable())
            line += a->isChecked() ? QStringLiteral(" [x]") : QStringLiteral(" [ ]");
        out << line;
        if (a->menu())
            outline(a->menu()->actions(), depth + 1, out);
    }
}

QStringList expectedTree() {
    QStringList t = {
        "mnuFile &File",
        "  mnuFileAddClock Add a &Clock",
        "  mnuFileSep0 -",
        "  mnuOpen &Open Clocks",
        "  mnuSave &Save Clocks",
        "  mnuSaveAs Save Clocks &As...",
        "  mnuFileSep1 -",
        "  mnuFileDelete &Close clocks",
        "  mnuFileQuit &Quit",
        "mnuView &View",
        "  mnuViewArrange &Auto Arrange Clocks [ ]",
        "  mnuViewBounds &View Group Bounding Boxes [x]",
        "mnuSound &Sounds",
        "  mnuSoundMute &Mute [ ]",
        "mnuMisc &Misc. Settings",
        "  mnuSync &Syncronize clocks [x]",
        "  mnuAllowRepos &Allow saved clock files to reposition main form [x]",
        "  mnuResetOnLoad &Reset all clocks on load [ ]",
        "mnuSelection Se&lection",
        "  mnuSelectAll Select &All",
        "  mnuSelectNone Select &None",
        "  mnuSelSep0 -",
        "  mnuSelGroupAssign Assign selected to &group",
    };
    for (int g = 0; g < 10; ++g)
        t << QStringLiteral("    mnuAssignGroup%1 Group &%1 (shift+%1)").arg(g);
    t << "  mnuSelSep1 -"
      << "  mnuSelReset &Reset selected clocks"
      << "  mnuSelStart &Start selected clocks"
      << "  mnuSelStop Sto&p selected clocks"
      << "  mnuSelSep2 -"
      << "  mnuSelDelete &Delete selected clocks"
      << "mnuGroupNames &Group Names";
    for (int g = 0; g < 10; ++g)
        t << QStringLiteral("  mnuGroupName%1 Group &%1").arg(g);
    t << "mnuHelp &Help"
      << "  mnuAbout &About";
    return t;
}
} // namespace

class TestMainMenu : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QMenuBar> m_bar;
    std::unique_ptr<MenuOptions> m_options;
    std::unique_ptr<MainMenu> m_menu;

    QStringList tree() const {
        QStringList out;
        outline(m_bar->actions(), 0, out);
        return out;
    }

private slots:
    void init() {
        m_bar = std::make_unique<QMenuBar>();
        m_options = std::make_unique<MenuOptions>();
        m_menu = std::make_unique<MainMenu>(*m_bar, *m_options);
    }

    void cleanup() {
        m_menu.reset();
        m_bar.reset();
        m_options.reset();
    }

    void completeTreeAsTheUserSeesIt() {
        const QStringList actual = tree();
        const QStringList expected = expectedTree();
        for (int i = 0; i < std::min(actual.size(), expected.size()); ++i)
            QCOMPARE(actual[i], expected[i]);
        QCOMPARE(actual.size(), expected.size());
    }

    void everyItemByItsControlNameWithoutShortcut() {
        for (const QString& line : expectedTree()) {
            const QString name = line.trimmed().section(QLatin1Char(' '), 0, 0);
            QAction* a = m_menu->action(name);
            QVERIFY2(a, qPrintable(name));
            QCOMPARE(a->objectName(), name);
            QVERIFY2(a->shortcut().isEmpty(), qPrintable(name));
        }
        QCOMPARE(m_menu->action(QStringLiteral("mnuNoSuchItem")), nullptr);
    }

    void optionItemsAreTheOptionStorage() {
        QAction* sync = m_menu->action(QStringLiteral("mnuSync"));
        QCOMPARE(sync, m_options->action(Option::Sync));
        sync->trigger();
        QVERIFY(!m_options->isChecked(Option::Sync));
        m_menu->action(QStringLiteral("mnuSoundMute"))->trigger();
        QVERIFY(m_options->isChecked(Option::Mute));
        // A plain command carries no check mark of its own.
        QVERIFY(!m_menu->action(QStringLiteral("mnuSelectAll"))->isCheckable());
    }

    void groupCaptionsAreSetVerbatimAndReset() {
        m_menu->setGroupMenuCaption(3, QStringLiteral("3 - Oven & Hob"));
        m_menu->setGroupMenuCaption(-1, QStringLiteral("ignored"));
        m_menu->setGroupMenuCaption(10, QStringLiteral("ignored"));
        QCOMPARE(m_menu->action(QStringLiteral("mnuGroupName3"))->text(), QStringLiteral("3 - Oven & Hob"));
        QStringList expected = expectedTree();
        expected.replaceInStrings(QStringLiteral("mnuGroupName3 Group &3"),
                                  QStringLiteral("mnuGroupName3 3 - Oven & Hob"));
        QCOMPARE(tree(), expected);

        m_menu->setGroupMenuCaption(9, QStringLiteral("9 - Bread"));
        m_menu->resetGroupMenuCaptions();
        QCOMPARE(tree(), expectedTree());
    }
};

int main(int argc, char* argv[]) {
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    TestMainMenu test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_mainmenu.moc"
