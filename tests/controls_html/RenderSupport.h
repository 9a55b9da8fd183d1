// Rendering a document for the tests: laid out at a width and painted into a
// 32-bit offscreen picture on white, with pixel probes, the body's blocks and
// golden pictures under golden/ (rewritten with CORVANE_UPDATE_GOLDENS set).
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/win/gdi/Screenshot.h"

class TCustomForm;
class THtmlView;

class TBlock;
class TSectionList;

struct TRendered {
  int Height = 0;
  TPixelImage Picture;
};

// Lays Doc out at Width and paints it; Height 0 paints the whole document.
TRendered Render(TSectionList& Doc, int Width, int Height = 0);
// Paints Doc as laid out, at its YOff, through Clip (screen coordinates) on
// a white picture of Width x Height.
TPixelImage PaintOnWhite(TSectionList& Doc, int Width, int Height, const TRect& Clip);
std::uint32_t At(const TPixelImage& P, int X, int Y);
void ExpectGoldenPicture(const TPixelImage& Picture, const std::string& Name);
// The blocks directly in the body, in order.
std::vector<TBlock*> BodyBlocks(TSectionList& Doc);
// The chat window's document settings, pictures from the image corpus's smileys.
std::unique_ptr<TSectionList> MakeDocument();
extern const std::string SmileyDir;

// A temporary folder of solid-colour PNG pictures (name, width, height,
// colour) that a document may read: AllowIn lets Doc read it and look its
// sources up there.
struct TPictureFolder {
  struct TPicture {
    const char* Name;
    int Width, Height;
    std::uint32_t Colour;
  };
  std::filesystem::path Root;
  TPictureFolder(const std::string& Name, std::initializer_list<TPicture> Pictures);
  TPictureFolder(const TPictureFolder&) = delete;
  ~TPictureFolder();
  void AllowIn(TSectionList& Doc) const;
};

// The rows of the document's tables as laid out last: [top, bottom) in
// document y, and the table's cell spacing.
struct TRowSpan {
  int Top, Bottom, Spacing;
};
std::vector<TRowSpan> TableRows(TSectionList& Doc);

// Every section of a type anywhere in the document, in document order.
template <class T>
std::vector<T*> AllOf(TSectionList& Doc);

// A 420 x 320 form holding a viewer set up as the chat window sets it (the
// tests' fonts, at 10, 10, 300 x 200); neither is shown yet.
THtmlView* MakeChatViewerOnForm(TCustomForm*& Form);
