#pragma once
// File services for the backup: wildcard listing with attributes, DOS
// date-and-time, file identity, and an archive mark that behaves like the
// Windows archive attribute on a file system that has none.
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace FileServices {

// The absolute, cleaned form of a path.
QString absolutePath(const QString &path);
// Folder and name parts ("/a/b/*.mdb" → "/a/b", "*.mdb").
QString folderOf(const QString &path);
QString nameOf(const QString &path);
// `*` any run of characters, `?` one character; "*.*" matches every name,
// names without a dot included. Letter case is ignored, as on the system the
// archives come from.
bool wildcardMatch(const QString &pattern, const QString &name);

// Sub-folders of `folder` that are not hidden (a name starting with "." stands
// for a hidden folder), in the order the file system lists them.
QStringList visibleSubFolders(const QString &folder);
// Entries of `folder` that are not folders and match `pattern`, hidden ones
// included.
QStringList matchingFiles(const QString &folder, const QString &pattern);

// Device and inode: what makes two names the same file.
struct Identity {
  quint64 device = 0, inode = 0;
  bool valid() const { return inode != 0; }
  bool operator==(const Identity &o) const { return device == o.device && inode == o.inode; }
};
Identity identity(const QString &path);

// Last modification in local time as a DOS date-and-time; -1 when it cannot
// be obtained or lies outside 1980–2107.
qint32 dosDateTime(const QString &path);
qint32 dosDateTime(const QDateTime &local);

// The archive mark: set for a file whose content changed (or that is new)
// since the mark was last cleared, cleared by the backup, remembered across
// restarts. It is kept as the file's state (device, inode, size and
// modification time to the nanosecond) at the moment of clearing, in a small
// register file; a file whose state differs from what was registered is
// marked.
bool archiveMarkSet(const QString &path);
void clearArchiveMark(const QString &path);
// The register (default: CorvaneTessaly/archive-marks in the user's data
// folder); tests point it elsewhere.
void setArchiveRegister(const QString &path);
QString archiveRegister();

} // namespace FileServices
