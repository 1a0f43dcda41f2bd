#include "CAboutDlg.h"

#include "ui/AboutLinks.h"
#include "ui/UserInteraction.h"
#include "ui/skin/CBitmapButton.h"

#include <QUrl>

namespace pemrix {

namespace {

constexpr QRect kPictureRect(5, 42, 272, 65);

struct LinkButton
{
    const char* caption;
    QPoint pos;
    const QString& url;
};

const LinkButton kLinkButtons[] = {
    {"Email1", {45, 115}, about::kSupportMailUrl},
    {"WebSite", {75, 140}, about::kWebSiteUrl},
};

} // namespace

CAboutDlg::CAboutDlg(UserInteraction& interaction, QWidget* parent)
    : CSkinDialog(SkinWindow::About, parent)
{
    AddImageLabel(QStringLiteral("picture_216"), kPictureRect);
    // Whether the browser or the mail program opened is not reported; the dialog stays open.
    for (const LinkButton& link : kLinkButtons) {
        CBitmapButton* button = AddBitmapButton(QString::fromLatin1(link.caption), link.pos);
        connect(button, &QAbstractButton::clicked, this,
                [&interaction, &url = link.url] { interaction.OpenUrl(QUrl(url)); });
    }
}

void CAboutDlg::Run(UserInteraction& interaction, QWidget* owner)
{
    CAboutDlg dialog(interaction, owner);
    interaction.RunModal(dialog);
}

} // namespace pemrix
