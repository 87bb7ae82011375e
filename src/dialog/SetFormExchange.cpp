#include "dialog/SetFormExchange.h"

#include "clock/ClockGeometry.h"
#include "clock/clsClock.h"
#include "core/ClockCollection.h"
#include "core/RepaintScheduler.h"
#include "core/TimeText.h"
#include "dialog/SetFormRules.h"
#include "dialog/frmSet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>

SetFormExchange::SetFormExchange(ClockCollection& clocks, QWidget& mainWindow, RepaintScheduler& repaint,
                                 const QStringList& decodedFormats, IFileChooser* chooser)
    : m_clocks(clocks), m_mainWindow(mainWindow), m_repaint(repaint),
      m_filters(SetFormRules::alarmFileFilters(decodedFormats)), m_chooser(chooser) {}

SetFormExchange::~SetFormExchange() {
    delete m_form.data();
}

frmSet* SetFormExchange::form() const {
    return m_form;
}

clsClock* SetFormExchange::editedClock() const {
    if (!m_form || m_clockAlive.expired() || m_clocks.indexOf(m_clock) < 0)
        return nullptr;
    return m_clock;
}

void SetFormExchange::showSetForm(int n) {
    if (n < 0 || n >= m_clocks.clockCount())
        return;
    if (!m_form) {
        const QString alarms =
            QDir(m_clocks.environment().programFolder).filePath(QStringLiteral("sounds/alarms"));
        m_form = new frmSet(alarms, m_filters, m_chooser, &m_mainWindow);
        // Closed means gone: the next opening starts from the form's first state.
        m_form->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_form, &frmSet::saveClicked, this, &SetFormExchange::saveClock);
        connect(m_form, &frmSet::deleteClicked, this, &SetFormExchange::deleteClock);
        // Let go at once: a request that arrives before the deferred deletion opens a fresh dialog.
        connect(m_form, &QDialog::finished, this, [this] { m_form.clear(); });
    }
    clsClock& clock = m_clocks.clock(n);
    m_clock = &clock;
    m_clockAlive = clock.lifetime();
    populateSetForm(clock, *m_form);
    fillLinkList(clock.linkID());

    const double px = ClockGeometry::twipsPerPixel;
    const QPointF wanted = QPointF(m_mainWindow.pos()) + QPointF(clock.myLeft() / px, clock.myTop() / px);
    // The frame's size is known once the window is shown, so the place is checked again then.
    const auto place = [this, wanted] {
        const QScreen* screen = m_mainWindow.screen();
        const QRect area = screen ? screen->availableGeometry() : QRect(-32768, -32768, 65536, 65536);
        m_form->move(SetFormRules::keepInside(wanted, m_form->frameGeometry().size(), area));
    };
    place();
    m_form->show();
    place();
    m_form->raise();
    m_form->activateWindow();
}

void SetFormExchange::populateSetForm(const clsClock& clock, frmSet& form) {
    form.txtPurpose->setText(clock.purpose());
    const HMS hms = TimeText::secondsToHMS(clock.duration());
    form.txtHours->setText(QString::number(hms.hours));
    form.txtMinutes->setText(QString::number(hms.minutes));
    form.txtSeconds->setText(QString::number(hms.seconds));
    form.opnType[std::size_t(SetFormRules::countTypeOption(clock.countType()))]->setChecked(true);
    form.chkSound->setChecked(clock.soundActive());
    for (int i = 0; i < frmSet::bandCount; ++i)
        form.setTickVol(i, clock.tickVol(i));
    form.setAlarmVol(clock.alarmVolume());
    form.txtAlarmFile->setText(clock.alarmFile());
    form.chkAlarm->setChecked(clock.alarmActive());
}

void SetFormExchange::fillLinkList(double linkID) {
    // A reopened dialog lists the board afresh.
    m_form->cmbLink->clear();
    m_form->cmbLink->addItem(QStringLiteral("(None)"));
    for (int i = 0; i < m_clocks.clockCount(); ++i) {
        const clsClock& c = m_clocks.clock(i);
        if (c.purpose().isEmpty())
            continue;
        const QString entry = SetFormRules::linkEntry(c.purpose(), c.ID());
        m_form->cmbLink->addItem(entry);
        if (c.ID() == linkID && m_form->cmbLink->currentIndex() == 0)
            m_form->setActiveLink(entry);
    }
}

void SetFormExchange::getSoundDataFromSetForm(clsClock& clock, const frmSet& form) {
    clock.setSoundActive(form.chkSound->isChecked());
    clock.setAlarmActive(form.chkAlarm->isChecked());
    for (int i = 0; i < frmSet::bandCount; ++i)
        clock.setTickVol(qint16(i), qint16(form.sldTickVol[std::size_t(i)]->value()));
    clock.setAlarmVolume(qint16(form.sldAlarmVol->value()));
    clock.setAlarmFile(form.txtAlarmFile->text());
}

void SetFormExchange::applySetForm(clsClock& clock, const frmSet& form) {
    const double duration = SetFormRules::durationFromFields(form.txtHours->text(), form.txtMinutes->text(),
                                                             form.txtSeconds->text());
    SetFormRules::applyClockSettings(clock, duration, form.txtPurpose->text(), form.opnType[1]->isChecked(),
                                     form.cmbLink->currentText());
    getSoundDataFromSetForm(clock, form);
}

void SetFormExchange::saveClock() {
    if (clsClock* clock = editedClock()) {
        applySetForm(*clock, *m_form);
        m_clocks.markChanged();
        m_repaint.request();
    }
    m_form->accept();
}

void SetFormExchange::deleteClock() {
    clsClock* clock = editedClock();
    // A clock that has already left the board is not looked for again; the groups are renewed either way.
    m_clocks.deleteClock(clock ? m_clocks.indexOf(clock) : -1);
    if (clock) {
        m_clocks.markChanged();
        m_repaint.request();
    }
    m_form->accept();
}
