#include "app/loc_utils.h"


#include <QFile>
#include <QMessageBox>
#include <QResource>
#include <QSettings>
#include <QtEndian>

namespace {

// A little-endian reader that refuses to read past the bytes it has.
class ResourceReader {
public:
    explicit ResourceReader(const QByteArray &bytes) : bytes(bytes) {}

    bool has(qsizetype count) const { return count >= 0 && bytes.size() - at >= count; }
    QByteArray take(qsizetype count)
    {
        if (!has(count))
            throw ELUInvalidResLibrary();
        const QByteArray part = bytes.mid(at, count);
        at += count;
        return part;
    }
    quint16 word() { return qFromLittleEndian<quint16>(take(2).constData()); }
    quint32 doubleWord() { return qFromLittleEndian<quint32>(take(4).constData()); }

private:
    const QByteArray &bytes;
    qsizetype at = 0;
};

QByteArray readResource(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ELUInvalidResLibrary();
    return file.readAll();
}

} // namespace

ELocalizationError::ELocalizationError(const QString &text) : std::runtime_error(text.toStdString()), message(text) {}

ELULoadResLibError::ELULoadResLibError(const QString &fileName)
    : ELocalizationError(QString::fromLatin1(LocText::LoadError).arg(fileName))
{
}

ELUInvalidResLibrary::ELUInvalidResLibrary() : ELocalizationError(QString::fromLatin1(LocText::InvalidFormat)) {}

ELUOutOfVersion::ELUOutOfVersion(const QString &fileName)
    : ELocalizationError(fileName.isEmpty() ? QString::fromLatin1(LocText::OutOfVersionNoFile)
                                            : QString::fromLatin1(LocText::OutOfVersion).arg(fileName))
{
}

LocSettings DecodeLocSettings(const QByteArray &bytes, const char *signature)
{
    ResourceReader reader(bytes);
    LocSettings settings;
    settings.signature = reader.take(4);
    if (settings.signature != QByteArray(signature))
        throw ELUInvalidResLibrary();
    settings.version = reader.doubleWord();
    settings.languageId = reader.word();
    settings.languageName = reader.take(reader.word());
    const quint16 shortLength = reader.word();
    const QByteArray shortName = reader.take(qsizetype(shortLength) * 2);
    settings.shortName = QString::fromUtf16(reinterpret_cast<const char16_t *>(shortName.constData()), shortLength);
    reader.take(4); // reserved
    if (reader.has(4))
        settings.extra = reader.doubleWord();
    return settings;
}

TKLocUtils::TKLocUtils()
{
    ShowError = [](const QString &message) {
        QMessageBox::critical(nullptr, QString::fromLatin1(LocText::ErrorCaption), message);
    };
}

TKLocUtils::~TKLocUtils()
{
    closeLibrary();
}

void TKLocUtils::UseLibraryFromSettings(const QString &key, QSettings &settings)
{
    SettingsKey = key;
    if (key.isEmpty())
        return;
    try {
        settings.beginGroup(key);
        const QString fileName = settings.value(QString::fromLatin1(LocText::ResFileName)).toString();
        settings.endGroup();
        UseLibrary(fileName);
    } catch (const ELocalizationError &error) {
        if (ShowErrors && ShowError)
            ShowError(error.Message());
    }
}

void TKLocUtils::UseLibrary(const QString &fileName)
{
    if (fileName.isEmpty()) {
        closeLibrary();
        return;
    }
    // One library at a time lies under the library root.
    closeLibrary();
    if (!QResource::registerResource(fileName, QString::fromLatin1(LocSettings::LibraryRoot)))
        throw ELULoadResLibError(fileName);
    bool valid = false;
    try {
        valid = Validate();
    } catch (...) {
        QResource::unregisterResource(fileName, QString::fromLatin1(LocSettings::LibraryRoot));
        throw;
    }
    if (!valid) {
        QResource::unregisterResource(fileName, QString::fromLatin1(LocSettings::LibraryRoot));
        throw ELUOutOfVersion(fileName);
    }
    library = fileName;
}

bool TKLocUtils::Validate()
{
    const LocSettings program =
        DecodeLocSettings(readResource(QString::fromLatin1(LocSettings::ProgramResource)), LocSettings::ProgramSignature);
    const LocSettings library =
        DecodeLocSettings(readResource(QString::fromLatin1(LocSettings::LibraryResource)), LocSettings::LibrarySignature);
    return program.version == library.version;
}

void TKLocUtils::closeLibrary()
{
    if (library.isEmpty())
        return;
    QResource::unregisterResource(library, QString::fromLatin1(LocSettings::LibraryRoot));
    library.clear();
}

TKLocUtils &LocUtils()
{
    static TKLocUtils instance;
    return instance;
}
