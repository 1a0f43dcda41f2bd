#pragma once

#include "core/MemoryImage.h"
#include "ui/HexInputDialog.h"

#include <memory>
#include <string>

class QWidget;

namespace pemrix {

// The profile and the user-interaction seam the pictured dialogs are built on; the profile
// lies in a temporary folder, so rendering never touches the user's settings.
const ProfileStore& ScreenshotProfile();
UserInteraction& ScreenshotInteraction();

// A 93C56 image with a few sample words, as the watch list and the compare shot show it.
const MemoryImage& SampleDump();

// An input dialog with sample texts in its fields, as the user would have typed them.
std::unique_ptr<QWidget> FilledInputDialog(std::unique_ptr<HexInputDialog> dialog,
                                           const QString& address, const QString& data);

template <typename Dialog>
std::unique_ptr<QWidget> InputDialogShot(const QString& address, const QString& data)
{
    return FilledInputDialog(std::make_unique<Dialog>(ScreenshotProfile(), ScreenshotInteraction()),
                             address, data);
}

// The watch list at its shown size with sample rows: with the Address cell of one row open
// for editing, or with one Type cell selected.
std::unique_ptr<QWidget> WatchListShot(bool editing);

} // namespace pemrix
