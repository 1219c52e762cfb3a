#include "students/conditions.h"

#include <gtest/gtest.h>

namespace {
using Conditions::Relation;

TEST(Conditions, LinesAsTheyGoIntoTheStatement) {
  struct Case {
    bool first;
    Relation rel;
    const char16_t *field, *op, *value, *line;
  };
  const Case cases[] = {
      {true, Relation::Or, u"姓名", u"=", u"张三", u"姓名='张三'"}, // the first line never has a connector
      {false, Relation::And, u"性别", u"=", u"男", u"and 性别='男'"},
      {false, Relation::Or, u"性别", u"<>", u"男", u"or 性别<>'男'"},
      {true, Relation::And, u"家庭住址", u"=", u"张三", u"住址='张三'"},
      {true, Relation::And, u"联系电话", u">", u"5", u"电话>'5'"},
      {true, Relation::And, u"姓名", u"=", u"", u"姓名=''"},
      {true, Relation::And, u"姓名", u"=", u"O'Brien", u"姓名='O''Brien'"},
      {true, Relation::And, u"出生年月", u"<=", u"1980-01-01", u"出生年月<=date('1980-01-01')"},
      {true, Relation::And, u"年龄", u"like", u"3%", u"年龄like'3%'"}, // typed field and operator as they are
  };
  for (const Case &c : cases)
    EXPECT_EQ(Conditions::line(c.first, c.rel, QString::fromUtf16(c.field), QString::fromUtf16(c.op),
                               QString::fromUtf16(c.value)),
              QString::fromUtf16(c.line));
}

TEST(Conditions, TheWorkedStatements) {
  const QString names = Conditions::selectList({u"编号"_qs, u"姓名"_qs});
  EXPECT_EQ(names, u"select 编号,姓名"_qs);
  EXPECT_EQ(Conditions::selectList({u"姓名"_qs}), u"select 姓名"_qs);
  struct Case {
    QString select;
    QStringList lines;
    QString fallback;
    QString statement;
  };
  const Case cases[] = {
      {names, {}, u"姓名='张三'"_qs, u"select 编号,姓名 from 学员基本信息 where 姓名='张三'"_qs},
      {names, {}, {}, u"select 编号,姓名 from 学员基本信息"_qs},
      {names, {u"姓名='张三'"_qs, u"and 性别='男'"_qs}, u"ignored='x'"_qs,
       u"select 编号,姓名 from 学员基本信息 where 姓名='张三'\r\nand 性别='男'\r\n"_qs},
      {names, {u"姓名='张三'"_qs, u"or 性别='男'"_qs}, {},
       u"select 编号,姓名 from 学员基本信息 where 姓名='张三'\r\nor 性别='男'\r\n"_qs},
      {u"select *"_qs, {u"姓名='张三'"_qs, u"or 性别='男'"_qs}, {},
       u"select * from 学员基本信息 where 姓名='张三'\r\nor 性别='男'\r\n"_qs},
  };
  for (const Case &c : cases)
    EXPECT_EQ(Conditions::statement(c.select, c.lines, c.fallback), c.statement);
}

TEST(Conditions, CaptionsAndOperators) {
  EXPECT_EQ(Conditions::captions().size(), 12);
  EXPECT_EQ(Conditions::captions().first(), u"编号"_qs);
  EXPECT_EQ(Conditions::captions().last(), u"参加班次"_qs);
  EXPECT_EQ(Conditions::operators(), (QStringList{u"="_qs, u"<="_qs, u">"_qs, u"<>"_qs}));
}
} // namespace
