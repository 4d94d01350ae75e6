#pragma once

class TCard;

// A building rule kept by a pile in its Rule or GroupRule. The rule library (games/)
// owns one static entry per predicate and piles store a pointer to the entry, so a
// rule is recognised by the identity of its entry, never by a function address.
// The engine reads only the wording (for tips) and IsAnyCard (for the move search).
struct TRule {
    const char *Name;                                   // e.g. "DownAltColour"
    bool (*Test)(const TCard *lower, const TCard *upper);
    const char *Wording;                                // "" when the rule has none
    int Direction;                                      // 1 up, 2 down, 0 neither
    const TRule *Reverse;                               // nullptr when none
    bool IsAnyCard;                                     // "regardless of rank and suit"
};

// The wording of a rule, empty for no rule.
inline const char *RuleWording(const TRule *rule)
{
    return rule && rule->Wording ? rule->Wording : "";
}
