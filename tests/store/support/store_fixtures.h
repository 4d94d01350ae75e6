#pragma once

#include "store/clock.h"
#include "store/display_info.h"
#include "store/store_locations.h"

#include <QByteArray>
#include <QDateTime>
#include <QTemporaryDir>
#include <cstring>

// A clock the test sets.
class FakeClock : public Clock {
public:
    explicit FakeClock(QDateTime time) : time_(std::move(time)) {}
    QDateTime now() const override { return time_; }
    void set(const QDateTime &time) { time_ = time; }

private:
    QDateTime time_;
};

// A 24-bit 1280 x 1024 display with a work area of 1280 x 984, or another one.
FixedDisplayInfo testDisplay(int depth = 24, QSize screen = QSize(1280, 1024));

// Empty configuration, data, program, documents and desktop folders in a temporary folder.
class TempFolders {
public:
    TempFolders();
    bool isValid() const { return root_.isValid(); }
    QString path(const QString &name) const { return root_.filePath(name); }
    const StoreLocations &locations() const { return locations_; }

private:
    QTemporaryDir root_;
    StoreLocations locations_;
};

// Bytes put at fixed offsets, written straight from the byte tables of the formats rather
// than through the code under test.
class Bytes {
public:
    explicit Bytes(qsizetype size) : data_(size, '\0') {}
    Bytes &i16(qsizetype offset, qint16 value) { return put(offset, &value, 2); }
    Bytes &i32(qsizetype offset, qint32 value) { return put(offset, &value, 4); }
    Bytes &u8(qsizetype offset, quint8 value) { return put(offset, &value, 1); }
    Bytes &f64(qsizetype offset, double value) { return put(offset, &value, 8); }
    // A length byte, then the text (Latin-1 here).
    Bytes &str(qsizetype offset, const char *text)
    {
        const auto length = std::strlen(text);
        u8(offset, quint8(length));
        return put(offset + 1, text, qsizetype(length));
    }
    Bytes &raw(qsizetype offset, const QByteArray &bytes) { return put(offset, bytes.constData(), bytes.size()); }
    const QByteArray &data() const { return data_; }
    operator QByteArray() const { return data_; }
    operator QByteArrayView() const { return data_; }

private:
    // The machine is little-endian, as the files are.
    Bytes &put(qsizetype offset, const void *value, qsizetype size)
    {
        std::memcpy(data_.data() + offset, value, std::size_t(size));
        return *this;
    }
    QByteArray data_;
};

// While it lives, files of this process cannot grow beyond maxBytes (writes fail as on a full
// disk, also for root).
class FileSizeLimit {
public:
    explicit FileSizeLimit(long maxBytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    unsigned long long previousSoft_;
    unsigned long long previousHard_;
    void (*previousHandler_)(int);
};

QByteArray readFile(const QString &path);
void writeFile(const QString &path, const QByteArray &bytes);
