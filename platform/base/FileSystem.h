// Files and folders: existence tests, creating and removing, renaming, the
// current directory. Names may use "\" or "/". Failures return false and leave
// the reason in GetLastError.
#pragma once

#include <string>
#include <string_view>

// True for an existing file that is not a folder (links are followed).
bool FileExists(std::string_view fileName);
// True for an existing folder (links are followed).
bool DirectoryExists(std::string_view directory);

// Creates one folder; its parent must exist.
bool CreateDir(std::string_view directory);
// Creates the folder and every missing parent. Raises EInOutError for an empty
// name; true when the folder exists afterwards.
bool ForceDirectories(std::string_view directory);
// Removes an empty folder.
bool RemoveDir(std::string_view directory);
// Removes a file (never a folder).
bool DeleteFile(std::string_view fileName);
// Renames or moves a file or folder; fails when newName already exists.
bool RenameFile(std::string_view oldName, std::string_view newName);

// The process's current directory, without a trailing separator (but "/").
std::string GetCurrentDir();
bool SetCurrentDir(std::string_view directory);
