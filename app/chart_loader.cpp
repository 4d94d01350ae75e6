#include "app/chart_maker.h"

#include "look/program_library.h"

ChartMaker *chartMaker(QString *failure)
{
    static QString reason;
    static ChartMaker *const maker = [] {
        const auto entry = reinterpret_cast<ChartMakerEntry>(programLibraryEntry("charts", ChartMakerEntryName, &reason));
        return entry ? entry() : nullptr;
    }();
    if (failure)
        *failure = reason;
    return maker;
}
