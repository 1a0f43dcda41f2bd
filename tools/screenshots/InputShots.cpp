#include "InputShots.h"

#include "core/DumpText.h"
#include "settings/ProfileStore.h"
#include "ui/CEditListCtrl.h"
#include "ui/WatchListRows.h"
#include "ui/WidgetInteraction.h"
#include "ui/skin/SkinPalette.h"

#include <QApplication>
#include <QCursor>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTemporaryDir>

namespace pemrix {

namespace {

constexpr QSize kWatchListSize(237, 310);
constexpr int kMargin = 12;

const WatchRow kSampleRows[] = {
    {"Magic", "0000", "H", ""},     {"Checksum", "003F", "H", ""}, {"Flags", "0002", "B", ""},
    {"Serial", "0004", "D", ""},    {"Mode", "0005", "O", ""},     {"Spare", "0006", "h", ""},
    {"Vendor id", "0001", "H", ""},
};

void Click(QWidget& target, QPoint pos)
{
    QCursor::setPos(target.mapToGlobal(pos));
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, pos, target.mapToGlobal(pos), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(&target, &event);
    }
}

} // namespace

const MemoryImage& SampleDump()
{
    static const MemoryImage dump = [] {
        MemoryImage text;
        ResetImage(text, 2);
        const char* const words[] = {"A55A", "10EC", "0013", "FFFF", "04D2", "01FF", "FFFF"};
        for (std::uint32_t address = 0; address < std::size(words); ++address)
            SetImageWord(text, address, words[address]);
        SetImageWord(text, 0x3F, "BEEF");
        return text;
    }();
    return dump;
}

const ProfileStore& ScreenshotProfile()
{
    static const QTemporaryDir folder;
    static const ProfileStore profile(folder.filePath(QStringLiteral("pemrix.ini")));
    return profile;
}

UserInteraction& ScreenshotInteraction()
{
    static WidgetInteraction interaction;
    return interaction;
}

std::unique_ptr<QWidget> FilledInputDialog(std::unique_ptr<HexInputDialog> dialog,
                                           const QString& address, const QString& data)
{
    for (const auto& [name, text] : {std::pair{"address", address}, std::pair{"data", data}}) {
        if (auto* edit = dialog->findChild<QLineEdit*>(QString::fromLatin1(name)))
            edit->setText(text);
    }
    return dialog;
}

std::unique_ptr<QWidget> WatchListShot(bool editing)
{
    auto frame = std::make_unique<QWidget>();
    frame->setFixedSize(kWatchListSize + QSize(2 * kMargin, 2 * kMargin));
    // The main window's ground and colours, which the list takes from it there.
    frame->setPalette(SkinPalette());
    frame->setAutoFillBackground(true);
    auto* list = new CEditListCtrl(SampleDump, frame.get());
    list->setGeometry(QRect(QPoint(kMargin, kMargin), kWatchListSize));
    LoadWatchRows(*list, ScreenshotProfile());
    for (int row = 0; row < int(std::size(kSampleRows)); ++row)
        list->SetRow(row, kSampleRows[row]);
    for (std::uint32_t address = 0; address < 0x40; ++address)
        RefreshWatchAddress(*list, address, GetImageWord(SampleDump(), address));

    // The cell state comes from real presses, so the picture shows what a user sees.
    frame->show();
    QApplication::processEvents();
    const int row = editing ? 1 : 3;
    const int column = editing ? kWatchAddress : kWatchType;
    const QPoint cell = list->visualRect(list->model()->index(row, column)).center();
    Click(*list->viewport(), cell);
    if (editing) {
        Click(*list->viewport(), cell);
        if (auto* editor = list->findChild<QLineEdit*>(QStringLiteral("itemEdit")))
            editor->setText(QStringLiteral("2b"));
    }
    return frame;
}

} // namespace pemrix
