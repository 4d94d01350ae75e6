#include "tools/fuzz/fuzz_targets.h"

#include "look/fuzz_entry_points.h"
#include "store/fuzz_entry_points.h"

#include <cstring>
#include <sys/mman.h>
#include <unistd.h>

namespace {

const FuzzTarget Targets[] = {
    {"stats_file", fuzzStatsFile},
    {"old_players_file", fuzzOldPlayersFile},
    {"log_file", fuzzLogFile},
    {"goptions_file", fuzzGoptionsFile},
    {"desktop_exec", fuzzDesktopExec},
    {"settings_file", fuzzSettingsFile},
    {"card_set_package", fuzzCardSetPackage},
    {"picture_file", fuzzPictureFile},
    {"custom_games_file", fuzzCustomGamesFile},
    {"custom_stats_file", fuzzCustomStatsFile},
    {"groups_file", fuzzGroupsFile},
    {"saved_game", fuzzSavedGame},
};

// Pages for the input with an unreadable page on each side, grown as inputs grow.
class GuardedPages {
public:
    ~GuardedPages() { release(); }

    // Room for size bytes between the guards.
    char *room(std::size_t size)
    {
        const std::size_t needed = roundUp(std::max<std::size_t>(size, 1));
        if (needed > inner_) {
            release();
            const std::size_t page = pageSize();
            void *mapped = mmap(nullptr, needed + 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
            if (mapped == MAP_FAILED)
                return nullptr;
            start_ = static_cast<char *>(mapped);
            inner_ = needed;
            mprotect(start_, page, PROT_NONE);
            mprotect(start_ + page + inner_, page, PROT_NONE);
        }
        return start_ + pageSize();
    }
    std::size_t inner() const { return inner_; }

private:
    static std::size_t pageSize() { return std::size_t(sysconf(_SC_PAGESIZE)); }
    static std::size_t roundUp(std::size_t size) { return (size + pageSize() - 1) / pageSize() * pageSize(); }
    void release()
    {
        if (start_)
            munmap(start_, inner_ + 2 * pageSize());
        start_ = nullptr;
        inner_ = 0;
    }

    char *start_ = nullptr;
    std::size_t inner_ = 0;
};

} // namespace

std::span<const FuzzTarget> fuzzTargets()
{
    return Targets;
}

const FuzzTarget *findFuzzTarget(std::string_view name)
{
    for (const FuzzTarget &target : Targets) {
        if (name == target.name)
            return &target;
    }
    return nullptr;
}

bool runBetweenGuardPages(const FuzzTarget &target, QByteArrayView bytes)
{
    static GuardedPages pages;
    const std::size_t size = std::size_t(bytes.size());
    char *room = pages.room(size);
    if (!room)
        return target.run(bytes);
    char *atEnd = room + pages.inner() - size;
    if (size > 0)
        std::memcpy(atEnd, bytes.data(), size);
    if (!target.run(QByteArrayView(atEnd, qsizetype(size))))
        return false;
    if (size > 0)
        std::memmove(room, atEnd, size);
    return target.run(QByteArrayView(room, qsizetype(size)));
}
