#include "app/start_table.h"

#include "engine/Cardscmp.h"
#include "games/game_table.h"
#include "games/klondike.h"
#include "games/new_game.h"
#include "games/shuffle_form.h"
#include "look/card_sets.h"
#include "look/program_folder.h"
#include "store/binary_stream.h"
#include "store/data_store.h"
#include "store/won_dialog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QStatusBar>
#include <QTimer>

namespace {

// The won table's background: our own tile of scattered suit marks on green.
const QImage &wonTile()
{
    static const QImage tile = [] {
        QImage image(96, 96, QImage::Format_RGB32);
        image.fill(QColor(0, 100, 0));
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        QFont font = painter.font();
        font.setPixelSize(28);
        painter.setFont(font);
        const QString suits[] = {QStringLiteral("\u2663"), QStringLiteral("\u2666"), QStringLiteral("\u2665"),
                                 QStringLiteral("\u2660")};
        const QPoint places[] = {{8, 36}, {56, 28}, {20, 84}, {64, 80}};
        for (int i = 0; i < 4; ++i) {
            painter.setPen(i == 1 || i == 2 ? QColor(200, 60, 60) : QColor(20, 40, 20));
            painter.drawText(places[i], suits[i]);
        }
        return image;
    }();
    return tile;
}

} // namespace

StartWindow::~StartWindow()
{
    session.reset();
    if (table)
        table->ForgetPiles();
}

StartWindow::StartWindow(QWidget *parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Tarnwick"));
    CardSetEnvironment environment;
    environment.ProgramFolder = programFolder();
    environment.DevicePixelRatio = devicePixelRatioF();
    cardSets = std::make_unique<CardSets>(cardPictures(), environment);
    cardSets->LoadSet(0, 1);
    engineState().Options.CardMovement = DragAndClick;
    engineState().ShowMessage = [this](const QString &text) {
        QMessageBox::information(this, QStringLiteral("Tarnwick"), text);
    };

    scrollBox = new TBoardScrollBox(this);
    board = new TBoard;
    scrollBox->SetBoard(board);
    setCentralWidget(scrollBox);
    resize(760, 560);
    table = std::make_unique<GameTable>(board);
    table->CurrentGameId = GameIds::Klondike;
    session = std::make_unique<GameSession>(*table, *this);

    scoreLabel = new QLabel(this);
    redealsLabel = new QLabel(this);
    stuckLabel = new QLabel(this);
    statusBar()->addWidget(scoreLabel);
    statusBar()->addWidget(redealsLabel);
    statusBar()->addWidget(stuckLabel);
    board->OnScoreChange = [this](TDeck *) { RefreshStatus(); };
    board->OnRotationChange = [this](TDeck *) { RefreshStatus(); };
    // A counted game is on file as not won from its first move, in case the run ends abruptly.
    board->OnGameStarted = [this](TDeck *) {
        if (store)
            store->statistics.guardStartedGame(table->CurrentGameId, session->CountsForStatistics);
    };
    board->OnMadeMove = [this](TDeck *) {
        EnableCommand(GameCommand::Redo, board->JournalPos + 1 < int(board->Journal().size()));
    };

    QMenu *game = menuBar()->addMenu(QStringLiteral("&Game"));
    game->addAction(addCommand(GameCommand::NewGame, QStringLiteral("&New Game"), QKeySequence(Qt::Key_F2),
                               [this] { session->NewGame(); }));
    game->addAction(addCommand(GameCommand::RestartGame, QStringLiteral("&Restart Game"), {},
                               [this] { session->RestartGame(); }));
    game->addAction(QStringLiteral("Select Shu&ffle"), this, [this] { session->SelectShuffle(); });
    game->addSeparator();
    game->addAction(addCommand(GameCommand::Undo, QStringLiteral("&Undo"), QKeySequence::Undo,
                               [this] { board->Undo(); }));
    game->addAction(addCommand(GameCommand::Redo, QStringLiteral("&Redo"), QKeySequence(Qt::CTRL | Qt::Key_Y),
                               [this] { board->Redo(); }));
    game->addSeparator();
    game->addAction(QStringLiteral("E&xit"), this, &QWidget::close);

    session->NewGame();
}

QAction *StartWindow::addCommand(GameCommand command, const QString &text, const QKeySequence &key,
                                 const std::function<void()> &run)
{
    auto *action = new QAction(text, this);
    if (!key.isEmpty())
        action->setShortcut(key);
    connect(action, &QAction::triggered, this, run);
    addAction(action);
    commands[command] = action;
    return action;
}

Confirmation StartWindow::Confirm(const QString &text, const QString &caption)
{
    if (ConfirmOverride)
        return ConfirmOverride(text);
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Ok | QMessageBox::Cancel, this);
    auto *check = new QCheckBox(QStringLiteral("Don't show this message again"));
    box.setCheckBox(check);
    const bool ok = box.exec() == QMessageBox::Ok;
    return {ok, check->isChecked()};
}

bool StartWindow::ConfirmNewGame() const
{
    return store ? store->settings.Cards.Confirm_New_Game : confirmNewGame;
}

void StartWindow::SetConfirmNewGame(bool value)
{
    if (store)
        store->settings.Cards.Confirm_New_Game = value;
    confirmNewGame = value;
}

bool StartWindow::ShowStuckMessage() const
{
    return !store || store->settings.Cards.ShowStuckMessage;
}

bool StartWindow::AutoplayOff(int gameId) const
{
    const GameWindowRecord *record = store ? store->windowRecords.record(gameId) : nullptr;
    return record && !record->autoplayOn();
}

std::optional<quint32> StartWindow::AskShuffleNumber(const QStringList &recentNumbers)
{
    TShuffle_Form form(recentNumbers, this);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.Number();
}

void StartWindow::SetCaption(const QString &caption)
{
    setWindowTitle(caption);
}

void StartWindow::EnableCommand(GameCommand command, bool enabled)
{
    if (const auto found = commands.find(command); found != commands.end())
        found->second->setEnabled(enabled);
}

void StartWindow::ShowCommand(GameCommand, bool, bool) {}

void StartWindow::StoreWindowPlacement(int gameId)
{
    if (GameWindowRecord *record = store ? store->windowRecords.record(gameId) : nullptr)
        GameWindowRecords::storePlacement(*record, geometry(), cardScaleFactors(QSize(cardPictures().CardWidth(), cardPictures().CardHeight())),
                                          isMaximized(), record->autoplayOn());
}

void StartWindow::SetBusyCursor(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void StartWindow::RefreshStatus()
{
    const int score = board->Score();
    scoreLabel->setText(score == -1000 ? QString() : QStringLiteral("Score: $%1").arg(score));
    const QString redeals = RedealsText(*board);
    redealsLabel->setText(redeals);
    redealsLabel->setVisible(!redeals.isEmpty());
    stuckLabel->setText(table->Play.YouAreStuck ? QStringLiteral(" You Are Stuck") : QString());
}

void StartWindow::FitWindowToTable()
{
    board->Relayout();
    scrollBox->SetTableExtent(board->TableRight(), board->TableBottom());
}

void StartWindow::ResetScrollBars()
{
    scrollBox->ResetScrolling();
}

static GameResult gameResult(const FinishedGame &game)
{
    GameResult result;
    result.GameNumber = game.GameNumber;
    result.GameId = game.GameId;
    result.Won = game.Won;
    result.Score = game.Score;
    result.Moves = game.Moves;
    result.StartTime = toDayNumber(game.StartTime);
    result.EndTime = toDayNumber(game.EndTime);
    return result;
}

void StartWindow::RecordNotWon(const FinishedGame &game)
{
    if (store)
        store->statistics.recordResult(gameResult(game), game.CountsForStatistics);
}

void StartWindow::Wait(int milliseconds)
{
    if (!isVisible())
        return;
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void StartWindow::FlashWindow()
{
    QApplication::alert(this, 150);
}

void StartWindow::ShowWonBackground(bool shown)
{
    if (shown)
        board->OnPaint = [](QPainter &painter, const QRect &area) {
            painter.fillRect(area, QBrush(wonTile()));
        };
    else
        board->OnPaint = nullptr;
    board->ResetBackgroundCache();
    board->update();
}

WonChoice StartWindow::RecordWinAndShowWonDialog(const FinishedGame &game, const QString &gameName)
{
    WonFigures figures;
    if (store)
        figures = RecordWin(store->statistics, gameResult(game), game.CountsForStatistics,
                            store->settings.Cards.recordsStatistics());
    else
        figures.statisticsShown = false;
    figures.duration = toDayNumber(game.EndTime) - toDayNumber(game.StartTime);
    if (WonDialogOverride)
        return WonDialogOverride(gameName);
    TWinDlg dialog(gameName, figures, this);
    switch (dialog.exec()) {
    case TWinDlg::NewGameResult:
        return WonChoice::NewGame;
    case TWinDlg::SelectGameResult:
        return WonChoice::SelectGame;
    default:
        return WonChoice::Cancel;
    }
}
