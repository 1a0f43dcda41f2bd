#pragma once

#include "app/MainWindowServices.h"

#include <cstdint>
#include <ctime>
#include <optional>

class QWidget;

namespace pemrix {

class ChipCommandHost;
struct DriverResult;
struct EepromTypeInfo;

// The seven chip command buttons: operands from their input dialog, the driver's steps, the
// result dialog, then the log line; and the window menu's chip type detection.
class ChipCommandRunner
{
public:
    ChipCommandRunner(QWidget& owner, const MainWindowServices& services, ChipCommandHost& host);

    void Read();
    void Write();
    void Erase();
    void ReadAll();
    void WriteAll();
    void Wral();
    void Eral();
    void DetectType();

private:
    // What a finished command shows: the values of its success dialog and success log line,
    // and for a command the user stopped, the address it stopped at.
    struct Shown
    {
        std::uint32_t dialogAddress = 0;
        std::uint32_t dialogData = 0;
        std::uint32_t logAddress = 0;
        std::uint32_t logData = 0;
        std::optional<std::uint32_t> stoppedAt{};
        unsigned dataDigits = 4;
    };

    std::uint32_t StoredPort() const;
    template <typename Body> void Guard(Body body);
    template <typename Command> auto Send(int kind, std::uint32_t wordsInAll, Command command);
    template <typename Dialog, typename Command> void RunWordCommand(int kind, Command command);
    template <typename Command> void RunRebuildingCommand(int kind, Command command);
    bool ReportMissingBytes8(const EepromTypeInfo& type, const DriverResult& result,
                             std::time_t started);
    void Report(int kind, const DriverResult& result, std::time_t started, const Shown& shown);

    QWidget& m_owner;
    const MainWindowServices& m_services;
    ChipCommandHost& m_host;
};

} // namespace pemrix
