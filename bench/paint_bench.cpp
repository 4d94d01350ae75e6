// Painting cost of a full table: the Spider position after the deal (104 cards: ten
// spread columns holding 54, their top cards face up; a stacked stock of 50; eight empty
// raised foundations) at the large card size, into a 1920 x 1080 picture; the whole table
// and the rectangle of a single card.
#include "engine/Cardscmp.h"
#include "look/card_sets.h"
#include "look/program_folder.h"
#include "look/table_background.h"

#include <QImage>
#include <QTemporaryDir>
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

// The whole table over each kind of background (into the usual RGB32 window surface):
// 0 the plain colour, 1 the default texture "Paper4", 2 a 1600 x 1200 picture stretched to
// the table, 3 the gradient.
void BM_PaintWholeTableBackground(benchmark::State &state)
{
    SpiderTable &table = spider();
    const QTemporaryDir folder;
    TableBackground background(programFolder());
    background.SetScreen(QSize(1920, 1080), 300);
    background.Resize(QSize(1920, 1080));
    BackgroundChoice choice;
    choice.Fade = state.range(0) == 3;
    choice.Pattern_Type = state.range(0) == 1 ? 1 : 0;
    if (state.range(0) == 2) {
        const QString file = folder.filePath(QStringLiteral("large.jpg"));
        QImage picture(1600, 1200, QImage::Format_RGB32);
        picture.fill(QColor(60, 90, 120));
        picture.save(file, "JPEG");
        choice.Pattern_Type = 2;
        choice.Pattern_File = file;
    }
    background.Apply(choice);
    if (background.Choice().Pattern_Type != choice.Pattern_Type)
        state.SkipWithError("the background could not be prepared");
    table.board->OnPaint = [&background](QPainter &painter, const QRect &area) {
        background.Paint(painter, area, QPoint(0, 0));
    };
    QImage target(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&target);
        table.board->PaintTable(painter, target.rect());
    }
    table.board->OnPaint = nullptr;
}
// Painting and stretching spread over Qt's worker threads: the whole process's CPU time counts.
BENCHMARK(BM_PaintWholeTableBackground)->DenseRange(0, 3)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

// What the default background adds to the start: finding "Paper4", decoding it, making its tile.
void BM_ApplyDefaultBackground(benchmark::State &state)
{
    TableBackground background(programFolder());
    for (auto _ : state) {
        background.Apply(BackgroundChoice{});
        benchmark::DoNotOptimize(background.Tile());
    }
}
BENCHMARK(BM_ApplyDefaultBackground)->Unit(benchmark::kMicrosecond);

// A resize with a stretched 1600 x 1200 picture: the tile is made again at the new size.
void BM_RestretchBackground(benchmark::State &state)
{
    const QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("large.jpg"));
    QImage picture(1600, 1200, QImage::Format_RGB32);
    picture.fill(QColor(60, 90, 120));
    picture.save(file, "JPEG");
    TableBackground background(programFolder());
    BackgroundChoice choice;
    choice.Pattern_Type = 2;
    choice.Pattern_File = file;
    background.Apply(choice);
    int step = 0;
    for (auto _ : state)
        background.Resize(QSize(1920 - (++step % 2) * 8, 1080));
}
BENCHMARK(BM_RestretchBackground)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

} // namespace
