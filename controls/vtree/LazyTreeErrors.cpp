#include "controls/vtree/LazyTreeErrors.h"

void RaiseTreeError(const std::string& Message, int HelpContext)
{
  throw ELazyTreeError(Message, HelpContext);
}

const char* TreeErrorMessage(int HelpContext)
{
  switch (HelpContext) {
    case hcTFEditLinkIsNil: return "Edit link must not be nil.";
    case hcTFWrongMoveError: return "Target node cannot be a child node of the node to be moved.";
    case hcTFWrongStreamFormat: return "Unable to load tree structure, the format is wrong.";
    case hcTFWrongStreamVersion: return "Unable to load tree structure, the version is unknown.";
    case hcTFStreamTooSmall: return "Unable to load tree structure, not enough data available.";
    case hcTFCorruptStream1: return "Stream data corrupt. A node's anchor chunk is missing.";
    case hcTFCorruptStream2: return "Stream data corrupt. Unexpected data after node's end position.";
    case hcTFClipboardFailed: return "Clipboard operation failed.";
  }
  return "";
}

void RaiseTreeError(int HelpContext)
{
  RaiseTreeError(TreeErrorMessage(HelpContext), HelpContext);
}

void LazyTreeAssertFailed(const char* Message, int Line)
{
  throw EAssertionFailed(std::string(Message) + " (LazyTrees, line " + std::to_string(Line) + ")");
}
