// What the viewer asks its program for and hands on: pictures through the
// bitmap and image requests (answered at once or later, with the stream
// that means "wait"), SCRIPT, include comments and background sounds; the
// shared pictures and cursors of its own resources.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "../platform_classes/ClassesTestSupport.h"
#include "ChatViewer.h"
#include "RenderSupport.h"
#include "TestFonts.h"
#include "controls/html/document/ImageObj.h"
#include "controls/html/document/Section.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/paint/ViewerResources.h"
#include "controls/html/viewer/HtmlView.h"
#include "platform/base/MemoryStream.h"
#include "platform/classes/classes.h"
#include "platform/win/win.h"

namespace {

std::string FileBytes(const std::filesystem::path& Path)
{
  std::ifstream In(Path, std::ios::binary);
  std::ostringstream S;
  S << In.rdbuf();
  return S.str();
}

// Answers the viewer's requests as a program would, and notes them.
struct TProgram {
  THtmlView* Viewer = nullptr;
  std::vector<std::string> ImageAsks, BitmapAsks, Scripts, Sounds, Includes;
  std::map<std::string, std::string> Pictures;  // answered at once
  std::set<std::string> Later;                 // answered with the wait stream
  TMemoryStream Answer;
  TColor BitmapColour = clNone;
  std::string BitmapSource;

  void ImageRequest(TObject* Sender, const std::string& Src, TMemoryStream*& Stream)
  {
    EXPECT_EQ(Sender, Viewer);
    ImageAsks.push_back(Src);
    if (Later.count(Src)) {
      Stream = Viewer->WaitStream();
    } else if (auto It = Pictures.find(Src); It != Pictures.end()) {
      Answer.Clear();
      Answer.Write(It->second.data(), Integer(It->second.size()));
      Stream = &Answer;
    }
  }
  void BitmapRequest(TObject*, const std::string& Src, TBitmap*& Bitmap, TColor& Color)
  {
    BitmapAsks.push_back(Src);
    if (Src != BitmapSource)
      return;
    Bitmap = new TBitmap;
    Bitmap->SetPixelFormat(pf32bit);
    Bitmap->SetSize(10, 8);

    TRect All{0, 0, 10, 8};
    HBRUSH Green = CreateSolidBrush(0x00FF00);
    FillRect(Bitmap->Canvas()->Handle(), &All, Green);
    DeleteObject(Green);
    Color = BitmapColour;
  }
  void Script(TObject* Sender, const std::string& Name, const std::string& Language, const std::string& Text)
  {
    EXPECT_EQ(Sender, Viewer);
    Scripts.push_back(Name + "|" + Language + "|" + Text);
  }
  void Sound(TObject* Sender, const std::string& Src, int Loop, bool Terminate)
  {
    EXPECT_EQ(Sender, Viewer);
    Sounds.push_back(Src + "|" + std::to_string(Loop) + "|" + (Terminate ? "stop" : "play"));
  }
  void Include(TObject* Sender, const std::string& Command, TStringList* Params, std::string& IString)
  {
    EXPECT_EQ(Sender, Viewer);
    Includes.push_back(Command + "|" + Params->Text());
    IString = "<B>included</B>";
  }
};

class ViewerRequestsTest : public ClassesFixture {
protected:
  void SetUp() override
  {
    ClassesFixture::SetUp();
    Viewer = MakeChatViewerOnForm(Form);
    Program.Viewer = Viewer;
    Form->Show();
    Pump();
  }
  void TearDown() override
  {
    if (Form)
      Form->Free();
    ClassesFixture::TearDown();
  }
  std::vector<TImageObj*> Images() { return AllImages(Viewer->SectionList()); }
  static std::vector<TImageObj*> AllImages(TSectionList& Doc)
  {
    std::vector<TImageObj*> Out;
    for (TSection* S : AllOf<TSection>(Doc))
      for (auto& I : S->Images.Items)
        Out.push_back(I.get());
    return Out;
  }

  TCustomForm* Form = nullptr;
  THtmlView* Viewer = nullptr;
  TProgram Program;
};

}  // namespace

TEST_F(ViewerRequestsTest, AnImageRequestAnsweredAtOnceShowsThePictureWithoutReadingAFile)
{
  TPictureFolder Folder("viewer-requests", {{"blue.png", 30, 20, 0x0000FF}});
  Program.Pictures["asked.png"] = FileBytes(Folder.Root / "blue.png");
  Viewer->OnImageRequest = TStreamRequestEvent(&Program, &TProgram::ImageRequest);
  Viewer->LoadFromString("<BODY><IMG src=\"asked.png\"> <IMG src=\"asked.png\"> <IMG src=\"nothing.png\" alt=\"gone\">");
  Pump();
  const auto Pictures = Images();
  ASSERT_EQ(Pictures.size(), 3u);
  EXPECT_FALSE(Pictures[0]->Missing);
  EXPECT_EQ(Pictures[0]->ImageWidth, 30);
  EXPECT_EQ(Pictures[0]->ImageHeight, 20);
  EXPECT_FALSE(Pictures[1]->Missing);
  // An unanswered request falls back to the file, which the chat rules refuse.
  EXPECT_TRUE(Pictures[2]->Missing);
  EXPECT_FALSE(Pictures[2]->Waiting);
  // The same source is asked for once; the cache serves the second.
  const std::vector<std::string> Asked{"asked.png", "nothing.png"};
  EXPECT_EQ(Program.ImageAsks, Asked);
}

TEST_F(ViewerRequestsTest, APictureAnsweredLaterWaitsWithThePlaceholderUntilTheViewerIsGivenIt)
{
  TPictureFolder Folder("viewer-later", {{"red.png", 40, 30, 0xFF0000}});
  Program.Later.insert("slow.png");
  Viewer->OnImageRequest = TStreamRequestEvent(&Program, &TProgram::ImageRequest);
  Viewer->LoadFromString("<BODY><IMG src=\"slow.png\"><BR><IMG src=\"slow.png\">");
  Pump();
  auto Pictures = Images();
  ASSERT_EQ(Pictures.size(), 2u);
  for (TImageObj* P : Pictures) {
    EXPECT_TRUE(P->Missing);
    EXPECT_TRUE(P->Waiting);
    EXPECT_EQ(P->Image, static_cast<TPersistent*>(DefBitmap()));  // the placeholder
  }
  EXPECT_EQ(Program.ImageAsks, std::vector<std::string>{"slow.png"});  // asked once
  EXPECT_EQ(Viewer->SectionList().PendingImages.size(), 2u);
  const int HeightBefore = Viewer->DocumentHeight();

  TMemoryStream Stream;
  const std::string Bytes = FileBytes(Folder.Root / "red.png");
  Stream.Write(Bytes.data(), Integer(Bytes.size()));
  EXPECT_FALSE(Viewer->InsertImage("other.png", &Stream));
  EXPECT_TRUE(Viewer->InsertImage("SLOW.PNG", &Stream));  // sources compare without case
  Pump();
  Pictures = Images();
  for (TImageObj* P : Pictures) {
    EXPECT_FALSE(P->Missing);
    EXPECT_FALSE(P->Waiting);
    EXPECT_EQ(P->ImageWidth, 40);
    EXPECT_EQ(P->ImageHeight, 30);
  }
  EXPECT_TRUE(Viewer->SectionList().PendingImages.empty());
  EXPECT_GT(Viewer->DocumentHeight(), HeightBefore);  // laid out again with the real size

  // Bytes that are no picture end the waiting with the error picture.
  Program.Later.insert("broken.png");
  Viewer->LoadFromString("<BODY><IMG src=\"broken.png\">");
  Pump();
  TMemoryStream Junk;
  Junk.Write("not a picture", 13);
  EXPECT_TRUE(Viewer->InsertImage("broken.png", &Junk));
  Pump();
  ASSERT_EQ(Images().size(), 1u);
  EXPECT_TRUE(Images()[0]->Missing);
  EXPECT_FALSE(Images()[0]->Waiting);
  EXPECT_EQ(Images()[0]->Image, static_cast<TPersistent*>(ErrorBitmap()));
}

TEST_F(ViewerRequestsTest, ABitmapRequestComesFirstAndItsColourBecomesTransparent)
{
  Program.BitmapSource = "green.bmp";
  Program.BitmapColour = 0x00FF00;
  Viewer->OnBitmapRequest = TGetBitmapEvent(&Program, &TProgram::BitmapRequest);
  Viewer->OnImageRequest = TStreamRequestEvent(&Program, &TProgram::ImageRequest);
  Viewer->LoadFromString("<BODY><IMG src=\"green.bmp\"><IMG src=\"other.png\">");
  Pump();
  const auto Pictures = Images();
  ASSERT_EQ(Pictures.size(), 2u);
  EXPECT_FALSE(Pictures[0]->Missing);
  EXPECT_EQ(Pictures[0]->ImageWidth, 10);
  EXPECT_EQ(Pictures[0]->Transparent, 2);
  EXPECT_NE(Pictures[0]->Mask, nullptr);
  // The stream request is asked only for what the bitmap request did not answer.
  EXPECT_EQ(Program.ImageAsks, std::vector<std::string>{"other.png"});
  const std::vector<std::string> Bitmaps{"green.bmp", "other.png"};
  EXPECT_EQ(Program.BitmapAsks, Bitmaps);
}

TEST_F(ViewerRequestsTest, ScriptIncludeAndSoundReachTheViewersEvents)
{
  Viewer->LoadFromString("<BODY><!--#insert name=\"x\"--><SCRIPT language=\"JS\" name=\"s1\">a<b\nc</SCRIPT>");
  Pump();
  EXPECT_TRUE(Program.Scripts.empty());
  EXPECT_TRUE(Program.Includes.empty());

  Viewer->OnScript = TScriptEvent(&Program, &TProgram::Script);
  Viewer->OnInclude = TIncludeEvent(&Program, &TProgram::Include);
  Viewer->OnSoundRequest = TSoundRequestEvent(&Program, &TProgram::Sound);
  Viewer->LoadFromString("<BODY><!--#insert name=\"x\"-->text<SCRIPT language=\"JS\" name=\"s1\">a<b\nc</SCRIPT>"
                         "<BGSOUND src=\"tune.mid\" loop=2>");
  Pump();
  ASSERT_EQ(Program.Scripts.size(), 1u);
  EXPECT_EQ(Program.Scripts[0], "s1|JS|a<b\r\nc");
  ASSERT_EQ(Program.Includes.size(), 1u);
  EXPECT_EQ(Program.Includes[0].substr(0, 7), "insert|");
  EXPECT_NE(Program.Includes[0].find("NAME=x"), std::string::npos) << Program.Includes[0];
  // The included text is part of the document.
  EXPECT_GE(DocumentPositionOf(Viewer->SectionList(), u"included"), 0);
  const std::vector<std::string> Sounds{"|0|stop", "tune.mid|2|play"};
  EXPECT_EQ(Program.Sounds, Sounds);
}

TEST_F(ViewerRequestsTest, TheViewersOwnPicturesAndCursorsComeFromItsResources)
{
  for (TBitmap* B : {ErrorBitmap(), ErrorBitmapMask(), DefBitmap()}) {
    ASSERT_FALSE(B->Empty());
    EXPECT_EQ(B->Width(), 16);
    EXPECT_EQ(B->Height(), 16);
  }
  // The mask is white where the error picture is transparent (its corners).
  EXPECT_EQ(GetPixel(ErrorBitmapMask()->Canvas()->Handle(), 0, 0) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(GetPixel(ErrorBitmapMask()->Canvas()->Handle(), 7, 8) & 0xFFFFFF, 0u);
  // Five cursors of its own: none is a system stand-in, and each panning
  // cursor has its own shape.
  std::set<HCURSOR> Seen;
  for (TCursor C : {HandCursor, ThickIBeamCursor, UpDownCursor, UpOnlyCursor, DownOnlyCursor}) {
    HCURSOR H = Screen()->Cursors(C);
    ASSERT_NE(H, nullptr);
    Seen.insert(H);
  }
  EXPECT_EQ(Seen.size(), 5u);
  for (LPCSTR System : {IDC_HAND, IDC_IBEAM, IDC_SIZENS, IDC_UPARROW})
    EXPECT_EQ(Seen.count(LoadCursor(nullptr, System)), 0u);
}
