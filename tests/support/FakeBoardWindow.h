#pragma once
#include "files/IBoardWindow.h"

#include <QStringList>

// Remembers what the file commands did to the window.
class FakeBoardWindow final : public IBoardWindow {
public:
    WindowTwips place{1200, 900, 10200, 6900};
    QString caption;
    QStringList groupCaptions; // "3" for every group caption set, "reset" for every reset
    int replaced = 0;

    WindowTwips placement() const override { return place; }
    void applyPlacement(const StoredPlacement& stored) override {
        place = {stored.left.value_or(place.left), stored.top.value_or(place.top),
                 stored.width.value_or(place.width), stored.height.value_or(place.height)};
    }
    void setCaption(const QString& text) override { caption = text; }
    void setGroupMenuCaption(int group) override { groupCaptions << QString::number(group); }
    void resetGroupMenuCaptions() override { groupCaptions << QStringLiteral("reset"); }
    void boardReplaced() override { ++replaced; }
};
