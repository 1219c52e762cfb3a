#include "platform/fileservices.h"

#include <QDateTime>
#include <gtest/gtest.h>

namespace {

TEST(FileServices, Wildcards) {
  struct Case {
    const char *pattern, *name;
    bool match;
  };
  const Case cases[] = {
      {"*.*", "README", true},      {"*.*", ".hidden", true},     {"*.mdb", "vindero.mdb", true},
      {"*.mdb", "VINDERO.MDB", true}, {"*.mdb", "vindero.mdb.bak", false}, {"v?ndero.*", "vindero.mdb", true},
      {"v?ndero.*", "vndero.mdb", false}, {"a*b*c", "aXbYc", true}, {"a*b*c", "aXbY", false},
      {"*", "", true},                {"?", "", false},
  };
  for (const Case &c : cases)
    EXPECT_EQ(FileServices::wildcardMatch(QString::fromLatin1(c.pattern), QString::fromLatin1(c.name)), c.match)
        << c.pattern << " " << c.name;
}

TEST(FileServices, DosDateAndTime) {
  // 2026-12-11 09:30:47: year 46, month 12, day 11, hour 9, minute 30, second 47/2 = 23.
  const qint32 v = FileServices::dosDateTime(QDateTime(QDate(2026, 12, 11), QTime(9, 30, 47)));
  EXPECT_EQ(quint32(v), (46u << 25) | (12u << 21) | (11u << 16) | (9u << 11) | (30u << 5) | 23u);
  EXPECT_EQ(FileServices::dosDateTime(QDateTime(QDate(1979, 12, 31), QTime(23, 59))), -1);
  EXPECT_EQ(FileServices::dosDateTime(u"/no/such/file"_qs), -1);
}

TEST(FileServices, PathParts) {
  EXPECT_EQ(FileServices::folderOf(u"/a/b/*.mdb"_qs), u"/a/b"_qs);
  EXPECT_EQ(FileServices::nameOf(u"/a/b/*.mdb"_qs), u"*.mdb"_qs);
  EXPECT_EQ(FileServices::folderOf(u"/x"_qs), u"/"_qs);
  EXPECT_TRUE(FileServices::absolutePath(u"rel/../x"_qs).endsWith(u"/x"_qs));
}

} // namespace
