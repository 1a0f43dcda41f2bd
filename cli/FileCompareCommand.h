#pragma once

#include "cli/ChipCommandLine.h"

namespace pemrix {

// compare FILE1 FILE2: both files read for `type` and compared word by word, the chip left
// alone. Exits as verify does: 0 the same words, 3 words differ, 4 a file cannot be read.
int RunCompareCommand(FileSystem& files, const EepromTypeInfo& type, const ImageFileOperand& first,
                      const ImageFileOperand& second, CommandReport& report);

} // namespace pemrix
