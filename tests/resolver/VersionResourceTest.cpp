// The version block of both DLLs, as a Windows host reads it.

#include <gtest/gtest.h>

#include <string>

#include "WindowsForTests.h"

namespace {

TEST(VersionResource, BothDllsReadAsVersion1000) {
    for (const char* module : {"Dorvane.dll", "VeskUtility.dll"}) {
        const std::string file = dorvane::test::LoadedModuleFile(module);
        ASSERT_FALSE(file.empty()) << module << " is not loaded";
        dorvane::test::VersionBlock block;
        ASSERT_TRUE(dorvane::test::ReadVersionBlock(file, block)) << file;
        EXPECT_EQ(block.fixedFileVersion, "1.0.0.0") << file;
        EXPECT_EQ(block.fixedProductVersion, "1.0.0.0") << file;
        EXPECT_EQ(block.fileVersion, "1.0.0.0") << file;
        EXPECT_EQ(block.productVersion, "1.0.0.0") << file;
    }
}

}  // namespace
