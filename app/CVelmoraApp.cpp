#include "CVelmoraApp.h"

#include "app/CVelmoraDlg.h"
#include "app/HelpFileLocation.h"
#include "platform/PlatformProviders.h"
#include "settings/PortPlatform.h"
#include "core/SystemClock.h"
#include "driver/DriverLink.h"
#include "files/NativeFileSystem.h"
#include "settings/ProfileStore.h"
#include "ui/ReportList.h"
#include "ui/skin/SkinLook.h"
#include "ui/WidgetInteraction.h"

namespace pemrix {

CVelmoraApp::CVelmoraApp(int& argc, char** argv) : QApplication(argc, argv)
{
    setOrganizationName(QStringLiteral("Brantel Software"));
    setApplicationName(QStringLiteral("pemrix"));
    ApplySkinLook();
}

int CVelmoraApp::Run()
{
    const ProfileStore profile = ProfileStore::ForCurrentUser();
    WidgetInteraction interaction;
    NativeFileSystem fileSystem;
    std::vector<std::string> driverNotices;
    const std::unique_ptr<DriverLink> driver = MakeDriverLink(&driverNotices);
    const SystemClock clock;
    const QString helpFile = FindHelpFile(applicationFilePath());
    CVelmoraDlg dialog(MainWindowServices{profile, interaction, fileSystem, *driver, clock,
                                          MakePortPlatform, helpFile});
    if (!dialog.Initialise())
        return 0;
    for (const std::string& notice : driverNotices)
        dialog.InformationList()->AppendRow({QString::fromStdString(notice)}, false);
    dialog.exec();
    return 0;
}

} // namespace pemrix
