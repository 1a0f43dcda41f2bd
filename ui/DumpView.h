#pragma once

#include <QPlainTextEdit>

#include <cstdint>
#include <span>
#include <vector>

namespace pemrix {

// The read-only hexadecimal dump of the memory image (control 1013). It shows the dump text
// and nothing else; a pull hands back exactly the text of the last push. Cells can be marked,
// as a comparison marks the words that differ; a push is a new image and clears the marks.
class DumpView : public QPlainTextEdit
{
    Q_OBJECT

public:
    // The longest face name the dump font accepts; longer stored names are cut.
    static constexpr int kMaxFaceLength = 31;

    explicit DumpView(QWidget* parent = nullptr);

    void PushText(const QString& text);
    QString PullText() const;

    // Marks the cells of these word addresses, in place of any marked before.
    void MarkWords(std::span<const std::uint32_t> addresses, unsigned cellDigits = 4);
    // The word addresses marked now, in the order given.
    std::vector<std::uint32_t> MarkedWords() const { return m_markedWords; }

    // Background, text colour and font (size in twips, 1/20 point), applied at once to the
    // text already shown.
    void ApplyDumpFont(const QString& face, std::uint32_t sizeTwips);

private:
    std::vector<std::uint32_t> m_markedWords;
};

} // namespace pemrix
