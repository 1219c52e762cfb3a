#pragma once
// The archive writer: writes a set of files into a backup archive of
// counted GBK strings, segments of zlib-compressed or stored 16 KiB chunks,
// and volumes of a limited size.
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QFile;

enum TBackupMode { bmAll, bmIncremental };
enum TCompressionLevel { clFastest, clNone, clDefault, clMax };
enum TRestoreMode { rmAll, rmNoOverwrite, rmNewer, rmExisting, rmExistingNewer };
using TPercentage = quint8; // 0 to 100

class TBackupFile;
using TProgressEvent = std::function<void(TBackupFile &Sender, const QString &Filename, TPercentage Percent, bool &Continue)>;
using TNeedDiskEvent = std::function<void(TBackupFile &Sender, quint16 DiskID, bool &Continue)>;
using TBackupErrorEvent = std::function<void(TBackupFile &Sender, const int Error, const QString &ErrString)>;
using TRestoreFileEvent = std::function<void(TBackupFile &Sender, QString &Filename, int FA, bool &DoRestore)>;
using TFileRestoredEvent = std::function<void(TBackupFile &Sender, QString &Filename, QFile *&Stream)>;

// A source file that exists but cannot be opened while the sizes are
// measured: passed to the caller, before any archive is written.
class EFOpenError : public std::runtime_error {
public:
  explicit EFOpenError(const QString &path)
      : std::runtime_error(QStringLiteral("无法打开文件 %1").arg(path).toStdString()) {}
};

class TBackupFile : public QObject {
  Q_OBJECT
public:
  explicit TBackupFile(QObject *owner = nullptr);
  ~TBackupFile() override;

  // Published properties, in their declaration order.
  QString Version() const { return QStringLiteral("5.10"); }
  void setVersion(const QString &) {} // reading always yields "5.10"
  QString BackupTitle;
  TBackupMode BackupMode() const { return m_backupMode; }
  void setBackupMode(TBackupMode m); // bmIncremental also turns SetArchiveFlag on
  TCompressionLevel CompressionLevel = clFastest;
  TRestoreMode RestoreMode = rmAll;
  qint32 MaxSize = 0;
  bool SetArchiveFlag = false;
  TProgressEvent OnProgress;
  TNeedDiskEvent OnNeedDisk;
  TRestoreFileEvent OnRestoreFile;
  TFileRestoredEvent OnFileRestored;
  TBackupErrorEvent OnError;
  bool RestoreFullPath = false;
  bool SaveFileID = false;

  // Writes the files named by `Files` into the archive `ArchiveName`; true
  // when the archive was completed. Not re-entrant: a call made while one
  // runs returns false at once and changes nothing. Throws EFOpenError when a
  // file of the set cannot be opened while sizes are measured.
  bool Backup(const QStringList &Files, const QString &ArchiveName);
  // 100 - BytesWritten / TotalSize * 100, halves to even; 0 for an empty set.
  int CompressionRate() const;
  bool running() const { return m_running; }

  // Run-time fields.
  qint32 FileCount = 0;
  qint32 TotalSize = 0;
  qint32 BytesRead = 0;
  qint32 BytesWritten = 0;
  QString CurrentFile;
  bool ContinueFlag = false;
  qint32 ErrorCode = 0;

  static QString errorMessage(int code);
  static int zlibLevel(TCompressionLevel l);

private:
  class Run;
  TBackupMode m_backupMode = bmAll;
  bool m_running = false;
};
