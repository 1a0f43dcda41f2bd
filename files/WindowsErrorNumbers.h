#pragma once

namespace pemrix {

// What a Windows error code without an errno number of its own gives: no errno number, so no
// cause either.
inline constexpr int kErrnoOfUnknownWindowsError = -1;

// The errno number a Windows error code (GetLastError) stands for.
int ErrnoFromWindowsError(unsigned long error);

} // namespace pemrix
