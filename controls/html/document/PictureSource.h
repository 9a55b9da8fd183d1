// TPictureSource: the source text of a picture (its SRC), held once for all
// the pictures that name it. A conversation shows the same few smileys
// thousands of times, each by a long path: the pictures share one copy of
// each path instead of each keeping its own.
#pragma once

#include <string>

class TPictureSource {
public:
  TPictureSource() = default;
  explicit TPictureSource(const std::string& Text) { Assign(Text); }
  TPictureSource(const TPictureSource& Other);
  TPictureSource& operator=(const TPictureSource& Other);
  TPictureSource& operator=(const std::string& Text)
  {
    Assign(Text);
    return *this;
  }
  ~TPictureSource() { Release(); }

  const std::string& str() const;
  operator const std::string&() const { return str(); }
  bool empty() const { return !FShared; }

private:
  struct TShared;
  void Assign(const std::string& Text);
  void Release();
  TShared* FShared = nullptr;  // null: the empty source
};
