#pragma once

class PaneFactory;
class QWidget;

// The fixed regions of the main window's panel Pnl_Tv (716 x 477): the listening area
// Sfondo with the page control Pnl_Ascolta and its nine pages, the banner strip Panel1,
// the hidden catalogue pane, and the web panes of the pages. Every region is found later
// by its component name.
namespace MainLayout {

inline constexpr int Width = 716;
inline constexpr int Height = 477;

// Page indexes of Pnl_Ascolta.
enum Page {
    ListeningPage = 0,
    RecordingPage = 1,
    VideoPage = 2,
    ForumPage = 3,
    HotelPage = 4,
    CommunityPage = 5,
    NewPage = 6,
    CataloguePage = 7,
    SudokuPage = 8,
    PageCount = 9,
};

// Builds Pnl_Tv's children; the panes come from `panes`.
void build(QWidget *pnlTv, PaneFactory &panes);

} // namespace MainLayout
