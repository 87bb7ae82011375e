#include "ui/MenuOptions.h"

namespace {
struct OptionItem {
    Option option;
    const char* controlName;
    const char* caption;
};
const OptionItem kItems[] = {
    {Option::Sync, "mnuSync", "&Syncronize clocks"},
    {Option::AllowRepos, "mnuAllowRepos", "&Allow saved clock files to reposition main form"},
    {Option::ResetOnLoad, "mnuResetOnLoad", "&Reset all clocks on load"},
    {Option::Mute, "mnuSoundMute", "&Mute"},
    {Option::ViewArrange, "mnuViewArrange", "&Auto Arrange Clocks"},
    {Option::ViewBounds, "mnuViewBounds", "&View Group Bounding Boxes"},
    {Option::Notify, "mnuNotify", "&Notify when a clock completes"},
};
} // namespace

MenuOptions::MenuOptions(QObject* parent) : QObject(parent) {
    for (const OptionItem& item : kItems) {
        auto* a = new QAction(QString::fromLatin1(item.caption), this);
        a->setObjectName(QString::fromLatin1(item.controlName));
        a->setCheckable(true);
        a->setChecked(optionDefault(item.option));
        m_actions[std::size_t(item.option)] = a;
    }
}

bool MenuOptions::isChecked(Option option) const {
    return action(option)->isChecked();
}

void MenuOptions::setChecked(Option option, bool checked) {
    action(option)->setChecked(checked);
}
