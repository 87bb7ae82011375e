#pragma once
#include <QString>

// The ten "Group Names" menu items, as the group commands see them.
class IGroupMenuCaptions {
public:
    virtual ~IGroupMenuCaptions() = default;
    virtual void setGroupMenuCaption(int group, const QString& caption) = 0;
    // Back to "Group &0" … "Group &9", when the names they showed no longer exist.
    virtual void resetGroupMenuCaptions() = 0;
};
