#pragma once

#include "engine/board.h"
#include "engine/card.h"
#include "engine/deck.h"
#include "games/game_table.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

// A table that is never shown, with its game state, and cards written as text: rank
// "A23456789TJQK" then suit "CDHS"; an upper-case suit letter means face up ("KS"), a
// lower-case one face down ("ks").
class TableFixture {
public:
    TableFixture();

    // The next unused copy of the card named by code, turned as the case says.
    TCard *Take(const std::string &code);
    // A new pile on the table holding the cards, bottom card first.
    TDeck *Pile(const std::string &cards = "");
    // Puts the cards (bottom first) on the pile.
    void Put(TDeck *pile, const std::string &cards);
    // The pile's cards bottom first, as text.
    static std::string Text(const TDeck *pile);
    static std::string Code(const TCard *card);

    TBoard board;
    GameTable table{&board};

private:
    std::map<int, int> used; // card face -> copies taken
};

// Answers the "Move to empty column..." question with a set choice and counts the questions.
class FixedChooser : public EmptyColumnChooser {
public:
    explicit FixedChooser(int choice) : choice(choice) {}
    int ChooseEmptyColumnMove() override
    {
        ++asked;
        return choice;
    }
    int choice;
    int asked = 0;
};

// Custom variants answered from a map.
class FakeCustomGames : public CustomGameSource {
public:
    std::optional<CustomGameInfo> CustomGame(int index) const override
    {
        const auto found = games.find(index);
        return found == games.end() ? std::nullopt : std::optional<CustomGameInfo>(found->second);
    }
    // Makes custom game 0 with the given rules and returns its id.
    int Add(const GameRulesRecord &rules, int baseId = 10)
    {
        const int index = int(games.size());
        games[index] = {QStringLiteral("Custom"), baseId, rules};
        return CustomGameId(index);
    }
    std::map<int, CustomGameInfo> games;
};
