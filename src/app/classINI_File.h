#pragma once
// The settings store: text values addressed by a section and a key, read from and written to one text
// file in INI form. Typed access converts to and from the stored text on every call, so a value keeps the
// exact text under which it was read or put until the file is saved.
#include <QMap>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <utility>

#include "platform/FolderItem.h"
#include "platform/Types.h"

class classINI_File {
 public:
  // Keeps the file's path; the file is not read until Load.
  explicit classINI_File(const Platform::FolderItemPtr& file);
  virtual ~classINI_File() = default;

  // Each Get returns the stored value converted to the type; when the key is absent it stores the
  // default (a text default only when it is not blank) and returns it.
  virtual bool Get(const QString& section, const QString& key, bool def);
  virtual Platform::Color GetColor(const QString& section, const QString& key, Platform::Color def);
  virtual int32_t Get(const QString& section, const QString& key, int32_t def);
  virtual float Get(const QString& section, const QString& key, float def);
  virtual double Get(const QString& section, const QString& key, double def);
  virtual QString Get(const QString& section, const QString& key, const QString& def);
  QString Get(const QString& section, const QString& key, const char* def) { return Get(section, key, QString::fromUtf8(def)); }

  // Replaces the store's contents with the entries of the file; a missing or unreadable file, anything
  // but a regular file, or a file larger than kMaxFileBytes gives an empty store. Lines longer than
  // kMaxLineLength characters are skipped.
  virtual void Load();
  static constexpr qint64 kMaxFileBytes = 8 * 1024 * 1024;
  static constexpr qsizetype kMaxLineLength = 64 * 1024;

  virtual void Put(const QString& section, const QString& key, bool value);
  virtual void PutColor(const QString& section, const QString& key, Platform::Color value);
  virtual void Put(const QString& section, const QString& key, int32_t value);
  virtual void Put(const QString& section, const QString& key, float value);
  virtual void Put(const QString& section, const QString& key, double value);
  virtual void Put(const QString& section, const QString& key, const QString& value);
  void Put(const QString& section, const QString& key, const char* value) { Put(section, key, QString::fromUtf8(value)); }

  virtual void Remove(const QString& section, const QString& key);
  virtual void Remove_Section(const QString& section);

  // Writes every entry, sorted, to a temporary file beside the settings file and renames it over the old
  // one only when the whole write succeeded. Only a regular file is replaced (through a link, the file
  // it leads to); a device, a pipe, a folder or a link to anything else or to nothing is left alone.
  // Returns false when nothing was written.
  virtual bool Save();
  // Why the last Save wrote nothing, as the file system said it; empty after a save that succeeded.
  const QString& Save_Error() const { return save_error_; }

  // Whether the key holds a value, and the keys (lower case) of one section in the store.
  bool Has(const QString& section, const QString& key) const;
  QStringList Section_Keys(const QString& section) const;

  // The text forms of the typed values, and the reading of a colour's text.
  static QString Text_Of(bool value);
  static QString Text_Of(Platform::Color value);
  static QString Text_Of(double value, int precision);
  static Platform::Color Color_Of(const QString& text);

 private:
  // The normalised section and key of an entry. Either may hold a "/", so they are kept apart rather
  // than joined into one text.
  using Key = std::pair<QString, QString>;
  void Clear() { INI_Data.clear(); }
  static Key Real_Key(const QString& section, const QString& key);

  // Sorted by section, then key: each section's entries stay together.
  QMap<Key, QString> INI_Data;
  Platform::FolderItemPtr FileInfo;
  QString save_error_;
};
