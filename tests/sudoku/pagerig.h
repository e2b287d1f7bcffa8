#pragma once

#include "platform/fakes/fakeplatform.h"
#include "sudoku/celltexts.h"
#include "sudoku/generator.h"
#include "sudoku/ui/sudokupage.h"

#include <QColor>
#include <QImage>
#include <QTabWidget>

#include <cstdint>

class ErrorMarkTable;
class QCheckBox;
class QPushButton;
class SudokuGrid;

// A listening page control of the main window's size with the Sudoku page on it, shown
// offscreen, and the page built on it with scripted dialogs and draws.
struct PageRig
{
    ScriptedDialogs dialogs;
    ScriptedRandom random;
    QTabWidget tabs;
    QWidget *tbSudoku = nullptr;
    SudokuPage *page = nullptr;

    PageRig();

    SudokuGrid *board() const { return page->widgets().Sg_Sudoku2; }
    SudokuGrid *clueMask() const { return page->widgets().Sg_Sudoku1; }
    SudokuGrid *solution() const { return page->widgets().Sg_Sudoku; }
    ErrorMarkTable *errorMarks() const { return page->widgets().Sg_ErroriSudoku; }
    QCheckBox *errorCheck() const { return page->widgets().Chk_ControlloErrori; }

    // Scripts the draws of a reproducible generator and gives the game they make, as the
    // library builds it from the same draws.
    Sudoku::NewGame scriptDraws(int level, std::uint32_t seed);
    // Selects the level (-1: none), scripts the draws and clicks "Nuova partita".
    Sudoku::NewGame newGame(int level, std::uint32_t seed = 7);

    // Clicks cell (column, row) and types `key` into it.
    void select(int column, int row) const;
    void type(int column, int row, int key) const;
    void clickButton(QPushButton *button) const;
    void clickComplete() const;
    QImage grabBoard() const;
};

// The board's cell texts as an 81-character row-by-row text, "." for an empty cell.
QString rowsOf(const Sudoku::CellTexts &texts);
Sudoku::CellTexts textsFromRows(const QString &rows);

// Colours of the board's drawing rule.
namespace Drawn {
inline constexpr QColor ClueGrey{234, 234, 234};
inline constexpr QColor PlayingWhite{255, 255, 255};
inline constexpr QColor FinishedYellow{255, 255, 149};
inline constexpr QColor ClashPink{255, 128, 128};
inline constexpr QColor GivenRed{255, 0, 0};
} // namespace Drawn

QRgb rgb(const QColor &colour);
// The colour at a point inside the cell clear of its text and its edges.
QRgb backgroundOf(const QImage &board, int column, int row);
// The colour of the text drawn in the cell: its ink farthest from the background (the
// smoothed edges of the glyphs lie between the two).
QRgb textColourOf(const QImage &board, int column, int row);
