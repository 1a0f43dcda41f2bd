#pragma once

#include <QPlainTextEdit>

#include <cstdint>

namespace pemrix {

// The read-only hexadecimal dump of the memory image (control 1013). It shows the dump text
// and nothing else; a pull hands back exactly the text of the last push.
class DumpView : public QPlainTextEdit
{
    Q_OBJECT

public:
    // The longest face name the dump font accepts; longer stored names are cut.
    static constexpr int kMaxFaceLength = 31;

    explicit DumpView(QWidget* parent = nullptr);

    void PushText(const QString& text);
    QString PullText() const;

    // Background, text colour and font (size in twips, 1/20 point), applied at once to the
    // text already shown.
    void ApplyDumpFont(const QString& face, std::uint32_t sizeTwips);
};

} // namespace pemrix
