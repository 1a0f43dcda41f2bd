#include "MainWindowShot.h"

#include "app/CVelmoraDlg.h"
#include "core/DumpText.h"
#include "core/SystemClock.h"
#include "driver/DriverLink.h"
#include "files/NativeFileSystem.h"
#include "platform/PlatformProviders.h"
#include "settings/PortPlatform.h"
#include "settings/ProfileKeys.h"
#include "settings/ProfileStore.h"
#include "settings/StoredEepromType.h"
#include "tools/screenshots/InputShots.h"
#include "ui/DumpView.h"
#include "ui/ReportList.h"

namespace pemrix {

std::unique_ptr<CVelmoraDlg> MainWindowShot(bool watchShown, bool bytes8)
{
    // The window keeps its services by reference for its whole life.
    static NativeFileSystem fileSystem;
    static const std::unique_ptr<DriverLink> driver = MakeDriverLink();
    static const SystemClock clock;
    const ProfileStore& profile = ScreenshotProfile();
    profile.WriteProfileInt(profile::kSection, profile::kWatchWindow, watchShown ? 1 : 0);
    StoreOrganisation(profile, bytes8 ? EepromOrganisation::Bytes8 : EepromOrganisation::Words16);
    auto window = std::make_unique<CVelmoraDlg>(MainWindowServices{
        profile, ScreenshotInteraction(), fileSystem, *driver, clock, MakePortPlatform, {}});
    window->Initialise();
    return window;
}

std::unique_ptr<CVelmoraDlg> CompareShot()
{
    std::unique_ptr<CVelmoraDlg> window = MainWindowShot(true);
    window->DumpViewControl()->PushText(QString::fromStdString(RenderDump(SampleDump())));
    const std::uint32_t differing[] = {0x01, 0x04, 0x2A, 0x3F};
    window->DumpViewControl()->MarkWords(differing);
    window->LogList()->AppendRow(
        {QStringLiteral("10:42:07"), QStringLiteral("Compare   4 words differ, first at 0001")},
        true);
    return window;
}

} // namespace pemrix
