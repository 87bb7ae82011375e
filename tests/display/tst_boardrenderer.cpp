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
#include <memory>
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
// g group, l link, i id, n name (1 "Tea", 2 too long), m moved left, d deleted; c counts a second, h hides
// boxes.
void apply(TestBoard& board, const QString& text) {
    static const QString names[] = {"", "Tea",
                                    "Proof the dough, then shape and bake at two hundred degrees."};
    static const QRegularExpression clock("^(-?[\\d.]+|nan|inf),(-?[\\d.]+|nan|inf)(.*)$|^#(\\d)(.*)$"),
        flag("([a-z])(-?[\\d.]*)");
    using Flag = void (*)(TestBoard&, clsClock&, double);
    static const QHash<char, Flag> flags = {
        {'a', [](TestBoard&, clsClock& c, double) { c.setActive(!c.active()); }},
        {'t', [](TestBoard&, clsClock& c, double n) { c.setCurrentTime(n); }},
        {'s', [](TestBoard&, clsClock& c, double) { c.setSelected(true); }},
        {'g', [](TestBoard&, clsClock& c, double n) { c.setGroupNum(qint16(n)); }},
        {'l', [](TestBoard&, clsClock& c, double n) { c.setLinkID(n); }},
        {'i', [](TestBoard&, clsClock& c, double n) { c.setStoredId(n); }},
        {'n', [](TestBoard&, clsClock& c, double n) { c.setPurpose(names[int(n)]); }},
        {'m', [](TestBoard&, clsClock& c, double) { c.move(-300, 0); }},
        {'c', [](TestBoard& b, clsClock&, double) { b.clocks.tickAll(1); }},
        {'h', [](TestBoard& b, clsClock&, double) { b.options.setChecked(Option::ViewBounds, false); }},
        {'d',
         [](TestBoard& b, clsClock& c, double) { b.clocks.deleteClock(b.clocks.findClockIndex(c.ID())); }}};
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

QString letters(const QImage& image, const QRect& r) {
    QMap<char, int> count;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            ++count[kind(image.pixelColor(x, y))];
    QString out;
    for (auto it = count.cbegin(); it != count.cend(); ++it)
        out += it.value() >= 15 ? QString(it.key()) : QString();
    return '[' + out + ']';
}

// The bounds of what is not white, as width x height + top, and its darkness in whole pixels.
QString ink(const QImage& image, const QRect& r) {
    QRect bounds;
    int darkness = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            bounds |= image.pixel(x, y) != 0xffffffff ? QRect(x, y, 1, 1) : QRect();
            darkness += 255 - qGray(image.pixel(x, y));
        }
    return QString::asprintf("%dx%d+%d %d", bounds.width(), bounds.height(), bounds.top(), darkness / 255);
}
} // namespace

class TestBoardRenderer : public QObject {
    Q_OBJECT

    std::unique_ptr<PictureStore> m_pictures;

    static int px(double twips) { return int(std::lround(twips / 15.0)); }
    static QRect pixels(const QRectF& t) {
        return QRectF(t.topLeft() / 15.0, t.bottomRight() / 15.0).toAlignedRect();
    }

    QImage paint(const TestBoard& board, QImage image, const QRegion& area, QPainterCanvas& canvas,
                 const PictureStore* pictures = nullptr) const {
        canvas.begin(image, 1.0, area);
        BoardRenderer(pictures ? *pictures : *m_pictures).render(canvas, board.clocks, board.options);
        canvas.end();
        return image;
    }
    // What shows at each probe: "x,y" a pixel's letter; "x,y,w,h" the letters of 15 or more of its pixels;
    // "=x,y,w,h" whether it is as in `before`; "%x,y,w,h" its ink.
    static QString seen(const QImage& image, const QImage& before, const QString& probes) {
        QStringList out;
        for (const QString& probe : probes.split(' ', Qt::SkipEmptyParts)) {
            QList<int> v;
            for (const QString& n : probe.mid(probe[0].isDigit() ? 0 : 1).split(','))
                v << px(n.toDouble());
            const QRect r = v.size() == 4 ? QRect(v[0], v[1], v[2], v[3]) : QRect();
            if (v.size() == 2)
                out << QString(kind(image.pixelColor(v[0], v[1])));
            else if (probe[0] == '=')
                out << (image.copy(r) == before.copy(r) ? "=" : "~");
            else
                out << (probe[0] == '%' ? ink(image, r) : letters(image, r));
        }
        return out.join(' ');
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        // The build tree keeps pictures/ beside the program, a folder above the tests.
        m_pictures = std::make_unique<PictureStore>(QCoreApplication::applicationDirPath() + "/..");
        QVERIFY2(m_pictures->complete(), qPrintable(m_pictures->problems().join(QLatin1Char(' '))));
    }

    // A board painted whole; after a change, each clock's area asked for (F face, T its time's band, - none,
    // or "whole") and whether the last picture painted over there equals a whole new one; then the probes.
    void board_data() {
        // Face, time's ink, the mask's edge, the start/stop and reset buttons' corner, bar and panel beside.
        const QString clock = "3250,2100 2643,1750,557,200 2430,1965 2460,1965 3555,1755 3780,1770 3540,1860 "
                              "3555,1995 3780,2010 3540,2100";
        // The running one's face lies under the lower half of over's, which links to the far one.
        const QString three = "1500,1000ai4n1 7000,4500n1i5 2400,1400n1l5s", all = "=0,0,9000,6000";
        const QString group =
            "2295,1545 4200,2000 4200,2445 3000,2445 2295,2000 3000,1500 4260,2000 2850,2250";
        const QString panels = "=2525,2000,965,250 =3505,2000,675,250"; // the name's and the buttons'
        textRows({"clocks", "change", "probes", "seen"},
                 {{"stopped", "3000,2000", "", clock, "c [?ckp] w k k + p k y p"},
                  {"running exactly 10 s", "3000,2000at10", "", clock, "R [?Rkop] w k k - p k y p"},
                  {"running 10.5 s", "3000,2000at10.5", "", clock, "G [?Gkp] w k k - p k y p"},
                  {"running, overshot", "3000,2000at-2", "", clock, "R [?Rkop] w k k - p k y p"},
                  // Blue from the source's box to the target's corner, a red disc left of it, under its face.
                  {"link right", "3000,2000l77 6000,2000i77", "",
                   "4500,1755 5430,1755 5490,1755 2643,1750,557,200", "b r c [?ckp]"},
                  {"link below", "3000,2000l77 3000,4000i77", "", "2505,3000 2430,3750 2505,3740", "b r c"},
                  {"link down right", "3000,2000l77 7000,4500i77", "",
                   "5000,3250 6430,4250 6485,4240 "
                   "4000,2500,1000,600",
                   "b r c [?bw]"},
                  {"link up left", "3000,2000l77 1000,400i77", "", "1500,950 430,150 515,160", "b r c"},
                  {"link below one", "3000,2000l0.99 6000,4000i1", "", "4500,3000 5430,3750", "w w"},
                  {"link to nobody", "3000,2000l12345 6000,4000i77", "", "4500,3000 5430,3750", "w w"},
                  {"corner past left edge", "3000,2000l77 499,4000i77", "", "1250,3000", "w"},
                  // Group 0's navy box and label in plain type; a later clock over an earlier one, boxes over
                  // both.
                  {"group box", "3000,2000g0 3300,2300a", "", group + " %2300,1350,1500,150",
                   "n n n n n w w G 46x6+94 56"},
                  {"no boxes", "3000,2000g0h 3300,2300a", "", group + " %2300,1350,1500,150",
                   "w w k G w w w G 0x0+0 0"},
                  // The selection outline, two pixels wide, beside clocks at positions that are not numbers.
                  {"outline", "3000,4500 3000,2000sg2i11l12 nan,2000sg2i12l11 inf,infsg2i13l11", "",
                   "2445,1695 2430,1680 3000,1695 3555,2000 2445,2295 3000,1650 2445,4500 3250,2210",
                   "r r r r r w w c"},
                  {"nothing changed", three, "#0", all, "--- same ="},
                  {"a second counted", three, "#0c", all, "T-- same ~"},
                  {"selected", three, "#1s", all, "-F- same ~"},
                  {"renamed", three, "#1n2", all, "-F- same ~"},
                  {"stopped under another", three, "#0a", all, "F-- same ~"},
                  {"moved", three, "#1m", all, "whole same ~"},
                  {"relinked", three, "#2l4", all, "whole same ~"},
                  {"added", three, "5000,1000", all, "whole same ~"},
                  {"removed", three, "#1d", all, "whole same ~"},
                  // A name stays on its face's panel; one too long for it leaves the buttons' panel alone.
                  {"short name", "3000,2000", "#0n1", panels, "F same ~ ="},
                  {"long name", "3000,2000", "#0n2", panels, "F same ~ ="}});
    }
    void board() {
        QFETCH(QString, clocks);
        QFETCH(QString, change);
        TestBoard b;
        apply(b, clocks);
        const QImage blank(600, 400, QImage::Format_RGB32);
        const QRegion all(blank.rect());
        // Both canvases share a history: a text shown in two pictures running is copied from an image made.
        QPainterCanvas kept(Qt::white), fresh(Qt::white);
        paint(b, blank, all, fresh);
        ClockLooks looks;
        looks.takeAll(b.clocks);
        QImage before = paint(b, blank, all, kept), image = before;
        QString state;
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
            image = paint(b, before, areas ? asked : all, kept);
            state += (areas ? "" : "whole") +
                     QString(image == paint(b, blank, all, fresh) ? " same " : " differs ");
        }
        QFETCH(QString, probes);
        QTEST(state + seen(image, before, probes), "seen");
    }

    // A picture missing, of the wrong size or no file at all is named once in the error log, and a plain
    // stand-in keeps the faces' colours and the buttons (green "Start", red "Stop") in place.
    void plainStandIns_data() {
        textRows({"file", "damage", "seen"},
                 {{"red face missing", "box1.png", "gone", "Unable to load picture @ c R + -"},
                  {"mask of the wrong size", "boxMatte.png", "small",
                   "Picture of the wrong size (10 x 10, not 118 x 50): @ c R + -"},
                  {"start bar a named pipe", "button1.png", "pipe", "Unable to load picture @ c R g -"},
                  {"stop bar missing", "button2.png", "gone", "Unable to load picture @ c R + o"}});
    }
    void plainStandIns() {
        QFETCH(QString, file);
        QFETCH(QString, damage);
        const QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("pictures"));
        const QDir assets(TestAssets::programFolder() + "/pictures");
        for (const QString& name : assets.entryList(QDir::Files))
            QVERIFY(QFile::copy(assets.filePath(name), dir.filePath("pictures/" + name)));
        const QString path = dir.filePath("pictures/" + file);
        QVERIFY(QFile::remove(path));
        QVERIFY(damage != "small" || QImage(10, 10, QImage::Format_RGB32).save(path));
        QVERIFY(damage != "pipe" || mkfifo(qPrintable(path), 0600) == 0);
        FakeSoundService sound;
        MemoryErrorLog log;
        TestBoard board(sound, log, dir.path());
        const CanvasWidget widget(board.clocks, board.canvas);
        const QString logged = log.lines.join('|').replace(path, "@ ");
        apply(board, "3000,2000 3000,4000at5");
        const PictureStore pictures(dir.path()); // the same stand-ins the widget drew with
        QPainterCanvas canvas(Qt::white);
        const QImage image =
            paint(board, QImage(600, 400, QImage::Format_RGB32), QRect(0, 0, 600, 400), canvas, &pictures);
        QTEST(logged + seen(image, image, "3250,2100 3250,4100 3780,1770 3780,3770"), "seen");
    }

    // The window's canvas: a counted second paints the running clock's time and leaves the far clock.
    void canvasPaintsChangedClocksOnly() {
        TestBoard board;
        apply(board, "1500,1000a 7000,4500");
        CanvasWidget canvas(board.clocks, board.canvas);
        canvas.resize(600, 400);
        canvas.show();
        QVERIFY(QTest::qWaitForWindowExposed(&canvas));
        canvas.repaintWhole();
        QTest::qWait(100); // the picture asked for is painted, not merged with the next one
        QCOMPARE(canvas.lastPaintedArea(), QRegion(canvas.rect()));
        apply(board, "#0c");
        canvas.repaintChangedClocks();
        QTRY_VERIFY(canvas.lastPaintedArea() != QRegion(canvas.rect()));
        QVERIFY(canvas.lastPaintedArea().contains(pixels(ClockPainter::timeArea(board.clocks.clock(0)))));
        QVERIFY(!canvas.lastPaintedArea().intersects(pixels(ClockPainter::area(board.clocks.clock(1)))));
        apply(board, "#1m");
        canvas.repaintChangedClocks();
        QTRY_COMPARE(canvas.lastPaintedArea(), QRegion(canvas.rect()));
    }

    // One text in successive pictures on the canvas itself (density:colour:weight): each one's ink and
    // colours. It is drawn directly, then copied from an image made ready, which follows a new colour and
    // density.
    void canvasText() {
        QPainterCanvas canvas(Qt::white);
        QImage image(300, 80, QImage::Format_RGB32);
        QStringList seen;
        for (const QString& picture :
             QString("1:black:b 1:black:b 1:red:b 2:black:b 2:black:b 0:black:p 0:black:p").split(' ')) {
            canvas.begin(image, picture.section(':', 0, 0).toDouble());
            canvas.clear();
            canvas.setBold(picture.endsWith(":b"));
            canvas.setForeColor(QColor(picture.section(':', 1, 1)));
            canvas.text(150, 150, QStringLiteral("00:00:05"));
            canvas.end();
            seen << ink(image, image.rect()) + ' ' + letters(image, image.rect());
        }
        QCOMPARE(seen.join(", "),
                 "44x8+14 157 [?kpw], 44x8+14 157 [?kpw], 44x8+14 103 [-?Rrw], 84x15+28 572 [?ckpw], "
                 "84x15+28 572 [?ckpw], 43x8+14 106 [?cpw], 43x8+14 106 [?cpw]");
    }
};

QTEST_MAIN(TestBoardRenderer)
#include "tst_boardrenderer.moc"
