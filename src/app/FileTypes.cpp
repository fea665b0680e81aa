#include "app/FileTypes.h"

namespace {
QList<FileType>& Declared() {
  static QList<FileType> d;
  return d;
}

FileType Declare(const char* name, const char* extensions, const char* macType, const char* creator) {
  FileType t{QString::fromLatin1(name), QString::fromLatin1(extensions), QString::fromLatin1(macType),
             QString::fromLatin1(creator)};
  Declared().append(t);
  return t;
}

QString NamesOf(std::initializer_list<const FileType*> types) {
  QString all;
  for (const FileType* t : types)
    if (!t->Name.isEmpty()) all += t->Name + QLatin1Char(';');
  return all;
}
}  // namespace

QString FileTypes_GRADIENT::All() { return NamesOf({&pGradient}); }

QString FileTypes_for_Finder::All() {
  return NamesOf({&pImageGif, &pImageJpeg, &pImagePng, &pImageTiff, &pImageXBmp});
}

QString FileTypes2::All() { return NamesOf({&pSpecialAny}); }

void _InitFileTypes() {
  if (!Declared().isEmpty()) return;
  FileTypes_GRADIENT::pGradient = Declare("text/plain", ".gradient", "????", "????");
  FileTypes_for_Finder::pImageGif = Declare("image/gif", ".gif", "GIFf", "prvw");
  FileTypes_for_Finder::pImageJpeg = Declare("image/jpeg", ".jpeg;.jpg", "JPEG", "prvw");
  FileTypes_for_Finder::pImagePng = Declare("image/png", ".png", "PNGf", "ogle");
  FileTypes_for_Finder::pImageTiff = Declare("image/tiff", ".tiff", "TIFF", "????");
  FileTypes_for_Finder::pImageXBmp = Declare("image/x-bmp", ".bmp", "BMPf", "ogle");
  FileTypes2::pSpecialAny = Declare("special/any", "jpg,jpeg,bmp,gif,png,tiff", "????", "????");
}

const QList<FileType>& Declared_File_Types() { return Declared(); }
