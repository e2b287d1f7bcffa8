#include "pagerig.h"

#include "sudoku/seededdraw.h"
#include "sudoku/ui/sudokugrid.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

PageRig::PageRig()
{
    // Pages 0..7 of Pnl_Ascolta stand empty here.
    for (int i = 0; i < 8; ++i)
        tabs.addTab(new QWidget, QStringLiteral("Pagina %1").arg(i));
    tbSudoku = new QWidget;
    tbSudoku->setObjectName("Tb_Sudoku");
    tabs.addTab(tbSudoku, "Sudoku");
    tabs.resize(559, 459);
    tabs.setCurrentWidget(tbSudoku);
    page = new SudokuPage(tbSudoku, dialogs, random);
    tabs.show();
}

Sudoku::NewGame PageRig::scriptDraws(int level, std::uint32_t seed)
{
    Sudoku::SeededDraw draw(seed);
    random.draws.clear();
    // Far more than a game takes: three for the seed, two for each clue drawn.
    for (int i = 0; i < 4000; ++i)
        random.draws.append(draw(Sudoku::Side));
    QList<int> copy = random.draws;
    return Sudoku::newGame(level, [&copy](int n) { return copy.isEmpty() ? 0 : copy.takeFirst() % n; });
}

Sudoku::NewGame PageRig::newGame(int level, std::uint32_t seed)
{
    QButtonGroup *levels = page->widgets().levels;
    if (level < 0) {
        levels->setExclusive(false);
        for (QAbstractButton *item : levels->buttons())
            item->setChecked(false);
        levels->setExclusive(true);
    } else {
        levels->button(level)->setChecked(true);
    }
    const Sudoku::NewGame game = scriptDraws(level, seed);
    clickButton(page->widgets().Btn_NewGame);
    return game;
}

void PageRig::select(int column, int row) const
{
    QTest::mouseClick(board(), Qt::LeftButton, {}, SudokuGrid::cellRect(column, row).center());
}

void PageRig::type(int column, int row, int key) const
{
    select(column, row);
    QTest::keyClick(board(), static_cast<Qt::Key>(key));
}

void PageRig::clickButton(QPushButton *button) const
{
    QTest::mouseClick(button, Qt::LeftButton);
}

void PageRig::clickComplete() const
{
    clickButton(page->widgets().Btn_Complete4Me);
}

QImage PageRig::grabBoard() const
{
    return board()->grab().toImage();
}

QString rowsOf(const Sudoku::CellTexts &texts)
{
    QString rows;
    for (int row = 0; row < Sudoku::Side; ++row) {
        for (int column = 0; column < Sudoku::Side; ++column) {
            const int value = texts.text(column, row);
            rows.append(value == Sudoku::CellTexts::Empty ? QLatin1Char('.') : QLatin1Char(char('0' + value)));
        }
    }
    return rows;
}

Sudoku::CellTexts textsFromRows(const QString &rows)
{
    Sudoku::CellTexts texts;
    for (int i = 0; i < Sudoku::CellCount && i < rows.size(); ++i) {
        const QChar ch = rows.at(i);
        if (ch.isDigit())
            texts.setText(i % Sudoku::Side, i / Sudoku::Side, ch.digitValue());
    }
    return texts;
}

QRgb rgb(const QColor &colour)
{
    return colour.rgb() & 0xFFFFFF;
}

namespace {

QPoint backgroundPoint(int column, int row)
{
    return SudokuGrid::cellRect(column, row).topLeft() + QPoint(30, 30);
}

} // namespace

QRgb backgroundOf(const QImage &board, int column, int row)
{
    return board.pixel(backgroundPoint(column, row)) & 0xFFFFFF;
}

QRgb textColourOf(const QImage &board, int column, int row)
{
    constexpr int CellPixels = 36;
    const QRect cell = SudokuGrid::cellRect(column, row);
    const QColor background = board.pixelColor(backgroundPoint(column, row));
    const auto distance = [&background](const QColor &c) {
        return qAbs(c.red() - background.red()) + qAbs(c.green() - background.green())
            + qAbs(c.blue() - background.blue());
    };
    QColor text = background;
    for (int x = cell.x(); x < cell.x() + CellPixels - 2; ++x)
        for (int y = cell.y(); y < cell.y() + CellPixels - 2; ++y)
            if (distance(board.pixelColor(x, y)) > distance(text))
                text = board.pixelColor(x, y);
    return text.rgb() & 0xFFFFFF;
}
