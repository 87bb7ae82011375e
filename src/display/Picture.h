#pragma once
#include <QImage>
#include <QSize>

// One picture at normal and at double resolution; the canvas takes the one that suits its screen.
class Picture {
public:
    Picture() = default;
    Picture(QImage normal, QImage doubled) : m_normal(std::move(normal)), m_doubled(std::move(doubled)) {}

    // Size in logical pixels.
    QSize size() const { return m_normal.size(); }
    bool isNull() const { return m_normal.isNull(); }
    const QImage& forScale(double devicePixelRatio) const {
        return devicePixelRatio > 1.0 && !m_doubled.isNull() ? m_doubled : m_normal;
    }

private:
    QImage m_normal;
    QImage m_doubled;
};
