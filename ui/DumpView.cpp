#include "DumpView.h"

#include <QFontDatabase>
#include <QFontInfo>

namespace pemrix {

namespace {

const QColor kDumpBackground(224, 224, 224);
const QColor kDumpText(64, 64, 128);

} // namespace

DumpView::DumpView(QWidget* parent) : QPlainTextEdit(parent)
{
    setObjectName(QStringLiteral("dumpView"));
    setReadOnly(true);
    setFrameShape(QFrame::NoFrame);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setUndoRedoEnabled(false);
}

void DumpView::PushText(const QString& text)
{
    setPlainText(text);
}

QString DumpView::PullText() const
{
    return toPlainText();
}

void DumpView::ApplyDumpFont(const QString& face, std::uint32_t sizeTwips)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Base, kDumpBackground);
    colours.setColor(QPalette::Text, kDumpText);
    setPalette(colours);

    QFont font(face.left(kMaxFaceLength));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(sizeTwips / 20.0);
    // The eight columns line up only in a fixed-pitch face; when the named face is missing
    // and the fallback is proportional, take the system's fixed face at the same size.
    if (!QFontInfo(font).fixedPitch()) {
        const qreal points = font.pointSizeF();
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setPointSizeF(points);
    }
    setFont(font);
    document()->setDefaultFont(font);
    viewport()->update();
}

} // namespace pemrix
