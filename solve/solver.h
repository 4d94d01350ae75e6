#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <vector>

class GameTable;

// What the search found out about a position.
enum class Verdict { Winnable, NotWinnable, Unknown };

// "winnable", "not-winnable" or "unknown".
const char *VerdictName(Verdict verdict);

// When the search gives up and answers Unknown.
struct SolveBudget {
    long long positions = 8'000'000; // distinct positions visited (at most TableEntryLimit)
    long long milliseconds = 2000;
    // Set from another thread to end the search soon (it then answers Unknown).
    const std::atomic<bool> *cancel = nullptr;
};

struct SolveResult {
    Verdict verdict = Verdict::Unknown;
    // For a winnable position: one play command per move, as the move player reads them
    // (drags and clicks, every card to the foundations included), ending with the game won.
    std::vector<std::string> lines;
    long long positions = 0;
    long long milliseconds = 0;
};

// A position copied out of a table in the solver's own compact form: it holds no pointer
// into the table, so it may be solved on another thread while the table changes.
class SolverPosition {
public:
    virtual ~SolverPosition() = default;
    virtual SolveResult Solve(const SolveBudget &budget) const = 0;
};

// The table's current position (after any moves), for the games the solver knows with
// the rules they are dealt with; nullptr for any other game or a customised rule.
std::unique_ptr<SolverPosition> ReadPosition(const GameTable &table);
