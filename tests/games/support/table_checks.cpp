#include "table_checks.h"

#include "engine/board.h"
#include "engine/card.h"
#include "engine/deck.h"
#include "games/deal_printout.h"
#include "games/move_player.h"

#include <cctype>
#include <sstream>
#include <stdexcept>

::testing::AssertionResult LocationsAgree(const GameTable &table)
{
    const TBoard *board = table.Board();
    for (int index = 0; index < GameTable::CardCount; ++index) {
        const TCard *card = table.Card(index);
        const CardLocation *row = board->Locations.At(card->CardID);
        const TDeck *pile = card->HostDeck();
        if (!pile) {
            if (row->DeckID != -1)
                return ::testing::AssertionFailure() << "card " << card->CardID << " has a row but no pile";
            continue;
        }
        int depth = 1;
        for (const TCard *walk = pile->TopCard(); walk && walk != card; walk = walk->Below)
            ++depth;
        const CardLocation expected{pile->DeckID(), depth, card->Face() ? 1 : 0};
        if (!(*row == expected))
            return ::testing::AssertionFailure()
                << "card " << card->CardID << " row (" << row->DeckID << "," << row->Depth << "," << row->Face
                << ") but lies at (" << expected.DeckID << "," << expected.Depth << "," << expected.Face << ")";
    }
    return ::testing::AssertionSuccess();
}

int CardsInPiles(const GameTable &table)
{
    int count = 0;
    for (const auto &pile : table.Board()->Decks())
        count += pile->CardsCount();
    return count;
}

void LayOut(GameTable &table, const std::vector<std::pair<std::string, std::string>> &slots)
{
    for (int index = 0; index < GameTable::CardCount; ++index)
        if (TDeck *pile = table.Card(index)->HostDeck())
            pile->RemoveCard(table.Card(index));
    std::vector<int> used(52, 0);
    MovePlayer player(table);
    const std::string ranks = "A23456789TJQK";
    const std::string suits = "CDHS";
    for (const auto &[slot, cards] : slots) {
        TDeck *pile = player.FindSlot(QString::fromStdString(slot));
        if (!pile)
            throw std::invalid_argument("no slot " + slot);
        std::istringstream words(cards);
        std::string code;
        while (words >> code) {
            const auto rank = ranks.find(char(std::toupper(code.at(0))));
            const auto suit = suits.find(char(std::toupper(code.at(1))));
            if (rank == std::string::npos || suit == std::string::npos)
                throw std::invalid_argument("card " + code);
            const int face = int(suit * 13 + rank);
            TCard *card = table.Card(used[std::size_t(face)]++ * 52 + face);
            if (!card)
                throw std::out_of_range("no copy left of " + code);
            // The Spider variants have rewritten suits: keep the suit asked for.
            card->SetCardFace(int(suit + 1) * 256 + int(rank + 1));
            card->SetFace(std::isupper(static_cast<unsigned char>(code[1])) != 0);
            card->SetVisible(true);
            pile->AddCard(card);
        }
    }
}

void RandomStep(GameTable &table, std::mt19937 &random)
{
    TBoard *board = table.Board();
    const auto &piles = board->Decks();
    if (piles.empty())
        return;
    const unsigned roll = random() % 12;
    MovePlayer player(table);
    if (roll < 4) {
        TDeck *source = piles[random() % piles.size()].get();
        TDeck *target = piles[random() % piles.size()].get();
        TCard *card = source->TopCard();
        for (unsigned depth = random() % 4; depth > 0 && card && card->Below && card->Below->Face(); --depth)
            card = card->Below;
        if (card)
            player.Drag(card, target);
    } else if (roll < 7) {
        board->ResetHintList();
        TCard *card = nullptr;
        TDeck *target = nullptr;
        if (board->FindMove(card, target, false)) {
            const auto &entry = board->Candidates.Entries[std::size_t(random() % unsigned(board->Candidates.Count)) + 1];
            entry.Deck->MoveCard(entry.Card);
        }
        board->ResetHintList();
    } else if (roll < 8) {
        TDeck *pile = piles[random() % piles.size()].get();
        player.Run(QStringLiteral("click ") + SlotName(table, pile));
    } else if (roll < 9) {
        board->Undo();
    } else if (roll < 10) {
        board->Redo();
    } else {
        player.RunCycle();
    }
}
