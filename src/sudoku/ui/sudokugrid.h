#pragma once

#include "sudoku/board.h"
#include "sudoku/celltexts.h"

#include <QList>
#include <QPointer>
#include <QWidget>

#include <array>
#include <cstdint>

class ErrorMarkTable;

// A 9 x 9 table of cell texts with a given mark per cell, drawn cell by cell by the
// board's drawing rule. The board Sg_Sudoku2 is one; the solution Sg_Sudoku and the clue
// mask Sg_Sudoku1 are hidden ones.
//
// Keyboard: the arrow keys move the current cell; in editing mode a digit 0..9 typed
// replaces the current cell's text (a cell holds at most one digit) and Backspace or
// Delete empties it. A mouse click makes the cell under it current.
class SudokuGrid final : public QWidget
{
    Q_OBJECT

signals:
    // A text changed.
    void changed();
    // A key pressed on the grid went up. Auto-repeats are not reported, nor the release of
    // a key pressed elsewhere (the Enter that closed a message box, the Tab that came in).
    void keyReleased();

public:
    using Marks = std::array<std::uint8_t, Sudoku::CellCount>;

    explicit SudokuGrid(QWidget *parent = nullptr);

    const Sudoku::CellTexts &texts() const { return m_texts; }
    void setTexts(const Sudoku::CellTexts &texts);
    // `value` is Sudoku::CellTexts::Empty or 0..9.
    void setText(int column, int row, int value);

    int givenMark(int column, int row) const;
    void setGivenMarks(const Marks &marks);
    // Texts and given marks.
    void clearAll();

    // Editing mode with its always-visible cell editor.
    bool isEditing() const { return m_editing; }
    void setEditing(bool on);

    int currentColumn() const { return m_column; }
    int currentRow() const { return m_row; }
    // Ignored for a cell outside the grid.
    void setCurrentCell(int column, int row);

    // The clue mask and the error marks the drawing rule reads; either may be null. The
    // grid repaints when they change.
    void setLookSources(const SudokuGrid *clueMask, const ErrorMarkTable *errorMarks);

    // Cell (column, row) in the grid's coordinates: a one-pixel frame, then cells of
    // 36 x 36 pixels one grid-line pixel apart.
    static QRect cellRect(int column, int row);
    static QSize gridSize();
    QSize sizeHint() const override { return gridSize(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    bool moveCurrent(int key);
    void textsChanged();
    void describeCurrentCell();

    Sudoku::CellTexts m_texts;
    Marks m_given{};
    bool m_editing = false;
    int m_column = 0;
    int m_row = 0;
    QPointer<const SudokuGrid> m_clueMask;
    QPointer<const ErrorMarkTable> m_errorMarks;
    QList<int> m_pressedKeys;
};
