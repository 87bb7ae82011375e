#include "ui/MainWindowBoard.h"

#include "clock/ClockGeometry.h"
#include "core/RepaintScheduler.h"
#include "ui/GroupCommands.h"
#include "ui/frmMain.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>

MainWindowBoard::MainWindowBoard(frmMain& window, GroupCommands& groups, RepaintScheduler& repaint)
    : m_window(window), m_groups(groups), m_repaint(repaint) {}

WindowTwips MainWindowBoard::placement() const {
    const QRect outer = m_window.frameGeometry();
    const float twips = float(ClockGeometry::twipsPerPixel);
    return {float(outer.left()) * twips, float(outer.top()) * twips, float(outer.width()) * twips,
            float(outer.height()) * twips};
}

namespace {
// Twips to whole pixels; what is no number or lies far beyond any screen keeps the current value.
int pixels(const std::optional<float>& twips, int current) {
    if (!twips || !std::isfinite(*twips))
        return current;
    const double px = std::round(double(*twips) / ClockGeometry::twipsPerPixel);
    return int(std::clamp(px, -1.0e6, 1.0e6));
}

qint64 overlap(const QRect& a, const QRect& b) {
    const QRect both = a.intersected(b);
    return both.isEmpty() ? 0 : qint64(both.width()) * both.height();
}
} // namespace

QRect MainWindowBoard::fitToScreens(const QRect& wanted, const QList<QRect>& available,
                                    const QSize& minimum) {
    if (available.isEmpty())
        return wanted;
    QRect screen = available.first();
    qint64 best = 0;
    for (const QRect& area : available) {
        const qint64 shared = overlap(wanted, area);
        if (shared > best) {
            best = shared;
            screen = area;
        }
    }
    const int width = std::clamp(wanted.width(), std::min(minimum.width(), screen.width()), screen.width());
    const int height =
        std::clamp(wanted.height(), std::min(minimum.height(), screen.height()), screen.height());
    const int left = std::clamp(wanted.left(), screen.left(), screen.left() + screen.width() - width);
    const int top = std::clamp(wanted.top(), screen.top(), screen.top() + screen.height() - height);
    return {left, top, width, height};
}

void MainWindowBoard::applyPlacement(const StoredPlacement& stored) {
    const QRect outer = m_window.frameGeometry();
    const QRect wanted(pixels(stored.left, outer.left()), pixels(stored.top, outer.top()),
                       pixels(stored.width, outer.width()), pixels(stored.height, outer.height()));
    QList<QRect> available;
    for (const QScreen* screen : QGuiApplication::screens())
        available << screen->availableGeometry();
    const QSize frame = outer.size() - m_window.size();
    const QRect fitted = fitToScreens(wanted, available, m_window.minimumSizeHint() + frame);
    m_window.move(fitted.topLeft());
    m_window.resize(fitted.size() - frame);
}

void MainWindowBoard::setCaption(const QString& caption) {
    m_window.setWindowTitle(caption);
}

void MainWindowBoard::setGroupMenuCaption(int group) {
    m_groups.setGroupMenuCaption(group);
}

void MainWindowBoard::resetGroupMenuCaptions() {
    m_groups.resetGroupMenuCaptions();
}

void MainWindowBoard::boardReplaced() {
    m_repaint.request();
}
