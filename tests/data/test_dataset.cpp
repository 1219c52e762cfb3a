// The dataset operations and their event order, on small tables of their own.
#include "data/datasource.h"
#include "testsupport.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

class DataSetTest : public ::testing::Test {
protected:
  void SetUp() override {
    db.exec(u"CREATE TABLE 人 (名 TEXT, 岁 INTEGER, 生日 DATE, 组 TEXT);"
            "CREATE TABLE 组表 (组名 TEXT);"
            "INSERT INTO 人 VALUES('甲',1,NULL,'一'),('乙',2,NULL,'一'),('丙',3,NULL,'二'),('丁',4,NULL,NULL),"
            "('戊',5,NULL,'');"
            "INSERT INTO 组表 VALUES('一'),('二'),('三')"_qs);
    conn.open(db.path);
    people = std::make_unique<TableDataSet>(conn, u"people"_qs);
    people->setTableName(u"人"_qs);
    record(*people);
  }

  void record(DataSet &ds) {
    ds.beforeInsert = [this](DataSet &) { events << u"BeforeInsert"_qs; };
    ds.afterInsert = [this](DataSet &d) { events << u"AfterInsert:"_qs + d.asString(u"组"_qs); };
    ds.beforePost = [this](DataSet &d) { events << u"BeforePost:"_qs + d.asString(u"名"_qs); };
    ds.afterPost = [this](DataSet &) { events << u"AfterPost"_qs; };
    ds.afterCancel = [this](DataSet &) { events << u"AfterCancel"_qs; };
    ds.afterDelete = [this](DataSet &) { events << u"AfterDelete"_qs; };
  }

  QStringList names(DataSet &ds) {
    QStringList l;
    for (ds.first(); !ds.eof(); ds.next())
      l << ds.asString(u"名"_qs);
    return l;
  }

  TempDb db;
  Connection conn;
  std::unique_ptr<TableDataSet> people;
  QStringList events;
};

TEST_F(DataSetTest, NavigationAndEndOfData) {
  people->open();
  people->open(); // opening an open dataset does nothing
  EXPECT_EQ(people->recordCount(), 5);
  EXPECT_TRUE(people->bof());
  EXPECT_EQ(people->asString(u"名"_qs), u"甲"_qs);
  people->last();
  EXPECT_EQ(people->asString(u"名"_qs), u"戊"_qs);
  EXPECT_TRUE(people->eof());
  people->prior();
  EXPECT_EQ(people->asString(u"名"_qs), u"丁"_qs);
  EXPECT_EQ(names(*people), (QStringList{u"甲"_qs, u"乙"_qs, u"丙"_qs, u"丁"_qs, u"戊"_qs}));
  EXPECT_THROW(people->value(u"无此列"_qs), EDatabaseError);
  EXPECT_EQ(people->asInteger(u"岁"_qs), 5);

  TableDataSet empty(conn, u"empty"_qs);
  empty.setTableName(u"组表"_qs);
  db.exec(u"DELETE FROM 组表"_qs);
  empty.open();
  EXPECT_TRUE(empty.isEmpty());
  EXPECT_TRUE(empty.eof());
  EXPECT_TRUE(empty.bof());
  EXPECT_TRUE(empty.value(0).isNull());
}

TEST_F(DataSetTest, InsertAndPostRunTheirEventsInOrder) {
  people->open();
  QSignalSpy updates(people.get(), &DataSet::updateRecord);
  people->append();
  EXPECT_EQ(people->state(), DataSetState::Insert);
  people->setValue(u"名"_qs, u"己"_qs);
  people->setValue(u"岁"_qs, u"6"_qs);      // text into an integer column
  people->setValue(u"生日"_qs, u"2020-05-06"_qs); // "yyyy-mm-dd" into a date column
  people->post();
  EXPECT_EQ(events, (QStringList{u"BeforeInsert"_qs, u"AfterInsert:"_qs, u"BeforePost:己"_qs, u"AfterPost"_qs}));
  EXPECT_EQ(updates.count(), 1); // bound controls were asked to write before BeforePost
  EXPECT_EQ(people->state(), DataSetState::Browse);
  EXPECT_EQ(people->asString(u"名"_qs), u"己"_qs);
  EXPECT_EQ(people->value(u"生日"_qs), QVariant(QDate(2020, 5, 6)));
  EXPECT_EQ(db.scalar(u"SELECT 生日 FROM 人 WHERE 名='己'"_qs).toString(), u"2020-05-06"_qs);
  EXPECT_EQ(db.scalar(u"SELECT typeof(岁) FROM 人 WHERE 名='己'"_qs).toString(), u"integer"_qs);
}

TEST_F(DataSetTest, MovingOffAPendingRow) {
  struct Case {
    const char *what;
    bool insert;
    bool change;
    int rowsAfter;
  };
  const Case cases[] = {
      {"changed new row is posted", true, true, 6},
      {"unchanged new row is dropped", true, false, 5},
      {"changed edit is posted", false, true, 5},
      {"unchanged edit is dropped", false, false, 5},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    db.exec(u"DELETE FROM 人 WHERE 名='新'"_qs);
    db.exec(u"UPDATE 人 SET 名='甲' WHERE rowid=1"_qs);
    people->close();
    people->open();
    if (c.insert)
      people->insert();
    else
      people->edit();
    if (c.change)
      people->setValue(u"名"_qs, c.insert ? u"新"_qs : u"改"_qs);
    people->next();
    EXPECT_EQ(people->state(), DataSetState::Browse);
    EXPECT_EQ(db.scalar(u"SELECT count(*) FROM 人"_qs).toInt(), c.rowsAfter);
    if (!c.insert)
      EXPECT_EQ(db.scalar(u"SELECT 名 FROM 人 WHERE rowid=1"_qs).toString(), c.change ? u"改"_qs : u"甲"_qs);
  }
}

TEST_F(DataSetTest, EditOnEmptyStartsAnInsertAndCancelDrops) {
  db.exec(u"DELETE FROM 人"_qs);
  people->open();
  people->edit();
  EXPECT_EQ(people->state(), DataSetState::Insert);
  people->setValue(u"名"_qs, u"甲"_qs);
  people->cancel();
  EXPECT_TRUE(people->isEmpty());
  EXPECT_EQ(db.scalar(u"SELECT count(*) FROM 人"_qs).toInt(), 0);
  EXPECT_TRUE(events.contains(u"AfterCancel"_qs));
  EXPECT_THROW(people->remove(), EDatabaseError);
}

TEST_F(DataSetTest, DeleteMovesToTheNextRowUntilEmpty) {
  people->open();
  people->moveTo(1);
  people->remove();
  EXPECT_EQ(people->asString(u"名"_qs), u"丙"_qs);
  people->last();
  people->remove(); // the last row: the new last becomes current
  EXPECT_EQ(people->asString(u"名"_qs), u"丁"_qs);
  people->first();
  int n = 0;
  while (!people->eof() && n < 10) {
    people->remove();
    ++n;
    if (people->isEmpty())
      break;
  }
  EXPECT_EQ(n, 3);
  EXPECT_TRUE(people->isEmpty());
  EXPECT_TRUE(people->eof());
  EXPECT_EQ(db.scalar(u"SELECT count(*) FROM 人"_qs).toInt(), 0);
}

TEST_F(DataSetTest, RefusedValueLeavesTheRowInEdit) {
  people->open();
  people->edit();
  people->setValue(u"名"_qs, u"甲乙"_qs);
  EXPECT_THROW(people->setValue(u"岁"_qs, u"很老"_qs), EDatabaseError);
  EXPECT_EQ(people->state(), DataSetState::Edit);
  EXPECT_EQ(people->asString(u"名"_qs), u"甲乙"_qs);
  EXPECT_THROW(TableDataSet(conn, u"x"_qs).setValue(0, 1), EDatabaseError);
}

TEST_F(DataSetTest, EngineRefusalOfAPostKeepsTheRowInEdit) {
  db.exec(u"CREATE TABLE 唯一 (码 TEXT UNIQUE); INSERT INTO 唯一 VALUES('A')"_qs);
  TableDataSet t(conn, u"unique"_qs);
  t.setTableName(u"唯一"_qs);
  t.open();
  t.append();
  t.setValue(u"码"_qs, u"A"_qs);
  EXPECT_THROW(t.post(), EDatabaseError);
  EXPECT_EQ(t.state(), DataSetState::Insert);
  EXPECT_EQ(t.asString(u"码"_qs), u"A"_qs);
  t.setValue(u"码"_qs, u"B"_qs);
  t.post();
  EXPECT_EQ(t.recordCount(), 2);
}

class MasterDetailTest : public DataSetTest {
protected:
  void SetUp() override {
    DataSetTest::SetUp();
    groups = std::make_unique<TableDataSet>(conn, u"groups"_qs);
    groups->setTableName(u"组表"_qs);
    groupsDs = std::make_unique<DataSource>(groups.get(), u"groups_ds"_qs);
    people->setMaster(groupsDs.get(), u"组名"_qs, u"组"_qs);
    groups->open();
    people->open();
  }
  std::unique_ptr<TableDataSet> groups;
  std::unique_ptr<DataSource> groupsDs;
};

TEST_F(MasterDetailTest, DetailFollowsEveryMoveOfTheMaster) {
  EXPECT_EQ(names(*people), (QStringList{u"甲"_qs, u"乙"_qs}));
  groups->next();
  EXPECT_EQ(names(*people), (QStringList{u"丙"_qs}));
  groups->next();
  EXPECT_TRUE(people->isEmpty());
  EXPECT_EQ(people->recordCount(), 0);
  groups->first();
  EXPECT_EQ(people->recordCount(), 2);
}

TEST_F(MasterDetailTest, NewDetailRowGetsTheLinkBeforeAfterInsert) {
  groups->moveTo(1);
  people->append();
  EXPECT_EQ(events.last(), u"AfterInsert:二"_qs);
  people->setValue(u"名"_qs, u"庚"_qs);
  people->post();
  EXPECT_EQ(names(*people), (QStringList{u"丙"_qs, u"庚"_qs}));
  EXPECT_EQ(db.scalar(u"SELECT 组 FROM 人 WHERE 名='庚'"_qs).toString(), u"二"_qs);
}

TEST_F(MasterDetailTest, EmptyMasterSelectsRowsWithAnEmptyLink) {
  db.exec(u"DELETE FROM 组表"_qs);
  groups->refresh();
  EXPECT_TRUE(groups->isEmpty());
  EXPECT_EQ(names(*people), (QStringList{u"丁"_qs, u"戊"_qs})); // null and ''
  people->append();
  people->setValue(u"名"_qs, u"辛"_qs);
  people->post();
  EXPECT_TRUE(db.scalar(u"SELECT 组 FROM 人 WHERE 名='辛'"_qs).isNull());
}

TEST_F(MasterDetailTest, MasterMovePostsAPendingDetailRow) {
  people->edit();
  people->setValue(u"名"_qs, u"甲改"_qs);
  groups->next();
  EXPECT_EQ(db.scalar(u"SELECT 名 FROM 人 WHERE rowid=1"_qs).toString(), u"甲改"_qs);
}

TEST_F(MasterDetailTest, RefusedDetailPostStopsTheMasterMoveAndKeepsTheRow) {
  db.exec(u"CREATE UNIQUE INDEX 人_名 ON 人(名)"_qs);
  people->edit();
  people->setValue(u"名"_qs, u"乙"_qs); // the name of another row: the engine refuses it
  EXPECT_THROW(groups->next(), EDatabaseError);
  EXPECT_EQ(people->state(), DataSetState::Edit);
  EXPECT_EQ(people->asString(u"名"_qs), u"乙"_qs);
  people->cancel();
  groups->next();
  EXPECT_EQ(names(*people), (QStringList{u"丙"_qs}));
}

TEST_F(DataSetTest, QueryStatementIsReplacedOnlyWhileClosed) {
  QueryDataSet q(conn, u"q"_qs);
  q.addSql(u"select 名 from 人 where 岁>2"_qs);
  EXPECT_EQ(q.sqlText(), u"select 名 from 人 where 岁>2\r\n"_qs);
  q.execSql();
  q.open();
  EXPECT_EQ(q.recordCount(), 3);
  EXPECT_EQ(q.value(0).toString(), u"丙"_qs);
  EXPECT_THROW(q.clearSql(), EDatabaseError);
  EXPECT_THROW(q.edit(), EDatabaseError);
  q.close();
  q.clearSql();
  q.addSql(u"select count(*) from 人"_qs);
  q.open();
  EXPECT_EQ(q.value(0).toInt(), 5);
}

TEST_F(DataSetTest, QueryRefusesStatementsThatWriteOrCarryAnother) {
  const char16_t *refused[] = {
      u"delete from 人",
      u"select * from 人; delete from 人",
      u"update 人 set 名='x'",
      u"select * from 无此表",
  };
  for (const char16_t *sql : refused) {
    QueryDataSet q(conn, u"q"_qs);
    q.addSql(QString::fromUtf16(sql));
    EXPECT_THROW(q.execSql(), EDatabaseError) << QString::fromUtf16(sql).toStdString();
    EXPECT_THROW(q.open(), EDatabaseError);
    EXPECT_FALSE(q.active());
  }
  EXPECT_EQ(db.scalar(u"SELECT count(*) FROM 人"_qs).toInt(), 5);
}

TEST_F(DataSetTest, LargeResultsAreReadInWindows) {
  db.exec(u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<5000) "
          "INSERT INTO 人(名,岁) SELECT 'p'||i, i FROM n"_qs);
  QueryDataSet q(conn, u"q"_qs);
  q.addSql(u"select 名, 岁 from 人 where 岁 > 0 order by rowid"_qs);
  q.open();
  EXPECT_LT(q.fetchedCount(), 1000); // the first rows, not the whole result
  EXPECT_TRUE(q.canFetchMore());
  q.last();
  EXPECT_EQ(q.asString(u"名"_qs), u"p5000"_qs);
  EXPECT_EQ(q.recordCount(), 5005);
  q.moveTo(2);
  EXPECT_EQ(q.asString(u"名"_qs), u"丙"_qs);

  people->open();
  EXPECT_LT(people->fetchedCount(), 5005);
  people->last();
  EXPECT_EQ(people->asString(u"名"_qs), u"p5000"_qs);
}

TEST_F(DataSetTest, DataSourceStartsAnEditWhenTypedInto) {
  people->open();
  DataSource ds(people.get(), u"ds"_qs);
  QSignalSpy state(&ds, &DataSource::stateChanged);
  EXPECT_TRUE(ds.beginEdit());
  EXPECT_EQ(people->state(), DataSetState::Edit);
  EXPECT_GE(state.count(), 1);
  ds.setAutoEdit(false);
  people->cancel();
  EXPECT_FALSE(ds.beginEdit());
}

} // namespace
