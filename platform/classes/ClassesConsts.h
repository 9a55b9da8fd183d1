// The class library's own run-time texts, in French. Texts with % take
// Format's arguments.
#pragma once

// Components
inline constexpr const char* SDuplicateName = "Un composant nommé %s existe déjà";
inline constexpr const char* SInvalidName = "'%s' n'est pas un nom de composant correct";
inline constexpr const char* SPropertyDoesNotExist = "La propriété %s n'existe pas";
inline constexpr const char* SInvalidPropertyValue = "Valeur de propriété incorrecte";
inline constexpr const char* SReadingNestedTooDeep = "Imbrication de listes trop profonde dans le flux";

// Graphics
inline constexpr const char* SInvalidBitmap = "L'image bitmap n'est pas valide";
inline constexpr const char* SInvalidIcon = "L'icône n'est pas valide";
inline constexpr const char* SInvalidImage = "Image incorrecte";
inline constexpr const char* SInvalidPixelFormat = "Format de pixel incorrect";
inline constexpr const char* SScanLine = "Index de ligne de balayage hors limites";
inline constexpr const char* SNoCanvasHandle = "Le canevas ne permet pas de dessiner";
inline constexpr const char* SUnknownExtension = "Extension de fichier image inconnue (.%s)";
inline constexpr const char* SChangeIconSize = "Impossible de changer la taille d'une icône";
inline constexpr const char* SOutOfResources = "Ressources système épuisées";
inline constexpr const char* SBitmapTooLarge = "Image bitmap trop grande";

// Image lists
inline constexpr const char* SInvalidImageSize = "Taille d'image incorrecte";
inline constexpr const char* SImageIndexError = "Index de liste d'images incorrect";
inline constexpr const char* SReplaceImage = "Impossible de remplacer l'image";
inline constexpr const char* SImageReadFail = "Echec de la lecture des données ImageList depuis le flux";
inline constexpr const char* SImageWriteFail = "Echec de l'écriture des données ImageList dans le flux";

// Menus
inline constexpr const char* SMenuIndexError = "Index de menu hors limites";
inline constexpr const char* SMenuReinserted = "Menu inséré deux fois";
inline constexpr const char* SMenuNotFound = "Le sous-menu n'est pas dans le menu";
inline constexpr const char* SNoPopupPresenter = "Aucune fenêtre de menu ne peut afficher ce menu";

// Controls and forms
inline constexpr const char* SControlParentSetToSelf = "Un contrôle ne peut pas être son propre parent";
inline constexpr const char* SParentRequired = "Le contrôle '%s' n'a pas de fenêtre parente";
inline constexpr const char* SNoParentForm = "Le contrôle '%s' n'a pas de fiche parente";
inline constexpr const char* SCannotFocus = "Impossible de focaliser une fenêtre désactivée ou invisible";
inline constexpr const char* SCannotShowModal = "Impossible de rendre modale une fenêtre visible";
inline constexpr const char* SVisibleChanged = "Impossible de changer Visible dans OnShow ou OnHide";
inline constexpr const char* SWindowClass = "Erreur lors de la création de la classe fenêtre";
inline constexpr const char* SWindowCreate = "Erreur lors de la création de la fenêtre";
inline constexpr const char* SCannotDragForm = "Impossible de faire glisser une fiche";
inline constexpr const char* SScrollBarRange = "Propriété Scrollbar hors limites";
inline constexpr const char* SCannotCreateForm = "Impossible de créer la fiche : aucune application";
inline constexpr const char* SInsertLineError = "Impossible d'insérer une ligne";

// Message dialogs
inline constexpr const char* SMsgDlgWarning = "Avertissement";
inline constexpr const char* SMsgDlgError = "Erreur";
inline constexpr const char* SMsgDlgInformation = "Information";
inline constexpr const char* SMsgDlgConfirm = "Confirmation";
inline constexpr const char* SMsgDlgYes = "&Oui";
inline constexpr const char* SMsgDlgNo = "&Non";
inline constexpr const char* SMsgDlgOK = "OK";
inline constexpr const char* SMsgDlgCancel = "Annuler";
inline constexpr const char* SMsgDlgAbort = "&Abandonner";
inline constexpr const char* SMsgDlgRetry = "&Réessayer";
inline constexpr const char* SMsgDlgIgnore = "&Ignorer";
inline constexpr const char* SMsgDlgAll = "&Tous";
inline constexpr const char* SMsgDlgNoToAll = "N&on à tout";
inline constexpr const char* SMsgDlgYesToAll = "Oui à &tout";
inline constexpr const char* SMsgDlgHelp = "&Aide";
