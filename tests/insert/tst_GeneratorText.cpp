#include "insert/GeneratorText.h"

#include <gtest/gtest.h>

TEST(GeneratorText, ForwardSlashesAndEscapes)
{
    EXPECT_EQ(ToForwardSlashes("a\\b\\\\c/d"), "a/b//c/d");
    EXPECT_EQ(AttributeValue("a&b \"c\" 'd'"), "a&b &quot;c&quot; 'd'");
    EXPECT_EQ(ScriptStringValue("it's \"x\""), "it\\'s &quot;x&quot;");
}

TEST(GeneratorText, SixteenBitBoxValues)
{
    EXPECT_EQ(DecimalBoxValue16("12abc"), 12);
    EXPECT_EQ(DecimalBoxValue16(" -5"), -5);
    EXPECT_EQ(DecimalBoxValue16(""), 0);
    EXPECT_EQ(DecimalBoxValue16("abc"), 0);
    EXPECT_EQ(DecimalBoxValue16("70000"), 32767);
    EXPECT_EQ(DecimalBoxValue16("-99999999999999999999"), -32768);
}
