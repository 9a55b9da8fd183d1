#include "plugins/smileys/QuenbyProcessor.h"

#include <filesystem>

#include "api/Boundary.h"
#include "api/Newsreader.h"
#include "platform/base/ModuleLoader.h"
#include "platform/base/Registry.h"

const ShortString& QuenbyfxSource()
{
  static const ShortString source(std::filesystem::path(GetModuleName(HInstance())).filename().string());
  return source;
}

TIMessageProcessor::TIMessageProcessor()
    : Name("Smileys MesNews"),
      Author("Orlaine"),
      Version(1),
      Description("Affiche les Smileys en images (Ncessite le programme MesNews)")
{
  FHost = std::make_unique<TMessageInput>();
  LoadSmileys();
}

TIMessageProcessor::~TIMessageProcessor() = default;

void TIMessageProcessor::AddLog(const std::string& Line)
{
  FHost->HostInput->AddLog(Line.c_str());
}

void TIMessageProcessor::LoadSmileys()
{
  std::vector<TSmiley> table;
  if (!NewsreaderDataFolder(FDataFolder)) {
    AddLog("Quenby - MesNews n'est pas installé !");
    FReplacer = std::make_unique<TSmileyReplacer>(table, FDataFolder);
    return;
  }
  AddLog("Quenby - Chargement des Smileys...");
  // Without the "init" key the file name reads as empty, as a missing value does.
  TRegistry registry;
  registry.SetRootKey(HKEY_CURRENT_USER);
  std::string fileName = registry.OpenKeyReadOnly(NewsreaderInitKey) ? registry.ReadString("FichierSmileys") : "";
  AddLog("Quenby - Ouverture du fichier " + fileName);
  table = LoadSmileyTable(FDataFolder + "config/" + fileName);
  FReplacer = std::make_unique<TSmileyReplacer>(table, FDataFolder);
  AddLog("Quenbys - Chargement des smileys terminé :)");
}

void TIMessageProcessor::Process(ProcessedMessage* Result, const UserID*, MessageKind Kind, const char* Message)
{
  CatchAtBoundary(QuenbyfxSource(), "Process : ", [&] {
    // The new answer is built before the old one goes: the host may hand
    // back the text it got from the previous call.
    TReplacedMessage replaced = FReplacer->Replace(Message ? Message : "", Kind);
    FLastResult = std::move(replaced.Text);
    Result->Kind = replaced.Kind;
    Result->Text = FLastResult.data();
  });
}
