#pragma once

#include <QByteArrayView>
#include <span>
#include <string_view>

// One fuzz target: a decoder's entry point and the folder of its seed corpus,
// tools/fuzz/corpus/<name>.
struct FuzzTarget {
    const char *name;
    bool (*run)(QByteArrayView bytes); // false when a property of the decoder fails
};

// Every target; a decoder joins with one line in fuzz_targets.cpp and a corpus folder.
std::span<const FuzzTarget> fuzzTargets();
// Null for a name no target has.
const FuzzTarget *findFuzzTarget(std::string_view name);

// Runs the target on a copy of the bytes that ends where an unreadable page begins, then on
// one that starts where such a page ends: a read beyond either end of the input, also inside
// a library the sanitizers do not see (Qt, libjpeg), then crashes at once.
bool runBetweenGuardPages(const FuzzTarget &target, QByteArrayView bytes);
