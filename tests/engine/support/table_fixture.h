#pragma once

#include "engine/Cardscmp.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// A table that is never shown (so nothing animates or paints) with a pack of 52 cards
// (CardIDs 1..52, Clubs Ace first) and piles made on request.
struct TableFixture {
    TableFixture();
    ~TableFixture();

    TDeck *AddPile(int vLeft, int vTop, int vShift = 0, int showEmpty = PlainPile);
    // Puts the first `count` free cards of the pack on the pile, face up or down.
    void Fill(TDeck *deck, int count, bool faceUp);
    TCard *Card(int cardID) const { return board->FindCard(cardID); }

    // Every card lies in at most one pile, the piles' links are sound, and the
    // location table says exactly where each card is.
    ::testing::AssertionResult LocationsAgree() const;

    std::unique_ptr<TBoard> board;
    std::vector<TCard *> pack;
    int nextFree = 0;
};
