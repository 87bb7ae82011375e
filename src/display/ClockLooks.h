#pragma once
#include <QRectF>
#include <QString>
#include <QVector>
#include <optional>

class ClockCollection;
class clsClock;

// What each clock showed when the canvas was last asked to paint it. A pass that only counted then
// repaints just the clocks whose look changed, instead of the whole board.
class ClockLooks {
public:
    // Takes every clock's look: the whole board is being painted.
    void takeAll(const ClockCollection& clocks);
    // The canvas areas (twips) of the clocks whose look changed since the last take (just the time's band
    // when only the time changed), and takes their new looks. Nothing when more than single faces changed (a
    // clock added, removed, moved or relinked): the whole board must be painted, and every look has been
    // taken for it.
    std::optional<QVector<QRectF>> takeChanged(const ClockCollection& clocks);

private:
    struct Look {
        const clsClock* clock = nullptr;
        float x = 0, y = 0;
        double linkId = 0;
        double time = 0;
        int face = 0;
        bool active = false;
        bool selected = false;
        QString name;

        static Look of(const clsClock& clock);
        // Where it stands and what it links to: a change there moves lines across the board.
        bool samePlace(const Look& other) const;
        // All but the time written on it.
        bool sameFace(const Look& other) const;
    };

    std::vector<Look> m_looks;
};
