#include "schema.h"

#include "connection.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <sqlite3.h>

namespace Schema {

namespace {
// Identifies our files among SQLite databases ("TESS").
const int kApplicationId = 0x54455353;

struct TableDef {
  const char16_t *name;
  std::initializer_list<std::pair<const char16_t *, const char16_t *>> columns;
};

// Column order matters: a tree node shows its row's first column, so the
// students' name comes first and the class plans' name does too.
const TableDef kTables[] = {
    {u"学员基本信息",
     {{u"姓名", u"TEXT"},
      {u"编号", u"TEXT"},
      {u"性别", u"TEXT"},
      {u"出生年月", u"DATE"},
      {u"教育程度", u"TEXT"},
      {u"毕业院校", u"TEXT"},
      {u"身份证号", u"TEXT"},
      {u"住址", u"TEXT"},
      {u"邮编", u"TEXT"},
      {u"电话", u"TEXT"},
      {u"手机", u"TEXT"},
      {u"备注", u"TEXT"},
      {u"是否自备资料", u"BOOLEAN"},
      {u"参加班次", u"TEXT"},
      {u"培训科目", u"TEXT"}}},
    {u"记数", {{u"日期", u"TEXT"}, {u"计数", u"INTEGER"}}},
    {u"学校列表", {{u"学校", u"TEXT"}}},
    {u"可选字段", {{u"字段名", u"TEXT"}}},
    {u"显示字段", {{u"字段名", u"TEXT"}}},
    {u"开班计划",
     {{u"班次名称", u"TEXT"},
      {u"开始时间", u"DATE"},
      {u"结束日期", u"DATE"},
      {u"结束时间", u"DATE"},
      {u"培训费", u"CURRENCY"},
      {u"资料费", u"CURRENCY"},
      {u"总人数", u"INTEGER"}}},
    {u"支出", {{u"支出项目", u"TEXT"}, {u"金额", u"CURRENCY"}, {u"日期", u"DATE"}, {u"经手人", u"TEXT"}}},
};

// The class/student link is looked up on every change of class; numbers and
// names are what staff look students up by.
const char16_t *kIndexes[] = {
    u"CREATE INDEX 学员_参加班次 ON 学员基本信息(参加班次)",
    u"CREATE INDEX 学员_姓名 ON 学员基本信息(姓名)",
    u"CREATE INDEX 学员_编号 ON 学员基本信息(编号)",
};

QString q(const QString &s) { return u'"' + s + u'"'; }

QString checkHash(const QByteArray &salt) {
  return QString::fromLatin1(
      QCryptographicHash::hash(salt + QByteArray(kPassword), QCryptographicHash::Sha256).toHex());
}

[[noreturn]] void refuse(const QString &path, const QString &reason) {
  throw EDatabaseError(QStringLiteral("无法打开数据库文件 %1：%2").arg(QDir::toNativeSeparators(path), reason));
}
} // namespace

QString defaultPath() { return QDir::home().filePath(QStringLiteral("Tessadb/vindero.mdb")); }

const QStringList &studentColumns() {
  static const QStringList cols = [] {
    QStringList l;
    for (const auto &c : kTables[0].columns)
      l << QString::fromUtf16(c.first);
    return l;
  }();
  return cols;
}

const QStringList &deliveredShownFields() {
  static const QStringList l{u"编号"_qs, u"姓名"_qs, u"性别"_qs, u"电话"_qs, u"参加班次"_qs};
  return l;
}

QStringList deliveredChoosableFields() {
  QStringList l;
  for (const QString &c : studentColumns())
    if (!deliveredShownFields().contains(c))
      l << c;
  return l;
}

void createDatabase(const QString &path) {
  const QFileInfo fi(path);
  if (fi.exists())
    throw EDatabaseError(QStringLiteral("无法创建数据库文件 %1：文件已存在").arg(QDir::toNativeSeparators(path)));
  if (!QDir().mkpath(fi.absolutePath()))
    throw EDatabaseError(QStringLiteral("无法创建数据库文件 %1：无法建立文件夹 %2")
                             .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(fi.absolutePath())));
  // Built under a temporary name and moved into place at the end, so that a
  // failure half-way never leaves a half-made file at the fixed path.
  const QString tmp = fi.absolutePath() + QStringLiteral("/.") + fi.fileName() +
                      QStringLiteral(".%1.tmp").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
  try {
    {
      Connection c;
      c.create(tmp);
      Transaction tx(c);
      c.exec(QStringLiteral("PRAGMA application_id=%1").arg(kApplicationId));
      for (const TableDef &t : kTables) {
        QStringList cols;
        for (const auto &[name, type] : t.columns)
          cols << q(QString::fromUtf16(name)) + u' ' + QString::fromUtf16(type);
        c.exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(q(QString::fromUtf16(t.name)), cols.join(u", ")));
      }
      for (const char16_t *ix : kIndexes)
        c.exec(QString::fromUtf16(ix));
      c.exec(QStringLiteral("CREATE TABLE tessaly_access (salt TEXT NOT NULL, check_hash TEXT NOT NULL)"));
      QByteArray salt(16, '\0');
      QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(salt.data()), 4);
      Statement access(c, QStringLiteral("INSERT INTO tessaly_access VALUES(?,?)"));
      access.bind(1, QString::fromLatin1(salt.toHex()));
      access.bind(2, checkHash(salt.toHex()));
      access.step();
      for (const QString &f : deliveredShownFields()) {
        Statement s(c, QStringLiteral("INSERT INTO 显示字段(字段名) VALUES(?)"));
        s.bind(1, f);
        s.step();
      }
      for (const QString &f : deliveredChoosableFields()) {
        Statement s(c, QStringLiteral("INSERT INTO 可选字段(字段名) VALUES(?)"));
        s.bind(1, f);
        s.step();
      }
      tx.commit();
    }
    if (!QFile::rename(tmp, path))
      throw EDatabaseError(QStringLiteral("无法把新文件移到此处"));
  } catch (const EDatabaseError &e) {
    QFile::remove(tmp);
    QFile::remove(tmp + QStringLiteral("-journal"));
    if (e.message().startsWith(QStringLiteral("无法创建数据库文件")))
      throw;
    throw EDatabaseError(
        QStringLiteral("无法创建数据库文件 %1：%2").arg(QDir::toNativeSeparators(path), e.message()));
  }
}

bool ensureDatabase(const QString &path) {
  if (QFileInfo::exists(path))
    return false;
  createDatabase(path);
  return true;
}

void openAndCheck(Connection &c, const QString &path) {
  if (!QFileInfo::exists(path))
    refuse(path, QStringLiteral("文件不存在"));
  try {
    c.open(path);
  } catch (const EDatabaseError &e) {
    refuse(path, e.message());
  }
  try {
    if (sqlite3_db_readonly(c.handle(), "main") == 1)
      refuse(path, QStringLiteral("文件只读，不能写入"));
    int appId = 0;
    {
      Statement s(c, QStringLiteral("PRAGMA application_id"));
      if (s.step())
        appId = s.column(0).toInt();
    }
    QStringList tables;
    {
      Statement s(c, QStringLiteral("SELECT name FROM sqlite_master WHERE type='table'"));
      while (s.step())
        tables << s.column(0).toString();
    }
    if (appId != kApplicationId || !tables.contains(u"tessaly_access"_qs))
      refuse(path, QStringLiteral("不是本系统的数据库文件"));
    bool passwordOk = false;
    {
      Statement s(c, QStringLiteral("SELECT salt, check_hash FROM tessaly_access"));
      if (s.step())
        passwordOk = checkHash(s.column(0).toString().toLatin1()) == s.column(1).toString();
    }
    if (!passwordOk)
      refuse(path, QStringLiteral("数据库密码不正确"));
    for (const TableDef &t : kTables) {
      const QString name = QString::fromUtf16(t.name);
      if (!tables.contains(name))
        refuse(path, QStringLiteral("缺少表“%1”").arg(name));
      QStringList have;
      Statement s(c, QStringLiteral("PRAGMA table_info(%1)").arg(q(name)));
      while (s.step())
        have << s.column(1).toString();
      for (const auto &col : t.columns)
        if (!have.contains(QString::fromUtf16(col.first)))
          refuse(path, QStringLiteral("表“%1”缺少字段“%2”").arg(name, QString::fromUtf16(col.first)));
    }
    // Every post is its own committed transaction in a rollback journal, so a
    // copy of the file taken between posts is complete.
    c.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
    c.exec(QStringLiteral("PRAGMA synchronous=FULL"));
  } catch (const EDatabaseError &e) {
    c.close();
    if (e.message().startsWith(QStringLiteral("无法打开数据库文件")))
      throw;
    refuse(path, e.message());
  }
}

} // namespace Schema
