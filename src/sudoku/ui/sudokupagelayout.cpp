#include "sudoku/ui/sudokupagelayout.h"

#include "sudoku/generator.h"
#include "sudoku/ui/celldrawing.h"
#include "sudoku/ui/errormarktable.h"
#include "sudoku/ui/sudokugrid.h"
#include "sudoku/ui/sudokupicture.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>

namespace SudokuPageLayout {

namespace {

// The board on the left; the level group, the commands and the keypad in a column on its
// right.
constexpr QPoint BoardAt{8, 8};
constexpr int ColumnLeft = 352;
constexpr int ColumnWidth = 190;

SudokuGrid *hiddenTable(QWidget *page, const QString &name, const QString &accessible)
{
    auto *table = new SudokuGrid(page);
    table->setObjectName(name);
    table->setAccessibleName(accessible);
    table->setFocusPolicy(Qt::NoFocus);
    table->hide();
    return table;
}

// A bar of three pixels over a thick line of the board, centred on its grid-line pixel.
QWidget *bar(QWidget *page, int number, bool vertical, int afterCell)
{
    auto *widget = new QWidget(page);
    widget->setObjectName(QStringLiteral("Sg_Sudoku_Barre%1").arg(number));
    widget->setAccessibleName(QStringLiteral("Separatore dei riquadri"));
    widget->setAttribute(Qt::WA_TransparentForMouseEvents);
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, SudokuDrawing::LineColour);
    widget->setPalette(palette);
    const int gridLine = SudokuGrid::cellRect(afterCell, afterCell).x() + SudokuDrawing::CellSide;
    const int length = SudokuGrid::gridSize().width();
    if (vertical)
        widget->setGeometry(BoardAt.x() + gridLine - 1, BoardAt.y(), 3, length);
    else
        widget->setGeometry(BoardAt.x(), BoardAt.y() + gridLine - 1, length, 3);
    widget->hide();
    return widget;
}

QPushButton *button(QWidget *parent, const QString &name, const QString &text, const QRect &place)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setGeometry(place);
    b->setAutoDefault(false);
    return b;
}

void buildLevels(QWidget *page, SudokuPageWidgets &w)
{
    w.Rg_SudokuLevel = new QGroupBox(QStringLiteral("Livello"), page);
    w.Rg_SudokuLevel->setObjectName(QStringLiteral("Rg_SudokuLevel"));
    w.Rg_SudokuLevel->setGeometry(ColumnLeft, BoardAt.y(), ColumnWidth, 150);
    w.levels = new QButtonGroup(w.Rg_SudokuLevel);
    const std::array<QString, Sudoku::LevelCount> names = {
        QStringLiteral("Elementare"), QStringLiteral("Facile"), QStringLiteral("Medio"),
        QStringLiteral("Difficile"), QStringLiteral("Esperto")};
    for (int i = 0; i < Sudoku::LevelCount; ++i) {
        auto *item = new QRadioButton(names[static_cast<std::size_t>(i)], w.Rg_SudokuLevel);
        item->setObjectName(QStringLiteral("Rg_SudokuLevel_%1").arg(i));
        item->setGeometry(12, 22 + i * 24, ColumnWidth - 24, 22);
        w.levels->addButton(item, i);
    }
    w.levels->button(Sudoku::DefaultLevel)->setChecked(true);
}

void buildKeypad(QWidget *page, SudokuPageWidgets &w)
{
    w.Pnl_TastiSudoku = new QWidget(page);
    w.Pnl_TastiSudoku->setObjectName(QStringLiteral("Pnl_TastiSudoku"));
    w.Pnl_TastiSudoku->setAccessibleName(QStringLiteral("Tastierino del Sudoku"));
    w.Pnl_TastiSudoku->setGeometry(ColumnLeft, 202, ColumnWidth, 140);
    for (int i = 0; i < Sudoku::Side; ++i) {
        const QRect place(8 + (i % 3) * 60, 4 + (i / 3) * 32, 48, 28);
        w.keys[static_cast<std::size_t>(i)] = button(w.Pnl_TastiSudoku, QStringLiteral("Button%1").arg(i + 1),
                                                     QString::number(i + 1), place);
    }
    w.Chk_ControlloErrori = new QCheckBox(QStringLiteral("Controllo dinamico errori"), w.Pnl_TastiSudoku);
    w.Chk_ControlloErrori->setObjectName(QStringLiteral("Chk_ControlloErrori"));
    w.Chk_ControlloErrori->setGeometry(8, 108, ColumnWidth - 12, 24);
    w.Pnl_TastiSudoku->hide();
}

} // namespace

SudokuPageWidgets build(QWidget *tbSudoku)
{
    SudokuPageWidgets w;
    const QRect boardPlace(BoardAt, SudokuGrid::gridSize());

    w.Img_Sudoku = new QLabel(tbSudoku);
    w.Img_Sudoku->setObjectName(QStringLiteral("Img_Sudoku"));
    w.Img_Sudoku->setAccessibleName(QStringLiteral("Sudoku"));
    w.Img_Sudoku->setGeometry(boardPlace);
    w.Img_Sudoku->setPixmap(sudokuPicture(boardPlace.size()));

    w.Sg_Sudoku1 = hiddenTable(tbSudoku, QStringLiteral("Sg_Sudoku1"), QStringLiteral("Indizi del Sudoku"));
    w.Sg_Sudoku = hiddenTable(tbSudoku, QStringLiteral("Sg_Sudoku"), QStringLiteral("Soluzione del Sudoku"));
    w.Sg_ErroriSudoku = new ErrorMarkTable(tbSudoku);
    w.Sg_ErroriSudoku->setObjectName(QStringLiteral("Sg_ErroriSudoku"));
    w.Sg_ErroriSudoku->setAccessibleName(QStringLiteral("Errori del Sudoku"));
    w.Sg_Sudoku->setLookSources(w.Sg_Sudoku1, w.Sg_ErroriSudoku);

    w.Sg_Sudoku2 = new SudokuGrid(tbSudoku);
    w.Sg_Sudoku2->setObjectName(QStringLiteral("Sg_Sudoku2"));
    w.Sg_Sudoku2->setAccessibleName(QStringLiteral("Griglia del Sudoku"));
    w.Sg_Sudoku2->move(BoardAt);
    w.Sg_Sudoku2->setLookSources(w.Sg_Sudoku1, w.Sg_ErroriSudoku);
    w.Sg_Sudoku2->hide();
    // The bars lie over the board.
    w.bars = {bar(tbSudoku, 1, true, 2), bar(tbSudoku, 2, true, 5), bar(tbSudoku, 3, false, 2),
              bar(tbSudoku, 4, false, 5)};

    buildLevels(tbSudoku, w);
    w.Btn_NewGame = button(tbSudoku, QStringLiteral("Btn_NewGame"), QStringLiteral("Nuova partita"),
                           QRect(ColumnLeft, 166, ColumnWidth, 28));
    buildKeypad(tbSudoku, w);
    w.Btn_Complete4Me = button(tbSudoku, QStringLiteral("Btn_Complete4Me"), QStringLiteral("Completa per me!!!"),
                               QRect(ColumnLeft, 350, ColumnWidth, 28));
    w.Btn_Complete4Me->hide();

    // Keyboard order: level, new game, board, keypad, error check, solver command.
    QWidget *previous = w.levels->button(Sudoku::LevelCount - 1);
    const auto chain = [&previous](QWidget *next) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    };
    chain(w.Btn_NewGame);
    chain(w.Sg_Sudoku2);
    for (QPushButton *key : w.keys)
        chain(key);
    chain(w.Chk_ControlloErrori);
    chain(w.Btn_Complete4Me);
    return w;
}

} // namespace SudokuPageLayout
