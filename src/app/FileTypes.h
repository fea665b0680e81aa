#pragma once
// The three file-type sets the program declares at start. Only FileTypes2 is used afterwards: its type
// list tells the main window to accept dropped files of any type (the drop handler then checks the
// picture type of each file itself).
#include <QList>
#include <QString>

struct FileType {
  QString Name;        // "image/png"; "special/any" stands for any file
  QString Extensions;  // ".png", or a list
  QString MacType;     // four characters; "????" is the wildcard
  QString MacCreator;
};

namespace FileTypes_GRADIENT {
inline FileType pGradient;
// The names of the set's types, each followed by ";".
QString All();
}  // namespace FileTypes_GRADIENT

namespace FileTypes_for_Finder {
inline FileType pImageGif;
inline FileType pImageJpeg;
inline FileType pImagePng;
inline FileType pImageTiff;
inline FileType pImageXBmp;
QString All();
}  // namespace FileTypes_for_Finder

namespace FileTypes2 {
inline FileType pSpecialAny;
// "special/any;": the type list the main window accepts dropped files by.
QString All();
}  // namespace FileTypes2

// Declares the three sets, in the order FileTypes_GRADIENT, FileTypes_for_Finder (GIF, JPEG, PNG, TIFF,
// BMP), FileTypes2. Called once by the start step; a second call changes nothing.
void _InitFileTypes();
// Every declared type in the order of declaration.
const QList<FileType>& Declared_File_Types();
