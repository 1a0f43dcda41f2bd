#include "DumpView.h"

#include "core/DumpText.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>

namespace pemrix {

namespace {

const QColor kDumpBackground(224, 224, 224);
const QColor kDumpText(64, 64, 128);
// A marked cell: dark red on amber, which stays readable on the grey ground and is told
// apart from the selection's highlight.
const QColor kMarkedBackground(255, 200, 96);
const QColor kMarkedText(128, 0, 0);

// Every character a dump can hold has the same advance, so the eight columns line up. Some
// monospaced faces do not declare themselves fixed-pitch, hence the measurement.
bool AlignsColumns(const QFont& font)
{
    if (QFontInfo(font).fixedPitch())
        return true;
    const QFontMetricsF metrics(font);
    const qreal advance = metrics.horizontalAdvance(QLatin1Char('0'));
    for (const QChar c : QStringLiteral(" 123456789ABCDEFHabcdef")) {
        if (!qFuzzyCompare(metrics.horizontalAdvance(c), advance))
            return false;
    }
    return true;
}

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
    MarkWords({});
    setPlainText(text);
}

QString DumpView::PullText() const
{
    return toPlainText();
}

void DumpView::MarkWords(std::span<const std::uint32_t> addresses, unsigned cellDigits)
{
    m_markedWords.assign(addresses.begin(), addresses.end());
    QTextCharFormat marked;
    marked.setBackground(kMarkedBackground);
    marked.setForeground(kMarkedText);
    QList<QTextEdit::ExtraSelection> selections;
    for (const std::uint32_t address : addresses) {
        QTextCursor cell(document());
        const int at = static_cast<int>(CellTextOffset(address, cellDigits));
        const int digits = static_cast<int>(cellDigits);
        if (at + digits > document()->characterCount())
            continue;
        cell.setPosition(at);
        cell.setPosition(at + digits, QTextCursor::KeepAnchor);
        selections.append({cell, marked});
    }
    setExtraSelections(selections);
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
    // When the named face is missing and the fallback is proportional, take the system's
    // fixed face at the same size.
    if (!AlignsColumns(font)) {
        const qreal points = font.pointSizeF();
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setPointSizeF(points);
    }
    setFont(font);
    document()->setDefaultFont(font);
    viewport()->update();
}

} // namespace pemrix
