#pragma once

// The file system of the platform the program is built for.
#ifdef _WIN32
#include "files/WindowsFileSystem.h"
namespace pemrix {
using NativeFileSystem = WindowsFileSystem;
}
#else
#include "files/PosixFileSystem.h"
namespace pemrix {
using NativeFileSystem = PosixFileSystem;
}
#endif
