// THtmlView: following links (a place in this document, another HTML file,
// a picture, a web address), file names from references, the visited list,
// the history and META refresh.
#include <algorithm>
#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

#include "controls/html/document/FontObj.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/url/UrlHelpers.h"
#include "controls/html/viewer/HtmlView.h"
#include "controls/html/viewer/PaintPanel.h"
#include "platform/base/Path.h"
#include "platform/base/StringRoutines.h"
#include "platform/base/Utf.h"
#include "platform/win/win.h"

extern char** environ;

namespace {

// A reference another program must open: a web or mail address.
bool IsWebReference(const std::string& Ref)
{
  const std::string L = LowerCase(Trim(Ref));
  for (const char* Scheme : {"http://", "https://", "ftp://", "mailto:"})
    if (L.rfind(Scheme, 0) == 0)
      return true;
  return false;
}

// Any "scheme://" reference that is not a local file.
bool IsForeignReference(const std::string& Ref)
{
  const std::size_t At = Ref.find("://");
  return At != std::string::npos && At > 0 && LowerCase(Ref).find("file://") == std::string::npos;
}

// Hands a web address to the desktop's opener, without a shell and without
// waiting for it.
void OpenWithDesktop(const std::string& Url)
{
  std::string Copy = Url;
  char Program[] = "xdg-open";
  char* Argv[] = {Program, Copy.data(), nullptr};
  pid_t Pid = 0;
  if (posix_spawnp(&Pid, "xdg-open", nullptr, nullptr, Argv, environ) == 0)
    std::thread([Pid] { waitpid(Pid, nullptr, 0); }).detach();
}

}  // namespace

bool THtmlView::HotSpotClickHandled()
{
  bool Handled = false;
  if (OnHotSpotClick)
    OnHotSpotClick(this, FURL, Handled);
  return Handled;
}

void THtmlView::PostHotSpotClick()
{
  PostMessage(Handle(), WM_HTML_HOTSPOTCLICK, 0, 0);
}

void THtmlView::ProcessHotSpotClick()
{
  if (HotSpotClickHandled())
    return;
  const int P = GetPosition();
  std::string S = FURL;
  if (!S.empty() && S[0] == '#') {
    if (PositionTo(S)) {
      AddHistory(FCurrentFile, FTitle, FFileType, nullptr, P);
      AddVisited(FCurrentFile + S);
    }
    return;
  }
  // A web address goes to the desktop's opener (or nowhere): loading it as
  // a file would only raise "Can't locate file" out of the mouse handler.
  if (IsForeignReference(S) || IsWebReference(S)) {
    if (IsWebReference(S)) {
      if (OpenWebLink)
        OpenWebLink(S);
      else
        OpenWithDesktop(S);
      AddVisited(S);
      FPaintPanel->Invalidate();
    }
    return;
  }
  std::string Dest;
  if (const std::size_t Hash = S.find('#'); Hash != std::string::npos) {
    Dest = S.substr(Hash);
    S.erase(Hash);
  }
  S = HTMLExpandFilename(S);
  const std::string Ext = UpperCase(ExtractFileExt(S)).substr(0, 5);
  if (Ext != ".HTM" && Ext != ".HTML") {
    if (Ext == ".BMP" || Ext == ".GIF" || Ext == ".JPG" || Ext == ".JPEG" || Ext == ".PNG")
      OpenImageFile(S);
    return;
  }
  if (S != FCurrentFile) {
    OpenHtmlFile(S + Dest);
    AddVisited(S + Dest);
  } else if (PositionTo(Dest)) {
    AddHistory(FCurrentFile, FTitle, 0, nullptr, P);
    AddVisited(S + Dest);
  }
}

void THtmlView::OpenHtmlFile(const std::string& Name) { OpenFile(Name, 0); }
void THtmlView::OpenImageFile(const std::string& Name) { OpenFile(Name, 2); }

void THtmlView::OpenFile(const std::string& Name, int Type)
{
  if (FProcessing || Name.empty())
    return;
  const std::string OldFile = FCurrentFile;
  const std::u16string OldTitle = FTitle;
  const int OldPos = GetPosition();
  const int OldType = FFileType;
  std::unique_ptr<TStringList> FormData = GetFormData();
  LoadFromFile(Name, Type);
  if (FCurrentFile != OldFile || FFileType != OldType)
    AddHistory(OldFile, OldTitle, OldType, std::move(FormData), OldPos);
}

std::string THtmlView::HTMLExpandFilename(const std::string& Name)
{
  if (IsForeignReference(Name) && Name.find("://") > 0)
    return Name;
  // Windows references as the chat's documents write them: back slashes
  // are folder separators; a name that starts with one "\" is below
  // ServerRoot when there is one.
  // A file URL names a path from the root ("file:///tmp/x").
  std::string S = Trim(Name);
  const bool FileUrl = LowerCase(S).rfind("file://", 0) == 0;
  if (FileUrl)
    S.erase(0, 7);
  S = ReferenceToFileName(S);
  if (!FileUrl && !FServerRoot.empty() && S.size() >= 1 && S[0] == '\\' && (S.size() < 2 || S[1] != '\\'))
    S = FServerRoot + S;
  std::replace(S.begin(), S.end(), '\\', '/');
  if (S.empty())
    return S;
  if (S[0] == '/')
    return ExpandFileName(S);
  if (S.size() >= 2 && S[1] == ':')
    return S;  // a drive letter names no place here
  if (!FBase.empty() && CompareText(FBase, "DosPath") != 0) {
    std::string Base = ReferenceToFileName(FBase);
    std::replace(Base.begin(), Base.end(), '\\', '/');
    return ExpandFileName(ExtractFilePath(Base) + S);
  }
  if (!FCurrentFile.empty())
    return ExpandFileName(ExtractFilePath(FCurrentFile) + S);
  return ExpandFileName(S);
}

// The full form of a link's reference compared with Ref, case ignored.
bool THtmlView::SameReference(TFontObj* Link, const std::string& Ref)
{
  const std::string& Url = Link->UrlTarget().URL;
  if (Url.empty())
    return false;
  std::string Full;
  if (Url[0] == '#')
    Full = FCurrentFile + Url;
  else if (IsWebReference(Url) || IsForeignReference(Url))
    Full = Url;
  else {
    const std::size_t Hash = Url.find('#');
    Full = HTMLExpandFilename(Url.substr(0, Hash)) + (Hash == std::string::npos ? "" : Url.substr(Hash));
  }
  return CompareText(Full, Ref) == 0;
}

void THtmlView::AddVisited(const std::string& Ref)
{
  if (FVisitedMaxCount == 0)
    return;
  const int I = FVisited->IndexOf(Ref);
  if (I == 0)
    return;
  if (I < 0) {
    for (TFontObj* Link : FSectionList->LinkList)
      if (SameReference(Link, Ref))
        Link->SetVisited(true);
  } else {
    FVisited->Delete(I);
  }
  FVisited->Insert(0, Ref);
  while (FVisited->Count() > FVisitedMaxCount)
    FVisited->Delete(FVisited->Count() - 1);
}

void THtmlView::CheckVisitedLinks()
{
  if (FVisitedMaxCount == 0)
    return;
  for (int I = 0; I < FVisited->Count(); ++I)
    for (TFontObj* Link : FSectionList->LinkList)
      if (SameReference(Link, FVisited->Strings(I)))
        Link->SetVisited(true);
}

void THtmlView::SetVisitedMaxCount(int Value)
{
  Value = std::max(0, Value);
  if (Value == FVisitedMaxCount)
    return;
  FVisitedMaxCount = Value;
  if (Value > 0) {
    while (FVisited->Count() > Value)
      FVisited->Delete(FVisited->Count() - 1);
    return;
  }
  FVisited->Clear();
  for (TFontObj* Link : FSectionList->LinkList)
    Link->SetVisited(false);
  FPaintPanel->Invalidate();
}

void THtmlView::AddHistory(const std::string& OldFile, const std::u16string& OldTitle, int OldType,
                           std::unique_ptr<TStringList> FormData, int OldPos)
{
  if (FHistoryMaxCount < 1 || FCurrentFile.empty() ||
      (OldFile == FCurrentFile && OldType == FFileType && OldPos == GetPosition()))
    return;
  if (FHistory->Count() > 0 && !OldFile.empty()) {
    const int I = FHistoryIndex;
    FHistory->SetStrings(I, OldFile);
    PositionObj& Entry = *FPositionHistory[std::size_t(I)];
    Entry.SavedPos = OldPos;
    Entry.FileType = static_cast<unsigned char>(OldType);
    if (OldFile != FCurrentFile)
      Entry.FormData = std::move(FormData);
    FTitleHistory->SetStrings(I, UTF8Encode(OldTitle));
    for (int J = 0; J < I; ++J) {
      FHistory->Delete(0);
      FTitleHistory->Delete(0);
      FPositionHistory.erase(FPositionHistory.begin());
    }
  }
  FHistoryIndex = 0;
  auto Entry = std::make_unique<PositionObj>();
  Entry->SavedPos = GetPosition();
  Entry->FileType = static_cast<unsigned char>(FFileType);
  FHistory->Insert(0, FCurrentFile);
  FTitleHistory->Insert(0, UTF8Encode(FTitle));
  FPositionHistory.insert(FPositionHistory.begin(), std::move(Entry));
  if (FHistory->Count() > FHistoryMaxCount) {
    FHistory->Delete(FHistoryMaxCount);
    FTitleHistory->Delete(FHistoryMaxCount);
    FPositionHistory.erase(FPositionHistory.begin() + FHistoryMaxCount);
  }
  if (OnHistoryChange)
    OnHistoryChange(this);
}

void THtmlView::ClearHistory()
{
  const bool Had = FHistory->Count() > 0;
  FHistory->Clear();
  FTitleHistory->Clear();
  FPositionHistory.clear();
  FHistoryIndex = 0;
  if (Had && OnHistoryChange)
    OnHistoryChange(this);
}

void THtmlView::SetHistoryMaxCount(int Value)
{
  if (Value < 0 || Value == FHistoryMaxCount)
    return;
  if (Value < FHistoryMaxCount)
    ClearHistory();
  FHistoryMaxCount = Value;
}

void THtmlView::GoHistory(int Index)
{
  if (Index < 0 || Index >= FHistory->Count() || Index == FHistoryIndex || FProcessing)
    return;
  // The entry being left keeps where it was scrolled.
  FPositionHistory[std::size_t(FHistoryIndex)]->SavedPos = GetPosition();
  const PositionObj& Entry = *FPositionHistory[std::size_t(Index)];
  const std::string File = FHistory->Strings(Index);
  const int SavedPos = Entry.SavedPos;
  if (File != FCurrentFile || Entry.FileType != FFileType)
    LoadFromFile(File, Entry.FileType);
  FHistoryIndex = Index;
  SetPosition(SavedPos);
  if (OnHistoryChange)
    OnHistoryChange(this);
}

void THtmlView::GoBack() { GoHistory(FHistoryIndex + 1); }
void THtmlView::GoForward() { GoHistory(FHistoryIndex - 1); }

void THtmlView::MetaReceived(const std::string& HttpEq, const std::string& Name, const std::string& Content)
{
  if (OnMeta)
    OnMeta(this, HttpEq, Name, Content);
  if (!OnMetaRefresh || CompareText(HttpEq, "refresh") != 0)
    return;
  const std::size_t Semi = Content.find(';');
  const std::string Number = Trim(Content.substr(0, Semi));
  int Delay = -1;
  if (!Number.empty() && Number.size() <= 9 && std::all_of(Number.begin(), Number.end(), [](char C) { return C >= '0' && C <= '9'; }))
    Delay = std::atoi(Number.c_str());
  if (Delay < 0)
    return;
  FRefreshDelay = std::max(1, Delay);
  const std::string Lower = LowerCase(Content);
  const std::size_t Url = Lower.find("url=");
  FRefreshURL = Url == std::string::npos ? std::string() : Trim(Content.substr(Url + 4));
}

void THtmlView::FormSubmitReceived(const std::string& Action, const std::string& Target, const std::string& EncType,
                                   const std::string& Method, std::unique_ptr<TStringList> Results)
{
  if (!OnFormSubmit)
    return;
  FSubmission.Action = Action;
  FSubmission.Target = Target;
  FSubmission.EncType = EncType;
  FSubmission.Method = Method;
  FSubmission.Results = std::move(Results);
  PostMessage(Handle(), WM_HTML_FORMSUBMIT, 0, 0);
}
