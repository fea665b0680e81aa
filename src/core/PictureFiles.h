#pragma once
// Picture files: new documents, opening, saving, the colour-depth change, the type checks, the loader
// and the recent files. Every question and notice goes through the modal host and is waited for.
#include <QString>

#include "core/EditingState.h"

namespace modMAIN {

// ---- Picture types, loading and the recent files ----

// Splits a file name into its base (the result) and its type (the text after the last ".", empty when
// there is none or when a "/" or "\" follows that ".").
QString Get_File_Ext(const QString& name, QString& type);
// True when the type of the file's name is a supported picture type; with tell, an unsupported type is
// reported with the unsupported-type notice. No file: False, no notice.
bool Valid_image_Type(const FolderItemPtr& file, bool tell);
// Decodes the file into a picture of at least 24 bits per pixel; nullptr when there is no file, it does
// not exist, its type is not supported (the notice has been shown) or it cannot be decoded or held. The
// picture's Depth() is the depth at which later history states of a document made from it are kept
// (32 for files of fewer than 24 bits); an alpha channel comes back as its mask. The document's state is
// left alone: the callers that make the picture the document set Working_Color_Depth themselves.
PicturePtr Load_32Bit_Picture(const FolderItemPtr& file);
// The unreadable-file notice (or, for a picture too large to hold, the notice that says so).
void Not_a_Valid_image_File(const FolderItemPtr& file);
// Moves or inserts the path at the front of the recent files (paths compared as the file system does);
// with remove_only the path is only taken out.
void MRUF_Manage(const QString& path, bool remove_only);

// ---- Opening and new documents ----

// Opens the file as the document, asking for one when none is given; asks about unsaved changes first.
// True when the file became the document.
bool Open_File(const FolderItemPtr& file = nullptr);
// Asks about unsaved changes: 1 go on (saved first unless reverting), 0 go on without saving, -1 cancel
// (also when the chosen save did not write the file). 0 without asking when nothing is unsaved.
int32_t msgNeedtoSave(bool revert);
// Replaces the document by a blank white picture of the settings' canvas size (asks about unsaved
// changes first).
void image_New();
// Resets the state on show to blank white without a mask and rebuilds the working picture.
void Clear_Canvas();
// Revert to Saved: asks the revert question and reads the document's file again; the modified mark is
// cleared only when the file was read. True when the document was reverted.
bool Revert_to_Saved();

// ---- Saving and colour depth ----

// Saves to the document's file, or runs Save As when the document is untitled. True when written.
bool Save_Image();
// Asks for a file, completes its name with a type, confirms replacing a file and saves. True when written.
bool Save_image_As();
// Writes the document to the file in the format of its type (atomically: the old file stays whole when
// anything fails) and makes it the document's file. True when written.
bool Save_image_File(const FolderItemPtr& file);
// add: gives the picture a mask in which its pure-white pixels are transparent and all others opaque;
// otherwise removes its mask.
void Add_Mask(const PicturePtr& picture, bool add);
// Colors > Change Color Depth: asks for a depth and makes the working picture at that depth one undo step.
void image_change_depth();
void image_Change_Depth_old();

}  // namespace modMAIN
