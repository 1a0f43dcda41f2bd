#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "driver/DriverLink.h"
#include "driver/RequestRecords.h"

namespace pemrix {

// One call the link received, in the order it came.
struct LinkCall
{
    enum class Kind
    {
        Open,
        Control,
        Close,
    };

    Kind kind = Kind::Open;
    std::uint32_t attributes = 0;
    // For Open the handle it returned; for Control and Close the handle passed in.
    DriverHandle handle = kInvalidDriverHandle;
    std::uint32_t code = 0;
    std::vector<std::uint8_t> input{};
    std::uint32_t inSize = 0;
    std::uint32_t outSize = 0;
};

// How one request departs from a healthy driver; whatever is left unset answers healthily.
// A FALSE call leaves the buffer and the simulated chip untouched.
struct ScriptedReply
{
    std::optional<bool> callResult{};
    std::optional<std::uint32_t> bytesReturned{};
    // Written into the reply's status field; ignored for requests without one.
    std::optional<std::uint32_t> status{};
    // Edits the reply bytes after the healthy answer, before they reach the caller.
    std::function<void(std::span<std::uint8_t>)> patch{};
};

// A driver for tests: by default it behaves like a healthy driver in front of a simulated
// chip of 1024 erased words, honouring write enable; a script makes any single request fail
// or lie, so every error code can be reached. Every call is recorded.
class ScriptedDriverLink : public DriverLink
{
public:
    static constexpr DriverHandle kScriptedHandle = 0x93;
    // The status a healthy driver gives for a type code or an address it cannot serve.
    static constexpr std::uint32_t kRefusedStatus = 0x0E;

    DriverHandle Open(std::uint32_t attributes) override;
    bool Control(DriverHandle handle, std::uint32_t code, std::uint8_t* buffer,
                 std::uint32_t inSize, std::uint32_t outSize,
                 std::uint32_t& bytesReturned) override;
    void Close(DriverHandle handle) override;

    void SetOpenFails(bool fails) { m_bOpenFails = fails; }
    void SetVersion(const VersionRecord& version) { m_version = version; }
    // The `occurrence`-th (from 1) request with `code` over the link's life answers by `reply`.
    void Script(std::uint32_t code, int occurrence, ScriptedReply reply);

    // The simulated chip's words, slot by slot.
    std::array<std::uint32_t, ImageRecord::kWordSlots>& Words() { return m_words; }
    std::uint32_t LastPort() const { return m_nPort; }
    bool WriteEnabled() const { return m_bWriteEnabled; }

    const std::vector<LinkCall>& Calls() const { return m_calls; }
    // The codes of the Control calls, in order.
    std::vector<std::uint32_t> ControlCodes() const;
    // Open calls that returned a handle minus Close calls.
    int OpenHandles() const { return m_nOpenHandles; }

    // Patches for the commonest lies: a WordRecord's data, one ImageRecord word slot.
    static std::function<void(std::span<std::uint8_t>)> ReplyData(std::uint32_t data);
    static std::function<void(std::span<std::uint8_t>)> ReplyImageWord(std::size_t slot,
                                                                       std::uint32_t value);

private:
    struct RequestShape;
    static const RequestShape* FindShape(std::uint32_t code);
    void AnswerHealthily(const RequestShape& shape, std::span<std::uint8_t> reply);
    void Program(std::uint32_t first, std::uint32_t count, std::uint32_t value);
    std::uint32_t ChipWords(std::uint32_t type) const;

    bool m_bOpenFails = false;
    int m_nOpenHandles = 0;
    bool m_bWriteEnabled = false;
    std::uint32_t m_nPort = 0;
    VersionRecord m_version{2, 0, 0, 800, 0};
    std::array<std::uint32_t, ImageRecord::kWordSlots> m_words = ErasedWords();
    std::map<std::pair<std::uint32_t, int>, ScriptedReply> m_script;
    std::map<std::uint32_t, int> m_requestCounts;
    std::vector<LinkCall> m_calls;

    static std::array<std::uint32_t, ImageRecord::kWordSlots> ErasedWords();
};

} // namespace pemrix
