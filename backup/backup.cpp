#include "backup.h"

#include "platform/dialogs.h"
#include "platform/fileservices.h"

#include <QCoreApplication>
#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStringEncoder>
#include <QTemporaryFile>
#include <cmath>
#include <zlib.h>

namespace {

const int kChunk = 16384;
const int kMargin = 16484; // one full chunk and 100 bytes

QByteArray gbk(const QString &s) {
  // GB18030 is byte for byte GBK for every GBK character and also writes the
  // characters GBK lacks.
  QStringEncoder enc("GB18030");
  if (!enc.isValid())
    return s.toLocal8Bit();
  return enc(s);
}

// ASCII letters lowered, every other character unchanged.
QString lowerAscii(const QString &s) {
  QString r = s;
  for (QChar &c : r)
    if (c >= u'A' && c <= u'Z')
      c = QChar(c.unicode() + 32);
  return r;
}

QByteArray le32(qint32 v) {
  const quint32 u = quint32(v);
  const char b[4] = {char(u & 0xff), char((u >> 8) & 0xff), char((u >> 16) & 0xff), char((u >> 24) & 0xff)};
  return QByteArray(b, 4);
}

// Halves to the even neighbour.
int roundEven(double v) { return int(std::nearbyint(v)); }

struct Entry {
  QString path; // read through this, as it is on disk
  QString name; // written into the record: ASCII letters lowered
  FileServices::Identity id;
};

} // namespace

// One call of Backup: the set, the open volume and the counters.
class TBackupFile::Run {
public:
  Run(TBackupFile &o, const QString &archive) : o(o), archiveName(archive) {
    archiveAbsolute = FileServices::absolutePath(archive);
    archiveId = FileServices::identity(archiveAbsolute);
  }
  ~Run() {
    if (zInit)
      deflateEnd(&z);
  }

  void addFileSpec(QString spec);
  bool run(const QStringList &files);

private:
  bool put(const QByteArray &b) {
    if (!out.isOpen() || out.write(b) != b.size()) {
      fail(4);
      return false;
    }
    return true;
  }
  bool putString(const QByteArray &b) { return put(le32(qint32(b.size())) + b); }
  void fail(int code) {
    o.ContinueFlag = false;
    o.ErrorCode = code;
  }
  bool openVolume(const QString &name) {
    out.setFileName(name);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
      fail(4);
      return false;
    }
    return true;
  }
  bool closeVolume() {
    if (!out.isOpen())
      return true;
    const bool ok = out.flush();
    out.close();
    return ok && out.error() == QFileDevice::NoError;
  }
  void progress(const QString &file, int percent) {
    if (o.OnProgress)
      o.OnProgress(o, file, TPercentage(std::clamp(percent, 0, 100)), o.ContinueFlag);
  }
  void writeSegment(QFile &src, qint64 &remaining);
  void changeVolume();

  TBackupFile &o;
  QString archiveName, archiveAbsolute;
  FileServices::Identity archiveId;
  QList<Entry> set;
  QFile out;
  int volume = 1;
  z_stream z{};
  bool zInit = false;
  QByteArray in = QByteArray(kChunk, '\0'), packed = QByteArray(kChunk, '\0');
};

void TBackupFile::Run::addFileSpec(QString spec) {
  // The recursion switch is " /s" at the end; a "/s" inside a path
  // ("/srv", "/home/sam") is part of the path.
  static const QRegularExpression recurse(QStringLiteral(R"(\s+/[sS]\s*$)"));
  const auto m = recurse.match(spec);
  const bool sub = m.hasMatch();
  if (sub)
    spec = spec.left(m.capturedStart()).trimmed();
  const QString abs = FileServices::absolutePath(spec);
  const QString folder = FileServices::folderOf(abs);
  const QString pattern = FileServices::nameOf(abs);
  if (sub)
    for (const QString &d : FileServices::visibleSubFolders(folder))
      addFileSpec(folder + u'/' + d + u'/' + pattern + QStringLiteral(" /s"));

  QStringList names;
  if (pattern.contains(u'*') || pattern.contains(u'?'))
    names = FileServices::matchingFiles(folder, pattern);
  else if (QFileInfo(abs).isFile())
    names << pattern;
  for (const QString &n : names) {
    Entry e;
    e.path = FileServices::absolutePath(folder + u'/' + n);
    e.name = lowerAscii(e.path);
    e.id = FileServices::identity(e.path);
    // A file is the same file by its identity, whatever its name.
    const bool known = std::any_of(set.begin(), set.end(), [&](const Entry &x) {
      return e.id.valid() ? x.id == e.id : x.path == e.path;
    });
    const bool isArchive = (archiveId.valid() && e.id == archiveId) || e.path == archiveAbsolute;
    if (known || isArchive)
      continue;
    if (o.BackupMode() == bmAll || FileServices::archiveMarkSet(e.path))
      set << e;
  }
}

bool TBackupFile::Run::run(const QStringList &files) {
  o.ErrorCode = 0;
  QString fileList;
  for (const QString &f : files)
    addFileSpec(f);

  bool result = false;
  o.ContinueFlag = true;
  progress(QString(), 0);

  // Sizing pass.
  quint32 total = 0; // the format's int32, wrapping as it does
  for (const Entry &e : set) {
    if (!QFileInfo::exists(e.path))
      continue;
    QFile f(e.path);
    if (!f.open(QIODevice::ReadOnly))
      throw EFOpenError(e.path);
    total += quint32(f.size());
    if (o.SaveFileID)
      fileList += e.name + u'\t' + QString::number(FileServices::dosDateTime(e.path)) + u'=' +
                  QString::number(f.size()) + QStringLiteral("\r\n");
  }
  QString listPath;
  bool listInSet = false;
  if (o.SaveFileID) {
    QTemporaryFile tmp(QDir::tempPath() + QStringLiteral("/FIDXXXXXX"));
    tmp.setAutoRemove(false);
    const QByteArray text = gbk(fileList);
    if (tmp.open() && tmp.write(text) == text.size() && tmp.flush()) {
      listPath = tmp.fileName();
      tmp.close();
      set.prepend({listPath, QStringLiteral("FILE:LIST"), FileServices::identity(listPath)});
      listInSet = true;
      total += quint32(text.size());
    } else {
      if (!tmp.fileName().isEmpty())
        listPath = tmp.fileName();
      fail(7);
    }
  }
  o.TotalSize = qint32(total);

  // The archive and its header.
  volume = 1;
  o.FileCount = qint32(set.size()) - (listInSet ? 1 : 0);
  o.BytesRead = 0;
  o.BytesWritten = 0;
  const bool opened = openVolume(archiveName);
  if (opened) {
    const bool ok =
        putString(gbk(o.BackupTitle)) && put(le32(o.TotalSize)) && put(le32(o.FileCount));
    if (!ok)
      fail(4);
  }

  if (deflateInit(&z, TBackupFile::zlibLevel(o.CompressionLevel)) == Z_OK)
    zInit = true;

  for (int i = 0; i < set.size() && o.ContinueFlag; ++i) {
    const Entry &e = set[i];
    if (!QFileInfo::exists(e.path))
      continue; // vanished since it was measured: counted, but no record
    if (!putString(gbk(e.name)))
      break;
    o.CurrentFile = e.path;
    QFile src(e.path);
    if (!src.open(QIODevice::ReadOnly)) {
      fail(1);
    } else if (out.write(le32(FileServices::dosDateTime(e.path))) != 4) {
      fail(1);
    } else {
      qint64 remaining = src.size();
      do
        writeSegment(src, remaining);
      while (remaining > 0 && o.ContinueFlag);
    }
    src.close();
    if (o.SetArchiveFlag && !(listInSet && i == 0))
      FileServices::clearArchiveMark(e.path);
  }

  if (o.ContinueFlag) {
    // The end marker, and everything it ends, on disk before success is told.
    if (put(le32(0)) && out.flush())
      result = true;
    else
      fail(4);
  }
  set.clear();
  closeVolume();
  if (!listPath.isEmpty())
    QFile::remove(listPath);
  progress(QString(), 100);
  if (o.ErrorCode != 0) {
    const QString msg = TBackupFile::errorMessage(o.ErrorCode);
    if (o.OnError)
      o.OnError(o, o.ErrorCode, msg);
    else
      Dialogs::message(nullptr, {Dialogs::Icon::Critical, QStringLiteral("CorvaneTessaly"), msg, Dialogs::Ok});
  }
  return result;
}

void TBackupFile::Run::writeSegment(QFile &src, qint64 &remaining) {
  if (!put(QByteArray("EC2\0", 4)))
    return;
  o.BytesWritten += 4;
  while (remaining > 0 && o.ContinueFlag && (o.MaxSize == 0 || out.pos() < qint64(o.MaxSize) - kMargin)) {
    const qint64 n = src.read(in.data(), std::min<qint64>(kChunk, remaining));
    if (n < 0) {
      fail(4);
      break;
    }
    if (n == 0) {
      // The file became shorter than it was measured: its record ends here.
      remaining = 0;
      break;
    }
    remaining -= n;
    o.BytesRead += qint32(n);
    // A fresh zlib stream for the chunk; deflateReset starts one on the kept
    // state, with the same bytes as a new initialisation.
    bool written = false;
    if (!zInit || deflateReset(&z) != Z_OK) {
      fail(6);
    } else {
      z.next_in = reinterpret_cast<Bytef *>(in.data());
      z.avail_in = uInt(n);
      z.next_out = reinterpret_cast<Bytef *>(packed.data());
      z.avail_out = kChunk;
      const int rc = deflate(&z, Z_FINISH);
      qint32 c;
      if (rc == Z_STREAM_END) {
        c = qint32(kChunk - z.avail_out);
        written = put(le32(c)) && put(QByteArray::fromRawData(packed.constData(), c));
      } else if (rc == Z_OK) {
        c = -qint32(n);
        written = put(le32(c)) && put(QByteArray::fromRawData(in.constData(), int(n)));
      } else {
        fail(6);
      }
      if (written)
        o.BytesWritten += std::abs(c) + 4;
    }
    QCoreApplication::processEvents();
    progress(o.CurrentFile, o.TotalSize == 0 ? 0 : roundEven(double(o.BytesRead) / o.TotalSize * 100.0));
  }
  put(le32(0));
  if (remaining > 0 && o.ContinueFlag)
    changeVolume();
}

void TBackupFile::Run::changeVolume() {
  ++volume;
  const QString digits = (QStringLiteral("00") + QString::number(volume)).right(3);
  if (!put(le32(12)) || !put(QByteArrayLiteral("NEXT:DISK") + digits.toLatin1()))
    return;
  if (!closeVolume()) {
    fail(4);
    return;
  }
  if (o.OnNeedDisk) {
    o.OnNeedDisk(o, quint16(volume), o.ContinueFlag);
  } else {
    const auto answer = Dialogs::message(
        nullptr, {Dialogs::Icon::Information, QStringLiteral("CorvaneTessaly"),
                  QStringLiteral("Please insert disk %1 and click OK to continue.").arg(volume),
                  Dialogs::Ok | Dialogs::Cancel});
    o.ContinueFlag = answer == Dialogs::Ok;
  }
  if (!o.ContinueFlag)
    return;
  // The extension of the name in use replaced by the volume's three digits.
  const int slash = int(archiveName.lastIndexOf(u'/'));
  const int dot = int(archiveName.lastIndexOf(u'.'));
  archiveName = (dot > slash ? archiveName.left(dot) : archiveName) + u'.' + digits;
  openVolume(archiveName);
}

// ------------------------------------------------------------ TBackupFile

TBackupFile::TBackupFile(QObject *owner) : QObject(owner) {}
TBackupFile::~TBackupFile() = default;

void TBackupFile::setBackupMode(TBackupMode m) {
  if (m == m_backupMode)
    return;
  m_backupMode = m;
  if (m == bmIncremental)
    SetArchiveFlag = true;
}

int TBackupFile::zlibLevel(TCompressionLevel l) {
  switch (l) {
  case clFastest: return 1;
  case clNone: return 0;
  case clDefault: return Z_DEFAULT_COMPRESSION;
  case clMax: return 9;
  }
  return 1;
}

QString TBackupFile::errorMessage(int code) {
  switch (code) {
  case 1: return QStringLiteral("Cannot read file");
  case 2: return QStringLiteral("Overwriting file failed");
  case 3: return QStringLiteral("Cannot read archive");
  case 4: return QStringLiteral("Cannot write to archive");
  case 5: return QStringLiteral("Invalid archive type");
  case 6: return QStringLiteral("Compression error");
  case 7: return QStringLiteral("Cannot create temporary file to save the file IDs");
  }
  return {};
}

bool TBackupFile::Backup(const QStringList &Files, const QString &ArchiveName) {
  if (m_running)
    return false;
  m_running = true;
  auto done = qScopeGuard([this] { m_running = false; });
  Run r(*this, ArchiveName);
  return r.run(Files);
}

int TBackupFile::CompressionRate() const {
  if (TotalSize == 0)
    return 0;
  return 100 - roundEven(double(BytesWritten) / TotalSize * 100.0);
}
