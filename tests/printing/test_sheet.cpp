// The sheet as printed: rendered to a PDF, its text read back with
// pdftotext, its rules checked on a rendered image.
#include "data/datamodule.h"
#include "printing/printshouj.h"
#include "printing/sheet.h"
#include "printing/sheetdata.h"
#include "testsupport.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

struct Word {
  QString text;
  double xMm, yMm;
};

// Every word of the PDF's page with its top-left corner in millimetres.
QList<Word> pdfWords(const QString &pdf) {
  QProcess p;
  p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
  p.waitForFinished(20000);
  const QString html = QString::fromUtf8(p.readAllStandardOutput());
  static const QRegularExpression re(
      QStringLiteral(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="[\d.]+">([^<]*)</word>)re"));
  QList<Word> words;
  for (auto it = re.globalMatch(html); it.hasNext();) {
    const auto m = it.next();
    QString t = m.captured(3);
    t.replace(u"&quot;"_qs, u"\""_qs).replace(u"&lt;"_qs, u"<"_qs).replace(u"&gt;"_qs, u">"_qs).replace(u"&amp;"_qs, u"&"_qs);
    words.push_back({t, m.captured(1).toDouble() * 25.4 / 72, m.captured(2).toDouble() * 25.4 / 72});
  }
  return words;
}

QString pdfText(const QList<Word> &words) {
  QString s;
  for (const Word &w : words)
    s += w.text + u' ';
  return s;
}

class SheetTest : public ::testing::Test {
protected:
  void SetUp() override {
    db.exec(u"INSERT INTO 开班计划(班次名称,开始时间,培训费,资料费,总人数) VALUES('电脑一期','2026-12-20',800,50,30),"
            "('空班','2027-01-05',NULL,NULL,10);"
            "INSERT INTO 学员基本信息(姓名,编号,性别,出生年月,教育程度,毕业院校,身份证号,住址,邮编,电话,手机,是否自备资料,参加班次,培训科目) "
            "VALUES('张三','20261211001','男','1990-05-06','高中','市第一中学','320102199005061234','人民路8号','210000','02584001234','13912345678',1,'电脑一期','办公自动化'),"
            "('李四','20261211002','女','1991-01-01','大学','理工大学','','','','','',0,'电脑一期',NULL),"
            "('王五','20261211003','男','1992-02-02','','','','','','','',NULL,'电脑一期',NULL)"_qs);
    dm = std::make_unique<TDM>(db.path);
  }
  QString pdf() const { return db.dir.filePath(u"sheet.pdf"_qs); }
  TempDb db;
  FixedClock clock{QDateTime(QDate(2026, 12, 11), QTime(9, 0))};
  DialogScript dialogs;
  std::unique_ptr<TDM> dm;
};

TEST_F(SheetTest, ReceiptChargesTheMaterialsUnlessTheStudentBringsThem) {
  const char16_t *amounts[] = {u"捌佰圆整", u"捌佰伍拾圆整", u"捌佰伍拾圆整"}; // True, False, empty
  for (int i = 0; i < 3; ++i) {
    dm->stuinf_table->moveTo(i);
    const SheetData d = QuickRep1StartPage(*dm);
    EXPECT_EQ(d.item, u"参加\"电脑一期\"培训"_qs);
    EXPECT_EQ(d.amount, QString::fromUtf16(amounts[i]));
  }
}

TEST_F(SheetTest, ThePageCarriesTheStudentAndTheClass) {
  Sheet::writePdf(pdf(), QuickRep1StartPage(*dm));
  const QString text = pdfText(pdfWords(pdf()));
  for (const char16_t *t : {u"学员基本信息表", u"张三", u"男", u"1990-05-06", u"320102199005061234", u"高中",
                            u"市第一中学", u"人民路8号", u"02584001234", u"13912345678", u"210000", u"办公自动化",
                            u"2026-12-20", u"2026-12-11", u"参加\"电脑一期\"培训", u"捌佰圆整", u"20261211001",
                            u"电脑一期", u"人民币（大写）", u"单位盖章：", u"公司盖章：", u"开班时间："})
    EXPECT_TRUE(text.contains(QString::fromUtf16(t))) << QString::fromUtf16(t).toStdString();
}

TEST_F(SheetTest, ClassWithoutStudentsPrintsEmptyStudentFields) {
  dm->kaibanjihua_table->last();
  ASSERT_TRUE(dm->stuinf_table->isEmpty());
  const SheetData d = QuickRep1StartPage(*dm);
  EXPECT_EQ(d.amount, u"零"_qs); // no fees entered
  Sheet::writePdf(pdf(), d);
  const QString text = pdfText(pdfWords(pdf()));
  EXPECT_TRUE(text.contains(u"空班"_qs));
  EXPECT_FALSE(text.contains(u"张三"_qs));
  EXPECT_FALSE(text.contains(u"2026121100"_qs));
}

TEST_F(SheetTest, NoClassPlanIsRefusedWithAMessage) {
  db.exec(u"DELETE FROM 开班计划"_qs);
  dm->kaibanjihua_table->refresh();
  EXPECT_THROW(QuickRep1StartPage(*dm), EDatabaseError);
  db.exec(u"INSERT INTO 开班计划(总人数) VALUES(3)"_qs); // a class plan without a name
  dm->kaibanjihua_table->refresh();
  try {
    QuickRep1StartPage(*dm);
    FAIL();
  } catch (const EDatabaseError &e) {
    EXPECT_TRUE(e.message().contains(u"班次名称"_qs));
  }
}

TEST_F(SheetTest, AnchorsStandWhereTheLayoutPutsThem) {
  Sheet::writePdf(pdf(), QuickRep1StartPage(*dm));
  const QList<Word> words = pdfWords(pdf());
  struct Anchor {
    const char16_t *word;
    double x, y; // top-left on the paper
  };
  // Detail band: 10 mm from the left, 20.6 mm from the top.
  const Anchor anchors[] = {
      {u"学员基本信息表", 10 + 80.4, 10 + 2.1},
      {u"收", 10 + 88.9, 20.6 + 92.1},
      {u"听", 10 + 86.8, 20.6 + 194.7},
      {u"单位盖章：", 10 + 101.6, 20.6 + 156.6},
      {u"20261211001", 10 + 51.9, 20.6 + 206.9},
  };
  for (const Anchor &a : anchors) {
    const auto it = std::find_if(words.begin(), words.end(),
                                 [&](const Word &w) { return w.text == QString::fromUtf16(a.word); });
    ASSERT_NE(it, words.end()) << QString::fromUtf16(a.word).toStdString();
    EXPECT_NEAR(it->xMm, a.x, 0.5) << QString::fromUtf16(a.word).toStdString();
    EXPECT_NEAR(it->yMm, a.y, 0.5) << QString::fromUtf16(a.word).toStdString();
  }
}

TEST_F(SheetTest, ReceiptBoxAndTableRulesAreDrawnAtTheirPlaces) {
  const int dpi = 254; // 10 pixels a millimetre
  QImage img(2100, 2970, QImage::Format_RGB32);
  img.setDotsPerMeterX(dpi * 10000 / 254);
  img.setDotsPerMeterY(dpi * 10000 / 254);
  {
    QPainter p(&img);
    Sheet::render(p, QuickRep1StartPage(*dm));
  }
  auto dark = [&](double xMm, double yMm) { return qGray(img.pixel(int(xMm * 10), int(yMm * 10))) < 128; };
  // The receipt box: left edge at 28.6, top at 102.4, 136.8 wide, 52.1 high.
  const double left = 10 + 28.6, top = 20.6 + 102.4, right = left + 136.8, bottom = top + 52.1;
  EXPECT_TRUE(dark(left, top + 30));
  EXPECT_TRUE(dark(right, top + 30));
  EXPECT_TRUE(dark(left + 70, top));
  EXPECT_TRUE(dark(left + 70, bottom));
  EXPECT_FALSE(dark(left + 0.6, top + 30));
  EXPECT_FALSE(dark(left - 0.6, top + 30));
  // The heavy top edge of the information table and a row rule.
  EXPECT_TRUE(dark(10 + 100, 20.6 + 0.5));
  EXPECT_TRUE(dark(10 + 100, 20.6 + 12.3));
  EXPECT_FALSE(dark(10 + 100, 20.6 + 13.2));
}

TEST_F(SheetTest, PreviewShowsThePageAndSavesAPdf) {
  Tprintshouj_form holder;
  int previews = 0;
  Dialogs::setModalRunner([&](QDialog *d) {
    ++previews;
    auto *preview = qobject_cast<QPrintPreviewDialog *>(d);
    EXPECT_TRUE(preview);
    EXPECT_FALSE(preview->isMaximized());
    // The preview's own save command, answered through the seam.
    Dialogs::setFileAnswerer([&](const Dialogs::FileRequest &) { return pdf(); });
    QAction *save = d->findChild<QAction *>(u"savePdf"_qs);
    EXPECT_TRUE(save);
    if (save)
      save->trigger();
    Dialogs::setFileAnswerer(nullptr);
    return 0;
  });
  holder.preview(nullptr);
  Dialogs::setModalRunner(nullptr);
  EXPECT_EQ(previews, 1);
  EXPECT_TRUE(pdfText(pdfWords(pdf())).contains(u"捌佰圆整"_qs));
}

} // namespace
