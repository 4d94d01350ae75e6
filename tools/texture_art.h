#pragma once

#include <QImage>
#include <QString>
#include <vector>

// The table textures Tarnwick ships, drawn by our own code: tileable value noise, grain,
// weave and ornaments. Small textures are seamless when tiled; the large ones (at least
// 601 x 401) are stretched over the table instead.
namespace TextureArt {

struct Texture {
    QString resourceName; // upper case, as the texture library finds it
    QImage picture;
};

// The program's own textures, built into the executable ("PAPER4" among them).
std::vector<Texture> ProgramTextures();
// The further textures of the optional package, one or more per category.
std::vector<Texture> PackageTextures();
// The pictures of the program's "Backgrounds" folder, by file name without extension.
std::vector<Texture> FolderPictures();

} // namespace TextureArt
