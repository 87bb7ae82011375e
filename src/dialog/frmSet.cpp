#include "dialog/frmSet.h"

#include "clock/ClockGeometry.h"
#include "ui/QtFileChooser.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>
#include <algorithm>

const QString frmSet::showAdvancedCaption = QStringLiteral("Show Advanced");
const QString frmSet::hideAdvancedCaption = QStringLiteral("Hide Advanced");

namespace {
constexpr qreal pointSize = 8.25;

// The form is laid out in twips, 15 to a logical pixel.
QRect twips(int left, int top, int width, int height) {
    const int t = ClockGeometry::twipsPerPixel;
    return {left / t, top / t, width / t, height / t};
}

// The classic dialog face where it is installed. Elsewhere the platform's sans-serif stands in, in its
// condensed width: the boxes were sized for a narrow face.
QFont dialogFont(bool bold) {
    static const QString classic = QStringLiteral("MS Sans Serif");
    static const bool installed = QFontDatabase::hasFamily(classic);
    QFont font(installed ? classic : QStringLiteral("Sans Serif"));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    if (!installed)
        font.setStretch(QFont::Condensed);
    return font;
}

// Frame captions take a casual, rounded face when one is installed. Only installed families count:
// fontconfig would hand a script face to a name it does not know.
QFont frameFont() {
    static const QStringList casual = {QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"),
                                       QStringLiteral("Comic Relief"), QStringLiteral("Chilanka")};
    static const auto found = std::find_if(casual.begin(), casual.end(), &QFontDatabase::hasFamily);
    QFont font(found != casual.end() ? *found : QStringLiteral("Sans Serif"));
    font.setPointSizeF(pointSize);
    return font;
}

template <typename Widget> Widget* place(Widget* widget, const QString& name, const QRect& geometry) {
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

// Captions are bold and centred vertically unless told otherwise.
QLabel* label(QWidget* parent, const QString& name, const QString& text, const QRect& geometry,
              Qt::Alignment alignment = Qt::AlignLeft, bool wrap = false) {
    auto* l = place(new QLabel(text, parent), name, geometry);
    l->setFont(dialogFont(true));
    l->setWordWrap(wrap);
    l->setAlignment(alignment & Qt::AlignVertical_Mask ? alignment : alignment | Qt::AlignVCenter);
    return l;
}

// A frame whose caption sits on its top border, the border running through the caption's middle.
class CaptionFrame final : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QFontMetrics metrics(font());
        const QRectF border = QRectF(rect()).adjusted(0.5, metrics.height() / 2 + 0.5, -0.5, -0.5);
        p.setPen(QColor(185, 185, 138));
        p.drawRoundedRect(border, 3, 3);
        const QRect caption(6, 0, metrics.horizontalAdvance(title()) + 4, metrics.height());
        p.fillRect(caption, palette().window());
        p.setPen(palette().windowText().color());
        p.drawText(caption, Qt::AlignCenter, title());
    }
};

QGroupBox* frame(QWidget* parent, const QString& name, const QString& caption, const QRect& geometry) {
    auto* f = place(new CaptionFrame(caption, parent), name, geometry);
    f->setFont(frameFont());
    return f;
}

QLineEdit* textBox(QWidget* parent, const QString& name, const QString& text, const QRect& geometry,
                   Qt::Alignment alignment = Qt::AlignLeft) {
    auto* t = place(new QLineEdit(text, parent), name, geometry);
    t->setFont(dialogFont(false));
    t->setAlignment(alignment | Qt::AlignVCenter);
    return t;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, const QRect& geometry,
                    bool bold) {
    auto* b = place(new QPushButton(caption, parent), name, geometry);
    b->setFont(dialogFont(bold));
    return b;
}

QSlider* slider(QWidget* parent, const QString& name, int value, const QRect& geometry) {
    auto* s = place(new QSlider(Qt::Horizontal, parent), name, geometry);
    s->setRange(0, 100);
    s->setSingleStep(1);
    s->setPageStep(10);
    s->setValue(value);
    return s;
}

QFrame* line(QWidget* parent, const QString& name, const QRect& geometry) {
    auto* l = place(new QFrame(parent), name, geometry);
    l->setFrameShape(QFrame::HLine);
    l->setFrameShadow(QFrame::Sunken);
    return l;
}
} // namespace

frmSet::frmSet(const QString& alarmFolder, const QStringList& filters, IFileChooser* chooser, QWidget* parent)
    : QDialog(parent), m_alarmFolder(alarmFolder), m_filters(filters),
      m_ownChooser(chooser ? nullptr : std::make_unique<QtFileChooser>(this)),
      m_chooser(chooser ? chooser : m_ownChooser.get()) {
    setWindowTitle(QStringLiteral("Set Clock"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(twips(0, 0, 8820, 4320).size());
    QPalette yellow = palette();
    yellow.setColor(QPalette::Window, QColor(255, 255, 192));
    setPalette(yellow);
    setFont(dialogFont(false));

    buildControls();
    setTabOrder();
    connect(cmdAdvanced, &QPushButton::clicked, this, &frmSet::toggleAdvanced);
    connect(cmdBrowse, &QPushButton::clicked, this, &frmSet::browse);
    connect(cmdSet, &QPushButton::clicked, this, &frmSet::saveClicked);
    connect(cmdCancel, &QPushButton::clicked, this, &frmSet::reject);
    connect(cmdDel, &QPushButton::clicked, this, &frmSet::deleteClicked);
    connect(sldAlarmVol, &QSlider::valueChanged, this, &frmSet::setAlarmVol);
    for (int i = 0; i < bandCount; ++i)
        connect(sldTickVol[std::size_t(i)], &QSlider::valueChanged, this,
                [this, i](int value) { setTickVol(i, value); });
    for (QLineEdit* time : {txtHours, txtMinutes, txtSeconds})
        time->installEventFilter(this);
    // Enter anywhere but on another button saves, as the name field's Enter does.
    cmdSet->setDefault(true);
    txtPurpose->setFocus();
}

frmSet::~frmSet() = default;

void frmSet::buildControls() {
    // The caption stands a little lower than the name field; top-aligned, its text lines up with the field's.
    label(this, QStringLiteral("Label4"), QStringLiteral("Clock Name:"), twips(0, 120, 1455, 285),
          Qt::AlignRight | Qt::AlignTop);
    txtPurpose = textBox(this, QStringLiteral("txtPurpose"), QString(), twips(1500, 60, 1395, 285));
    line(this, QStringLiteral("Line1"), twips(60, 405, 8700, 30));

    QGroupBox* time =
        frame(this, QStringLiteral("Frame1"), QStringLiteral("Time"), twips(60, 480, 3135, 1335));
    label(time, QStringLiteral("Label1"), QStringLiteral("Hours:"), twips(420, 240, 645, 285),
          Qt::AlignRight);
    txtHours = textBox(time, QStringLiteral("txtHours"), QStringLiteral("00"), twips(1140, 240, 555, 285),
                       Qt::AlignHCenter);
    // Captions beside a field are as tall as the field, so their text lines up with the field's.
    label(time, QStringLiteral("Label2"), QStringLiteral("Minutes:"), twips(360, 540, 735, 285),
          Qt::AlignRight);
    txtMinutes = textBox(time, QStringLiteral("txtMinutes"), QStringLiteral("00"), twips(1140, 540, 555, 285),
                         Qt::AlignHCenter);
    label(time, QStringLiteral("Label3"), QStringLiteral("Seconds:"), twips(60, 840, 1035, 285),
          Qt::AlignRight);
    txtSeconds = textBox(time, QStringLiteral("txtSeconds"), QStringLiteral("00"), twips(1140, 840, 555, 285),
                         Qt::AlignHCenter);
    opnType[0] = place(new QRadioButton(QStringLiteral("Count Down"), time), QStringLiteral("opnType0"),
                       twips(1860, 420, 1215, 255));
    opnType[1] = place(new QRadioButton(QStringLiteral("Count Up"), time), QStringLiteral("opnType1"),
                       twips(1860, 720, 1215, 255));
    opnType[0]->setChecked(true);
    for (QRadioButton* option : opnType)
        option->setFont(dialogFont(false));

    QGroupBox* linkage =
        frame(this, QStringLiteral("Frame2"), QStringLiteral("Linkage"), twips(3240, 480, 2115, 1335));
    label(linkage, QStringLiteral("Label5"), QStringLiteral("When completed, trigger which clock?"),
          twips(60, 360, 1995, 435), Qt::AlignHCenter, true);
    cmbLink = place(new QComboBox(linkage), QStringLiteral("cmbLink"), twips(180, 900, 1815, 315));
    cmbLink->setFont(dialogFont(false));

    cmdSet = button(this, QStringLiteral("cmdSet"), QStringLiteral("Save Clock"), twips(5520, 600, 2535, 315),
                    true);
    cmdCancel = button(this, QStringLiteral("cmdCancel"), QStringLiteral("Cancel"),
                       twips(5520, 1200, 1095, 315), true);
    cmdDel = button(this, QStringLiteral("cmdDel"), QStringLiteral("Delete clock"),
                    twips(6960, 1200, 1095, 315), false);

    QGroupBox* sounds =
        frame(this, QStringLiteral("Frame3"), QStringLiteral("Sounds"), twips(60, 1860, 8715, 2355));
    chkSound = place(new QCheckBox(QStringLiteral("Sound Active"), sounds), QStringLiteral("chkSound"),
                     twips(120, 180, 1635, 255));
    chkSound->setFont(dialogFont(true));
    chkSound->setChecked(true);
    cmdAdvanced = button(sounds, QStringLiteral("cmdAdvanced"), showAdvancedCaption,
                         twips(2160, 180, 1395, 255), false);
    line(sounds, QStringLiteral("Line2"), twips(0, 465, 8700, 30));

    QLabel* longBand =
        label(sounds, QStringLiteral("Label9"), QStringLiteral("Time > 1 minute, Tick Volume:"),
              twips(1740, 720, 2715, 195), Qt::AlignRight);
    lblTickVol[0] = label(sounds, QStringLiteral("lblTickVol0"), QStringLiteral("5%"),
                          twips(4440, 720, 615, 195), Qt::AlignHCenter);
    sldTickVol[0] = slider(sounds, QStringLiteral("sldTickVol0"), 5, twips(5100, 720, 3495, 255));
    m_advanced = {longBand, lblTickVol[0], sldTickVol[0]};
    static const char* const bands[] = {"Time <= 1 minute", "Time <= 45 seconds", "Time <= 30 seconds",
                                        "Time <= 15 seconds"};
    static const int design[] = {15, 50, 75, 100};
    for (int k = 0; k < 4; ++k) {
        const auto i = std::size_t(k + 1);
        QGroupBox* band = frame(sounds, QStringLiteral("frame_VFrame%1").arg(k),
                                QString::fromLatin1(bands[k]), twips(60 + 2160 * k, 960, 2115, 735));
        label(band, QStringLiteral("Label8%1").arg(k), QStringLiteral("Tick Volume:"),
              twips(120, 180, 1215, 195));
        lblTickVol[i] =
            label(band, QStringLiteral("lblTickVol%1").arg(i), QStringLiteral("%1%").arg(design[k]),
                  twips(1320, 180, 675, 195), Qt::AlignHCenter);
        sldTickVol[i] =
            slider(band, QStringLiteral("sldTickVol%1").arg(i), design[k], twips(60, 420, 1995, 255));
        m_advanced << band;
    }

    label(sounds, QStringLiteral("Label6"), QStringLiteral("Alarm File:"), twips(1680, 1740, 1635, 255));
    cmdBrowse = button(sounds, QStringLiteral("cmdBrowse"), QStringLiteral("Browse"),
                       twips(2580, 1740, 915, 255), false);
    chkAlarm = place(new QCheckBox(QStringLiteral("Enable Alarm"), sounds), QStringLiteral("chkAlarm"),
                     twips(120, 1980, 1515, 285));
    chkAlarm->setFont(dialogFont(true));
    chkAlarm->setChecked(true);
    txtAlarmFile = textBox(sounds, QStringLiteral("txtAlarmFile"), QString(), twips(1680, 1980, 2835, 285));
    QLabel* alarmVolume = label(sounds, QStringLiteral("Label7"), QStringLiteral("Alarm Volume:"),
                                twips(4680, 1740, 1275, 255));
    lblAlarmVol = label(sounds, QStringLiteral("lblAlarmVol"), QStringLiteral("100%"),
                        twips(5940, 1740, 735, 255), Qt::AlignHCenter);
    sldAlarmVol = slider(sounds, QStringLiteral("sldAlarmVol"), 100, twips(4620, 1980, 3975, 255));
    m_advanced << alarmVolume << lblAlarmVol << sldAlarmVol;
    for (QWidget* w : m_advanced)
        w->hide();
}

void frmSet::setTabOrder() {
    const QList<QWidget*> order = {
        txtPurpose,    txtHours,      txtMinutes, txtSeconds, opnType[0],    opnType[1],    cmbLink,
        cmdSet,        cmdCancel,     cmdDel,     chkSound,   sldTickVol[0], sldTickVol[1], sldTickVol[2],
        sldTickVol[3], sldTickVol[4], chkAlarm,   cmdBrowse,  txtAlarmFile,  sldAlarmVol,   cmdAdvanced};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void frmSet::setActiveLink(const QString& strName) {
    const int found = cmbLink->findText(strName, Qt::MatchExactly | Qt::MatchCaseSensitive);
    cmbLink->setCurrentIndex(std::max(found, 0));
}

void frmSet::setAlarmVol(int value) {
    value = std::clamp(value, 0, 100);
    sldAlarmVol->setValue(value);
    lblAlarmVol->setText(QStringLiteral("%1%").arg(value));
}

void frmSet::setTickVol(int index, int value) {
    const auto i = std::size_t(std::clamp(index, 0, bandCount - 1));
    value = std::clamp(value, 0, 100);
    sldTickVol[i]->setValue(value);
    lblTickVol[i]->setText(QStringLiteral("%1%").arg(value));
}

void frmSet::toggleAdvanced() {
    const bool show = cmdAdvanced->text() == showAdvancedCaption;
    cmdAdvanced->setText(show ? hideAdvancedCaption : showAdvancedCaption);
    for (QWidget* w : m_advanced)
        w->setVisible(show);
}

void frmSet::browse() {
    const QString chosen = m_chooser->chooseOpenFile(QStringLiteral("Alarm File"), m_alarmFolder, m_filters);
    // Cancelling the file dialog leaves the alarm as it was.
    if (chosen.isEmpty())
        return;
    txtAlarmFile->setText(chosen);
    chkAlarm->setChecked(true);
}

bool frmSet::eventFilter(QObject* watched, QEvent* event) {
    // A click places the caret after focus arrives, so the whole text is selected once the click is done.
    if (event->type() == QEvent::FocusIn)
        if (auto* field = qobject_cast<QLineEdit*>(watched))
            QTimer::singleShot(0, field, &QLineEdit::selectAll);
    return QDialog::eventFilter(watched, event);
}
