// The Sudoku page on the offscreen platform: what it shows before and after a new game,
// and how it is used from the keyboard.
#include "fixtures.h"
#include "gamecells.h"
#include "pagerig.h"

#include "sudoku/ui/errormarktable.h"
#include "sudoku/ui/sudokugrid.h"

#include <QAccessible>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

class TestSudokuPage : public QObject
{
    Q_OBJECT

private slots:
    void startsWithThePictureAndTheLevels()
    {
        PageRig rig;
        const SudokuPageWidgets &w = rig.page->widgets();
        for (QWidget *shown : QList<QWidget *>{w.Img_Sudoku, w.Rg_SudokuLevel, w.Btn_NewGame})
            QVERIFY2(shown->isVisible(), qPrintable(shown->objectName()));
        QList<QWidget *> hidden{w.Sg_Sudoku2, w.Sg_Sudoku1, w.Sg_Sudoku, w.Sg_ErroriSudoku, w.Pnl_TastiSudoku,
                                w.Btn_Complete4Me};
        for (QWidget *bar : w.bars)
            hidden.append(bar);
        for (QWidget *control : hidden)
            QVERIFY2(!control->isVisible(), qPrintable(control->objectName()));
        QVERIFY(rig.page->isBusy());

        // The picture lies where the board will.
        QCOMPARE(w.Img_Sudoku->geometry(), w.Sg_Sudoku2->geometry());
        QVERIFY(!w.Img_Sudoku->pixmap().isNull());

        QCOMPARE(w.Rg_SudokuLevel->title(), "Livello");
        const QList<QRadioButton *> items = w.Rg_SudokuLevel->findChildren<QRadioButton *>();
        QStringList texts;
        for (QRadioButton *item : items)
            texts << item->text();
        QCOMPARE(texts, QStringList({"Elementare", "Facile", "Medio", "Difficile", "Esperto"}));
        QVERIFY(items.at(2)->isChecked());
        QCOMPARE(w.Btn_NewGame->text(), "Nuova partita");
        QCOMPARE(w.Btn_Complete4Me->text(), "Completa per me!!!");
        QCOMPARE(w.Chk_ControlloErrori->text(), "Controllo dinamico errori");
        QVERIFY(!w.Chk_ControlloErrori->isChecked());
        for (int i = 0; i < 9; ++i)
            QCOMPARE(rig.tbSudoku->findChild<QPushButton *>(QStringLiteral("Button%1").arg(i + 1))->text(),
                     QString::number(i + 1));

        // Everything fits on the page of a listening page control of the window's size.
        for (QWidget *control : rig.tbSudoku->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            QVERIFY2(rig.tbSudoku->rect().contains(control->geometry()), qPrintable(control->objectName()));
    }

    void newGameAtLevel_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("clues");
        QTest::newRow("Elementare") << 0 << 50;
        QTest::newRow("Facile") << 1 << 46;
        QTest::newRow("Medio") << 2 << 44;
        QTest::newRow("Difficile") << 3 << 41;
        QTest::newRow("Esperto") << 4 << 38;
        QTest::newRow("no level selected") << -1 << 44;
    }

    void newGameAtLevel()
    {
        QFETCH(int, level);
        QFETCH(int, clues);
        PageRig rig;
        rig.errorCheck()->setChecked(true);
        rig.scriptDraws(level, 7);
        const QList<int> draws = rig.random.draws;
        const Sudoku::NewGame game = rig.newGame(level, 7);

        const SudokuPageWidgets &w = rig.page->widgets();
        QVERIFY(!w.Img_Sudoku->isVisible());
        QList<QWidget *> shown{w.Sg_Sudoku2, w.Pnl_TastiSudoku, w.Btn_Complete4Me, w.Chk_ControlloErrori};
        for (QWidget *bar : w.bars)
            shown.append(bar);
        for (QWidget *control : shown)
            QVERIFY2(control->isVisible(), qPrintable(control->objectName()));
        QVERIFY(!w.Sg_Sudoku1->isVisible() && !w.Sg_Sudoku->isVisible() && !w.Sg_ErroriSudoku->isVisible());

        // The seed digit, its row and its column are the first three draws.
        const Sudoku::Board solution = digitsOf(rig.solution()->texts());
        QCOMPARE(solution.digit(draws.at(2), draws.at(1)), draws.at(0) + 1);
        QCOMPARE(rig.solution()->givenMark(draws.at(2), draws.at(1)), 1);
        QVERIFY(Sudoku::isSolved(solution));
        QCOMPARE(solution, game.solution);

        const Sudoku::CellTexts &board = rig.board()->texts();
        QCOMPARE(board.filledCount(), clues);
        QCOMPARE(rig.clueMask()->texts(), board);
        QVERIFY(keepsDigits(digitsOf(board), solution));
        int solutionMarks = 0;
        for (int column = 0; column < Sudoku::Side; ++column) {
            for (int row = 0; row < Sudoku::Side; ++row) {
                QCOMPARE(rig.board()->givenMark(column, row), 0);
                solutionMarks += rig.solution()->givenMark(column, row);
            }
        }
        QCOMPARE(solutionMarks, 1);

        QVERIFY(rig.board()->isEditing());
        QVERIFY(!rig.solution()->isEditing());
        QVERIFY(!rig.page->isBusy());
        QVERIFY(rig.errorCheck()->isChecked());
        QCOMPARE(rig.tabs.focusWidget(), rig.board());
    }

    void aNewGameReplacesTheLastOne()
    {
        PageRig rig;
        const Sudoku::NewGame first = rig.newGame(2, 7);
        rig.errorCheck()->setChecked(true);
        const Cell clash = find(first, Entry::RowClash);
        QVERIFY(clash.found());
        rig.type(clash.column, clash.row, digitKey(clash.digit));
        QCOMPARE(rig.errorMarks()->mark(clash.column, clash.row), Sudoku::ErrorMark::Si);
        rig.clickComplete();
        QVERIFY(!rig.board()->isEditing());

        const Sudoku::NewGame second = rig.newGame(3, 8);
        QCOMPARE(digitsOf(rig.board()->texts()), second.clues);
        for (int column = 0; column < Sudoku::Side; ++column) {
            for (int row = 0; row < Sudoku::Side; ++row) {
                QCOMPARE(rig.errorMarks()->text(column, row), QString());
                QCOMPARE(rig.board()->givenMark(column, row), 0);
            }
        }
        QVERIFY(rig.board()->isEditing());
        QCOMPARE(backgroundOf(rig.grabBoard(), clash.column, clash.row),
                 rgb(second.clues.digit(clash.column, clash.row) ? Drawn::ClueGrey : Drawn::PlayingWhite));
    }

    void arrowKeysMoveTheCurrentCell_data()
    {
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<QString>("keys"); // L, R, U, D
        QTest::addColumn<QPoint>("end");
        QTest::newRow("right") << QPoint(0, 0) << "R" << QPoint(1, 0);
        QTest::newRow("down twice") << QPoint(4, 4) << "DD" << QPoint(4, 6);
        QTest::newRow("left at the edge") << QPoint(0, 3) << "L" << QPoint(0, 3);
        QTest::newRow("up at the edge") << QPoint(5, 0) << "U" << QPoint(5, 0);
        QTest::newRow("into the far corner") << QPoint(7, 7) << "RRRDD" << QPoint(8, 8);
    }

    void arrowKeysMoveTheCurrentCell()
    {
        QFETCH(QPoint, start);
        QFETCH(QString, keys);
        QFETCH(QPoint, end);
        PageRig rig;
        rig.newGame(2);
        rig.select(start.x(), start.y());
        for (const QChar k : keys) {
            const Qt::Key key = k == 'L' ? Qt::Key_Left : k == 'R' ? Qt::Key_Right : k == 'U' ? Qt::Key_Up : Qt::Key_Down;
            QTest::keyClick(rig.board(), key);
        }
        QCOMPARE(QPoint(rig.board()->currentColumn(), rig.board()->currentRow()), end);
    }

    void keyboardReachesEveryControl()
    {
        PageRig rig;
        const Sudoku::NewGame game = rig.newGame(2);
        rig.tabs.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&rig.tabs));
        const SudokuPageWidgets &w = rig.page->widgets();

        w.Btn_NewGame->setFocus();
        QStringList order;
        for (int i = 0; i < 12; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << QApplication::focusWidget()->objectName();
        }
        QStringList expected{"Sg_Sudoku2"};
        for (int i = 1; i <= 9; ++i)
            expected << QStringLiteral("Button%1").arg(i);
        expected << "Chk_ControlloErrori" << "Btn_Complete4Me";
        QCOMPARE(order, expected);

        // Back from the new-game button into the level group, whose items the arrow keys pick.
        w.Btn_NewGame->setFocus();
        QTest::keyClick(w.Btn_NewGame, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget()->parentWidget(), w.Rg_SudokuLevel);
        w.levels->button(2)->setFocus();
        QTest::keyClick(w.levels->button(2), Qt::Key_Down);
        QCOMPARE(w.levels->checkedId(), 3);

        // A keypad button pressed from the keyboard, and a digit typed on the board.
        const Cell cell = find(game, Entry::Fitting);
        rig.select(cell.column, cell.row);
        QPushButton *key = w.keys.at(static_cast<std::size_t>(cell.digit % 9));
        key->setFocus();
        QTest::keyClick(key, Qt::Key_Space);
        QCOMPARE(rig.board()->texts().text(cell.column, cell.row), cell.digit % 9 + 1);
        QCOMPARE(QApplication::focusWidget(), rig.board());
        QTest::keyClick(rig.board(), digitKey(cell.digit));
        QCOMPARE(rig.board()->texts().text(cell.column, cell.row), cell.digit);
        QTest::keyClick(rig.board(), Qt::Key_Backspace);
        QCOMPARE(rig.board()->texts().text(cell.column, cell.row), Sudoku::CellTexts::Empty);
    }

    void everyControlHasAnAccessibleName()
    {
        PageRig rig;
        rig.newGame(2);
        for (QWidget *control : rig.tbSudoku->findChildren<QWidget *>()) {
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
            QVERIFY2(accessible && !accessible->text(QAccessible::Name).isEmpty(), qPrintable(control->objectName()));
        }
        // The board tells where the current cell is and what it holds.
        rig.select(3, 4);
        const int value = rig.board()->texts().text(3, 4);
        QVERIFY(rig.board()->accessibleDescription().startsWith("Colonna 4, riga 5: "));
        QVERIFY(rig.board()->accessibleDescription().endsWith(value < 0 ? QStringLiteral("vuota") : QString::number(value)));
    }
};

QTEST_MAIN(TestSudokuPage)
#include "sudokupagetest.moc"
