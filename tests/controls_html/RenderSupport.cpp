#include "RenderSupport.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "ChatDocument.h"
#include "ChatViewer.h"
#include "TestFonts.h"
#include "controls/html/document/Block.h"
#include "controls/html/document/HorzLine.h"
#include "controls/html/document/Section.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/tables/TableLayout.h"
#include "controls/html/viewer/HtmlView.h"
#include "platform/classes/classes.h"
#include "platform/win/gdi/gdi.h"
#include "tests/support/GoldenImage.h"

const std::string SmileyDir = std::string(CORVANE_IMAGE_CORPUS_DIR) + "/smileys";

std::unique_ptr<TSectionList> MakeDocument()
{
  return MakeChatDocument(SmileyDir);
}

TPixelImage PaintOnWhite(TSectionList& Doc, int Width, int Height, const TRect& Clip)
{
  // A 32-bit bitmap: one made compatible with a fresh memory DC would be
  // monochrome, like the one-pixel bitmap such a DC starts with.
  HDC DC = CreateCompatibleDC(nullptr);
  HBITMAP Bitmap = CreateBitmap(Width, Height, 1, 32, nullptr);
  HGDIOBJ Old = SelectObject(DC, Bitmap);
  const TRect All{0, 0, Width, Height};
  HBRUSH White = CreateSolidBrush(0xFFFFFF);
  FillRect(DC, &All, White);
  DeleteObject(White);
  Doc.Draw(DC, Clip);
  TPixelImage Picture = CaptureDC(DC);
  SelectObject(DC, Old);
  DeleteObject(Bitmap);
  DeleteDC(DC);
  return Picture;
}

TRendered Render(TSectionList& Doc, int Width, int Height)
{
  TRendered R;
  R.Height = Doc.DoLogic(Width, 400);
  const int H = Height > 0 ? Height : std::max(1, R.Height);
  R.Picture = PaintOnWhite(Doc, Width, H, TRect{0, 0, Width, H});
  return R;
}

std::uint32_t At(const TPixelImage& P, int X, int Y)
{
  return P.Pixels[std::size_t(Y * P.Width + X)];
}

void ExpectGoldenPicture(const TPixelImage& Picture, const std::string& Name)
{
  const std::string Path = std::string(CORVANE_HTML_GOLDEN_DIR) + "/" + Name;
  if (std::getenv("CORVANE_UPDATE_GOLDENS"))
    WritePng(Path, Picture);
  std::string Message;
  EXPECT_TRUE(MatchesGolden(Picture, Path, &Message)) << Message;
}

std::vector<TBlock*> BodyBlocks(TSectionList& Doc)
{
  std::vector<TBlock*> Result;
  auto* Body = dynamic_cast<TBlock*>(Doc.Sections.front().get());
  for (auto& S : Body->MyCell->Sections)
    if (auto* B = dynamic_cast<TBlock*>(S.get()))
      Result.push_back(B);
  return Result;
}

TPictureFolder::TPictureFolder(const std::string& Name, std::initializer_list<TPicture> Pictures)
    // A folder of this process alone: test cases run in parallel processes.
    : Root(std::filesystem::temp_directory_path() / (Name + "-" + std::to_string(getpid())))
{
  std::filesystem::create_directories(Root);
  for (const TPicture& P : Pictures) {
    TPixelImage Image;
    Image.Width = P.Width;
    Image.Height = P.Height;
    Image.Pixels.assign(std::size_t(P.Width * P.Height), P.Colour);
    WritePng((Root / P.Name).string(), Image);
  }
}

TPictureFolder::~TPictureFolder()
{
  std::filesystem::remove_all(Root);
}

void TPictureFolder::AllowIn(TSectionList& Doc) const
{
  Doc.AllowedFolders.push_back(Root.string());
  Doc.OnExpandName = [Root = Root](const std::string& S) { return (Root / S).string(); };
}

namespace {

template <class T>
void Collect(TCellBasic& Cell, std::vector<T*>& Out)
{
  for (auto& S : Cell.Sections) {
    if (auto* Hit = dynamic_cast<T*>(S.get()))
      Out.push_back(Hit);
    if (auto* B = dynamic_cast<TBlock*>(S.get()))
      Collect(*B->MyCell, Out);
  }
}

}  // namespace

template <class T>
std::vector<T*> AllOf(TSectionList& Doc)
{
  std::vector<T*> Out;
  Collect(Doc, Out);
  return Out;
}

template std::vector<TBlock*> AllOf<TBlock>(TSectionList&);
template std::vector<TSection*> AllOf<TSection>(TSectionList&);
template std::vector<THorzLine*> AllOf<THorzLine>(TSectionList&);
template std::vector<TPage*> AllOf<TPage>(TSectionList&);
template std::vector<ThtmlTable*> AllOf<ThtmlTable>(TSectionList&);

std::vector<TRowSpan> TableRows(TSectionList& Doc)
{
  std::vector<TRowSpan> Rows;
  for (ThtmlTable* T : AllOf<ThtmlTable>(Doc)) {
    int Y = T->PaintTop;
    for (auto& Row : T->Rows) {
      Rows.push_back({Y, Y + Row->RowHeight, T->Spacing});
      Y += Row->RowHeight;
    }
  }
  return Rows;
}

THtmlView* MakeChatViewerOnForm(TCustomForm*& Form)
{
  Form = TCustomForm::Create<TForm>(nullptr);
  Form->SetBounds(0, 0, 420, 320);
  auto* viewer = new THtmlView(Form, TestFonts());
  viewer->SetParent(Form);
  viewer->SetBounds(10, 10, 300, 200);
  ApplyChatViewerSettings(*viewer, SmileyDir);
  return viewer;
}
