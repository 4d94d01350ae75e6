// Moving cards between piles of a 52-card position with MoveCard (animation off), then
// taking every move back with Undo and making it again with Redo.
#include "engine/Cardscmp.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

struct Position {
    Position()
    {
        board->Animate = false;
        for (int i = 0; i < 8; ++i) {
            TDeck *deck = board->NewDeck();
            deck->SetHostBoard(board.get());
            deck->SetVLeft(80 * i);
            deck->SetVShift(i < 7 ? 20 : 0);
            piles.push_back(deck);
        }
        for (int i = 0; i < 52; ++i) {
            TCard *card = board->NewCard();
            card->CardID = i + 1;
            card->SetCardFace((i / 13 + 1) * 256 + i % 13 + 1);
            card->SetFace(true);
            piles[std::size_t(i % 7)]->AddCard(card);
        }
        board->ClearJournal();
    }
    // The top card of pile i goes to pile i + 1, round the seven columns.
    void Move(int i)
    {
        TDeck *from = piles[std::size_t(i % 7)];
        TDeck *to = piles[std::size_t((i + 1) % 7)];
        if (from->TopCard())
            to->MoveCard(from->TopCard());
    }
    std::unique_ptr<TBoard> board = std::make_unique<TBoard>();
    std::vector<TDeck *> piles;
};

constexpr int MovesPerRound = 200;

void BM_MoveCard(benchmark::State &state)
{
    Position position;
    int i = 0;
    for (auto _ : state) {
        position.Move(i++);
        if (i % MovesPerRound == 0) {
            state.PauseTiming();
            position.board->ClearJournal();
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MoveCard);

void BM_Undo(benchmark::State &state)
{
    Position position;
    for (auto _ : state) {
        state.PauseTiming();
        position.board->ClearJournal();
        for (int i = 0; i < MovesPerRound; ++i)
            position.Move(i);
        state.ResumeTiming();
        while (position.board->Undo()) {
        }
    }
    state.SetItemsProcessed(state.iterations() * MovesPerRound);
}
BENCHMARK(BM_Undo);

void BM_Redo(benchmark::State &state)
{
    Position position;
    for (int i = 0; i < MovesPerRound; ++i)
        position.Move(i);
    for (auto _ : state) {
        state.PauseTiming();
        while (position.board->Undo()) {
        }
        state.ResumeTiming();
        for (int i = 0; i < MovesPerRound; ++i)
            position.board->Redo();
    }
    state.SetItemsProcessed(state.iterations() * MovesPerRound);
}
BENCHMARK(BM_Redo);

} // namespace
