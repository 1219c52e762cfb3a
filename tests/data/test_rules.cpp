#include "data/datamodule.h"
#include "data/rules.h"
#include "testsupport.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

const QDateTime kDay(QDate(2026, 12, 11), QTime(9, 30));

class RulesTest : public ::testing::Test {
protected:
  void SetUp() override {
    db.exec(u"INSERT INTO 开班计划(班次名称,总人数) VALUES('电脑班',30)"_qs);
    dm = std::make_unique<TDM>(db.path);
  }
  QString enrol(const QString &name = u"张三"_qs, bool save = true) {
    dm->stuinf_table->append();
    const QString number = dm->stuinf_table->asString(u"编号"_qs);
    if (save) {
      dm->stuinf_table->setValue(u"姓名"_qs, name);
      dm->stuinf_table->setValue(u"电话"_qs, u"123"_qs);
      dm->stuinf_table->post();
    } else {
      dm->stuinf_table->cancel();
    }
    return number;
  }
  TempDb db;
  FixedClock clock{kDay};
  DialogScript dialogs;
  std::unique_ptr<TDM> dm;
};

TEST(StudentNumber, DigitsOfTheSequence) {
  const QDate d(2026, 12, 11);
  const std::pair<qint64, const char *> cases[] = {
      {1, "20261211001"}, {2, "20261211002"}, {10, "20261211010"},   {100, "20261211100"},
      {999, "20261211999"}, {1000, "202612111000"}, {1001, "202612111001"},
  };
  for (const auto &[n, text] : cases)
    EXPECT_EQ(Rules::studentNumber(d, n), QString::fromLatin1(text));
}

TEST_F(RulesTest, NewStudentGetsClassNumberAndBirthDate) {
  dm->stuinf_table->append();
  EXPECT_EQ(dm->stuinf_table->asString(u"参加班次"_qs), u"电脑班"_qs);
  EXPECT_EQ(dm->stuinf_table->asString(u"编号"_qs), u"20261211001"_qs);
  EXPECT_EQ(dm->stuinf_table->value(u"出生年月"_qs), QVariant(QDate(1980, 1, 1)));
  // The counter row was created (记数 was empty) and posted at once.
  EXPECT_EQ(db.scalar(u"SELECT 日期||':'||计数 FROM 记数"_qs).toString(), u"20261211:1"_qs);
  EXPECT_EQ(db.scalar(u"SELECT count(*) FROM 学员基本信息"_qs).toInt(), 0);
}

TEST_F(RulesTest, NumbersAcrossDaysCancelsAndTheThousandth) {
  EXPECT_EQ(enrol(), u"20261211001"_qs);
  EXPECT_EQ(enrol(u""_qs, false), u"20261211002"_qs); // cancelled: keeps its number
  EXPECT_EQ(enrol(), u"20261211003"_qs);
  clock.set(kDay.addDays(1));
  EXPECT_EQ(enrol(), u"20261212001"_qs);
  clock.set(kDay.addDays(-3)); // the date set back: numbering restarts
  EXPECT_EQ(enrol(), u"20261208001"_qs);
  db.exec(u"UPDATE 记数 SET 计数=998"_qs);
  EXPECT_EQ(enrol(), u"20261208999"_qs);
  EXPECT_EQ(enrol(), u"202612081000"_qs);
  EXPECT_EQ(enrol(), u"202612081001"_qs);
  EXPECT_EQ(db.scalar(u"SELECT count(*) FROM 记数"_qs).toInt(), 1);
}

TEST_F(RulesTest, TwoProgramsOnOneFileNeverShareANumber) {
  TDM other(db.path);
  QStringList numbers;
  for (int i = 0; i < 5; ++i) {
    numbers << enrol();
    other.stuinf_table->append();
    numbers << other.stuinf_table->asString(u"编号"_qs);
    other.stuinf_table->cancel();
  }
  numbers.removeDuplicates();
  EXPECT_EQ(numbers.size(), 10);
  EXPECT_EQ(db.scalar(u"SELECT 计数 FROM 记数"_qs).toInt(), 10);
}

TEST_F(RulesTest, RequiredFieldWarningsNeverStopThePost) {
  struct Case {
    const char16_t *name, *phone;
    bool warned;
  };
  const Case cases[] = {{u"", u"123", true}, {u"李四", u"", true}, {u"", u"", true}, {u"王五", u"456", false},
                        {u" ", u" ", false}};
  for (const Case &c : cases) {
    dialogs.clearAsked();
    dm->stuinf_table->append();
    dm->stuinf_table->setValue(u"姓名"_qs, QString::fromUtf16(c.name));
    dm->stuinf_table->setValue(u"电话"_qs, QString::fromUtf16(c.phone));
    dm->stuinf_table->setValue(u"备注"_qs, u"x"_qs);
    dm->stuinf_table->post();
    EXPECT_EQ(dm->stuinf_table->state(), DataSetState::Browse);
    ASSERT_EQ(dialogs.asked().size(), c.warned ? 1u : 0u);
    if (c.warned) {
      const Dialogs::Request &r = dialogs.asked()[0];
      EXPECT_EQ(r.text, QString::fromUtf16(Rules::kStudentWarning));
      EXPECT_EQ(r.title, u"Warning"_qs);
      EXPECT_EQ(r.icon, Dialogs::Icon::Warning);
      EXPECT_EQ(r.buttons, int(Dialogs::Cancel));
    }
  }
  EXPECT_EQ(dm->stuinf_table->recordCount(), 5);
}

TEST_F(RulesTest, ClassPlanDefaultsWarningAndCount) {
  QSignalSpy count(dm.get(), &TDM::classCountChanged);
  dm->kaibanjihua_table->append();
  EXPECT_EQ(dm->kaibanjihua_table->value(u"开始时间"_qs), QVariant(kDay.date()));
  EXPECT_EQ(dm->kaibanjihua_table->value(u"结束时间"_qs), QVariant(kDay.date()));
  EXPECT_TRUE(dm->kaibanjihua_table->value(u"结束日期"_qs).isNull());
  dm->kaibanjihua_table->setValue(u"班次名称"_qs, u"会计班"_qs);
  dm->kaibanjihua_table->post(); // no places
  ASSERT_EQ(dialogs.asked().size(), 1u);
  EXPECT_EQ(dialogs.asked()[0].text, QString::fromUtf16(Rules::kClassWarning));
  EXPECT_EQ(dialogs.asked()[0].buttons, int(Dialogs::Cancel));
  ASSERT_EQ(count.count(), 1);
  EXPECT_EQ(count[0][0].toString(), u"共开了2个班次"_qs);
  // A delete does not announce a new count.
  dm->kaibanjihua_table->remove();
  EXPECT_EQ(count.count(), 1);
  EXPECT_EQ(dm->classCountText(), u"共开了1个班次"_qs);
}

TEST_F(RulesTest, FailingCounterLeavesTheNewStudentOpen) {
  // Another program holds the file's write lock: the counter cannot be taken.
  Connection other;
  other.open(db.path);
  other.exec(u"BEGIN EXCLUSIVE"_qs);
  dm->ADOConnection1.exec(u"PRAGMA busy_timeout=50"_qs);
  EXPECT_THROW(dm->stuinf_table->append(), EDatabaseError);
  EXPECT_EQ(dm->stuinf_table->state(), DataSetState::Insert);
  EXPECT_EQ(dm->jishu_table->state(), DataSetState::Browse);
  other.exec(u"ROLLBACK"_qs);
  dm->stuinf_table->cancel();
  EXPECT_EQ(enrol(), u"20261211001"_qs);
}

} // namespace
