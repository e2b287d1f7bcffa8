#pragma once

#include <QColor>
#include <QRect>

class QFont;
class QPainter;
class QString;

// How one cell of the board (and of the solution table, which follows the same rule) is
// drawn: background, the lines on its right and bottom edges, and its text.
namespace SudokuDrawing {

// Side of a cell and the distance from one cell to the next (one pixel of grid line).
inline constexpr int CellSide = 36;
inline constexpr int CellPitch = CellSide + 1;
// Where the text stands, from the cell's top-left corner.
inline constexpr int TextLeft = 8;
inline constexpr int TextTop = 4;
inline constexpr int NormalPointSize = 10;
inline constexpr int ClashPointSize = 12;

inline constexpr QColor LineColour{0, 120, 179};
inline constexpr QColor ClueBackground{234, 234, 234};
inline constexpr QColor EditingBackground{255, 255, 255};
inline constexpr QColor FinishedBackground{255, 255, 149};
inline constexpr QColor ClashBackground{255, 128, 128};
inline constexpr QColor GivenText{255, 0, 0};
inline constexpr QColor PlainText{0, 0, 0};

struct CellLook
{
    QColor background;
    QColor text;
    int pointSize = NormalPointSize;
};

// `givenMark` of the cell, whether the clue mask holds a positive number there, whether
// the grid is in editing mode, and whether the cell's error mark is "SI".
CellLook cellLook(int givenMark, bool clue, bool editing, bool clashed);

// Width of the line on the right edge of a cell of this column (the bottom edge of a row
// likewise): 2 after every third cell, else 1.
constexpr int edgeWidth(int columnOrRow)
{
    return columnOrRow % 3 == 2 ? 2 : 1;
}

// Draws cell (column, row) into `rect` (CellSide x CellSide). The right and bottom lines
// lie on the grid-line pixel just outside the rectangle, a line of width 2 taking the
// cell's last pixel as well; the last column and row draw none.
void drawCell(QPainter &painter, const QRect &rect, int column, int row, const QString &text,
              const CellLook &look, const QFont &baseFont);

} // namespace SudokuDrawing
