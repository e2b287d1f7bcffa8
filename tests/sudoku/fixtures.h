#pragma once

#include "sudoku/board.h"

#include <string>
#include <vector>

// The 95 hard published puzzles of data/top95.txt, one a line, "." for empty.
std::vector<Sudoku::Board> top95();

// An independent answer to "can this board be completed?": a plain depth-first search that
// fills the cell with the fewest fitting digits first. Fast enough for boards with many clues.
bool hasCompletion(const Sudoku::Board &board);

// True when every digit of `puzzle` stands at the same cell of `solution`.
bool keepsDigits(const Sudoku::Board &puzzle, const Sudoku::Board &solution);
