#pragma once
// An independent reading of the archive layout, for the tests: every field
// taken byte by byte, every compressed chunk inflated and checked.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

struct ArchiveRecord {
  QByteArray name; // as written (GBK bytes)
  qint32 date = 0;
  QByteArray content;
  QList<qint32> chunks; // chunk lengths as written (negative: stored)
  int segments = 0;
};

struct Archive {
  QByteArray title;
  qint32 totalSize = 0, fileCount = 0;
  QList<ArchiveRecord> records;
  bool ended = false;       // the end marker was found
  QStringList volumes;      // file names read, in order
  QList<QByteArray> nextDisk; // volume-change texts
  QString error;            // what did not parse, if anything
};

Archive readArchive(const QString &firstVolume);
