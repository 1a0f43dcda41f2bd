#include "IncludeRules.h"

#include <QFileInfo>
#include <QLibraryInfo>
#include <QString>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace pemrix {
namespace {

// A header of Qt Widgets that Qt Core or Qt Gui do not also ship under the same name.
bool IsWidgetsHeader(std::string_view header)
{
    const QString name = QString::fromUtf8(header.data(), qsizetype(header.size()));
    if (name.startsWith("QtWidgets/") || name == "QtWidgets")
        return true;
    const QString root = QLibraryInfo::path(QLibraryInfo::HeadersPath);
    auto ships = [&](const char* module) {
        return QFileInfo::exists(root + "/" + module + "/" + name);
    };
    return ships("QtWidgets") && !ships("QtGui") && !ships("QtCore");
}

struct PlantedInclude
{
    const char* file;
    const char* target;
    bool angled;
    bool allowed;
};

// Each arrow of the design both ways, the Qt rule at each layer, and the ways around them.
const PlantedInclude kPlanted[] = {
    {"ui/CLogDlg.cpp", "settings/ProfileStore.h", false, true},
    {"settings/ProfileStore.cpp", "ui/ReportList.h", false, false},
    {"core/HexText.cpp", "driver/DriverLink.h", false, false},
    {"driver/DriverSession.cpp", "core/EepromTypeInfo.h", false, true},
    {"driver/DriverSession.cpp", "adapter/AdapterStatus.h", false, false},
    {"files/ImageFileOpen.cpp", "settings/ProfileStore.h", false, false},
    {"adapter/bus/MicrowireBus.cpp", "driver/RequestRecords.h", false, true},
    {"adapter/bus/MicrowireBus.cpp", "driver/WholeChipCommands.h", false, false},
    {"adapter/ports/ch341a/Ch341aPort.cpp", "adapter/bus/PortTransaction.h", false, true},
    {"app/CVelmoraApp.cpp", "platform/PlatformProviders.h", false, true},
    {"app/CVelmoraApp.cpp", "platform/linux/LinuxPortPlatform.h", false, false},
    {"app/CVelmoraApp.cpp", "adapter/BuiltInDriverFactory.h", false, false},
    {"app/CVelmoraApp.cpp", "cli/CommandLine.h", false, false},
    {"cli/CommandLine.cpp", "platform/PlatformProviders.h", false, true},
    {"cli/CommandLine.cpp", "app/CVelmoraApp.h", false, false},
    {"cli/CommandLine.cpp", "adapter/BuiltInDriverFactory.h", false, false},
    {"cli/CommandLine.cpp", "ui/ReportList.h", false, false},
    {"ui/CLogDlg.cpp", "app/CVelmoraDlg.h", false, false},
    {"platform/win32/WinPortPlatform.cpp", "platform/linux/ParportMachine.h", false, false},
    {"platform/PlatformProviders.cpp", "platform/win32/Win32DriverLink.h", false, true},
    {"ui/CLogDlg.cpp", "../app/CVelmoraDlg.h", false, false},
    {"ui/CLogDlg.cpp", "CLogDlg.h", false, true},
    {"ui/CLogDlg.cpp", "QDialog", true, true},
    {"settings/ProfileStore.cpp", "QSettings", true, true},
    {"settings/ProfileStore.cpp", "QWidget", true, false},
    {"files/ImageFileOpen.cpp", "QtWidgets/QFileDialog", true, false},
    {"cli/CommandLine.cpp", "QMessageBox", true, false},
    {"core/HexText.cpp", "QString", true, false},
    {"adapter/AdapterStatus.cpp", "QByteArray", true, false},
    {"adapter/ports/LinuxUsbCalls.cpp", "libusb-1.0/libusb.h", true, true},
    {"newlayer/Thing.cpp", "core/HexText.h", false, false},
};

TEST(IncludeRules, JudgesEachArrowAndTheQtRule)
{
    for (const PlantedInclude& c : kPlanted) {
        const auto violation = IncludeViolation(c.file, {c.target, c.angled}, IsWidgetsHeader);
        EXPECT_EQ(!violation, c.allowed) << c.file << " -> " << c.target;
    }
}

// Every file of the program, from the repository's root.
std::vector<std::string> ProgramSources()
{
    const std::filesystem::path root(PEMRIX_SOURCE_DIR);
    std::vector<std::string> files;
    for (const char* layer : {"core", "driver", "adapter", "settings", "files", "platform", "ui",
                              "app", "cli", "tools"}) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root / layer)) {
            const auto extension = entry.path().extension();
            if (extension == ".h" || extension == ".cpp")
                files.push_back(entry.path().lexically_relative(root).generic_string());
        }
    }
    return files;
}

TEST(IncludeRules, HoldForEveryFileOfTheProgram)
{
    const std::regex includeLine(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    const std::vector<std::string> files = ProgramSources();
    ASSERT_GT(files.size(), 100u);
    for (const std::string& file : files) {
        std::ifstream in(std::filesystem::path(PEMRIX_SOURCE_DIR) / file);
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            std::smatch match;
            if (!std::regex_search(line, match, includeLine))
                continue;
            const std::string target = match[2];
            if (const auto violation =
                    IncludeViolation(file, {target, match[1] == "<"}, IsWidgetsHeader))
                ADD_FAILURE() << file << ":" << number << ": " << *violation;
        }
    }
}

} // namespace
} // namespace pemrix
