// The archive writer, its files checked with an independent reading of the
// layout. No window is needed.
#include "archivereader.h"
#include "backup/backup.h"
#include "platform/fileservices.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray randomBytes(int n, quint32 seed = 1) {
  QByteArray b(n, '\0');
  QRandomGenerator g(seed);
  for (char &c : b)
    c = char(g.bounded(256));
  return b;
}

QByteArray gbk(const QString &s) { return QStringEncoder("GB18030")(s); }

QString lowerAscii(QString s) {
  for (QChar &ch : s)
    if (ch >= u'A' && ch <= u'Z')
      ch = QChar(ch.unicode() + 32);
  return s;
}

QByteArray textBytes(int n) {
  QByteArray b;
  while (b.size() < n)
    b += "学员基本信息 CorvaneTessaly 0123456789 ";
  b.resize(n);
  return b;
}

class BackupTest : public ::testing::Test {
protected:
  void SetUp() override {
    FileServices::setArchiveRegister(dir.filePath(u"marks"_qs));
    w.OnError = [this](TBackupFile &, int code, const QString &msg) { errors << QStringLiteral("%1 %2").arg(code).arg(msg); };
  }
  QString write(const QString &name, const QByteArray &content) {
    const QString path = dir.filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(content);
    f.close();
    return path;
  }
  QString archive(const QString &name = u"out/backup.bck"_qs) {
    const QString p = dir.filePath(name);
    QDir().mkpath(QFileInfo(p).absolutePath());
    return p;
  }
  static QByteArray bytes(const QString &path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
  }
  QTemporaryDir dir;
  DialogScript dialogs;
  TBackupFile w;
  QStringList errors;
};

TEST_F(BackupTest, EmptySetGivesTheSixteenByteArchive) {
  const QString a = archive();
  EXPECT_TRUE(w.Backup({}, a));
  EXPECT_EQ(bytes(a), QByteArray(16, '\0'));
  EXPECT_EQ(w.CompressionRate(), 0);
  EXPECT_TRUE(w.Backup({dir.filePath(u"nothing/*.mdb"_qs)}, a));
  EXPECT_EQ(bytes(a), QByteArray(16, '\0'));
  EXPECT_TRUE(errors.isEmpty());
}

TEST_F(BackupTest, ChunksAndContentByteForByte) {
  struct Case {
    const char *what;
    int size;
    TCompressionLevel level;
    QList<bool> compressed; // per chunk: zlib stream (true) or stored
    bool random = false;    // incompressible content
  };
  const Case cases[] = {
      {"0 bytes: marker and segment end only", 0, clFastest, {}},
      {"exactly one chunk", 16384, clFastest, {true}},
      {"one byte more: two chunks", 16385, clFastest, {true, true}},
      {"level 0 stores full chunks, compresses the last", 16384 * 2 + 100, clNone, {false, false, true}},
      {"incompressible but small enough: still a stream", 1000, clFastest, {true}, true},
      {"incompressible full chunk: stored", 16384, clMax, {false}, true},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    const QByteArray content = c.random ? randomBytes(c.size) : textBytes(c.size);
    const QString src = write(u"Data/学员.MDB"_qs, content);
    w.CompressionLevel = c.level;
    w.BackupTitle = u"数据库备份日期:2026-12-11"_qs;
    const QString a = archive();
    ASSERT_TRUE(w.Backup({src}, a));
    const Archive r = readArchive(a);
    ASSERT_TRUE(r.error.isEmpty()) << r.error.toStdString();
    EXPECT_TRUE(r.ended);
    EXPECT_EQ(r.title, gbk(u"数据库备份日期:2026-12-11"_qs));
    EXPECT_EQ(r.title.size(), 25); // seven characters of two bytes, the colon and the date
    EXPECT_EQ(r.totalSize, c.size);
    EXPECT_EQ(r.fileCount, 1);
    ASSERT_EQ(r.records.size(), 1);
    // The name lowered (ASCII letters only), the file read through its real path.
    const QString lowered = lowerAscii(src);
    EXPECT_EQ(r.records[0].name, gbk(lowered));
    EXPECT_EQ(r.records[0].date, FileServices::dosDateTime(src));
    EXPECT_EQ(r.records[0].content, content);
    EXPECT_EQ(r.records[0].segments, 1);
    QList<bool> kinds;
    for (qint32 len : r.records[0].chunks)
      kinds << (len > 0);
    EXPECT_EQ(kinds, c.compressed);
  }
}

TEST_F(BackupTest, TitleAndNamesAreGbk) {
  const QString src = write(u"资料.txt"_qs, "x");
  w.BackupTitle = u"备份"_qs;
  const QString a = archive();
  ASSERT_TRUE(w.Backup({src}, a));
  const QByteArray raw = bytes(a);
  EXPECT_EQ(raw.mid(0, 8), QByteArray("\x04\0\0\0\xb1\xb8\xb7\xdd", 8)); // 备份 in GBK
  EXPECT_TRUE(raw.contains(QByteArray("\xd7\xca\xc1\xcf.txt"))); // 资料 in GBK
}

TEST_F(BackupTest, ProgressOfFourChunksAndCancelAtTheFirstEvent) {
  const QString src = write(u"four.bin"_qs, textBytes(4 * 16384));
  QList<QPair<QString, int>> events;
  w.OnProgress = [&](TBackupFile &, const QString &f, TPercentage p, bool &) { events << qMakePair(f, int(p)); };
  ASSERT_TRUE(w.Backup({src}, archive()));
  const QList<QPair<QString, int>> expected{{QString(), 0}, {src, 25}, {src, 50}, {src, 75}, {src, 100}, {QString(), 100}};
  EXPECT_EQ(events, expected);

  w.OnProgress = [](TBackupFile &, const QString &, TPercentage, bool &go) { go = false; };
  const QString a = archive(u"out/cancelled.bck"_qs);
  EXPECT_FALSE(w.Backup({src}, a));
  const Archive r = readArchive(a);
  EXPECT_FALSE(r.ended);
  EXPECT_TRUE(r.records.isEmpty());
  EXPECT_EQ(bytes(a).size(), 12); // the header alone
  EXPECT_TRUE(errors.isEmpty());  // a cancel is no error
  EXPECT_EQ(w.ErrorCode, 0);
}

TEST_F(BackupTest, VolumesWithThePromptAndWithCancel) {
  const QByteArray content = randomBytes(3'000'000, 7);
  const QString src = write(u"big.bin"_qs, content);
  w.MaxSize = 1400000;
  const QString a = archive();
  ASSERT_TRUE(w.Backup({src}, a));
  QStringList prompts = dialogs.texts();
  EXPECT_EQ(prompts, (QStringList{u"Please insert disk 2 and click OK to continue."_qs,
                                  u"Please insert disk 3 and click OK to continue."_qs}));
  const Archive r = readArchive(a);
  ASSERT_TRUE(r.error.isEmpty()) << r.error.toStdString();
  EXPECT_TRUE(r.ended);
  EXPECT_EQ(r.nextDisk, (QList<QByteArray>{"NEXT:DISK002", "NEXT:DISK003"}));
  EXPECT_TRUE(r.volumes.last().endsWith(u"backup.003"_qs));
  EXPECT_EQ(r.records.size(), 1);
  EXPECT_EQ(r.records[0].segments, 3);
  EXPECT_EQ(r.records[0].content, content);
  for (const QString &v : r.volumes)
    EXPECT_LT(QFileInfo(v).size(), 1400000);

  // Cancel in the prompt: false, no report, the first volume ends with the change record.
  dialogs.clearAsked();
  dialogs.answer(Dialogs::Cancel);
  QFile::remove(dir.filePath(u"out/second.002"_qs));
  const QString b = archive(u"out/second.bck"_qs);
  EXPECT_FALSE(w.Backup({src}, b));
  EXPECT_EQ(dialogs.asked().size(), 1u);
  EXPECT_TRUE(bytes(b).endsWith(QByteArray("\x0c\0\0\0NEXT:DISK002", 16)));
  EXPECT_FALSE(QFile::exists(dir.filePath(u"out/second.002"_qs)));
  EXPECT_TRUE(errors.isEmpty());

  // OnNeedDisk replaces the prompt.
  dialogs.clearAsked();
  QList<int> disks;
  w.OnNeedDisk = [&](TBackupFile &, quint16 id, bool &) { disks << id; };
  ASSERT_TRUE(w.Backup({src}, archive(u"out/third.bck"_qs)));
  EXPECT_EQ(disks, (QList<int>{2, 3}));
  EXPECT_TRUE(dialogs.asked().empty());
}

TEST_F(BackupTest, IncrementalTwiceAndTheArchiveMark) {
  const QString src = write(u"vindero.mdb"_qs, textBytes(5000));
  w.setBackupMode(bmIncremental);
  EXPECT_TRUE(w.SetArchiveFlag);
  w.setBackupMode(bmAll);
  EXPECT_TRUE(w.SetArchiveFlag); // stays on
  w.SetArchiveFlag = false;
  w.setBackupMode(bmAll); // the value it has: nothing at all
  EXPECT_FALSE(w.SetArchiveFlag);
  w.setBackupMode(bmIncremental);

  EXPECT_TRUE(FileServices::archiveMarkSet(src)); // a new file is marked
  ASSERT_TRUE(w.Backup({src}, archive()));
  EXPECT_EQ(readArchive(archive()).records.size(), 1);
  EXPECT_FALSE(FileServices::archiveMarkSet(src));
  const QString second = archive(u"out/second.bck"_qs);
  ASSERT_TRUE(w.Backup({src}, second));
  EXPECT_EQ(bytes(second), QByteArray(16, '\0'));
  EXPECT_EQ(w.CompressionRate(), 0);
  // Changed content sets the mark again; it is kept in the register across runs.
  write(u"vindero.mdb"_qs, textBytes(5001));
  EXPECT_TRUE(FileServices::archiveMarkSet(src));
  FileServices::clearArchiveMark(src);
  FileServices::setArchiveRegister(dir.filePath(u"marks"_qs));
  EXPECT_FALSE(FileServices::archiveMarkSet(src));
}

TEST_F(BackupTest, SetIsBuiltByIdentityDepthFirstAndNeverHoldsTheArchive) {
  const QString a1 = write(u"tree/a.txt"_qs, "a");
  const QString upper = write(u"tree/A.txt"_qs, "A"); // differs only in case: another file
  const QString sub = write(u"tree/sub/b.txt"_qs, "b");
  write(u"tree/.hidden/c.txt"_qs, "c");              // a hidden folder is not entered
  const QString hiddenFile = write(u"tree/.d.txt"_qs, "d"); // a hidden file matches
  write(u"tree/e.dat"_qs, "e");
  QFile::link(a1, dir.filePath(u"tree/link.txt"_qs)); // the same file under another name
  const QString inside = dir.filePath(u"tree/inside.txt"_qs);
  QDir::setCurrent(dir.filePath(u"tree"_qs));
  write(u"tree/inside.txt"_qs, "old archive");
  // The archive named relatively, inside the folder being backed up.
  ASSERT_TRUE(w.Backup({dir.filePath(u"tree/*.txt /s"_qs), a1}, u"inside.txt"_qs));
  QDir::setCurrent(QDir::tempPath());
  const Archive r = readArchive(inside);
  ASSERT_TRUE(r.error.isEmpty()) << r.error.toStdString();
  QStringList contents;
  for (const ArchiveRecord &rec : r.records)
    contents << QString::fromLatin1(rec.content);
  // Sub-folders first; then the folder's own files; each file once.
  ASSERT_FALSE(contents.isEmpty());
  EXPECT_EQ(contents.first(), u"b"_qs);
  contents.sort();
  EXPECT_EQ(contents, (QStringList{u"A"_qs, u"a"_qs, u"b"_qs, u"d"_qs}));
  EXPECT_EQ(r.fileCount, 4);
  Q_UNUSED(upper) Q_UNUSED(sub) Q_UNUSED(hiddenFile)
}

TEST_F(BackupTest, RecursionSwitchOnlyAtTheEnd) {
  // A "/s" inside a path is part of it.
  const QString src = write(u"srv/sam/x.txt"_qs, "x");
  ASSERT_TRUE(w.Backup({src}, archive()));
  EXPECT_EQ(readArchive(archive()).records.size(), 1);
  ASSERT_TRUE(w.Backup({dir.filePath(u"srv/*.*  /S"_qs)}, archive()));
  EXPECT_EQ(readArchive(archive()).records.size(), 1);
}

TEST_F(BackupTest, ShrinkingAndVanishingSources) {
  const QString one = write(u"one.bin"_qs, textBytes(10 * 16384));
  const QString two = write(u"two.bin"_qs, "two");
  int calls = 0;
  w.OnProgress = [&](TBackupFile &, const QString &f, TPercentage, bool &) {
    if (f == one && ++calls == 1) {
      QFile::resize(one, 3 * 16384); // shrinks while it is read
      QFile::remove(two);            // vanishes before its record
    }
  };
  ASSERT_TRUE(w.Backup({one, two}, archive()));
  const Archive r = readArchive(archive());
  ASSERT_TRUE(r.error.isEmpty()) << r.error.toStdString();
  EXPECT_TRUE(r.ended);
  EXPECT_EQ(r.fileCount, 2);
  ASSERT_EQ(r.records.size(), 1);
  EXPECT_EQ(r.records[0].content.size(), 3 * 16384);
}

TEST_F(BackupTest, ErrorCodesAreReportedOnceAtTheEnd) {
  const QString src = write(u"x.bin"_qs, textBytes(40000));
  struct Case {
    const char *what;
    std::function<QString()> target;
    int code;
  };
  const Case cases[] = {
      {"target folder missing", [&] { return dir.filePath(u"no/such/folder/a.bck"_qs); }, 4},
      {"disk full", [] { return u"/dev/full"_qs; }, 4},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    errors.clear();
    EXPECT_FALSE(w.Backup({src}, c.target()));
    EXPECT_EQ(errors, QStringList{QStringLiteral("%1 %2").arg(c.code).arg(TBackupFile::errorMessage(c.code))});
    EXPECT_EQ(bytes(src), textBytes(40000)); // the source is never changed
  }
  // A file replaced by a folder between sizing and its record: code 1.
  const QString two = write(u"two.bin"_qs, "2");
  errors.clear();
  w.OnProgress = [&](TBackupFile &, const QString &f, TPercentage, bool &) {
    if (f == src && QFileInfo(two).isFile()) {
      QFile::remove(two);
      QDir().mkdir(two);
    }
  };
  EXPECT_FALSE(w.Backup({src, two}, archive()));
  EXPECT_EQ(errors, QStringList{u"1 Cannot read file"_qs});
  w.OnProgress = nullptr;
  // Without OnError the writer's own box shows the message.
  w.OnError = nullptr;
  dialogs.clearAsked();
  EXPECT_FALSE(w.Backup({src}, u"/dev/full"_qs));
  ASSERT_EQ(dialogs.asked().size(), 1u);
  EXPECT_EQ(dialogs.asked()[0].text, u"Cannot write to archive"_qs);
  EXPECT_EQ(dialogs.asked()[0].icon, Dialogs::Icon::Critical);
}

TEST_F(BackupTest, FileListRecordAndItsTemporaryFile) {
  const QString src = write(u"a.txt"_qs, "hello");
  w.SaveFileID = true;
  ASSERT_TRUE(w.Backup({src}, archive()));
  const Archive r = readArchive(archive());
  ASSERT_EQ(r.records.size(), 2);
  EXPECT_EQ(r.records[0].name, QByteArray("FILE:LIST"));
  EXPECT_EQ(r.fileCount, 1);
  const QByteArray line = gbk(lowerAscii(src)) + '\t' + QByteArray::number(FileServices::dosDateTime(src)) + "=5\r\n";
  EXPECT_EQ(r.records[0].content, line);
  EXPECT_EQ(r.totalSize, 5 + line.size());
  EXPECT_TRUE(QDir::temp().entryList({u"FID*"_qs}).isEmpty());
  // No temporary folder to write to: code 7, the archive still gets its records.
  qputenv("TMPDIR", src.toLocal8Bit()); // a file where the folder should be
  errors.clear();
  EXPECT_FALSE(w.Backup({src}, archive()));
  qunsetenv("TMPDIR");
  EXPECT_EQ(errors, QStringList{u"7 Cannot create temporary file to save the file IDs"_qs});
}

TEST_F(BackupTest, RateRoundsHalvesToEvenAndIsNotReentrant) {
  const std::tuple<qint32, qint32, int> cases[] = {{200, 1, 100}, {200, 3, 98}, {200, 5, 98}, {100, 150, -50}, {0, 10, 0}};
  for (auto [total, written, rate] : cases) {
    w.TotalSize = total;
    w.BytesWritten = written;
    EXPECT_EQ(w.CompressionRate(), rate) << total << " " << written;
  }
  EXPECT_EQ(w.Version(), u"5.10"_qs);
  const QString src = write(u"r.bin"_qs, textBytes(3 * 16384));
  bool inner = true;
  w.OnProgress = [&](TBackupFile &s, const QString &f, TPercentage, bool &) {
    if (!f.isEmpty())
      inner = inner && !s.Backup({src}, archive(u"out/inner.bck"_qs));
  };
  ASSERT_TRUE(w.Backup({src}, archive()));
  EXPECT_TRUE(inner);
  EXPECT_FALSE(QFile::exists(archive(u"out/inner.bck"_qs)));
}

} // namespace
