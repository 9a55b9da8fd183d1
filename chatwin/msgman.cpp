#include "chatwin/msgman.h"

#include <algorithm>

#include "api/DEbugger.h"
#include "api/MessageInput.h"
#include "api/Newsreader.h"
#include "chatwin/MessageDocument.h"
#include "chatwin/msgdlg.h"
#include "controls/html/text/RasterFontService.h"
#include "platform/base/Exception.h"
#include "platform/base/Format.h"
#include "platform/base/FreedMemory.h"
#include "platform/base/SysConsts.h"

namespace {

const ShortString& TesselSource()
{
  static const ShortString source("tessel.dll");
  return source;
}

}  // namespace

std::string FailureText()
{
  try {
    throw;
  } catch (const Exception& e) {
    return e.Message();
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "Exception inconnue";
  }
}

namespace {

TChatManager* CurrentManager = nullptr;

void ShowInFront(TdlgMessage* Form)
{
  Form->Show();
  Form->BringToFront();
}

}  // namespace

void TesselLog(BYTE Level, std::string_view Text) { DebugLog(TesselSource(), Level, ShortString(Text)); }

TChatManager* TChatManager::Current() { return CurrentManager; }
void TChatManager::SetCurrent(TChatManager* Manager) { CurrentManager = Manager; }

TChatManager::TChatManager(const THtmlFontService* Fonts) : FFonts(Fonts)
{
  if (!FFonts) {
    FOwnFonts = std::make_unique<TRasterFontService>();
    FFonts = FOwnFonts.get();
  }
  FSmileyFolder = SmileyPictureFolder();
}

TChatManager::~TChatManager()
{
  FreeAllWindows();
  FHost.reset();
}

void TChatManager::FreeAllWindows()
{
  // Nothing is saved at the end, except the conversations the user asked
  // to keep whose save failed: they were waiting for this next chance.
  for (TdlgMessage* form : FLiveForms)
    form->SaveIfFailedBefore();
  FWindows.clear();
  while (!FLiveForms.empty()) {
    TdlgMessage* form = FLiveForms.front();
    FLiveForms.erase(FLiveForms.begin());
    form->DetachManager();
    form->Free();
  }
}

void TChatManager::AttachHost() { FHost = std::make_unique<TMessageInput>(); }

IMessageInput& TChatManager::Host()
{
  if (!FHost || !FHost->HostInput)
    throw Exception("Impossible de charger Corvane");
  return *FHost->HostInput;
}

void TChatManager::FormBorn(TdlgMessage* Form) { FLiveForms.push_back(Form); }

void TChatManager::FormGone(TdlgMessage* Form)
{
  std::erase(FLiveForms, Form);
  // A window freed while still listed (by its owner, or by a failure) takes
  // its record with it: no record ever names a freed window.
  std::erase_if(FWindows, [Form](const WindowRecord& r) { return r.Form == Form; });
}

int TChatManager::GetWindow(const UserID& Key)
{
  try {
    TesselLog(0, "GetWindow(" + Key.str() + ")");
    for (std::size_t i = 0; i < FWindows.size(); ++i)
      if (FWindows[i].Key == Key) {
        TesselLog(0, "GetWindows; TRace de la fenêtre trouvée -> " + std::to_string(i));
        TesselLog(0, "GetWindows; La fenêtre est encore ouverte");
        return int(i);
      }
    TesselLog(0, "GetWindow; Resultat pas trouvé");
  } catch (...) {
    TesselLog(1, "GetWindow : " + FailureText());
  }
  return -1;
}

void TChatManager::DeleteWindow(const UserID& Key)
{
  try {
    TesselLog(0, "DeleteWindow : ...");
    const int index = GetWindow(Key);
    if (index != -1)
      FWindows.erase(FWindows.begin() + index);
    TesselLog(0, "DeleteWindow : Ok");
  } catch (...) {
    TesselLog(1, "DeleteWindow : Erreur !");
    TesselLog(1, FailureText());
  }
}

void TChatManager::NewWindow(const UserID& Key)
{
  TdlgMessage* form = nullptr;
  try {
    TesselLog(0, "Creation de la fenêtre " + Key.str());
    form = TdlgMessage::Create<TdlgMessage>(nullptr, *FFonts, FSmileyFolder);
    FWindows.push_back({Key, form});
    form->Key = Key;
    ShortString name;
    Host().GetContactName(&name, &Key);
    form->Nick = name.str();
    name = ShortString();
    Host().GetNetworkName(&name, &Key);
    form->NetworkName = name.str();
    ShowInFront(form);
  } catch (...) {
    TesselLog(1, "NewWindow : " + FailureText());
    // A window that could not be made whole is not left behind: the
    // contact would seem to have an open window that never showed.
    if (form)
      form->Free();  // takes its record out (FormGone)
  }
}

TdlgMessage* TChatManager::WindowFor(const UserID& Key)
{
  if (GetWindow(Key) == -1)
    NewWindow(Key);
  const int index = GetWindow(Key);
  if (index < 0)
    throw EListError(Format(SListIndexError, index));
  return FWindows[std::size_t(index)].Form;
}

bool TChatManager::NewMessage(const UserID& Key, TDateTime Time, std::string_view Text, MessageKind Kind)
{
  try {
    TesselLog(0, "Nouveau message de " + Key.str());
    const bool own = !Key.empty() && Key.Data[0] == '-';
    const UserID windowKey = own ? UserID(Key.view().substr(1)) : Key;
    TdlgMessage* form = WindowFor(windowKey);
    // A message that is markup already goes to its line without a copy.
    std::string converted;
    const bool shown =
        form->FormatMessage(own ? "MOI" : windowKey.str(), MessageHtml(own, Kind, Text, converted), Time);
    // A large message's conversion is given back to the system at the next
    // idle moment, rather than kept for later messages.
    NoteLargeRelease(converted.capacity());
    ShowInFront(form);
    return shown;
  } catch (...) {
    TesselLog(1, "NewMessage : " + FailureText());
    return false;
  }
}

void TChatManager::NewMessageFromMe(const UserID& Key)
{
  TesselLog(0, "Nouveau message de moi");
  // The user's own mark names the same contact: one window per contact.
  const bool own = !Key.empty() && Key.Data[0] == '-';
  ShowInFront(WindowFor(own ? UserID(Key.view().substr(1)) : Key));
}

bool TChatManager::MessageIsOpen(const UserID& Key)
{
  TesselLog(0, "MessageisOpen(" + Key.str() + ")");
  const bool open = GetWindow(Key) != -1;
  if (open)
    TesselLog(3, "MessageIsOpen : Oui");
  else
    TesselLog(2, "MessageIsOpen : Non");
  return open;
}

void TChatManager::UpdateNick(const UserID& Key, const ShortString& Nick)
{
  const int index = GetWindow(Key);
  if (index == -1)
    return;
  DebugLog(ShortString("UpdateNick"), 0, ShortString("tessel -> msgdlg / " + Nick.str()));
  FWindows[std::size_t(index)].Form->SetNick(Nick.str());
}

void StartChatManager()
{
  TesselLog(0, "initialisation du gestionnaire de fenêtre");
  if (!TChatManager::Current())
    TChatManager::SetCurrent(new TChatManager);
  TChatManager::Current()->AttachHost();
}

void EndChatManager()
{
  TesselLog(0, "Déchargement du gestionnaire de fenêtre");
  TesselLog(0, "Fermeture de toute les fenêtres");
  TChatManager* manager = TChatManager::Current();
  TChatManager::SetCurrent(nullptr);
  if (manager)
    manager->FreeAllWindows();
  TesselLog(0, "Déconnexion de Corvane");
  delete manager;
  TesselLog(0, "Déchargement terminé");
}
