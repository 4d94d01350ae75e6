#include "app/suit_form.h"
#include "engine/Cardscmp.h"
#include "games/game_table.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Two cards of one suit and rank: the dialog offers the cards themselves, so it never
// confuses them.
struct CardChoice : ::testing::Test {
    CardChoice()
    {
        engineState() = EngineState{};
        candidates = {table.Card(5), table.Card(52 + 5), table.Card(20)};
    }
    ~CardChoice() override { engineState() = EngineState{}; }

    TBoard board;
    GameTable table{&board};
    std::vector<TCard *> candidates;
};

// Clicks, in the dialog as soon as it shows, the buttons in order (card buttons by index,
// then "&Move" or "&Cancel" by caption).
void clickWhenShown(std::vector<int> cards, const QString &closing)
{
    QTimer::singleShot(0, [cards, closing] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *form = qobject_cast<TSuitForm *>(widget);
            if (!form || !form->isVisible())
                continue;
            QList<QPushButton *> buttons = form->findChildren<QPushButton *>();
            for (int index : cards)
                QTest::mouseClick(buttons[index], Qt::LeftButton);
            for (QPushButton *button : buttons)
                if (button->text() == closing)
                    QTest::mouseClick(button, Qt::LeftButton);
            if (form->isVisible())
                form->reject();
        }
    });
}

TEST_F(CardChoice, MoveIsEnabledOnlyOnceACardIsChosen)
{
    TSuitForm form(QStringLiteral("Select the card"), QStringLiteral("Select the card you would like to move"),
                   candidates);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Select the card"));
    EXPECT_FALSE(form.MoveButton()->isEnabled());
    EXPECT_EQ(form.Chosen(), nullptr);
    form.Choose(1);
    EXPECT_TRUE(form.MoveButton()->isEnabled());
    EXPECT_EQ(form.Chosen(), candidates[1]);
    form.Choose(7); // no such card: the choice stands
    EXPECT_EQ(form.Chosen(), candidates[1]);
}

TEST_F(CardChoice, TheDialogAnswersTheCardClickedOrNothing)
{
    const struct {
        const char *name;
        std::vector<int> clicks;
        const char *closing;
        int chosen; // index into the candidates, -1: none
    } cases[] = {
        {"second of two alike, then Move", {1}, "&Move", 1},
        {"changed mind, then Move", {0, 2}, "&Move", 2},
        {"a card, then Cancel", {0}, "&Cancel", -1},
        {"Move before any card does nothing; closing cancels", {}, "&Move", -1},
    };
    CardChoiceDialog chooser(nullptr);
    for (const auto &test : cases) {
        SCOPED_TRACE(test.name);
        clickWhenShown(test.clicks, QString::fromLatin1(test.closing));
        TCard *answer = chooser.ChooseCard(QStringLiteral("Select the card"), QString(), candidates);
        EXPECT_EQ(answer, test.chosen < 0 ? nullptr : candidates[std::size_t(test.chosen)]);
    }
}

} // namespace
