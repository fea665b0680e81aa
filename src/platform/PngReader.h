#pragma once
// A fast reader for the plainest PNG files, which this program writes itself: 8-bit RGB or RGBA, not
// interlaced, with no chunks but IHDR, IDAT and IEND. It decodes with libdeflate and gives the pixels
// Qt's reader gives such a file; every other file (and any fault found in one) is left to Qt's reader.
#include <QImage>
#include <QString>

namespace Platform::PngReader {

// Decodes the file into the image, which has the file's size and the format of the picture the program
// keeps of it: RGB888 for an RGB file (the 24-bit plane), ARGB32 (as Qt's reader gives it) for RGBA.
// True when every pixel was written; false, with the image's pixels undefined, for a file this reader
// does not take or one it finds at fault.
bool DecodeInto(const QString& path, QImage& image);

}  // namespace Platform::PngReader
