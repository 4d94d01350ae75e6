#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <stdexcept>

class QSettings;

// Texts of the language resource library.
namespace LocText {
inline constexpr char LoadError[] = "Error loading resource file \"%1\"";
inline constexpr char InvalidFormat[] = "Invalid resource file format";
inline constexpr char OutOfVersion[] =
    "The version of the resource file \"%1\" is invalid. Please, update the file and try again";
inline constexpr char OutOfVersionNoFile[] =
    "The version of the resource file is invalid. Please, update the file and try again";
inline constexpr char ErrorCaption[] = "Localizer error";
inline constexpr char ResFileName[] = "ResFileName";
} // namespace LocText

// The settings resource that a program and a language library each carry.
struct LocSettings {
    static constexpr char ProgramSignature[] = "KEXE";
    static constexpr char LibrarySignature[] = "LDLL";
    static constexpr char ProgramResource[] = ":/rcdata/_KRH_EXESETTINGS";
    // Where a library's own resource lies once its bundle is opened.
    static constexpr char LibraryResource[] = ":/language/rcdata/_KRH_LIBSETTINGS";
    static constexpr char LibraryRoot[] = "/language";

    QByteArray signature;
    quint32 version = 0;
    quint16 languageId = 0;
    QByteArray languageName; // 8-bit text
    QString shortName;
    quint32 extra = 0;
};

// Every error of the library, with the message it is shown with.
class ELocalizationError : public std::runtime_error {
public:
    explicit ELocalizationError(const QString &message);
    QString Message() const { return message; }

private:
    QString message;
};
class ELULoadResLibError : public ELocalizationError {
public:
    explicit ELULoadResLibError(const QString &fileName);
};
class ELUInvalidResLibrary : public ELocalizationError {
public:
    ELUInvalidResLibrary();
};
class ELUOutOfVersion : public ELocalizationError {
public:
    explicit ELUOutOfVersion(const QString &fileName = QString());
};

// Reads a settings resource; every length is checked against the bytes present, and a short
// or malformed resource (or one without the expected signature) raises ELUInvalidResLibrary.
LocSettings DecodeLocSettings(const QByteArray &bytes, const char *signature);

// `TKLocUtils`: lets the program take its resources from a language library of the same
// version instead of its own. A library is a Qt resource bundle ("rcc -binary") carrying
// "_KRH_LIBSETTINGS"; using it opens it under LibraryRoot and keeps it open until another
// library (or the program's own resources) replaces it.
class TKLocUtils {
public:
    TKLocUtils();
    ~TKLocUtils();
    TKLocUtils(const TKLocUtils &) = delete;
    TKLocUtils &operator=(const TKLocUtils &) = delete;

    // The settings key (a group of the settings) that names the library; empty at creation.
    QString SettingsKey;
    bool ShowErrors = true;
    // The localisation error box ("Localizer error", error icon); tests replace it.
    std::function<void(const QString &message)> ShowError;

    // With a key, reads its "ResFileName" and uses that library; a localisation error is
    // shown (when ShowErrors is on) instead of passed on.
    void UseLibraryFromSettings(const QString &key, QSettings &settings);
    // An empty name means the program itself. Raises ELULoadResLibError when the file does
    // not open as a library and ELUOutOfVersion (after closing it) when it does not fit.
    void UseLibrary(const QString &fileName);
    // Both settings resources exist and carry their signatures (else ELUInvalidResLibrary);
    // true when their versions agree.
    static bool Validate();
    // The library in use; empty while the program uses its own resources.
    QString Library() const { return library; }

private:
    void closeLibrary();
    QString library;
};

// The one instance, made on first use.
TKLocUtils &LocUtils();
