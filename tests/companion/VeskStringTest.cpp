#include <VeskUtility/VeskString.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Text(const CVeskString& s) { return std::string(static_cast<const char*>(s)); }

TEST(VeskString, ConstructionAndCopiesAreIndependent) {
    EXPECT_EQ(CVeskString().GetLength(), 0);
    EXPECT_EQ(Text(CVeskString()), "");
    EXPECT_EQ(Text(CVeskString(static_cast<const char*>(nullptr))), "");

    CVeskString original("report.txt");
    CVeskString copy(original);
    CVeskString assigned;
    assigned = original;
    original += ".3";
    original.MakeUpper();
    EXPECT_EQ(Text(original), "REPORT.TXT.3");
    EXPECT_EQ(Text(copy), "report.txt");
    EXPECT_EQ(Text(assigned), "report.txt");
}

TEST(VeskString, AssignmentFromEveryKindOfText) {
    char mutableText[] = "from char*";
    CVeskString s("start");
    s = mutableText;
    EXPECT_EQ(Text(s), "from char*");
    s = "from const char*";
    EXPECT_EQ(Text(s), "from const char*");
    s = "";
    EXPECT_EQ(s.GetLength(), 0);
    s = "kept";
    const CVeskString& same = s;  // a reference, so that compilers do not flag the line
    s = same;                     // self-assignment keeps the contents
    EXPECT_EQ(Text(s), "kept");
    s = CVeskString("abc");
    s = static_cast<const char*>(s) + 1;  // text from inside the string itself
    EXPECT_EQ(Text(s), "bc");
}

TEST(VeskString, ConcatenationMakesNewStrings) {
    const CVeskString directory("C:\\data\\");
    char name[] = "table.dat";
    const CVeskString joined = directory + name;
    EXPECT_EQ(Text(joined), "C:\\data\\table.dat");
    EXPECT_EQ(Text(directory + CVeskString("x")), "C:\\data\\x");
    EXPECT_EQ(Text(directory), "C:\\data\\");

    CVeskString grown("ab");
    grown += static_cast<const char*>(grown);  // appending itself, across a reallocation
    EXPECT_EQ(Text(grown), "abab");
    for (int i = 0; i < 1000; ++i) {
        grown += "x";
    }
    EXPECT_EQ(grown.GetLength(), 1004);
}

TEST(VeskString, ComparisonIsExactByteEquality) {
    const CVeskString a("Report.TXT");
    EXPECT_TRUE(a == CVeskString("Report.TXT"));
    EXPECT_TRUE(a == "Report.TXT");
    EXPECT_FALSE(a == "REPORT.TXT");
    EXPECT_TRUE(a != CVeskString("Report.TXT "));
    EXPECT_FALSE(a != CVeskString("Report.TXT"));
    EXPECT_TRUE(CVeskString() == "");
}

TEST(VeskString, MakeUpperTouchesOnlyAsciiLetters) {
    CVeskString s("a-z_\xe4\xfc\xb5 1.x");
    EXPECT_TRUE(s.MakeUpper());
    EXPECT_EQ(Text(s), "A-Z_\xe4\xfc\xb5 1.X");
}

}  // namespace
