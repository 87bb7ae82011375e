#include "ui/InputDialogPrompt.h"

#include <QApplication>
#include <QInputDialog>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QWidget>

class TstInputDialogPrompt : public QObject {
    Q_OBJECT
private slots:
    void askText_data();
    void askText();
};

void TstInputDialogPrompt::askText_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("expected");
    QTest::newRow("OK keeps the preset") << QString() << true << "Kitchen";
    QTest::newRow("OK with new text") << "Lab" << true << "Lab";
    QTest::newRow("OK with nothing") << "" << true << "";
    QTest::newRow("cancel gives empty text") << "Lab" << false << "";
}

void TstInputDialogPrompt::askText() {
    QFETCH(QString, typed);
    QFETCH(bool, accept);
    QFETCH(QString, expected);
    QWidget window;
    window.show();
    InputDialogPrompt prompt(&window);

    QString title, label, preset;
    // The dialog runs its own loop; answer it from inside that loop.
    QTimer::singleShot(0, this, [&] {
        auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        title = dialog->windowTitle();
        label = dialog->labelText();
        preset = dialog->textValue();
        if (!typed.isNull())
            dialog->setTextValue(typed);
        accept ? dialog->accept() : dialog->reject();
    });
    const QString answer = prompt.askText(QStringLiteral("Group name"), QStringLiteral("Enter group name"),
                                          QStringLiteral("Kitchen"));

    QCOMPARE(title, QStringLiteral("Group name"));
    QCOMPARE(label, QStringLiteral("Enter group name"));
    QCOMPARE(preset, QStringLiteral("Kitchen"));
    QCOMPARE(answer, expected);
}

int main(int argc, char* argv[]) {
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    TstInputDialogPrompt test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_inputdialogprompt.moc"
