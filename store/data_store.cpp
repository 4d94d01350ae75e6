#include "store/data_store.h"

#include "store/binary_stream.h"
#include "store/display_info.h"

#include <QFileInfo>

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

CloseReport DataStore::closeReport() const
{
    return CloseReport({locations.dataFolder, locations.configFolder, locations.runtimeFolder});
}

StatisticsStore::LoadOutcome DataStore::loadAtStart(const StartSteps &steps)
{
    locations.createDataFolder();
    locations.moveOlderFiles();
    if (steps.warn) {
        for (const QString &failure : closeReport().take())
            steps.warn(CloseReport::atNextStart(failure));
    }
    const QSize screen = display_.screenSize();
    if ((screen.width() < 800 || screen.height() < 600) && steps.inform)
        steps.inform(QString::fromLatin1(SmallScreenMessage));

    settings.load();
    statistics.setRun(settings.Cards.u, settings.Cards.recordsStatistics());
    windowRecords.load(locations.dataFile(QString::fromLatin1(DataFileName::GoptionsDat)), settings);
    const StatisticsStore::LoadOutcome outcome = statistics.load(settings.legacyPlayers());
    const bool damaged = outcome == StatisticsStore::LoadOutcome::WrongMark ||
                         outcome == StatisticsStore::LoadOutcome::Damaged;
    if (damaged && steps.warn) {
        QString text = QString::fromLatin1(outcome == StatisticsStore::LoadOutcome::WrongMark ? StatisticsReadError
                                                                                              : StatisticsPartlyRead);
        // The player needs the copy's name to rescue the players that were lost.
        if (!statistics.keptAsidePath().isEmpty())
            text += QStringLiteral("\nThe damaged file was kept as %1.").arg(QFileInfo(statistics.keptAsidePath()).fileName());
        else
            text += QStringLiteral("\nThe damaged file could not be kept and is replaced at the next save.");
        steps.warn(text);
    }
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
        } catch (const FileError &error) {
            failures.append(what + QStringLiteral(": ") +
                            QString::fromLocal8Bit(error.reason.empty() ? error.what() : error.reason.c_str()));
        } catch (const std::exception &error) {
            failures.append(what + QStringLiteral(": ") + QString::fromLocal8Bit(error.what()));
        }
    };
    // The names complete "Tarnwick could not save your …".
    attempt(QStringLiteral("unfinished game"), steps.endAbandonedGame);
    attempt(QStringLiteral("settings"), [this] { settings.save(); });
    attempt(QStringLiteral("window position"), steps.storeWindowPlacement);
    attempt(QStringLiteral("custom games"), steps.saveCustomVariants);
    attempt(QStringLiteral("window positions"), [this] {
        locations.createDataFolder();
        windowRecords.save(locations.dataFile(QString::fromLatin1(DataFileName::GoptionsDat)));
    });
    // A save that succeeds clears an earlier failure of the statistics; the log's failure
    // while the unfinished game was counted stays.
    statistics.save();
    while (const std::optional<QString> failure = statistics.takeWriteFailure())
        failures.append(*failure);
    attempt(QStringLiteral("game groups"), steps.saveGroups);
    attempt(QStringLiteral("toolbar positions"), steps.saveToolbarPositions);
    if (!failures.isEmpty())
        closeReport().write(failures);
    return failures;
}
