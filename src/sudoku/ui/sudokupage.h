#pragma once

#include "sudoku/ui/sudokupagelayout.h"

#include <QObject>

class Dialogs;
class QAbstractButton;
class RandomGenerator;

// The Sudoku page Tb_Sudoku (page 8 of Pnl_Ascolta): new games at five levels, the board
// with its clue protection and optional error check, the keypad, and the solver command.
//
// The busy flag is set from construction until the first new game has been built (the
// board is hidden until then), during every new game and while a clue is written back;
// while it is set, key releases on the board do nothing.
//
// The solver command and the key-release handler let pending window messages run while
// they work, so other commands of the page can run inside them.
class SudokuPage final : public QObject
{
    Q_OBJECT

public:
    // Builds the page's controls into `tbSudoku`. New games draw from `random`; the
    // solver's messages go through `dialogs`. Without `parent` the page belongs to
    // `tbSudoku`.
    SudokuPage(QWidget *tbSudoku, Dialogs &dialogs, RandomGenerator &random, QObject *parent = nullptr);

    bool isBusy() const { return m_busy; }
    void setBusy(bool busy) { m_busy = busy; }

    const SudokuPageWidgets &widgets() const { return m_w; }

    // Handlers, under their component names.
    void Btn_NewGameClick();
    void Sg_Sudoku2KeyUp();
    // Shared by Button1 .. Button9: writes the button's caption into the board's current cell.
    void KeypadButtonClick(QAbstractButton *button);
    void Btn_Complete4MeClick();

private:
    int selectedLevel() const;

    QWidget *m_page;
    Dialogs &m_dialogs;
    RandomGenerator &m_random;
    SudokuPageWidgets m_w;
    bool m_busy = true;
};
