#pragma once

#include "look/card_sets.h"
#include "store/game_window_records.h"

#include <QSize>
#include <QString>
#include <functional>

struct CardsSettings;
class GameTable;

// The look of the 208 cards on the table: which card set, at which size, with which back.
// It loads the saved set at start, sizes the cards for each game (the three sizes with
// automatic sizing, or any size that follows the window), takes a random set and back at a
// new game when the player asked for them, and gives every card its new pictures whenever
// they change. The settings it is given are the player's and are kept up to date.
class CardAppearance {
public:
    CardAppearance(CardsSettings &settings, CardSetEnvironment environment, GameTable &table);

    CardSets &Sets() { return sets; }
    const CardSets &Sets() const { return sets; }

    // Start: the saved set and size (a set that cannot be used is recorded as the one that
    // was loaded instead), then the saved back. area: the table's area in the window.
    void LoadAtStart(int baseGameId, QSize area);
    // A game is about to be dealt: a random set and back where asked for, then the card
    // size for the game. screen: the screen size automatic sizing keeps the table within.
    void PrepareForDeal(int baseGameId, QSize area, QSize screen);
    // Loads a set at the size the settings ask for: following the window, sized for the game
    // automatically, or at the player's own size.
    void LoadChosenSet(int set, int baseGameId, QSize area, QSize screen);
    // The table's area changed; with "ScaleCards" the cards follow it. True when they changed.
    bool FollowArea(int baseGameId, QSize area);
    // One size step (+1 larger, -1 smaller) among the three sizes; true when the cards changed.
    bool StepSize(int direction);
    // Every card takes the back the settings name; a picture back that cannot be read
    // gives back 1.
    void ApplyBack();

    // The picture file a stored back file names (it may be relative to the program folder).
    static QString ResolveBackFile(QString file, const QString &builtInBackFolder);

    // The card size the cards follow the window with, for a game and a table area.
    QSize ScaledCardFor(int baseGameId, QSize area) const;
    // The factors the per-game window sizes are stored with: those of the size index, so a
    // stored size does not depend on how large the window made the cards.
    CardScaleFactors WindowScaleFactors() const;

    // The pictures changed: the window refits the table (the cards already have their new
    // size when it is called).
    std::function<void()> PicturesChanged;
    // Called before the cards are given new pictures; the session re-applies its suits.
    std::function<void()> ReapplySuits;

private:
    bool load(int set, int size, QSize exactCard);
    void picturesReloaded();
    void setBackOnEveryCard(int back);
    QString backFile() const;

    CardsSettings &settings;
    CardSets sets;
    GameTable &table;
    bool started = false;
};
