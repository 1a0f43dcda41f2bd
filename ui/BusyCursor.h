#pragma once

namespace pemrix {

// Shows the wait cursor for as long as it lives: a whole-chip write of a real chip takes
// seconds, during which the window cannot answer.
class BusyCursor
{
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace pemrix
