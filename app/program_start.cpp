#include "app/program_start.h"

#include "app/Mainform.h"
#include "app/command_line.h"
#include "app/game_dlg.h"
#include "app/game_picture.h"
#include "app/program_session.h"
#include "app/single_instance.h"
#include "app/program_pictures.h"
#include "app/loc_utils.h"
#include "app/splash_window.h"
#include "app/tarnwick_application.h"
#include "look/program_folder.h"
#include "store/application_id.h"
#include "store/display_info.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>
#include <QTimer>
#include <cstdio>
#include <memory>

namespace {

QStringList parametersOf(int argc, char **argv)
{
    QStringList parameters;
    for (int i = 1; i < argc; ++i)
        parameters.append(QString::fromLocal8Bit(argv[i]));
    return parameters;
}

void complain(const QString &text)
{
    std::fprintf(stderr, "tarnwick: %s\n", text.toLocal8Bit().constData());
}

// A copy holds the lock but did not answer in time (stopped or hung).
int notAnswering()
{
    complain(QStringLiteral("a copy of Tarnwick is running but does not answer"));
    return 1;
}

// "-STOP": a running copy is asked to end; nothing is shown when it answers.
int stopRunningCopy(SingleInstance &instance, const QString &runtimeFolder)
{
    if (!instance.TryLock() && !SingleInstance::Send(runtimeFolder, QString::fromLatin1(InstanceMessage::Terminate)))
        return notAnswering();
    return 0;
}

// "/CLEAR": refused while a copy runs, since that copy writes its settings back at close.
// It shows nothing, so a core application (no display) serves to find the program's folder.
int clearSettings(int argc, char **argv, SingleInstance &instance)
{
    QCoreApplication application(argc, argv);
    if (!instance.TryLock()) {
        complain(QStringLiteral("cannot reset the settings while Tarnwick is running"));
        return 1;
    }
    QString reason;
    if (!clearStoredSettings(StoreLocations::fromSystem(programFolder()), &reason)) {
        complain(QStringLiteral("cannot reset the settings: ") + reason);
        return 1;
    }
    return 0;
}

} // namespace

int runProgram(int argc, char **argv)
{
    const QStringList parameters = parametersOf(argc, argv);
    const QString runtimeFolder = SingleInstance::systemRuntimeFolder();
    SingleInstance instance(runtimeFolder);
    switch (startMode(parameters)) {
    case StartMode::Stop:
        return stopRunningCopy(instance, runtimeFolder);
    case StartMode::Clear:
        return clearSettings(argc, argv, instance);
    case StartMode::Run:
        break;
    }
    if (!instance.TryLock()) {
        // A saved game goes to the running copy, which opens it; otherwise it only comes forward.
        const QString file = commandLineChoice(parameters).fileName;
        const bool answered = SingleInstance::Send(
            runtimeFolder, file.isEmpty() ? QString::fromLatin1(InstanceMessage::BringToFront)
                                          : SingleInstance::OpenMessage(QFileInfo(file).absoluteFilePath()));
        return answered ? 0 : notAnswering();
    }

    TarnwickApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(ProgramTitle));
    QApplication::setApplicationDisplayName(QString::fromLatin1(ProgramTitle));
    QApplication::setDesktopFileName(QString::fromLatin1(ApplicationId));
    QApplication::setWindowIcon(programIcon());
    // The language resources: this program keeps its own (no settings key, no library).
    {
        QSettings noSettings;
        LocUtils().UseLibraryFromSettings(QString(), noSettings);
        LocUtils().UseLibrary(QString());
    }

    auto splash = std::make_unique<SplashWindow>();
    splash->ShowNow();

    const FixedDisplayInfo measured = measurePrimaryScreen();
    const FixedDisplayInfo display(splash->ColourDepth(), measured.screenSize(), measured.workArea());
    ProgramSession session(StoreLocations::fromSystem(programFolder()), display);
    // "--make-back FILE" opens the card back maker for the picture before the game selection.
    QStringList arguments = QCoreApplication::arguments().mid(1);
    QString backPicture;
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--make-back")); at >= 0 && at + 1 < arguments.size()) {
        backPicture = arguments[at + 1];
        arguments.remove(at, 2);
    }
    session.CommandLine = commandLineChoice(arguments);

    GameDeals deals;
    registerDealtGames(deals);
    // Creating the main window loads the settings and data; closing it saves them.
    TMain_F window(session, deals);
    QObject::connect(&instance, &SingleInstance::BringToFrontRequested, &window, [&window] { window.BringToFront(); });
    QObject::connect(&instance, &SingleInstance::TerminateRequested, &window,
                     [&window] { window.CloseWithoutConfirmation(); });
    // Opened outside the socket's handler, since the confirmation box runs a loop of its own.
    QObject::connect(&instance, &SingleInstance::OpenRequested, &window, [&window](const QString &path) {
        QTimer::singleShot(0, &window, [&window, path] { window.OpenHandedOverGame(path); });
    });
    if (!instance.Listen())
        complain(QStringLiteral("cannot listen for later starts at ") + instance.ServerPath());

    splash.reset();
    window.show();
    // After the window is on screen: the command line's player and file, then the game
    // selection dialog through its start message.
    QTimer::singleShot(0, &window, [&window] { window.ApplyCommandLine(); });
    if (backPicture.isEmpty()) {
        window.GameDialog()->PostStartMessage();
    } else {
        QTimer::singleShot(0, &window, [&window, backPicture] {
            window.MakeCardBack(backPicture);
            window.GameDialog()->PostStartMessage();
        });
    }
    // The audio toolkit itself is loaded when the first sound plays.
    window.StartSounds();

    const int code = app.exec();
    if (app.failed())
        return 1;
    for (const QString &failure : window.SaveFailures())
        complain(failure);
    return code;
}
