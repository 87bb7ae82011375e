#pragma once

// The program's random-number generator: next() gives 0 <= r < 1.
class IRandom {
public:
    virtual ~IRandom() = default;
    virtual double next() = 0;
};
