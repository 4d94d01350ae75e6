#include "look/fuzz_entry_points.h"

#include "look/art/jpeg_codec.h"
#include "look/card_set_package.h"
#include "look/picture_file.h"

namespace {

bool acceptable(const QImage &picture)
{
    return picture.isNull() || JpegCodec::AcceptableSize(picture.size());
}

} // namespace

bool fuzzCardSetPackage(QByteArrayView bytes)
{
    CardSetPackage package;
    // Not copied: a read beyond the bytes given reaches the harness's guard page.
    if (!package.OpenData(QByteArray::fromRawData(bytes.data(), bytes.size())))
        return !package.IsOpen();
    bool sound = package.IsOpen();
    for (int size = 0; size < 3; ++size) {
        package.OffersSize(size);
        const int base = CardSetPackage::SizeBase[static_cast<size_t>(size)];
        for (int id : {base + 1, base + 53, base + 66, base + 88}) {
            package.HasPicture(id);
            sound = sound && acceptable(package.Picture(id)) && acceptable(package.Picture(id, 2.0));
        }
    }
    for (int id : {CardSetPackage::NameString, CardSetPackage::DescriptionString, CardSetPackage::DescriptionString2,
                   CardSetPackage::DescriptionString3})
        sound = sound && package.String(id).size() <= 4096;
    sound = sound && package.RequiredDepth() > 0;
    package.Close();
    return sound && !package.IsOpen();
}

bool fuzzPictureFile(QByteArrayView bytes)
{
    const QByteArray data = QByteArray::fromRawData(bytes.data(), bytes.size());
    const QImage full = PictureFile::Decode(data);
    const QImage reduced = PictureFile::Decode(data, QSize(71, 96));
    // The reduced decode never comes out larger than the full one.
    return acceptable(full) && acceptable(reduced) &&
           (full.isNull() || reduced.isNull() ||
            (reduced.width() <= full.width() && reduced.height() <= full.height()));
}
