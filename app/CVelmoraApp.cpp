#include "CVelmoraApp.h"

#include "app/CVelmoraDlg.h"
#include "app/PlatformProviders.h"
#include "settings/PortPlatform.h"
#include "files/PosixFileSystem.h"
#include "settings/ProfileStore.h"
#include "ui/WidgetInteraction.h"

namespace pemrix {

CVelmoraApp::CVelmoraApp(int& argc, char** argv) : QApplication(argc, argv)
{
    setOrganizationName(QStringLiteral("Brantel Software"));
    setApplicationName(QStringLiteral("pemrix"));
}

int CVelmoraApp::Run()
{
    const ProfileStore profile = ProfileStore::ForCurrentUser();
    WidgetInteraction interaction;
    PosixFileSystem fileSystem;
    CVelmoraDlg dialog(MainWindowServices{profile, interaction, fileSystem, MakePortPlatform});
    if (!dialog.Initialise())
        return 0;
    dialog.exec();
    return 0;
}

} // namespace pemrix
