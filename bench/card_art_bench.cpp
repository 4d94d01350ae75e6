// Start-up cost of the card pictures: drawing a full set with our own art at each size and
// pixel ratio, against reading the same set from a card-set package, and the whole load.
#include "look/art/card_art.h"
#include "look/card_set_package.h"
#include "look/card_sets.h"
#include "look/program_folder.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace {

void drawFullSet(QSize card, qreal ratio)
{
    for (int face = 1; face <= 52; ++face)
        benchmark::DoNotOptimize(CardArt::ProgramPicture(QString::number(face), card, ratio));
    benchmark::DoNotOptimize(CardArt::Joker(CardArt::Design::Standard, card, ratio));
    for (int back = 1; back <= 13; ++back)
        benchmark::DoNotOptimize(CardArt::Back(CardArt::Design::Standard, back, card, ratio));
    for (int slot : {67, 68, 69, 71, 72, 73, 74, 75, 76, 77, 78, 79, 88, 89, 90})
        benchmark::DoNotOptimize(CardArt::Mark(slot, card, ratio));
    for (int index = 0; index <= 13; ++index)
        benchmark::DoNotOptimize(CardArt::FoundationPicture(CardArt::FoundationRankName(index), card, ratio));
}

// Arguments: size index, pixel ratio in tenths.
void BM_DrawFullSet(benchmark::State &state)
{
    const QSize card = CardArt::NominalCardSize(int(state.range(0)));
    const qreal ratio = state.range(1) / 10.0;
    for (auto _ : state)
        drawFullSet(card, ratio);
}
BENCHMARK(BM_DrawFullSet)->ArgsProduct({{0, 1, 2}, {10, 20}})->Unit(benchmark::kMillisecond);

// Reading the same pictures from the shipped "sdeck.dll" (size index 0 or 2).
void BM_ReadFullSetFromPackage(benchmark::State &state)
{
    const int base = CardSetPackage::SizeBase[size_t(state.range(0))];
    const qreal ratio = state.range(1) / 10.0;
    for (auto _ : state) {
        CardSetPackage package;
        if (!package.Open(programFolder() + QStringLiteral("/sdeck.dll"))) {
            state.SkipWithError("sdeck.dll is missing");
            break;
        }
        for (int id = 1; id <= 90; ++id)
            benchmark::DoNotOptimize(package.Picture(base + id, ratio));
    }
}
BENCHMARK(BM_ReadFullSetFromPackage)->ArgsProduct({{0, 2}, {10, 20}})->Unit(benchmark::kMillisecond);

// The whole load into the picture table, as at start-up, and the first face drawn (set 0,
// drawn at every size; "sdeck.dll" only says which sizes it offers).
void BM_LoadSet(benchmark::State &state)
{
    CardSetEnvironment environment;
    environment.ProgramFolder = programFolder();
    environment.DevicePixelRatio = state.range(1) / 10.0;
    for (auto _ : state) {
        CardPictures table;
        CardSets sets(table, environment);
        sets.LoadSet(0, int(state.range(0)));
        benchmark::DoNotOptimize(table.Picture(1));
    }
}
BENCHMARK(BM_LoadSet)->ArgsProduct({{0, 1, 2}, {10, 20}})->Unit(benchmark::kMillisecond);

} // namespace
