#pragma once

#include "driver/DriverLink.h"

#include <cstdio>
#include <string>

namespace pemrix {

// Passes every request to the driver and draws a bar of the command's requests on a
// terminal's stderr, so a long whole-chip command shows that it is at work. The driver
// reports nothing within a request, so the bar moves between requests.
class ProgressLink : public DriverLink
{
public:
    // `stream` is null when nothing is to be drawn.
    ProgressLink(DriverLink& inner, std::FILE* stream, std::string label, int requests);
    ~ProgressLink() override;

    DriverHandle Open(std::uint32_t attributes) override;
    bool Control(DriverHandle handle, std::uint32_t code, std::uint8_t* buffer,
                 std::uint32_t inSize, std::uint32_t outSize,
                 std::uint32_t& bytesReturned) override;
    void Close(DriverHandle handle) override;

private:
    void Draw(int done) const;

    DriverLink& m_inner;
    std::FILE* m_stream;
    std::string m_strLabel;
    int m_nRequests;
    int m_nDone = 0;
};

} // namespace pemrix
