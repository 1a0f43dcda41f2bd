#include <QApplication>

namespace pemrix {

int RunSkinButtonTests(int argc, char** argv);
int RunSkinDialogTests(int argc, char** argv);

} // namespace pemrix

// The skin's suites share one program; each reports on its own.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int buttonFailures = pemrix::RunSkinButtonTests(argc, argv);
    const int dialogFailures = pemrix::RunSkinDialogTests(argc, argv);
    return buttonFailures + dialogFailures;
}
