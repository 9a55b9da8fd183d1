#include "platform/base/ModuleLoader.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <link.h>
#include <map>
#include <mutex>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/base/FileSystem.h"
#include "platform/base/LastError.h"
#include "platform/base/Path.h"

namespace {

struct TModuleEntry {
  void* Library = nullptr;  // null for the program
  std::string Path;
  int Count = 0;
};

// The loader's state. The lock is recursive: a module's start-up code may load
// or free modules while LoadLibrary holds it.
struct TModuleTable {
  std::recursive_mutex Lock;
  std::map<std::uintptr_t, TModuleEntry> Modules;
  std::string FolderOverride;
};

TModuleTable& ModuleTable()
{
  static TModuleTable* table = new TModuleTable;  // lives until the process ends
  return *table;
}

std::uintptr_t BaseOfAddress(const void* address)
{
  if (!address)
    return 0;
  // The loader's index of objects answers in a few steps; dladdr gives the
  // same start of the mapping but searches the object's symbols as well.
  dl_find_object object{};
  if (::_dl_find_object(const_cast<void*>(address), &object) == 0 && object.dlfo_map_start)
    return reinterpret_cast<std::uintptr_t>(object.dlfo_map_start);
  Dl_info info{};
  if (::dladdr(address, &info) == 0 || !info.dli_fbase)
    return 0;
  return reinterpret_cast<std::uintptr_t>(info.dli_fbase);
}

std::uintptr_t BaseOfLibrary(void* library, std::string* path = nullptr)
{
  link_map* map = nullptr;
  if (::dlinfo(library, RTLD_DI_LINKMAP, &map) != 0 || !map)
    return 0;
  if (path)
    *path = map->l_name ? map->l_name : "";
  return BaseOfAddress(map->l_ld);
}

void* ProgramLibrary()
{
  static void* program = ::dlopen(nullptr, RTLD_NOW);
  return program;
}

std::uintptr_t ProgramBase()
{
  static std::uintptr_t base = BaseOfLibrary(ProgramLibrary());
  return base;
}

std::string RealPath(const std::string& path)
{
  char* real = ::realpath(path.c_str(), nullptr);
  if (!real)
    return {};
  std::string result(real);
  std::free(real);
  return result;
}

bool SameText(std::string_view a, std::string_view b)
{
  return a.size() == b.size() && ::strncasecmp(a.data(), b.data(), a.size()) == 0;
}

// The program's entry, made on first use with the count of its own start.
TModuleEntry& ProgramEntry()
{
  auto& entry = ModuleTable().Modules[ProgramBase()];
  if (entry.Count == 0) {
    entry.Path = ProgramFileName();
    entry.Count = 1;
  }
  return entry;
}

bool IsHostName(const std::string& name)
{
  if (name.find('/') != std::string::npos)
    return false;
  return SameText(name, "corvane") || SameText(name, "corvane.exe") ||
         SameText(name, ExtractFileName(ProgramFileName()));
}

struct TLoadedObject {
  std::uintptr_t Base = 0;
  std::string Path;
};

// Every object mapped in the process (the program first), loaded here or not.
std::vector<TLoadedObject> LoadedObjects()
{
  std::vector<TLoadedObject> objects;
  ::dl_iterate_phdr(
      [](dl_phdr_info* info, std::size_t, void* data) -> int {
        for (int i = 0; i < info->dlpi_phnum; ++i) {
          if (info->dlpi_phdr[i].p_type != PT_LOAD)
            continue;
          auto* list = static_cast<std::vector<TLoadedObject>*>(data);
          std::uintptr_t base =
              BaseOfAddress(reinterpret_cast<const void*>(info->dlpi_addr + info->dlpi_phdr[i].p_vaddr));
          if (base)
            list->push_back({base, info->dlpi_name ? info->dlpi_name : ""});
          break;
        }
        return 0;
      },
      &objects);
  if (!objects.empty() && objects.front().Path.empty())
    objects.front().Path = ProgramFileName();
  return objects;
}

std::string PathOfBase(std::uintptr_t base)
{
  if (base == ProgramBase())
    return ProgramFileName();
  {
    std::lock_guard guard(ModuleTable().Lock);
    auto found = ModuleTable().Modules.find(base);
    if (found != ModuleTable().Modules.end())
      return found->second.Path;
  }
  for (const auto& object : LoadedObjects())
    if (object.Base == base)
      return object.Path;
  return {};
}

// Modules of the original platform that the system's code loads by their
// platform name, and the file of this layer that answers to each. The file
// lies beside this library (the layer's libraries are built into one folder).
struct TPlatformModule {
  const char* Name;
  const char* File;
};
constexpr TPlatformModule PlatformModules[] = {
    {"uxtheme", "libplatform_visualstyles.so"},  // the visual styles (platform/visualstyles)
    {"oleacc", "libplatform_win.so"},            // accessibility (platform/win/accessibility)
    {"user32", "libplatform_win.so"},            // the window system (platform/win/window)
    {"comctl32", "libplatform_win.so"},          // the common controls' mouse tracking
    {"msimg32", "libplatform_win.so"},           // alpha blending and gradients (platform/win/gdi)
    {"shell32", "libplatform_win.so"},           // the shell (platform/win/shell)
    {"kernel32", "libplatform_base.so"},         // modules, files, threads (platform/base)
};

// The layer's file for a platform module name ("uxtheme" or "uxtheme.dll", any
// case), or "" for any other name.
std::string PlatformModuleFile(const std::string& name)
{
  if (name.find('/') != std::string::npos)
    return {};
  for (const auto& module : PlatformModules) {
    const std::string_view bare(module.Name);
    if (SameText(name, bare) || (name.size() == bare.size() + 4 && SameText(name.substr(0, bare.size()), bare) &&
                                 SameText(name.substr(bare.size()), ".dll"))) {
      // This library's folder, found once: finding it walks every loaded
      // object and each one's symbols.
      static const std::string layerFolder =
          ExtractFilePath(PathOfBase(BaseOfAddress(reinterpret_cast<const void*>(&PlatformModuleFile))));
      return layerFolder + module.File;
    }
  }
  return {};
}

HMODULE AsModule(std::uintptr_t base)
{
  return reinterpret_cast<HMODULE>(base);
}

HMODULE LoadProgram()
{
  std::lock_guard guard(ModuleTable().Lock);
  ++ProgramEntry().Count;
  return AsModule(ProgramBase());
}

HMODULE Register(void* library)
{
  std::string path;
  std::uintptr_t base = BaseOfLibrary(library, &path);
  if (!base) {
    ::dlclose(library);
    SetLastError(ERROR_BAD_EXE_FORMAT);
    return nullptr;
  }
  if (base == ProgramBase()) {
    ::dlclose(library);
    return LoadProgram();
  }
  std::lock_guard guard(ModuleTable().Lock);
  auto& entry = ModuleTable().Modules[base];
  if (entry.Count > 0) {
    ::dlclose(library);  // the table keeps one reference of its own
  } else {
    entry.Library = library;
    entry.Path = path;
  }
  ++entry.Count;
  return AsModule(base);
}

HMODULE OpenFile(const std::string& file)
{
  const std::string real = RealPath(file);
  if (!real.empty() && real == RealPath(ProgramFileName()))
    return LoadProgram();
  void* library = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library) {
    SetLastError(ERROR_BAD_EXE_FORMAT);
    return nullptr;
  }
  return Register(library);
}

}  // namespace

std::string ProgramFileName()
{
  static const std::string path = [] {
    std::string buffer(4096, '\0');
    ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    buffer.resize(length > 0 ? std::size_t(length) : 0);
    return buffer;
  }();
  return path;
}

std::string ProgramFolder()
{
  {
    std::lock_guard guard(ModuleTable().Lock);
    if (!ModuleTable().FolderOverride.empty())
      return ModuleTable().FolderOverride;
  }
  return ExtractFilePath(ProgramFileName());
}

void SetProgramFolder(std::string_view folder)
{
  std::lock_guard guard(ModuleTable().Lock);
  ModuleTable().FolderOverride = folder.empty() ? std::string() : IncludeTrailingPathDelimiter(ExpandFileName(folder));
}

HMODULE LoadLibrary(LPCSTR fileName)
{
  if (!fileName || !*fileName) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  const std::string name = NativePath(fileName);
  std::lock_guard guard(ModuleTable().Lock);
  if (IsHostName(name))
    return LoadProgram();
  if (const std::string file = PlatformModuleFile(name); !file.empty()) {
    if (::access(file.c_str(), F_OK) == 0)
      return OpenFile(file);
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }

  std::vector<std::string> candidates;
  if (name.front() == '/') {
    candidates.push_back(name);
  } else {
    candidates.push_back(ProgramFolder() + name);
    candidates.push_back(IncludeTrailingPathDelimiter(GetCurrentDir()) + name);
  }
  for (const auto& candidate : candidates) {
    struct stat info;
    if (::stat(candidate.c_str(), &info) == 0 && !S_ISDIR(info.st_mode))
      return OpenFile(candidate);
  }
  // A bare name that no folder of ours holds may still be a library of the
  // system ("lib..."). Other names are modules of the program's own: found
  // through the library path they could come from another folder than the
  // program's (the build folder, say) and stand in for one that is missing.
  if (name.find('/') == std::string::npos && name.starts_with("lib"))
    if (void* library = ::dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL))
      return Register(library);
  SetLastError(ERROR_MOD_NOT_FOUND);
  return nullptr;
}

BOOL FreeLibrary(HMODULE module)
{
  const auto base = reinterpret_cast<std::uintptr_t>(module);
  void* library = nullptr;
  {
    std::lock_guard guard(ModuleTable().Lock);
    if (base && base == ProgramBase()) {
      auto& entry = ProgramEntry();
      if (entry.Count > 1)
        --entry.Count;
      return TRUE;
    }
    auto found = ModuleTable().Modules.find(base);
    if (!base || found == ModuleTable().Modules.end()) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    if (--found->second.Count > 0)
      return TRUE;
    library = found->second.Library;
    ModuleTable().Modules.erase(found);
    // Unloading runs the module's clean-up code, which may free other modules:
    // the lock is recursive for that.
    ::dlclose(library);
  }
  return TRUE;
}

FARPROC GetProcAddress(HMODULE module, LPCSTR procName)
{
  // Lookups by ordinal (a number below 0x10000 in place of the name) are not
  // supported: no module of the system exports by ordinal only.
  if (!procName || reinterpret_cast<std::uintptr_t>(procName) < 0x10000) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  const auto base = reinterpret_cast<std::uintptr_t>(module);
  std::lock_guard guard(ModuleTable().Lock);
  void* library = nullptr;
  bool temporary = false;
  if (base && base == ProgramBase()) {
    library = ProgramLibrary();
  } else if (auto found = ModuleTable().Modules.find(base); base && found != ModuleTable().Modules.end()) {
    library = found->second.Library;
  } else {
    // A module linked at start (found through HInstance, say): open it for the
    // lookup without loading anything.
    std::string path = base ? PathOfBase(base) : std::string();
    if (!path.empty())
      library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    temporary = library != nullptr;
  }
  if (!library) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  void* symbol = ::dlsym(library, procName);
  if (temporary)
    ::dlclose(library);
  // dlsym also searches the libraries the module uses; only its own exports count.
  if (!symbol || BaseOfAddress(symbol) != base) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  return symbol;
}

HMODULE GetModuleHandle(LPCSTR moduleName)
{
  if (!moduleName)
    return AsModule(ProgramBase());
  std::string name = NativePath(moduleName);
  if (IsHostName(name))
    return AsModule(ProgramBase());
  if (const std::string file = PlatformModuleFile(name); !file.empty())
    name = file;
  const bool bare = name.find('/') == std::string::npos;
  const std::string real = bare ? std::string() : RealPath(ExpandFileName(name));
  auto matches = [&](const std::string& path) {
    return bare ? SameText(ExtractFileName(path), name) : (!real.empty() && RealPath(path) == real);
  };
  {
    std::lock_guard guard(ModuleTable().Lock);
    for (const auto& [base, entry] : ModuleTable().Modules)
      if (matches(entry.Path))
        return AsModule(base);
  }
  for (const auto& object : LoadedObjects())
    if (matches(object.Path))
      return AsModule(object.Base);
  SetLastError(ERROR_MOD_NOT_FOUND);
  return nullptr;
}

std::string GetModuleName(HMODULE module)
{
  return module ? PathOfBase(reinterpret_cast<std::uintptr_t>(module)) : ProgramFileName();
}

DWORD GetModuleFileName(HMODULE module, LPSTR buffer, DWORD size)
{
  const std::string path = GetModuleName(module);
  if (path.empty()) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  if (!buffer || size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  if (path.size() >= size) {
    std::memcpy(buffer, path.data(), size - 1);
    buffer[size - 1] = '\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  std::memcpy(buffer, path.c_str(), path.size() + 1);
  return DWORD(path.size());
}

HMODULE ModuleFromAddress(const void* address)
{
  return AsModule(BaseOfAddress(address));
}

int GetModuleLoadCount(HMODULE module)
{
  const auto base = reinterpret_cast<std::uintptr_t>(module);
  std::lock_guard guard(ModuleTable().Lock);
  if (base && base == ProgramBase())
    return ProgramEntry().Count;
  auto found = ModuleTable().Modules.find(base);
  return found == ModuleTable().Modules.end() ? 0 : found->second.Count;
}
