#pragma once
#include <QPointF>
#include <QRgb>

class QImage;

// Antialiased straight lines of any width, written straight into a 32-bit image. For the long slanted
// link lines this is many times faster than stroking a path, and looks the same.
class LineRasterizer {
public:
    // A line from a to b (device pixels, pixel edges on whole numbers) of the given width, its ends cut
    // straight across at a and b, in an opaque colour. Pixels outside the image are skipped. The image must
    // be RGB32, ARGB32 or ARGB32_Premultiplied; others are left untouched.
    static void drawLine(QImage& image, QPointF a, QPointF b, double width, QRgb colour);
};
