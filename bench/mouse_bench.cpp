// Drag-over frames of a 13-card group across a 1920 x 1080 table at the large card size
// with blurred shadows (alone, and while the solver searches on another thread, as the game
// status indicator does during play), and the hint search on a crowded two-pack position.
#include "engine/Cardscmp.h"
#include "games/catalogue.h"
#include "games/deal_printout.h"
#include "games/game_table.h"
#include "look/card_sets.h"
#include "look/program_folder.h"
#include "solve/solver.h"

#include <QApplication>
#include <QMouseEvent>
#include <benchmark/benchmark.h>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

namespace {

bool downAnySuit(const TCard *lower, const TCard *upper)
{
    return lower && upper && lower->Face() && upper->Face() && lower->Rank() == upper->Rank() % 13 + 1;
}

// Spider after the deal: ten columns (54 cards, the top one of each face up), a stock of
// fifty, eight foundations and a discard: 20 piles, 104 cards.
struct SpiderPosition {
    explicit SpiderPosition(QWidget *host = nullptr)
    {
        board = new TBoard(host);
        for (int i = 0; i < 20; ++i) {
            TDeck *deck = board->NewDeck();
            deck->SetHostBoard(board);
            if (i < 10) {
                deck->SetVLeft(10 + 100 * i);
                deck->SetVTop(130);
                deck->SetVShift(25);
                deck->SetVBShift(8);
                deck->OnAddWithRule = [](TDeck *dest, TCard *&card, bool &action, bool) {
                    action = !dest->TopCard() || downAnySuit(dest->TopCard(), card);
                };
                deck->OnSelect = [](TDeck *, TCard *&, bool &action, bool, bool &clickable, bool &) {
                    action = true;
                    clickable = true;
                };
            } else if (i < 18) {
                deck->SetVLeft(210 + 100 * (i - 10));
                deck->SetVTop(10);
                deck->SetShowEmpty(FoundationPile);
                deck->OnAddWithRule = TBoard::RefuseAdd;
            } else {
                deck->SetVLeft(10);
                deck->SetVTop(10);
                deck->OnSelect = TBoard::RefuseSelect;
            }
            piles.push_back(deck);
        }
        for (int i = 0; i < 104; ++i) {
            TCard *card = board->NewCard();
            card->CardID = i + 1;
            card->SetCardFace((i / 13 % 4 + 1) * 256 + (i * 7) % 13 + 1);
            const int column = i < 54 ? i % 10 : 18;
            piles[std::size_t(column)]->AddCard(card);
        }
        for (int c = 0; c < 10; ++c)
            piles[std::size_t(c)]->TopCard()->SetFace(true);
        board->ClearJournal();
    }
    TBoard *board;
    std::vector<TDeck *> piles;
};

void BM_FindMove(benchmark::State &state)
{
    auto owner = std::make_unique<QWidget>();
    SpiderPosition position(owner.get());
    for (auto _ : state) {
        position.board->ResetHintList();
        TCard *card = nullptr;
        TDeck *deck = nullptr;
        benchmark::DoNotOptimize(position.board->FindMove(card, deck, false));
    }
    state.counters["candidates"] = position.board->Candidates.Count;
}
BENCHMARK(BM_FindMove)->Unit(benchmark::kMicrosecond);

void BM_DragOverFrame(benchmark::State &state)
{
    CardSetEnvironment environment;
    environment.ProgramFolder = programFolder();
    CardSets sets(cardPictures(), environment);
    sets.LoadSet(0, 2);
    engineState().Options.CardMovement = DragAndClick;
    engineState().Options.ShadowEnabled = true;

    TBoardScrollBox box;
    box.resize(1920, 1080);
    SpiderPosition position;
    TBoard *board = position.board;
    box.SetBoard(board);
    board->SetShadowStyle(0);
    // A 13-card face-up group in the first column.
    TDeck *column = position.piles[0];
    for (int i = 0; i < 13; ++i) {
        TCard *card = position.piles[18]->TopCard();
        position.piles[18]->RemoveCard(card);
        card->SetFace(true);
        column->AddCard(card);
    }
    column->OnDragSelect = [](TCard *, bool &action) { action = true; };
    box.show();
    board->Relayout();
    QApplication::processEvents();

    auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, board->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          buttons, Qt::NoModifier);
        QApplication::sendEvent(board, &event);
    };
    TCard *lead = column->GetCard(13);
    const QPoint grab = lead->BoundsRect().topLeft() + QPoint(30, 10);
    send(QEvent::MouseButtonPress, grab, Qt::LeftButton);
    send(QEvent::MouseMove, grab + QPoint(10, 10), Qt::LeftButton);
    if (!board->IsDragging()) {
        state.SkipWithError("the drag did not start");
        return;
    }
    state.counters["card_width"] = cardPictures().CardWidth();
    // With 1: a Klondike deal (slow to solve) searched again and again meanwhile.
    std::unique_ptr<SolverPosition> klondike;
    if (state.range(0) == 1) {
        TBoard scratch;
        GameTable table(&scratch);
        DealForPrinting(table, GameIds::Klondike, 2);
        klondike = ReadPosition(table);
        table.ForgetPiles();
    }
    std::atomic<bool> cancel = false;
    std::jthread solver;
    if (klondike)
        solver = std::jthread([&] {
            while (!cancel)
                klondike->Solve({.positions = 2'000'000, .milliseconds = 2000, .cancel = &cancel});
        });
    int step = 0;
    for (auto _ : state) {
        // Sweep across the table and back in 9-pixel steps, as a quick hand would.
        const int x = 100 + (step * 9) % 1600;
        const int y = 200 + (step * 3) % 500;
        send(QEvent::MouseMove, QPoint(x, y), Qt::LeftButton);
        ++step;
    }
    cancel = true;
    if (solver.joinable())
        solver.join();
    engineState().Options.DragSteps = 7;
    send(QEvent::MouseButtonRelease, grab + QPoint(10, 10), Qt::NoButton);
}
BENCHMARK(BM_DragOverFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
