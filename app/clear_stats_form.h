#pragma once

#include "app/statistics_context.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QListWidget;
class QRadioButton;

// `TCStatF`, "Clear statistics": clears a player's statistics of the chosen games or of all
// games, with their log records if asked.
class TCStatF : public QDialog {
    Q_OBJECT
public:
    TCStatF(StatisticsContext &context, int playerIndex, QWidget *parent = nullptr);

    QComboBox *PlayerBox = nullptr;
    QListWidget *Games = nullptr;
    QRadioButton *SelectedGames = nullptr, *AllGames = nullptr;
    QCheckBox *ClearLog = nullptr;

    // "&OK": asks, then clears; No keeps the dialog open.
    void OkClick();

private:
    StatisticsContext &context;
};
