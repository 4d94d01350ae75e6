// The program as the desktop and a package manager meet it: the installed tree, the
// freedesktop validators on its launcher, software-centre entry and manual page, and the
// Debian package unpacked into a folder of its own.
#include "store/application_id.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString Id = QString::fromLatin1(ApplicationId);
const QString BuildDir = QStringLiteral(TARNWICK_BUILD_DIR);

struct Finished {
    int code = -1;
    QString out;
    QString err;
};

Finished run(const QString &program, const QStringList &arguments, int timeout = 120000)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    Finished result;
    if (!process.waitForFinished(timeout) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        result.err = program + QStringLiteral(" did not finish: ") + process.errorString();
        return result;
    }
    result.code = process.exitCode();
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

std::string firstMatch(const QString &text, const QString &pattern)
{
    return QRegularExpression(pattern, QRegularExpression::MultilineOption).match(text).captured(1).toStdString();
}

// Everything a desktop needs from an installed Tarnwick under `prefix` (/usr or the
// cmake --install prefix), named by the application id, and the program itself running
// from there with its read-only data where it looks for it (beside bin/, in share/tarnwick).
void expectInstalledTree(const QDir &prefix)
{
    const QString desktopFile = QStringLiteral("share/applications/%1.desktop").arg(Id);
    const QString metainfo = QStringLiteral("share/metainfo/%1.metainfo.xml").arg(Id);
    const QStringList files = {QStringLiteral("bin/tarnwick"),
                               desktopFile,
                               metainfo,
                               QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(Id),
                               QStringLiteral("share/man/man6/tarnwick.6.gz"),
                               QStringLiteral("share/tarnwick/sdeck.dll"),
                               QStringLiteral("share/tarnwick/cdeck1.dll"),
                               QStringLiteral("share/tarnwick/Decks/books.jpg"),
                               QStringLiteral("lib/tarnwick/libtarnwick_charts.so"),
                               QStringLiteral("lib/tarnwick/libtarnwick_sounds.so")};
    for (const QString &file : files)
        EXPECT_TRUE(QFile::exists(prefix.filePath(file))) << file.toStdString();
    for (int size : {48, 64, 128, 256}) {
        const QImage icon(prefix.filePath(QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(Id)));
        EXPECT_EQ(icon.size(), QSize(size, size)) << size;
        EXPECT_TRUE(icon.hasAlphaChannel()) << size;
    }
    EXPECT_TRUE(readText(prefix.filePath(QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(Id)))
                    .contains(QStringLiteral("<svg")));

    // The names that tie launcher, icon, software-centre entry and running windows together.
    const QString launcher = readText(prefix.filePath(desktopFile));
    EXPECT_EQ(firstMatch(launcher, QStringLiteral("^Icon=(.*)$")), ApplicationId);
    EXPECT_EQ(firstMatch(launcher, QStringLiteral("^Exec=(\\S+)")), "tarnwick");
    const QString entry = readText(prefix.filePath(metainfo));
    EXPECT_EQ(firstMatch(entry, QStringLiteral("<id>([^<]*)</id>")), ApplicationId);
    EXPECT_EQ(firstMatch(entry, QStringLiteral("<launchable type=\"desktop-id\">([^<]*)<")),
              std::string(ApplicationId) + ".desktop");
    EXPECT_EQ(firstMatch(entry, QStringLiteral("<icon type=\"stock\">([^<]*)<")), ApplicationId);

    const Finished deal = run(prefix.filePath(QStringLiteral("bin/tarnwick")),
                              {QStringLiteral("--print-deal"), QStringLiteral("108"), QStringLiteral("1")});
    EXPECT_EQ(deal.code, 0) << deal.err.toStdString();
    EXPECT_TRUE(deal.out.startsWith(QStringLiteral("game 108 number 1\n"))) << deal.out.toStdString();
    EXPECT_EQ(deal.out.count(QRegularExpression(QStringLiteral("\\bTableau\\d+:"))), 7) << deal.out.toStdString();
}

TEST(DesktopFiles, InstalledTreeServesTheDesktop)
{
    QTemporaryDir prefix;
    ASSERT_TRUE(prefix.isValid());
    const Finished install = run(QStringLiteral(CMAKE_COMMAND_PATH),
                                 {QStringLiteral("--install"), BuildDir, QStringLiteral("--prefix"), prefix.path()});
    ASSERT_EQ(install.code, 0) << install.err.toStdString();
    expectInstalledTree(QDir(prefix.path()));
}

struct Validation {
    const char *program;
    QStringList arguments; // the checked file is appended
    const char *file;      // relative to the build folder
};

void PrintTo(const Validation &validation, std::ostream *out)
{
    *out << validation.program;
}

class Validator : public ::testing::TestWithParam<Validation> {};

// Warnings fail the test as errors do (hints do not). A machine without the validator skips
// its case and says so.
TEST_P(Validator, AcceptsTheFile)
{
    const Validation &validation = GetParam();
    const QString program = QStandardPaths::findExecutable(QString::fromLatin1(validation.program));
    if (program.isEmpty())
        GTEST_SKIP() << validation.program << " is not installed (deps/debian-packages.txt lists its package)";
    const QString file =
        QDir(BuildDir).filePath(QString::fromLatin1(validation.file).replace(QStringLiteral("%1"), Id));
    ASSERT_TRUE(QFile::exists(file)) << file.toStdString();
    const Finished result = run(program, validation.arguments + QStringList{file});
    const QString said = result.out + result.err;
    EXPECT_EQ(result.code, 0) << said.toStdString();
    EXPECT_FALSE(said.contains(QRegularExpression(QStringLiteral("\\b(warning|error)\\b"),
                                                  QRegularExpression::CaseInsensitiveOption)))
        << said.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    DesktopFiles, Validator,
    ::testing::Values(
        Validation{"desktop-file-validate", {}, "desktop/%1.desktop"},
        Validation{"appstreamcli", {QStringLiteral("validate"), QStringLiteral("--no-net"), QStringLiteral("--strict")},
                   "desktop/%1.metainfo.xml"},
        // -ww: every warning; -z: no output but the warnings; -t: the table of game numbers.
        Validation{"groff", {QStringLiteral("-ww"), QStringLiteral("-z"), QStringLiteral("-t"), QStringLiteral("-man"),
                             QStringLiteral("-Tutf8")},
                   "desktop/tarnwick.6"}),
    [](const ::testing::TestParamInfo<Validation> &info) {
        return QString::fromLatin1(info.param.program).remove(u'-').toStdString();
    });

// The package as apt would unpack it: its program runs from the unpacked /usr with the
// data found beside it, and its dependencies were computed from the program's libraries.
TEST(DebianPackage, UnpackedPackageRunsFromItsOwnTree)
{
    for (const char *tool : {"dpkg-deb", "dpkg-shlibdeps", "file"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            GTEST_SKIP() << tool << " is not installed (deps/debian-packages.txt lists its package)";
    }
    QTemporaryDir work;
    ASSERT_TRUE(work.isValid());
    const QString config = QDir(BuildDir).filePath(QStringLiteral("CPackConfig.cmake"));
    const Finished pack = run(QStringLiteral(CPACK_COMMAND_PATH), {QStringLiteral("-G"), QStringLiteral("DEB"),
                                                                   QStringLiteral("--config"), config,
                                                                   QStringLiteral("-B"), work.path()});
    ASSERT_EQ(pack.code, 0) << pack.out.toStdString() << pack.err.toStdString();
    const QStringList packages = QDir(work.path()).entryList({QStringLiteral("tarnwick_*.deb")}, QDir::Files);
    ASSERT_EQ(packages.size(), 1) << pack.out.toStdString();
    const QString package = QDir(work.path()).filePath(packages.first());

    const Finished fields = run(QStringLiteral("dpkg-deb"), {QStringLiteral("-f"), package, QStringLiteral("Package"),
                                                        QStringLiteral("Section"), QStringLiteral("Depends")});
    EXPECT_TRUE(fields.out.contains(QStringLiteral("Package: tarnwick\n"))) << fields.out.toStdString();
    EXPECT_TRUE(fields.out.contains(QStringLiteral("Section: games\n"))) << fields.out.toStdString();
    EXPECT_TRUE(fields.out.contains(QRegularExpression(QStringLiteral("Depends: .*libqt6widgets6 \\(>= "))))
        << fields.out.toStdString();

    const QString root = work.filePath(QStringLiteral("root"));
    const Finished unpack = run(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), package, root});
    ASSERT_EQ(unpack.code, 0) << unpack.err.toStdString();
    expectInstalledTree(QDir(root + QStringLiteral("/usr")));
    // The software-centre entry and the launcher as one tree (the validator's own case
    // above reports a machine without it).
    const QString appstream = QStandardPaths::findExecutable(QStringLiteral("appstreamcli"));
    if (!appstream.isEmpty()) {
        const Finished tree = run(appstream, {QStringLiteral("validate-tree"), QStringLiteral("--no-net"),
                                              QStringLiteral("--strict"), root});
        EXPECT_EQ(tree.code, 0) << tree.out.toStdString() << tree.err.toStdString();
    }
}

} // namespace
