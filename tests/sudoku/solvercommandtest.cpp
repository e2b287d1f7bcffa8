// The command "Completa per me!!!" on the page: its two messages, the completed board and
// its look, the run started by the last cell, and the board repainted while it runs.
#include "gamecells.h"
#include "pagerig.h"

#include "fixtures.h"
#include "sudoku/solver.h"
#include "sudoku/ui/sudokugrid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>

#include <algorithm>

namespace {

class PaintCounter final : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

class TestSolverCommand : public QObject
{
    Q_OBJECT

private slots:
    void solverCommand_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("message");
        const QString invalid = QString::fromUtf8(Sudoku::InvalidCombinationsMessage.data());
        const QString unsolvable = QString::fromUtf8(Sudoku::UnsolvableMessage.data());
        QTest::newRow("the puzzle as dealt") << "none" << QString();
        QTest::newRow("a digit twice in a row") << "repeat" << invalid;
        QTest::newRow("player digits that allow no completion") << "dead end" << unsolvable;
        QTest::newRow("a typed 0 loads as an empty cell") << "zero" << QString();
    }

    void solverCommand()
    {
        QFETCH(QString, change);
        QFETCH(QString, message);
        PageRig rig;
        const Sudoku::NewGame game = rig.newGame(2);
        Cell entry;
        if (change == "repeat")
            entry = find(game, Entry::RowClash);
        if (change == "zero")
            entry = find(game, Entry::Zero);
        if (change == "dead end") {
            for (const Cell &cell : emptyCells(game)) {
                for (int d = 1; d <= 9 && !entry.found(); ++d) {
                    Sudoku::Board tried = game.clues;
                    tried.setDigit(cell.column, cell.row, d);
                    if (!Sudoku::hasDuplicates(tried) && !hasCompletion(tried))
                        entry = {cell.column, cell.row, d};
                }
            }
        }
        if (change != "none") {
            QVERIFY(entry.found());
            rig.type(entry.column, entry.row, digitKey(entry.digit));
        }
        const Sudoku::CellTexts before = rig.board()->texts();
        const Sudoku::LoadedBoard loaded = Sudoku::loadBoard(before);

        rig.clickComplete();

        QVERIFY(!rig.board()->isEditing());
        for (int column = 0; column < Sudoku::Side; ++column)
            for (int row = 0; row < Sudoku::Side; ++row)
                QCOMPARE(rig.board()->givenMark(column, row), loaded.givenMark(column, row));
        const Sudoku::Board after = digitsOf(rig.board()->texts());
        if (message.isEmpty()) {
            QVERIFY(rig.dialogs.errors.isEmpty());
            QVERIFY(Sudoku::isSolved(after));
            QVERIFY(keepsDigits(loaded.digits, after));
            QCOMPARE(rig.tabs.focusWidget(), rig.board());
            return;
        }
        QCOMPARE(rig.dialogs.errors, QStringList{message});
        if (change == "repeat") {
            QCOMPARE(rig.board()->texts(), before);
            return;
        }
        // The board keeps what the search's last periodic write showed.
        Sudoku::Board lastWrite;
        Sudoku::runSearch(loaded.digits, [&lastWrite](const Sudoku::Board &board, int) { lastWrite = board; });
        QCOMPARE(after, lastWrite);
    }

    void fillingTheLastCell_data()
    {
        QTest::addColumn<bool>("clash");
        QTest::newRow("fitting digits") << false;
        QTest::newRow("an unchecked clash in the last cell") << true;
    }

    void fillingTheLastCell()
    {
        QFETCH(bool, clash);
        PageRig rig;
        const Sudoku::NewGame game = rig.newGame(0);
        const QList<Cell> cells = emptyCells(game);
        for (qsizetype i = 0; i + 1 < cells.size(); ++i)
            rig.type(cells[i].column, cells[i].row, digitKey(cells[i].digit));
        QVERIFY(rig.board()->isEditing());
        const Cell last = cells.last();
        rig.type(last.column, last.row, digitKey(clash ? last.digit % 9 + 1 : last.digit));
        QVERIFY(!rig.board()->isEditing());

        if (!clash) {
            QVERIFY(rig.dialogs.errors.isEmpty());
            QVERIFY(Sudoku::isSolved(digitsOf(rig.board()->texts())));
            // Every digit red; light yellow behind the player's cells, grey behind the clues.
            const QImage image = rig.grabBoard();
            const Cell played = cells.first();
            const Cell clue = find(game, Entry::OverClue);
            QCOMPARE(backgroundOf(image, played.column, played.row), rgb(Drawn::FinishedYellow));
            QCOMPARE(backgroundOf(image, clue.column, clue.row), rgb(Drawn::ClueGrey));
            QCOMPARE(textColourOf(image, played.column, played.row), rgb(Drawn::GivenRed));
            QCOMPARE(textColourOf(image, clue.column, clue.row), rgb(Drawn::GivenRed));
            return;
        }
        const QString invalid = QString::fromUtf8(Sudoku::InvalidCombinationsMessage.data());
        QCOMPARE(rig.dialogs.errors, QStringList{invalid});
        // The Enter that closes the message box goes up on the board: that runs nothing.
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(rig.board(), &release);
        QCOMPARE(rig.dialogs.errors.size(), 1);
        // A key pressed and released on the complete board runs the command again.
        QTest::keyClick(rig.board(), Qt::Key_Right);
        QCOMPARE(rig.dialogs.errors, QStringList({invalid, invalid}));
    }

    void solverShowsItsProgress()
    {
        PageRig rig;
        rig.newGame(2);
        const Sudoku::Board hard = top95().front();
        rig.board()->setTexts(Sudoku::CellTexts::fromBoard(hard));
        PaintCounter counter;
        rig.board()->installEventFilter(&counter);

        bool solving = false;
        QList<int> seen;
        QTimer probe;
        probe.setInterval(0);
        connect(&probe, &QTimer::timeout, this, [&] {
            if (solving)
                seen.append(rig.board()->texts().filledCount());
        });
        probe.start();
        solving = true;
        rig.clickComplete();
        solving = false;
        probe.stop();

        QVERIFY(rig.dialogs.errors.isEmpty());
        QVERIFY(Sudoku::isSolved(digitsOf(rig.board()->texts())));
        QVERIFY2(counter.paints >= 2, qPrintable(QString::number(counter.paints)));
        QVERIFY(!seen.isEmpty());
        QVERIFY(std::any_of(seen.cbegin(), seen.cend(), [](int filled) { return filled < Sudoku::CellCount; }));
    }
};

QTEST_MAIN(TestSolverCommand)
#include "solvercommandtest.moc"
