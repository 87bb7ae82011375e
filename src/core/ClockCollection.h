#pragma once
#include "core/ClockEnvironment.h"
#include "core/GroupTable.h"
#include "core/IClockHost.h"

#include <QHash>
#include <QVector>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class clsClock;
class IAddClockHooks;

// A clock that completed during a pass, as it was at that moment.
struct CompletedClock {
    double id;
    QString name;
};

// The board: every clock in order (index 0 first, no gaps), the links between them and the group table.
// Clocks are ticked, drawn and listed in this order: a later clock is drawn over an earlier one, so the
// mouse reaches the highest index at a point, while a link reaches the first clock with its identifier.
class ClockCollection final : public IClockHost {
public:
    static constexpr int maxClocks = 32767;

    explicit ClockCollection(const ClockEnvironment& env);
    ~ClockCollection() override;
    ClockCollection(const ClockCollection&) = delete;
    ClockCollection& operator=(const ClockCollection&) = delete;

    int clockCount() const { return int(m_clocks.size()); }
    clsClock& clock(int index) { return *m_clocks[std::size_t(index)]; }
    const clsClock& clock(int index) const { return *m_clocks[std::size_t(index)]; }
    const ClockEnvironment& environment() const { return m_env; }

    // Appends a new clock with its defaults, arranges and opens its dialog through the hooks.
    // Returns its index, or -1 when the board is full.
    int addClock();
    // Appends a clock with its defaults and nothing else (the file reader fills it).
    clsClock* appendClock();
    void setAddClockHooks(IAddClockHooks* hooks) { m_hooks = hooks; }

    // An index outside the board removes nothing; the group in-use flags are renewed either way.
    void deleteClock(int index);
    void deleteSelected();
    // Empties the board, every group name and every in-use flag.
    void removeAllClocks();

    // First index whose identifier equals id exactly, or -1.
    int findClockIndex(double id) const;
    // Where this clock stands on the board, or -1 when it is not on it.
    int indexOf(const clsClock* clock) const;

    // Called once at the end of a count in which clocks completed, with all of them in board order.
    void setCompletionHandler(std::function<void(const QVector<CompletedClock>&)> handler) {
        m_completionHandler = std::move(handler);
    }

    // One count for every clock, index 0 first; true when any clock counted.
    bool tickAll(qint16 n);
    // The earliest moment a running clock counts its own second (unsynchronised mode), or -1.
    qint64 nextOwnSecondMs() const;
    // The latest moment a running clock counted its own second; none when no clock is running.
    std::optional<qint64> latestOwnSecondMs() const;
    bool anyActive() const;
    // Called whenever a stopped clock is set running; empty for none.
    void setStartListener(std::function<void()> listener) { m_startListener = std::move(listener); }

    GroupTable& groups() { return m_groups; }
    const GroupTable& groups() const { return m_groups; }
    void computeGroupBounds() { m_groups.computeGroupBounds(*this); }
    void refreshGroupUse() { m_groups.refreshGroupUse(*this); }

    // Whether the board holds changes that are in no file: clocks added, deleted, edited, moved or
    // grouped, or a group renamed. Counting and starting or stopping clocks are not changes.
    bool hasUnsavedChanges() const { return m_unsavedChanges; }
    void markChanged() { m_unsavedChanges = true; }
    void markSaved() { m_unsavedChanges = false; }

    // Loading a board disarms the first drag step that follows it.
    bool dragArmed() const { return m_dragArmed; }
    void setDragArmed(bool armed) { m_dragArmed = armed; }

    // IClockHost
    void resetLinkedClock(double id) override;
    void startLinkedClock(double id) override;
    void clockCompleted(const clsClock& clock) override;
    void clockStarted() override;
    bool isIdUsedByOther(double id, const clsClock* except) const override;
    void identifierChanged(const clsClock& clock, double oldId) override;

private:
    void rebuildIndex() const;
    void indexAppended(double id);

    const ClockEnvironment& m_env;
    std::vector<std::unique_ptr<clsClock>> m_clocks;
    GroupTable m_groups;
    IAddClockHooks* m_hooks = nullptr;
    std::function<void(const QVector<CompletedClock>&)> m_completionHandler;
    QVector<CompletedClock> m_completed; // during a count
    std::function<void()> m_startListener;
    bool m_dragArmed = true;
    bool m_unsavedChanges = false;
    bool m_tickFailureLogged = false;
    // First index of every identifier, so a link lookup does not walk the board.
    mutable QHash<double, int> m_firstIndex;
    mutable QHash<double, int> m_idUses;
    mutable bool m_indexStale = true;
};
