// The board's drawing rule, read back from a grab of the grid: backgrounds, text colour,
// font size and place of the text, and the widths of the lines between the cells.
#include "sudoku/ui/errormarktable.h"
#include "sudoku/ui/sudokugrid.h"

#include <QFontMetrics>
#include <QImage>
#include <QTest>


namespace {

// The colours of the drawing rule.
const QColor LineBlue(0, 120, 179);
const QColor ClueGrey(234, 234, 234);
const QColor PlayingWhite(255, 255, 255);
const QColor FinishedYellow(255, 255, 149);
const QColor ClashPink(255, 128, 128);
const QColor GivenRed(255, 0, 0);
const QColor PlainBlack(0, 0, 0);
constexpr int CellPixels = 36;

QRgb rgb(const QColor &colour)
{
    return colour.rgb() & 0xFFFFFF;
}

QRgb at(const QImage &image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFF;
}

// A board with its clue mask and error marks, not focused (no frame in the current cell).
struct Grids
{
    SudokuGrid clues;
    ErrorMarkTable marks;
    SudokuGrid board;

    Grids() { board.setLookSources(&clues, &marks); }
    QImage grab() { return board.grab().toImage(); }
};

// Whether `colour` lies between the background and the text colour in every channel, as
// the smoothed edge of a glyph does.
bool blends(QRgb colour, QRgb background, QRgb text)
{
    const auto between = [](int value, int a, int b) { return value >= qMin(a, b) && value <= qMax(a, b); };
    return between(qRed(colour), qRed(background), qRed(text)) && between(qGreen(colour), qGreen(background), qGreen(text))
        && between(qBlue(colour), qBlue(background), qBlue(text));
}

struct Ink
{
    QRect box;          // the pixels inside the cell, edge lines left out, not of the background
    bool blends = true; // all of them between the background and the text colour
    bool full = false;  // some of them exactly the text colour
};

Ink inkOf(const QImage &image, const QRect &cell, QRgb background, QRgb text)
{
    Ink ink;
    for (int x = cell.x(); x < cell.x() + CellPixels - 2; ++x) {
        for (int y = cell.y(); y < cell.y() + CellPixels - 2; ++y) {
            const QRgb colour = at(image, x, y);
            if (colour == background)
                continue;
            ink.box |= QRect(x, y, 1, 1);
            ink.blends = ink.blends && blends(colour, background, text);
            ink.full = ink.full || colour == text;
        }
    }
    return ink;
}

} // namespace

class TestBoardPainting : public QObject
{
    Q_OBJECT

private slots:
    void cellLook_data()
    {
        QTest::addColumn<bool>("given");
        QTest::addColumn<bool>("clue");
        QTest::addColumn<bool>("editing");
        QTest::addColumn<bool>("clashed");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<QColor>("text");
        QTest::addColumn<int>("pointSize");
        QTest::newRow("player's cell while playing") << false << false << true << false << PlayingWhite << PlainBlack << 10;
        QTest::newRow("clue while playing") << false << true << true << false << ClueGrey << PlainBlack << 10;
        QTest::newRow("solved cell") << true << false << false << false << FinishedYellow << GivenRed << 10;
        QTest::newRow("solved clue") << true << true << false << false << ClueGrey << GivenRed << 10;
        QTest::newRow("clash") << false << false << true << true << ClashPink << PlainBlack << 12;
        QTest::newRow("clash on a clue") << false << true << true << true << ClashPink << PlainBlack << 12;
    }

    void cellLook()
    {
        QFETCH(bool, given);
        QFETCH(bool, clue);
        QFETCH(bool, editing);
        QFETCH(bool, clashed);
        QFETCH(QColor, background);
        QFETCH(QColor, text);
        QFETCH(int, pointSize);
        const int column = 4, row = 4, digit = 7;
        Grids grids;
        Sudoku::CellTexts texts;
        texts.setText(column, row, digit);
        grids.board.setTexts(texts);
        if (clue)
            grids.clues.setTexts(texts);
        SudokuGrid::Marks marks{};
        marks[static_cast<std::size_t>(Sudoku::cellIndex(column, row))] = given ? 1 : 0;
        grids.board.setGivenMarks(marks);
        grids.board.setEditing(editing);
        if (clashed)
            grids.marks.setMark(column, row, Sudoku::ErrorMark::Si);

        const QImage image = grids.grab();
        const QRect cell = SudokuGrid::cellRect(column, row);
        QCOMPARE(at(image, cell.x() + 30, cell.y() + 30), rgb(background));
        QCOMPARE(at(image, cell.x(), cell.y()), rgb(background));

        // The digit in the text colour, where the font of that size puts it when its text
        // box starts 8 pixels right of and 4 below the cell's corner.
        const Ink ink = inkOf(image, cell, rgb(background), rgb(text));
        QVERIFY(ink.full);
        QVERIFY(ink.blends);
        const QRect box = ink.box;
        QFont font = grids.board.font();
        font.setPointSize(pointSize);
        font.setBold(true);
        const QFontMetrics metrics(font);
        const QRect glyph = metrics.boundingRect(QLatin1Char('0' + digit))
                                .translated(cell.x() + 8, cell.y() + 4 + metrics.ascent());
        QVERIFY2(qAbs(box.left() - glyph.left()) <= 1 && qAbs(box.top() - glyph.top()) <= 1
                     && qAbs(box.height() - glyph.height()) <= 1,
                 qPrintable(QStringLiteral("ink %1,%2 %3x%4, font box %5,%6 %7x%8")
                                .arg(box.x()).arg(box.y()).arg(box.width()).arg(box.height())
                                .arg(glyph.x()).arg(glyph.y()).arg(glyph.width()).arg(glyph.height())));
    }

    void edgeLines_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("width"); // 0: no line of the cell's own
        QTest::newRow("first") << 0 << 1;
        QTest::newRow("second") << 1 << 1;
        QTest::newRow("third, end of a box") << 2 << 2;
        QTest::newRow("fourth") << 3 << 1;
        QTest::newRow("sixth, end of a box") << 5 << 2;
        QTest::newRow("eighth") << 7 << 1;
        QTest::newRow("last, against the frame") << 8 << 0;
    }

    void edgeLines()
    {
        QFETCH(int, index);
        QFETCH(int, width);
        Grids grids;
        grids.board.setEditing(true);
        const QImage image = grids.grab();
        const QRgb line = rgb(LineBlue), white = rgb(PlayingWhite);

        // Right edge of column `index`, read across the middle of row 4; bottom edge of row
        // `index`, read across the middle of column 4.
        const QRect right = SudokuGrid::cellRect(index, 4);
        const QRect bottom = SudokuGrid::cellRect(4, index);
        const int midY = right.y() + CellPixels / 2, midX = bottom.x() + CellPixels / 2;
        const int pastRight = right.x() + CellPixels, pastBottom = bottom.y() + CellPixels;
        // The grid-line pixel past the cell is always a line (or the frame); a line of
        // width 2 takes the cell's last pixel too.
        QCOMPARE(at(image, pastRight, midY), line);
        QCOMPARE(at(image, midX, pastBottom), line);
        QCOMPARE(at(image, pastRight - 1, midY), width == 2 ? line : white);
        QCOMPARE(at(image, midX, pastBottom - 1), width == 2 ? line : white);
        QCOMPARE(at(image, pastRight - 2, midY), white);
        QCOMPARE(at(image, midX, pastBottom - 2), white);
    }
};

QTEST_MAIN(TestBoardPainting)
#include "boardpainttest.moc"
