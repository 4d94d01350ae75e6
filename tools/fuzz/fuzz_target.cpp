// One libFuzzer target; TARNWICK_FUZZ_ENTRY names the decoder's entry point.
#include "store/fuzz_entry_points.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (!TARNWICK_FUZZ_ENTRY(QByteArrayView(data, qsizetype(size))))
        std::abort();
    return 0;
}
