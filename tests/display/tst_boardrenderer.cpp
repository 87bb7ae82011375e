// The board painted through the real canvas, summed up as letters for the colours where its parts belong.
#include "TestAssets.h"
#include "TestBoard.h"
#include "display/BoardRenderer.h"
#include "display/CanvasWidget.h"
#include "display/ClockLooks.h"
#include "display/ClockPainter.h"
#include "display/PictureStore.h"
#include "display/QPainterCanvas.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

namespace {
// w white, k black, c/R/G the stopped, last ten seconds and running faces, p the face's panel, +/-/y the
// start, stop and reset bars, g/o the plain stand-ins' start and stop bars, b blue, r red, n navy, ? other.
char kind(const QColor& c) {
    static const std::pair<char, QRgb> kinds[] = {
        {'w', 0xffffff}, {'k', 0x000000}, {'c', 0xc2b898}, {'R', 0xda807f}, {'G', 0x95c397},
        {'p', 0x71635f}, {'+', 0xaaf39d}, {'-', 0xf3ab9d}, {'y', 0xf3e59d}, {'g', 0x5ab949},
        {'o', 0xb95b49}, {'b', 0x0000ff}, {'r', 0xff0000}, {'n', 0x000080}};
    for (const auto& [letter, rgb] : kinds) {
        const int r = c.red() - qRed(rgb), g = c.green() - qGreen(rgb), b = c.blue() - qBlue(rgb);
        if (r * r + g * g + b * b < 1600)
            return letter;
    }
    return '?';
}

// "3000,2000at10.5" adds a clock centred there, "#1s" changes clock 1: a start/stop, t time left, s selected,
// g group, l link, i id, n name (1 short, 2 too long), m moved, c a second counted, h no boxes, d1 deleted.
void apply(TestBoard& board, const QString& text) {
    static const QRegularExpression clock("^(-?[\\d.]+|nan|inf),(-?[\\d.]+|nan|inf)(.*)$|^#(\\d)(.*)$"),
        flag("([a-z])(-?[\\d.]*)");
    static const QHash<char, void (*)(TestBoard&, clsClock&, double)> flags = {
        {'a', [](TestBoard&, clsClock& c, double) { c.setActive(!c.active()); }},
        {'t', [](TestBoard&, clsClock& c, double n) { c.setCurrentTime(n); }},
        {'s', [](TestBoard&, clsClock& c, double) { c.setSelected(true); }},
        {'g', [](TestBoard&, clsClock& c, double n) { c.setGroupNum(qint16(n)); }},
        {'l', [](TestBoard&, clsClock& c, double n) { c.setLinkID(n); }},
        {'i', [](TestBoard&, clsClock& c, double n) { c.setStoredId(n); }},
        {'n', [](TestBoard&, clsClock& c, double n) { c.setPurpose(n < 2 ? "Tea" : QString(60, 'W')); }},
        {'m', [](TestBoard&, clsClock& c, double) { c.move(-300, 0); }},
        {'c', [](TestBoard& b, clsClock&, double) { b.clocks.tickAll(1); }},
        {'h', [](TestBoard& b, clsClock&, double) { b.options.setChecked(Option::ViewBounds, false); }},
        {'d', [](TestBoard& b, clsClock&, double n) { b.clocks.deleteClock(int(n)); }}};
    for (const QString& token : text.split(' ', Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch m = clock.match(token);
        clsClock& c = m.hasCaptured(4) ? board.clocks.clock(m.captured(4).toInt()) : board.add(60);
        if (!m.hasCaptured(4))
            c.setPosition(m.captured(1).toFloat(), m.captured(2).toFloat());
        for (auto it = flag.globalMatch(m.captured(m.hasCaptured(4) ? 5 : 3)); it.hasNext();) {
            const QRegularExpressionMatch f = it.next();
            flags.value(f.captured(1)[0].toLatin1())(board, c, f.captured(2).toDouble());
        }
    }
    board.clocks.computeGroupBounds();
}

// What shows at each probe (twips): "x,y" a pixel's letter; "x,y,w,h" the letters of 15 or more of its
// pixels; "=x,y,w,h" whether it is as in `before`; "%x,y,w,h" its ink's width x height + top and darkness.
QString seen(const QImage& image, const QImage& before, const QString& probes) {
    QStringList out;
    for (const QString& probe : probes.split(' ', Qt::SkipEmptyParts)) {
        QList<int> v;
        for (const QString& n : probe.mid(probe[0].isDigit() ? 0 : 1).split(','))
            v << int(std::lround(n.toDouble() / 15.0));
        const QRect r(v[0], v[1], v.value(2, 1), v.value(3, 1));
        QMap<char, int> count;
        QRect bounds;
        int darkness = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                ++count[kind(image.pixelColor(x, y))];
                bounds |= image.pixel(x, y) != 0xffffffff ? QRect(x, y, 1, 1) : QRect();
                darkness += 255 - qGray(image.pixel(x, y));
            }
        QString letters;
        for (auto it = count.cbegin(); it != count.cend(); ++it)
            letters += it.value() >= 15 || v.size() == 2 ? QString(it.key()) : QString();
        if (probe[0] == '=')
            out << (image.copy(r) == before.copy(r) ? "=" : "~");
        else if (probe[0] == '%')
            out << QString::asprintf("%dx%d+%d %d", bounds.width(), bounds.height(), bounds.top(),
                                     darkness / 255);
        else
            out << (v.size() == 2 ? letters : '[' + letters + ']');
    }
    return out.join(' ');
}
} // namespace

class TestBoardRenderer : public QObject {
    Q_OBJECT

    static QRect pixels(const QRectF& t) { return QRectF(t.topLeft() / 15, t.size() / 15).toAlignedRect(); }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // The log; after a change, the areas asked (F face, T time, - none, or whole), "same" as a new picture.
    void board_data() {
        // Face, time's ink, the mask's edge, the start/stop and reset buttons' corner, bar and panel beside.
        const QString clock = "3250,2100 2643,1750,557,200 2430,1965 2460,1965 3555,1755 3780,1770 3540,1860 "
                              "3555,1995 3780,2010 3540,2100";
        // The running one's face lies under the lower half of over's, which links to the far one.
        const QString three = "1500,1000ai4n1 7000,4500n1i5 2400,1400n1l5s", all = "=0,0,9000,6000";
        const QString group =
            "2295,1545 4200,2000 4200,2445 3000,2445 2295,2000 3000,1500 4260,2000 2850,2250 "
            "%2300,1350,1500,150";
        const QString two = "3000,2000 3000,4000at5", plain = "3250,2100 3250,4100 3780,1770 3780,3770";
        const QString gone = "Unable to load picture @ c R ";
        textRows(
            {"clocks", "change", "probes", "seen"},
            {{"stopped", "3000,2000", "", clock, "c [?ckp] w k k + p k y p"},
             {"running exactly 10 s", "3000,2000at10", "", clock, "R [?Rkop] w k k - p k y p"},
             {"running 10.5 s", "3000,2000at10.5", "", clock, "G [?Gkp] w k k - p k y p"},
             // Blue from the source's box to the target's corner, a red disc left of it, under its face.
             {"link right", "3000,2000l77 6000,2000i77", "",
              "4500,1755 5430,1755 5490,1755 2643,1750,557,200", "b r c [?ckp]"},
             {"link down right", "3000,2000l77 7000,4500i77", "",
              "5000,3250 6430,4250 6485,4240 4000,2500,1000,600", "b r c [?bw]"},
             {"links to no one", "3000,2000l0.99 6000,4000i1 3000,4000l12345", "", all.mid(1), "[+?Gcgkpwy]"},
             // Group 0's navy box, its label in plain type; later clocks over earlier ones, boxes over all.
             {"group box", "3000,2000g0 3300,2300a", "", group, "n n n n n w w G 46x6+94 56"},
             {"no boxes", "3000,2000g0h 3300,2300a", "", group, "w w k G w w w G 0x0+0 0"},
             {"outline", "3000,4500 3000,2000sg2i11l12 nan,2000sg2i12l11 inf,infsg2i13l11", "",
              "2445,1695 2430,1680 3000,1695 3555,2000 2445,2295 3000,1650 2445,4500 3250,2210",
              "r r r r r w w c"},
             {"nothing changed", three, "#0", all, "--- same ="},
             {"a second counted", three, "#0c", all, "T-- same ~"},
             {"selected", three, "#1s", all, "-F- same ~"},
             {"stopped under another", three, "#0a", all, "F-- same ~"},
             {"moved", three, "#1m", all, "whole same ~"},
             {"relinked", three, "#2l4", all, "whole same ~"},
             {"removed", three, "#1d1", all, "whole same ~"},
             // A name stays on its face's panel; one too long for it leaves the buttons' panel alone.
             {"long name", "3000,2000", "#0n2", "=2525,2000,965,250 =3505,2000,675,250", "F same ~ ="},
             // A picture missing, of the wrong size or not a file is logged; a plain stand-in shows.
             {"red face missing", "gone:box1.png " + two, "", plain, gone + "+ -"},
             {"mask of the wrong size", "small:boxMatte.png " + two, "", plain,
              "Picture of the wrong size (10 x 10, not 118 x 50): @ c R + -"},
             {"start bar a named pipe", "pipe:button1.png " + two, "", plain, gone + "g -"}});
    }
    void board() {
        QFETCH(QString, clocks);
        QFETCH(QString, change);
        const QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("pictures"));
        const QDir assets(TestAssets::programFolder() + "/pictures");
        for (const QString& name : assets.entryList(QDir::Files))
            QVERIFY(QFile::copy(assets.filePath(name), dir.filePath("pictures/" + name)));
        const QString damage = clocks.contains(':') ? clocks.section(' ', 0, 0) : QString();
        const QString path = dir.filePath("pictures/" + damage.section(':', 1));
        QVERIFY(damage.isEmpty() || QFile::remove(path));
        QVERIFY(!damage.startsWith("small") || QImage(10, 10, QImage::Format_RGB32).save(path));
        QVERIFY(!damage.startsWith("pipe") || mkfifo(qPrintable(path), 0600) == 0);
        FakeSoundService sound;
        MemoryErrorLog log;
        TestBoard b(sound, log, dir.path());
        const CanvasWidget widget(b.clocks, b.canvas);
        QString state = log.lines.join('|').replace(path, "@ ");
        const PictureStore pictures(dir.path()); // the same as the widget's
        const auto paint = [&](QImage image, const QRegion& area, QPainterCanvas& canvas) {
            canvas.begin(image, 1.0, area);
            BoardRenderer(pictures).render(canvas, b.clocks, b.options);
            canvas.end();
            return image;
        };
        apply(b, clocks.mid(damage.size()));
        const QImage blank(600, 400, QImage::Format_RGB32);
        const QRegion all(blank.rect());
        // Both canvases share a history: a text shown in two pictures running is copied from an image made.
        QPainterCanvas kept(Qt::white), fresh(Qt::white);
        paint(blank, all, fresh);
        ClockLooks looks;
        looks.takeAll(b.clocks);
        QImage before = paint(blank, all, kept), image = before;
        if (!change.isEmpty()) {
            apply(b, change);
            const std::optional<QVector<QRectF>> areas = looks.takeChanged(b.clocks);
            QRegion asked;
            for (const QRectF& a : areas.value_or(QVector<QRectF>()))
                asked += pixels(a);
            for (int i = 0; i < b.clocks.clockCount() && areas; ++i) {
                const QRect face = pixels(ClockPainter::area(b.clocks.clock(i)));
                const QRect time = pixels(ClockPainter::timeArea(b.clocks.clock(i)));
                state += asked.intersected(face) == face ? 'F' : asked.intersected(time) == time ? 'T' : '-';
            }
            QCOMPARE(looks.takeChanged(b.clocks)->size(), 0); // taken: nothing more is asked for
            image = paint(before, areas ? asked : all, kept);
            state +=
                (areas ? "" : "whole") + QString(image == paint(blank, all, fresh) ? " same " : " differs ");
        }
        QFETCH(QString, probes);
        QTEST(state + seen(image, before, probes), "seen");
    }

    // A text is drawn directly, then copied from an image made ready that follows a new colour and density.
    void canvasText() {
        QPainterCanvas canvas(Qt::white);
        QImage image(300, 80, QImage::Format_RGB32);
        QStringList shown;
        for (const QString& picture :
             QString("1:black:b 1:black:b 1:red:b 2:black:b 2:black:b 0:black:p 0:black:p").split(' ')) {
            canvas.begin(image, picture.section(':', 0, 0).toDouble());
            canvas.clear();
            canvas.setBold(picture.endsWith(":b"));
            canvas.setForeColor(QColor(picture.section(':', 1, 1)));
            canvas.text(150, 150, QStringLiteral("00:00:05"));
            canvas.end();
            shown << seen(image, image, "%0,0,4500,1200");
        }
        QCOMPARE(shown.join(", "), "44x8+14 157, 44x8+14 157, 44x8+14 103, 84x15+28 572, 84x15+28 572, "
                                   "43x8+14 106, 43x8+14 106");
    }
};

QTEST_MAIN(TestBoardRenderer)
#include "tst_boardrenderer.moc"
