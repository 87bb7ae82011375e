#pragma once
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <memory>

class ClockCollection;
class IFileChooser;
class QWidget;
class RepaintScheduler;
class clsClock;
class frmSet;

// Opens the Set Clock dialog for a clock, fills it from the clock and writes it back on Save. The dialog
// follows its clock, not an index: clocks deleted or reordered meanwhile do not change which clock Save
// and Delete act on, and once that clock has left the board Save and Delete only close the dialog.
class SetFormExchange final : public QObject {
    Q_OBJECT
public:
    // decodedFormats: the sound files the sound layer reads, as file-dialog filters; the file chooser
    // is for tests, Qt's own dialog is used without one.
    SetFormExchange(ClockCollection& clocks, QWidget& mainWindow, RepaintScheduler& repaint,
                    const QStringList& decodedFormats, IFileChooser* chooser = nullptr);
    ~SetFormExchange() override;

    // Opens the dialog for clock n, or retargets and refills it when it is open; an index outside the
    // board does nothing. The dialog is not modal: this returns at once.
    void showSetForm(int n);
    // The open dialog, or null.
    frmSet* form() const;
    // The clock the open dialog edits, or null when the dialog is closed or the clock has left the board.
    clsClock* editedClock() const;

    static void populateSetForm(const clsClock& clock, frmSet& form);
    static void getSoundDataFromSetForm(clsClock& clock, const frmSet& form);
    // The form's settings into the clock: name, link, direction and duration, then its sounds.
    static void applySetForm(clsClock& clock, const frmSet& form);

private:
    void fillLinkList(double linkID);
    void saveClock();
    void deleteClock();

    ClockCollection& m_clocks;
    QWidget& m_mainWindow;
    RepaintScheduler& m_repaint;
    QStringList m_filters;
    IFileChooser* m_chooser;
    QPointer<frmSet> m_form;
    clsClock* m_clock = nullptr;
    std::weak_ptr<const void> m_clockAlive;
};
