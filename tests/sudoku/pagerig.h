#pragma once

#include "platform/fakes/fakeplatform.h"
#include "sudoku/celltexts.h"
#include "sudoku/generator.h"
#include "sudoku/ui/sudokupage.h"

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
