#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "TempFolder.h"
#include "platform/base/FileSystem.h"
#include "platform/base/LastError.h"
#include "platform/base/ModuleLoader.h"
#include "platform/base/Path.h"

// An export of the test program, as the host exports its entry points.
extern "C" __attribute__((visibility("default"))) int BaseTestProgramExport()
{
  return 7;
}

namespace {

constexpr const char* TestModule = "basetestmodule.mod";

template <class F>
F Export(HMODULE module, const char* name)
{
  return reinterpret_cast<F>(GetProcAddress(module, name));
}

}  // namespace

TEST(ModuleLoader, LoadCountsAndUnloading)
{
  HMODULE first = LoadLibrary(TestModule);  // bare name: found in the program folder
  ASSERT_NE(first, nullptr) << SysErrorMessage(GetLastError());
  EXPECT_EQ(GetModuleLoadCount(first), 1);
  EXPECT_EQ(LoadLibrary(TestModule), first);
  EXPECT_EQ(LoadLibrary((ProgramFolder() + TestModule).c_str()), first);
  EXPECT_EQ(GetModuleLoadCount(first), 3);
  EXPECT_EQ(GetModuleHandle("BASETESTMODULE.MOD"), first);
  EXPECT_EQ(GetModuleLoadCount(first), 3);  // GetModuleHandle takes no count

  EXPECT_TRUE(FreeLibrary(first));
  EXPECT_TRUE(FreeLibrary(first));
  EXPECT_EQ(GetModuleLoadCount(first), 1);
  EXPECT_NE(Export<int (*)()>(first, "BaseTestAnswer"), nullptr);
  EXPECT_TRUE(FreeLibrary(first));

  // The last free unloads it: the handle is stale now.
  EXPECT_EQ(GetModuleHandle(TestModule), nullptr);
  EXPECT_EQ(GetProcAddress(first, "BaseTestAnswer"), nullptr);
  EXPECT_FALSE(FreeLibrary(first));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(ModuleLoader, ExportsAreTheModulesOwn)
{
  HMODULE module = LoadLibrary(TestModule);
  ASSERT_NE(module, nullptr);
  auto answer = Export<int (*)()>(module, "BaseTestAnswer");
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(answer(), 42);

  struct Case {
    const char* name;
  } missing[] = {
      {"NoSuchExport"},
      {"strlen"},  // the module uses it, but it is not the module's own
      {"BaseTestProgramExport"},  // the program's, not the module's
      {reinterpret_cast<const char*>(std::uintptr_t(1))},  // ordinals are not supported
      {nullptr},
  };
  for (const auto& c : missing) {
    SetLastError(0);
    EXPECT_EQ(GetProcAddress(module, c.name), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
  }
  FreeLibrary(module);
}

TEST(ModuleLoader, ModuleNamesAndHandles)
{
  HMODULE module = LoadLibrary(TestModule);
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(Export<HMODULE (*)()>(module, "BaseTestOwnHandle")(), module);  // HInstance inside the module
  EXPECT_EQ(HInstance(), GetModuleHandle(nullptr));                          // and inside the program

  const std::string path = ProgramFolder() + TestModule;
  EXPECT_EQ(GetModuleName(module), path);
  char buffer[4096];
  EXPECT_EQ(GetModuleFileName(module, buffer, sizeof buffer), path.size());
  EXPECT_EQ(buffer, path);
  char small[5];
  EXPECT_EQ(GetModuleFileName(module, small, sizeof small), 5u);
  EXPECT_EQ(std::string(small), path.substr(0, 4));
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);

  ASSERT_GT(GetModuleFileName(nullptr, buffer, sizeof buffer), 0u);
  EXPECT_EQ(std::filesystem::path(buffer), std::filesystem::read_symlink("/proc/self/exe"));
  EXPECT_EQ(ProgramFolder(), ExtractFilePath(buffer));
  FreeLibrary(module);
}

TEST(ModuleLoader, HostNamesResolveToTheRunningProgram)
{
  HMODULE program = GetModuleHandle(nullptr);
  const int before = GetModuleLoadCount(program);
  ASSERT_GE(before, 1);
  const std::string names[] = {"corvane", "corvane.exe", "CORVANE.EXE", ExtractFileName(ProgramFileName()),
                               ProgramFileName()};
  for (const auto& name : names) {
    HMODULE host = LoadLibrary(name.c_str());
    EXPECT_EQ(host, program) << name;
    EXPECT_EQ(GetModuleLoadCount(program), before + 1) << name;
    auto entry = Export<int (*)()>(host, "BaseTestProgramExport");
    ASSERT_NE(entry, nullptr) << name;
    EXPECT_EQ(entry(), 7);
    EXPECT_TRUE(FreeLibrary(host));
    EXPECT_EQ(GetModuleLoadCount(program), before);
  }
  EXPECT_EQ(GetModuleHandle("Corvane.exe"), program);

  // Freeing more often than loading never unloads the program.
  for (int i = 0; i < before + 2; ++i)
    EXPECT_TRUE(FreeLibrary(program));
  EXPECT_EQ(GetModuleLoadCount(program), 1);
  EXPECT_EQ(Export<int (*)()>(program, "BaseTestProgramExport")(), 7);

  // A module reaches the host as plug-ins do, one load and one free.
  HMODULE module = LoadLibrary(TestModule);
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(Export<int (*)()>(module, "BaseTestCallHost")(), 7);
  EXPECT_EQ(GetModuleLoadCount(program), 1);
  FreeLibrary(module);
}

TEST(ModuleLoader, FailuresSetTheLastError)
{
  TTempFolder temp;
  struct Case {
    std::string name;
    DWORD error;
  } cases[] = {
      {"nosuchmodule.mod", ERROR_MOD_NOT_FOUND},
      {temp / "absent.so", ERROR_MOD_NOT_FOUND},
      {temp.Write("text.net", "not a module"), ERROR_BAD_EXE_FORMAT},
      {"", ERROR_MOD_NOT_FOUND},
  };
  for (const auto& c : cases) {
    SetLastError(0);
    EXPECT_EQ(LoadLibrary(c.name.c_str()), nullptr) << c.name;
    EXPECT_EQ(GetLastError(), c.error) << c.name;
  }
  EXPECT_EQ(SysErrorMessage(ERROR_MOD_NOT_FOUND), "Le module spécifié est introuvable.");
  EXPECT_EQ(GetModuleHandle("nosuchmodule.mod"), nullptr);
  EXPECT_EQ(GetModuleFileName(reinterpret_cast<HMODULE>(std::uintptr_t(0x1000)), nullptr, 0), 0u);
}

TEST(ModuleLoader, ProgramFolderCanBeMoved)
{
  TTempFolder temp;
  std::filesystem::copy_file(ProgramFolder() + TestModule, temp / "copy.net");
  EXPECT_EQ(LoadLibrary("copy.net"), nullptr);
  SetProgramFolder(temp.Path());
  HMODULE copy = LoadLibrary("copy.net");
  // A module left in the former folder is not found there any more, neither
  // through the library path (which names that folder) nor the current folder.
  const std::string current = GetCurrentDir();
  SetCurrentDir(temp.Path());
  EXPECT_EQ(LoadLibrary(TestModule), nullptr);
  SetCurrentDir(current);
  // A library of the system still is.
  HMODULE system = LoadLibrary("libm.so.6");
  EXPECT_NE(system, nullptr);
  FreeLibrary(system);
  SetProgramFolder("");
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(GetModuleName(copy), ExpandFileName(temp / "copy.net"));
  EXPECT_EQ(Export<int (*)()>(copy, "BaseTestAnswer")(), 42);
  FreeLibrary(copy);
}
