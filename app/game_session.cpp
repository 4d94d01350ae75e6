#include "app/game_session.h"

#include "engine/board.h"
#include "engine/card.h"
#include "engine/deck.h"
#include "engine/engine_state.h"
#include "games/auto_moves.h"
#include "games/catalogue.h"
#include "games/game_table.h"
#include "games/new_game.h"

#include <QTimer>
#include <algorithm>
#include <array>

namespace {

// The games Random Game chooses from (Yukon, the seventh, is never chosen).
constexpr std::array<int, 7> RandomGameIds = {GameIds::Bisley,  GameIds::FlowerGarden, GameIds::Carpet,
                                               GameIds::FreeCell, GameIds::Nestor,      GameIds::Klondike,
                                               GameIds::Yukon};
constexpr int RandomGameChoices = 6;

} // namespace

GameSession::GameSession(GameTable &table, GameHost &host)
    : table(table), host(host), redealTimer(std::make_unique<QTimer>()), winTimer(std::make_unique<QTimer>())
{
    redealTimer->setSingleShot(true);
    redealTimer->setInterval(50);
    QObject::connect(redealTimer.get(), &QTimer::timeout, [this] {
        redealTimer->stop();
        NewGame();
    });
    winTimer->setInterval(200);
    QObject::connect(winTimer.get(), &QTimer::timeout, [this] { Game_over_Timer(); });
    table.Play.StuckChanged = [this] { this->host.RefreshStatus(); };
    table.Play.GameWon = [this] { GameWon(); };
}

GameSession::~GameSession()
{
    table.Play.StuckChanged = nullptr;
    table.Play.GameWon = nullptr;
}

void GameSession::setState(bool &field, bool value)
{
    if (field == value)
        return;
    field = value;
    if (OnStateChanged)
        OnStateChanged();
}

bool GameSession::asksBeforeAbandoning() const
{
    return table.Board()->GameStarted() == 1 && host.ConfirmNewGame();
}

void GameSession::keepTheGameOnTheTable()
{
    // A game chosen meanwhile gives way to the one still dealt.
    if (table.PreviousGameId != -1)
        table.CurrentGameId = table.PreviousGameId;
}

bool GameSession::confirmed(const QString &text, const QString &caption)
{
    const Confirmation answer = host.Confirm(text, caption);
    if (answer.DontShowAgain)
        host.SetConfirmNewGame(false);
    return answer.Ok;
}

FinishedGame GameSession::finishedGame(int gameId, bool won) const
{
    const TBoard *board = table.Board();
    FinishedGame game;
    game.GameNumber = GameNumber;
    game.GameId = gameId;
    game.Won = won;
    game.Score = board->Score();
    game.Moves = board->MoveCount;
    game.StartTime = board->StartTime();
    game.EndTime = won ? board->EndTime() : engineState().Now();
    game.CountsForStatistics = CountsForStatistics && !Demonstrated;
    game.Demonstrated = Demonstrated;
    return game;
}

void GameSession::EndAbandonedGame()
{
    if (table.Board()->GameStarted() != 1)
        return;
    const int gameId = table.PreviousGameId != -1 ? table.PreviousGameId : table.CurrentGameId;
    host.RecordNotWon(finishedGame(gameId, false));
    // Counted once: whatever happens next, this game is over.
    table.Board()->SetGameStarted(0);
}

void GameSession::NewGame()
{
    TBoard *board = table.Board();
    if (host.IsPaused())
        host.Resume();
    if (busy || engineState().Busy || board->Moving) {
        // Tried again once the move has landed.
        redealTimer->start();
        return;
    }
    redealTimer->stop();
    host.StoreWindowPlacement(table.CurrentGameId);

    if (!ReplayPending && asksBeforeAbandoning()) {
        if (!confirmed(QStringLiteral("Do you want to start new game?"), QStringLiteral("Confirm New Game"))) {
            keepTheGameOnTheTable();
            return;
        }
        host.ApplyGameSettings(table.CurrentGameId);
    }

    table.BaseGameId = BaseGameId(table.CurrentGameId, table.Customs);
    if (NeedsLargeScreen(table.CurrentGameId, table.BaseGameId) && !host.ScreenLargeEnough())
        return;
    host.AddToRecentlyPlayed(table.CurrentGameId);

    board->AutoTimer()->stop();
    board->SetAutoTimerHandler(nullptr);
    setState(busy, true);

    EndAbandonedGame();
    board->MoveCount = 0;
    board->SetScore(-1000);
    host.SetBusyCursor(true);

    ClearTable();
    SeedDeal(ReplayPending);
    if (!ReplayPending)
        host.ForgetSavedGame();
    board->SetRotation_Counter(-1);
    board->Rotation_Number = -1;
    gameDealt = true;
    dealtOnce = true;
    host.SetCaption(Caption());
    host.PlayNewGameSound();

    // The fall-back is settled before the suits, so that it is dealt with its own four.
    DealRoutine deal = DealRoutineFor(table.BaseGameId);
    if (!deal) {
        table.CurrentGameId = FallBackGameId;
        table.BaseGameId = FallBackGameId;
        deal = DealRoutineFor(FallBackGameId);
        host.SetCaption(Caption());
    }
    host.AdaptCardPictures();
    SetDeckSuits(SuitsOfGame(table.BaseGameId));
    const bool animate = board->Animate;
    board->Animate = false;
    deal(table);
    board->Animate = animate;
    table.PreviousGameId = -1;
    if (board->HasAutoTimerHandler())
        board->AutoTimer()->start();

    board->ClearJournal();
    host.SetBusyCursor(false);
    ReplayPending = false;
    pendingGameNumber.reset();

    const bool autoplayOff = host.AutoplayOff(table.CurrentGameId);
    table.Play.AutomaticMoves = !autoplayOff;
    table.Play.ShowStuckMessage = host.ShowStuckMessage();
    host.ShowAutoplay(HasAutomaticPlay(table.CurrentGameId, table.Customs), !autoplayOff);

    // The deal is done: the window's items follow.
    setState(busy, false);
    SetYouAreStuck(table, false);
    host.RefreshStatus();
    host.ForgetSavedGame();
    host.FitWindowToTable();
    // The pile now under the mouse puts up its own tip.
    board->RefreshUnderMouse();
}

void GameSession::RestartGame()
{
    ReplayPending = true;
    if (host.IsPaused())
        host.Resume();
    if (asksBeforeAbandoning()) {
        if (!confirmed(QStringLiteral("Do you want to replay this game?"), QStringLiteral("Confirm"))) {
            ReplayPending = false;
            keepTheGameOnTheTable();
            return;
        }
        host.ApplyGameSettings(table.CurrentGameId);
    }
    NewGame();
}

void GameSession::SelectShuffle()
{
    const std::optional<quint32> number = host.AskShuffleNumber(RecentGameNumbers);
    if (!number)
        return;
    DealShuffle(*number);
}

void GameSession::DealShuffle(quint32 number)
{
    ReplayPending = true;
    if (asksBeforeAbandoning()
        && !confirmed(QStringLiteral("Do you want to play selected game?"), QStringLiteral("Confirm"))) {
        ReplayPending = false;
        keepTheGameOnTheTable();
        return;
    }
    // The game on the table keeps its own number until it has been logged.
    pendingGameNumber = number;
    redealTimer->start();
}

void GameSession::RandomGame()
{
    TBoard *board = table.Board();
    host.StoreWindowPlacement(table.CurrentGameId);
    EndAbandonedGame();
    board->SetGameStarted(0);
    board->AutoTimer()->stop();
    table.CurrentGameId = RandomGameIds[table.Random.Random(RandomGameChoices)];
    ClearTable();
    host.ApplyGameSettings(table.CurrentGameId);
    host.RefreshStatus();
    host.ForgetSavedGame();
    redealTimer->start();
}

void GameSession::ClearTable()
{
    TBoard *board = table.Board();
    board->FitVert = board->FitHorz = board->CenterVert = board->CenterHorz = false;
    board->VerticalOffset = board->HorizontalOffset = 0;
    board->VerticalScale = board->HorizontalScale = 1.0;
    board->LayoutHalfSize = QPoint();
    board->OnDuringUndo = nullptr;
    board->OnDuringRedo = nullptr;
    board->OnAfterUndo = nullptr;
    board->OnAfterRedo = nullptr;
    if (TDeck *selected = board->SelectedDeck; selected && selected->TopCard())
        selected->TopCard()->SetSelected(false);
    board->AutoTimer()->stop();

    // The slots and every reference into the piles go before the piles do.
    table.ForgetPiles();
    board->FreeDecks();
    hideAllCards();

    board->IDCounter = 0;
    // The tip described a pile that is gone.
    board->SetStatusTip(QString());
    board->SetGameStarted(0);
    gameDealt = false;
    host.ResetScrollBars();
    // Always told: the game that was started has gone with its piles.
    if (OnStateChanged)
        OnStateChanged();
}

void GameSession::hideAllCards()
{
    for (int index = 0; index < GameTable::CardCount; ++index) {
        TCard *card = table.Card(index);
        if (TDeck *pile = card->HostDeck())
            pile->RemoveCard(card);
        card->SetVisible(false);
        card->SetSelectedSilently(false);
    }
}

void GameSession::SeedDeal(bool replay)
{
    Demonstrated = false;
    if (replay) {
        CountsForStatistics = RestoredAtStart;
        if (pendingGameNumber)
            GameNumber = *pendingGameNumber;
        table.Random.SetSeed(GameNumber);
        return;
    }
    CountsForStatistics = true;
    table.Random.Randomize();
    GameNumber = table.Random.Seed();
    if (ChooseGameNumber) {
        GameNumber = ChooseGameNumber(GameNumber);
        table.Random.SetSeed(GameNumber);
    }
    const QString text = QString::number(GameNumber);
    RecentGameNumbers.removeAll(text);
    RecentGameNumbers.prepend(text);
    while (RecentGameNumbers.size() > RecentNumbersLimit)
        RecentGameNumbers.removeLast();
}

void GameSession::SetDeckSuits(int suits)
{
    if (suits == DeckSuits)
        return;
    DeckSuits = suits;
    SetCardSuits(table, suits);
}

void GameSession::ReapplyDeckSuits()
{
    const int suits = DeckSuits;
    DeckSuits = 0;
    SetDeckSuits(suits);
}

QString GameSession::Caption() const
{
    const QString name = GameName(table.CurrentGameId, table.Customs);
    if (!gameDealt)
        return QStringLiteral(" ") + name;
    return QStringLiteral(" %1 [#%2]").arg(name).arg(GameNumber);
}

void GameSession::GameWon()
{
    TBoard *board = table.Board();
    board->AutoTimer()->stop();
    // The journal is kept for the copy of the game; walking it is over.
    setState(wonSequence, true);
    host.Wait(60);
    host.SaveWonGame();
    board->SetGameStarted(0);
    for (int flash = 0; flash < 8; ++flash) {
        host.Wait(180);
        host.FlashWindow();
    }
    host.PlayWinSound();
    host.Wait(50);
    ClearTable();
    Game_over_Pre_Timer();
}

void GameSession::Game_over_Pre_Timer()
{
    TBoard *board = table.Board();
    if (host.IsPaused())
        host.Resume();
    const int gameId = table.CurrentGameId;
    const FinishedGame game = finishedGame(gameId, true);
    host.ShowWonBackground(true);
    showerCount = 0;
    winTimer->start();
    const WonChoice choice = host.RecordWinAndShowWonDialog(game, GameName(gameId, table.Customs));
    // The shower ends with the dialog.
    winTimer->stop();
    host.ShowWonBackground(false);
    hideAllCards();
    board->update();
    board->ClearJournal();
    board->SetScore(-1000);
    setState(wonSequence, false);
    switch (choice) {
    case WonChoice::Replay:
        // Restart Game, run by the timer so that it starts outside the cycle that found the win.
        ReplayPending = true;
        redealTimer->start();
        break;
    case WonChoice::NewGame:
        redealTimer->start();
        break;
    case WonChoice::SelectGame:
        host.SelectGame();
        break;
    case WonChoice::Cancel:
        break;
    }
}

void GameSession::Game_over_Timer()
{
    TBoard *board = table.Board();
    const QSize client = board->ClientSize();
    const int top = int(table.Random.Random(std::uint64_t(std::max(client.height(), 1))));
    TCard *card = table.Card(int(table.Random.Random(103)));
    const int left = int(table.Random.Random(std::uint64_t(std::max(client.width(), 1))));
    if (!card || card->Visible())
        return;
    card->SetFace(true);
    card->SetPosition(left, top);
    card->BringToFront();
    card->SetVisible(true);
    if (++showerCount >= ShowerCardCount) {
        hideAllCards();
        board->update();
        showerCount = 0;
    }
}
