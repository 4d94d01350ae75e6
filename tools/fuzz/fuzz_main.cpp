// The libFuzzer program of every target; TARNWICK_FUZZ_TARGET names the one to run.
#include "tools/fuzz/fuzz_targets.h"

#include <QCoreApplication>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

const FuzzTarget *chosen = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    const char *name = std::getenv("TARNWICK_FUZZ_TARGET");
    chosen = name ? findFuzzTarget(name) : nullptr;
    if (!chosen) {
        std::fprintf(stderr, "set TARNWICK_FUZZ_TARGET to one of:");
        for (const FuzzTarget &target : fuzzTargets())
            std::fprintf(stderr, " %s", target.name);
        std::fprintf(stderr, "\n");
        std::exit(2);
    }
    // Picture readers find their plug-ins through the application object.
    static QCoreApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (!runBetweenGuardPages(*chosen, QByteArrayView(data, qsizetype(size))))
        std::abort();
    return 0;
}
