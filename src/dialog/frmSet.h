#pragma once
#include <QDialog>
#include <QStringList>
#include <array>
#include <memory>

class IFileChooser;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;

// The Set Clock dialog: one clock's name, time, direction, link and sounds. It keeps no copy of what it
// shows; SetFormExchange fills the controls from a clock and writes them back. Every control carries
// its name as objectName, an indexed one with its index appended ("sldTickVol4").
class frmSet final : public QDialog {
    Q_OBJECT
public:
    static constexpr int bandCount = 5;
    static const QString showAdvancedCaption;
    static const QString hideAdvancedCaption;

    // Browse starts in alarmFolder and offers filters in order; without a chooser it asks through
    // Qt's file dialog.
    frmSet(const QString& alarmFolder, const QStringList& filters, IFileChooser* chooser, QWidget* parent);
    ~frmSet() override;

    // Selects the first list entry reading exactly strName, else entry 0.
    void setActiveLink(const QString& strName);
    // Both clamp the value to 0..100, and setTickVol the index to 0..4; the label follows the slider.
    void setAlarmVol(int value);
    void setTickVol(int index, int value);
    // Tick volume, tick-volume band frames and alarm volume, in the order they are shown.
    const QList<QWidget*>& advancedControls() const { return m_advanced; }

    QLineEdit* txtPurpose;
    QLineEdit* txtHours;
    QLineEdit* txtMinutes;
    QLineEdit* txtSeconds;
    std::array<QRadioButton*, 2> opnType; // 0 "Count Down", 1 "Count Up"
    QComboBox* cmbLink;
    QPushButton* cmdSet;
    QPushButton* cmdCancel;
    QPushButton* cmdDel;
    QCheckBox* chkSound;
    QPushButton* cmdAdvanced;
    std::array<QLabel*, bandCount> lblTickVol;
    std::array<QSlider*, bandCount> sldTickVol;
    QLabel* lblAlarmVol;
    QSlider* sldAlarmVol;
    QCheckBox* chkAlarm;
    QPushButton* cmdBrowse;
    QLineEdit* txtAlarmFile;

signals:
    // Save Clock, or Enter: the exchange writes the clock and closes the dialog.
    void saveClicked();
    // Delete clock: the exchange removes the clock and closes the dialog.
    void deleteClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void setTabOrder();
    void toggleAdvanced();
    void browse();

    QString m_alarmFolder;
    QStringList m_filters;
    std::unique_ptr<IFileChooser> m_ownChooser;
    IFileChooser* m_chooser;
    QList<QWidget*> m_advanced;
};
