#include "ui/ArrangeCommands.h"

#include "core/IOptions.h"
#include "core/RepaintScheduler.h"

ArrangeCommands::ArrangeCommands(ClockCollection& clocks, const ICanvasGeometry& canvas,
                                 const IOptions& options, RepaintScheduler& repaint, QObject* parent)
    : QObject(parent), m_arranger(clocks, canvas), m_options(options), m_repaint(repaint) {}

void ArrangeCommands::autoArrange() {
    m_arranger.autoArrange();
    m_repaint.request();
}

void ArrangeCommands::arrangeIfChecked() {
    if (m_options.isChecked(Option::ViewArrange))
        autoArrange();
}

void ArrangeCommands::viewArrangeToggled(bool checked) {
    if (checked)
        autoArrange();
}
