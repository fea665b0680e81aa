#pragma once
// A picture: a colour plane with an optional mask, a depth tag, the "white is transparent" flag and a
// drawing state that persists between drawing calls.
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "platform/TiledPlane.h"
#include "platform/Types.h"

namespace Platform {

class Graphics;
class Picture;
using PicturePtr = std::shared_ptr<Picture>;

// What a graphics context remembers between calls.
struct DrawState {
  Color foreColor = 0;
  int penWidth = 1;
  int penHeight = 1;
  bool antiAlias = false;  // false: the old renderer, plain drawing without anti-aliasing
  QString textFont = QStringLiteral("System");
  double textSize = 0;  // 0: the default size (12 pixels)
  bool bold = false;
  bool italic = false;
  bool underline = false;
};

// Who follows what changes in a picture's pixels: each reader takes the changes made since it last took
// them, without disturbing the other.
enum class ChangeReader { Screen, History, Count };

class Picture : public std::enable_shared_from_this<Picture> {
  struct Private {};

 public:
  // Pictures larger than this many pixels are refused before any allocation is tried.
  static constexpr qint64 kMaxPixels = 400LL * 1000 * 1000;

  // A new picture of w x h at the given depth (24 or 32), filled with opaque white. Throws
  // OutOfMemoryException when the size is not positive, too large, or the memory cannot be had.
  static PicturePtr Create(int w, int h, int depth = 32);
  // The same without the white: for a caller that writes every pixel itself. Its pixels start undefined.
  static PicturePtr CreateUnfilled(int w, int h, int depth = 32);
  // A picture holding a copy of the image: its colour plane becomes RGB32 (RGB888 at depth 24); an alpha
  // channel becomes the mask. Throws OutOfMemoryException for a null image.
  static PicturePtr FromImage(const QImage& image, int depth = 32);
  // A picture whose colour plane is the tiled plane (shared, never copied); at the plane's depth.
  static PicturePtr FromTiles(TiledPlanePtr plane);
  // True when a picture of w x h can be asked for at all (positive and within kMaxPixels).
  static bool SizeAllowed(qint64 w, qint64 h);

  Picture(Private, QImage image, int depth, bool isMask);

  int Width() const { return tiles_ ? tiles_->Width() : image_.width(); }
  int Height() const { return tiles_ ? tiles_->Height() : image_.height(); }
  int Depth() const { return depth_; }
  bool IsMask() const { return isMask_; }

  // The colour plane: RGB32 for depth 32, RGB888 for depth 24, Grayscale8 for a mask. A tiled picture
  // is given a plane of its own first and is a plain picture from then on. Whoever takes the plane for
  // writing may change any pixel at any time: until Settle, every reader sees the whole picture changed.
  QImage& Image() {
    Flatten();
    WritesUnknown();
    return image_;
  }
  // The colour plane for a change of the pixels inside the area alone, which readers see as changed.
  QImage& ImageFor(const QRect& area) {
    Flatten();
    NoteChanged(area);
    return image_;
  }
  const QImage& Image() const {
    Flatten();
    return image_;
  }
  // The tiles of a picture kept as tiles, or nullptr.
  const TiledPlanePtr& Tiles() const { return tiles_; }
  // Row y of the colour plane as 32-bit pixels (w of them), without making a tiled picture plain.
  void ReadRow(int y, QRgb* out) const;

  // The mask, made on request fully opaque (black). A mask has no mask of its own (returns nullptr).
  bool HasMask() const { return mask_ != nullptr; }
  PicturePtr Mask();
  PicturePtr MaskIfAny() const { return mask_; }
  void RemoveMask() { mask_.reset(); }
  // Gives the picture a mask with every pixel opaque; a mask known to be so already is left as it is.
  void MakeMaskOpaque();
  // True when the picture has a mask that is known to let every pixel through.
  bool MaskOpaque() const;

  // ---- What changed ----
  // Records that the pixels inside the area (the part inside the picture) may have changed.
  void NoteChanged(const QRect& area);
  // The area changed since the reader last took its changes, now taken: the whole picture while the
  // plane is out for writing (Image()), and for a picture that the reader has never seen.
  QRect TakeChanged(ChangeReader reader);
  // The same, left for the reader to take.
  QRect Changed(ChangeReader reader) const;
  // The whole plane was handed out for writing, and nothing tells when those writes end.
  bool WritesPending() const { return writesPending_; }
  // Those writes are over: readers see the whole picture changed once more, then changes are followed
  // by their areas again.
  void Settle();
  // Grows with every change of the pixels (and with every handing out of the plane for writing).
  quint64 Generation() const { return generation_; }

  // 1: pure white pixels are transparent when the picture is drawn or exported.
  int Transparent = 0;

  DrawState& State() { return state_; }
  const DrawState& State() const { return state_; }
  // A graphics context drawing into this picture, sharing its drawing state.
  Platform::Graphics Graphics();

  // Pixel surface: reads give 0 outside the picture; writes outside it are skipped.
  Color Pixel(int x, int y) const;
  void SetPixel(int x, int y, Color c);

  // The picture with its mask and transparency flag turned into alpha (premultiplied ARGB).
  QImage ToARGB() const { return ToARGB(QRect(0, 0, Width(), Height())); }
  // The same for one area of the picture.
  QImage ToARGB(const QRect& area) const;
  // True when drawing this picture needs its alpha form (a mask that may hide pixels, or white is
  // transparent).
  bool NeedsAlpha() const { return (mask_ != nullptr && !MaskOpaque()) || Transparent != 0; }

  // A deep copy: colour plane, mask, flag and drawing state.
  PicturePtr Clone() const;
  // A copy of the colour plane alone at another depth (24 or 32), without mask.
  PicturePtr CopyAtDepth(int depth) const;
  // Makes this picture a fresh copy of the source's colour plane without allocating: true when the sizes
  // and depths allow it and nothing else shares this picture's pixels. The transparency flag and the
  // drawing state start afresh, as for a new picture; the mask is dropped unless keepMask, in which case
  // its memory stays for the caller to fill. With areas, only the pixels inside them are copied: the
  // caller knows that the two pictures differ nowhere else.
  bool RefillFrom(const Picture& source, bool keepMask = false, const std::vector<QRect>* areas = nullptr);

 private:
  void Flatten() const;
  void WritesUnknown();
  QRect Whole() const { return QRect(0, 0, Width(), Height()); }

  mutable QImage image_;
  mutable TiledPlanePtr tiles_;  // when set, the colour plane (image_ is then null)
  int depth_;
  bool isMask_;
  PicturePtr mask_;
  DrawState state_;
  QRect changed_[int(ChangeReader::Count)];  // for each reader: what changed since it last took it
  bool fresh_[int(ChangeReader::Count)] = {true, true};  // the reader has not yet taken any change
  bool writesPending_ = false;
  quint64 generation_ = 0;
  quint64 maskOpaqueAt_ = ~quint64(0);  // the mask's generation when it was last made fully opaque
};

// Allocates an image of the given format, with the program's size check; throws OutOfMemoryException.
QImage AllocateImage(int w, int h, QImage::Format format);

// Memory shortage on demand, for tests: while a refusal is set, every allocation of a picture, a large
// buffer or a history state of `bytes` for which it answers true fails as the memory would.
void SetAllocationRefusal(std::function<bool(qint64 bytes)> refuse);
// True when the allocation is to fail (always false unless a test set a refusal).
bool AllocationRefused(qint64 bytes);

// One row of 32-bit pixels narrowed to R, G, B bytes, and back to opaque 32-bit pixels.
void Rgb32ToRgb888(const QRgb* s, uchar* d, int w);
void Rgb888ToRgb32(const uchar* s, QRgb* d, int w);

// A block of bytes the size of a whole picture's data, got like the memory of large pictures; throws
// OutOfMemoryException when it cannot be had. Its contents start undefined.
class LargeBuffer {
 public:
  explicit LargeBuffer(size_t bytes);
  ~LargeBuffer();
  LargeBuffer(const LargeBuffer&) = delete;
  LargeBuffer& operator=(const LargeBuffer&) = delete;
  uchar* Data() const { return data_; }
  size_t Size() const { return size_; }

 private:
  uchar* data_ = nullptr;
  size_t size_ = 0;
};

}  // namespace Platform
