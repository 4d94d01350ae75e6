#pragma once

#include "store/game_stats.h"
#include "store/game_window_records.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <vector>

// A player's custom game variant as custgame.dat keeps it (92 bytes). The rule fields use
// the codes of the rules record: a building rule is a direction part plus a method.
struct CustomGameRecord {
    static constexpr int Size = 92;
    static constexpr int NameLength = 29;
    static constexpr int GroupsLength = 8;

    qint32 BaseGameId = 1;
    QString Name;
    GameWindowRecord Window; // the five values of a window record, kept for the variant
    qint32 Redeals = -1;     // -1 none, 1..8, -2 unlimited
    qint32 StockDeal = 1;    // 1 or 3
    qint32 TableauRule = 0;
    qint32 EmptyTableau = 0;   // 0 nothing, 1 any card or sequence, 2 the rank next to the base
    qint32 GroupMove = 8;      // 8 single cards, 9 any group, 0..4 a group built by that method
    qint32 FoundationRule = 0; // direction part 128: the base game fixes the direction
    QString Groups;            // group membership letters

    bool operator==(const CustomGameRecord &) const = default;
};

// A player's statistics for one variant (352 bytes in custstat.dat).
struct CustomStatsRecord {
    static constexpr int Size = 352;

    QString VariantName;
    QString PlayerName;
    GameStats Stats;

    bool operator==(const CustomStatsRecord &) const = default;
};

// Whether each stored value is one the rules can use; a record that fails is not loaded.
// The built-in ids are 0..builtInCount - 1.
bool UsableCustomRecord(const CustomGameRecord &record, int builtInCount = 410);

QByteArray encodeCustomGameRecord(const CustomGameRecord &record);
CustomGameRecord decodeCustomGameRecord(QByteArrayView bytes);
QByteArray encodeCustomStatsRecord(const CustomStatsRecord &record);
CustomStatsRecord decodeCustomStatsRecord(QByteArrayView bytes);

// The frame shared by custgame.dat and custstat.dat: int32 10 and 2, each record between
// int32 21 and 31, then int32 99.
struct FramedRecords {
    bool headMatched = false;
    bool whole = false; // the frame ended with its tail and nothing was left out
    std::vector<QByteArray> records;
};
// At most maxRecords are taken; reading stops at the first record that is not framed.
FramedRecords decodeFramedRecords(QByteArrayView bytes, int recordSize, int maxRecords);
QByteArray encodeFramedRecords(const std::vector<QByteArray> &records);

// `TCustomGamesList`: the player's variants in id order (id 1000 + index) and the statistics
// records of every player for every variant, in file order.
class TCustomGamesList {
public:
    static constexpr int Capacity = 800;
    static constexpr char MissingGame[] = "Customized game does not exist";
    static constexpr char ListFull[] =
        "No more customized games can be created. Please delete one of them first.";

    int count() const { return int(games_.size()); }
    // Appends a copy; false when the list already holds Capacity variants.
    bool add(const CustomGameRecord &record);
    // A copy of a variant; throws std::out_of_range (MissingGame) past the end.
    CustomGameRecord get(int index) const;
    CustomGameRecord *at(int index);
    const CustomGameRecord *at(int index) const;
    int indexOf(const QString &name) const;
    // Removes the variant and its statistics records; false when there is no such variant.
    bool remove(const QString &name);

    // custgame.dat. Loading replaces the list; it reports whether the head matched. Records
    // that the rules cannot use, nameless ones and repeated names are left out.
    bool loadVariants(const QString &path);
    void decodeVariants(QByteArrayView bytes);
    QByteArray encodeVariants() const;
    // Atomic; a file that did not load whole is first kept aside as ".bad". Throws FileError.
    void saveVariants(const QString &path);

    // custstat.dat, after the variants: a record is kept when its player is in the list and
    // its variant exists. Then every player gets a record for every variant.
    void loadStatistics(const QString &path, const QStringList &players, double today);
    void decodeStatistics(QByteArrayView bytes, const QStringList &players, double today);
    QByteArray encodeStatistics() const;
    void saveStatistics(const QString &path);

    const std::vector<CustomStatsRecord> &statistics() const { return stats_; }
    void addStatisticsForVariant(const QString &variant, const QStringList &players, double today);
    void addStatisticsForPlayer(const QString &player, double today);
    // The record of a player for a variant, created (counters 0, today's date) when missing.
    GameStats &findStatistics(const QString &variant, const QString &player, double today);
    void renamePlayer(const QString &oldName, const QString &newName);
    void deletePlayerStatistics(const QString &player);
    void deleteVariantStatistics(const QString &variant);

private:
    std::vector<CustomGameRecord> games_;
    std::vector<CustomStatsRecord> stats_;
    bool keepVariantsAside_ = false;
    bool keepStatisticsAside_ = false;
};
