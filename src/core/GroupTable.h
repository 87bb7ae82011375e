#pragma once
#include <QString>
#include <array>

class ClockCollection;

// One record per group 0 to 9, plus the spare record 10 that nothing uses.
struct GroupRecord {
    QString name;
    bool inUse = false;
    float top = 0;
    float left = 0;
    float right = 0;
    float bottom = 0;
};

// The ten groups: their names, whether any clock is in them, and their stored bounding boxes.
class GroupTable {
public:
    static constexpr int groupCount = 10;
    static constexpr bool isGroup(int g) { return g >= 0 && g < groupCount; }
    static constexpr float marginTop = 200, marginLeft = 200, marginBottom = 200, marginRight = 700;

    const GroupRecord& group(int g) const { return m_records[std::size_t(g)]; }
    QString name(int g) const;
    void setName(int g, const QString& name);

    // Recomputes the in-use flags and the boxes from the clocks.
    void computeGroupBounds(const ClockCollection& clocks);
    // Renews only the in-use flags; the boxes keep their last computed edges.
    void refreshGroupUse(const ClockCollection& clocks);
    // Empties every name and clears every in-use flag.
    void clear();

private:
    std::array<GroupRecord, groupCount + 1> m_records{};
};
