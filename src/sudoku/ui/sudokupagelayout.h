#pragma once

#include <array>

class ErrorMarkTable;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;
class SudokuGrid;

// The controls of the Sudoku page Tb_Sudoku, each named by its component name.
struct SudokuPageWidgets
{
    QLabel *Img_Sudoku = nullptr;
    QGroupBox *Rg_SudokuLevel = nullptr;
    // The five level items with ids 0..4.
    QButtonGroup *levels = nullptr;
    QPushButton *Btn_NewGame = nullptr;
    SudokuGrid *Sg_Sudoku2 = nullptr;      // the board
    SudokuGrid *Sg_Sudoku1 = nullptr;      // the clue mask, hidden
    SudokuGrid *Sg_Sudoku = nullptr;       // the solution, hidden
    ErrorMarkTable *Sg_ErroriSudoku = nullptr; // hidden
    // Sg_Sudoku_Barre1, 2 after the third and sixth column, 3, 4 after the third and sixth row.
    std::array<QWidget *, 4> bars{};
    QWidget *Pnl_TastiSudoku = nullptr;
    std::array<QPushButton *, 9> keys{}; // Button1 .. Button9
    QCheckBox *Chk_ControlloErrori = nullptr;
    QPushButton *Btn_Complete4Me = nullptr;
};

namespace SudokuPageLayout {
// Builds the controls into `tbSudoku` at fixed places, with their design texts, as they
// are before the first new game: the picture, the level group ("Medio" selected) and the
// new-game button shown, everything else hidden.
SudokuPageWidgets build(QWidget *tbSudoku);
} // namespace SudokuPageLayout
