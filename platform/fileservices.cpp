#include "fileservices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextStream>

#include <sys/stat.h>

namespace FileServices {

QString absolutePath(const QString &path) { return QDir::cleanPath(QDir::current().absoluteFilePath(path)); }

QString folderOf(const QString &path) {
  const int i = int(path.lastIndexOf(u'/'));
  if (i < 0)
    return QStringLiteral(".");
  return i == 0 ? QStringLiteral("/") : path.left(i);
}

QString nameOf(const QString &path) { return path.mid(path.lastIndexOf(u'/') + 1); }

namespace {
bool match(const QChar *p, const QChar *pe, const QChar *s, const QChar *se) {
  while (p < pe) {
    if (*p == u'*') {
      while (p < pe && *p == u'*')
        ++p;
      if (p == pe)
        return true;
      for (const QChar *t = s; t <= se; ++t)
        if (match(p, pe, t, se))
          return true;
      return false;
    }
    if (s == se)
      return false;
    if (*p != u'?' && p->toCaseFolded() != s->toCaseFolded())
      return false;
    ++p;
    ++s;
  }
  return s == se;
}
} // namespace

bool wildcardMatch(const QString &pattern, const QString &name) {
  if (pattern == u"*.*" || pattern == u"*")
    return true;
  return match(pattern.constData(), pattern.constData() + pattern.size(), name.constData(),
               name.constData() + name.size());
}

QStringList visibleSubFolders(const QString &folder) {
  QStringList l;
  for (const QString &n : QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted))
    if (!n.startsWith(u'.'))
      l << n;
  return l;
}

QStringList matchingFiles(const QString &folder, const QString &pattern) {
  QStringList l;
  for (const QString &n : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted))
    if (wildcardMatch(pattern, n))
      l << n;
  return l;
}

Identity identity(const QString &path) {
  struct stat st {};
  if (::stat(QFile::encodeName(path).constData(), &st) != 0)
    return {};
  return {quint64(st.st_dev), quint64(st.st_ino)};
}

qint32 dosDateTime(const QDateTime &t) {
  if (!t.isValid())
    return -1;
  const QDate d = t.date();
  const QTime tm = t.time();
  if (d.year() < 1980 || d.year() > 2107)
    return -1;
  const quint32 v = quint32(d.year() - 1980) << 25 | quint32(d.month()) << 21 | quint32(d.day()) << 16 |
                    quint32(tm.hour()) << 11 | quint32(tm.minute()) << 5 | quint32(tm.second() / 2);
  return qint32(v);
}

qint32 dosDateTime(const QString &path) {
  const QFileInfo fi(path);
  if (!fi.exists())
    return -1;
  return dosDateTime(fi.lastModified().toLocalTime());
}

namespace {
QString g_register;

struct State {
  Identity id;
  qint64 size = 0, mtimeNs = 0;
};

bool stateOf(const QString &path, State &s) {
  struct stat st {};
  if (::stat(QFile::encodeName(path).constData(), &st) != 0)
    return false;
  s.id = {quint64(st.st_dev), quint64(st.st_ino)};
  s.size = st.st_size;
  s.mtimeNs = qint64(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
  return true;
}

QString key(const Identity &id) { return QStringLiteral("%1:%2").arg(id.device).arg(id.inode); }

// key → "size mtime"
QHash<QString, QString> readRegister() {
  QHash<QString, QString> h;
  QFile f(archiveRegister());
  if (!f.open(QIODevice::ReadOnly))
    return h;
  QTextStream in(&f);
  while (!in.atEnd()) {
    const QString line = in.readLine();
    const int sp = int(line.indexOf(u' '));
    if (sp > 0)
      h.insert(line.left(sp), line.mid(sp + 1));
  }
  return h;
}
} // namespace

void setArchiveRegister(const QString &path) { g_register = path; }

QString archiveRegister() {
  if (!g_register.isEmpty())
    return g_register;
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
         QStringLiteral("/CorvaneTessaly/archive-marks");
}

bool archiveMarkSet(const QString &path) {
  State s;
  if (!stateOf(path, s))
    return false;
  const QString kept = readRegister().value(key(s.id));
  return kept != QStringLiteral("%1 %2").arg(s.size).arg(s.mtimeNs);
}

void clearArchiveMark(const QString &path) {
  State s;
  if (!stateOf(path, s))
    return;
  QHash<QString, QString> h = readRegister();
  h.insert(key(s.id), QStringLiteral("%1 %2").arg(s.size).arg(s.mtimeNs));
  QDir().mkpath(QFileInfo(archiveRegister()).absolutePath());
  QSaveFile f(archiveRegister());
  if (!f.open(QIODevice::WriteOnly))
    return;
  QTextStream out(&f);
  for (auto it = h.constBegin(); it != h.constEnd(); ++it)
    out << it.key() << u' ' << it.value() << u'\n';
  out.flush();
  f.commit();
}

} // namespace FileServices
