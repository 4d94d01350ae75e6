// The solver in play, as the main window holds it: the game status indicator follows
// every change of position, the demonstration plays from the Play menu, and New Game asks
// for winnable deals when the player wants only those.
#include "app/Mainform.h"

#include "app/demo_mode.h"
#include "app/game_session.h"
#include "app/status_indicator.h"
#include "app/winnable_deals.h"

void TMain_F::createSolverAids()
{
    statusIndicator = std::make_unique<GameStatusIndicator>(*this);
    demo = std::make_unique<DemoMode>(*this, *statusIndicator);
    winnableDeals = std::make_unique<WinnableDeals>(*this);
    session->ChooseGameNumber = [this](quint32 drawn) { return winnableDeals->Choose(drawn); };
    statusIndicator->PositionChanged();
}

void TMain_F::stopSolverAids()
{
    if (demo)
        demo->Exit();
    if (statusIndicator)
        statusIndicator->Stop();
}

void TMain_F::solverPositionChanged()
{
    if (statusIndicator)
        statusIndicator->PositionChanged();
}

void TMain_F::solverGameChanged()
{
    if (!statusIndicator)
        return;
    statusIndicator->PositionChanged();
    demo->GameChanged();
}

void TMain_F::RunDemo1Click()
{
    demo->Run();
}
