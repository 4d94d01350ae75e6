#include "app/game_session.h"
#include "engine/Cardscmp.h"
#include "games/auto_moves.h"
#include "games/game_table.h"

#include <QTimer>
#include <benchmark/benchmark.h>

namespace {

// A window that answers nothing and shows nothing.
class SilentHost : public GameHost {
public:
    Confirmation Confirm(const QString &, const QString &) override { return {true, false}; }
    bool ConfirmNewGame() const override { return false; }
    void SetConfirmNewGame(bool) override {}
    bool ShowStuckMessage() const override { return true; }
    bool AutoplayOff(int) const override { return false; }
    std::optional<quint32> AskShuffleNumber(const QStringList &) override { return std::nullopt; }
    void SetCaption(const QString &) override {}
    void ShowAutoplay(bool, bool) override {}
    void StoreWindowPlacement(int) override {}
    void ApplyGameSettings(int) override {}
    void AddToRecentlyPlayed(int) override {}
    void SetBusyCursor(bool) override {}
    void RefreshStatus() override {}
    void FitWindowToTable() override {}
    void ResetScrollBars() override {}
    void RecordNotWon(const FinishedGame &) override {}
    void Wait(int) override {}
    void FlashWindow() override {}
    void ShowWonBackground(bool) override {}
    WonChoice RecordWinAndShowWonDialog(const FinishedGame &, const QString &) override { return WonChoice::Cancel; }
};

// New Game for Klondike on a table that is never shown: clear, seed, deal, layout.
void BM_NewGameKlondike(benchmark::State &state)
{
    TBoard board;
    GameTable table(&board);
    table.CurrentGameId = GameIds::Klondike;
    SilentHost host;
    GameSession session(table, host);
    for (auto _ : state) {
        session.NewGame();
        benchmark::DoNotOptimize(board.Score());
    }
    board.AutoTimer()->stop();
}
BENCHMARK(BM_NewGameKlondike)->Unit(benchmark::kMicrosecond);

// A whole headless game: the deal, then the automatic cycle, double-clicks to the
// foundations and stock clicks until nothing moves any more.
void BM_HeadlessKlondikeGame(benchmark::State &state)
{
    TBoard board;
    GameTable table(&board);
    table.CurrentGameId = GameIds::Klondike;
    SilentHost host;
    GameSession session(table, host);
    std::int64_t cardsHome = 0;
    for (auto _ : state) {
        session.NewGame();
        for (int round = 0; round < 200; ++round) {
            const int before = board.Score();
            Uni_Timer(table);
            for (int i = 1; i <= 7; ++i)
                SendToFoundation(table, table.Tableau[i]);
            SendToFoundation(table, table.WasteFan && table.WasteFan->CardsCount() ? table.WasteFan : table.Waste);
            if (table.Stock && (table.Stock->CardsCount() > 0 || table.Stock->ShowEmpty() == StockRedeal))
                table.Stock->Click();
            else if (board.Score() == before)
                break;
            if (!table.Foundations[1])
                break;
        }
        cardsHome += (board.Score() + 52) / 5;
        board.AutoTimer()->stop();
    }
    state.counters["cards_home_per_game"] = benchmark::Counter(double(cardsHome) / double(state.iterations()));
}
BENCHMARK(BM_HeadlessKlondikeGame)->Unit(benchmark::kMicrosecond);

} // namespace
