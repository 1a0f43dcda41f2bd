#include "SampleDialog.h"

#include "ui/skin/CSkinDialog.h"

#include <QLabel>
#include <QLineEdit>

namespace pemrix {

namespace {

constexpr QRect kMessageRect(15, 42, 170, 70);

} // namespace

std::unique_ptr<QWidget> MakeSampleDialog(const SampleDialog& sample)
{
    auto dialog = std::make_unique<CSkinDialog>(sample.kind);
    for (const SampleDialog::Image& image : sample.images)
        dialog->AddImageLabel(QString::fromLatin1(image.name), image.rect);
    for (const SampleDialog::Field& field : sample.fields) {
        auto* edit = new QLineEdit(QString::fromLatin1(field.text), dialog.get());
        edit->setGeometry(field.rect);
    }
    for (const SampleDialog::Button& button : sample.buttons)
        dialog->AddBitmapButton(QString::fromLatin1(button.caption), button.pos);
    if (*sample.message) {
        auto* message = new QLabel(QString::fromLatin1(sample.message), dialog.get());
        message->setAlignment(Qt::AlignCenter);
        message->setGeometry(kMessageRect);
    }
    return dialog;
}

} // namespace pemrix
