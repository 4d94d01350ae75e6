#pragma once

#include "app/statistics_context.h"
#include "store/log_listing.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// `TDLog`, "Log": the chosen player's finished games, newest first, with their comments.
class TDLog : public QDialog {
    Q_OBJECT
public:
    TDLog(StatisticsContext &context, int playerIndex, QWidget *parent = nullptr);

    QComboBox *PlayerBox = nullptr;
    QComboBox *FilterBox = nullptr;
    QTableWidget *Records = nullptr;
    QLineEdit *CommentEdit = nullptr;
    QLabel *DamagedNote = nullptr;
    QPushButton *ReplayButton = nullptr, *HistoryButton = nullptr, *CloseButton = nullptr;

    // Opened from the statistics window, the caption names the player.
    bool NamePlayerInCaption = false;

    const LogListing &Listing() const { return listing; }
    const StatisticsOutcome &Outcome() const { return outcome; }

    void Fill();
    void SortBy(LogColumn column);
    // "&Replay the game": the selected record's game and shuffle, dealt by the caller.
    void ReplayClick();

protected:
    void done(int result) override;

private:
    void showRecords();
    void storeComment();
    const LoggedGame *selectedGame() const;

    StatisticsContext &context;
    LogListing listing;
    StatSorting sorting; // the same click rule as the statistics window
    StatisticsOutcome outcome;
};
