#include "support/main_window_fixture.h"

#include "app/game_session.h"
#include "engine/Cardscmp.h"
#include "games/catalogue.h"
#include "games/game_definitions.h"
#include "games/game_table.h"
#include "store/binary_stream.h"
#include "store/saved_game_file.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <random>

namespace {

// Every pile, bottom card first, each card with its face, plus the journal and its position.
struct TableState {
    std::vector<std::vector<std::pair<int, bool>>> piles;
    std::vector<JournalEntry> journal;
    int position = -1;
    int rotation = 0;
    bool operator==(const TableState &) const = default;
};

TableState stateOf(const TBoard &board)
{
    TableState state;
    for (const auto &pile : board.Decks()) {
        auto &cards = state.piles.emplace_back();
        for (int n = 1; n <= pile->CardsCount(); ++n)
            cards.emplace_back(pile->GetCard(n)->CardID, pile->GetCard(n)->Face());
    }
    state.journal = board.Journal();
    state.position = board.JournalPos;
    state.rotation = board.Rotation_Counter();
    return state;
}

// Moves from the table's own move search and the stock, with undo and redo between them.
void playRandomly(TMain_F &window, std::mt19937 &random, int steps)
{
    TBoard *board = window.Board1;
    for (int step = 0; step < steps; ++step) {
        const unsigned roll = random() % 10;
        TCard *card = nullptr;
        TDeck *target = nullptr;
        board->ResetHintList();
        if (roll < 6 && board->FindMove(card, target, false)) {
            const auto &entry = board->Candidates.Entries[std::size_t(random() % unsigned(board->Candidates.Count)) + 1];
            entry.Deck->MoveCard(entry.Card);
        } else if (roll < 7 && window.Table().Stock) {
            window.Table().Stock->Click();
        } else if (roll < 9) {
            board->Undo();
        } else {
            board->Redo();
        }
        board->SetGameStarted(1);
    }
}

class SavedGames : public ::testing::Test {
protected:
    void SetUp() override
    {
        fixture.session->Data().settings.Cards.UndoOption = 2;
        path = fixture.folder.filePath(QStringLiteral("game.qel"));
    }
    // A started Klondike game of a few moves, saved to path.
    SavedGame savedKlondike()
    {
        fixture.DealKlondike(11);
        std::mt19937 random(3);
        playRandomly(window(), random, 30);
        EXPECT_TRUE(window().SaveGame(path, false));
        return readSavedGame(path);
    }
    TMain_F &window() { return fixture.Window(); }
    bool refusedWithAFreshGame()
    {
        const TBoard *board = window().Board1;
        return fixture.questions.contains(QStringLiteral("warn: Cannot open saved game.")) && window().Session().GameDealt()
               && board->GameStarted() == 0 && board->Journal().empty() && board->JournalPos == -1;
    }

    MainWindowFixture fixture;
    QString path;
};

} // namespace

TEST_F(SavedGames, EveryDealtGameComesBackCardForCardWithItsRedoHistory)
{
    for (const GameDefinition *game : DealtGames()) {
        SCOPED_TRACE(game->name);
        window().Table().CurrentGameId = game->id;
        window().Session().GameNumber = 1000 + quint32(game->id);
        window().Session().RestartGame();
        std::mt19937 random(quint32(game->id));
        playRandomly(window(), random, 60);
        // Some moves taken back, so that the file holds moves to redo.
        window().Board1->Undo();
        window().Board1->Undo();
        const TableState saved = stateOf(*window().Board1);
        ASSERT_TRUE(window().SaveGame(path, false));
        window().Deal_MI->trigger();
        ASSERT_TRUE(window().LoadGame(path));
        EXPECT_EQ(stateOf(*window().Board1), saved);
        EXPECT_EQ(window().Table().CurrentGameId, game->id);
        EXPECT_EQ(window().Board1->GameStarted(), 1);
    }
}

TEST_F(SavedGames, TheClockGoesOnFromThePlayTimeAfterADay)
{
    savedKlondike();
    fixture.now = window().Board1->StartTime().addSecs(12 * 60 + 30);
    ASSERT_TRUE(window().SaveGame(path, false));
    fixture.now = fixture.now.addDays(1);
    ASSERT_TRUE(window().LoadGame(path));
    EXPECT_NEAR(window().ElapsedMilliseconds(), (12 * 60 + 30) * 1000, 2);
}

// A file is never trusted: each damage ends in the message and a fresh game.
TEST_F(SavedGames, HostileFilesEndInTheMessageAndAFreshGame)
{
    const SavedGame good = savedKlondike();
    const auto entry = [](quint8 kind, quint8 source, quint8 dest, quint8 card) {
        JournalEntry e;
        e.Kind = kind;
        e.Source = source;
        e.Destination = dest;
        e.Card = card;
        return e.Encode();
    };
    const struct {
        const char *name;
        std::function<void(SavedGame &)> damage;
    } cases[] = {
        {"a pile that does not exist", [&](SavedGame &g) { g.Journal[0] = entry(0, 1, 250, 5); }},
        {"a card that is not dealt", [&](SavedGame &g) { g.Journal[0] = entry(0, 1, 2, 200); }},
        {"a move onto its own pile", [&](SavedGame &g) { g.Journal[0] = entry(0, 3, 3, 5); }},
        {"a kind that does not exist", [&](SavedGame &g) { g.Journal[0] = entry(7, 0, 0, 0); }},
        {"a group never closed", [&](SavedGame &g) { g.Journal.push_back(entry(1, 0, 0, 0)); }},
        {"a group end without its start", [&](SavedGame &g) { g.Journal.insert(g.Journal.begin(), entry(2, 0, 0, 0)); }},
        {"a game that is not dealt", [](SavedGame &g) { g.GameId = 500; }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        SavedGame damaged = good;
        c.damage(damaged);
        damaged.JournalPos = std::min<int>(damaged.JournalPos, int(damaged.Journal.size()) - 1);
        writeSavedGame(path, damaged);
        fixture.questions.clear();
        EXPECT_FALSE(window().LoadGame(path));
        EXPECT_TRUE(refusedWithAFreshGame());
    }
}

TEST_F(SavedGames, TheMenuSavesOpensAndRestoresASnapshotTakenBeforeAnyMove)
{
    TMain_F &main = window();
    QStringList dialogs;
    QString answer = fixture.folder.filePath(QStringLiteral("chosen"));
    main.Prompts().chooseSavedGame = [&](bool, const QString &start) {
        dialogs << QFileInfo(start).fileName();
        return answer;
    };
    fixture.DealKlondike(5);
    main.Table().Stock->Click();
    main.Board1->SetGameStarted(1);
    main.Board1->Undo();
    const TableState dealt = stateOf(*main.Board1);
    // A snapshot of the table as dealt, then moves, then back.
    main.Make1->trigger();
    main.Board1->Redo();
    main.Table().Stock->Click();
    ASSERT_TRUE(main.Restore1->isEnabled());
    main.Restore1->trigger();
    EXPECT_EQ(stateOf(*main.Board1).piles, dealt.piles);
    EXPECT_EQ(main.Board1->JournalPos, -1);

    main.Table().Stock->Click();
    main.SaveAs1->trigger();
    const QString chosen = answer + QStringLiteral(".qel");
    EXPECT_TRUE(QFile::exists(chosen));
    // From now on Save Game writes the same file without asking.
    ASSERT_TRUE(main.SaveGame1->isEnabled());
    main.Table().Stock->Click();
    main.SaveGame1->trigger();
    EXPECT_EQ(readSavedGame(chosen).JournalPos, main.Board1->JournalPos);
    EXPECT_EQ(dialogs, QStringList{QStringLiteral("Klondike_5.qel")});

    // Opening asks before the game in progress goes; a file that cannot be written is named.
    answer = chosen;
    main.OpenGame1->trigger();
    EXPECT_EQ(fixture.questions.last(), QStringLiteral("Confirm New Game: Do you want to start new game?"));
    EXPECT_EQ(main.Board1->JournalPos, readSavedGame(chosen).JournalPos);
    QDir().mkpath(fixture.folder.filePath(QStringLiteral("blocked.qel")));
    answer = fixture.folder.filePath(QStringLiteral("blocked.qel"));
    main.SaveAs1->trigger();
    EXPECT_EQ(fixture.questions.last(), QStringLiteral("warn: Cannot save the game to ") + answer);
}

// The automatic save is removed only once it has been reopened; one that fails is kept aside.
TEST_F(SavedGames, AnAutomaticSaveThatCannotBeReopenedIsKeptAside)
{
    fixture.session->Data().settings.Cards.Save_On_Exit = true;
    QByteArray damaged = encodeSavedGame(savedKlondike());
    damaged.chop(1);
    QDir().mkpath(fixture.locations.dataFolder);
    for (const QByteArray &bytes : {encodeSavedGame(readSavedGame(path)), damaged}) {
        fixture.questions.clear();
        writeFileAtomically(window().AutoSavePath(), bytes);
        window().ApplyCommandLine();
        EXPECT_FALSE(QFile::exists(window().AutoSavePath()));
        EXPECT_EQ(QFile::exists(window().AutoSavePath() + QStringLiteral(".bad")), bytes == damaged);
        EXPECT_EQ(fixture.questions.contains(QStringLiteral("warn: Cannot open saved game.")), bytes == damaged);
        // The game reopened first stays: a file refused before the deal touches no game in progress.
        EXPECT_EQ(window().Board1->GameStarted(), 1);
    }
}
