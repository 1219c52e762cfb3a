#include "archivereader.h"

#include <QFile>
#include <zlib.h>

namespace {
struct Cursor {
  QByteArray data;
  qsizetype pos = 0;
  bool atEnd() const { return pos >= data.size(); }
  bool int32(qint32 &v) {
    if (pos + 4 > data.size())
      return false;
    const auto *b = reinterpret_cast<const uchar *>(data.constData() + pos);
    v = qint32(quint32(b[0]) | quint32(b[1]) << 8 | quint32(b[2]) << 16 | quint32(b[3]) << 24);
    pos += 4;
    return true;
  }
  bool bytes(qsizetype n, QByteArray &out) {
    if (n < 0 || pos + n > data.size())
      return false;
    out = data.mid(pos, n);
    pos += n;
    return true;
  }
};

QByteArray load(const QString &path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString nextName(const QString &name, const QByteArray &digits) {
  const int slash = int(name.lastIndexOf(u'/')), dot = int(name.lastIndexOf(u'.'));
  return (dot > slash ? name.left(dot) : name) + u'.' + QString::fromLatin1(digits);
}

bool inflateChunk(const QByteArray &z, QByteArray &out) {
  out = QByteArray(16384, '\0');
  uLongf len = 16384;
  if (uncompress(reinterpret_cast<Bytef *>(out.data()), &len, reinterpret_cast<const Bytef *>(z.constData()),
                 uLong(z.size())) != Z_OK)
    return false;
  out.resize(qsizetype(len));
  return true;
}
} // namespace

Archive readArchive(const QString &first) {
  Archive a;
  QString volume = first;
  Cursor c{load(first)};
  a.volumes << first;
  qint32 n;
  if (!c.int32(n) || !c.bytes(n, a.title) || !c.int32(a.totalSize) || !c.int32(a.fileCount)) {
    a.error = QStringLiteral("short header");
    return a;
  }
  ArchiveRecord *rec = nullptr;
  bool continuing = false;
  while (true) {
    if (!continuing) {
      qint32 len;
      if (!c.int32(len)) {
        a.error = c.atEnd() ? QStringLiteral("no end marker") : QStringLiteral("short name length");
        return a;
      }
      if (len == 0) {
        a.ended = true;
        if (!c.atEnd())
          a.error = QStringLiteral("bytes after the end marker");
        return a;
      }
      QByteArray name;
      if (!c.bytes(len, name)) {
        a.error = QStringLiteral("short name");
        return a;
      }
      if (rec && len == 12 && name.startsWith("NEXT:DISK")) {
        a.nextDisk << name;
        if (!c.atEnd()) {
          a.error = QStringLiteral("bytes after a volume change");
          return a;
        }
        volume = nextName(volume, name.mid(9));
        c = Cursor{load(volume)};
        a.volumes << volume;
        if (c.data.isEmpty()) {
          a.error = QStringLiteral("missing volume");
          return a;
        }
        continuing = true;
        continue;
      }
      a.records.push_back({});
      rec = &a.records.back();
      rec->name = name;
      if (!c.int32(rec->date)) {
        a.error = QStringLiteral("short date");
        return a;
      }
    }
    continuing = false;
    QByteArray marker;
    if (!c.bytes(4, marker) || marker != QByteArray("EC2\0", 4)) {
      a.error = QStringLiteral("no segment marker");
      return a;
    }
    ++rec->segments;
    while (true) {
      qint32 len;
      if (!c.int32(len)) {
        a.error = QStringLiteral("segment without end");
        return a;
      }
      if (len == 0)
        break;
      QByteArray data;
      if (std::abs(len) > 16384 || !c.bytes(std::abs(len), data)) {
        a.error = QStringLiteral("bad chunk");
        return a;
      }
      rec->chunks << len;
      if (len > 0) {
        QByteArray plain;
        if (!inflateChunk(data, plain)) {
          a.error = QStringLiteral("chunk does not inflate");
          return a;
        }
        rec->content += plain;
      } else {
        rec->content += data;
      }
    }
    // After a segment end: the end marker, a volume change or the next record.
    if (c.atEnd()) {
      a.error = QStringLiteral("no end marker");
      return a;
    }
  }
}
