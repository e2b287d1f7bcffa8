#include "sudoku/ui/sudokupage.h"

#include "platform/dialogs.h"
#include "platform/randomgenerator.h"
#include "sudoku/generator.h"
#include "sudoku/keyrelease.h"
#include "sudoku/solver.h"
#include "sudoku/ui/errormarktable.h"
#include "sudoku/ui/sudokugrid.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

namespace {

Sudoku::CellTexts textsOf(const Sudoku::Board &board)
{
    return Sudoku::CellTexts::fromBoard(board);
}

QString messageText(Sudoku::SolveOutcome outcome)
{
    const std::string_view text = Sudoku::messageFor(outcome);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void processPendingMessages()
{
    QCoreApplication::processEvents();
}

} // namespace

SudokuPage::SudokuPage(QWidget *tbSudoku, Dialogs &dialogs, RandomGenerator &random, QObject *parent)
    : QObject(parent ? parent : tbSudoku), m_page(tbSudoku), m_dialogs(dialogs), m_random(random),
      m_w(SudokuPageLayout::build(tbSudoku))
{
    connect(m_w.Btn_NewGame, &QPushButton::clicked, this, &SudokuPage::Btn_NewGameClick);
    connect(m_w.Sg_Sudoku2, &SudokuGrid::keyReleased, this, &SudokuPage::Sg_Sudoku2KeyUp);
    for (QPushButton *key : m_w.keys)
        connect(key, &QPushButton::clicked, this, [this, key] { KeypadButtonClick(key); });
    connect(m_w.Btn_Complete4Me, &QPushButton::clicked, this, &SudokuPage::Btn_Complete4MeClick);
}

int SudokuPage::selectedLevel() const
{
    return m_w.levels->checkedId();
}

void SudokuPage::Btn_NewGameClick()
{
    m_w.Img_Sudoku->hide();
    for (QWidget *bar : m_w.bars)
        bar->show();
    m_w.Sg_Sudoku2->show();
    m_w.Pnl_TastiSudoku->show();
    m_w.Btn_Complete4Me->show();
    setBusy(true);

    const bool errorCheck = m_w.Chk_ControlloErrori->isChecked();
    m_w.Chk_ControlloErrori->setChecked(false);

    m_w.Sg_Sudoku1->clearAll();
    m_w.Sg_Sudoku->clearAll();
    m_w.Sg_ErroriSudoku->clear();
    m_w.Sg_Sudoku2->clearAll();

    // The seed digit, its row and column, then the clue cells, all from the program's
    // generator; the search grows the solution in the solution table.
    m_w.Sg_Sudoku->setEditing(false);
    SudokuGrid *solution = m_w.Sg_Sudoku;
    const Sudoku::NewGame game = Sudoku::newGame(
        selectedLevel(), [this](int n) { return m_random.draw(n); },
        [solution](const Sudoku::Board &board, int) { solution->setTexts(textsOf(board)); });
    SudokuGrid::Marks seedMark{};
    seedMark[static_cast<std::size_t>(Sudoku::cellIndex(game.seedColumn, game.seedRow))] = 1;
    solution->setGivenMarks(seedMark);
    solution->setTexts(textsOf(game.solution));

    m_w.Sg_Sudoku2->setEditing(true);
    m_w.Sg_Sudoku1->setTexts(textsOf(game.clues));
    m_w.Sg_Sudoku2->setTexts(textsOf(game.clues));

    m_w.Chk_ControlloErrori->setChecked(errorCheck);
    setBusy(false);
    m_w.Sg_Sudoku2->setFocus(Qt::OtherFocusReason);
}

void SudokuPage::Sg_Sudoku2KeyUp()
{
    if (m_busy)
        return;
    SudokuGrid *board = m_w.Sg_Sudoku2;
    const bool errorCheck = m_w.Chk_ControlloErrori->isChecked();
    m_w.Chk_ControlloErrori->setChecked(false);

    const int column = board->currentColumn();
    const int row = board->currentRow();
    const Sudoku::CellTexts &clues = m_w.Sg_Sudoku1->texts();
    Sudoku::CellTexts texts = board->texts();
    const bool clue = clues.positiveNumber(column, row) > 0;
    if (clue)
        setBusy(true);
    const std::optional<Sudoku::KeyRelease> result = Sudoku::keyReleased(texts, clues, column, row, errorCheck);
    board->setTexts(texts);
    if (clue)
        setBusy(false);
    m_w.Chk_ControlloErrori->setChecked(errorCheck);
    if (!result)
        return;

    m_w.Sg_ErroriSudoku->setMark(column, row, result->mark);
    const QPointer<SudokuPage> alive(this);
    if (result->runSolver)
        Btn_Complete4MeClick();
    if (alive)
        processPendingMessages();
}

void SudokuPage::KeypadButtonClick(QAbstractButton *button)
{
    const std::optional<int> digit = Sudoku::CellTexts::parse(button->text().toStdString());
    if (!digit)
        return;
    SudokuGrid *board = m_w.Sg_Sudoku2;
    board->setText(board->currentColumn(), board->currentRow(), *digit);
    board->setFocus(Qt::OtherFocusReason);
}

void SudokuPage::Btn_Complete4MeClick()
{
    const QPointer<SudokuGrid> board = m_w.Sg_Sudoku2;
    board->setEditing(false);
    const Sudoku::LoadedBoard loaded = Sudoku::loadBoard(board->texts());
    board->setGivenMarks(loaded.given);

    // Every 50th pass the board shows how far the search has come. Whatever runs in the
    // meantime may write the board too; the search goes on with its own state, and its
    // result replaces the board.
    const QPointer<SudokuPage> alive(this);
    const Sudoku::SolveResult result = Sudoku::solveBoard(loaded.digits, [board](const Sudoku::Board &b, int) {
        if (!board)
            return;
        board->setTexts(textsOf(b));
        processPendingMessages();
    });
    if (!alive || !board)
        return;
    if (result.outcome != Sudoku::SolveOutcome::Solved) {
        m_dialogs.error(m_page, messageText(result.outcome));
        return;
    }
    board->setTexts(textsOf(result.board));
    board->setFocus(Qt::OtherFocusReason);
    processPendingMessages();
}
