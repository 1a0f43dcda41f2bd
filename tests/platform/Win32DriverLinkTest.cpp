#include "platform/win32/Win32DriverLink.h"

#include "driver/RecordBytes.h"
#include "driver/RequestCodes.h"
#include "driver/RequestRecords.h"
#include "driver/SingleWordCommands.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace pemrix {
namespace {

using Bytes = std::vector<std::uint8_t>;

template <class Record> Bytes BytesOf(const Record& record)
{
    Bytes bytes(Record::kSize);
    EncodeRecord(record, bytes);
    return bytes;
}

// What reached DeviceIoControl: the code, the input bytes and where the output went.
struct SentRequest
{
    DWORD code;
    Bytes in;
    bool outIsIn;
    DWORD outSize;

    bool operator==(const SentRequest&) const = default;
};

// A device that takes every request and answers a read with kStoredWord.
class RecordingDeviceCalls : public Win32DeviceCalls
{
public:
    static constexpr std::uint32_t kStoredWord = 0xC0DE;

    HANDLE OpenDevice(const wchar_t* path, DWORD access, DWORD share, DWORD disposition,
                      DWORD attributes) override
    {
        m_strOpened = std::wstring(path) + L" " + std::to_wstring(access) + L" " +
                      std::to_wstring(share) + L" " + std::to_wstring(disposition) + L" " +
                      std::to_wstring(attributes);
        return Device();
    }

    BOOL IoControl(HANDLE device, DWORD code, void* in, DWORD inSize, void* out, DWORD outSize,
                   DWORD* bytesReturned) override
    {
        EXPECT_EQ(device, Device());
        const auto* bytes = static_cast<std::uint8_t*>(in);
        m_requests.push_back({code, Bytes(bytes, bytes + inSize), out == in, outSize});
        if (code == REQ_READ)
            StoreLe32({static_cast<std::uint8_t*>(out), outSize}, OffsetOf(&WordRecord::data),
                      kStoredWord);
        *bytesReturned = outSize;
        return TRUE;
    }

    BOOL CloseDevice(HANDLE device) override
    {
        m_closed.push_back(device);
        return TRUE;
    }

    static HANDLE Device() { return reinterpret_cast<HANDLE>(std::intptr_t{0x1234}); }

    std::wstring m_strOpened;
    std::vector<SentRequest> m_requests;
    std::vector<HANDLE> m_closed;
};

TEST(Win32DriverLink, WithoutTheDeviceACommandFailsWithTheOpenFailureCode)
{
    Win32DriverLink link;
    EXPECT_EQ(link.Open(kChipCommandOpenAttributes), kInvalidDriverHandle);
    const WordCommandResult result = ReadWord(link, 0x378, 6, 0);
    EXPECT_FALSE(result.succeeded);
    EXPECT_EQ(result.errorCode, 0x8000u);
}

TEST(Win32DriverLink, SendsTheRecordsBytesToTheDeviceAndClosesIt)
{
    RecordingDeviceCalls calls;
    Win32DriverLink link(calls);
    const WordCommandResult result =
        WriteWord(link, 0x378, 6, 0x3FF, RecordingDeviceCalls::kStoredWord);
    EXPECT_TRUE(result.succeeded);

    EXPECT_EQ(calls.m_strOpened, L"\\\\.\\pemrix 3221225472 0 3 128");
    const Bytes typeValue = BytesOf(ValueRequest{6});
    EXPECT_THAT(calls.m_requests,
                ::testing::ElementsAre(
                    SentRequest{REQ_SET_PORT, BytesOf(ValueRequest{0x378}), false, 0},
                    SentRequest{REQ_WRITE_ENABLE, typeValue, false, 0},
                    SentRequest{REQ_WRITE, BytesOf(WordRecord{6, 0x3FF, 0xC0DE}), true, 20},
                    SentRequest{REQ_WRITE_DISABLE, typeValue, false, 0},
                    SentRequest{REQ_READ, BytesOf(WordRecord{6, 0x3FF}), true, 20}));
    EXPECT_EQ(calls.m_closed, std::vector<HANDLE>{RecordingDeviceCalls::Device()});
}

} // namespace
} // namespace pemrix
