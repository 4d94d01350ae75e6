#include "look/card_set_package.h"

#include "look/picture_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QResource>
#include <QtEndian>
#include <atomic>
#include <vector>

namespace {

quint32 bigEndian32(const QByteArray &bytes, qint64 offset)
{
    return qFromBigEndian<quint32>(bytes.constData() + offset);
}

quint16 bigEndian16(const QByteArray &bytes, qint64 offset)
{
    return qFromBigEndian<quint16>(bytes.constData() + offset);
}

bool inside(const QByteArray &bytes, qint64 offset, qint64 length)
{
    return offset >= 0 && length >= 0 && offset <= bytes.size() && length <= bytes.size() - offset;
}

constexpr quint16 compressedFlag = 0x01;
constexpr quint16 directoryFlag = 0x02;
constexpr quint16 zstdFlag = 0x04;
constexpr qint64 maxNodes = 200000;
constexpr quint32 maxUnpackedBytes = 16 * 1024 * 1024;

} // namespace

bool CardSetPackage::IsValidBundle(const QByteArray &bytes)
{
    if (bytes.size() < 20 || !bytes.startsWith("qres"))
        return false;
    const quint32 version = bigEndian32(bytes, 4);
    if (version < 1 || version > 3 || (version >= 3 && bytes.size() < 24))
        return false;
    const qint64 tree = bigEndian32(bytes, 8);
    const qint64 data = bigEndian32(bytes, 12);
    const qint64 names = bigEndian32(bytes, 16);
    const qint64 entrySize = version >= 2 ? 22 : 14;
    if (!inside(bytes, tree, entrySize) || !inside(bytes, data, 0) || !inside(bytes, names, 0))
        return false;
    const qint64 nodeCount = qMin<qint64>((bytes.size() - tree) / entrySize, maxNodes);
    // Qt takes the root's child range without looking at its flags: a root that is no
    // directory would send every lookup to offsets that were never checked.
    if (!(bigEndian16(bytes, tree + 4) & directoryFlag))
        return false;

    std::vector<bool> seen(static_cast<size_t>(nodeCount), false);
    std::vector<qint64> pending{0};
    while (!pending.empty()) {
        const qint64 node = pending.back();
        pending.pop_back();
        if (node < 0 || node >= nodeCount)
            return false;
        if (seen[static_cast<size_t>(node)])
            continue; // shared or cyclic links do no harm to a lookup by path; check once
        seen[static_cast<size_t>(node)] = true;
        const qint64 entry = tree + node * entrySize;
        const quint16 flags = bigEndian16(bytes, entry + 4);
        if (node != 0) {
            const qint64 name = names + bigEndian32(bytes, entry);
            if (!inside(bytes, name, 6) || !inside(bytes, name + 6, qint64(bigEndian16(bytes, name)) * 2))
                return false;
        }
        if (flags & directoryFlag) {
            const qint64 count = bigEndian32(bytes, entry + 6);
            const qint64 first = bigEndian32(bytes, entry + 10);
            if (count > nodeCount || first > nodeCount || first + count > nodeCount)
                return false;
            for (qint64 child = first; child < first + count; ++child)
                pending.push_back(child);
        } else {
            const qint64 content = data + bigEndian32(bytes, entry + 10);
            if (!inside(bytes, content, 4) || !inside(bytes, content + 4, bigEndian32(bytes, content)))
                return false;
            if (flags & zstdFlag)
                return false;
            if (flags & compressedFlag) {
                // zlib data starts with the unpacked size; refuse what would unpack absurdly large.
                if (bigEndian32(bytes, content) < 4 || bigEndian32(bytes, content + 4) > maxUnpackedBytes)
                    return false;
            }
        }
    }
    return true;
}

CardSetPackage::~CardSetPackage()
{
    Close();
}

bool CardSetPackage::Open(const QString &filePath)
{
    Close();
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxBytes)
        return false;
    return OpenData(file.readAll());
}

bool CardSetPackage::OpenData(QByteArray content)
{
    Close();
    if (content.size() > MaxBytes || !IsValidBundle(content))
        return false;
    static std::atomic<int> counter{0};
    const QString mapRoot = QStringLiteral("/tarnwick-card-set-%1").arg(++counter);
    bytes = std::move(content);
    if (!QResource::registerResource(reinterpret_cast<const uchar *>(bytes.constData()), mapRoot)) {
        bytes.clear();
        return false;
    }
    root = mapRoot;
    return true;
}

void CardSetPackage::Close()
{
    if (!root.isEmpty())
        QResource::unregisterResource(reinterpret_cast<const uchar *>(bytes.constData()), root);
    root.clear();
    bytes.clear();
}

QString CardSetPackage::path(const QString &entry) const
{
    return QLatin1Char(':') + root + QLatin1Char('/') + entry;
}

bool CardSetPackage::HasPicture(int id) const
{
    return IsOpen() && QResource(path(QStringLiteral("rcdata/%1").arg(id))).isValid();
}

QImage CardSetPackage::Picture(int id, qreal devicePixelRatio) const
{
    if (!IsOpen())
        return QImage();
    if (devicePixelRatio > 1.0) {
        const QResource dense(path(QStringLiteral("rcdata/%1@2x").arg(id)));
        if (dense.isValid()) {
            QImage picture = PictureFile::Decode(dense.uncompressedData());
            if (!picture.isNull()) {
                picture.setDevicePixelRatio(2.0);
                return picture;
            }
        }
    }
    const QResource plain(path(QStringLiteral("rcdata/%1").arg(id)));
    if (!plain.isValid())
        return QImage();
    return PictureFile::Decode(plain.uncompressedData());
}

QString CardSetPackage::String(int id) const
{
    if (!IsOpen())
        return QString();
    const QResource entry(path(QStringLiteral("string/%1").arg(id)));
    if (!entry.isValid() || entry.uncompressedSize() > 4096)
        return QString();
    return QString::fromUtf8(entry.uncompressedData()).trimmed();
}

QStringList CardSetPackage::EntryNames(const QString &folder) const
{
    if (!IsOpen())
        return {};
    return QDir(path(folder)).entryList(QDir::Files, QDir::Name);
}

QByteArray CardSetPackage::Entry(const QString &name, qint64 maxBytes) const
{
    if (!IsOpen())
        return QByteArray();
    const QResource entry(path(name));
    if (!entry.isValid() || !QFileInfo(path(name)).isFile() || entry.uncompressedSize() > maxBytes)
        return QByteArray();
    // Uncompressed entries point into the package's bytes: the copy outlives the package.
    const QByteArray data = entry.uncompressedData();
    return QByteArray(data.constData(), data.size());
}

int CardSetPackage::RequiredDepth() const
{
    bool valid = false;
    const int depth = String(DepthString).toInt(&valid);
    return valid && depth > 0 ? depth : 24;
}

bool CardSetPackage::OffersSize(int sizeIndex) const
{
    if (sizeIndex < 0 || sizeIndex > 2)
        return false;
    return HasPicture(SizeBase[static_cast<size_t>(sizeIndex)] + 1);
}
