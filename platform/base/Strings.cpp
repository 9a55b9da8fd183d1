#include "platform/base/Strings.h"

#include "platform/base/AnsiStrings.h"
#include "platform/base/Exception.h"
#include "platform/base/FileStream.h"
#include "platform/base/Format.h"
#include "platform/base/StringRoutines.h"
#include "platform/base/SysConsts.h"

namespace {

// Ends an update even when the work in between raises.
class UpdateScope {
public:
  explicit UpdateScope(TStrings* s) : S(s) { S->BeginUpdate(); }
  ~UpdateScope() { S->EndUpdate(); }
  UpdateScope(const UpdateScope&) = delete;
  UpdateScope& operator=(const UpdateScope&) = delete;

private:
  TStrings* S;
};

bool IsBlankOrControl(char c) { return c >= 1 && static_cast<unsigned char>(c) <= ' '; }

}  // namespace

int TStrings::Add(const std::string& S)
{
  int index = GetCount();
  Insert(index, S);
  return index;
}

int TStrings::AddObject(const std::string& S, TObject* AObject)
{
  int index = Add(S);
  PutObject(index, AObject);
  return index;
}

void TStrings::AddStrings(TStrings* Strings)
{
  if (!Strings)
    return;
  UpdateScope update(this);
  for (int i = 0; i < Strings->Count(); ++i)
    AddObject(Strings->Get(i), Strings->GetObject(i));
}

void TStrings::Assign(TPersistent* Source)
{
  if (auto* strings = dynamic_cast<TStrings*>(Source)) {
    if (strings == this)
      return;
    UpdateScope update(this);
    Clear();
    AddStrings(strings);
    return;
  }
  TPersistent::Assign(Source);
}

void TStrings::BeginUpdate()
{
  // The state changes while the count is still 0, so the change event of
  // the update itself is not held back.
  if (FUpdateCount == 0)
    SetUpdateState(true);
  ++FUpdateCount;
}

void TStrings::EndUpdate()
{
  if (FUpdateCount > 0 && --FUpdateCount == 0)
    SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}
void TStrings::SetCapacity(int) {}

void TStrings::Exchange(int Index1, int Index2)
{
  UpdateScope update(this);
  std::string s1 = Get(Index1), s2 = Get(Index2);
  TObject* o1 = GetObject(Index1);
  TObject* o2 = GetObject(Index2);
  Put(Index1, s2);
  Put(Index2, s1);
  PutObject(Index1, o2);
  PutObject(Index2, o1);
}

bool TStrings::Equals(TStrings* Strings) const
{
  if (!Strings || Strings->GetCount() != GetCount())
    return false;
  for (int i = 0; i < GetCount(); ++i)
    if (Get(i) != Strings->Get(i))
      return false;
  return true;
}

int TStrings::IndexOf(const std::string& S) const
{
  for (int i = 0; i < GetCount(); ++i)
    if (CompareStrings(Get(i), S) == 0)
      return i;
  return -1;
}

int TStrings::IndexOfName(const std::string& Name) const
{
  for (int i = 0; i < GetCount(); ++i) {
    std::string s = Get(i);
    std::size_t p = s.find(FNameValueSeparator);
    if (p != std::string::npos && CompareStrings(s.substr(0, p), Name) == 0)
      return i;
  }
  return -1;
}

int TStrings::IndexOfObject(TObject* AObject) const
{
  for (int i = 0; i < GetCount(); ++i)
    if (GetObject(i) == AObject)
      return i;
  return -1;
}

void TStrings::InsertObject(int Index, const std::string& S, TObject* AObject)
{
  Insert(Index, S);
  PutObject(Index, AObject);
}

void TStrings::Move(int CurIndex, int NewIndex)
{
  if (CurIndex == NewIndex)
    return;
  UpdateScope update(this);
  std::string s = Get(CurIndex);
  TObject* o = GetObject(CurIndex);
  Delete(CurIndex);
  InsertObject(NewIndex, s, o);
}

void TStrings::LoadFromFile(std::string_view FileName)
{
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&stream);
}

void TStrings::LoadFromStream(TStream* Stream)
{
  UpdateScope update(this);
  Int64 size = Stream->Size() - Stream->Position();
  std::string text;
  if (size > 0) {
    if (size > 0x7FFFFFFF)
      throw EReadError(SReadError);
    text.resize(std::size_t(size));
    Stream->ReadBuffer(text.data(), Integer(size));
  }
  std::string_view view(text);
  if (view.substr(0, 3) == "\xEF\xBB\xBF")
    view.remove_prefix(3);
  SetTextStr(view);
}

void TStrings::SaveToFile(std::string_view FileName) const
{
  TFileStream stream(FileName, fmCreate);
  SaveToStream(&stream);
}

void TStrings::SaveToStream(TStream* Stream) const
{
  std::string text = GetTextStr();
  Stream->WriteBuffer(text.data(), Integer(text.size()));
}

std::string TStrings::Names(int Index) const
{
  std::string s = Get(Index);
  std::size_t p = s.find(FNameValueSeparator);
  return p == std::string::npos ? std::string() : s.substr(0, p);
}

std::string TStrings::Values(const std::string& Name) const
{
  int i = IndexOfName(Name);
  return i >= 0 ? ValueFromIndex(i) : std::string();
}

void TStrings::SetValues(const std::string& Name, const std::string& Value)
{
  int i = IndexOfName(Name);
  if (!Value.empty()) {
    if (i < 0)
      i = Add("");
    Put(i, Name + FNameValueSeparator + Value);
  } else if (i >= 0) {
    Delete(i);
  }
}

std::string TStrings::ValueFromIndex(int Index) const
{
  std::string s = Get(Index);
  std::size_t p = s.find(FNameValueSeparator);
  return p == std::string::npos ? std::string() : s.substr(p + 1);
}

void TStrings::SetValueFromIndex(int Index, const std::string& Value)
{
  if (!Value.empty()) {
    if (Index < 0)
      Index = Add("");
    Put(Index, Names(Index) + FNameValueSeparator + Value);
  } else if (Index >= 0) {
    Delete(Index);
  }
}

TObject* TStrings::GetObject(int) const { return nullptr; }

void TStrings::Put(int Index, const std::string& S)
{
  TObject* o = GetObject(Index);
  Delete(Index);
  InsertObject(Index, S, o);
}

void TStrings::PutObject(int, TObject*) {}

int TStrings::CompareStrings(const std::string& S1, const std::string& S2) const
{
  return AnsiCompareText(S1, S2);
}

std::string TStrings::GetTextStr() const
{
  std::string text;
  for (int i = 0; i < GetCount(); ++i) {
    text += Get(i);
    text += "\r\n";
  }
  return text;
}

void TStrings::SetTextStr(std::string_view Value)
{
  UpdateScope update(this);
  Clear();
  std::size_t i = 0;
  while (i < Value.size()) {
    std::size_t start = i;
    while (i < Value.size() && Value[i] != '\r' && Value[i] != '\n')
      ++i;
    Add(std::string(Value.substr(start, i - start)));
    // One line break: CR LF, CR or LF.
    if (i < Value.size() && Value[i] == '\r') {
      ++i;
      if (i < Value.size() && Value[i] == '\n')
        ++i;
    } else if (i < Value.size()) {
      ++i;
    }
  }
}

std::string TStrings::CommaText() const { return GetDelimited(',', '"'); }
void TStrings::SetCommaText(std::string_view Value) { SetDelimited(Value, ',', '"'); }
std::string TStrings::DelimitedText() const { return GetDelimited(FDelimiter, FQuoteChar); }
void TStrings::SetDelimitedText(std::string_view Value) { SetDelimited(Value, FDelimiter, FQuoteChar); }

std::string TStrings::GetDelimited(char delimiter, char quote) const
{
  int count = GetCount();
  // One empty string must still read back as one string.
  if (count == 1 && Get(0).empty())
    return std::string(2, quote);
  std::string result;
  for (int i = 0; i < count; ++i) {
    std::string s = Get(i);
    bool needsQuotes = false;
    for (char c : s)
      if (static_cast<unsigned char>(c) <= ' ' || c == quote || c == delimiter) {
        needsQuotes = true;
        break;
      }
    if (i > 0)
      result += delimiter;
    result += needsQuotes ? AnsiQuotedStr(s, quote) : s;
  }
  return result;
}

void TStrings::SetDelimited(std::string_view value, char delimiter, char quote)
{
  UpdateScope update(this);
  Clear();
  // A zero byte ends the text, as it ends the system's strings.
  std::string text(value.substr(0, value.find('\0')));
  const char* p = text.c_str();
  while (IsBlankOrControl(*p))
    ++p;
  while (*p) {
    std::string s;
    if (*p == quote) {
      s = AnsiExtractQuotedStr(p, quote);
    } else {
      const char* start = p;
      while (static_cast<unsigned char>(*p) > ' ' && *p != delimiter)
        ++p;
      s.assign(start, std::size_t(p - start));
    }
    Add(s);
    while (IsBlankOrControl(*p))
      ++p;
    if (*p == delimiter) {
      if (p[1] == 0)
        Add("");  // a trailing delimiter ends with an empty string
      do
        ++p;
      while (IsBlankOrControl(*p));
    }
  }
}

void TStrings::Error(const char* Msg, int Data) const
{
  throw EStringListError(Format(Msg, Data));
}
