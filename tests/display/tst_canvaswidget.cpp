// The canvas widget on a double-density screen: every paint draws the whole board into a back buffer
// of device pixels and shows it, so a change shows at the next paint and pictures stay sharp.
#include "DisplayTestSupport.h"
#include "TestBoard.h"
#include "clock/clsClock.h"
#include "display/CanvasWidget.h"

#include <QApplication>
#include <QStandardPaths>
#include <QtTest>

using namespace DisplayTest;

class TestCanvasWidget : public QObject {
    Q_OBJECT

private slots:
    void paintsBoardSharply() {
        TestBoard fakes;
        const ClockEnvironment env{fakes.time,  fakes.options, fakes.canvas,   fakes.random,
                                   fakes.sound, fakes.log,     programFolder()};
        ClockCollection clocks(env);
        clsClock* clock = clocks.appendClock();
        clock->setPosition(3000, 2000);
        clock->setCurrentTime(60);

        CanvasWidget widget(clocks, fakes.canvas);
        QVERIFY(widget.pictures().complete());
        widget.resize(400, 300);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        QCOMPARE(widget.devicePixelRatioF(), 2.0);

        QImage shown = widget.grab().toImage();
        const QImage& buffer = widget.backBuffer();
        QCOMPARE(buffer.size(), QSize(800, 600));
        QCOMPARE(buffer.devicePixelRatio(), 2.0);
        QCOMPARE(shown.convertToFormat(QImage::Format_RGB32), buffer);

        QCOMPARE(faceColour(pixelAt(buffer, 3250, 2100, 2)), 0);
        // The start button's border is two device pixels of pure black, then the bar.
        const int bx = px(3550, 2), by = px(1750, 2);
        QCOMPARE(buffer.pixelColor(bx, by + 10), QColor(Qt::black));
        QCOMPARE(buffer.pixelColor(bx + 1, by + 10), QColor(Qt::black));
        QVERIFY(buffer.pixelColor(bx + 2, by + 10) != Qt::black);

        clock->setActive(true);
        shown = widget.grab().toImage();
        QCOMPARE(faceColour(pixelAt(widget.backBuffer(), 3250, 2100, 2)), 2);
    }
};

int main(int argc, char* argv[]) {
    QStandardPaths::setTestModeEnabled(true);
    qputenv("QT_SCALE_FACTOR", "2"); // a double-density screen
    QApplication app(argc, argv);
    TestCanvasWidget test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_canvaswidget.moc"
