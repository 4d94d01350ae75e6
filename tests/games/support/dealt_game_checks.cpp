#include "dealt_game_checks.h"

#include "engine/board.h"
#include "engine/card.h"
#include "engine/deck.h"
#include "games/game_definitions.h"

#include <QTimer>
#include <cctype>

ModelPack::ModelPack(quint32 seed)
    : seed(seed)
{
    for (int index = 0; index < 52; ++index)
        cards.push_back(std::string{"a23456789tjqk"[index % 13], "cdhs"[index / 13]});
}

quint32 ModelPack::Random(quint32 n)
{
    seed = seed * 134775813u + 1u;
    return quint32((quint64(seed) * n) >> 32);
}

std::string ModelPack::Draw()
{
    const quint32 n = Random(quint32(cards.size())) + 1;
    if (cards.empty())
        return {};
    const std::size_t at = cards.size() - n;
    std::string card = cards[at];
    cards.erase(cards.begin() + std::ptrdiff_t(at));
    return card;
}

std::string ModelPack::Up(std::string card)
{
    for (char &c : card)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return card;
}

std::string ModelPack::Join(const std::vector<std::string> &cards)
{
    std::string text;
    for (const std::string &card : cards)
        text += (text.empty() ? "" : " ") + card;
    return text;
}

void ClearTable(GameTable &table)
{
    TBoard *board = table.Board();
    board->SetAutoTimerHandler(nullptr);
    board->OnAfterUndo = nullptr;
    board->OnDuringUndo = nullptr;
    board->OnDuringRedo = nullptr;
    table.ForgetPiles();
    board->FreeDecks();
    for (int index = 0; index < GameTable::CardCount; ++index) {
        TCard *card = table.Card(index);
        if (TDeck *pile = card->HostDeck())
            pile->RemoveCard(card);
        card->SetVisible(false);
    }
    board->IDCounter = 0;
    board->ClearJournal();
}

::testing::AssertionResult PlayRandomly(GameTable &table, std::mt19937 &random, int steps,
                                        const std::function<void()> &cycle,
                                        const std::vector<std::function<void()>> &extras)
{
    TBoard *board = table.Board();
    for (int step = 0; step < steps; ++step) {
        const unsigned roll = random() % 10;
        if (roll < 5) {
            board->ResetHintList();
            TCard *card = nullptr;
            TDeck *target = nullptr;
            if (board->FindMove(card, target, false)) {
                const auto &entry = board->Candidates.Entries[std::size_t(random() % unsigned(board->Candidates.Count)) + 1];
                entry.Deck->MoveCard(entry.Card);
            }
        } else if (roll < 6 && !extras.empty()) {
            extras[random() % extras.size()]();
        } else if (roll < 7) {
            board->Undo();
        } else if (roll < 8) {
            board->Redo();
        } else {
            cycle();
            board->AutoTimer()->stop();
        }
        if (::testing::AssertionResult agree = LocationsAgree(table); !agree)
            return agree << " at step " << step;
    }
    return ::testing::AssertionSuccess();
}

void DealGame(GameTable &table, const GameDefinition &game, const GameRules &rules, quint32 number)
{
    ClearTable(table);
    TBoard *board = table.Board();
    board->Animate = false;
    table.CurrentGameId = table.BaseGameId = game.id;
    table.PreviousGameId = -1;
    board->SetRotation_Counter(-1);
    board->Rotation_Number = -1;
    table.Random.SetSeed(number);
    DealDefinedGame(game, table, rules);
    board->ClearJournal();
}

void DealGame(GameTable &table, const GameDefinition &game, quint32 number)
{
    DealGame(table, game, game.rules, number);
}

TCard *FindCard(const GameTable &table, const std::string &code)
{
    const std::string ranks = "A23456789TJQK";
    const std::string suits = "CDHS";
    if (code.size() != 2)
        return nullptr;
    const auto rank = ranks.find(char(std::toupper(static_cast<unsigned char>(code[0]))));
    const auto suit = suits.find(char(std::toupper(static_cast<unsigned char>(code[1]))));
    if (rank == std::string::npos || suit == std::string::npos)
        return nullptr;
    return table.Card(int(suit * 13 + rank));
}
