#include "api/Newsreader.h"

#include <algorithm>

#include "platform/base/Registry.h"

bool NewsreaderDataFolder(std::string& Folder)
{
  TRegistry registry;
  registry.SetRootKey(HKEY_CURRENT_USER);
  if (!registry.OpenKeyReadOnly(NewsreaderKey))
    return false;
  Folder = registry.ReadString("EmplacementData");
  return true;
}

std::string SmileyPictureFolder()
{
  std::string folder;
  if (!NewsreaderDataFolder(folder))
    return "";
  folder += "config";
  std::replace(folder.begin(), folder.end(), '\\', '/');
  return folder;
}
