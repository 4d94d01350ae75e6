#include "app/help_topics.h"
#include "app/loc_utils.h"
#include "app/tip_of_the_day.h"
#include "games/catalogue.h"
#include "games/game_definitions.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QString writeFile(const QTemporaryDir &folder, const QString &name, const QByteArray &bytes)
{
    const QString path = folder.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return path;
}

QByteArray littleEndian(quint32 value, int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char((value >> (8 * i)) & 0xFF);
    return bytes;
}

// A settings resource; n and m may claim more bytes than follow.
QByteArray settingsResource(const char *signature, quint32 version, int nClaimed = -1, int mClaimed = -1,
                            bool reserved = true, bool extra = true)
{
    const QByteArray name("English (United States)");
    const QString shortName = QStringLiteral("English");
    QByteArray bytes(signature);
    bytes += littleEndian(version, 4) + littleEndian(9, 2);
    bytes += littleEndian(quint32(nClaimed < 0 ? name.size() : nClaimed), 2) + name;
    bytes += littleEndian(quint32(mClaimed < 0 ? shortName.size() : mClaimed), 2);
    bytes += QByteArray(reinterpret_cast<const char *>(shortName.utf16()), shortName.size() * 2);
    if (reserved)
        bytes += littleEndian(0, 4);
    if (extra)
        bytes += littleEndian(77, 4);
    return bytes;
}

// A language library: a resource bundle made by rcc, with the settings resource or without.
QString makeLibrary(const QTemporaryDir &folder, const QString &name, const QByteArray *settings)
{
    const QString payload = writeFile(folder, name + QStringLiteral(".payload"), settings ? *settings : "other");
    const QString alias = settings ? QStringLiteral("_KRH_LIBSETTINGS") : QStringLiteral("SOMETHING_ELSE");
    const QString qrc = writeFile(folder, name + QStringLiteral(".qrc"),
                                  QStringLiteral("<RCC><qresource prefix=\"/rcdata\"><file alias=\"%1\">%2</file>"
                                                 "</qresource></RCC>")
                                      .arg(alias, payload)
                                      .toUtf8());
    const QString out = folder.filePath(name);
    if (QProcess::execute(QStringLiteral(TARNWICK_RCC), {QStringLiteral("-binary"), qrc, QStringLiteral("-o"), out}) != 0)
        return {};
    return out;
}

bool libraryResourceOpen()
{
    return QFile::exists(QString::fromLatin1(LocSettings::LibraryResource));
}

} // namespace

TEST(TipOfTheDay, ShowsTheLineOfItsNumberAndStartsAgainAfterTheLast)
{
    QTemporaryDir folder;
    const QByteArray longLine(5000, 'x');
    const struct {
        const char *name;
        QByteArray file;
        int number;
        bool read;
        QString tip;
        int next;
    } cases[] = {
        {"first of three", "one\ntwo\nthree\n", 1, true, "one", 2},
        {"second of three", "one\ntwo\nthree\n", 2, true, "two", 3},
        {"third of three, then the first", "one\ntwo\nthree\n", 3, true, "three", 1},
        {"past the end", "one\ntwo\nthree", 7, true, "three", 1},
        {"a number below 1 shows the first", "one\ntwo\n", 0, true, "one", 2},
        {"line ends of both kinds", "one\r\ntwo\r\nthree", 2, true, "two", 3},
        {"a long line is cut", longLine + "\nshort\n", 1, true, QString(TipStep::MaxLength, QLatin1Char('x')), 2},
        {"the rest of a long line is passed over", longLine + "\nshort\n", 2, true, "short", 1},
        {"empty file", "", 1, false, "", 1},
    };
    for (const auto &test : cases) {
        SCOPED_TRACE(test.name);
        const QString path = writeFile(folder, QStringLiteral("tips.dat"), test.file);
        const TipStep step = ReadTip(path, test.number);
        EXPECT_EQ(step.read, test.read);
        EXPECT_EQ(step.tip, test.tip);
        EXPECT_EQ(step.next, test.next);
    }
    EXPECT_FALSE(ReadTip(folder.filePath(QStringLiteral("missing.dat")), 1).read);
}

TEST(TipOfTheDay, AHugeFileWithoutLineEndsIsReadNoFurtherThanItsLimit)
{
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("huge.dat")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QByteArray block(1 << 16, '\x01');
    for (qint64 written = 0; written < 4 * TipStep::MaxBytes; written += block.size())
        file.write(block);
    file.write("\nafter the limit\n");
    file.close();
    const TipStep step = ReadTip(file.fileName(), 2);
    EXPECT_TRUE(step.read);
    EXPECT_EQ(step.tip.size(), TipStep::MaxLength);
    EXPECT_EQ(step.next, 1); // the second line lies beyond what is read
}

TEST(LocSettings, EveryLengthIsCheckedAgainstTheBytesPresent)
{
    const struct {
        const char *name;
        QByteArray bytes;
        bool valid;
        quint32 extra;
    } cases[] = {
        {"whole", settingsResource("LDLL", 725), true, 77},
        {"without the extra value", settingsResource("LDLL", 725, -1, -1, true, false), true, 0},
        {"without the reserved value", settingsResource("LDLL", 725, -1, -1, false, false), false, 0},
        {"n past the end", settingsResource("LDLL", 725, 60000), false, 0},
        {"m past the end", settingsResource("LDLL", 725, -1, 40000), false, 0},
        {"other signature", settingsResource("KEXE", 725), false, 0},
        {"cut inside the header", settingsResource("LDLL", 725).left(9), false, 0},
        {"empty", QByteArray(), false, 0},
    };
    for (const auto &test : cases) {
        SCOPED_TRACE(test.name);
        try {
            const LocSettings settings = DecodeLocSettings(test.bytes, LocSettings::LibrarySignature);
            EXPECT_TRUE(test.valid);
            EXPECT_EQ(settings.version, 725u);
            EXPECT_EQ(settings.languageName, QByteArray("English (United States)"));
            EXPECT_EQ(settings.shortName, QStringLiteral("English"));
            EXPECT_EQ(settings.extra, test.extra);
        } catch (const ELUInvalidResLibrary &error) {
            EXPECT_FALSE(test.valid);
            EXPECT_EQ(error.Message(), QStringLiteral("Invalid resource file format"));
        }
    }
}

TEST(LocUtils, ALibraryIsUsedOnlyWhenItsVersionIsTheProgramsOwn)
{
    QTemporaryDir folder;
    const QByteArray current = settingsResource("LDLL", 725);
    const QByteArray older = settingsResource("LDLL", 724);
    const QByteArray wrongSignature = settingsResource("KEXE", 725);
    const struct {
        const char *name;
        const QByteArray *settings;
        bool bundle;
        QString error; // %1: the file
    } cases[] = {
        {"same version", &current, true, {}},
        {"version 724", &older, true,
         "The version of the resource file \"%1\" is invalid. Please, update the file and try again"},
        {"no settings resource", nullptr, true, "Invalid resource file format"},
        {"wrong signature", &wrongSignature, true, "Invalid resource file format"},
        {"not a library", nullptr, false, "Error loading resource file \"%1\""},
    };
    for (const auto &test : cases) {
        SCOPED_TRACE(test.name);
        TKLocUtils utils;
        const QString file = test.bundle ? makeLibrary(folder, QString::fromLatin1(test.name), test.settings)
                                         : writeFile(folder, QStringLiteral("plain.dll"), "MZ not a bundle");
        ASSERT_FALSE(file.isEmpty());
        QString error;
        try {
            utils.UseLibrary(file);
        } catch (const ELocalizationError &caught) {
            error = caught.Message();
        }
        EXPECT_EQ(error, test.error.contains(QLatin1String("%1")) ? test.error.arg(file) : test.error);
        EXPECT_EQ(utils.Library(), test.error.isEmpty() ? file : QString());
        // A refused library is not kept open; an accepted one until the program's own return.
        EXPECT_EQ(libraryResourceOpen(), test.error.isEmpty());
        utils.UseLibrary(QString());
        EXPECT_FALSE(libraryResourceOpen());
    }
}

TEST(LocUtils, AnEmptyKeyReadsNoSettingsAndAKeysLibraryErrorIsShown)
{
    QTemporaryDir folder;
    const QByteArray older = settingsResource("LDLL", 724);
    const QString library = makeLibrary(folder, QStringLiteral("old.rcc"), &older);
    QSettings settings(folder.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    settings.setValue(QStringLiteral("Language/ResFileName"), library);
    for (const QString &key : {QString(), QStringLiteral("Language")}) {
        TKLocUtils utils;
        QStringList shown;
        utils.ShowError = [&](const QString &message) { shown << message; };
        utils.UseLibraryFromSettings(key, settings);
        EXPECT_EQ(shown.join(QString()), key.isEmpty() ? QString() : ELUOutOfVersion(library).Message());
        EXPECT_FALSE(libraryResourceOpen());
    }
}

TEST(HelpTopics, EveryDealtGameHasARulesPageThatNamesItWithItsPicture)
{
    for (const GameDefinition *game : DealtGames()) {
        SCOPED_TRACE(game->name);
        const int topic = game->id + 100;
        ASSERT_NE(HelpTopicPage(topic), NotAvailablePage());
        QFile page(QLatin1Char(':') + HelpTopicPage(topic).path());
        ASSERT_TRUE(page.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(page.readAll());
        EXPECT_TRUE(html.contains(QStringLiteral("<h1>%1</h1>").arg(QString::fromLatin1(game->name))));
        // A form of another game says what changes and leaves the rest to that game's page.
        QString rules = html;
        if (const QString variant = html.section(QStringLiteral("<p class=\"variant\">"), 1); !variant.isEmpty()) {
            QFile base(QStringLiteral(":/help/") + variant.section(QStringLiteral("href=\""), 1).section(QLatin1Char('"'), 0, 0));
            ASSERT_TRUE(base.open(QIODevice::ReadOnly)) << qPrintable(base.fileName());
            rules += QString::fromUtf8(base.readAll());
            EXPECT_TRUE(html.contains(QStringLiteral("What changes")));
        }
        for (const char *section : {"Object of the game", "Layout", "Moves", "Scoring", "Automatic moves", "Hints"})
            EXPECT_TRUE(rules.contains(QString::fromLatin1(section))) << section;
        const QString picture = html.section(QStringLiteral("<img src=\""), 1).section(QLatin1Char('"'), 0, 0);
        const QImage image(QStringLiteral(":/help/") + picture);
        EXPECT_FALSE(image.isNull()) << qPrintable(picture);
    }
}

TEST(HelpTopics, FixedTopicsHaveTheirPagesAndOthersTheNotAvailablePage)
{
    const struct {
        int topic;
        const char *page;
    } cases[] = {
        {1, "qrc:/help/contents.html"},
        {22, "qrc:/help/quick_start.html"},
        {3402, "qrc:/help/how_to.html"},
        {1003, "qrc:/help/game_selection.html#list"},
        {1005, "qrc:/help/game_selection.html#rules"},
        {6, "qrc:/help/options.html#sound"},
        {100 + 1, "qrc:/help/not_available.html"},   // a catalogue game this program does not deal
        {1000 + 100, "qrc:/help/not_available.html"}, // a variant's id has no topic
        {-5, "qrc:/help/not_available.html"},
    };
    for (const auto &test : cases) {
        SCOPED_TRACE(test.topic);
        EXPECT_EQ(HelpTopicPage(test.topic).toString(), QString::fromLatin1(test.page));
        EXPECT_TRUE(QFile::exists(QLatin1Char(':') + HelpTopicPage(test.topic).path()));
    }
}
