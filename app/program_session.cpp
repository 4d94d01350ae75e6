#include "app/program_session.h"

ProgramSession::ProgramSession(const StoreLocations &locations, const DisplayInfo &display)
    : display(display.colourDepth(), display.screenSize(), display.workArea()), data(locations, this->display, clock)
{
}
