#include "generator.h"

#include "data/connection.h"
#include "data/schema.h"

#include <QDate>
#include <QRandomGenerator>
#include <QStringList>

namespace BenchData {

namespace {
const QStringList kSurnames = QString::fromUtf8("王 李 张 刘 陈 杨 黄 赵 吴 周 徐 孙 马 朱 胡 郭 何 高 林 罗 郑 梁 谢 宋 唐 许 韩 冯 邓 曹 彭 曾 肖 田 董 袁 潘 于 蒋 蔡 余 杜 叶 程 苏 魏 吕 丁 任 沈")
                                    .split(u' ');
const QStringList kGiven = QString::fromUtf8("伟 芳 娜 秀英 敏 静 丽 强 磊 军 洋 勇 艳 杰 娟 涛 明 超 秀兰 霞 平 刚 桂英 建华 文 华 红 玉兰 志强 海燕 晓东 欣怡 子涵 浩然 宇轩 梓萱 俊杰 雨涵 思远 嘉怡")
                                 .split(u' ');
const QStringList kSubjects = QString::fromUtf8("电脑 会计 英语 日语 平面设计 网页制作 办公自动化 数控 电工 汽修").split(u' ');
const QStringList kSchools = QString::fromUtf8("市第一中学 市第二中学 实验中学 职业技术学院 师范大学 理工大学 财经学院 外国语学校 农业大学 工业大学").split(u' ');
const QStringList kEducation = QString::fromUtf8("学前班 小学 初中 高中 大学 硕士 博士 中专 大专").split(u' ');
const QStringList kStreets = QString::fromUtf8("人民路 解放路 中山路 建设路 和平路 新华街 长江路 黄河路 朝阳街 胜利路").split(u' ');
} // namespace

QString className(int i) {
  return QStringLiteral("%1%2期班").arg(kSubjects[i % kSubjects.size()]).arg(i / kSubjects.size() + 1);
}

void generate(const QString &path, int students, int classes) {
  Schema::createDatabase(path);
  Connection c;
  c.open(path);
  c.exec(QStringLiteral("PRAGMA synchronous=OFF"));
  c.exec(QStringLiteral("PRAGMA journal_mode=MEMORY"));
  auto *rng = QRandomGenerator::global();
  Transaction tx(c);
  {
    Statement s(c, QStringLiteral("INSERT INTO 开班计划 VALUES(?,?,?,?,?,?,?)"));
    for (int i = 0; i < classes; ++i) {
      const QDate start = QDate(2020, 1, 1).addDays(i % 2000);
      s.bind(1, className(i));
      s.bind(2, start);
      s.bind(3, start.addDays(60));
      s.bind(4, start.addDays(-7));
      s.bind(5, double(800 + 100 * (i % 20)));
      s.bind(6, double(50 + 10 * (i % 5)));
      s.bind(7, qint64(students / std::max(classes, 1) + 20));
      s.step();
      s.reset();
    }
  }
  {
    Statement s(c, QStringLiteral("INSERT INTO 学员基本信息 VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
    for (int i = 0; i < students; ++i) {
      const QString name = kSurnames[rng->bounded(int(kSurnames.size()))] + kGiven[rng->bounded(int(kGiven.size()))];
      const QDate day = QDate(2020, 1, 1).addDays(i / 500);
      const QDate birth = QDate(1970, 1, 1).addDays(rng->bounded(12000));
      s.bind(1, name);
      s.bind(2, day.toString(u"yyyyMMdd") + QStringLiteral("%1").arg(i % 500 + 1, 3, 10, QLatin1Char('0')));
      s.bind(3, rng->bounded(2) ? QStringLiteral("男") : QStringLiteral("女"));
      s.bind(4, birth);
      s.bind(5, kEducation[rng->bounded(int(kEducation.size()))]);
      s.bind(6, kSchools[rng->bounded(int(kSchools.size()))]);
      s.bind(7, QStringLiteral("3201%1%2").arg(birth.toString(u"yyyyMMdd")).arg(rng->bounded(10000), 4, 10, QLatin1Char('0')));
      s.bind(8, QStringLiteral("%1%2号").arg(kStreets[rng->bounded(int(kStreets.size()))]).arg(rng->bounded(1, 300)));
      s.bind(9, QStringLiteral("2100%1").arg(rng->bounded(100)));
      s.bind(10, QStringLiteral("025%1").arg(rng->bounded(10000000, 99999999)));
      s.bind(11, QStringLiteral("13%1").arg(rng->bounded(100000000, 999999999)));
      s.bind(12, QVariant());
      s.bind(13, qint64(rng->bounded(2)));
      // The first class is a big one (5,000 students of a million), the
      // others share the rest evenly.
      const int big = std::min(5000, students / 10);
      s.bind(14, className(i < big ? 0 : i % std::max(classes, 1)));
      s.bind(15, QVariant());
      s.step();
      s.reset();
    }
  }
  for (const QString &school : kSchools) {
    Statement s(c, QStringLiteral("INSERT INTO 学校列表 VALUES(?)"));
    s.bind(1, school);
    s.step();
  }
  tx.commit();
  c.exec(QStringLiteral("ANALYZE"));
}

} // namespace BenchData
