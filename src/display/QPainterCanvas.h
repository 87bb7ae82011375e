#pragma once
#include "clock/ClockGeometry.h"
#include "display/ICanvas.h"

#include <QFont>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <vector>

// The board's canvas over a back buffer. Positions are twips, turned into whole device pixels so that
// pictures are copied pixel for pixel and lines and text stay sharp at any device pixel ratio.
// One canvas lives as long as its window and paints one picture between begin() and end(). Texts and
// discs that showed in the previous picture are kept as ready-made images, because most of a board
// looks the same next time and copying an image costs a fraction of laying out and drawing glyphs.
class QPainterCanvas final : public ICanvas {
public:
    static constexpr double fontTwips = 160.0; // 8 pt
    // Beyond this, further texts are drawn directly each time.
    static constexpr qsizetype textCacheBytes = 32 * 1024 * 1024;
    // Longer texts (a name pasted by mistake) are drawn directly rather than kept as a wide image.
    static constexpr qsizetype maxCachedLength = 200;

    explicit QPainterCanvas(const QColor& background);
    // Begins painting at once and ends when destroyed.
    QPainterCanvas(QImage& target, const QColor& background, double devicePixelRatio);
    ~QPainterCanvas() override;
    QPainterCanvas(const QPainterCanvas&) = delete;
    QPainterCanvas& operator=(const QPainterCanvas&) = delete;

    // target holds device pixels, devicePixelRatio of them to a logical pixel. Starts with line width 1,
    // black foreground and bold off.
    void begin(QImage& target, double devicePixelRatio);
    // Paints only within area (device pixels), one of its rectangles at a time, and keeps the rest of the
    // target as it is.
    void begin(QImage& target, double devicePixelRatio, const QRegion& area);
    void end();
    void setBackground(const QColor& background) { m_background = background; }

    // The canvas's own font: a small sans-serif face.
    static QFont canvasFont(double devicePixelRatio, bool bold);

    int pieceCount() const override { return int(m_pieces.size()); }
    void selectPiece(int index) override;
    bool shows(double left, double top, double right, double bottom) const override;
    void clear() override;
    void setForeColor(const QColor& colour) override;
    void setLineWidth(int pixels) override;
    void setBold(bool bold) override;
    void drawPicture(const Picture& picture, double x, double y, double width, double height,
                     Combine combine) override;
    void line(double x1, double y1, double x2, double y2) override;
    void circle(double cx, double cy, double radius, const QColor& colour) override;
    void text(double x, double y, const QString& text) override;

private:
    struct CachedText {
        QImage image;  // the text in its colour over transparency, once it has shown twice running
        QPoint offset; // of the image from the text's baseline origin
        QRgb colour = 0;
        quint64 lastPicture = 0;
    };
    struct Disc {
        QImage image;
        quint64 lastPicture = 0;
    };

    int devicePixels(double twips) const;
    // A line's end on the pixel grid: whole pixels for even pen widths, pixel centres for odd ones.
    QPointF penPoint(double x, double y) const;
    void applyPen();
    const QImage& disc(int diameter, const QColor& colour);
    void renderText(CachedText& cached, const QString& text, const QFont& font);
    void drawTextDirectly(QPoint baseline, const QString& text);
    void dropUnused();

    QPainter m_painter;
    QImage* m_target = nullptr;
    QColor m_background;
    double m_dpr = 1.0;
    double m_scale = 1.0 / ClockGeometry::twipsPerPixel; // device pixels per twip
    QColor m_fore{Qt::black};
    int m_penWidth = 1; // device pixels
    bool m_bold = false;
    bool m_painterBold = false; // the font the painter holds
    QFont m_fonts[2];
    int m_ascent[2] = {0, 0};
    quint64 m_picture = 0;       // counts begin()
    quint64 m_lastWhole = 0;     // the last picture of the whole target
    std::vector<QRect> m_pieces; // the rectangles of device pixels painted in this picture
    QRect m_piece;               // the one being painted
    bool m_whole = true;
    QHash<QString, CachedText> m_texts[2];
    qsizetype m_textBytes = 0;
    QHash<quint64, Disc> m_discs;
};
