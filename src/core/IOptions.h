#pragma once
#include <array>

// The on/off options. While the program runs the menu check marks are their only storage;
// everything that depends on an option reads it here at the moment it needs it.
enum class Option { Sync, AllowRepos, ResetOnLoad, Mute, ViewArrange, ViewBounds, Notify, Count };
constexpr std::size_t optionCount = std::size_t(Option::Count);

// The check marks a new main window starts with, which are also the stored options' defaults.
constexpr bool optionDefault(Option option) {
    return option == Option::Sync || option == Option::AllowRepos || option == Option::ViewBounds ||
           option == Option::Notify;
}

class IOptions {
public:
    virtual ~IOptions() = default;
    virtual bool isChecked(Option option) const = 0;
    virtual void setChecked(Option option, bool checked) = 0;
};
