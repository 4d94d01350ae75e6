// The table background: tiles and stretched pictures, the gradient's bands, the fall-back
// to colour, the shipped textures, and the random background's folder walk.
#include "look/program_folder.h"
#include "look/picture_file.h"
#include "look/table_background.h"
#include "look/texture_library.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <cmath>
#include <sys/stat.h>
#include <gtest/gtest.h>

namespace {

QString writePicture(const QTemporaryDir &folder, QSize size, const QString &name)
{
    QImage picture(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            picture.setPixel(x, y, qRgb(x % 256, y % 256, 90));
    const QString path = folder.filePath(name);
    EXPECT_TRUE(picture.save(path));
    return path;
}

BackgroundChoice fileChoice(const QString &path)
{
    BackgroundChoice choice;
    choice.Pattern_Type = 2;
    choice.Pattern_File = path;
    return choice;
}

QImage painted(const TableBackground &background, QSize size, QPoint origin = QPoint())
{
    QImage canvas(size, QImage::Format_RGB32);
    QPainter painter(&canvas);
    background.Paint(painter, QRect(origin, size), origin);
    painter.end();
    return canvas;
}

} // namespace

TEST(TableBackground, SmallPicturesAreTiledAndLargeOnesStretchedPerResize)
{
    const QTemporaryDir folder;
    const struct {
        QSize picture;
        QSize tile;     // for a tiled picture
        bool stretched;
    } cases[] = {
        {{100, 80}, {300, 240}, false}, {{601, 400}, {601, 400}, false}, {{600, 401}, {600, 401}, false},
        {{256, 199}, {256, 398}, false}, {{30, 300}, {270, 300}, false},   {{640, 480}, {}, true},
        {{1600, 1200}, {}, true},
    };
    for (const auto &test : cases) {
        SCOPED_TRACE(QStringLiteral("%1 x %2").arg(test.picture.width()).arg(test.picture.height()).toStdString());
        TableBackground background(folder.path());
        background.Resize(QSize(500, 300));
        background.Apply(fileChoice(writePicture(folder, test.picture, QStringLiteral("p.bmp"))));
        ASSERT_EQ(background.Choice().Pattern_Type, 2);
        EXPECT_EQ(!background.Source().isNull(), test.stretched);
        if (!test.stretched) {
            EXPECT_EQ(background.Tile().size(), test.tile);
            // The tile repeats the picture: its pixel at (x, y) is the picture's at (x mod w, y mod h).
            const QPoint probe(test.tile.width() - 1, test.tile.height() - 1);
            EXPECT_EQ(background.Tile().pixel(probe), qRgb(probe.x() % test.picture.width() % 256,
                                                            probe.y() % test.picture.height() % 256, 90));
            EXPECT_FALSE(background.Resize(QSize(700, 450)));
            continue;
        }
        EXPECT_EQ(background.Tile().size(), QSize(500, 300));
        EXPECT_TRUE(background.Resize(QSize(700, 450)));
        EXPECT_EQ(background.Tile().size(), QSize(700, 450));
        EXPECT_FALSE(background.Resize(QSize(700, 450)));
        // On a screen of twice the density the picture is stretched to its pixels and
        // painted one to one.
        background.SetDevicePixelRatio(2);
        EXPECT_TRUE(background.Resize(QSize(350, 225)));
        EXPECT_EQ(background.Tile().size(), QSize(700, 450));
        QImage dense(QSize(700, 450), QImage::Format_RGB32);
        dense.setDevicePixelRatio(2);
        QPainter painter(&dense);
        background.Paint(painter, QRect(0, 0, 350, 225), QPoint(0, 0));
        EXPECT_EQ(dense.pixel(699, 449), background.Tile().pixel(699, 449));
    }
}

TEST(TableBackground, TilesStartAtTheVisibleCorner)
{
    const QTemporaryDir folder;
    TableBackground background(folder.path());
    background.Apply(fileChoice(writePicture(folder, QSize(100, 80), QStringLiteral("t.bmp"))));
    QImage canvas(QSize(320, 260), QImage::Format_RGB32);
    QPainter painter(&canvas);
    const QPoint origin(37, 23); // the table scrolled by this much
    painter.translate(-origin);
    background.Paint(painter, QRect(origin, canvas.size()), origin);
    EXPECT_EQ(canvas.pixel(0, 0), background.Tile().pixel(0, 0));
    EXPECT_EQ(canvas.pixel(305, 250), background.Tile().pixel(5, 10));
}

TEST(TableBackground, GradientBandsAsCounted)
{
    const QColor from(0, 128, 0), to(0, 0, 0);
    const struct {
        int extent, bands, thickness;
    } cases[] = {{500, 160, 3}, {1324, 160, 8}, {160, 160, 1}, {100, 100, 1}, {1, 1, 1}, {0, 1, 0}};
    for (const auto &test : cases) {
        SCOPED_TRACE(test.extent);
        const auto bands = TableBackground::GradientBands(from, to, test.extent);
        const int rest = test.extent - test.bands * test.thickness;
        ASSERT_EQ(int(bands.size()), test.bands + (rest > 0 ? 1 : 0));
        for (int i = 0; i < test.bands; ++i) {
            EXPECT_EQ(bands[size_t(i)].Start, i * test.thickness);
            EXPECT_EQ(bands[size_t(i)].Thickness, test.thickness);
            const int green = test.bands == 1 ? 128 : int(std::floor(128.0 - 128.0 * i / (test.bands - 1) + 0.5));
            EXPECT_EQ(bands[size_t(i)].Color, QColor(0, green, 0)) << "band " << i;
        }
        if (rest > 0) {
            EXPECT_EQ(bands.back().Color, to);
        }
    }
}

TEST(TableBackground, UnreadablePicturesLeaveTheColour)
{
    const QTemporaryDir folder;
    QFile damaged(folder.filePath(QStringLiteral("damaged.jpg")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray("\xFF\xD8\xFF\xE0 not really a picture \xFF\xD9"));
    damaged.close();
    BackgroundChoice missingTexture;
    missingTexture.Pattern_Name = QStringLiteral("Nosuchtexture");
    BackgroundChoice escapingName;
    escapingName.Pattern_Name = QStringLiteral("../PAPER4");
    const QString pipe = folder.filePath(QStringLiteral("pipe.bmp"));
    ASSERT_EQ(mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    const BackgroundChoice choices[] = {missingTexture, escapingName, fileChoice(damaged.fileName()),
                                        fileChoice(folder.filePath(QStringLiteral("absent.bmp"))), fileChoice(pipe)};
    for (const BackgroundChoice &base : choices) {
        for (const bool fade : {false, true}) {
            BackgroundChoice choice = base;
            choice.Fade = fade;
            choice.Color = QColor(0, 128, 0);
            TableBackground background(folder.path());
            background.SetScreen(QSize(200, 200), 300);
            background.Apply(choice);
            EXPECT_EQ(background.Choice().Pattern_Type, 0);
            const QImage canvas = painted(background, QSize(40, 400));
            EXPECT_EQ(canvas.pixelColor(5, 0), QColor(0, 128, 0));
            // Faded, the colour darkens down the table; plain, it stays.
            EXPECT_EQ(canvas.pixelColor(5, 399) == QColor(0, 128, 0), !fade);
        }
    }
}

TEST(TextureLibrary, EveryProgramTextureAndPackageCategoryIsThereAndSeamless)
{
    const QStringList program = TextureLibrary::ProgramTextureNames();
    const QStringList package = TextureLibrary::PackageTextureNames(programFolder());
    const QStringList builtIn = {"Cloth1", "Cloth2", "Cloth3", "Lens__flare", "Marble1", "Marble2", "Marble3",
                                 "Paper4", "Shapes____fleur_de_lis", "Shapes____hedera", "Wood1", "Wood2",
                                 "Wood3", "Wood4"};
    for (const QString &name : builtIn)
        EXPECT_TRUE(program.contains(name)) << name.toStdString();
    // The background page's categories, each by the texture whose presence shows it.
    const QStringList samples = {"Kaleidoscope01", "Marble1", "Stone1", "Glass1", "Ripples1", "Plaster1",
                                 "Landscapes____Lake__in__the__dusk", "Gradients____Copper",
                                 "Ornaments____Ornament1", "Misc1"};
    for (const QString &sample : samples)
        EXPECT_TRUE((program + package).contains(sample, Qt::CaseInsensitive)) << sample.toStdString();

    for (const QString &name : program + package) {
        SCOPED_TRACE(name.toStdString());
        const QImage picture = PictureFile::Decode(TextureLibrary::TextureData(name, programFolder()));
        ASSERT_FALSE(picture.isNull());
        if (picture.width() >= TableBackground::LargePicture.width() &&
            picture.height() >= TableBackground::LargePicture.height())
            continue; // stretched, never tiled
        // Across the seam the colour changes no more than between neighbours inside.
        auto step = [&](QPoint a, QPoint b) {
            const QColor p = picture.pixelColor(a), q = picture.pixelColor(b);
            return std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) + std::abs(p.blue() - q.blue());
        };
        double seam = 0, inside = 0;
        const int w = picture.width(), h = picture.height();
        for (int y = 0; y < h; ++y) {
            seam += step({w - 1, y}, {0, y});
            inside += step({w / 2 - 1, y}, {w / 2, y});
        }
        for (int x = 0; x < w; ++x) {
            seam += step({x, h - 1}, {x, 0});
            inside += step({x, h / 2 - 1}, {x, h / 2});
        }
        EXPECT_LT(seam, inside * 1.6 + w + h);
    }
    // The program's own "Backgrounds" pictures, which the random background also picks.
    const QStringList pictures = TableBackground::FolderFiles(programFolder() + QStringLiteral("/Backgrounds"), 1, 100);
    EXPECT_FALSE(pictures.isEmpty());
    for (const QString &file : pictures)
        EXPECT_FALSE(PictureFile::Read(file).isNull()) << file.toStdString();
}

TEST(TextureLibrary, ResourceNamesThatAreNoTextures)
{
    const struct {
        const char *resource;
        bool skipped;
    } cases[] = {{"PLYSEL", true}, {"SHUFFLE", true}, {"BST89", true}, {"__BULLETWS", true}, {"TABLA", true},
                 {"TURN", true},   {"PAPER4", false}, {"BST53", false}, {"LEATHER", false}};
    for (const auto &test : cases)
        EXPECT_EQ(TextureLibrary::IsSkippedName(QString::fromLatin1(test.resource)), test.skipped) << test.resource;
    EXPECT_EQ(TextureLibrary::TextureName(QStringLiteral("SHAPES____HEDERA")), QStringLiteral("Shapes____hedera"));
}

TEST(TableBackground, RandomBackgroundWalksItsFolderWithinLimits)
{
    const QTemporaryDir program;
    QString deep = program.filePath(QStringLiteral("Backgrounds"));
    for (int level = 0; level <= TableBackground::MaxFolderDepth + 2; ++level) {
        ASSERT_TRUE(QDir().mkpath(deep));
        writePicture(program, QSize(64, 64), QDir(program.path()).relativeFilePath(deep) + QStringLiteral("/%1.bmp").arg(level));
        // A link back up makes a loop that must not be followed.
        QFile::link(program.filePath(QStringLiteral("Backgrounds")), deep + QStringLiteral("/loop"));
        deep += QStringLiteral("/sub");
    }
    const QStringList files = TableBackground::FolderFiles(program.filePath(QStringLiteral("Backgrounds")),
                                                           TableBackground::MaxFolderDepth, 1000);
    EXPECT_EQ(files.size(), TableBackground::MaxFolderDepth + 1);
    EXPECT_LE(TableBackground::FolderFiles(program.filePath(QStringLiteral("Backgrounds")), 100, 5).size(), 5);

    TableBackground background(program.path());
    const QStringList candidates = background.RandomCandidates();
    ASSERT_TRUE(candidates.contains(files.first()));
    // A pick names a file or a texture, never both.
    for (const QString &pick : {files.first(), TextureLibrary::ProgramTextureNames().first()}) {
        const int index = int(candidates.indexOf(pick));
        ASSERT_TRUE(background.ChooseRandom([index](int) { return index; }));
        const bool file = pick == files.first();
        EXPECT_EQ(background.Choice().Pattern_Type, file ? 2 : 1);
        EXPECT_EQ(background.Choice().Pattern_File, file ? pick : QString());
        EXPECT_EQ(background.Choice().Pattern_Name, file ? QString() : pick);
    }
}
