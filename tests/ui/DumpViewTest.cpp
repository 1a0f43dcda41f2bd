#include "ui/DumpView.h"

#include "core/DumpText.h"

#include <QFontMetricsF>
#include <QTextBlock>
#include <QTextDocument>
#include <QTest>

namespace pemrix {

// Two rows of different digits take the same width only in a face that aligns columns.
bool RowsAlign(const QFont& font)
{
    const QFontMetricsF metrics(font);
    return metrics.horizontalAdvance(QStringLiteral("0000H FFFF 1111 abcd")) ==
           metrics.horizontalAdvance(QStringLiteral("1118H 1111 8888 1234"));
}

class DumpViewTest : public QObject
{
    Q_OBJECT

private slots:
    void PullReturnsExactlyThePushedText()
    {
        DumpView view;
        MemoryImage image;
        ResetImage(image, 6);
        const QString text = QString::fromStdString(RenderDump(image));
        view.PushText(text);
        QCOMPARE(view.PullText(), text);
        QCOMPARE(view.PullText().size(), 5887);
        QCOMPARE(view.document()->blockCount(), 128);
    }

    void TypingChangesNothing()
    {
        DumpView view;
        view.PushText(QStringLiteral("0000H FFFF"));
        view.show();
        view.setFocus();
        QTest::keyClicks(&view, QStringLiteral("12"));
        QTest::keyClick(&view, Qt::Key_Backspace);
        QTest::keyClick(&view, Qt::Key_Return);
        QCOMPARE(view.PullText(), QStringLiteral("0000H FFFF"));
    }

    // Cells beyond the text (an image of another type) are left unmarked.
    void MarksCoverExactlyTheGivenCellsUntilTheNextPush()
    {
        DumpView view;
        MemoryImage dump;
        ResetImage(dump, 1);
        SetImageWord(dump, 9, "0009");
        view.PushText(QString::fromStdString(RenderDump(dump)));
        const std::vector<std::uint32_t> marked{0, 9, 63, 64};
        view.MarkWords(marked);
        const QList<QTextEdit::ExtraSelection> selections = view.extraSelections();
        QCOMPARE(selections.size(), 3);
        const int starts[] = {6, 57, 7 * 46 + 41};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(selections[i].cursor.selectionStart(), starts[i]);
            QCOMPARE(selections[i].cursor.selectionEnd(), starts[i] + 4);
        }
        QCOMPARE(selections[1].cursor.selectedText(), QStringLiteral("0009"));
        // Dark on a light amber: readable on the dump's grey ground.
        const QColor background = selections[0].format.background().color();
        QVERIFY(background.lightness() > 150 && background != QColor(224, 224, 224));
        QVERIFY(selections[0].format.foreground().color().lightness() < 100);
        QCOMPARE(view.MarkedWords(), marked);

        view.PushText(QString::fromStdString(RenderDump(dump)));
        QVERIFY(view.extraSelections().isEmpty());
        QVERIFY(view.MarkedWords().empty());
    }

    void FontAppliesToTheTextAlreadyShown()
    {
        DumpView view;
        view.PushText(QStringLiteral("0000H FFFF"));
        view.ApplyDumpFont(QStringLiteral("Courier New"), 360);
        QCOMPARE(view.font().pointSizeF(), 18.0);
        QCOMPARE(view.document()->firstBlock().charFormat().font().pointSizeF(), 18.0);
        QVERIFY(RowsAlign(view.font()));
        QCOMPARE(view.palette().color(QPalette::Base), QColor(224, 224, 224));
        QCOMPARE(view.palette().color(QPalette::Text), QColor(64, 64, 128));
    }

    void MissingOrOverlongFacesStillGiveAFixedPitch()
    {
        DumpView view;
        view.ApplyDumpFont(QStringLiteral("No Such Face Anywhere At All, Really Not"), 180);
        QVERIFY(view.font().family().size() <= DumpView::kMaxFaceLength);
        QVERIFY(RowsAlign(view.font()));
        QCOMPARE(view.font().pointSizeF(), 9.0);
    }
};

} // namespace pemrix

QTEST_MAIN(pemrix::DumpViewTest)
#include "DumpViewTest.moc"
