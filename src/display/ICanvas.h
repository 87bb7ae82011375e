#pragma once
#include <QColor>
#include <QString>

class Picture;

// What the board's painters need from a drawing surface. Every position and size is in canvas twips;
// foreground colour, line width and bold are state that stays until it is changed.
class ICanvas {
public:
    enum class Combine {
        Copy, // the picture's pixels replace the canvas
        Blend // the picture's own transparency decides
    };

    virtual ~ICanvas() = default;
    // A picture may be painted in pieces, each a rectangle: the board is drawn once for every piece,
    // after selecting it, and nothing is drawn outside the piece selected.
    virtual int pieceCount() const { return 1; }
    virtual void selectPiece(int /*index*/) {}
    // Whether any part of the rectangle can show in the piece being painted; whatever lies wholly
    // outside it need not be drawn at all.
    virtual bool shows(double /*left*/, double /*top*/, double /*right*/, double /*bottom*/) const {
        return true;
    }
    virtual void clear() = 0;
    virtual void setForeColor(const QColor& colour) = 0;
    // In logical pixels, not twips.
    virtual void setLineWidth(int pixels) = 0;
    virtual void setBold(bool bold) = 0;
    // Paints the whole picture into the rectangle with its top-left at (x, y).
    virtual void drawPicture(const Picture& picture, double x, double y, double width, double height,
                             Combine combine) = 0;
    virtual void line(double x1, double y1, double x2, double y2) = 0;
    // A disc of the given colour, outlined with the current line width.
    virtual void circle(double cx, double cy, double radius, const QColor& colour) = 0;
    // Text in the foreground colour with its top-left corner at (x, y), unclipped.
    virtual void text(double x, double y, const QString& text) = 0;
};
