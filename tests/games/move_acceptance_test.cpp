#include "games/group_move.h"
#include "games/move_acceptance.h"
#include "games/rule_predicates.h"
#include "games/table_builders.h"
#include "support/table_fixture.h"

#include <gtest/gtest.h>

namespace {

struct Answer {
    bool action;
    TCard *card;
};

class Acceptance : public ::testing::Test, public TableFixture {
protected:
    // Lays out the rows of a game: four foundations and `columns` spread columns.
    void build(int gameId, int columns = 7)
    {
        table.CurrentGameId = gameId;
        BuildRows(table, table.Rules(), {.row = {.left = 10, .top = 5, .step = 80, .count = 4}}, table.Foundations,
                  {.row = {.left = 10, .top = 120, .step = 80, .count = columns}, .spread = {.vShift = 20}},
                  table.Tableau);
    }
    TDeck *column(int i) { return table.Tableau[i]; }
    TDeck *cell(const std::string &cards = "")
    {
        TDeck *pile = Pile(cards);
        pile->MaxCardCount = 1;
        pile->UsableAsSpare = true;
        return pile;
    }
    Answer tableau(TDeck *target, TCard *card, bool clicked)
    {
        bool action = !clicked; // the handler must set its answer itself
        TableauAccepts(table, target, card, action, clicked);
        return {action, card};
    }
    Answer yukon(TDeck *target, TCard *card, bool clicked)
    {
        bool action = false;
        AcceptMove(table, ::Acceptance::TableauByParking, target, card, action, clicked);
        return {action, card};
    }
    Answer foundation(TDeck *target, TCard *card, bool clicked = false)
    {
        bool action = true;
        FoundationAccepts(table, target, card, action, clicked);
        return {action, card};
    }
    bool dragSelect(TCard *card)
    {
        bool action = false;
        TableauDragSelect(table, card, action);
        return action;
    }
    bool dragRule(TCard *card, TDeck *target)
    {
        bool action = false;
        TableauDragRule(table, card, target, action);
        return action;
    }
    // FreeCell: two empty cells and two full ones, one empty column, source and target.
    void freeCellPosition(const std::string &source, const std::string &target)
    {
        build(GameIds::FreeCell, 8);
        Put(column(1), source);
        Put(column(2), target);
        const char *fillers[] = {"2D", "2H", "2C", "2S", "3H"};
        for (int i = 4; i <= 8; ++i)
            Put(column(i), fillers[i - 4]);
        cell();
        cell();
        cell("3D");
        cell("4D");
        table.ColumnChooser = &chooser;
    }
    FixedChooser chooser{EmptyColumnChooser::MoveColumn};
};

TEST_F(Acceptance, DeeperCardOfTheRunIsPickedWhenTheTopCardDoesNotFit)
{
    build(GameIds::Klondike);
    Put(column(1), "ks 9H 8S 7H");
    Put(column(2), "TC");
    const Answer answer = tableau(column(2), column(1)->TopCard(), false);
    EXPECT_TRUE(answer.action);
    EXPECT_EQ(answer.card, column(1)->GetCard(3));
    // A target that fits no card of the run refuses.
    Put(column(3), "TH");
    EXPECT_FALSE(tableau(column(3), column(1)->TopCard(), false).action);
}

TEST_F(Acceptance, KingOnAceWrapIsRefusedByTheTableauButTakenByAFoundation)
{
    build(GameIds::Klondike);
    Put(column(1), "AH");
    Put(column(2), "KS");
    TCard *king = column(2)->TopCard();
    EXPECT_TRUE(Rules::DownAltColour->Test(column(1)->TopCard(), king));
    EXPECT_FALSE(tableau(column(1), king, false).action);
    EXPECT_FALSE(dragRule(king, column(1)));

    TDeck *downFoundation = table.Foundations[1];
    downFoundation->Rule = Rules::DownAltColour;
    Put(downFoundation, "AH");
    EXPECT_TRUE(foundation(downFoundation, king).action);

    // A Consecutive tableau allows the wrap.
    column(1)->Consecutive = true;
    EXPECT_TRUE(tableau(column(1), king, false).action);
}

TEST_F(Acceptance, EmptyKingColumnTakesTheKingHeadingTheRunButNeverABottomKing)
{
    build(GameIds::Klondike);
    Put(column(1), "5c KH QS JH");
    Put(column(2), "KD QC");
    Put(column(3), "KS");
    TDeck *empty = column(4);
    Answer answer = tableau(empty, column(1)->TopCard(), false);
    EXPECT_TRUE(answer.action);
    EXPECT_EQ(answer.card, column(1)->GetCard(3));
    // The King heading column 2 already lies at its bottom.
    answer = tableau(empty, column(2)->TopCard(), false);
    EXPECT_FALSE(answer.action);
    // A King on its own may still be put there; a Queen may not.
    EXPECT_TRUE(tableau(empty, column(3)->TopCard(), false).action);
    Put(column(5), "QH");
    EXPECT_FALSE(tableau(empty, column(5)->TopCard(), false).action);
}

TEST_F(Acceptance, ClickOntoEmptyColumnAsksWhetherToMoveTheColumn)
{
    build(GameIds::FlowerGarden);
    Put(column(1), "5C 9H 8S 7D");
    TCard *top = column(1)->TopCard();
    table.ColumnChooser = &chooser;
    struct Case {
        int choice;
        TCard *expected;
    };
    const Case cases[] = {
        {EmptyColumnChooser::MoveColumn, column(1)->GetCard(3)},
        {EmptyColumnChooser::MoveSingleCard, top},
        {EmptyColumnChooser::Cancel, nullptr},
    };
    for (const Case &c : cases) {
        chooser.choice = c.choice;
        chooser.asked = 0;
        const Answer answer = tableau(column(2), top, true);
        EXPECT_TRUE(answer.action) << c.choice;
        EXPECT_EQ(answer.card, c.expected) << c.choice;
        EXPECT_EQ(chooser.asked, 1);
    }
    EXPECT_EQ(Text(column(1)), "5C 9H 8S 7D");

    // Probes and cards without a run beneath never ask.
    chooser.asked = 0;
    EXPECT_EQ(tableau(column(2), top, false).card, top);
    Put(column(3), "9C 4H");
    EXPECT_EQ(tableau(column(2), column(3)->TopCard(), true).card, column(3)->TopCard());
    // Nor does a card lying on a card of the base rank.
    Put(column(4), "AD KC");
    EXPECT_EQ(tableau(column(2), column(4)->TopCard(), true).card, column(4)->TopCard());
    EXPECT_EQ(chooser.asked, 0);
}

TEST_F(Acceptance, WithoutAChooserTheQuestionIsCancelled)
{
    build(GameIds::FlowerGarden);
    Put(column(1), "9H 8S");
    const Answer answer = tableau(column(2), column(1)->TopCard(), true);
    EXPECT_TRUE(answer.action);
    EXPECT_EQ(answer.card, nullptr);
}

TEST_F(Acceptance, FreeCellMovesSixCardsWithTwoCellsAndOneEmptyColumn)
{
    freeCellPosition("3C 9H 8S 7H 6S 5H 4S", "TC");
    TCard *top = column(1)->TopCard();
    EXPECT_EQ(SpareCapacity(board, column(2)), 5);

    Answer probe = tableau(column(2), top, false);
    EXPECT_TRUE(probe.action);
    EXPECT_EQ(probe.card, column(1)->GetCard(6));
    EXPECT_EQ(Text(column(1)), "3C 9H 8S 7H 6S 5H 4S");

    const Answer click = tableau(column(2), top, true);
    EXPECT_TRUE(click.action);
    EXPECT_EQ(click.card, nullptr);
    EXPECT_EQ(Text(column(2)), "TC 9H 8S 7H 6S 5H 4S");
    EXPECT_EQ(Text(column(1)), "3C");
    EXPECT_EQ(column(3)->CardsCount(), 0);
    board.Undo();
    EXPECT_EQ(Text(column(1)), "3C 9H 8S 7H 6S 5H 4S");
    EXPECT_EQ(Text(column(2)), "TC");
}

TEST_F(Acceptance, GroupThatCannotBeCarriedIsRefusedAndNothingMoves)
{
    freeCellPosition("3C 9H 8S 7H 6S 5H 4S", "TC");
    // The spare column builds by another rule, so the cards parked on it break it.
    column(3)->Rule = Rules::UpInSuit;
    const Answer click = tableau(column(2), column(1)->TopCard(), true);
    EXPECT_FALSE(click.action);
    EXPECT_EQ(click.card, column(1)->TopCard());
    EXPECT_EQ(Text(column(1)), "3C 9H 8S 7H 6S 5H 4S");
    EXPECT_EQ(Text(column(2)), "TC");
    EXPECT_EQ(column(3)->CardsCount(), 0);
}

TEST_F(Acceptance, FreeCellRefusesAGroupBeyondTheSpares)
{
    freeCellPosition("JS TH 9S 8H 7S 6H 5S", "QH");
    // The Jack would go on the Queen with six cards on it, one more than the spares carry.
    EXPECT_FALSE(tableau(column(2), column(1)->TopCard(), false).action);
    EXPECT_FALSE(tableau(column(2), column(1)->TopCard(), true).action);
    EXPECT_EQ(Text(column(1)), "JS TH 9S 8H 7S 6H 5S");
    EXPECT_EQ(Text(column(2)), "QH");
    EXPECT_FALSE(dragSelect(column(1)->GetCard(7)));
    EXPECT_TRUE(dragSelect(column(1)->GetCard(6)));
}

TEST_F(Acceptance, FreeCellMovesAtMostThreeCardsOntoTheEmptyColumn)
{
    freeCellPosition("3C 9H 8S 7H 6S 5H 4S", "TC");
    TDeck *empty = column(3);
    TCard *top = column(1)->TopCard();
    EXPECT_EQ(SpareCapacity(board, empty), 2);

    chooser.choice = EmptyColumnChooser::MoveSingleCard;
    Answer answer = tableau(empty, top, true);
    EXPECT_TRUE(answer.action);
    EXPECT_EQ(answer.card, top);

    chooser.choice = EmptyColumnChooser::Cancel;
    answer = tableau(empty, top, true);
    EXPECT_TRUE(answer.action);
    EXPECT_EQ(answer.card, nullptr);
    EXPECT_EQ(Text(column(1)), "3C 9H 8S 7H 6S 5H 4S");

    chooser.choice = EmptyColumnChooser::MoveColumn;
    answer = tableau(empty, top, true);
    EXPECT_TRUE(answer.action);
    EXPECT_EQ(answer.card, nullptr);
    EXPECT_EQ(Text(empty), "6S 5H 4S");
    EXPECT_EQ(Text(column(1)), "3C 9H 8S 7H");
}

TEST_F(Acceptance, DragRuleLimitsSpareGroupsAndSingleCardFills)
{
    freeCellPosition("3C 9H 8S 7H 6S 5H 4S", "TC");
    TDeck *empty = column(3);
    EXPECT_TRUE(dragRule(column(1)->GetCard(6), column(2)));  // six cards onto a card
    EXPECT_FALSE(dragRule(column(1)->GetCard(6), empty));     // but not onto the empty column
    EXPECT_TRUE(dragRule(column(1)->GetCard(3), empty));      // three may go there
    EXPECT_FALSE(dragRule(column(1)->GetCard(4), empty));

    empty->FillEmpty = -2;
    EXPECT_TRUE(dragRule(column(1)->TopCard(), empty));
    EXPECT_FALSE(dragRule(column(1)->GetCard(2), empty));

    empty->FillEmpty = -1;
    empty->DisabledFETag = 2;
    EXPECT_FALSE(dragRule(column(1)->TopCard(), empty));
    column(2)->DisabledTag = 2;
    EXPECT_FALSE(dragRule(column(1)->GetCard(6), column(2)));
}

TEST_F(Acceptance, TagsFullnessAndEmptyFillsRefuse)
{
    build(GameIds::Klondike);
    Put(column(1), "TC");
    Put(column(2), "9H");
    TCard *nine = column(2)->TopCard();
    EXPECT_TRUE(tableau(column(1), nine, false).action);

    column(1)->DisabledTag = 2; // the tableau's own tag
    EXPECT_FALSE(tableau(column(1), nine, false).action);
    column(1)->DisabledTag = 0;
    column(1)->MaxCardCount = 1;
    EXPECT_FALSE(tableau(column(1), nine, false).action);
    column(1)->MaxCardCount = -1;

    // DisabledFETag only matters for an empty target.
    column(1)->DisabledFETag = 2;
    EXPECT_TRUE(tableau(column(1), nine, false).action);
    Put(column(3), "KH");
    column(4)->DisabledFETag = 2;
    EXPECT_FALSE(tableau(column(4), column(3)->TopCard(), false).action);

    // Without group moves the empty column goes by FillEmpty alone.
    build(GameIds::Bisley);
    TDeck *bisley = table.Tableau[1];
    Put(table.Tableau[2], "5S");
    TCard *five = table.Tableau[2]->TopCard();
    EXPECT_FALSE(tableau(bisley, five, false).action); // FillEmpty 0
    bisley->FillEmpty = 5;
    EXPECT_TRUE(tableau(bisley, five, false).action);
    bisley->FillEmpty = 14;
    EXPECT_FALSE(tableau(bisley, five, false).action);
    bisley->FillEmpty = -2;
    EXPECT_TRUE(tableau(bisley, five, false).action);
}

TEST_F(Acceptance, FoundationTakesTheNextCardOrWalksDownAGroup)
{
    build(GameIds::Klondike);
    TDeck *target = table.Foundations[1];
    Put(column(1), "2S");
    Put(column(2), "AS");
    EXPECT_FALSE(foundation(target, column(1)->TopCard()).action);
    EXPECT_TRUE(foundation(target, column(2)->TopCard()).action);
    Put(target, "AS 2S 3S");
    Put(column(3), "4S");
    EXPECT_TRUE(foundation(target, column(3)->TopCard()).action);
    EXPECT_FALSE(foundation(target, column(1)->TopCard()).action);

    // A foundation that accepts groups walks down the source's group rule.
    TDeck *groups = table.Foundations[2];
    groups->AcceptCardGroup = true;
    Put(groups, "AH 2H 3H 4H 5H");
    TDeck *source = column(4);
    Put(source, "9C 6H 7H 8H");
    source->GroupRule = Rules::UpInSuit;
    Answer answer = foundation(groups, source->TopCard());
    EXPECT_TRUE(answer.action);
    EXPECT_EQ(answer.card, source->GetCard(3));
    // The walk never steps onto a card of the source's base rank.
    source->SetCardVal(6);
    EXPECT_FALSE(foundation(groups, source->TopCard()).action);
    source->SetCardVal(1);

    // An empty group-taking foundation of base Ace picks the Ace heading the run, never a bottom Ace.
    TDeck *empty = table.Foundations[3];
    empty->AcceptCardGroup = true;
    TDeck *run = column(5);
    Put(run, "9C AD 2D 3D");
    run->GroupRule = Rules::UpInSuit;
    answer = foundation(empty, run->TopCard());
    EXPECT_TRUE(answer.action);
    EXPECT_EQ(answer.card, run->GetCard(3));
    TDeck *bottomRun = column(6);
    Put(bottomRun, "AC 2C");
    bottomRun->GroupRule = Rules::UpInSuit;
    EXPECT_FALSE(foundation(empty, bottomRun->TopCard()).action);

    // A full foundation takes nothing.
    Put(target, "4S 5S 6S 7S 8S 9S TS JS QS KS");
    ASSERT_EQ(target->CardsCount(), 13);
    Put(column(7), "AS");
    EXPECT_FALSE(foundation(target, column(7)->TopCard()).action);
}

TEST_F(Acceptance, DragSelectFollowsTheGroupRuleAndStopsAtTheWrap)
{
    build(GameIds::Klondike);
    Put(column(1), "ks 9H 8S 7H");
    EXPECT_TRUE(dragSelect(column(1)->TopCard()));
    EXPECT_TRUE(dragSelect(column(1)->GetCard(3)));
    EXPECT_FALSE(dragSelect(column(1)->GetCard(4)));
    Put(column(2), "9H 8S 7S");
    EXPECT_FALSE(dragSelect(column(2)->GetCard(2)));

    Put(column(3), "AH KS QH");
    EXPECT_TRUE(dragSelect(column(3)->GetCard(2)));
    EXPECT_FALSE(dragSelect(column(3)->GetCard(3)));
    column(3)->GroupRule = Rules::AnyCard;
    EXPECT_TRUE(dragSelect(column(3)->GetCard(3)));

    // A card of another pile is never selected through this one.
    bool action = true;
    TableauDragSelect(table, nullptr, action);
    EXPECT_FALSE(action);
}

TEST_F(Acceptance, YukonFormAllowsAsManyCardsOnTheGroupAsThereAreSpares)
{
    freeCellPosition("3C 9H 8S 7H 6S 5H", "TC");
    Put(column(4), "9D");
    TDeck *source = column(1);
    // Three spares: four cards on the Nine are too many, three on the Eight are not.
    EXPECT_FALSE(yukon(column(2), source->TopCard(), false).action);
    const Answer answer = yukon(column(4), source->TopCard(), true);
    EXPECT_TRUE(answer.action);
    EXPECT_EQ(answer.card, nullptr);
    EXPECT_EQ(Text(column(4)), "2D 9D 8S 7H 6S 5H");
    EXPECT_EQ(Text(source), "3C 9H");
}

} // namespace
