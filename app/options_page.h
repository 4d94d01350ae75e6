#pragma once

#include <QList>
#include <array>
#include <QString>
#include <QWidget>
#include <functional>
#include <utility>

#include "look/card_sets.h"

struct CardsSettings;

// What the options dialog needs from the window besides the settings: display facts, the
// folders of pictures, the card sets, the games, and the commands some pages run at once.
struct OptionsContext {
    int ColourDepth = 32;
    QString ProgramFolder;          // "Backgrounds" and the texture package
    QString CustomBackgroundFolder; // the player's own backgrounds
    QString BuiltInBackFolder;
    QString CustomBackFolder;
    CardSetEnvironment Environment; // for drawing the card-set preview
    QList<CardSetInfo> Sets;        // the sets beside the default set
    std::array<bool, 3> DefaultSizes{false, true, false}; // the sizes the default set offers
    bool ShowNextMoveOnToolbar = false;
    QList<std::pair<int, QString>> Games; // every game a player can choose, by id and name
    QList<int> Favorites;
    bool DesktopIcon = false;
    bool StartMenuIcon = false;

    // Message boxes, caption "Tarnwick".
    std::function<void(const QString &text)> Inform;
    std::function<bool(const QString &text)> AskYesNo;
    // The picture file dialog, in a folder; empty when cancelled.
    std::function<QString(const QString &folder)> ChoosePicture;
    // The name dialog of a new background: returns the name, or nothing when cancelled;
    // accept(name) answers whether the dialog may close.
    std::function<bool(const QString &proposed, const std::function<bool(const QString &name)> &accept)> AskName;
    // The card back maker over a picture; the file saved, empty when cancelled.
    std::function<QString(const QString &pictureFile)> MakeCardBack;
    std::function<void()> CustomizeToolbar;
    std::function<void()> ClearStatistics;
    std::function<void(bool on)> SetAutoplayForAll;
    std::function<void()> ClearRecentGames;
};

// One page of the options dialog: filled from the settings, read back into them.
class OptionsPage : public QWidget {
public:
    using QWidget::QWidget;
    virtual void Fill(const CardsSettings &settings) = 0;
    virtual void Read(CardsSettings &settings) const = 0;
};
