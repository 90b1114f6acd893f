// The platform class each Windows version Wine can report gives, computed by a fresh copy of the library
// in a helper copy of this program; and the named block every process shares.
#include "ChildProcess.h"
#include "KeyboardHarness.h"
#include "kbdhook/KeyboardExports.h"
#include <stdio.h>
#include <string.h>

namespace {

const char ClassHelperPrefix[] = "kbdclass_";

// In kbdclass_<version>.exe: load vorrin_<version>.dll, whose shared section no other process holds, and
// print the class its process attach computed.
TEST(PlatformClassHelper, ReportClass)
{
    const std::string self = OwnFileName();
    if (self.compare(0, strlen(ClassHelperPrefix), ClassHelperPrefix) != 0)
        GTEST_SKIP() << "runs in the helper copies";
    const std::string version = self.substr(strlen(ClassHelperPrefix), self.size() - strlen(ClassHelperPrefix) - 4);
    HMODULE library = LoadLibraryA(("vorrin_" + version + ".dll").c_str());
    ASSERT_NE(nullptr, library);
    DataSeg* dataSeg = FindDataSeg(library);
    ASSERT_NE(nullptr, dataSeg);
    printf("platform class %lu\n", (unsigned long)dataSeg->platformClass);
    fflush(stdout);
}

TEST(PlatformClass, EachWindowsVersionWineReports)
{
    if (OwnFileName().compare(0, strlen(ClassHelperPrefix), ClassHelperPrefix) == 0)
        GTEST_SKIP();
    const struct {
        const char* version;
        unsigned long expected;
    } table[] = {
        {"win95", 1}, {"win98", 2}, {"winme", 5}, {"nt40", 3}, {"win2k", 4},
        {"winxp", 6}, {"win2003", 0}, {"vista", 0}, {"win7", 0}, {"win10", 0},
    };
    for (const auto& row : table) {
        const std::string exe = std::string(ClassHelperPrefix) + row.version + ".exe";
        const std::string dll = std::string("vorrin_") + row.version + ".dll";
        const std::string path = CopySelfAs(exe.c_str());
        ASSERT_FALSE(path.empty());
        ASSERT_TRUE(CopyBesideSelf("VORRIN.DLL", dll.c_str()));
        ASSERT_TRUE(SetAppDefault(exe.c_str(), NULL, "Version", row.version));
        const ChildResult child = RunChild(path, "--gtest_filter=PlatformClassHelper.*", 30000);
        DeleteFileA(path.c_str());
        DeleteFileA((ProgramFolder() + dll).c_str());
        ASSERT_TRUE(child.finished) << row.version << ": " << child.output;
        unsigned long reported = 99;
        const size_t at = child.output.find("platform class ");
        ASSERT_NE(std::string::npos, at) << row.version << ": " << child.output;
        sscanf(child.output.c_str() + at, "platform class %lu", &reported);
        EXPECT_EQ(row.expected, reported) << "Windows version " << row.version;
    }
}

TEST(NamedBlock, EveryViewSeesTheSameBytes)
{
    volatile DWORD* view = (volatile DWORD*)GetMapFilePointer();
    ASSERT_NE(nullptr, view);
    HANDLE mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, vorrinBlockName);
    ASSERT_NE(nullptr, mapping);
    volatile DWORD* other = (volatile DWORD*)MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0);
    ASSERT_NE(nullptr, other);
    MEMORY_BASIC_INFORMATION region = {};
    ASSERT_NE(0u, VirtualQuery((const void*)other, &region, sizeof(region)));
    EXPECT_GE(region.RegionSize, 108u);

    const DWORD last = (vorrinBlockSize - 4) / 4;
    const DWORD savedFirst = view[0], savedLast = view[last];
    view[0] = 0x00012345;
    view[last] = 0xA5A5A5A5;
    EXPECT_EQ(0x00012345u, other[0]);
    EXPECT_EQ(0xA5A5A5A5u, other[last]);
    other[0] = savedFirst;
    EXPECT_EQ(savedFirst, view[0]);
    view[last] = savedLast;
    UnmapViewOfFile((const void*)other);
    CloseHandle(mapping);
}

}  // namespace
