#pragma once
// The program's name and version as it shows and sends them.
#include <QString>
#include <cstdint>

inline QString PGM_Name;
inline QString PGM_Version;

// The long version text of the program, of the form "Pixmura [v1.0]": the version is a decimal number,
// as the update check compares versions.
QString Long_Version_Text();
// The version cut: the text after "[" and the one character following it, up to the first "]".
QString Cut_Version(const QString& longVersion);
// Sets PGM_Name and PGM_Version.
void Set_Program_Identity();
// The application's build number (the non-release version number of its version information).
int32_t Build_Number();
