// Replaces the text smileys of a message with image elements, in one pass
// over the message as it arrived: at each place the longest smiley of the
// table that starts there wins (the earlier line among equal texts), and
// the markup put in is never searched again. What the message's kind means
// is kept: plain text is escaped before any markup goes in, HTML is only
// touched between its tags and character references, and RTF (or a kind
// this processor does not know) passes unchanged.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "api/ContractTypes.h"
#include "plugins/smileys/SmileyTable.h"

struct TReplacedMessage {
  MessageKind Kind;
  std::string Text;
};

class TSmileyReplacer {
public:
  // A message with more smileys than this keeps the rest as text, so that a
  // flood of smileys cannot make the chat window load thousands of images.
  static constexpr int MaxReplacementsPerMessage = 100;

  // Each smiley's image is DataFolder + "config\" + its image name.
  TSmileyReplacer(const std::vector<TSmiley>& Table, std::string_view DataFolder);

  TReplacedMessage Replace(std::string_view Text, MessageKind Kind) const;

  std::size_t Count() const { return FMarkup.size(); }

private:
  // A byte trie of the smiley texts; a node's Entry is the smiley ending
  // there (-1 for none). The root's children are a direct table because
  // almost every byte of a message starts the search there.
  struct TNode {
    int Entry = -1;
    std::vector<std::pair<unsigned char, int>> Children;
  };

  void Add(std::string_view Smiley, int Entry);
  int Child(int Node, unsigned char Byte) const;
  // The entry of the longest smiley at the start of Text and its length.
  int LongestMatch(std::string_view Text, std::size_t& Length) const;

  template <class CopyText>
  void ReplaceRun(std::string_view Run, std::string& Out, int& Budget, CopyText&& Copy) const;

  std::vector<TNode> FNodes;
  std::array<int, 256> FRoot{};
  std::vector<std::string> FMarkup;
};
