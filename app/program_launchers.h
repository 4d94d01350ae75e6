#pragma once

#include <QString>

// The program's own launchers ("Tarnwick.desktop") on the desktop and in the start menu.
namespace ProgramLaunchers {
inline constexpr char FileName[] = "Tarnwick.desktop";
QString StartMenuFolder();
bool Exists(const QString &folder);
// Writes or removes the launcher of the program in a folder; false when that failed.
bool Set(const QString &folder, bool present, const QString &programPath);
} // namespace ProgramLaunchers
