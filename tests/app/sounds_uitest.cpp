#include "support/main_window_fixture.h"

#include "app/game_session.h"
#include "engine/Cardscmp.h"
#include "games/auto_moves.h"
#include "games/game_table.h"

#include <QAction>
#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Writes each sound's name into the shared log instead of playing it.
class RecordedSounds : public SoundPlayer {
public:
    explicit RecordedSounds(QStringList &log) : log(log) {}
    void Play(EngineSound sound) override
    {
        static const char *names[] = {"PLYSEL", "TURN", "PLYWIN", "SHUFFLE", "CARDDRAG"};
        log << QString::fromLatin1(names[int(sound)]);
    }

private:
    QStringList &log;
};

struct Switches {
    bool move, over, drag, win, shuffle;
};

} // namespace

// The switches decide which sounds a deal and a win play; the win sound follows eight
// flashes 180 ms apart, and the window's own flash is off again at the end; F5 turns every
// sound on unless all are on, and then off.
TEST(Sounds, SwitchesDealAndWinSequence)
{
    const struct {
        const char *name;
        Switches on;
        bool allAfterF5;
    } cases[] = {
        {"all on", {true, true, true, true, true}, false},
        {"only &Shuffle on", {false, false, false, false, true}, true},
        {"only &Game is won on", {false, false, false, true, false}, true},
        {"none on", {false, false, false, false, false}, true},
        {"only Card &Move and &Turn a Deck on", {true, true, false, false, false}, true},
    };
    for (const auto &test : cases) {
        SCOPED_TRACE(test.name);
        // The switches as the settings file holds them at start.
        MainWindowFixture fixture(false);
        {
            QSettings stored(fixture.locations.settingsFile(), QSettings::IniFormat);
            stored.setValue("Cards/Play_Card_Move", test.on.move);
            stored.setValue("Cards/Play_Deck_Over", test.on.over);
            stored.setValue("Cards/Play_Card_Drag", test.on.drag);
            stored.setValue("Cards/Play_Win_G", test.on.win);
            stored.setValue("Cards/PlayShuffle", test.on.shuffle);
        }
        TMain_F &window = fixture.Create();
        ASSERT_TRUE(fixture.ShowActive());
        QStringList log;
        window.StartSounds(std::make_unique<RecordedSounds>(log));
        const CardsSettings &cards = fixture.session->Data().settings.Cards;
        fixture.DealKlondike();
        EXPECT_EQ(log, test.on.shuffle ? QStringList{QStringLiteral("SHUFFLE")} : QStringList{});
        // A card moved onto a pile, then a whole pile turned over onto another.
        log.clear();
        GameTable &table = window.Table();
        table.Tableau[2]->MoveCard(table.Tableau[1]->TopCard());
        table.Tableau[4]->TakeAllFrom(table.Tableau[3], true);
        QStringList moved;
        if (test.on.move)
            moved << QStringLiteral("PLYSEL");
        if (test.on.over)
            moved << QStringLiteral("TURN");
        EXPECT_EQ(log, moved);

        log.clear();
        // The window's own flash: a light cover over the table.
        const auto lit = [&] {
            const auto *cover = window.findChild<QWidget *>(QStringLiteral("FlashCover"));
            return cover && cover->isVisible();
        };
        fixture.onWait = [&](int milliseconds) {
            log << QStringLiteral("wait %1%2").arg(milliseconds).arg(lit() ? " lit" : "");
        };
        fixture.FinishGame();
        Uni_Timer(window.Table());
        fixture.onWait = nullptr;
        QStringList expected{QStringLiteral("wait 60")};
        for (int flash = 0; flash < 8; ++flash)
            expected << QStringLiteral("wait 180%1").arg(flash % 2 ? " lit" : "");
        if (test.on.win)
            expected << QStringLiteral("PLYWIN");
        expected << QStringLiteral("wait 50");
        ASSERT_GE(log.size(), expected.size());
        EXPECT_EQ(log.mid(0, expected.size()), expected);
        EXPECT_FALSE(lit());

        QTest::keyClick(window.Board1, Qt::Key_F5);
        for (bool on : {cards.Play_Card_Move, cards.Play_Deck_Over, cards.Play_Card_Drag, cards.Play_Win_G,
                        cards.PlayShuffle, window.Board1->MyPlayCardMove, window.Board1->MyPlayDeckOver,
                        window.Board1->MyPlayCardDrag, window.Sound1->isChecked()})
            EXPECT_EQ(on, test.allAfterF5);
    }
}
