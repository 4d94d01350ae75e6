#pragma once

#include "store/game_stats.h"

#include <QByteArray>
#include <QRect>
#include <QSize>
#include <array>
#include <optional>

class Settings;

// `GameWindowRecord`: where a game's window was and whether its automatic moves are off.
// Height and Width are stored divided by the card scale factors.
struct GameWindowRecord {
    static constexpr int Size = 10;

    qint16 Top = 4;
    qint16 Left = 4;
    qint16 Height = 0;
    qint16 Width = 0;
    qint16 AutoplayOff = 0; // 0: automatic moves on

    bool autoplayOn() const { return AutoplayOff == 0; }
    bool operator==(const GameWindowRecord &) const = default;
};

// The card size relative to the standard 71 x 96 card, each a whole number of at least 1.
struct CardScaleFactors {
    int horizontal = 1;
    int vertical = 1;
};

// Where a game's window goes when its record is applied.
struct WindowPlacement {
    std::optional<QPoint> topLeft; // only when the position is restored per game
    QSize size;
};

// The 501 records of game ids 0 to 500, kept in goptions.dat.
class GameWindowRecords {
public:
    static constexpr qint64 FileSize = 5014;

    explicit GameWindowRecords(QRect workArea = QRect());

    GameWindowRecord defaultRecord() const;
    // Null for ids without a record (custom variants keep theirs in their definition).
    GameWindowRecord *record(int gameId);
    const GameWindowRecord *record(int gameId) const;

    // Start: every record to the default, then the oldest settings value "Game_Options",
    // else goptions.dat, else the settings value "GameOptions". Never throws.
    void load(const QString &goptionsPath, const Settings &settings);
    // Rewrites goptions.dat whole. Throws FileError.
    void save(const QString &goptionsPath) const;

    // goptions.dat: a 4-byte mark (not checked), then the 501 records; records with a Height
    // or Width of 0 take the default. Throws DamagedData when the file is too short.
    void decodeFile(QByteArrayView bytes);
    QByteArray encodeFile() const;

    // The window a record asks for: the smaller of the work area and the stored size times
    // the scale factors, and the stored position when restorePosition is on.
    WindowPlacement placement(const GameWindowRecord &record, CardScaleFactors factors, bool restorePosition) const;
    // Stores the window's geometry (unless it is maximised) and the autoplay choice.
    static void storePlacement(GameWindowRecord &record, QRect geometry, CardScaleFactors factors, bool maximised,
                               bool autoplayOn);

private:
    // Reads count records from bytes into ids 0 to count - 1.
    void decodeRecords(QByteArrayView bytes, int count);

    QRect workArea_;
    std::array<GameWindowRecord, RecordedGameIds> records_;
};
