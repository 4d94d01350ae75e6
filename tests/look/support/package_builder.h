#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QMap>
#include <QSize>
#include <QString>

// Builds card-set packages for tests with Qt's own rcc: entries by name ("rcdata/1",
// "rcdata/1@2x", "string/6717") and their bytes.
class PackageBuilder {
public:
    void Add(const QString &name, const QByteArray &bytes) { entries[name] = bytes; }
    void AddPicture(int id, const QImage &picture);
    void AddString(int id, const QString &text);
    void Remove(const QString &name) { entries.remove(name); }

    struct SizeContent {
        bool joker = true;
        bool marks = true;
        bool setBack = true;  // back 13
        bool otherBacks = false;
    };
    // Plain coloured pictures for faces, joker, marks and backs of one size at its base.
    void AddSize(int base, QSize card, SizeContent content);
    void AddSize(int base, QSize card) { AddSize(base, card, SizeContent()); }

    // Writes the bundle; false when rcc fails.
    bool Write(const QString &path) const;

private:
    QMap<QString, QByteArray> entries;
};

// A flat picture with a distinct colour per number, opaque, of the given size.
QImage FlatPicture(QSize size, int number);
QByteArray Png(const QImage &picture);
