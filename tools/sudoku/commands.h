#pragma once

#include <ostream>
#include <span>
#include <string_view>

// The commands of sintonia-sudoku, for checking and timing the Sudoku library:
//   grid D C R       the solution grown from digit D (1..9) at column C, row R (0..8):
//                    81 digits row by row, a space, the passes
//   all              "D C R <81 digits> <passes>" for D = 1..9, C = 0..8, R = 0..8
//   solve BOARD      BOARD is 81 characters row by row, 1..9 or "0" / "." for empty:
//                    the solved 81 digits and the passes, or the solver's error text
//   new LEVEL SEED   the puzzle of level 0..4 ("0" for empty) drawn with the seeded
//                    generator from SEED (0..4294967295), a space, its solution
// Exit status 0 on success, 1 when the solver refuses or fails, 2 for a usage error
// (one line on the error stream).
namespace SudokuTool {

int run(std::span<const std::string_view> args, std::ostream &out, std::ostream &err);

} // namespace SudokuTool
