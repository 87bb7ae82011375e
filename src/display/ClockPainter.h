#pragma once
#include "display/Picture.h"

#include <QFontMetricsF>
#include <QHash>
#include <QRectF>
#include <QString>

class ICanvas;
class PictureStore;
class clsClock;

// Paints one clock: its face in the colour of its state, time, name, the two buttons with their
// captions, and the red outline when it is selected.
class ClockPainter {
public:
    // Face picture for the state: 0 cream (stopped), 1 red (running, 10 s or less), 2 green (running).
    static int faceIndex(const clsClock& clock);

    // Everything a clock's drawing can touch, in canvas twips: its face picture, which holds the buttons
    // and the selection outline, with room for the lines' edges.
    static QRectF area(const clsClock& clock);
    // The part of that area where the time is written: the band along the top of the face's panel.
    static QRectF timeArea(const clsClock& clock);

    explicit ClockPainter(const PictureStore& pictures);

    // Leaves the line width at 2, the foreground colour black (red after a selected clock) and bold off.
    void draw(ICanvas& canvas, const clsClock& clock) const;

    // The name as it fits on the face's panel: a longer one is cut and ends in "…".
    QString shownName(const QString& name) const;

private:
    const PictureStore& m_pictures;
    // A caption always sits at the same place on the same bar, so the bars carry them ready-made:
    // "Start" on green, "Stop" on red, "Rset" on yellow.
    Picture m_start;
    Picture m_stop;
    Picture m_reset;
    QFontMetricsF m_nameMetrics;
    mutable QHash<QString, QString> m_shownNames; // names rarely change, so each is measured once
};
