#include "app/player_dialogs.h"
#include "store/players.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

struct Scripted {
    QStringList typedNames;       // answers of the name dialog, in turn
    bool confirmAnswer = true;
    QStringList messages;         // "caption: text"
    QStringList questions;

    PlayerDialogPrompts prompts()
    {
        PlayerDialogPrompts prompts;
        prompts.askName = [this](const QString &, const QString &, const QString &) -> std::optional<QString> {
            if (typedNames.isEmpty())
                return std::nullopt;
            const QString name = typedNames.takeFirst().trimmed();
            return name.isEmpty() ? std::nullopt : std::optional(name);
        };
        prompts.inform = [this](const QString &caption, const QString &text) { messages.append(caption + ": " + text); };
        prompts.confirm = [this](const QString &caption, const QString &text) {
            questions.append(caption + ": " + text);
            return confirmAnswer;
        };
        prompts.askShortcutName = [](const QString &) { return std::nullopt; };
        return prompts;
    }
};

PlayerList playersNamed(const QStringList &names)
{
    std::vector<PlayerRecord> records;
    for (const QString &name : names)
        records.push_back(PlayerRecord::create(name, 45000));
    PlayerList players;
    players.replace(std::move(records), 0, 45000);
    return players;
}

QStringList shownNames(const PlayerListDialog &dialog)
{
    QStringList names;
    for (int i = 0; i < dialog.Names()->count(); ++i)
        names.append(dialog.Names()->item(i)->text());
    return names;
}

} // namespace

TEST(PlayerListDialog, AddsTrimmedNamesInSortedPlaceAndRefusesDuplicatesInAnyCase)
{
    PlayerList players = playersNamed({"Zoe", "ann"});
    PlayerListContext context;
    context.players = &players;
    context.today = 45000;
    PlayerListDialog dialog(context, QStringLiteral("Zoe"));
    Scripted script;
    dialog.Prompts = script.prompts();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Edit player list"));
    EXPECT_EQ(shownNames(dialog), (QStringList{"ann", "Zoe"}));
    EXPECT_EQ(dialog.Names()->currentRow(), 1);

    script.typedNames = {"  Bob  ", "ANN", "   "};
    dialog.Add();
    EXPECT_EQ(shownNames(dialog), (QStringList{"ann", "Bob", "Zoe"}));
    EXPECT_EQ(dialog.Names()->currentItem()->text(), QStringLiteral("Bob"));
    dialog.Add();
    dialog.Add(); // blanks only: as Cancel
    EXPECT_EQ(script.messages, QStringList{"Information: Player with this name already exists"});
    EXPECT_EQ(shownNames(dialog).size(), 3);

    dialog.accept();
    EXPECT_EQ(players.names(), (QStringList{"ann", "Bob", "Zoe"}));
    EXPECT_EQ(players.current().Name, QStringLiteral("Bob"));
}

TEST(PlayerListDialog, RenameToTheSameNameInOtherCaseIsRefused)
{
    PlayerList players = playersNamed({"Ann", "Bob"});
    PlayerListContext context;
    context.players = &players;
    PlayerListDialog dialog(context, QStringLiteral("Ann"));
    Scripted script;
    dialog.Prompts = script.prompts();
    script.typedNames = {"ANN", "Carla"};
    dialog.Edit();
    EXPECT_EQ(script.messages.size(), 1);
    dialog.Edit();
    EXPECT_EQ(shownNames(dialog), (QStringList{"Bob", "Carla"}));
}

TEST(PlayerListDialog, DeletingAsksFirstAndTheLastPlayerStays)
{
    PlayerList players = playersNamed({"Ann", "Bob"});
    PlayerListContext context;
    context.players = &players;
    PlayerListDialog dialog(context, QStringLiteral("Ann"));
    Scripted script;
    dialog.Prompts = script.prompts();
    script.confirmAnswer = false;
    dialog.Delete();
    EXPECT_EQ(script.questions, QStringList{"Delete player: Are you sure you want to delete player 'Ann' ?"});
    EXPECT_EQ(shownNames(dialog).size(), 2);
    script.confirmAnswer = true;
    dialog.Delete();
    EXPECT_EQ(shownNames(dialog), QStringList{"Bob"});
    dialog.Names()->setCurrentRow(0);
    dialog.Delete();
    EXPECT_EQ(script.messages, QStringList{"Information: You cannot delete the last player"});
    dialog.reject();
    EXPECT_EQ(players.names(), QStringList{"Bob"});
}

TEST(PlayerNameDialog, TakesAtMostTwentyCharacters)
{
    PlayerNameDialog dialog(QStringLiteral("Add a player"), QStringLiteral("Enter player name"), QString());
    dialog.Edit()->insert(QString(25, u'x'));
    EXPECT_EQ(dialog.Edit()->text().size(), 20);
    dialog.accept();
    EXPECT_EQ(dialog.Name(), QString(20, u'x'));
}

TEST(PlayerShortcutDialog, ProposesTheNameAndCreatesOnlyWithAName)
{
    PlayerShortcutDialog dialog(QStringLiteral("Ann"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Player Shortcut"));
    EXPECT_EQ(dialog.Edit()->text(), QStringLiteral("Ann's Tarnwick"));
    EXPECT_EQ(dialog.Preview()->text(), QStringLiteral("Ann's Tarnwick"));
    dialog.Edit()->clear();
    EXPECT_FALSE(dialog.CreateButton()->isEnabled());
    dialog.Edit()->setText(QStringLiteral("Cards"));
    EXPECT_TRUE(dialog.CreateButton()->isEnabled());
    EXPECT_EQ(dialog.Preview()->text(), QStringLiteral("Cards"));
}
