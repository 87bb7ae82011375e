#include "core/OptionSet.h"

OptionSet::OptionSet() {
    for (std::size_t i = 0; i < optionCount; ++i)
        m_checked[i] = optionDefault(Option(i));
}

bool OptionSet::isChecked(Option option) const {
    return m_checked[std::size_t(option)];
}

void OptionSet::setChecked(Option option, bool checked) {
    m_checked[std::size_t(option)] = checked;
}
