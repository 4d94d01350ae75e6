#include "tests/engine/support/table_fixture.h"

#include <gtest/gtest.h>
#include <set>

TableFixture::TableFixture() : board(std::make_unique<TBoard>())
{
    engineState() = EngineState{};
    cardPictures().SetCardSize(71, 96);
    for (int i = 0; i < 52; ++i) {
        TCard *card = board->NewCard();
        card->CardID = i + 1;
        card->SetCardFace((i / 13 + 1) * 256 + i % 13 + 1);
        pack.push_back(card);
    }
}

TableFixture::~TableFixture() = default;

TDeck *TableFixture::AddPile(int vLeft, int vTop, int vShift, int showEmpty)
{
    TDeck *deck = board->NewDeck();
    deck->SetHostBoard(board.get());
    deck->SetVLeft(vLeft);
    deck->SetVTop(vTop);
    deck->SetVShift(vShift);
    deck->SetShowEmpty(showEmpty);
    return deck;
}

void TableFixture::Fill(TDeck *deck, int count, bool faceUp)
{
    for (int i = 0; i < count && nextFree < int(pack.size()); ++i) {
        TCard *card = pack[std::size_t(nextFree++)];
        card->SetFace(faceUp);
        deck->AddCard(card);
    }
}

::testing::AssertionResult TableFixture::LocationsAgree() const
{
    std::set<const TCard *> seen;
    for (const auto &deck : board->Decks()) {
        int depth = 0;
        for (TCard *card = deck->TopCard(); card; card = card->Below) {
            ++depth;
            if (!seen.insert(card).second)
                return ::testing::AssertionFailure() << "card " << card->CardID << " lies in two piles";
            if (card->HostDeck() != deck.get())
                return ::testing::AssertionFailure() << "card " << card->CardID << " names another pile";
            const CardLocation *row = board->Locations.At(card->CardID);
            const CardLocation expected{deck->DeckID(), depth, card->Face() ? 1 : 0};
            if (!(*row == expected))
                return ::testing::AssertionFailure()
                    << "card " << card->CardID << " row (" << row->DeckID << "," << row->Depth << "," << row->Face
                    << ") but lies in pile " << expected.DeckID << " at depth " << depth;
        }
        if (depth != deck->CardsCount())
            return ::testing::AssertionFailure() << "pile " << deck->DeckID() << " counts " << deck->CardsCount()
                                                 << " but links " << depth;
    }
    for (const TCard *card : pack)
        if (!seen.count(card) && board->Locations.At(card->CardID)->DeckID != -1)
            return ::testing::AssertionFailure() << "free card " << card->CardID << " still has a pile";
    return ::testing::AssertionSuccess();
}
