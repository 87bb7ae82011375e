// The Set Clock dialog on its own, with real widgets: what it shows, its volumes, keys and Browse.
#include "TestWindow.h"
#include "dialog/frmSet.h"

#include <QGroupBox>

class TestFrmSet : public QObject {
    Q_OBJECT
    FakeFileChooser chooser;
    std::unique_ptr<frmSet> form;

    QStringList shown() const { // the visible controls by name
        QStringList names;
        for (QWidget* w : form->findChildren<QWidget*>())
            if (!w->objectName().isEmpty() && !w->objectName().startsWith("qt_") &&
                w->isVisibleTo(form.get()))
                names << w->objectName();
        return names;
    }
    void clickAdvanced() { QTest::mouseClick(form->cmdAdvanced, Qt::LeftButton); }

private slots:
    void init() {
        chooser = FakeFileChooser();
        form = std::make_unique<frmSet>("/alarms", QStringList{"Wave Audio (*.wav)"}, &chooser, nullptr);
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }

    // Each click on the button shows or hides exactly the advanced controls; the dialog keeps its size and
    // its light yellow, around the frames and inside them.
    void advancedToggle() {
        QVERIFY(form->opnType[0]->isChecked() && form->chkSound->isChecked() && form->chkAlarm->isChecked());
        const QImage look = form->grab().toImage();
        QVERIFY(look.pixelColor(560, 12) == QColor(255, 255, 192) &&
                look.pixelColor(300, 200) == QColor(255, 255, 192));
        const QStringList plain = shown();
        for (int clicks = 1; clicks < 3; ++clicks) {
            clickAdvanced();
            QStringList added = shown();
            for (const QString& name : plain)
                QVERIFY(added.removeOne(name));
            added.sort();
            QCOMPARE(added.join(' ') + '|' + form->cmdAdvanced->text(),
                     clicks == 2
                         ? "|Show Advanced"
                         : "Label7 Label80 Label81 Label82 Label83 Label9 frame_VFrame0 frame_VFrame1 "
                           "frame_VFrame2 frame_VFrame3 lblAlarmVol lblTickVol0 lblTickVol1 lblTickVol2 "
                           "lblTickVol3 lblTickVol4 sldAlarmVol sldTickVol0 sldTickVol1 sldTickVol2 "
                           "sldTickVol3 sldTickVol4|Hide Advanced");
            QCOMPARE(form->size(), QSize(588, 288));
        }
    }

    // Tab walks the shown controls in the form's order, the advanced sliders among them when shown.
    void tabOrder() {
        for (const bool advanced : {false, true}) {
            if (advanced)
                clickAdvanced();
            form->txtPurpose->setFocus();
            QStringList walk;
            do {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                walk << QApplication::focusWidget()->objectName();
            } while (walk.last() != "txtPurpose" && walk.size() < 25);
            QCOMPARE(
                walk.join(' '),
                QString("txtHours txtMinutes txtSeconds opnType0 cmbLink cmdSet cmdCancel cmdDel chkSound "
                        "%1chkAlarm cmdBrowse txtAlarmFile %2cmdAdvanced txtPurpose")
                    .arg(advanced ? "sldTickVol0 sldTickVol1 sldTickVol2 sldTickVol3 sldTickVol4 " : "",
                         advanced ? "sldAlarmVol " : ""));
        }
    }

    // Every caption fits its control at the faces that stand in on this machine. Captions of labels, check
    // boxes, Save Clock and Cancel are bold; every face is 8.25 points.
    void nothingClipped() {
        clickAdvanced();
        for (QWidget* w : form->findChildren<QWidget*>()) {
            const QFontMetrics m(w->font());
            bool fits = true;
            if (auto* l = qobject_cast<QLabel*>(w))
                fits = l->wordWrap()
                           ? l->heightForWidth(l->width()) <= l->height()
                           : m.horizontalAdvance(l->text()) <= l->width() && m.height() <= l->height();
            else if (auto* box = qobject_cast<QGroupBox*>(w))
                fits = m.horizontalAdvance(box->title()) + 12 <= box->width();
            else if (auto* button = qobject_cast<QPushButton*>(w))
                fits = m.horizontalAdvance(button->text()) + 8 <= button->width();
            else if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w))
                fits = w->sizeHint().width() <= w->width();
            const bool bold = qobject_cast<QLabel*>(w) || qobject_cast<QCheckBox*>(w) || w == form->cmdSet ||
                              w == form->cmdCancel;
            QVERIFY2(fits && w->font().bold() == bold && w->font().pointSizeF() == 8.25,
                     qPrintable(w->objectName()));
        }
    }

    // Slider and label of each tick band, then of the alarm.
    void volumes_data() {
        textRows(
            {"call", "after"},
            {{"design", "", "5 5%, 15 15%, 50 50%, 75 75%, 100 100%, 100 100%"},
             {"index past the last", "tick 7 50", "5 5%, 15 15%, 50 50%, 75 75%, 50 50%, 100 100%"},
             {"below 0, above 100", "tick -2 150", "100 100%, 15 15%, 50 50%, 75 75%, 100 100%, 100 100%"},
             {"alarm below 0", "alarm -5", "5 5%, 15 15%, 50 50%, 75 75%, 100 100%, 0 0%"},
             {"page key, band 1", "key 1", "5 5%, 25 25%, 50 50%, 75 75%, 100 100%, 100 100%"},
             {"arrow key, alarm", "key 5", "5 5%, 15 15%, 50 50%, 75 75%, 100 100%, 99 99%"}});
    }
    void volumes() {
        QFETCH(QString, call);
        QFETCH(QString, after);
        const QStringList words = call.split(' ');
        const int n = words.value(1).toInt();
        if (words[0] == "tick") {
            form->setTickVol(n, words[2].toInt());
        } else if (words[0] == "alarm") {
            form->setAlarmVol(n);
        } else if (words[0] == "key") {
            clickAdvanced();
            const bool alarm = n == frmSet::bandCount;
            QTest::keyClick(alarm ? form->sldAlarmVol : form->sldTickVol[n],
                            alarm ? Qt::Key_Left : Qt::Key_PageUp);
        }
        QStringList levels;
        for (int i = 0; i <= frmSet::bandCount; ++i) {
            const bool alarm = i == frmSet::bandCount;
            levels << QStringLiteral("%1 %2")
                          .arg((alarm ? form->sldAlarmVol : form->sldTickVol[i])->value())
                          .arg((alarm ? form->lblAlarmVol : form->lblTickVol[i])->text());
        }
        QCOMPARE(levels.join(", "), after);
    }

    // The time fields select their whole text however they get the focus, so typing replaces it.
    void focusSelectsAll_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<bool>("byMouse");
        QTest::newRow("tab into minutes") << 1 << false;
        QTest::newRow("click into hours") << 0 << true;
        QTest::newRow("click into seconds") << 2 << true;
    }
    void focusSelectsAll() {
        QFETCH(int, field);
        QFETCH(bool, byMouse);
        QLineEdit* fields[] = {form->txtHours, form->txtMinutes, form->txtSeconds};
        fields[0]->setText("7");
        fields[field]->setText("15");
        (byMouse ? form->txtPurpose : fields[0])->setFocus();
        byMouse ? QTest::mouseClick(fields[field], Qt::LeftButton, {}, QPoint(4, 8))
                : QTest::keyClick(fields[0], Qt::Key_Tab);
        QTRY_COMPARE(fields[field]->selectedText(), "15");
    }

    // A chosen file enables the alarm; cancelling the file dialog leaves both as they were.
    void browse_data() {
        textRows({"answer", "after"},
                 {{"chosen", "/bell.flac", "/bell.flac on"}, {"cancelled", "", "/old.wav off"}});
    }
    void browse() {
        QFETCH(QString, answer);
        QFETCH(QString, after);
        form->txtAlarmFile->setText("/old.wav");
        form->chkAlarm->setChecked(false);
        chooser.answer = answer;
        QTest::mouseClick(form->cmdBrowse, Qt::LeftButton);
        QCOMPARE(form->txtAlarmFile->text() + (form->chkAlarm->isChecked() ? " on" : " off"), after);
        QCOMPARE(chooser.lastFolder, "/alarms");
    }

    // Enter saves (the exchange closes the dialog); Escape and the close box (key 0) close it unsaved.
    void keys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("saved");
        QTest::newRow("Enter in seconds") << int(Qt::Key_Enter) << true;
        QTest::newRow("Enter on a check box") << int(Qt::Key_Return) << true;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << false;
        QTest::newRow("close box") << 0 << false;
    }
    void keys() {
        QFETCH(int, key);
        QFETCH(bool, saved);
        QSignalSpy saves(form.get(), &frmSet::saveClicked);
        QWidget* field = QByteArray(QTest::currentDataTag()).endsWith("box")
                             ? static_cast<QWidget*>(form->chkSound)
                             : form->txtSeconds;
        field->setFocus();
        key ? QTest::keyClick(field, Qt::Key(key)) : void(form->close());
        QCOMPARE(saves.count(), int(saved));
        QCOMPARE(form->isVisible(), saved);
    }
};

WIDGET_TEST_MAIN(TestFrmSet)
#include "tst_frmset.moc"
