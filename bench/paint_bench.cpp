// Painting cost of a full table: the Spider position after the deal (104 cards: ten
// spread columns holding 54, their top cards face up; a stacked stock of 50; eight empty
// raised foundations) at the large card size, into a 1920 x 1080 picture; the whole table
// and the rectangle of a single card.
#include "engine/Cardscmp.h"
#include "look/card_sets.h"
#include "look/program_folder.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

struct SpiderTable {
    SpiderTable()
    {
        CardSetEnvironment environment;
        environment.ProgramFolder = programFolder();
        sets = std::make_unique<CardSets>(cardPictures(), environment);
        sets->LoadSet(0, 2);
        board = std::make_unique<TBoard>();
        board->resize(1920, 1080);
        board->ShowFinished = true;

        TDeck *stock = newPile(10, 5);
        stock->SetVShift(2);
        stock->SetGShift(2);
        stock->SetShowEmpty(StockNoRedeal);
        newPile(100, 5)->SetShowEmpty(NoMark);
        for (int i = 1; i <= 8; ++i) {
            TDeck *foundation = newPile(77 * i + 87, 5);
            foundation->SetShowEmpty(FoundationPile);
            foundation->SetFlatPile(false);
            foundation->MaxCardCount = 13;
            foundation->SetCardVal(-2);
        }
        std::vector<TDeck *> columns;
        for (int i = 1; i <= 10; ++i) {
            TDeck *column = newPile(77 * i - 67, 120);
            column->SetVShift(18);
            column->SetVBShift(6);
            columns.push_back(column);
        }
        int dealt = 0;
        auto deal = [&](TDeck *deck, bool faceUp) {
            TCard *card = board->NewCard();
            card->CardID = ++dealt;
            card->SetCardFace(((dealt - 1) % 52 / 13 + 1) * 256 + (dealt - 1) % 13 + 1);
            card->SetFace(faceUp);
            deck->AddCard(card);
            card->BringToFront();
        };
        for (int i = 0; i < 10; ++i) {
            const int height = i < 4 ? 6 : 5;
            for (int j = 0; j < height; ++j)
                deal(columns[size_t(i)], j == height - 1);
        }
        for (int i = 0; i < 50; ++i)
            deal(stock, false);
        firstColumnTop = columns[0]->TopCard();
    }
    TDeck *newPile(int left, int top)
    {
        TDeck *deck = board->NewDeck();
        deck->SetHostBoard(board.get());
        deck->SetVLeft(left);
        deck->SetVTop(top);
        return deck;
    }

    std::unique_ptr<CardSets> sets;
    std::unique_ptr<TBoard> board;
    TCard *firstColumnTop = nullptr;
};

SpiderTable &spider()
{
    static SpiderTable table;
    return table;
}

QImage::Format targetFormat(int64_t argument)
{
    return argument == 0 ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
}

// Argument: 0 paints into a premultiplied ARGB picture, 1 into an RGB32 one (the usual
// window surface).
void BM_PaintWholeTable(benchmark::State &state)
{
    SpiderTable &table = spider();
    QImage target(1920, 1080, targetFormat(state.range(0)));
    for (auto _ : state) {
        QPainter painter(&target);
        table.board->PaintTable(painter, target.rect());
    }
    state.counters["cards"] = double(table.board->Cards().size());
}
BENCHMARK(BM_PaintWholeTable)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_PaintOneCard(benchmark::State &state)
{
    SpiderTable &table = spider();
    QImage target(1920, 1080, targetFormat(state.range(0)));
    const QRect area = table.firstColumnTop->BoundsRect();
    for (auto _ : state) {
        QPainter painter(&target);
        table.board->PaintTable(painter, area);
    }
}
BENCHMARK(BM_PaintOneCard)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The same card selected and highlighted (its looks are made once and kept).
void BM_PaintOneMarkedCard(benchmark::State &state)
{
    SpiderTable &table = spider();
    QImage target(1920, 1080, targetFormat(state.range(0)));
    TCard *card = table.firstColumnTop;
    card->SetSelected(true);
    card->SetHighLighted(true);
    const QRect area = card->BoundsRect();
    for (auto _ : state) {
        QPainter painter(&target);
        table.board->PaintTable(painter, area);
    }
    card->SetSelected(false);
    card->SetHighLighted(false);
}
BENCHMARK(BM_PaintOneMarkedCard)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
