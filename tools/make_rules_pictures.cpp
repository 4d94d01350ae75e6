// Deals every game this program has with our own engine and cards and draws the dealt
// layout into a small PNG for the game's rules page in the help, named as the page is.
//
// Usage: make_rules_pictures <out folder>

#include "app/game_picture.h"
#include "engine/card_pictures.h"
#include "games/catalogue.h"
#include "games/game_definitions.h"
#include "look/card_sets.h"
#include "look/card_sizing.h"

#include <QDir>
#include <QApplication>
#include <QImage>

#include <cstdio>

namespace {

// The largest a rules page's picture may be; its shape follows the game's table.
constexpr QSize PictureBox(400, 300);

// "Flower Garden" -> "flower_garden", as the rules pages are named.
QString pageName(const char *gameName)
{
    return QString::fromLatin1(gameName).toLower().replace(QLatin1Char(' '), QLatin1Char('_'));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        std::fputs("usage: make_rules_pictures <out folder>\n", stderr);
        return 2;
    }
    const QDir out(arguments[1]);
    if (!QDir().mkpath(out.path())) {
        std::fputs("make_rules_pictures: cannot make the folder\n", stderr);
        return 1;
    }
    // The program's own default cards, drawn by our card renderer.
    CardPictures pictures;
    CardSetEnvironment environment;
    CardSets sets(pictures, environment);
    sets.LoadSet(0, CardSizing::Normal);
    PicturesInUse inUse(pictures);

    GameDeals deals;
    registerDealtGames(deals);
    GamePictureMaker maker(deals, nullptr, &sets);
    for (const GameDefinition *game : DealtGames()) {
        // The whole table at the normal card size, scaled to the page.
        const QImage table = maker.FullPicture(game->id);
        const QImage picture = table.scaled(PictureBox, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        const QString file = out.filePath(pageName(game->name) + QStringLiteral(".png"));
        if (picture.isNull() || !picture.save(file, "PNG")) {
            std::fprintf(stderr, "make_rules_pictures: could not write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
