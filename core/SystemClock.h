#pragma once

#include "Clock.h"

namespace pemrix {

class SystemClock : public Clock
{
public:
    std::time_t Now() const override;
};

} // namespace pemrix
