#include "platform/base/LastError.h"

#include <cerrno>

#include "platform/base/Exception.h"

namespace {

thread_local DWORD LastError = ERROR_SUCCESS;

struct ErrorText {
  DWORD Code;
  const char* Text;
};

constexpr ErrorText Texts[] = {
    {ERROR_SUCCESS, "L'opération a réussi."},
    {ERROR_INVALID_FUNCTION, "Fonction incorrecte."},
    {ERROR_FILE_NOT_FOUND, "Le fichier spécifié est introuvable."},
    {ERROR_PATH_NOT_FOUND, "Le chemin d'accès spécifié est introuvable."},
    {ERROR_TOO_MANY_OPEN_FILES, "Trop de fichiers ouverts."},
    {ERROR_ACCESS_DENIED, "Accès refusé."},
    {ERROR_INVALID_HANDLE, "Descripteur non valide."},
    {ERROR_NOT_ENOUGH_MEMORY, "Mémoire insuffisante pour traiter cette commande."},
    {ERROR_INVALID_DATA, "Données non valides."},
    {ERROR_NOT_SAME_DEVICE, "Impossible de déplacer le fichier vers un autre volume."},
    {ERROR_NO_MORE_FILES, "Il n'y a plus de fichiers."},
    {ERROR_WRITE_PROTECT, "Le support est protégé en écriture."},
    {ERROR_GEN_FAILURE, "Un périphérique attaché au système ne fonctionne pas correctement."},
    {ERROR_SHARING_VIOLATION, "Le fichier est utilisé par un autre processus."},
    {ERROR_HANDLE_EOF, "Fin de fichier atteinte."},
    {ERROR_NOT_SUPPORTED, "Cette demande n'est pas prise en charge."},
    {ERROR_FILE_EXISTS, "Le fichier existe."},
    {ERROR_INVALID_PARAMETER, "Paramètre incorrect."},
    {ERROR_DISK_FULL, "Espace insuffisant sur le disque."},
    {ERROR_INSUFFICIENT_BUFFER, "La zone de données est trop petite."},
    {ERROR_INVALID_NAME, "La syntaxe du nom de fichier, de répertoire ou de volume est incorrecte."},
    {ERROR_MOD_NOT_FOUND, "Le module spécifié est introuvable."},
    {ERROR_PROC_NOT_FOUND, "La procédure spécifiée est introuvable."},
    {ERROR_DIR_NOT_EMPTY, "Le répertoire n'est pas vide."},
    {ERROR_ALREADY_EXISTS, "Impossible de créer un fichier déjà existant."},
    {ERROR_BAD_EXE_FORMAT, "Le fichier n'est pas un module valide."},
    {ERROR_FILENAME_EXCED_RANGE, "Le nom de fichier est trop long."},
    {ERROR_MORE_DATA, "Plus de données sont disponibles."},
    {ERROR_DIRECTORY, "Nom de répertoire non valide."},
    {ERROR_NOT_OWNER, "Tentative de libération d'un verrou qui n'appartient pas à l'appelant."},
    {ERROR_IO_DEVICE, "Erreur de périphérique d'entrée/sortie."},
    {ERROR_NO_SYSTEM_RESOURCES, "Ressources système insuffisantes pour terminer le service demandé."},
    {ERROR_TIMEOUT, "Le délai d'attente de l'opération a expiré."},
    {ERROR_CANT_RESOLVE_FILENAME, "Impossible de résoudre le nom de fichier (trop de liens)."},
};

}  // namespace

DWORD GetLastError()
{
  return LastError;
}

void SetLastError(DWORD code)
{
  LastError = code;
}

std::string SysErrorMessage(DWORD code)
{
  for (const auto& entry : Texts)
    if (entry.Code == code)
      return entry.Text;
  return "Erreur inconnue (" + std::to_string(code) + ").";
}

DWORD ErrorFromErrno(int errnoValue)
{
  switch (errnoValue) {
  case 0: return ERROR_SUCCESS;
  case ENOENT: return ERROR_FILE_NOT_FOUND;
  case ENOTDIR: return ERROR_PATH_NOT_FOUND;
  case EACCES:
  case EPERM:
  case EISDIR: return ERROR_ACCESS_DENIED;
  case EEXIST: return ERROR_ALREADY_EXISTS;
  case ENOTEMPTY: return ERROR_DIR_NOT_EMPTY;
  case ENOSPC:
  case EDQUOT:
  case EFBIG: return ERROR_DISK_FULL;
  case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
  case EINVAL: return ERROR_INVALID_PARAMETER;
  case EBADF: return ERROR_INVALID_HANDLE;
  case EROFS: return ERROR_WRITE_PROTECT;
  case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
  case EXDEV: return ERROR_NOT_SAME_DEVICE;
  case EMFILE:
  case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
  case EBUSY:
  case ETXTBSY: return ERROR_SHARING_VIOLATION;
  case ELOOP: return ERROR_CANT_RESOLVE_FILENAME;
  case EIO: return ERROR_IO_DEVICE;
  case ETIMEDOUT: return ERROR_TIMEOUT;
  default: return ERROR_GEN_FAILURE;
  }
}

bool SetLastErrorFromErrno()
{
  SetLastError(ErrorFromErrno(errno));
  return false;
}

void RaiseOSError(DWORD code)
{
  if (code == ERROR_SUCCESS)
    throw EOSError("Un appel à une fonction du système a échoué", 0);
  throw EOSError("Erreur système. Code : " + std::to_string(code) + ".\n" + SysErrorMessage(code), int(code));
}

void RaiseLastOSError()
{
  RaiseOSError(GetLastError());
}
