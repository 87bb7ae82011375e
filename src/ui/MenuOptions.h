#pragma once
#include "core/IOptions.h"

#include <QAction>
#include <QObject>
#include <array>

// The options as checkable menu items: the check mark is the option's storage while the program runs.
// Each action's objectName is its menu control name ("mnuSync", ...).
class MenuOptions final : public QObject, public IOptions {
    Q_OBJECT
public:
    explicit MenuOptions(QObject* parent = nullptr);
    bool isChecked(Option option) const override;
    void setChecked(Option option, bool checked) override;
    QAction* action(Option option) const { return m_actions[std::size_t(option)]; }

private:
    std::array<QAction*, optionCount> m_actions{};
};
