// The smiley processor object that "Quenbyfx.mp" hands to the host: it finds
// the newsreader's smiley table through the registry when it is created and
// turns the smileys of every message into image elements.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "api/MessageInput.h"
#include "api/MessageProcessor.h"
#include "platform/base/Interface.h"
#include "plugins/smileys/SmileyReplacer.h"

// The module's file name, the source of its log records.
const ShortString& QuenbyfxSource();

class TIMessageProcessor final : public TInterfacedObject<IMessageProcessor> {
public:
  // Attaches to the host (TMessageInput) and loads the smiley table; raises
  // when the host cannot be reached or the smiley file cannot be read.
  TIMessageProcessor();
  ~TIMessageProcessor() override;

  void Process(ProcessedMessage* Result, const UserID* Key, MessageKind Kind, const char* Message) override;
  const char* GetName() override { return Name.c_str(); }
  const char* GetDescription() override { return Description.c_str(); }
  const char* GetAuthor() override { return Author.c_str(); }
  std::int32_t GetVersion() override { return Version; }

  std::string Name;
  std::string Author;
  std::int32_t Version = 0;
  std::string Description;

private:
  void LoadSmileys();
  void AddLog(const std::string& Line);

  std::unique_ptr<TMessageInput> FHost;
  // The newsreader's data folder as stored, used as a plain prefix.
  std::string FDataFolder;
  std::unique_ptr<TSmileyReplacer> FReplacer;
  // The text of the last answer: the host reads it until the next Process.
  std::string FLastResult;
};
