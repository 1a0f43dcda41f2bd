#include "CSkinDialog.h"

#include "ui/skin/BackgroundDrag.h"
#include "ui/skin/CBitmapButton.h"
#include "ui/skin/SkinGroupStyle.h"
#include "ui/skin/SkinImages.h"
#include "ui/skin/SkinPalette.h"

#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPainter>

namespace pemrix {

namespace {

const QColor kFrameSilver(192, 192, 192);
// The small icon for title bars and lists, the large one for task switchers and docks.
const QString kIconImages[] = {QStringLiteral("icon_128"), QStringLiteral("icon_desktop")};

// The main window is a top-level window with its own taskbar entry; the others are dialogs.
Qt::WindowFlags WindowFlagsOf(SkinWindow kind)
{
    return Qt::FramelessWindowHint | (kind == SkinWindow::Main ? Qt::Window : Qt::Dialog);
}

} // namespace

CSkinDialog::CSkinDialog(SkinWindow kind, QWidget* parent)
    : QDialog(parent, WindowFlagsOf(kind)), m_layout(SkinWindowLayoutOf(kind)),
      m_drag(new BackgroundDrag(this)), m_groupStyle(new SkinGroupStyle)
{
    m_groupStyle->setParent(this);
    setObjectName(QString::fromLatin1(m_layout.className));
    setPalette(SkinPalette());
    QIcon icon;
    for (const QString& image : kIconImages)
        icon.addFile(FindSkinImagePath(image));
    setWindowIcon(icon);
    setFixedSize(m_layout.window.size());
    // An explicit place also keeps a dialog from being centred over its owner when shown.
    move(m_layout.window.topLeft());

    const QString title = QString::fromLatin1(m_layout.titleImage);
    const QPixmap strip = LoadSkinImage(title, devicePixelRatioF());
    AddImageLabel(title, QRect(QPoint(0, 0), strip.deviceIndependentSize().toSize()))
        ->setObjectName(QStringLiteral("titleStrip"));

    connect(m_drag, &BackgroundDrag::DoubleClicked, this, [this] {
        if (m_layout.closesOnDoubleClick)
            accept();
    });
}

CBitmapButton* CSkinDialog::AddBitmapButton(const QString& caption, QPoint pos)
{
    auto* button = new CBitmapButton(caption, this);
    button->move(pos);
    return button;
}

QLabel* CSkinDialog::AddImageLabel(const QString& imageName, const QRect& rect)
{
    auto* label = new QLabel(this);
    label->setObjectName(imageName);
    label->setPixmap(LoadSkinImage(imageName, devicePixelRatioF()));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(rect);
    return label;
}

QGroupBox* CSkinDialog::AddGroupBox(const QString& title, const QRect& rect)
{
    auto* group = new QGroupBox(title, this);
    group->setStyle(m_groupStyle);
    group->setGeometry(rect);
    return group;
}

// Paints what a GDI Rectangle with a 4-pixel solid pen and a white brush paints: its outline
// runs through the pixels left, top, right - 1 and bottom - 1, and the pen is centred on it,
// two pixels outside and two inside.
void CSkinDialog::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const QRect& frame = m_layout.frame;
    painter.fillRect(QRect(QPoint(frame.left() - 2, frame.top() - 2), frame.bottomRight()),
                     kFrameSilver);
    painter.fillRect(
        QRect(QPoint(frame.left() + 2, frame.top() + 2), frame.bottomRight() - QPoint(4, 4)),
        Qt::white);
}

// Static controls answer presses as the background does, as they would on a caption; they
// are gathered here so that controls added after construction count too.
void CSkinDialog::showEvent(QShowEvent* event)
{
    for (QLabel* label : findChildren<QLabel*>())
        m_drag->Watch(label);
    for (QGroupBox* group : findChildren<QGroupBox*>()) {
        if (!group->isCheckable())
            m_drag->Watch(group);
    }
    QDialog::showEvent(event);
}

} // namespace pemrix
