// Entries on the board of a new game: what a key release does (clue protection, the error
// check and its marks, the busy flag) and what the keypad writes.
#include "gamecells.h"
#include "pagerig.h"

#include "sudoku/keyrelease.h"
#include "sudoku/ui/errormarktable.h"
#include "sudoku/ui/sudokugrid.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTest>

using Sudoku::ErrorMark;
Q_DECLARE_METATYPE(Sudoku::ErrorMark)

class TestBoardInput : public QObject
{
    Q_OBJECT

private slots:
    void keyRelease_data()
    {
        QTest::addColumn<Entry>("entry");
        QTest::addColumn<bool>("check");
        QTest::addColumn<bool>("thenFitting");
        QTest::addColumn<ErrorMark>("mark");
        QTest::newRow("clue typed over") << Entry::OverClue << true << false << ErrorMark::No;
        QTest::newRow("digit in the row") << Entry::RowClash << true << false << ErrorMark::Si;
        QTest::newRow("digit in the column") << Entry::ColumnClash << true << false << ErrorMark::Si;
        QTest::newRow("digit in the box") << Entry::BoxClash << true << false << ErrorMark::Si;
        QTest::newRow("fitting digit") << Entry::Fitting << true << false << ErrorMark::No;
        QTest::newRow("clash, then a fitting digit") << Entry::RowClash << true << true << ErrorMark::No;
        QTest::newRow("clash with the check off") << Entry::RowClash << false << false << ErrorMark::No;
        QTest::newRow("typed 0") << Entry::Zero << true << false << ErrorMark::No;
    }

    void keyRelease()
    {
        QFETCH(Entry, entry);
        QFETCH(bool, check);
        QFETCH(bool, thenFitting);
        QFETCH(ErrorMark, mark);
        PageRig rig;
        const Sudoku::NewGame game = rig.newGame(2);
        rig.errorCheck()->setChecked(check);
        const Cell cell = find(game, entry);
        QVERIFY(cell.found());

        rig.type(cell.column, cell.row, digitKey(cell.digit));
        int expected = entry == Entry::OverClue ? game.clues.digit(cell.column, cell.row) : cell.digit;
        if (thenFitting) {
            expected = game.solution.digit(cell.column, cell.row);
            rig.type(cell.column, cell.row, digitKey(expected));
        }
        QCOMPARE(rig.board()->texts().text(cell.column, cell.row), expected);
        QCOMPARE(rig.errorMarks()->mark(cell.column, cell.row), mark);
        QCOMPARE(rig.errorCheck()->isChecked(), check);
        QVERIFY(rig.dialogs.errors.isEmpty());

        const QColor background = mark == ErrorMark::Si ? Drawn::ClashPink
            : entry == Entry::OverClue                  ? Drawn::ClueGrey
                                                        : Drawn::PlayingWhite;
        QCOMPARE(backgroundOf(rig.grabBoard(), cell.column, cell.row), rgb(background));
    }

    void busyFlagStopsTheKeyHandling()
    {
        PageRig rig;
        const Sudoku::NewGame game = rig.newGame(2);
        rig.errorCheck()->setChecked(true);
        const Cell clue = find(game, Entry::OverClue);
        rig.page->setBusy(true);
        rig.type(clue.column, clue.row, digitKey(clue.digit));
        QCOMPARE(rig.board()->texts().text(clue.column, clue.row), clue.digit);
        QCOMPARE(rig.errorMarks()->mark(clue.column, clue.row), ErrorMark::None);

        rig.page->setBusy(false);
        QTest::keyClick(rig.board(), Qt::Key_Shift);
        QCOMPARE(rig.board()->texts().text(clue.column, clue.row), game.clues.digit(clue.column, clue.row));
        QCOMPARE(rig.errorMarks()->mark(clue.column, clue.row), ErrorMark::No);
    }

    void keypadWritesWithoutTheChecks()
    {
        PageRig rig;
        const Sudoku::NewGame game = rig.newGame(2);
        rig.errorCheck()->setChecked(true);
        const auto key = [&rig](int digit) { return rig.page->widgets().keys.at(static_cast<std::size_t>(digit - 1)); };

        const Cell clash = find(game, Entry::RowClash);
        rig.select(clash.column, clash.row);
        rig.clickButton(key(clash.digit));
        QCOMPARE(rig.board()->texts().text(clash.column, clash.row), clash.digit);
        QCOMPARE(rig.errorMarks()->mark(clash.column, clash.row), ErrorMark::None);
        QCOMPARE(rig.tabs.focusWidget(), rig.board());

        // A clue can be overwritten from the keypad; the next key release on it restores it.
        const Cell clue = find(game, Entry::OverClue);
        rig.select(clue.column, clue.row);
        rig.clickButton(key(clue.digit));
        QCOMPARE(rig.board()->texts().text(clue.column, clue.row), clue.digit);
        QTest::keyClick(rig.board(), Qt::Key_Shift);
        QCOMPARE(rig.board()->texts().text(clue.column, clue.row), game.clues.digit(clue.column, clue.row));

        // Filling the last empty cell from the keypad does not run the solver command.
        for (const Cell &cell : emptyCells(game)) {
            rig.select(cell.column, cell.row);
            rig.clickButton(key(cell.digit));
        }
        QVERIFY(rig.board()->texts().isComplete());
        QVERIFY(rig.board()->isEditing());
        QVERIFY(rig.dialogs.errors.isEmpty());
    }
};

QTEST_MAIN(TestBoardInput)
#include "boardinputtest.moc"
