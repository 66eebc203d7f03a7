#include "text/trim.h"

#include <gtest/gtest.h>

namespace lexmora {
namespace {

TEST(Trim, RemovesWhiteSpaceControlAndFormatCharacters) {
  EXPECT_EQ(Trim(u"  word\t"), u"word");
  EXPECT_EQ(Trim(u"\u00A0\u200Biş\u2028\r\n"), u"iş");
  EXPECT_EQ(Trim(u"\u0001a b\u0085"), u"a b");
  EXPECT_EQ(Trim(u" \t\u3000\uFEFF"), u"");
  EXPECT_EQ(Trim(u""), u"");
  // Inner white space stays.
  EXPECT_EQ(Trim(u" ice cream "), u"ice cream");
}

}  // namespace
}  // namespace lexmora
