// Draws the table textures as JPEG files and packs them:
//   <work>/qrc_program_textures.cpp  the program's own textures, compiled into the program
//                                     as resources "rcdata/<NAME>"
//   <out>/QELPlus.DLL                 the further textures, a Qt binary resource bundle with
//                                     the same kind of entries
//   <out>/Backgrounds/<name>.jpg      the pictures of the program's "Backgrounds" folder
//
// Usage: make_textures --rcc <rcc program> --work <scratch folder> --out <data folder>

#include "look/art/jpeg_codec.h"
#include "tools/rcc_packing.h"
#include "tools/texture_art.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
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

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const std::optional<RccToolPaths> paths = ReadRccToolPaths(app, "make_textures");
    if (!paths)
        return 2;
    const QString &rcc = paths->rcc;
    const QString &work = paths->work;
    const QString &out = paths->out;
    QDir().mkpath(work);
    QDir().mkpath(out);

    const QString programQrc = work + QStringLiteral("/program_textures.qrc");
    const QString programSource = work + QStringLiteral("/qrc_program_textures.cpp");
    if (!writeTextures(TextureArt::ProgramTextures(), work + QStringLiteral("/program"), programQrc)
        || !RunRcc(rcc, {QStringLiteral("--name"), QStringLiteral("program_textures"), QStringLiteral("--no-compress"),
                         programQrc},
                   programSource)) {
        std::fputs("make_textures: could not write the program's textures\n", stderr);
        return 1;
    }

    const QString packageQrc = work + QStringLiteral("/package_textures.qrc");
    const QString package = out + QStringLiteral("/QELPlus.DLL");
    if (!writeTextures(TextureArt::PackageTextures(), work + QStringLiteral("/package"), packageQrc)
        || !RunRcc(rcc, {QStringLiteral("-binary"), QStringLiteral("--no-compress"), packageQrc}, package)) {
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
