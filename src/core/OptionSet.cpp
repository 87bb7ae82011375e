#include "core/OptionSet.h"

OptionSet::OptionSet() {
    setChecked(Option::Sync, true);
    setChecked(Option::AllowRepos, true);
    setChecked(Option::ViewBounds, true);
}

bool OptionSet::isChecked(Option option) const {
    return m_checked[std::size_t(option)];
}

void OptionSet::setChecked(Option option, bool checked) {
    m_checked[std::size_t(option)] = checked;
}
