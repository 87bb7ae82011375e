#pragma once
#include "core/IOptions.h"

// Options held in plain memory, with the check marks a new main window starts with.
class OptionSet final : public IOptions {
public:
    OptionSet();
    bool isChecked(Option option) const override;
    void setChecked(Option option, bool checked) override;

private:
    std::array<bool, optionCount> m_checked{};
};
