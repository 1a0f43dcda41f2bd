#include "ProgressLink.h"

#include <algorithm>

namespace pemrix {

namespace {

constexpr int kBarWidth = 30;

} // namespace

ProgressLink::ProgressLink(DriverLink& inner, std::FILE* stream, std::string label, int requests)
    : m_inner(inner), m_stream(stream), m_strLabel(std::move(label)),
      m_nRequests(std::max(requests, 1))
{
}

ProgressLink::~ProgressLink()
{
    if (m_stream && m_nDone > 0)
        std::fputs("\r\033[K", m_stream);
}

DriverHandle ProgressLink::Open(std::uint32_t attributes)
{
    return m_inner.Open(attributes);
}

bool ProgressLink::Control(DriverHandle handle, std::uint32_t code, std::uint8_t* buffer,
                           std::uint32_t inSize, std::uint32_t outSize,
                           std::uint32_t& bytesReturned)
{
    Draw(m_nDone);
    const bool result = m_inner.Control(handle, code, buffer, inSize, outSize, bytesReturned);
    Draw(++m_nDone);
    return result;
}

void ProgressLink::Close(DriverHandle handle)
{
    m_inner.Close(handle);
}

void ProgressLink::Draw(int done) const
{
    if (!m_stream)
        return;
    const int shown = std::min(done, m_nRequests);
    const int filled = kBarWidth * shown / m_nRequests;
    std::fprintf(m_stream, "\r%s [%s%s] %d/%d requests", m_strLabel.c_str(),
                 std::string(static_cast<std::size_t>(filled), '#').c_str(),
                 std::string(static_cast<std::size_t>(kBarWidth - filled), '.').c_str(), shown,
                 m_nRequests);
    std::fflush(m_stream);
}

} // namespace pemrix
