#include <gtest/gtest.h>

#include <string>

#include "DorvaneProbe.h"
#include "TempTree.h"

namespace {

using dorvane::test::DorvaneProbe;

std::string Parent(CDorvane& resolver) { return std::string(resolver.GetParentFilename()); }

TEST(CDorvane, ParentFileIsKeptUntilChanged) {
    CDorvane resolver;
    EXPECT_EQ(Parent(resolver), "");
    resolver.SetParentFilename(CVeskString("not even a path \x01"));
    EXPECT_EQ(Parent(resolver), "not even a path \x01") << "no test is made on the value";
    resolver.SetParentFilename(CVeskString(""));
    EXPECT_EQ(Parent(resolver), "");
    resolver.SetParentFilename(CVeskString("D:\\proj\\index.lst"));
    resolver.InitializeVariables();
    EXPECT_EQ(Parent(resolver), "");
}

TEST(CDorvane, CopiesAreIndependent) {
    DorvaneProbe original;
    original.SetParentFilename(CVeskString("a/index.lst"));
    original.AddSubdirectory("a/sub/");

    DorvaneProbe copy(original);
    DorvaneProbe assigned;
    assigned = original;
    original.SetParentFilename(CVeskString("b/index.lst"));
    original.ClearSubdirectoriesList();

    for (DorvaneProbe* other : {&copy, &assigned}) {
        EXPECT_EQ(Parent(*other), "a/index.lst");
        EXPECT_EQ(other->Subdirectories(), std::vector<std::string>{"a/sub/"});
        other->AddSubdirectory("more/");  // the copied list kept its element type
        EXPECT_EQ(other->GetNumberSubdirectories(), 2);
    }
    EXPECT_EQ(original.GetNumberSubdirectories(), 0);
}

TEST(CDorvane, OneObjectServesManyCallsWithAnEmptyListBetween) {
    dorvane::test::TempTree tree;
    tree.Files({"proj/index.lst", "proj/a/report.txt", "proj/b/table.dat.2"});
    DorvaneProbe resolver;
    resolver.SetParentFilename(CVeskString(tree.Path("proj/index.lst").c_str()));
    for (int round = 0; round < 3; ++round) {
        for (const char* name : {"report.txt", "table.dat", "missing.bin"}) {
            CVeskString path(name);
            const bool found = resolver.ResolveFile(path);
            EXPECT_EQ(found, std::string(name) != "missing.bin") << name;
            EXPECT_EQ(resolver.GetNumberSubdirectories(), 0) << name;
        }
    }
}

}  // namespace
