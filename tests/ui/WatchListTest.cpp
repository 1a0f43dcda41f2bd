#include "ui/CEditListCtrl.h"

#include "core/DumpText.h"
#include "settings/ProfileKeys.h"
#include "settings/ProfileStore.h"
#include "ui/WatchListPlacement.h"
#include "ui/WatchListRows.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace pemrix {

namespace {

const WatchWindowRects kRects{QRect(12, 80, 320, 310), QRect(335, 80, 237, 310),
                              QRect(12, 80, 560, 310), QRect(1000, 80, 265, 310)};

const WatchRow kDefaultRow0{QStringLiteral("WatchName0"), QStringLiteral("0000"),
                            QStringLiteral("H"), QStringLiteral("FFFF")};

// One typed edit of row 5, which starts at address 0000 with the given type and Data FFFF.
struct CellEdit
{
    const char* tag;
    int column;
    const char* type;
    const char* typed;
    WatchRow after;
};

const CellEdit kCellEdits[] = {
    {"address 2b", kWatchAddress, "H", "2b", {"Flags", "002B", "H", "1234"}},
    {"address in decimal row", kWatchAddress, "D", "2B", {"Flags", "002B", "D", "4660"}},
    {"address beyond the image", kWatchAddress, "H", "7ff", {"Flags", "07FF", "H", "0"}},
    {"address 12345", kWatchAddress, "H", "12345", {"Flags", "0000", "H", "FFFF"}},
    {"address empty", kWatchAddress, "H", "", {"Flags", "0000", "H", "FFFF"}},
    {"address 2G", kWatchAddress, "H", "2G", {"Flags", "0000", "H", "FFFF"}},
    {"address, type naming no format", kWatchAddress, "h", "2b", {"Flags", "002B", "h", "FFFF"}},
    {"type d", kWatchType, "H", "d", {"Flags", "0000", "D", "65535"}},
    {"type o", kWatchType, "H", "o", {"Flags", "0000", "O", "177777"}},
    {"type X", kWatchType, "H", "X", {"Flags", "0000", "H", "FFFF"}},
    {"type empty", kWatchType, "H", "", {"Flags", "0000", "H", "FFFF"}},
    {"data", kWatchData, "H", "1234", {"Flags", "0000", "H", "FFFF"}},
    {"name with spaces", kWatchName, "H", "Fan speed", {"Fan speed", "0000", "H", "FFFF"}},
    {"name empty", kWatchName, "H", "", {"Flags", "0000", "H", "FFFF"}},
};

} // namespace

char* toString(const WatchRow& row)
{
    return QTest::toString(
        QStringList{row.strName, row.strAddress, row.strType, row.strData}.join(QLatin1Char('|')));
}

class WatchListTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ProfileStore> m_profile;
    MemoryImage m_image;
    std::unique_ptr<QWidget> m_window;
    CEditListCtrl* m_list = nullptr;
    QLineEdit* m_outside = nullptr;

    QPoint CellCentre(int row, int column) const
    {
        return m_list->visualRect(m_list->model()->index(row, column)).center();
    }

    void ClickCell(int row, int column)
    {
        QCursor::setPos(m_list->viewport()->mapToGlobal(CellCentre(row, column)));
        QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, CellCentre(row, column));
    }

    // Closed editors linger until deleted, hidden.
    QLineEdit* OpenEditor() const
    {
        for (QLineEdit* editor : m_list->findChildren<QLineEdit*>("itemEdit")) {
            if (editor->isVisible())
                return editor;
        }
        return nullptr;
    }

    // Enter hands the text in through a queued call.
    static void EndEdit(QLineEdit* editor, Qt::Key key)
    {
        QTest::keyClick(editor, key);
        QCoreApplication::processEvents();
    }

    // Selects the cell, opens its editor, types, and ends with `key` while the cursor is
    // away from the list, so each edit starts from no cell.
    void EditCell(int row, int column, const QString& typed, Qt::Key key = Qt::Key_Return)
    {
        ClickCell(row, column);
        ClickCell(row, column);
        QLineEdit* editor = OpenEditor();
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_Backspace);
        QTest::keyClicks(editor, typed);
        QCursor::setPos(m_list->mapToGlobal(QPoint(-40, -40)));
        EndEdit(editor, key);
        QVERIFY(!OpenEditor());
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_profile = std::make_unique<ProfileStore>(m_dir->filePath(QStringLiteral("p.ini")));
        ResetImage(m_image, 2);
        SetImageWord(m_image, 0x2B, "1234");
        m_window = std::make_unique<QWidget>();
        m_window->resize(600, 500);
        m_list =
            new CEditListCtrl([this]() -> const MemoryImage& { return m_image; }, m_window.get());
        m_list->setGeometry(10, 10, 400, 450);
        m_outside = new QLineEdit(m_window.get());
        m_outside->setGeometry(450, 10, 100, 25);
        LoadWatchRows(*m_list, *m_profile);
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    void cleanup()
    {
        m_window.reset();
        m_list = nullptr;
    }

    void EmptyProfileGivesTheDefaultRows()
    {
        for (int row = 0; row < CEditListCtrl::kRowCount; ++row) {
            const WatchRow texts = m_list->Row(row);
            QCOMPARE(texts.strName, QStringLiteral("WatchName%1").arg(row));
            QCOMPARE(texts.strAddress, kDefaultRow0.strAddress);
            QCOMPARE(texts.strType, kDefaultRow0.strType);
            QCOMPARE(texts.strData, kDefaultRow0.strData);
        }
        QCOMPARE(m_list->topLevelItemCount(), 20);
        QCOMPARE(m_list->headerItem()->text(3), QStringLiteral("Data"));
        QCOMPARE(m_list->header()->sectionSize(3), 83);
    }

    void ColumnsStayInTheirOrderWhenAHeaderIsDragged()
    {
        m_list->show();
        QHeaderView* header = m_list->header();
        QWidget* sections = header->viewport();
        const int y = header->height() / 2;
        const QPoint from(header->sectionViewportPosition(1) + 20, y);
        const QPoint to(header->sectionViewportPosition(3) + 40, y);
        QTest::mousePress(sections, Qt::LeftButton, {}, from);
        for (int step = 1; step <= 10; ++step) {
            const QPointF at = from + (to - from) * step / 10;
            QMouseEvent move(QEvent::MouseMove, at, sections->mapToGlobal(at), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(sections, &move);
        }
        QTest::mouseRelease(sections, Qt::LeftButton, {}, to);
        for (int column = 0; column < header->count(); ++column)
            QCOMPARE(header->logicalIndex(column), column);
    }

    void FirstClickSelectsSecondClickEdits()
    {
        ClickCell(3, kWatchAddress);
        QVERIFY(!OpenEditor());
        QVERIFY(m_list->IsCellPressed(3, kWatchAddress));
        QVERIFY(m_list->IsCellSelected());
        ClickCell(4, kWatchAddress);
        QVERIFY(!OpenEditor());
        ClickCell(4, kWatchAddress);
        QVERIFY(OpenEditor());
        QCOMPARE(OpenEditor()->text(), QStringLiteral("0000"));
        QCOMPARE(OpenEditor()->selectedText(), QStringLiteral("0000"));
        // The editor opens over the chosen column, not over the first one.
        const QRect cell = m_list->visualRect(m_list->model()->index(4, kWatchAddress));
        QCOMPARE(OpenEditor()->geometry().left(), cell.left() + 4);
    }

    void EditsThatEndWithTheCursorInsideKeepTheCell()
    {
        ClickCell(2, kWatchName);
        ClickCell(2, kWatchName);
        QTest::keyClicks(OpenEditor(), QStringLiteral("Pump"));
        EndEdit(OpenEditor(), Qt::Key_Return);
        QCOMPARE(m_list->Row(2).strName, QStringLiteral("Pump"));
        QVERIFY(m_list->IsCellSelected());
        ClickCell(2, kWatchName);
        QVERIFY(OpenEditor());
    }

    void CellEdits_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(std::size(kCellEdits)); ++i)
            QTest::newRow(kCellEdits[i].tag) << i;
    }

    void CellEdits()
    {
        QFETCH(int, index);
        const CellEdit& test = kCellEdits[index];
        m_list->SetRow(5, {"Flags", "0000", test.type, "FFFF"});
        EditCell(5, test.column, QString::fromLatin1(test.typed));
        QCOMPARE(m_list->Row(5), test.after);
    }

    void TypeEditConvertsTheShownValue()
    {
        EditCell(0, kWatchAddress, QStringLiteral("2B"));
        EditCell(0, kWatchType, QStringLiteral("o"));
        QCOMPARE(m_list->Row(0).strData, QStringLiteral("11064"));
        EditCell(0, kWatchType, QStringLiteral("d"));
        QCOMPARE(m_list->Row(0).strData, QStringLiteral("4660"));
    }

    // The old type shows no value, so the new format shows the watched word of the image.
    void TypeEditFromNoFormatReadsTheImage()
    {
        m_list->SetRow(
            1, {QStringLiteral("Odd"), QStringLiteral("002B"), QStringLiteral("h"), QString()});
        EditCell(1, kWatchType, QStringLiteral("d"));
        QCOMPARE(m_list->Row(1).strType, QStringLiteral("D"));
        QCOMPARE(m_list->Row(1).strData, QStringLiteral("4660"));
    }

    void EscapeCancelsEveryColumn()
    {
        for (int column = kWatchName; column <= kWatchData; ++column)
            EditCell(0, column, QStringLiteral("B"), Qt::Key_Escape);
        QCOMPARE(m_list->Row(0), kDefaultRow0);
    }

    void TabEndsTheEditWithoutOpeningTheNextCell()
    {
        EditCell(0, kWatchAddress, QStringLiteral("2b"), Qt::Key_Tab);
        QCOMPARE(m_list->Row(0).strAddress, QStringLiteral("002B"));
    }

    void FocusLeavingWithTheCursorOutsideClearsTheCell()
    {
        ClickCell(6, kWatchType);
        QCursor::setPos(m_list->mapToGlobal(QPoint(5, 5)));
        m_outside->setFocus();
        QVERIFY(m_list->IsCellPressed(6, kWatchType));

        m_list->setFocus();
        QCursor::setPos(m_outside->mapToGlobal(QPoint(5, 5)));
        m_outside->setFocus();
        QVERIFY(!m_list->IsCellPressed(6, kWatchType));
        QVERIFY(!m_list->IsCellSelected());
        ClickCell(6, kWatchType);
        QVERIFY(!OpenEditor());
    }

    void PressOutsideTheRowsDeselects()
    {
        ClickCell(19, kWatchName);
        m_list->scrollToTop();
        const QPoint pastLastColumn(m_list->header()->length() + 5, CellCentre(0, 0).y());
        QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, pastLastColumn);
        QVERIFY(!m_list->IsCellSelected());
    }

    void RefreshReachesEveryRowOnTheAddress()
    {
        m_list->SetRow(3, {QStringLiteral("A"), QStringLiteral("002B"), QStringLiteral("D"),
                           QStringLiteral("65535")});
        m_list->SetRow(7, {QStringLiteral("B"), QStringLiteral("2b"), QStringLiteral("B"),
                           QStringLiteral("1111111111111111")});
        RefreshWatchAddress(*m_list, 0x2B, 5);
        QCOMPARE(m_list->Row(3).strData, QStringLiteral("5"));
        QCOMPARE(m_list->Row(7).strData, QStringLiteral("101"));
        QCOMPARE(m_list->Row(0).strData, QStringLiteral("FFFF"));
        RefreshWatchAddressText(*m_list, 0x2B, "00aB");
        QCOMPARE(m_list->Row(3).strData, QStringLiteral("171"));
        QCOMPARE(m_list->Row(7).strData, QStringLiteral("10101011"));
    }

    void StoredLowerCaseTypeShowsNoDataAndIsSkipped()
    {
        m_profile->WriteProfileString(profile::kSection, QStringLiteral("WatchType4"),
                                      QStringLiteral("h"));
        m_profile->WriteProfileString(profile::kSection, QStringLiteral("WatchAddress4"),
                                      QStringLiteral("1"));
        LoadWatchRows(*m_list, *m_profile);
        QCOMPARE(m_list->Row(4).strType, QStringLiteral("h"));
        QCOMPARE(m_list->Row(4).strAddress, QStringLiteral("1"));
        QCOMPARE(m_list->Row(4).strData, QString());
        RefreshWatchAddress(*m_list, 1, 0x55);
        ResetWatchData(*m_list);
        QCOMPARE(m_list->Row(4).strData, QString());
    }

    void ResetShowsTheErasedWordInEachFormat()
    {
        const char* const types[] = {"H", "D", "B", "O"};
        for (int row = 0; row < 4; ++row)
            m_list->SetRow(row, {QStringLiteral("N"), QStringLiteral("0000"),
                                 QString::fromLatin1(types[row]), QStringLiteral("0")});
        ResetWatchData(*m_list);
        QCOMPARE(m_list->Row(0).strData, QStringLiteral("FFFF"));
        QCOMPARE(m_list->Row(1).strData, QStringLiteral("65535"));
        QCOMPARE(m_list->Row(2).strData, QStringLiteral("1111111111111111"));
        QCOMPARE(m_list->Row(3).strData, QStringLiteral("177777"));
    }

    void SaveThenLoadKeepsAllTwentyRows()
    {
        const char* const types[] = {"H", "D", "B", "O", "x"};
        for (int row = 0; row < CEditListCtrl::kRowCount; ++row)
            m_list->SetRow(row,
                           {QStringLiteral("Row %1").arg(row), QStringLiteral("%1").arg(row, 4, 16),
                            QString::fromLatin1(types[row % 5]), QStringLiteral("0")});
        SaveWatchRows(*m_list, *m_profile);

        CEditListCtrl loaded([this]() -> const MemoryImage& { return m_image; });
        LoadWatchRows(loaded, *m_profile);
        for (int row = 0; row < CEditListCtrl::kRowCount; ++row) {
            const WatchRow saved = m_list->Row(row);
            const WatchRow back = loaded.Row(row);
            QCOMPARE(back.strName, saved.strName);
            QCOMPARE(back.strAddress, saved.strAddress);
            QCOMPARE(back.strType, saved.strType);
        }
        QCOMPARE(loaded.Row(19).strAddress, QStringLiteral("  13"));
        QCOMPARE(loaded.Row(4).strData, QString());
        QCOMPARE(loaded.Row(1).strData, QStringLiteral("65535"));
    }

    void ToggleSwitchesPlacementAndStoresIt()
    {
        QWidget dump;
        QWidget watch;
        PlaceStoredWatchWindow(dump, watch, kRects, *m_profile);
        QCOMPARE(dump.geometry(), kRects.dumpShown);
        QCOMPARE(watch.geometry(), kRects.watchShown);

        ToggleWatchWindow(dump, watch, kRects, *m_profile);
        QCOMPARE(dump.geometry(), kRects.dumpHidden);
        QCOMPARE(watch.geometry(), kRects.watchHidden);
        QCOMPARE(m_profile->GetProfileInt(profile::kSection, profile::kWatchWindow, 9), 0u);

        ToggleWatchWindow(dump, watch, kRects, *m_profile);
        QCOMPARE(dump.geometry(), kRects.dumpShown);
        QCOMPARE(m_profile->GetProfileInt(profile::kSection, profile::kWatchWindow, 9), 1u);

        m_profile->WriteProfileInt(profile::kSection, profile::kWatchWindow, 0);
        PlaceStoredWatchWindow(dump, watch, kRects, *m_profile);
        QCOMPARE(dump.geometry(), kRects.dumpHidden);
    }
};

} // namespace pemrix

QTEST_MAIN(pemrix::WatchListTest)
#include "WatchListTest.moc"
