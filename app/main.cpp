#include "app/CVelmoraApp.h"

int main(int argc, char** argv)
{
    pemrix::CVelmoraApp app(argc, argv);
    return app.Run();
}
