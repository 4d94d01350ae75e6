#include "store/settings.h"
#include "support/store_fixtures.h"

#include <QSettings>
#include <gtest/gtest.h>

namespace {

struct SettingsFixture : ::testing::Test {
    TempFolders folders;
    FixedDisplayInfo display = testDisplay();

    QSettings ini() const { return QSettings(folders.locations().settingsFile(), QSettings::IniFormat); }
    void store(const char *name, const QVariant &value, const char *section = SettingSection::Cards)
    {
        QSettings file(folders.locations().settingsFile(), QSettings::IniFormat);
        file.setValue(QString::fromLatin1(section) + u'/' + QString::fromLatin1(name), value);
    }
    Settings loaded(const DisplayInfo &on)
    {
        Settings settings(folders.locations(), on);
        settings.load();
        return settings;
    }
    Settings loaded() { return loaded(display); }
};

} // namespace

TEST_F(SettingsFixture, AFirstStartGivesTheDefaults)
{
    const Settings settings = loaded();
    const CardsSettings &cards = settings.Cards;
    EXPECT_EQ(cards.u, 1);
    EXPECT_EQ(cards.Game, 10);
    EXPECT_EQ(cards.Version, QStringLiteral("1.2"));
    EXPECT_EQ(cards.Back, 100);
    EXPECT_EQ(cards.ShadowStyle, 0);
    EXPECT_EQ(cards.Pattern_Type, 1);
    EXPECT_TRUE(cards.Fade);
    EXPECT_EQ(cards.CardSize, 2);
    EXPECT_TRUE(cards.LargeButtons);
    EXPECT_EQ(cards.CustBackFile, folders.path(QStringLiteral("program/Decks/books.jpg")));
    EXPECT_EQ(cards.DeckPicture, folders.path(QStringLiteral("documents")));
    EXPECT_EQ(cards.BoardColor, 0x8000);
    EXPECT_EQ(cards.MaxLog, 2000);
    EXPECT_EQ(cards.tbconf, QStringLiteral("09,01,00,02,03,00,05,00,07,08,00,13"));
    EXPECT_EQ(cards.CollectStatistics, 1);
    EXPECT_EQ(cards.StatShow, 1);
    EXPECT_EQ(settings.Players.Players, 0);
}

TEST_F(SettingsFixture, APaletteDisplayAndASmallScreenChangeTheDefaults)
{
    store(SettingName::ShadowStyle, 1);
    store(SettingName::Highlight, 1);
    store(SettingName::MenuXP, 1);
    const FixedDisplayInfo palette = testDisplay(8, QSize(800, 600));
    const Settings settings = loaded(palette);
    const CardsSettings &cards = settings.Cards;
    EXPECT_EQ(cards.Back, 1);
    EXPECT_EQ(cards.ShadowStyle, 2);
    EXPECT_FALSE(cards.Highlight);
    EXPECT_FALSE(cards.MenuXP);
    EXPECT_EQ(cards.Pattern_Type, 0);
    EXPECT_FALSE(cards.Fade);
    EXPECT_EQ(cards.CustBackFile, QString());
    EXPECT_EQ(cards.CardSize, 1);
    EXPECT_FALSE(cards.LargeButtons);
}

TEST_F(SettingsFixture, TheRunCounterIsWrittenBackAtOnce)
{
    store(SettingName::u, 41);
    const Settings settings = loaded();
    EXPECT_EQ(settings.Cards.u, 42);
    // No save: a crash now must not let the next run reuse 42.
    EXPECT_EQ(ini().value(QStringLiteral("Cards/u")).toInt(), 42);
    EXPECT_EQ(loaded().Cards.u, 43);
}

TEST_F(SettingsFixture, StoredValuesAreCheckedAgainstTheirRanges)
{
    const struct {
        const char *name;
        QVariant stored;
        int CardsSettings::*member;
        int expected;
    } cases[] = {
        {SettingName::Game, 500, &CardsSettings::Game, 1},
        {SettingName::Game, -3, &CardsSettings::Game, 1},
        {SettingName::Game, 409, &CardsSettings::Game, 409},
        {SettingName::Game, 1000, &CardsSettings::Game, 1000},
        {SettingName::Game, QStringLiteral("ten"), &CardsSettings::Game, 10},
        {SettingName::MaxLog, 0, &CardsSettings::MaxLog, 2000},
        {SettingName::MaxLog, -5, &CardsSettings::MaxLog, 2000},
        {SettingName::MaxLog, 10001, &CardsSettings::MaxLog, 2000},
        {SettingName::MaxLog, 1, &CardsSettings::MaxLog, 1},
        {SettingName::MaxLog, 10000, &CardsSettings::MaxLog, 10000},
        {SettingName::StatShow, 5, &CardsSettings::StatShow, 1},
        {SettingName::StatShow, 4, &CardsSettings::StatShow, 4},
        {SettingName::CardMovement, 3, &CardsSettings::CardMovement, 2},
        {SettingName::CollectStatistics, 3, &CardsSettings::CollectStatistics, 3},
        {SettingName::CollectStatistics, 4, &CardsSettings::CollectStatistics, 1},
        {SettingName::HistoryFiltering, -1, &CardsSettings::HistoryFiltering, 0},
        {SettingName::DragSteps, 0, &CardsSettings::DragSteps, 5},
        {SettingName::ClickSteps, 7, &CardsSettings::ClickSteps, 7},
        {SettingName::Back, 14, &CardsSettings::Back, 100},
        {SettingName::Back, 13, &CardsSettings::Back, 13},
        {SettingName::BoardColor, QStringLiteral("4294967295"), &CardsSettings::BoardColor, -1},
        {SettingName::BoardColor, QStringLiteral("0x00FF"), &CardsSettings::BoardColor, 0x8000},
        {SettingName::Pattern_Type, 3, &CardsSettings::Pattern_Type, 1},
    };
    for (const auto &entry : cases) {
        store(entry.name, entry.stored);
        EXPECT_EQ(loaded().Cards.*entry.member, entry.expected) << entry.name << " " << entry.stored.toString().toStdString();
    }
}

TEST_F(SettingsFixture, BooleansReadNumbersAndWordsElseTheDefault)
{
    const struct {
        QVariant stored;
        bool expected;
    } cases[] = {{0, false}, {1, true}, {7, true}, {QStringLiteral("false"), false},
                 {QStringLiteral("TRUE"), true}, {QStringLiteral("maybe"), true}, {QString(), true}};
    for (const auto &entry : cases) {
        store(SettingName::ShowStuckMessage, entry.stored);
        EXPECT_EQ(loaded().Cards.ShowStuckMessage, entry.expected) << entry.stored.toString().toStdString();
    }
}

TEST_F(SettingsFixture, ACustomBackWithoutItsPictureFallsBackToBackOne)
{
    store(SettingName::Back, 100);
    store(SettingName::CustBackFile, QString());
    EXPECT_EQ(loaded().Cards.Back, 1);
}

TEST_F(SettingsFixture, TheBackgroundKindClearsTheOtherBackgroundValue)
{
    store(SettingName::Pattern_Name, QStringLiteral("Wood1"));
    store(SettingName::Pattern_File, QStringLiteral("/pictures/sea.jpg"));
    store(SettingName::Pattern_Type, 1);
    Settings texture = loaded();
    EXPECT_EQ(texture.Cards.Pattern_Name, QStringLiteral("Wood1"));
    EXPECT_EQ(texture.Cards.Pattern_File, QString());
    store(SettingName::Pattern_File, QStringLiteral("/pictures/sea.jpg"));
    store(SettingName::Pattern_Type, 2);
    Settings picture = loaded();
    EXPECT_EQ(picture.Cards.Pattern_Name, QString());
    EXPECT_EQ(picture.Cards.Pattern_File, QStringLiteral("/pictures/sea.jpg"));
}

TEST_F(SettingsFixture, SavedValuesReadBackUnderTheirExactNames)
{
    Settings settings = loaded();
    settings.Cards.Game = 221;
    settings.Cards.BuildingTips = false;
    settings.Cards.ResetToDefualtBack = true;
    settings.Cards.tbconf = QStringLiteral("09,,13");
    settings.Cards.Saved_Solitaire = QStringLiteral("/home/p/My Game, second.qel");
    settings.Cards.BoardColor = 0x00FF8040;
    settings.save();

    const QSettings file = ini();
    EXPECT_EQ(file.value(QStringLiteral("Cards/Building Tips")).toInt(), 0);
    EXPECT_EQ(file.value(QStringLiteral("Cards/ResetToDefualtBack")).toInt(), 1);
    EXPECT_EQ(file.value(QStringLiteral("Cards/Version")).toString(), QStringLiteral("1.7.1"));
    EXPECT_TRUE(file.contains(QStringLiteral("Cards/Large Buttons")));

    const Settings again = loaded();
    CardsSettings expected = settings.Cards;
    expected.u = settings.Cards.u + 1;
    expected.Version = QStringLiteral("1.7.1");
    EXPECT_EQ(again.Cards, expected);
}

TEST_F(SettingsFixture, AHandEditedListValueIsJoinedAgain)
{
    const QString path = folders.locations().settingsFile();
    QDir().mkpath(QFileInfo(path).absolutePath());
    writeFile(path, QByteArray("[Cards]\ntbconf=09,01,13\n"));
    EXPECT_EQ(loaded().Cards.tbconf, QStringLiteral("09,01,13"));
}

TEST_F(SettingsFixture, ResetKeepsOnlyTheRunCounter)
{
    store(SettingName::u, 17);
    store(SettingName::Game, 32);
    store(SettingName::Players, 3, SettingSection::Players);
    store("Visible", 1, SettingSection::Toolbar2);
    {
        QSettings file = ini();
        file.setValue(QStringLiteral("GameOptions"), QByteArray(5010, '\1'));
    }
    Settings::reset(folders.locations().settingsFile());
    const QSettings file = ini();
    EXPECT_EQ(file.allKeys(), QStringList{QStringLiteral("Cards/u")});
    EXPECT_EQ(file.value(QStringLiteral("Cards/u")).toInt(), 17);
}

TEST_F(SettingsFixture, LegacyPlayerNamesComeFromThePlayersSection)
{
    store(SettingName::Players, 2, SettingSection::Players);
    store(SettingName::Active_Player, 1, SettingSection::Players);
    store("U1", QStringLiteral("Ursula"), SettingSection::Players);
    store(SettingName::PEmail, QStringLiteral("u@example.org"));
    const LegacyPlayerSettings legacy = loaded().legacyPlayers();
    EXPECT_EQ(legacy.playerCount, 2);
    EXPECT_EQ(legacy.activePlayer, 1);
    EXPECT_EQ(legacy.names, (QStringList{QStringLiteral("Ursula"), QStringLiteral("Default")}));
    EXPECT_EQ(legacy.details, (QStringList{QString(), QString(), QStringLiteral("u@example.org")}));
}
