#include <gtest/gtest.h>

#include <vector>

#include "platform/base/VersionInfo.h"

TEST(VersionInfo, SystemLibrariesAnswerTheirFixedInformation)
{
  struct Case {
    const char* file;
    DWORD versionMS;
  } cases[] = {{"shell32.dll", 0x00060000}, {"C:\\WINDOWS\\system32\\SHELL32.DLL", 0x00060000},
               {"kernel32", 0x00050001}};
  for (const Case& c : cases) {
    DWORD handle = 7;
    DWORD size = GetFileVersionInfoSizeA(c.file, &handle);
    ASSERT_GT(size, 0u) << c.file;
    EXPECT_EQ(handle, 0u);
    std::vector<std::uint8_t> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(c.file, handle, size, block.data()));
    void* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", &fixed, &length));
    ASSERT_EQ(length, 52u);
    const auto* info = static_cast<const VS_FIXEDFILEINFO*>(fixed);
    EXPECT_EQ(info->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(info->dwFileVersionMS, c.versionMS) << c.file;
    EXPECT_FALSE(VerQueryValueA(block.data(), "\\StringFileInfo", &fixed, &length));
    // A buffer smaller than the block is refused.
    EXPECT_FALSE(GetFileVersionInfoA(c.file, handle, size - 1, block.data()));
  }
}

TEST(VersionInfo, OtherFilesHaveNoVersionResource)
{
  EXPECT_EQ(GetFileVersionInfoSizeA("libplatform_base.so", nullptr), 0u);
  EXPECT_EQ(GetFileVersionInfoSizeA("shell32.dll.bak", nullptr), 0u);
  EXPECT_EQ(GetFileVersionInfoSizeA(nullptr, nullptr), 0u);
  std::uint8_t junk[64] = {};
  void* fixed = nullptr;
  UINT length = 0;
  EXPECT_FALSE(VerQueryValueA(junk, "\\", &fixed, &length));
}
