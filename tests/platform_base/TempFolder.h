// A fresh folder under /tmp for one test, removed with everything in it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class TTempFolder {
public:
  TTempFolder()
  {
    std::string pattern = (std::filesystem::temp_directory_path() / "corvane-base-XXXXXX").string();
    FPath = ::mkdtemp(pattern.data()) ? pattern + "/" : std::string();
  }
  ~TTempFolder()
  {
    std::error_code ignored;
    std::filesystem::permissions(FPath, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(FPath, ignored);
  }
  // The folder, with a trailing "/".
  const std::string& Path() const { return FPath; }
  std::string operator/(const std::string& name) const { return FPath + name; }

  std::string Write(const std::string& name, const std::string& content) const
  {
    std::ofstream(FPath + name, std::ios::binary) << content;
    return FPath + name;
  }

private:
  std::string FPath;
};
