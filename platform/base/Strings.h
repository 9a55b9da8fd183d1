// TStrings: the abstract list of strings with attached objects. Descendants
// store the strings (TStringList, the list box's items) and override Get,
// GetCount, Insert, Delete and Clear at least.
//
// Text joins the strings with CR LF after each; setting it splits on CR, LF
// and CR LF alike. CommaText and DelimitedText quote a string holding a blank,
// the delimiter or the quote character. Names and Values read "name=value"
// lines (NameValueSeparator), comparing names as CompareStrings does.
#pragma once

#include <string>
#include <string_view>

#include "platform/base/Persistent.h"

class TStream;

class TStrings : public TPersistent {
public:
  virtual int Add(const std::string& S);
  virtual int AddObject(const std::string& S, TObject* AObject);
  void Append(const std::string& S) { Add(S); }
  virtual void AddStrings(TStrings* Strings);
  void Assign(TPersistent* Source) override;
  void BeginUpdate();
  void EndUpdate();
  virtual void Clear() = 0;
  virtual void Delete(int Index) = 0;
  virtual void Exchange(int Index1, int Index2);
  // The same strings in the same order (objects are not compared).
  bool Equals(TStrings* Strings) const;
  virtual int IndexOf(const std::string& S) const;
  virtual int IndexOfName(const std::string& Name) const;
  int IndexOfObject(TObject* AObject) const;
  virtual void Insert(int Index, const std::string& S) = 0;
  virtual void InsertObject(int Index, const std::string& S, TObject* AObject);
  virtual void Move(int CurIndex, int NewIndex);
  // The whole file or the rest of the stream; a leading UTF-8 byte-order mark
  // is not part of the first string.
  virtual void LoadFromFile(std::string_view FileName);
  virtual void LoadFromStream(TStream* Stream);
  virtual void SaveToFile(std::string_view FileName) const;
  virtual void SaveToStream(TStream* Stream) const;

  int Count() const { return GetCount(); }
  std::string Strings(int Index) const { return Get(Index); }
  void SetStrings(int Index, const std::string& S) { Put(Index, S); }
  TObject* Objects(int Index) const { return GetObject(Index); }
  void SetObjects(int Index, TObject* AObject) { PutObject(Index, AObject); }
  int Capacity() const { return GetCapacity(); }
  // A hint for descendants that reserve room; the default ignores it.
  virtual void SetCapacity(int NewCapacity);

  // The part before the separator ("" without one).
  std::string Names(int Index) const;
  std::string Values(const std::string& Name) const;
  // An empty value deletes the line; otherwise the line is replaced or added.
  void SetValues(const std::string& Name, const std::string& Value);
  // The part after the separator ("" without one).
  std::string ValueFromIndex(int Index) const;
  void SetValueFromIndex(int Index, const std::string& Value);
  char NameValueSeparator() const { return FNameValueSeparator; }
  void SetNameValueSeparator(char Value) { FNameValueSeparator = Value; }

  std::string Text() const { return GetTextStr(); }
  void SetText(std::string_view Value) { SetTextStr(Value); }
  std::string CommaText() const;
  void SetCommaText(std::string_view Value);
  std::string DelimitedText() const;
  void SetDelimitedText(std::string_view Value);
  char Delimiter() const { return FDelimiter; }
  void SetDelimiter(char Value) { FDelimiter = Value; }
  char QuoteChar() const { return FQuoteChar; }
  void SetQuoteChar(char Value) { FQuoteChar = Value; }

protected:
  virtual std::string Get(int Index) const = 0;
  virtual int GetCount() const = 0;
  virtual TObject* GetObject(int Index) const;
  virtual void Put(int Index, const std::string& S);
  virtual void PutObject(int Index, TObject* AObject);
  virtual int GetCapacity() const { return GetCount(); }
  virtual void SetUpdateState(bool Updating);
  // Without case by default (AnsiCompareText).
  virtual int CompareStrings(const std::string& S1, const std::string& S2) const;
  virtual std::string GetTextStr() const;
  virtual void SetTextStr(std::string_view Value);
  [[noreturn]] void Error(const char* Msg, int Data) const;
  int UpdateCount() const { return FUpdateCount; }

private:
  std::string GetDelimited(char delimiter, char quote) const;
  void SetDelimited(std::string_view value, char delimiter, char quote);

  int FUpdateCount = 0;
  char FNameValueSeparator = '=';
  char FDelimiter = ',';
  char FQuoteChar = '"';
};
