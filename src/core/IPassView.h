#pragma once

// The canvas as the main loop sees it: present() draws links, clocks and group boxes afresh.
class IPassView {
public:
    virtual ~IPassView() = default;
    virtual void present() = 0;
};
