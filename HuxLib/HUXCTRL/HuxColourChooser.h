// Whatever lets the user choose a colour for a swatch: the filter
// framework offers the host's colour picker through it, so that the
// control library need not know the host.
#pragma once

#include <cstdint>

class HuxColourChooser {
public:
    // Shows the picker on `colour` (0x00BBGGRR); true and the choice in
    // `colour` when the user confirms, false and `colour` untouched when not.
    virtual bool PickColour(uint32_t& colour) = 0;

protected:
    ~HuxColourChooser() = default;
};
