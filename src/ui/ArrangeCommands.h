#pragma once
#include "core/Arranger.h"

#include <QObject>

class ClockCollection;
class ICanvasGeometry;
class IOptions;
class RepaintScheduler;

// When the board is laid out in rows: on command, and after anything that changes the board's
// size or content while "Auto Arrange Clocks" is checked.
class ArrangeCommands final : public QObject {
    Q_OBJECT
public:
    ArrangeCommands(ClockCollection& clocks, const ICanvasGeometry& canvas, const IOptions& options,
                    RepaintScheduler& repaint, QObject* parent = nullptr);

public slots:
    void autoArrange();
    // After a resize, an added clock or a loaded file.
    void arrangeIfChecked();
    // The menu item has just inverted its check mark: arranging follows only when it is now checked.
    void viewArrangeToggled(bool checked);

private:
    Arranger m_arranger;
    const IOptions& m_options;
    RepaintScheduler& m_repaint;
};
