#pragma once

// The canvas as the main loop sees it: present() draws links, clocks and group boxes afresh;
// presentChangedClocks() only where a clock's face changed since it was last presented.
class IPassView {
public:
    virtual ~IPassView() = default;
    virtual void present() = 0;
    virtual void presentChangedClocks() { present(); }
};
