#include "sudoku/ui/sudokupicture.h"

#include "sudoku/ui/celldrawing.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>

#include <array>

namespace {

struct Digit
{
    int column;
    int row;
    char digit;
};

// A few cells of a well-known opening position.
constexpr std::array<Digit, 14> Sketch = {{{0, 0, '5'}, {1, 0, '3'}, {4, 0, '7'}, {0, 1, '6'}, {3, 1, '1'},
                                           {4, 1, '9'}, {5, 1, '5'}, {1, 2, '9'}, {2, 2, '8'}, {7, 2, '6'},
                                           {0, 3, '8'}, {4, 3, '6'}, {8, 3, '3'}, {8, 8, '9'}}};

} // namespace

QPixmap sudokuPicture(const QSize &size)
{
    QPixmap picture(size);
    picture.fill(SudokuDrawing::EditingBackground);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal cell = qMin(size.width(), size.height()) / 9.0;

    QFont digits = painter.font();
    digits.setBold(true);
    digits.setPixelSize(qMax(8, int(cell * 0.55)));
    painter.setFont(digits);
    for (const Digit &d : Sketch) {
        const QRectF box(d.column * cell, d.row * cell, cell, cell);
        painter.fillRect(box, SudokuDrawing::ClueBackground);
        painter.setPen(SudokuDrawing::PlainText);
        painter.drawText(box, Qt::AlignCenter, QString(QLatin1Char(d.digit)));
    }
    for (int line = 0; line <= 9; ++line) {
        painter.setPen(QPen(SudokuDrawing::LineColour, line % 3 == 0 ? 3.0 : 1.0));
        painter.drawLine(QPointF(line * cell, 0), QPointF(line * cell, 9 * cell));
        painter.drawLine(QPointF(0, line * cell), QPointF(9 * cell, line * cell));
    }

    // The name across the middle, on a band that lets the grid show through.
    const QRectF band(0, 3.6 * cell, size.width(), 1.8 * cell);
    QLinearGradient shade(band.topLeft(), band.bottomLeft());
    shade.setColorAt(0, QColor(0, 120, 179, 200));
    shade.setColorAt(1, QColor(0, 70, 120, 220));
    painter.fillRect(band, shade);
    QFont title = painter.font();
    title.setPixelSize(qMax(10, int(cell * 1.1)));
    painter.setFont(title);
    painter.setPen(Qt::white);
    painter.drawText(band, Qt::AlignCenter, QStringLiteral("Sudoku"));
    return picture;
}
