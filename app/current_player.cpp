// The main window's current player as the game selection dialog's player box sees it:
// choosing there makes the player current for the results and the status bar alike.
#include "app/Mainform.h"

#include "app/program_session.h"

QStringList TMain_F::PlayerNames() const
{
    return program.Data().statistics.Players.names();
}

int TMain_F::CurrentPlayer() const
{
    return program.Data().statistics.Players.currentIndex();
}

void TMain_F::ChoosePlayer(int index)
{
    PlayerList &players = program.Data().statistics.Players;
    if (index < 0 || index >= players.count())
        return;
    players.setCurrentIndex(index);
    showPlayer();
}
