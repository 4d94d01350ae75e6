#include "store/data_store.h"

#include "store/binary_stream.h"
#include "store/display_info.h"

namespace {

void runStep(const std::function<void()> &step)
{
    if (step)
        step();
}

} // namespace

DataStore::DataStore(const StoreLocations &locations, const DisplayInfo &display, const Clock &clock)
    : locations(locations),
      settings(locations, display),
      windowRecords(display.workArea()),
      log(locations.dataFile(QString::fromLatin1(DataFileName::QellogDat))),
      statistics(locations.dataFile(QString::fromLatin1(DataFileName::QelstatDat)),
                 locations.dataFile(QString::fromLatin1(DataFileName::PlayersDat)), log, clock),
      display_(display)
{
}

StatisticsStore::LoadOutcome DataStore::loadAtStart(const StartSteps &steps)
{
    locations.createDataFolder();
    locations.moveOlderFiles();
    const QSize screen = display_.screenSize();
    if ((screen.width() < 800 || screen.height() < 600) && steps.inform)
        steps.inform(QString::fromLatin1(SmallScreenMessage));

    settings.load();
    statistics.setRun(settings.Cards.u, settings.Cards.recordsStatistics());
    windowRecords.load(locations.dataFile(QString::fromLatin1(DataFileName::GoptionsDat)), settings);
    const StatisticsStore::LoadOutcome outcome = statistics.load(settings.legacyPlayers());
    if (outcome == StatisticsStore::LoadOutcome::WrongMark && steps.warn)
        steps.warn(QString::fromLatin1(StatisticsReadError));
    runStep(steps.loadCustomVariants);
    runStep(steps.loadGroups);
    log.trim(settings.Cards.MaxLog);
    runStep(steps.loadToolbarPositions);
    return outcome;
}

QStringList DataStore::saveAtClose(const CloseSteps &steps)
{
    QStringList failures;
    const auto attempt = [&failures](const QString &what, const std::function<void()> &step) {
        try {
            runStep(step);
        } catch (const std::exception &error) {
            failures.append(what + QStringLiteral(": ") + QString::fromLocal8Bit(error.what()));
        }
    };
    attempt(QStringLiteral("abandoned game"), steps.endAbandonedGame);
    attempt(QStringLiteral("settings"), [this] { settings.save(); });
    attempt(QStringLiteral("window placement"), steps.storeWindowPlacement);
    attempt(QStringLiteral("custom variants"), steps.saveCustomVariants);
    attempt(QStringLiteral("window records"), [this] {
        locations.createDataFolder();
        windowRecords.save(locations.dataFile(QString::fromLatin1(DataFileName::GoptionsDat)));
    });
    attempt(QStringLiteral("statistics"), [this] {
        if (!statistics.save())
            throw FileError("cannot write the statistics file");
    });
    attempt(QStringLiteral("groups"), steps.saveGroups);
    attempt(QStringLiteral("toolbar positions"), steps.saveToolbarPositions);
    return failures;
}
