// Draws the table textures as JPEG files and packs them:
//   <work>/qrc_program_textures.cpp  the program's own textures, compiled into the program
//                                     as resources "rcdata/<NAME>"
//   <out>/QELPlus.DLL                 the further textures, a Qt binary resource bundle with
//                                     the same kind of entries
//   <out>/Backgrounds/<name>.jpg      the pictures of the program's "Backgrounds" folder
//
// Usage: make_textures --rcc <rcc program> --work <scratch folder> --out <data folder>

#include "look/art/jpeg_codec.h"
#include "tools/texture_art.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QSaveFile>
#include <QTextStream>

#include <cstdio>

namespace {

// Writes the textures and a resource list naming each "rcdata/<NAME>"; false on failure.
bool writeTextures(const std::vector<TextureArt::Texture> &textures, const QString &folder, const QString &qrcPath)
{
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    QSaveFile qrc(qrcPath);
    if (!qrc.open(QIODevice::WriteOnly))
        return false;
    QTextStream out(&qrc);
    out << "<!DOCTYPE RCC><RCC version=\"1.0\">\n<qresource prefix=\"/\">\n";
    for (const TextureArt::Texture &texture : textures) {
        const QByteArray jpeg = JpegCodec::Encode(texture.picture, 92);
        QFile file(folder + QLatin1Char('/') + texture.resourceName + QStringLiteral(".jpg"));
        if (jpeg.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(jpeg) != jpeg.size())
            return false;
        out << "<file alias=\"rcdata/" << texture.resourceName << "\">" << file.fileName() << "</file>\n";
    }
    out << "</qresource>\n</RCC>\n";
    out.flush();
    return qrc.commit();
}

bool runRcc(const QString &rcc, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(rcc, arguments);
    return process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// Replaces target by what rcc wrote next to it, so a failed run leaves no half file.
bool replaceWith(const QString &partial, const QString &target)
{
    QFile::remove(target);
    return QFile::rename(partial, target);
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption rccOption(QStringLiteral("rcc"), QStringLiteral("The rcc program."), QStringLiteral("path"));
    const QCommandLineOption workOption(QStringLiteral("work"), QStringLiteral("Scratch folder."), QStringLiteral("path"));
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("Data folder."), QStringLiteral("path"));
    parser.addOptions({rccOption, workOption, outOption});
    parser.process(app);
    const QString rcc = parser.value(rccOption);
    const QString work = parser.value(workOption);
    const QString out = parser.value(outOption);
    if (rcc.isEmpty() || work.isEmpty() || out.isEmpty()) {
        std::fputs("usage: make_textures --rcc <rcc> --work <folder> --out <folder>\n", stderr);
        return 2;
    }
    QDir().mkpath(work);
    QDir().mkpath(out);

    const QString programQrc = work + QStringLiteral("/program_textures.qrc");
    const QString programSource = work + QStringLiteral("/qrc_program_textures.cpp");
    if (!writeTextures(TextureArt::ProgramTextures(), work + QStringLiteral("/program"), programQrc)
        || !runRcc(rcc, {QStringLiteral("--name"), QStringLiteral("program_textures"), QStringLiteral("--no-compress"),
                         programQrc, QStringLiteral("-o"), programSource + QStringLiteral(".part")})
        || !replaceWith(programSource + QStringLiteral(".part"), programSource)) {
        std::fputs("make_textures: could not write the program's textures\n", stderr);
        return 1;
    }

    const QString packageQrc = work + QStringLiteral("/package_textures.qrc");
    const QString package = out + QStringLiteral("/QELPlus.DLL");
    if (!writeTextures(TextureArt::PackageTextures(), work + QStringLiteral("/package"), packageQrc)
        || !runRcc(rcc, {QStringLiteral("-binary"), QStringLiteral("--no-compress"), packageQrc, QStringLiteral("-o"),
                         package + QStringLiteral(".part")})
        || !replaceWith(package + QStringLiteral(".part"), package)) {
        std::fputs("make_textures: could not write QELPlus.DLL\n", stderr);
        return 1;
    }

    const QString folder = out + QStringLiteral("/Backgrounds");
    QDir().mkpath(folder);
    for (const TextureArt::Texture &picture : TextureArt::FolderPictures()) {
        QSaveFile file(folder + QLatin1Char('/') + picture.resourceName + QStringLiteral(".jpg"));
        const QByteArray jpeg = JpegCodec::Encode(picture.picture, 90);
        if (jpeg.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(jpeg) != jpeg.size() || !file.commit()) {
            std::fputs("make_textures: could not write the Backgrounds folder\n", stderr);
            return 1;
        }
    }
    return 0;
}
