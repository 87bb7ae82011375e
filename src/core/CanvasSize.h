#pragma once
#include "core/ICanvasGeometry.h"

// The canvas's size in twips, kept up to date by the window that shows it.
class CanvasSize final : public ICanvasGeometry {
public:
    CanvasSize(double width = 0, double height = 0) : m_width(width), m_height(height) {}
    double canvasWidth() const override { return m_width; }
    double canvasHeight() const override { return m_height; }
    void setSize(double width, double height) {
        m_width = width;
        m_height = height;
    }

private:
    double m_width;
    double m_height;
};
