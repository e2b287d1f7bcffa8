#include "sudoku/ui/celldrawing.h"

#include "sudoku/board.h"

#include <QFont>
#include <QPainter>
#include <QString>

namespace SudokuDrawing {

CellLook cellLook(int givenMark, bool clue, bool editing, bool clashed)
{
    CellLook look;
    look.text = givenMark > 0 ? GivenText : PlainText;
    if (clue)
        look.background = ClueBackground;
    else
        look.background = editing ? EditingBackground : FinishedBackground;
    if (clashed) {
        look.pointSize = ClashPointSize;
        look.background = ClashBackground;
    }
    return look;
}

void drawCell(QPainter &painter, const QRect &rect, int column, int row, const QString &text,
              const CellLook &look, const QFont &baseFont)
{
    painter.fillRect(rect, look.background);

    // The edges end on the grid-line pixel past the rectangle, so that the corner where
    // the right and the bottom line meet is covered too.
    const int right = rect.x() + rect.width();
    const int bottom = rect.y() + rect.height();
    if (column < Sudoku::Side - 1) {
        const int width = edgeWidth(column);
        painter.fillRect(QRect(right - (width - 1), rect.y(), width, rect.height() + 1), LineColour);
    }
    if (row < Sudoku::Side - 1) {
        const int width = edgeWidth(row);
        painter.fillRect(QRect(rect.x(), bottom - (width - 1), rect.width() + 1, width), LineColour);
    }

    if (text.isEmpty())
        return;
    QFont font = baseFont;
    font.setPointSize(look.pointSize);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(look.text);
    const QRect textBox(rect.x() + TextLeft, rect.y() + TextTop, rect.width() - TextLeft, rect.height() - TextTop);
    painter.drawText(textBox, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

} // namespace SudokuDrawing
