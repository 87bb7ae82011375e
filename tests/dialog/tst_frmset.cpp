// The Set Clock dialog on its own, with real widgets: what it shows, its volumes, keys and Browse.
#include "FakeFileChooser.h"
#include "dialog/frmSet.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStandardPaths>
#include <QtTest>

namespace {
const QString alwaysShown =
    "Label4 txtPurpose Line1 Frame1 Label1 txtHours Label2 txtMinutes Label3 txtSeconds "
    "opnType0 opnType1 Frame2 Label5 cmbLink cmdSet cmdCancel cmdDel Frame3 chkSound "
    "cmdAdvanced Line2 Label6 cmdBrowse chkAlarm txtAlarmFile";
const QString advanced =
    "Label9 lblTickVol0 sldTickVol0 frame_VFrame0 Label80 lblTickVol1 sldTickVol1 "
    "frame_VFrame1 Label81 lblTickVol2 sldTickVol2 frame_VFrame2 Label82 lblTickVol3 "
    "sldTickVol3 frame_VFrame3 Label83 lblTickVol4 sldTickVol4 Label7 lblAlarmVol sldAlarmVol";
} // namespace

class TestFrmSet : public QObject {
    Q_OBJECT
    FakeFileChooser chooser;
    std::unique_ptr<frmSet> form;

    QStringList shown() const {
        QStringList names;
        for (QWidget* w : form->findChildren<QWidget*>())
            if (!w->objectName().isEmpty() && !w->objectName().startsWith("qt_") &&
                w->isVisibleTo(form.get()))
                names << w->objectName();
        names.sort();
        return names;
    }
    // Slider values and labels, "5 5% | 15 15% | ... | alarm 100 100%".
    QString levels() const {
        QStringList out;
        for (int i = 0; i < frmSet::bandCount; ++i)
            out << QStringLiteral("%1 %2").arg(form->sldTickVol[i]->value()).arg(form->lblTickVol[i]->text());
        out << QStringLiteral("alarm %1 %2").arg(form->sldAlarmVol->value()).arg(form->lblAlarmVol->text());
        return out.join(" | ");
    }

private slots:
    void init() {
        chooser = FakeFileChooser();
        form = std::make_unique<frmSet>("/prog/sounds/alarms", QStringList{"Wave Audio (*.wav)"}, &chooser,
                                        nullptr);
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }

    // Opening shows the plain controls; each click on the button adds or removes exactly the advanced ones.
    void advancedToggle() {
        for (int clicks = 0; clicks < 3; ++clicks) {
            QStringList expected =
                alwaysShown.split(' ') + (clicks == 1 ? advanced.split(' ') : QStringList());
            expected.sort();
            QCOMPARE(shown(), expected);
            QCOMPARE(form->cmdAdvanced->text(), clicks == 1 ? "Hide Advanced" : "Show Advanced");
            QCOMPARE(form->size(), QSize(588, 288));
            QTest::mouseClick(form->cmdAdvanced, Qt::LeftButton);
        }
    }

    // Every caption fits its control at the dialog's fonts, whatever face stands in, advanced ones included.
    void nothingClipped() {
        QTest::mouseClick(form->cmdAdvanced, Qt::LeftButton);
        for (QWidget* w : form->findChildren<QWidget*>()) {
            const QFontMetrics metrics(w->font());
            const QString name = w->objectName();
            if (auto* label = qobject_cast<QLabel*>(w)) {
                const int need = label->wordWrap() ? label->heightForWidth(label->width()) : metrics.height();
                QVERIFY2(need <= label->height(), qPrintable(name));
                if (!label->wordWrap())
                    QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->width(), qPrintable(name));
            } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
                QVERIFY2(metrics.horizontalAdvance(box->title()) + 12 <= box->width(), qPrintable(name));
            } else if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
                QVERIFY2(w->sizeHint().width() <= w->width(), qPrintable(name));
            } else if (auto* button = qobject_cast<QPushButton*>(w)) {
                QVERIFY2(metrics.horizontalAdvance(button->text()) + 8 <= button->width(), qPrintable(name));
            }
        }
    }

    // Light yellow behind the controls, inside the frames too; the design state before any clock fills it.
    void looks() {
        const QImage shown = form->grab().toImage();
        for (const QPoint& p : {QPoint(560, 12), QPoint(300, 200), QPoint(30, 110)})
            QCOMPARE(shown.pixelColor(p), QColor(255, 255, 192));
        QCOMPARE(shown.pixelColor(4, 100), QColor(185, 185, 138)); // the Time frame's left border
        QVERIFY(form->opnType[0]->isChecked() && form->chkSound->isChecked() && form->chkAlarm->isChecked());
        QCOMPARE(form->txtHours->text() + form->txtMinutes->text() + form->txtSeconds->text(), "000000");
    }

    void volumes_data() {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("after");
        const QString design = "5 5% | 15 15% | 50 50% | 75 75% | 100 100% | alarm 100 100%";
        QTest::newRow("design") << "" << design;
        QTest::newRow("index past the last") << "tick 7 50"
                                             << "5 5% | 15 15% | 50 50% | 75 75% | 50 50% | alarm 100 100%";
        QTest::newRow("below 0, above 100")
            << "tick -2 150"
            << "100 100% | 15 15% | 50 50% | 75 75% | 100 100% | alarm 100 100%";
        QTest::newRow("in range") << "tick 2 0"
                                  << "5 5% | 15 15% | 0 0% | 75 75% | 100 100% | alarm 100 100%";
        QTest::newRow("alarm below 0") << "alarm -5"
                                       << "5 5% | 15 15% | 50 50% | 75 75% | 100 100% | alarm 0 0%";
        QTest::newRow("alarm in range") << "alarm 37"
                                        << "5 5% | 15 15% | 50 50% | 75 75% | 100 100% | alarm 37 37%";
        QTest::newRow("page key on slider 1")
            << "key 1"
            << "5 5% | 25 25% | 50 50% | 75 75% | 100 100% | alarm 100 100%";
        QTest::newRow("arrow key on the alarm")
            << "key 5"
            << "5 5% | 15 15% | 50 50% | 75 75% | 100 100% | alarm 99 99%";
    }
    void volumes() {
        QFETCH(QString, call);
        QFETCH(QString, after);
        const QStringList words = call.split(' ');
        if (words[0] == "tick")
            form->setTickVol(words[1].toInt(), words[2].toInt());
        else if (words[0] == "alarm")
            form->setAlarmVol(words[1].toInt());
        else if (words[0] == "key") {
            const int i = words[1].toInt();
            QSlider* slider = i < frmSet::bandCount ? form->sldTickVol[i] : form->sldAlarmVol;
            QTest::mouseClick(form->cmdAdvanced, Qt::LeftButton);
            slider->setFocus();
            QTest::keyClick(slider, i < frmSet::bandCount ? Qt::Key_PageUp : Qt::Key_Left);
        }
        QCOMPARE(levels(), after);
    }

    // The time fields select their whole text however they get the focus.
    void focusSelectsAll_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("byMouse");
        QTest::addColumn<QString>("selected");
        QTest::newRow("tab into minutes") << "txtMinutes" << false << "15";
        QTest::newRow("click into hours") << "txtHours" << true << "15";
        QTest::newRow("click into seconds") << "txtSeconds" << true << "15";
    }
    void focusSelectsAll() {
        QFETCH(QString, field);
        QFETCH(bool, byMouse);
        QFETCH(QString, selected);
        auto* edit = form->findChild<QLineEdit*>(field);
        form->txtHours->setText("7");
        edit->setText("15");
        if (byMouse) {
            form->cmdCancel->setFocus();
            QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(4, edit->height() / 2));
        } else {
            form->txtHours->setFocus();
            QTest::keyClick(form->txtHours, Qt::Key_Tab);
        }
        QTRY_VERIFY(edit->hasFocus());
        QCoreApplication::processEvents();
        QCOMPARE(edit->selectedText(), selected);
    }

    // Browse starts in the alarms folder; a chosen file enables the alarm, a cancel leaves both as they were.
    void browse_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("after");
        QTest::newRow("chosen") << "/sounds/bell.flac" << false << "/sounds/bell.flac on";
        QTest::newRow("cancelled, enabled") << "" << true << "/old.wav on";
        QTest::newRow("cancelled, disabled") << "" << false << "/old.wav off";
    }
    void browse() {
        QFETCH(QString, answer);
        QFETCH(bool, enabled);
        QFETCH(QString, after);
        form->txtAlarmFile->setText("/old.wav");
        form->chkAlarm->setChecked(enabled);
        chooser.answer = answer;
        QTest::mouseClick(form->cmdBrowse, Qt::LeftButton);
        QCOMPARE(form->txtAlarmFile->text() + (form->chkAlarm->isChecked() ? " on" : " off"), after);
        QCOMPARE(chooser.lastFolder + " " + chooser.lastFilters.join(';'),
                 "/prog/sounds/alarms Wave Audio (*.wav)");
    }

    // Enter saves (the dialog stays for the exchange to close); Escape, Cancel and the close box close
    // unsaved.
    void keys_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("saves");
        QTest::addColumn<bool>("open");
        QTest::newRow("Enter in the name") << "enter txtPurpose" << 1 << true;
        QTest::newRow("Enter in seconds") << "enter txtSeconds" << 1 << true;
        QTest::newRow("Save Clock") << "click cmdSet" << 1 << true;
        QTest::newRow("Enter on Cancel") << "enter cmdCancel" << 0 << false;
        QTest::newRow("Escape") << "escape txtHours" << 0 << false;
        QTest::newRow("close box") << "close" << 0 << false;
    }
    void keys() {
        QFETCH(QString, action);
        QFETCH(int, saves);
        QFETCH(bool, open);
        QSignalSpy saved(form.get(), &frmSet::saveClicked);
        QSignalSpy deleted(form.get(), &frmSet::deleteClicked);
        const QStringList words = action.split(' ');
        QWidget* target = words.size() > 1 ? form->findChild<QWidget*>(words[1]) : nullptr;
        if (target)
            target->setFocus();
        if (words[0] == "enter")
            QTest::keyClick(target, Qt::Key_Return);
        else if (words[0] == "escape")
            QTest::keyClick(target, Qt::Key_Escape);
        else if (words[0] == "click")
            QTest::mouseClick(target, Qt::LeftButton);
        else
            form->close();
        QCOMPARE(saved.count(), saves);
        QCOMPARE(form->isVisible(), open);
        QCOMPARE(deleted.count(), 0);
    }

    void setActiveLink() {
        form->cmbLink->addItems({"(None)", "Tea | 3", "tea | 4", "Tea | 3"});
        for (const auto& [text, index] :
             {std::pair{"tea | 4", 2}, {"Tea | 3", 1}, {"Tea | 9", 0}, {"Tea", 0}}) {
            form->cmbLink->setCurrentIndex(3);
            form->setActiveLink(text);
            QCOMPARE(form->cmbLink->currentIndex(), index);
        }
    }
};

int main(int argc, char* argv[]) {
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    TestFrmSet test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_frmset.moc"
