#include "printing/capitals.h"

#include <gtest/gtest.h>

namespace {

struct Case {
  double amount;
  const char16_t *text;
};

TEST(AmountInCapitals, TheBindingExamples) {
  const Case cases[] = {
      {0, u"零"},
      {0.001, u"整"},
      {0.01, u"壹分"},
      {0.05, u"伍分"},
      {0.1, u"壹角整"},
      {0.125, u"壹角叁分"},
      {0.5, u"伍角整"},
      {0.55, u"伍角伍分"},
      {0.999, u"壹圆整"},
      {1, u"壹圆整"},
      {1.05, u"壹圆零伍分"},
      {1.5, u"壹圆伍角整"},
      {2, u"贰圆整"},
      {10, u"壹拾圆整"},
      {10.05, u"壹拾圆零伍分"},
      {10.1, u"壹拾圆壹角整"},
      {100.01, u"壹佰圆零壹分"},
      {100.5, u"壹佰圆伍角整"},
      {1001, u"壹仟零壹圆整"},
      {10000, u"壹万圆整"},
      {10001, u"壹万零壹圆整"},
      {20000.02, u"贰万圆零贰分"},
      {100100, u"壹拾万零壹佰圆整"},
      {101000, u"壹拾万壹仟圆整"},
      {120034.56, u"壹拾贰万零叁拾肆圆伍角陆分"},
      {1000010, u"壹佰万零壹拾圆整"},
      {99999999.99, u"玖仟玖佰玖拾玖万玖仟玖佰玖拾玖圆玖角玖分"},
      {100000000, u"壹亿圆整"},
      {100000001, u"壹亿零壹圆整"},
      {100010000, u"壹亿零壹万圆整"},
      {150000000, u"壹亿伍仟万圆整"},
      {1000000000, u"壹拾亿圆整"},
      {1010000000, u"壹拾亿壹仟万圆整"},
      {1000000000000, u"壹万亿圆整"},
      {1234567890123.45, u"壹万贰仟叁佰肆拾伍亿陆仟柒佰捌拾玖万零壹佰贰拾叁圆肆角伍分"},
      {9999999999999.99, u"玖万玖仟玖佰玖拾玖亿玖仟玖佰玖拾玖万玖仟玖佰玖拾玖圆玖角玖分"},
  };
  for (const Case &c : cases)
    EXPECT_EQ(AmountInCapitals(c.amount), QString::fromUtf16(c.text)) << c.amount;
}

TEST(AmountInCapitals, RoundingLimitsAndSign) {
  const Case cases[] = {
      // half-way goes away from zero; just below stays
      {0.005, u"壹分"},
      {0.0049999, u"整"},
      {0.015, u"贰分"},
      {2.675, u"贰圆陆角捌分"},
      {1.005, u"壹圆零壹分"},
      {0.995, u"壹圆整"},
      {9.995, u"壹拾圆整"},
      // the receipt's fees
      {850, u"捌佰伍拾圆整"},
      {800, u"捌佰圆整"},
      // 14 integer digits: the 14th has no unit
      {10000000000000.0, u"壹亿圆整"},
      {12345678901234.0, u"壹贰万叁仟肆佰伍拾陆亿柒仟捌佰玖拾万壹仟贰佰叁拾肆圆整"},
      // negatives: 负 and the magnitude's text
      {-850, u"负捌佰伍拾圆整"},
      {-0.05, u"负伍分"},
      {-0.0, u"零"},
  };
  for (const Case &c : cases)
    EXPECT_EQ(AmountInCapitals(c.amount), QString::fromUtf16(c.text)) << c.amount;
}

TEST(AmountInCapitals, HundredthsPattern) {
  EXPECT_EQ(formatHundredths(0.001), u"0.00"_qs);
  EXPECT_EQ(formatHundredths(0.125), u"0.13"_qs);
  EXPECT_EQ(formatHundredths(0.999), u"1.00"_qs);
  EXPECT_EQ(formatHundredths(1234567890123.45), u"1234567890123.45"_qs);
  EXPECT_EQ(formatHundredths(99.995), u"100.00"_qs);
}

} // namespace
