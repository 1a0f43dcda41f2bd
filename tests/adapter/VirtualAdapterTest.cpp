#include "adapter/virtual/VirtualAdapter.h"

#include "support/TemporaryFolder.h"
#include "VirtualDriverHarness.h"
#include "driver/RequestCodes.h"
#include "driver/RequestRecords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <thread>
#include <vector>

namespace pemrix {
namespace {

class VirtualAdapterTest : public ::testing::Test
{
protected:
    TemporaryFolder m_folder;

    std::filesystem::path ChipFile(const std::string& name) const
    {
        return m_folder.Path() / "chips" / ("virtual-" + name + ".bin");
    }
    void WriteFile(const std::filesystem::path& path, const std::string& bytes) const
    {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    // WRAL through a fresh driver, as one chip command of the program would do it.
    std::uint32_t Wral(EepromType type, std::uint32_t data) const
    {
        VirtualDriverHarness harness(m_folder.Path());
        const DriverHandle handle = harness.OpenVirtualPort();
        harness.SendValue(handle, REQ_WRITE_ENABLE, type);
        const std::uint32_t status =
            harness.Send(handle, REQ_WRAL, FillRecord{type, data}).record.status;
        harness.SendValue(handle, REQ_WRITE_DISABLE, type);
        harness.Driver().Close(handle);
        return status;
    }
    std::uint32_t ReadWord(EepromType type, std::uint32_t address) const
    {
        VirtualDriverHarness harness(m_folder.Path());
        const DriverHandle handle = harness.OpenVirtualPort();
        return harness.Send(handle, REQ_READ, WordRecord{type, address}).record.data;
    }
};

TEST_F(VirtualAdapterTest, KeepsAChipsWordsAcrossTwoDrivers)
{
    ASSERT_EQ(Wral(1, 0x1234), 0u);
    EXPECT_EQ(ReadWord(1, 63), 0x1234u);
    EXPECT_EQ(ReadWord(2, 0), 0xFFFFu);
    std::ifstream file(ChipFile("93C46"), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    ASSERT_EQ(bytes.size(), 128u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x34\x12\x34\x12"));
    EXPECT_FALSE(std::filesystem::exists(m_folder.Path() / "chips" / "virtual-93C56.bin"));
}

TEST_F(VirtualAdapterTest, ADamagedFileGivesABlankChip)
{
    struct Case
    {
        std::string name;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty", ""},
        {"truncated", std::string(127, '\0')},
        {"one byte too long", std::string(257, '\0')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(ChipFile("93C56"), c.bytes);
        EXPECT_EQ(ReadWord(2, 0), 0xFFFFu);
        EXPECT_EQ(ReadWord(2, 127), 0xFFFFu);
    }
    std::filesystem::remove(ChipFile("93C56"));
    std::filesystem::create_directories(ChipFile("93C56"));
    EXPECT_EQ(ReadWord(2, 5), 0xFFFFu);
}

TEST_F(VirtualAdapterTest, AChipThatCannotBeStoredSaysSoAndIsStoredLater)
{
    // A folder in place of the data file makes the rename fail.
    std::filesystem::create_directories(ChipFile("93C66") / "in-the-way");
    VirtualDriverHarness harness(m_folder.Path());
    const DriverHandle handle = harness.OpenVirtualPort();
    harness.SendValue(handle, REQ_WRITE_ENABLE, 4);
    EXPECT_EQ(harness.Send(handle, REQ_WRAL, FillRecord{4, 0x0066}).record.status,
              StatusCode(AdapterStatus::VirtualChipNotSaved));
    std::filesystem::remove_all(ChipFile("93C66"));
    EXPECT_EQ(harness.Send(handle, REQ_READ, WordRecord{4, 9}).record.status, 0u);
    EXPECT_EQ(ReadWord(4, 9), 0x0066u);
    // No temporary file is left behind by the failed attempt.
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(m_folder.Path() / "chips"))
        files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"virtual-93C66.bin", "virtual.lock"}));
}

// Two program instances on one folder, each with its own driver: what one programs, the
// other reads, and the other way round.
TEST_F(VirtualAdapterTest, TwoInstancesOnOneFolderSeeOneChip)
{
    VirtualDriverHarness first(m_folder.Path());
    VirtualDriverHarness second(m_folder.Path());
    const DriverHandle firstHandle = first.OpenVirtualPort();
    const DriverHandle secondHandle = second.OpenVirtualPort();
    const auto readAll = [](VirtualDriverHarness& harness, DriverHandle handle) {
        const ImageRecord image = harness.Send(handle, REQ_READ_ALL, ImageRecord{1}).record;
        EXPECT_EQ(image.status, 0u);
        return std::vector<std::uint32_t>(image.words.begin(), image.words.begin() + 64);
    };
    const auto wral = [](VirtualDriverHarness& harness, DriverHandle handle, std::uint32_t data) {
        harness.SendValue(handle, REQ_WRITE_ENABLE, 1);
        EXPECT_EQ(harness.Send(handle, REQ_WRAL, FillRecord{1, data}).record.status, 0u);
        harness.SendValue(handle, REQ_WRITE_DISABLE, 1);
    };
    EXPECT_EQ(readAll(second, secondHandle), std::vector<std::uint32_t>(64, 0xFFFF));
    wral(first, firstHandle, 0x1234);
    EXPECT_EQ(readAll(second, secondHandle), std::vector<std::uint32_t>(64, 0x1234));
    wral(second, secondHandle, 0x5678);
    EXPECT_EQ(readAll(first, firstHandle), std::vector<std::uint32_t>(64, 0x5678));
}

// While another instance holds the folder's lock, a request waits for it.
TEST_F(VirtualAdapterTest, ARequestWaitsWhileAnotherInstanceHoldsTheFolder)
{
    VirtualDriverHarness harness(m_folder.Path());
    const DriverHandle handle = harness.OpenVirtualPort();
    std::atomic<bool> done = false;
    std::thread request;
    {
        const VirtualChipLock otherInstance(m_folder.Path() / "chips");
        request = std::thread([&] {
            harness.SendValue(handle, REQ_WRITE_ENABLE, 2);
            harness.Send(handle, REQ_WRAL, FillRecord{2, 0x0042});
            done = true;
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        EXPECT_FALSE(done);
    }
    request.join();
    EXPECT_TRUE(done);
    EXPECT_EQ(ReadWord(2, 7), 0x0042u);
}

} // namespace
} // namespace pemrix
