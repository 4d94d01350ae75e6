#pragma once

#include "engine/card_pictures.h"

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class CardSetPackage;
class DeckRenderings;
struct DesktopDeck;

// What card-set loading needs from outside: folders, display facts, the information box
// and a source of random choices (never the game's seeded generator).
struct CardSetEnvironment {
    QString ProgramFolder;  // holds "sdeck.dll", "cdeck<N>.dll" and "Decks"
    QString UserFolder;     // the per-user data folder; empty when there is none
    int ColourDepth = 32;   // bits per pixel of the display
    qreal DevicePixelRatio = 1.0;
    std::function<void(const QString &)> Inform;  // information box, caption "Tarnwick"
    std::function<int(int)> RandomIndex;          // uniform in 0..count-1
    // Where the desktop's card decks are looked for; empty for the system's data folders.
    QStringList DeckFolders;
};

// One installed card-set package as the set list shows it.
struct CardSetInfo {
    int Number = 0;
    QString FileName;
    QString Name;
    QStringList Description; // strings 6718, 6722 and 6719, where present
    int Depth = 24;
    std::array<bool, 3> Sizes{};
};

// Fills the picture table from the program's own pictures or a card-set package, in one of
// three sizes, with the fallbacks that keep a complete set on the table; and makes the
// picture back from a JPEG or BMP file. Every loaded set also brings the foundation-mark
// pictures at its card size, and its marks as pictures with alpha.
class CardSets {
public:
    static constexpr int PictureBack = 100;
    static const QString ColourDepthMessage;

    CardSets(CardPictures &table, CardSetEnvironment environment);
    ~CardSets();

    // Loads set newSet at size index newSize unless both are already loaded. A missing or
    // unusable set gives the default set at normal size. Returns whether anything was loaded.
    // With exactCard given the cards are made at that size instead of the size index's own:
    // the default set is drawn at it, other sets are stretched to it from their pictures.
    bool LoadSet(int newSet, int newSize, QSize exactCard = QSize());
    // One size step up (+1) or down (-1) when the current set offers it (the default set
    // always tries); true when something was loaded.
    bool StepSize(int direction);

    // The card size the pictures follow, empty for the size index's own.
    QSize ExactCard() const { return exactCard; }
    int CardDeck() const { return set; }
    const CardSetEnvironment &Environment() const { return environment; }
    int CardSize() const { return size; }
    bool Offers(int sizeIndex) const;
    std::array<bool, 3> OfferedSizes() const;
    std::array<bool, 3> DefaultOfferedSizes() const;
    bool CarriesSetBack() const { return carriesSetBack; }
    bool LastLoadChangedSet() const { return setChanged; }
    int HorizontalScale() const { return horizontalScale; }
    int VerticalScale() const { return verticalScale; }

    // Back follows set: back 13 goes on every card after a set change when the player asked
    // for it, the new set carries its own back and the program has finished starting.
    static bool BackFollowsSet(bool setChanged, bool resetToDefaultBack, bool setCarriesBack, int currentBack,
                               bool startupFinished);

    // Makes the picture back (back number 100) from a file; false, and no picture back, when
    // the file is missing, damaged or a JPEG without its end marker.
    bool SetPictureBack(const QString &file, bool hideBorder);
    void ClearPictureBack();
    QString PictureBackFile() const { return pictureBackFile; }

    // At a new game: another set, chosen at random among those that offer the current size
    // (true when it differs and was loaded); another picture back chosen at random among the
    // files of the back folders (the file, or empty when none could be used).
    bool ChooseRandomSet();
    QString ChooseRandomBack(bool hideBorder);

    QString BuiltInBackFolder() const;
    QString CustomBackFolder() const;
    // The packages "cdeck<N>.dll" of the program folder whose number and name can be read.
    QList<CardSetInfo> InstalledSets() const;
    // The desktop's card decks, numbered from DesktopDecks::FirstNumber on, in every size.
    QList<CardSetInfo> DesktopSets() const;

    // With this set, a desktop deck not yet drawn at the asked size is drawn on a worker while
    // the table shows a first look (the deck at another size, or the default set); it is
    // called when the drawing is ready, and loading the same set again then shows it.
    // Without it the deck is drawn at once.
    std::function<void()> DeckRendered;
    // A desktop deck is being drawn for the table.
    bool DrawingDeck() const;
    static std::optional<CardSetInfo> ReadSetInfo(const QString &path);

private:
    bool loadProgramSet(CardPictures &fresh, QSize card);
    void stretchTo(CardPictures &fresh, QSize card) const;
    bool loadPackage(CardPictures &fresh, const QString &path);
    void finishLoad(CardPictures &fresh);
    QString packagePath(int number) const;
    const QList<DesktopDeck> &desktopDecks() const;
    bool loadDesktopDeck(CardPictures &fresh, const DesktopDeck &deck, QSize card);

    CardPictures &table;
    CardSetEnvironment environment;
    int set = 0;
    int size = 1;
    bool loaded = false;
    bool programArt = false; // the loaded faces and backs are our own art, drawn on demand
    bool setChanged = false;
    bool carriesSetBack = true;
    std::array<bool, 3> offers{false, true, false};
    bool offersAsDefaultSet = false; // the default set's offers stand for the loaded set's
    // What sdeck.dll offers, read once on first need: reading the package costs a 4 MB read
    // that start-up does not need while the cards follow the window.
    mutable std::optional<std::array<bool, 3>> defaultOffers;
    QSize exactCard;
    int horizontalScale = 1;
    int verticalScale = 1;
    QString pictureBackFile;
    bool pictureBackHidesBorder = false;
    bool firstLook = false; // the table shows a stand-in while the deck is drawn
    mutable std::unique_ptr<QList<DesktopDeck>> decks; // found when first needed
    std::unique_ptr<DeckRenderings> renderings;
};
