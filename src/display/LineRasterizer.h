#pragma once
#include <QPointF>
#include <QRgb>

class QImage;
class QRect;

// Antialiased straight lines of any width, written straight into a 32-bit image; they look like QPainter's.
// Measured for 2 px link lines: 1.8 times as fast as QPainter's antialiased stroke (bench BM_SlantedLines,
// 9.9 against 18.1 ms of CPU for 1000 lines), and 26-33 % less CPU for a whole picture of 100 or 1000
// linked clocks (BM_DrawBoard with either line, medians of interleaved runs).
class LineRasterizer {
public:
    // A line from a to b (device pixels, pixel edges on whole numbers) of the given width, its ends cut
    // straight across at a and b, in an opaque colour. Pixels outside the image are skipped. The image must
    // be RGB32, ARGB32 or ARGB32_Premultiplied; others are left untouched.
    static void drawLine(QImage& image, QPointF a, QPointF b, double width, QRgb colour);
    // The same, touching only pixels within clip.
    static void drawLine(QImage& image, QPointF a, QPointF b, double width, QRgb colour, const QRect& clip);
};
