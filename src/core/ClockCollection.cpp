#include "core/ClockCollection.h"

#include "clock/clsClock.h"
#include "core/IAddClockHooks.h"
#include "core/IErrorLog.h"
#include "core/IOptions.h"
#include "sound/ISoundService.h"

#include <algorithm>
#include <limits>
#include <utility>

ClockCollection::ClockCollection(const ClockEnvironment& env) : m_env(env) {}

ClockCollection::~ClockCollection() = default;

clsClock* ClockCollection::appendClock() {
    if (clockCount() >= maxClocks)
        return nullptr;
    m_clocks.push_back(std::make_unique<clsClock>(m_env, *this));
    clsClock* added = m_clocks.back().get();
    indexAppended(added->ID());
    added->init();
    return added;
}

int ClockCollection::addClock() {
    if (!appendClock())
        return -1;
    markChanged();
    const int index = clockCount() - 1;
    if (m_hooks) {
        if (m_env.options.isChecked(Option::ViewArrange))
            m_hooks->arrangeAfterAdd();
        m_hooks->showSetForm(index);
    }
    return index;
}

void ClockCollection::deleteClock(int index) {
    if (index >= 0 && index < clockCount()) {
        m_clocks.erase(m_clocks.begin() + index);
        m_indexStale = true;
        markChanged();
    }
    refreshGroupUse();
}

void ClockCollection::deleteSelected() {
    const auto kept =
        std::remove_if(m_clocks.begin(), m_clocks.end(), [](const auto& c) { return c->selected(); });
    if (kept != m_clocks.end())
        markChanged();
    m_clocks.erase(kept, m_clocks.end());
    m_indexStale = true;
    refreshGroupUse();
}

void ClockCollection::removeAllClocks() {
    m_clocks.clear();
    m_indexStale = true;
    m_groups.clear();
}

void ClockCollection::rebuildIndex() const {
    m_firstIndex.clear();
    m_idUses.clear();
    for (int i = 0; i < clockCount(); ++i) {
        const double id = m_clocks[std::size_t(i)]->ID();
        if (!m_firstIndex.contains(id))
            m_firstIndex.insert(id, i);
        ++m_idUses[id];
    }
    m_indexStale = false;
}

// Appending and renaming the last clock keep the index up to date, so filling a board of n clocks
// costs O(n) rather than a rebuild per clock; anything else rebuilds it on the next lookup.
void ClockCollection::indexAppended(double id) {
    if (m_indexStale)
        return;
    ++m_idUses[id];
    if (!m_firstIndex.contains(id))
        m_firstIndex.insert(id, clockCount() - 1);
}

void ClockCollection::identifierChanged(const clsClock& clock, double oldId) {
    const int last = clockCount() - 1;
    if (m_indexStale || last < 0 || &clock != m_clocks.back().get()) {
        m_indexStale = true;
        return;
    }
    auto uses = m_idUses.find(oldId);
    if (uses == m_idUses.end() || (m_firstIndex.value(oldId, -1) == last && *uses > 1)) {
        m_indexStale = true;
        return;
    }
    if (--*uses == 0) {
        m_idUses.erase(uses);
        m_firstIndex.remove(oldId);
    }
    indexAppended(clock.ID());
}

int ClockCollection::findClockIndex(double id) const {
    if (m_indexStale)
        rebuildIndex();
    return m_firstIndex.value(id, -1);
}

int ClockCollection::indexOf(const clsClock* clock) const {
    const auto at =
        std::find_if(m_clocks.begin(), m_clocks.end(), [clock](const auto& c) { return c.get() == clock; });
    return at == m_clocks.end() ? -1 : int(at - m_clocks.begin());
}

bool ClockCollection::isIdUsedByOther(double id, const clsClock* except) const {
    if (m_indexStale)
        rebuildIndex();
    const int uses = m_idUses.value(id, 0);
    const bool exceptHoldsIt = except && except->ID() == id;
    return uses > (exceptHoldsIt ? 1 : 0);
}

void ClockCollection::resetLinkedClock(double id) {
    const int i = findClockIndex(id);
    if (i >= 0 && i < clockCount())
        clock(i).resetClock();
}

void ClockCollection::startLinkedClock(double id) {
    const int i = findClockIndex(id);
    if (i >= 0 && i < clockCount()) {
        clock(i).resetClock();
        clock(i).setActive(true);
    }
}

void ClockCollection::clockCompleted(const clsClock& clock) {
    m_completed.append({clock.ID(), clock.purpose()});
}

bool ClockCollection::tickAll(qint16 n) {
    bool counted = false;
    // The count is read once; a clock started by a link later in the walk counts in this pass too.
    const int count = clockCount();
    for (int i = 0; i < count && i < clockCount(); ++i)
        counted = m_clocks[std::size_t(i)]->tick(n) || counted;
    // The merged ticks start only now; a failure is written once until a pass plays again.
    const bool played = m_env.sound.endPass();
    if (!played && !m_tickFailureLogged)
        m_env.log.logError(QStringLiteral("Unable to play tick"));
    m_tickFailureLogged = !played;
    if (!m_completed.isEmpty()) {
        const QVector<CompletedClock> completed = std::exchange(m_completed, {});
        if (m_completionHandler)
            m_completionHandler(completed);
    }
    return counted;
}

void ClockCollection::clockStarted() {
    if (m_startListener)
        m_startListener();
}

bool ClockCollection::anyActive() const {
    return std::any_of(m_clocks.begin(), m_clocks.end(), [](const auto& c) { return c->active(); });
}

std::optional<qint64> ClockCollection::latestOwnSecondMs() const {
    std::optional<qint64> latest;
    for (const auto& c : m_clocks)
        if (c->active())
            latest = std::max(latest.value_or(c->lastTickMs()), c->lastTickMs());
    return latest;
}

qint64 ClockCollection::nextOwnSecondMs() const {
    qint64 next = std::numeric_limits<qint64>::max();
    for (const auto& c : m_clocks)
        if (c->active())
            next = std::min(next, c->lastTickMs() + 1001);
    return next == std::numeric_limits<qint64>::max() ? -1 : next;
}
