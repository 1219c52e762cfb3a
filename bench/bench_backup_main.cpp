// tessaly_bench_backup FILE: the archive writer at clFastest over FILE,
// against raw zlib deflating the same 16384-byte chunks at level 1 and
// against `gzip -1`, measured in one run; then the writer's peak memory over
// a 10 MB and a 500 MB file (each in a process of its own).
//   tessaly_bench_backup --peak FILE   prints the peak memory of one backup.
#include "backup/backup.h"
#include "platform/dialogs.h"
#include "platform/fileservices.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>
#include <zlib.h>

namespace {
double peakMb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss / 1024.0;
}

double writerMs(const QString &file, const QString &archive) {
  TBackupFile w;
  w.CompressionLevel = clFastest;
  w.OnError = [](TBackupFile &, int code, const QString &m) { std::fprintf(stderr, "error %d %s\n", code, qPrintable(m)); };
  QElapsedTimer t;
  t.start();
  w.Backup({file}, archive);
  return t.nsecsElapsed() / 1e6;
}

double rawZlibMs(const QString &file) {
  QElapsedTimer t;
  t.start();
  QFile in(file);
  in.open(QIODevice::ReadOnly);
  QFile out(QStringLiteral("/dev/null"));
  out.open(QIODevice::WriteOnly);
  z_stream z{};
  deflateInit(&z, 1);
  QByteArray buf(16384, '\0'), packed(16384, '\0');
  qint64 n;
  while ((n = in.read(buf.data(), 16384)) > 0) {
    deflateReset(&z);
    z.next_in = reinterpret_cast<Bytef *>(buf.data());
    z.avail_in = uInt(n);
    z.next_out = reinterpret_cast<Bytef *>(packed.data());
    z.avail_out = 16384;
    deflate(&z, Z_FINISH);
    out.write(packed.constData(), 16384 - z.avail_out);
  }
  deflateEnd(&z);
  return t.nsecsElapsed() / 1e6;
}

double gzipMs(const QString &file) {
  QElapsedTimer t;
  t.start();
  QProcess p;
  p.setStandardOutputFile(QStringLiteral("/dev/null"));
  p.start(QStringLiteral("gzip"), {QStringLiteral("-1"), QStringLiteral("-c"), file});
  p.waitForFinished(-1);
  return t.nsecsElapsed() / 1e6;
}

void makeFile(const QString &path, qint64 size, const QString &like) {
  // Database-like content: the given file's bytes repeated.
  QFile src(like), out(path);
  src.open(QIODevice::ReadOnly);
  out.open(QIODevice::WriteOnly);
  const QByteArray block = src.read(8 << 20);
  while (out.size() < size)
    out.write(block.left(int(std::min<qint64>(block.size(), size - out.size()))));
}
} // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  Dialogs::setAnswerer([](const Dialogs::Request &) { return Dialogs::Ok; });
  QTemporaryDir dir;
  FileServices::setArchiveRegister(dir.filePath(QStringLiteral("marks")));
  if (argc == 3 && QByteArray(argv[1]) == "--peak") {
    const double before = peakMb();
    writerMs(QString::fromLocal8Bit(argv[2]), dir.filePath(QStringLiteral("a.bck")));
    std::printf("%.1f %.1f\n", before, peakMb());
    return 0;
  }
  if (argc != 2) {
    std::fprintf(stderr, "usage: tessaly_bench_backup FILE\n");
    return 2;
  }
  const QString file = QString::fromLocal8Bit(argv[1]);
  const QString archive = dir.filePath(QStringLiteral("a.bck"));
  // Warm the file cache, then take the best of three of each, interleaved.
  rawZlibMs(file);
  double w = 1e12, z = 1e12, g = 1e12;
  for (int i = 0; i < 3; ++i) {
    w = std::min(w, writerMs(file, archive));
    z = std::min(z, rawZlibMs(file));
    g = std::min(g, gzipMs(file));
  }
  std::printf("%.0f MB at clFastest: writer %.0f ms, raw zlib chunks %.0f ms (%.1f %% slower), gzip -1 %.0f ms\n",
              QFile(file).size() / 1e6, w, z, (w / z - 1) * 100, g);
  for (qint64 mb : {10, 500}) {
    const QString f = dir.filePath(QStringLiteral("f%1").arg(mb));
    makeFile(f, mb << 20, file);
    QProcess p;
    p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--peak"), f});
    p.waitForFinished(-1);
    const QList<QByteArray> v = p.readAllStandardOutput().trimmed().split(' ');
    std::printf("peak memory over a %lld MB file: %s MB (%s MB before the backup)\n", mb, v.value(1).constData(),
                v.value(0).constData());
    QFile::remove(f);
  }
  return 0;
}
