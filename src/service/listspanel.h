#pragma once

class QWidget;

// The lists panel PageControl1 at the right of the main window: three tabs of up to
// fifteen station rows (most-clicked, favourites, new), each row over its hidden
// highlight, with the panels that cover a tab until its list has arrived; and the hidden
// highlights of the three links at the top right.
namespace ListsPanel {

inline constexpr int Rows = 15;
inline constexpr int RowPitch = 18; // 15 for the row, 3 for the separator

void build(QWidget *pnlTv);

// The tab (1, 2 or 3 for lists 1, 2 and 3) and the names of its pieces.
const char *tabName(int list);
const char *separatorPrefix(int list);
const char *highlightPrefix(int list);

} // namespace ListsPanel
