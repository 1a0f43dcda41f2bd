#include "cli/CommandLine.h"

int main(int argc, char** argv)
{
    return pemrix::RunCommandLine(argc, argv);
}
