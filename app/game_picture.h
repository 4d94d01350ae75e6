#pragma once

#include <QColor>
#include <QImage>
#include <QSize>
#include <functional>
#include <map>
#include <memory>

class CardPictures;
class CardSets;
class CustomGameSource;
class GameTable;
class TBoard;

// A game's deal: lays out the game's piles on the table and deals its cards, exactly as New
// Game does after clearing the table (the ids are set and the generator is seeded; setting
// the number of suits for the Spider variants is the deal's concern).
using GameDeal = std::function<void(GameTable &table)>;

// The deals this program has, by base game id (the Spider variants have entries of their
// own). registerDealtGames() (game_deals.cpp) enters the deal routines of games/ here; the
// game list shows the games found here and the game pictures deal them.
class GameDeals {
public:
    void Set(int baseGameId, GameDeal deal);
    bool Has(int baseGameId) const;
    // nullptr when the game has no deal (yet).
    const GameDeal *Find(int baseGameId) const;

private:
    std::map<int, GameDeal> deals_;
};

// Enters the deal of every game games/ defines, each with its number of suits.
void registerDealtGames(GameDeals &deals);

// The picture of a game in the game selection dialog: a real deal of the game on a table
// that is never shown, scaled into the picture box and centred on green. A game without a
// deal shows its packs shuffled by the same generator. Given the program's card sets, the
// table is drawn with cards of the player's set made at the picture's own scale (a few
// kilobytes of small faces instead of a full-size table and its full-size faces); without
// them it is drawn with the table's pictures and scaled down. Only the picture shown is
// kept, at the size shown, until another is shown, the card pictures change or the dialog
// closes.
class GamePictureMaker {
public:
    static constexpr quint32 PictureGameNumber = 1;
    static inline const QColor Background = QColor(0, 128, 0);

    GamePictureMaker(const GameDeals &deals, const CustomGameSource *customs, const CardSets *programSets = nullptr);
    ~GamePictureMaker();
    GamePictureMaker(const GamePictureMaker &) = delete;
    GamePictureMaker &operator=(const GamePictureMaker &) = delete;

    QImage Picture(int gameId, QSize box);
    // The table drawn with the table's own card pictures, before scaling.
    QImage FullPicture(int gameId);
    // Call when the card pictures were reloaded or resized, and when the dialog closes (the
    // small cards go too).
    void ClearCache();
    // How many pictures are kept.
    size_t CachedCount() const { return cache_.size(); }

private:
    void dealShuffledPacks(int baseGameId);
    // Deals the game on the hidden table, laid out with the pictures in use.
    void dealTable(int gameId);
    // The table from its top left corner, size empty for the table's whole extent.
    QImage paintTable(QSize size = QSize());
    // The table drawn with small cards so that it comes out about as large as box; null
    // when the cards would be too small to draw.
    QImage smallPicture(QSize box);

    const GameDeals &deals_;
    const CustomGameSource *customs_;
    const CardSets *programSets_;
    std::unique_ptr<CardPictures> smallPictures_;
    std::unique_ptr<CardSets> smallSets_;
    std::unique_ptr<TBoard> board_;
    std::unique_ptr<GameTable> table_;
    std::map<int, QImage> cache_; // the shown picture by game id, at the box it was made for
};
