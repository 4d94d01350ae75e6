#include "store/settings.h"

#include "store/binary_stream.h"
#include "store/display_info.h"
#include "store/store_locations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <limits>

namespace {

constexpr int Unbounded = std::numeric_limits<int>::max();

struct IntegerValue {
    const char *name;
    int CardsSettings::*member;
    int minimum; // values outside minimum..maximum take the default
    int maximum;
};

struct BooleanValue {
    const char *name;
    bool CardsSettings::*member;
};

struct StringValue {
    const char *name;
    QString CardsSettings::*member;
};

using S = CardsSettings;
namespace N = SettingName;

// "u", "Version" and "Game" have rules of their own and are not in these tables.
const IntegerValue IntegerValues[] = {
    {N::Group, &S::Group, 0, Unbounded},
    {N::Tip, &S::Tip, std::numeric_limits<int>::min(), Unbounded},
    {N::HelpWidth, &S::HelpWidth, 0, Unbounded},
    {N::HelpHeight, &S::HelpHeight, 0, Unbounded},
    {N::Back, &S::Back, 1, 100},
    {N::ShadowStyle, &S::ShadowStyle, 0, 2},
    {N::FittingMethod, &S::FittingMethod, 0, 1},
    {N::UndoOption, &S::UndoOption, 0, 2},
    {N::HiPeriod, &S::HiPeriod, 0, 2},
    {N::BoardColor, &S::BoardColor, std::numeric_limits<int>::min(), Unbounded},
    {N::Pattern_Type, &S::Pattern_Type, 0, 2},
    {N::Direction, &S::Direction, 0, 1},
    {N::CardSize, &S::CardSize, 0, 2},
    {N::CardDeck, &S::CardDeck, 0, Unbounded},
    {N::CustBackStyle, &S::CustBackStyle, 0, 1},
    {N::ClickSteps, &S::ClickSteps, 1, 7},
    {N::DragSteps, &S::DragSteps, 1, 7},
    {N::MaxLog, &S::MaxLog, 1, 10000}, // the options dialog's range
    {N::HiScoresPage, &S::HiScoresPage, 0, 1},
    {N::HiScoresKind, &S::HiScoresKind, 0, 3},
    {N::StatPeriod, &S::StatPeriod, 0, 2},
    {N::StatShow, &S::StatShow, 0, 4},
    {N::CardMovement, &S::CardMovement, 0, 2},
    {N::CollectStatistics, &S::CollectStatistics, 0, 3},
    {N::Filter, &S::Filter, 0, 21}, // 20 and 21: the last 30 and 7 days
    {N::LastGamesAmount, &S::LastGamesAmount, 1, 5000},
    {N::HistoryFiltering, &S::HistoryFiltering, 0, 5},
};

// "Highlight" and "MenuXP" are handled apart (not read on 8-bit displays).
const BooleanValue BooleanValues[] = {
    {N::RunMaximized, &S::RunMaximized},
    {N::Warnings, &S::Warnings},
    {N::SpreadCards, &S::SpreadCards},
    {N::ScrollBars, &S::ScrollBars},
    {N::AutoCardSizing, &S::AutoCardSizing},
    {N::ScaleCards, &S::ScaleCards},
    {N::TipShowAtStartup, &S::TipShowAtStartup},
    {N::OldTBStyle, &S::OldTBStyle},
    {N::Fade, &S::Fade},
    {N::RightClick, &S::RightClick},
    {N::RandomBackground, &S::RandomBackground},
    {N::RandomCardBack, &S::RandomCardBack},
    {N::RandomCardSet, &S::RandomCardSet},
    {N::MenuIcons, &S::MenuIcons},
    {N::Play_Card_Move, &S::Play_Card_Move},
    {N::Play_Deck_Over, &S::Play_Deck_Over},
    {N::Play_Card_Drag, &S::Play_Card_Drag},
    {N::BuildingTips, &S::BuildingTips},
    {N::Play_Win_G, &S::Play_Win_G},
    {N::PlayShuffle, &S::PlayShuffle},
    {N::Tray, &S::Tray},
    {N::ShowStuckMessage, &S::ShowStuckMessage},
    {N::Show_Empty, &S::Show_Empty},
    {N::Save_On_Exit, &S::Save_On_Exit},
    {N::ShowStatusIndicator, &S::ShowStatusIndicator},
    {N::WinnableOnly, &S::WinnableOnly},
    {N::Timer, &S::Timer},
    {N::SaveWindowPosition, &S::SaveWindowPosition},
    {N::ResetToDefualtBack, &S::ResetToDefualtBack},
    {N::DW, &S::DW},
    {N::EW, &S::EW},
    {N::DemoMEW, &S::DemoMEW},
    {N::Show_Finished, &S::Show_Finished},
    {N::ShadowEnabled, &S::ShadowEnabled},
    {N::FlipEnabled, &S::FlipEnabled},
    {N::Minimize_On_ESC, &S::Minimize_On_ESC},
    {N::Confirm_On_Exit, &S::Confirm_On_Exit},
    {N::Confirm_On_Delete_Game, &S::Confirm_On_Delete_Game},
    {N::Confirm_New_Game, &S::Confirm_New_Game},
    {N::StatusBar, &S::StatusBar},
    {N::ToolBar, &S::ToolBar},
    {N::LargeButtons, &S::LargeButtons},
    {N::FlatButtons, &S::FlatButtons},
    {N::ShowHints, &S::ShowHints},
    {N::TrendCurve, &S::TrendCurve},
    {N::HistoryAverage, &S::HistoryAverage},
    {N::ScoreValues, &S::ScoreValues},
    {N::View3D, &S::View3D},
};

const StringValue StringValues[] = {
    {N::DeckPicture, &S::DeckPicture},
    {N::BackgroundPicture, &S::BackgroundPicture},
    {N::Pattern_Name, &S::Pattern_Name},
    {N::Pattern_File, &S::Pattern_File},
    {N::CustBackFile, &S::CustBackFile},
    {N::Saved_Solitaire, &S::Saved_Solitaire},
    {N::tbconf, &S::tbconf},
};

QString key(const char *section, const char *name)
{
    return QString::fromLatin1(section) + u'/' + QString::fromLatin1(name);
}

QString cardsKey(const char *name)
{
    return key(SettingSection::Cards, name);
}

// Integers are stored as DWORDs: any 32-bit value, signed or not. Text that does not convert
// gives the default.
int readInteger(const QSettings &store, const QString &name, int fallback)
{
    const QVariant value = store.value(name);
    if (!value.isValid())
        return fallback;
    bool converted = false;
    const qlonglong number = value.toString().trimmed().toLongLong(&converted);
    if (!converted || number < std::numeric_limits<qint32>::min() || number > std::numeric_limits<quint32>::max())
        return fallback;
    return qint32(quint32(number));
}

bool readBoolean(const QSettings &store, const QString &name, bool fallback)
{
    const QVariant value = store.value(name);
    if (!value.isValid())
        return fallback;
    const QString text = value.toString().trimmed();
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    bool converted = false;
    const qlonglong number = text.toLongLong(&converted);
    return converted ? number != 0 : fallback;
}

// A hand-edited value with commas reads back as a list; it is joined again.
QString readString(const QSettings &store, const QString &name, const QString &fallback)
{
    const QVariant value = store.value(name);
    if (!value.isValid())
        return fallback;
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u',');
    return value.toString();
}

bool isBuiltInOrCustomGameId(int gameId)
{
    return (gameId >= 0 && gameId <= 409) || gameId >= 1000;
}

} // namespace

CardsSettings CardsSettings::defaults(const DisplayInfo &display, const StoreLocations &locations)
{
    const bool paletteDisplay = display.colourDepth() < 9;
    const int screenWidth = display.screenSize().width();
    QString pictureFolder = locations.documentsFolder;
    if (pictureFolder.isEmpty())
        pictureFolder = QDir(locations.programFolder).absolutePath() + u'/';

    CardsSettings settings;
    settings.Back = paletteDisplay ? 1 : 100;
    settings.ShadowStyle = paletteDisplay ? 2 : 0;
    settings.DeckPicture = pictureFolder;
    settings.BackgroundPicture = pictureFolder;
    settings.Pattern_Type = paletteDisplay ? 0 : 1;
    settings.Fade = !paletteDisplay;
    settings.CardSize = screenWidth < 901 ? 1 : 2;
    settings.CustBackFile =
        paletteDisplay ? QString() : QDir(locations.programFolder).filePath(QStringLiteral("Decks/books.jpg"));
    settings.LargeButtons = screenWidth > 900;
    // The flat menu style followed an old system version; this platform has none.
    settings.MenuXP = false;
    return settings;
}

Settings::Settings(const StoreLocations &locations, const DisplayInfo &display)
    : path_(locations.settingsFile()), display_(display), defaults_(CardsSettings::defaults(display, locations))
{
    Cards = defaults_;
}

void Settings::load()
{
    QSettings store(path_, QSettings::IniFormat);
    const bool paletteDisplay = display_.colourDepth() < 9;
    Cards = defaults_;

    const int previousRun = readInteger(store, cardsKey(N::u), 0);
    Cards.u = previousRun == std::numeric_limits<int>::max() ? previousRun : previousRun + 1;
    store.setValue(cardsKey(N::u), Cards.u);
    store.sync();

    Cards.Version = readString(store, cardsKey(N::Version), defaults_.Version);
    Cards.Game = readInteger(store, cardsKey(N::Game), defaults_.Game);
    if (!isBuiltInOrCustomGameId(Cards.Game))
        Cards.Game = 1;

    for (const IntegerValue &value : IntegerValues) {
        const int number = readInteger(store, cardsKey(value.name), defaults_.*value.member);
        Cards.*value.member = number >= value.minimum && number <= value.maximum ? number : defaults_.*value.member;
    }
    for (const BooleanValue &value : BooleanValues)
        Cards.*value.member = readBoolean(store, cardsKey(value.name), defaults_.*value.member);
    for (const StringValue &value : StringValues)
        Cards.*value.member = readString(store, cardsKey(value.name), defaults_.*value.member);
    if (!paletteDisplay) {
        Cards.Highlight = readBoolean(store, cardsKey(N::Highlight), defaults_.Highlight);
        Cards.MenuXP = readBoolean(store, cardsKey(N::MenuXP), defaults_.MenuXP);
    }

    if (Cards.Back > 13 && Cards.Back != 100)
        Cards.Back = defaults_.Back;
    if (Cards.Back == 100 && Cards.CustBackFile.isEmpty())
        Cards.Back = 1;
    if (paletteDisplay)
        Cards.ShadowStyle = 2;
    // A texture needs no picture file and a picture file no texture.
    if (Cards.Pattern_Type == 1)
        Cards.Pattern_File.clear();
    else if (Cards.Pattern_Type == 2)
        Cards.Pattern_Name.clear();

    Players.Players = readInteger(store, key(SettingSection::Players, N::Players), 0);
    Players.Customs = readInteger(store, key(SettingSection::Players, N::Customs), 0);
    Players.Active_Player = readInteger(store, key(SettingSection::Players, N::Active_Player), 0);
}

void Settings::save() const
{
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QSettings store(path_, QSettings::IniFormat);
    store.setValue(cardsKey(N::u), Cards.u);
    store.setValue(cardsKey(N::Version), QString::fromLatin1(WrittenVersion));
    store.setValue(cardsKey(N::Game), Cards.Game);
    for (const IntegerValue &value : IntegerValues)
        store.setValue(cardsKey(value.name), Cards.*value.member);
    for (const BooleanValue &value : BooleanValues)
        store.setValue(cardsKey(value.name), int(Cards.*value.member));
    for (const StringValue &value : StringValues)
        store.setValue(cardsKey(value.name), Cards.*value.member);
    store.setValue(cardsKey(N::Highlight), int(Cards.Highlight));
    store.setValue(cardsKey(N::MenuXP), int(Cards.MenuXP));
    store.sync();
    if (store.status() != QSettings::NoError) {
        // QSettings does not say why; opening the file for writing does.
        QFile file(path_);
        const QString reason = file.open(QIODevice::Append) ? QStringLiteral("the file could not be written")
                                                             : file.errorString();
        throw FileError("cannot write " + path_.toStdString(), reason.toStdString());
    }
}

LegacyPlayerSettings Settings::legacyPlayers() const
{
    QSettings store(path_, QSettings::IniFormat);
    LegacyPlayerSettings legacy;
    legacy.playerCount = Players.Players;
    legacy.activePlayer = Players.Active_Player;
    const int names = std::clamp(Players.Players, 0, MaxPlayers);
    for (int index = 1; index <= names; ++index)
        legacy.names.append(readString(store, key(SettingSection::Players, N::PlayerNamePrefix) + QString::number(index),
                                       QStringLiteral("Default")));
    for (const char *name : {N::PName, N::PCountry, N::PEmail})
        legacy.details.append(readString(store, cardsKey(name), QString()));
    return legacy;
}

QStringList Settings::legacyGroupNames() const
{
    QSettings store(path_, QSettings::IniFormat);
    QStringList names;
    const int count = std::clamp(Players.Customs, 0, 1000);
    for (int index = 1; index <= count; ++index)
        names.append(readString(store, key(SettingSection::Players, N::GroupNamePrefix) + QString::number(index), QString()));
    return names;
}

std::optional<QByteArray> Settings::takeBinaryValue(const char *name) const
{
    QSettings store(path_, QSettings::IniFormat);
    const QString valueName = QString::fromLatin1(name);
    if (!store.contains(valueName))
        return std::nullopt;
    const QVariant value = store.value(valueName);
    store.remove(valueName);
    store.sync();
    return value.toByteArray();
}

void Settings::reset(const QString &path)
{
    QSettings store(path, QSettings::IniFormat);
    const QVariant run = store.value(cardsKey(N::u));
    store.remove(QString::fromLatin1(N::GameOptions));
    for (const char *section : {SettingSection::Toolbar2, SettingSection::Cards, SettingSection::Data,
                                SettingSection::DemoToolbar, SettingSection::Players})
        store.remove(QString::fromLatin1(section));
    if (run.isValid())
        store.setValue(cardsKey(N::u), run);
    store.sync();
}
