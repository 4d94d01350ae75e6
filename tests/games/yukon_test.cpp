#include "engine/Cardscmp.h"
#include "games/catalogue.h"
#include "games/deal_printout.h"
#include "games/game_table.h"
#include "games/move_player.h"
#include "games/yukon.h"
#include "support/dealt_game_checks.h"
#include "support/table_checks.h"
#include "support/table_fixture.h"

#include <gtest/gtest.h>

namespace {

// Answers the card-choice question with the n-th candidate (-1: Cancel) and keeps what it was asked.
class FixedCardChooser : public CardChooser {
public:
    explicit FixedCardChooser(int choice) : choice(choice) {}
    TCard *ChooseCard(const QString &caption, const QString &, const std::vector<TCard *> &candidates) override
    {
        ++asked;
        lastCaption = caption;
        offered.clear();
        for (const TCard *card : candidates)
            offered.push_back(TableFixture::Code(card));
        return choice >= 0 && choice < int(candidates.size()) ? candidates[std::size_t(choice)] : nullptr;
    }
    int choice;
    int asked = 0;
    QString lastCaption;
    std::vector<std::string> offered;
};

class Yukon : public ::testing::Test, public TableFixture {
protected:
    Yukon()
    {
        engineState() = EngineState{};
        engineState().ShowMessage = [](const QString &) {};
    }
    void deal(quint32 number)
    {
        ClearTable(table);
        DealForPrinting(table, GameIds::Yukon, number);
        board.ClearJournal();
    }
    // The player's click on the source pile, then on the target.
    void clickMove(int from, int to)
    {
        table.Tableau[from]->Click();
        table.Tableau[to]->Click();
    }
    std::string column(int i) const { return Text(table.Tableau[i]); }
    MovePlayer player{table};
};

TEST_F(Yukon, DealsMostCardsFaceUpAndTheSameNumberAlike)
{
    deal(221);
    const std::string printed = DealPrintout(table, GameIds::Yukon, 221).toStdString();
    for (int i = 1; i <= 7; ++i) {
        const TDeck *pile = table.Tableau[i];
        EXPECT_EQ(pile->CardsCount(), i == 1 ? 1 : i + 4) << "column " << i;
        int faceDown = 0;
        for (const TCard *card = pile->TopCard(); card; card = card->Below)
            faceDown += card->Face() ? 0 : 1;
        EXPECT_EQ(faceDown, i - 1) << "column " << i;
    }
    EXPECT_EQ(table.Foundations[1]->CardsCount(), 0);
    EXPECT_EQ(board.Score(), -52);
    EXPECT_EQ(table.Stock, nullptr);
    EXPECT_TRUE(LocationsAgree(table));
    deal(221);
    EXPECT_EQ(DealPrintout(table, GameIds::Yukon, 221).toStdString(), printed);
    deal(222);
    EXPECT_NE(DealPrintout(table, GameIds::Yukon, 222).toStdString(), printed);
}

TEST_F(Yukon, ClickedTopCardMovesTheDeeperCardThatFits)
{
    deal(1);
    LayOut(table, {{"Tableau1", "qd 6H 2S 9C"}, {"Tableau2", "7C"}});
    clickMove(1, 2);
    EXPECT_EQ(column(2), "7C 6H 2S 9C");
    EXPECT_EQ(column(1), "QD") << "the uncovered card turns up";
    board.Undo();
    EXPECT_EQ(column(1), "qd 6H 2S 9C");
    EXPECT_EQ(column(2), "7C");
    // A drop of the top card moves the same cards as the click.
    EXPECT_TRUE(player.Run(QStringLiteral("Tableau1 Tableau2")));
    EXPECT_EQ(column(2), "7C 6H 2S 9C");
    board.Undo();
    // A drop of the deeper card itself moves the same run.
    EXPECT_TRUE(player.Run(QStringLiteral("Tableau1 Tableau2 6H")));
    EXPECT_EQ(column(2), "7C 6H 2S 9C");
}

TEST_F(Yukon, SeveralFittingCardsAreOfferedByCard)
{
    struct Case {
        int choice;
        std::string column1;
        std::string column2;
    };
    const Case cases[] = {
        {0, "KS 6D 3C", "7C 6H 2S"},
        {1, "KS", "7C 6D 3C 6H 2S"},
        {-1, "KS 6D 3C 6H 2S", "7C"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.choice);
        deal(1);
        LayOut(table, {{"Tableau1", "KS 6D 3C 6H 2S"}, {"Tableau2", "7C"}});
        FixedCardChooser chooser(c.choice);
        table.CardChoice = &chooser;
        clickMove(1, 2);
        table.CardChoice = nullptr;
        EXPECT_EQ(chooser.asked, 1);
        EXPECT_EQ(chooser.lastCaption, QStringLiteral("Select the card"));
        EXPECT_EQ(chooser.offered, (std::vector<std::string>{"6H", "6D"}));
        EXPECT_EQ(column(1), c.column1);
        EXPECT_EQ(column(2), c.column2);
    }
}

TEST_F(Yukon, EmptyColumnTakesAKingThatLiesOnACard)
{
    deal(1);
    LayOut(table, {{"Tableau1", "KH 5C"}, {"Tableau3", "2D KS 4H QC KD JH"}});
    FixedCardChooser chooser(1);
    table.CardChoice = &chooser;
    // The King at the bottom of its column is never offered.
    clickMove(1, 2);
    EXPECT_EQ(column(1), "KH 5C");
    EXPECT_EQ(chooser.asked, 0);
    clickMove(3, 2);
    table.CardChoice = nullptr;
    EXPECT_EQ(chooser.lastCaption, QStringLiteral("Select the King"));
    EXPECT_EQ(chooser.offered, (std::vector<std::string>{"KD", "KS"}));
    EXPECT_EQ(column(2), "KS 4H QC KD JH");
    EXPECT_EQ(column(3), "2D");
}

TEST_F(Yukon, RandomPlayKeepsTheTableConsistent)
{
    std::mt19937 random(221);
    for (int game = 0; game < 5; ++game) {
        deal(random());
        for (int step = 0; step < 400; ++step) {
            RandomStep(table, random);
            ASSERT_TRUE(LocationsAgree(table)) << "game " << game << " step " << step;
            ASSERT_EQ(CardsInPiles(table), 52) << "game " << game << " step " << step;
        }
    }
}

} // namespace
