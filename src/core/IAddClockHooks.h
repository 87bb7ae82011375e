#pragma once

// What the window does after the board gains a clock: arrange, then open the Set Clock dialog.
class IAddClockHooks {
public:
    virtual ~IAddClockHooks() = default;
    virtual void arrangeAfterAdd() = 0;
    virtual void showSetForm(int index) = 0;
};
