#include "support/TemporaryFolder.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/wait.h>

#include <gtest/gtest.h>

namespace pemrix {
namespace {

struct Outcome
{
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs pemrix-cli with `arguments` in the test's folder, with the profile and the virtual
// chips there too, so no test touches the user's.
class CommandLineTest : public ::testing::Test
{
protected:
    Outcome Run(const std::string& arguments) const { return Shell("$CLI " + arguments); }

    // Runs a shell script in which $CLI is pemrix-cli; its output and exit code are the
    // script's.
    Outcome Shell(const std::string& script) const
    {
        const std::string folder = m_folder.Path().string();
        m_folder.Write(".script", script + "\n");
        const std::string command =
            "cd '" + folder + "' && CLI='" PEMRIX_CLI "' XDG_CONFIG_HOME='" + folder +
            "/config' XDG_DATA_HOME='" + folder + "/data' sh .script >.out 2>.err </dev/null";
        const int status = std::system(command.c_str());
        Outcome outcome{WIFEXITED(status) ? WEXITSTATUS(status) : -1, m_folder.Read(".out"),
                        m_folder.Read(".err")};
        return outcome;
    }

    // Runs a command that must succeed.
    Outcome Succeed(const std::string& arguments) const
    {
        Outcome outcome = Run(arguments);
        EXPECT_EQ(outcome.exitCode, 0) << arguments << "\n" << outcome.err;
        return outcome;
    }

    TemporaryFolder m_folder;
};

const char* const kChips[] = {"93c46", "93c56", "93c57", "93c66", "93c76", "93c86"};

TEST_F(CommandLineTest, EveryTypeRoundTripsThroughEveryFileKind)
{
    const char* const files[] = {"image.ROM",
                                 "image.bin",
                                 "-f bin --byte-order be image.raw",
                                 "image.hex",
                                 "--byte-order be image.hex",
                                 "image.e2p",
                                 "-f e2p image.pony"};
    for (const char* chip : kChips)
        for (const char* file : files) {
            SCOPED_TRACE(std::string(chip) + " " + file);
            const std::string target = std::string("-p virtual -c ") + chip + " ";
            Succeed(target + "fill 1234");
            EXPECT_EQ(Succeed(target + "read " + file).out.substr(0, 19), "ReadAll Succeeded.\n");
            Succeed(target + "erase");
            EXPECT_EQ(Succeed(target + "write " + file).out,
                      "Writeall Succeeded.\n"); // the window log's own spelling
            EXPECT_EQ(Succeed(target + "peek 3f").out,
                      "Read Succeeded.   Address: 003F   Data: 1234\n");
            Succeed(target + "verify " + file);

            Succeed(target + "poke 0x2a beef");
            const Outcome changed = Run(target + "verify " + file);
            EXPECT_EQ(changed.exitCode, 3);
            EXPECT_EQ(changed.out, "002A: chip BEEF, file 1234\n");
            EXPECT_NE(changed.err.find("1 word differing from"), std::string::npos);
            EXPECT_NE(changed.err.find("the first at address 002A."), std::string::npos);
        }
}

// An 8-bit chip, chosen by --org or by an "A" part's marking, goes to every file kind byte for
// byte and shows its data as two digits.
TEST_F(CommandLineTest, EveryTypeRoundTripsThroughEveryFileKindInBytes)
{
    const char* const files[] = {"image.ROM", "image.bin", "-f bin image.raw", "image.hex",
                                 "image.e2p"};
    const char* const chips[] = {"93c46 --org 8", "93aa56a",       "93c57 --org 8",
                                 "93lc66a",       "93c76 --org 8", "93c86c --org 8"};
    for (const char* chip : chips)
        for (const char* file : files) {
            SCOPED_TRACE(std::string(chip) + " " + file);
            const std::string target = std::string("-p virtual -c ") + chip + " ";
            Succeed(target + "fill 5A");
            EXPECT_EQ(Succeed(target + "read " + file).out.substr(0, 19), "ReadAll Succeeded.\n");
            Succeed(target + "erase");
            Succeed(target + "write " + file);
            EXPECT_EQ(Succeed(target + "peek 7f").out,
                      "Read Succeeded.   Address: 007F   Data: 5A\n");
            EXPECT_NE(Succeed(target + "verify " + file).out.find(" bytes match "),
                      std::string::npos);
            Succeed(target + "clear 7f");
            EXPECT_EQ(Succeed(target + "peek 7f").out,
                      "Read Succeeded.   Address: 007F   Data: FF\n");
            Succeed(target + "poke 7f 5a");
            Succeed(target + "poke 0x2a c");
            const Outcome changed = Run(target + "verify " + file);
            EXPECT_EQ(changed.exitCode, 3);
            EXPECT_EQ(changed.out, "002A: chip 0C, file 5A\n");
            EXPECT_NE(changed.err.find("1 byte differing from"), std::string::npos);
        }
    // The file holds the bytes in address order: the last poke is byte 0x2A.
    Succeed("-p virtual -c 93c46 --org 8 read bytes.bin");
    EXPECT_EQ(m_folder.Read("bytes.bin"),
              std::string(0x2A, '\x5A') + '\x0C' + std::string(128 - 0x2B, '\x5A'));
    Succeed("-p virtual -c 93c46 --org 8 read bytes.ROM");
    EXPECT_EQ(m_folder.Read("bytes.ROM").substr(0, 18), "ROM193C46 x8    5A");
    const Outcome words = Run("-p virtual -c 93c46 write bytes.ROM");
    EXPECT_EQ(words.exitCode, 4);
    EXPECT_NE(words.err.find("The ROM file holds an 8-bit image (93C46 x8)."), std::string::npos);
}

// Read with -r, as other programmer tools spell it, which is offered too.
TEST_F(CommandLineTest, TheBytesOfAWordFollowTheByteOrder)
{
    Succeed("-p virtual -c 93c46 fill 1234");
    Succeed("-p virtual -c 93c46 -r le.bin");
    Succeed("-p virtual -c 93c46 --byte-order be read be.bin");
    EXPECT_EQ(m_folder.Read("le.bin").substr(0, 2), "\x34\x12");
    EXPECT_EQ(m_folder.Read("be.bin").substr(0, 2), "\x12\x34");
    Succeed("-p virtual -c 93c46 -E");
    Succeed("-p virtual -c 93c46 -w le.bin");
    Succeed("-p virtual -c 93c46 -v le.bin");
}

TEST_F(CommandLineTest, BadArgumentsExitWithTwoAndTheUsageLine)
{
    const char* const cases[] = {
        "",
        "bogus",
        "-c 93c99 erase",
        "-p virtual peek",
        "-p virtual -c 93c46 peek 40",
        "-p virtual -c 93c46 peek 12345",
        "-p virtual -c 93c46 poke 1 xyz",
        "-p virtual -f rom --byte-order be read x.ROM",
        "-p virtual --byte-order le read x.e2p",
        "compare x.bin",
        "-p virtual read x.txt",
        "-p virtual read -",
        "-p virtual -f bin read x.ROM",
        "-p virtual -f rom write x.hex",
        "-p nowhere erase",
        "--byte-order middle erase",
        "-p virtual -c 93c46 -r x.ROM erase",
        "-p virtual -c 93c46 -E -v x.ROM",
        "-p virtual -c 93c46 --org 8 --byte-order be read x.bin",
        "-p virtual -c 93aa46b --org 8 erase",
        "-p virtual -c 93lc46a --org 16 erase",
        "-p virtual -c 93c46 --org 8 poke 1 123",
        "-p virtual -c 93c46 --org 8 peek 80",
        "-p virtual -c 93c46 --org 12 erase",
    };
    for (const char* arguments : cases) {
        const Outcome outcome = Run(arguments);
        EXPECT_EQ(outcome.exitCode, 2) << arguments;
        EXPECT_NE(outcome.err.find("Usage: pemrix-cli"), std::string::npos) << arguments;
        EXPECT_EQ(outcome.out, "") << arguments;
        // A script asking for JSON gets its object even then.
        const Outcome json = Run(std::string("--json ") + arguments);
        EXPECT_EQ(json.exitCode, 2) << arguments;
        EXPECT_NE(json.out.find("\"exit_code\":2}\n"), std::string::npos) << json.out;
    }
}

TEST_F(CommandLineTest, AFileErrorExitsWithFourAndLeavesTheChipUntouched)
{
    Succeed("-p virtual -c 93c66 fill 5a5a");
    Succeed("-p virtual -c 93c46 read small.bin");
    m_folder.Write("broken.hex", ":00000001FE\n");
    const struct
    {
        const char* arguments;
        const char* message;
    } cases[] = {
        {"write missing.bin", "missing.bin was not found.\n"},
        {"write small.bin", "The type of the binary file is 93C46.\n"},
        {"write broken.hex", "Line 1 of the Intel HEX file has a wrong checksum.\n"},
        {"verify small.bin", "The type of the binary file is 93C46.\n"},
        {"read no/such/folder.bin", "no/such/folder.bin was not found.\n"},
    };
    for (const auto& c : cases) {
        const Outcome outcome = Run(std::string("-p virtual -c 93c66 ") + c.arguments);
        EXPECT_EQ(outcome.exitCode, 4) << c.arguments;
        EXPECT_NE(outcome.err.find(c.message), std::string::npos) << outcome.err;
    }
    Succeed("-p virtual -c 93c66 read after.bin");
    EXPECT_EQ(m_folder.Read("after.bin"), std::string(512, '\x5a'));
}

// A port where no chip answers shows that compare leaves the chip alone.
TEST_F(CommandLineTest, CompareTellsTwoFilesApartAsVerifyDoesWithoutAChip)
{
    Succeed("-p virtual -c 93c46 fill 1234");
    Succeed("-p virtual -c 93c46 read a.e2p");
    Succeed("-p virtual -c 93c46 read same.bin");
    Succeed("-p virtual -c 93c46 poke 2a beef");
    Succeed("-p virtual -c 93c46 read b.ROM");
    const struct
    {
        const char* arguments;
        int exitCode;
        const char* out;
        const char* err;
    } cases[] = {
        {"compare a.e2p same.bin", 0, "Compare Succeeded: all 64 words of a.e2p match same.bin.\n",
         ""},
        {"compare a.e2p b.ROM", 3, "002A: file1 1234, file2 BEEF\n",
         "Compare found 1 word differing between a.e2p and b.ROM, the first at address 002A.\n"},
        {"compare a.e2p missing.bin", 4, "", "missing.bin was not found.\n"},
        {"compare missing.bin a.e2p", 4, "", "missing.bin was not found.\n"},
    };
    for (const auto& c : cases) {
        const Outcome outcome = Run(std::string("-p 0x1234 -c 93c46 ") + c.arguments);
        EXPECT_EQ(outcome.exitCode, c.exitCode) << c.arguments;
        EXPECT_EQ(outcome.out, c.out) << c.arguments;
        EXPECT_EQ(outcome.err, c.err) << c.arguments;
    }
    const Outcome otherType = Run("-c 93c66 compare a.e2p b.ROM");
    EXPECT_EQ(otherType.exitCode, 4);
    EXPECT_EQ(otherType.err, "The type of the .e2p file is 93C46.\n");
    const Outcome json = Run("-c 93c46 --json compare a.e2p b.ROM");
    EXPECT_EQ(json.exitCode, 3);
    EXPECT_NE(json.out.find("\"differences\":[{\"address\":42,\"file1\":4660,\"file2\":48879}],"
                            "\"first_difference\":42,\"succeeded\":false,"),
              std::string::npos)
        << json.out;
}

TEST_F(CommandLineTest, AChipFailurePrintsTheWindowsTextAndTheStatusRemedy)
{
    const Outcome outcome = Run("-p 0x1234 -c 93c46 erase");
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.err.substr(0, outcome.err.find('\n')), "Eral Failed. (Error Code: 0x0001)");
    EXPECT_NE(outcome.err.find("Remedy: "), std::string::npos);
}

TEST_F(CommandLineTest, TheWindowsProfileGivesThePortAndTypeAndJsonAndQuietServeScripts)
{
    // Before the window has run, the port it would start with: the top of the list.
    const std::string listed = Succeed("list").out;
    EXPECT_NE(
        Run("--json peek 0").out.find("\"port\":\"" + listed.substr(0, listed.find(' ')) + "\""),
        std::string::npos);
    std::filesystem::create_directories(m_folder.Path() / "config/Brantel Software");
    m_folder.Write("config/Brantel Software/pemrix.ini",
                   "[2.0]\nEEPROM%20TYPE=1\nPARALLEL%20PORT=605184\n");
    Succeed("fill 00ff");
    const Outcome json = Succeed("--json peek 3");
    const std::string head = "{\"command\":\"peek\",\"seconds\":";
    EXPECT_EQ(json.out.substr(0, head.size()), head);
    EXPECT_EQ(json.out.substr(json.out.find(",\"port\"")),
              ",\"port\":\"0x93C00\",\"chip\":\"93C46\",\"address\":3,\"data\":255,"
              "\"succeeded\":true,\"problems\":[],\"exit_code\":0}\n");
    EXPECT_EQ(Succeed("-q read quiet.ROM").out, "");
    EXPECT_EQ(m_folder.Read("quiet.ROM").size(), 272u);
    Succeed("poke 3 0");
    const Outcome differing = Run("--json verify quiet.ROM");
    EXPECT_EQ(differing.exitCode, 3);
    EXPECT_NE(differing.out.find("\"differing_words\":1,"), std::string::npos) << differing.out;
    EXPECT_NE(differing.out.find("\"succeeded\":false,"), std::string::npos) << differing.out;
    // Without a terminal there is no progress bar.
    EXPECT_EQ(Succeed("erase").err, "");
}

// One 93C66 in the virtual socket, as driver.conf puts it there, whatever -c names.
TEST_F(CommandLineTest, DetectNamesTheTypeInTheSocketOrThePairThatReadsAlike)
{
    std::filesystem::create_directories(m_folder.Path() / "config/pemrix");
    m_folder.Write("config/pemrix/driver.conf", "virtual_socket=93C66\n");
    Succeed("-p virtual -c 93c66 fill 1234");
    EXPECT_EQ(Succeed("-p virtual -c 93c46 detect").out,
              "Detect Succeeded.   Type: 93C56   Address bits: 8   (a 93C66 whose two halves "
              "hold the same words reads alike)\n");
    Succeed("-p virtual -c 93c66 poke 80 0");
    EXPECT_EQ(Succeed("-p virtual -c 93c86 detect").out,
              "Detect Succeeded.   Type: 93C66   Address bits: 8\n");
    const Outcome json = Succeed("-p virtual --json detect");
    EXPECT_NE(json.out.find("\"chip\":\"93C66\",\"address_bits\":8,"), std::string::npos)
        << json.out;

    m_folder.Write("config/pemrix/driver.conf", "virtual_socket=93C99\n");
    const Outcome unknown = Succeed("-p virtual -c 93c46 detect");
    EXPECT_EQ(unknown.err.substr(0, unknown.err.find(" is ")),
              "driver.conf: virtual_socket = 93C99");
    EXPECT_EQ(unknown.out, "Detect Succeeded.   Type: 93C46   Address bits: 6\n");
}

// "-" and /dev/stdout are the standard output, a pipe carries the image on, a device is
// written in place: no link is replaced and a full device is named as a full disk.
TEST_F(CommandLineTest, StreamsPipesAndDevicesAreFilesToo)
{
    Succeed("-p virtual -c 93c46 fill 1234");
    const struct
    {
        const char* script;
        int exitCode;
        const char* out;
        const char* err;
    } cases[] = {
        {"$CLI -p virtual -c 93c46 read - -f bin | wc -c", 0, "128\n",
         "64 words saved to /dev/stdout.\n"},
        {"$CLI -p virtual -c 93c46 -q read /dev/stdout -f bin | wc -c; test -L /dev/stdout", 0,
         "128\n", ""},
        {"$CLI -p virtual -c 93c46 -q read - -f hex | $CLI -p virtual -c 93c46 -q verify - -f hex",
         0, "", ""},
        {"$CLI -p virtual -c 93c46 -q read /dev/null -f bin", 0, "", ""},
        {"$CLI -p virtual -c 93c46 -q read /dev/full -f bin", 4, "",
         "Disk full while accessing /dev/full.\n"},
    };
    for (const auto& c : cases) {
        const Outcome outcome = Shell(c.script);
        EXPECT_EQ(outcome.exitCode, c.exitCode) << c.script;
        EXPECT_EQ(outcome.out, c.out) << c.script;
        EXPECT_TRUE(outcome.err.ends_with(c.err)) << c.script << "\n" << outcome.err;
    }
}

// The text shows the first differences, the JSON all of them.
TEST_F(CommandLineTest, VerifyListsEveryDifferenceInJson)
{
    Succeed("-p virtual -c 93c46 fill 1234");
    Succeed("-p virtual -c 93c46 read image.bin");
    Succeed("-p virtual -c 93c46 fill 4321");
    const Outcome text = Run("-p virtual -c 93c46 verify image.bin");
    EXPECT_EQ(text.exitCode, 3);
    EXPECT_TRUE(text.out.ends_with("000F: chip 4321, file 1234\n... and 48 more.\n")) << text.out;
    const Outcome json = Run("-p virtual -c 93c46 --json verify image.bin");
    EXPECT_NE(json.out.find("{\"address\":63,\"chip\":17185,\"file\":4660}]"), std::string::npos)
        << json.out;
}

// On a terminal the bar counts the words, as the window does.
TEST_F(CommandLineTest, TheProgressBarCountsWords)
{
    const Outcome outcome =
        Shell("script -qec '$CLI -p virtual -c 93c86 read image.bin' /dev/null");
    EXPECT_NE(outcome.out.find("/2048 words"), std::string::npos) << outcome.out;
}

// A WriteAll at the chip's own pace, stopped by signals: the first stops it at a word as the
// window's Stop does, the words before kept and the rest as they were.
TEST_F(CommandLineTest, StopSignalsEndAWriteAllAtAWord)
{
    const struct
    {
        const char* kill;
        int exitCode;
    } cases[] = {
        {"kill -INT $pid", 130},
        {"kill -TERM $pid", 143},
    };
    std::filesystem::create_directories(m_folder.Path() / "config/pemrix");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kill);
        m_folder.Write("config/pemrix/driver.conf", "");
        Succeed("-p virtual -c 93c86 fill 2222");
        Succeed("-p virtual -c 93c86 read image.bin");
        Succeed("-p virtual -c 93c86 fill 1111");
        m_folder.Write("config/pemrix/driver.conf", "virtual_real_time=true\n");
        const Outcome outcome =
            Shell("$CLI -p virtual -c 93c86 write image.bin & pid=$!; sleep 1; " +
                  std::string(c.kill) + "; wait $pid");
        EXPECT_EQ(outcome.exitCode, c.exitCode);
        m_folder.Write("config/pemrix/driver.conf", "");
        const std::string said = "WriteAll Failed. (Error Code: 0xC000)   Stopped at address ";
        ASSERT_TRUE(outcome.err.starts_with(said)) << outcome.err;
        const unsigned stoppedAt = std::stoul(outcome.err.substr(said.size(), 4), nullptr, 16);
        ASSERT_GT(stoppedAt, 0u);
        ASSERT_LT(stoppedAt, 1024u);
        Succeed("-p virtual -c 93c86 read after.bin");
        const std::string after = m_folder.Read("after.bin");
        EXPECT_EQ(after.substr(0, 2 * stoppedAt), std::string(2 * stoppedAt, '\x22'));
        EXPECT_EQ(after.substr(2 * stoppedAt), std::string(2048 - 2 * stoppedAt, '\x11'));
    }
}

} // namespace
} // namespace pemrix
