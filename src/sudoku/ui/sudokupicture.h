#pragma once

#include <QPixmap>
#include <QSize>

// The picture Img_Sudoku that stands where the board will lie until the first new game:
// a sketch of a board with a few digits under the name of the game.
QPixmap sudokuPicture(const QSize &size);
