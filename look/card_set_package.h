#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <array>

// A card-set package ("sdeck.dll", "cdeck<N>.dll"): a Qt binary resource bundle holding
// pictures by integer id under "rcdata/<id>" (optionally a twice-as-dense "rcdata/<id>@2x"
// for HiDPI screens) and strings under "string/<id>". The bundle is checked for sound
// structure before Qt sees it, registered while open and unregistered on Close.
class CardSetPackage {
public:
    // Resource bases of the three sizes and the string ids.
    static constexpr std::array<int, 3> SizeBase = {11000, 0, 12000};
    static constexpr int NameString = 6717;
    static constexpr int DescriptionString = 6718;
    static constexpr int DescriptionString2 = 6722;
    static constexpr int DescriptionString3 = 6719;
    static constexpr int DepthString = 6721;
    static constexpr qint64 MaxBytes = 128 * 1024 * 1024;

    CardSetPackage() = default;
    ~CardSetPackage();
    CardSetPackage(const CardSetPackage &) = delete;
    CardSetPackage &operator=(const CardSetPackage &) = delete;

    // False for a missing, oversized or damaged file.
    bool Open(const QString &path);
    // The same for the bytes of a package; they are kept (not copied) while it is open.
    bool OpenData(QByteArray content);
    void Close();
    bool IsOpen() const { return !root.isEmpty(); }

    bool HasPicture(int id) const;
    // The picture of an id; with a ratio above 1 the dense copy when the package has one
    // (carrying that ratio). Null when absent or undecodable.
    QImage Picture(int id, qreal devicePixelRatio = 1.0) const;
    // A string entry (at most a few kilobytes); empty when absent.
    QString String(int id) const;
    // The names of the entries in a folder of the package ("rcdata"), and the bytes of one
    // entry (empty when absent or larger than maxBytes).
    QStringList EntryNames(const QString &folder) const;
    QByteArray Entry(const QString &name, qint64 maxBytes) const;
    // The colour depth the set needs (string 6721), 24 when absent or unreadable.
    int RequiredDepth() const;
    // Whether the package holds the first face of size index 0, 1, 2.
    bool OffersSize(int sizeIndex) const;

    // The structure check: header, tree, names and data all inside the bytes; entries
    // uncompressed or zlib-compressed within limits.
    static bool IsValidBundle(const QByteArray &bytes);

private:
    QString path(const QString &entry) const;

    QByteArray bytes;
    QString root;
};
