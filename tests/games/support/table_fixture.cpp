#include "table_fixture.h"

#include <cctype>
#include <sstream>
#include <stdexcept>

namespace {
const std::string ranks = "A23456789TJQK";
const std::string suits = "CDHS";
} // namespace

TableFixture::TableFixture()
{
    board.Animate = false;
}

TCard *TableFixture::Take(const std::string &code)
{
    if (code.size() != 2)
        throw std::invalid_argument("card code " + code);
    const auto rank = ranks.find(char(std::toupper(code[0])));
    const auto suit = suits.find(char(std::toupper(code[1])));
    if (rank == std::string::npos || suit == std::string::npos)
        throw std::invalid_argument("card code " + code);
    const int index = int(suit * 13 + rank);
    const int copy = used[index]++;
    TCard *card = table.Card(copy * 52 + index);
    if (!card)
        throw std::out_of_range("no copy left of " + code);
    card->SetFace(std::isupper(static_cast<unsigned char>(code[1])) != 0);
    card->SetVisible(true);
    return card;
}

TDeck *TableFixture::Pile(const std::string &cards)
{
    TDeck *pile = board.NewDeck();
    pile->SetHostBoard(&board);
    Put(pile, cards);
    return pile;
}

void TableFixture::Put(TDeck *pile, const std::string &cards)
{
    std::istringstream words(cards);
    std::string code;
    while (words >> code)
        pile->AddCard(Take(code));
}

std::string TableFixture::Code(const TCard *card)
{
    std::string code{ranks[card->Rank() - 1], suits[card->Suit() - 1]};
    if (!card->Face())
        for (char &c : code)
            c = char(std::tolower(c));
    return code;
}

std::string TableFixture::Text(const TDeck *pile)
{
    std::vector<std::string> codes;
    for (const TCard *card = pile->TopCard(); card; card = card->Below)
        codes.insert(codes.begin(), Code(card));
    std::string text;
    for (const std::string &code : codes)
        text += (text.empty() ? "" : " ") + code;
    return text;
}
