#pragma once

#include "solve/solver.h"

#include <QtGlobal>

class TMain_F;

// "Winnable deals only": New Game draws game numbers as usual but passes over those the
// solver does not prove winnable, each within its budget, at most MostNumbers of them; when
// none is proved it deals the last one drawn and says so. A number always deals the same
// cards, so Restart and Select Shuffle are untouched.
class WinnableDeals {
public:
    static constexpr int MostNumbers = 10;

    explicit WinnableDeals(TMain_F &window);

    // The number New Game deals, given the first one it drew.
    quint32 Choose(quint32 drawn);

    SolveBudget Budget = {.positions = 4'000'000, .milliseconds = 1000};
private:
    TMain_F &window;
};

// Texts of the search.
namespace WinnableText {
inline constexpr char16_t Searching[] = u"Looking for a winnable deal\u2026";
// %1: how many numbers were tried, %2 the number dealt.
inline constexpr char NoneFound[] = "No winnable deal was found among %1 game numbers: game #%2 may not be winnable";
} // namespace WinnableText
