// Links take the keyboard focus through one focus proxy each, on the
// viewer's paint panel: tab indexes order them, focus marks every run of the
// link, Enter follows it.
#include <gtest/gtest.h>

#include "TestFonts.h"
#include "controls/html/builder/HtmlBuilder.h"
#include "controls/html/document/FontObj.h"
#include "controls/html/document/LinkFocusControl.h"
#include "controls/html/document/SectionList.h"
#include "platform/classes/classes.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"

namespace {

class LinkFocusTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    THeadlessDisplay::Use();
    Application()->Initialize();
    Form = TCustomForm::Create<TForm>(Application());
    Form->SetBounds(10, 10, 300, 250);
    Panel = new TPanel(Form);
    Panel->SetParent(Form);
    Panel->SetBounds(0, 0, 300, 250);
    Form->Show();
    Doc = std::make_unique<TSectionList>(TestFonts());
    Doc->SetDefaults("Times New Roman", "Courier New", 0, 12, 0xFF0000, 0x800080, 0x0000FF, 0xFFFFFF);
    Doc->PaintPanel = Panel;
  }
  void TearDown() override
  {
    Doc.reset();
    Form->Free();
    Application()->ProcessMessages();
  }

  // The focus proxies on the panel, in the order they were made.
  std::vector<ThtTabcontrol*> Proxies() const
  {
    std::vector<ThtTabcontrol*> Result;
    for (int I = 0; I < Panel->ControlCount(); ++I)
      if (auto* P = dynamic_cast<ThtTabcontrol*>(Panel->Controls(I)))
        Result.push_back(P);
    return Result;
  }

  TForm* Form = nullptr;
  TPanel* Panel = nullptr;
  std::unique_ptr<TSectionList> Doc;
};

}  // namespace

TEST_F(LinkFocusTest, ALinkOverSeveralRunsHasOneProxyAndLightsUpWhole)
{
  ParseHtmlIntoSections("<BODY><A HREF=\"x.htm\">one <B>two</B> three</A> after", *Doc);
  ASSERT_EQ(Doc->LinkList.size(), 3u);
  const auto P = Proxies();
  ASSERT_EQ(P.size(), 1u);
  EXPECT_EQ(P[0]->Run, Doc->LinkList[0]);
  EXPECT_EQ(Doc->LinkList[2]->FocusOwner(*Doc), Doc->LinkList[0]);

  std::string Followed;
  TFontObj* Notified = nullptr;
  Doc->OnLinkFocus = [&](TFontObj* Run) { Notified = Run; };
  Doc->OnFollowLink = [&](const TUrlTarget& T) { Followed = T.URL; };
  P[0]->SetFocus();
  EXPECT_EQ(Notified, Doc->LinkList[0]);
  for (TFontObj* Run : Doc->LinkList)
    EXPECT_TRUE(Run->Focused);
  P[0]->Perform(WM_KEYDOWN, 13, 0);
  EXPECT_EQ(Followed, "x.htm");

  Panel->SetFocus();
  for (TFontObj* Run : Doc->LinkList)
    EXPECT_FALSE(Run->Focused);

  // Hovering the last part switches all three to the hover colour.
  const TColor Normal = Doc->LinkList[0]->Font->Color;
  Doc->LinkList[2]->SetAllHovered(*Doc, true);
  for (TFontObj* Run : Doc->LinkList) {
    EXPECT_TRUE(Run->Hover);
    EXPECT_NE(Run->Font->Color, Normal);
  }
}

TEST_F(LinkFocusTest, TabIndexesOrderTheProxiesOnce)
{
  ParseHtmlIntoSections("<BODY><A HREF=a TABINDEX=2>a</A> <A HREF=b>b</A> <A HREF=c TABINDEX=2>c</A> "
                        "<A HREF=d TABINDEX=1>d</A>",
                        *Doc);
  const auto P = Proxies();
  ASSERT_EQ(P.size(), 4u);
  EXPECT_EQ(Doc->TabOrderList.size(), 3u);  // b has no tab index
  Doc->DoLogic(300, 250);
  EXPECT_TRUE(Doc->TabOrderList.empty());
  EXPECT_EQ(P[3]->TabOrder(), 0);  // d
  EXPECT_EQ(P[0]->TabOrder(), 1);  // a
  EXPECT_EQ(P[2]->TabOrder(), 2);  // c, after a with the same index
  EXPECT_EQ(P[1]->TabOrder(), 3);  // b keeps its place after them
}

TEST_F(LinkFocusTest, NoProxiesForManyLinksAndNoneLeftAfterClear)
{
  std::string Many = "<BODY>";
  for (int I = 0; I < 401; ++I)
    Many += "<A HREF=l" + std::to_string(I) + ">x</A> ";
  ParseHtmlIntoSections(Many, *Doc);
  EXPECT_TRUE(Doc->ManyLinks);
  EXPECT_TRUE(Proxies().empty());

  Doc->Clear();
  ParseHtmlIntoSections("<BODY><A HREF=a TABINDEX=3>a</A>", *Doc);
  EXPECT_EQ(Proxies().size(), 1u);
  Doc->Clear();
  EXPECT_TRUE(Proxies().empty());
  EXPECT_TRUE(Doc->TabOrderList.empty());
}

TEST_F(LinkFocusTest, APanelFreedFirstLeavesTheRunsWithoutProxies)
{
  ParseHtmlIntoSections("<BODY><A HREF=a>a</A>", *Doc);
  ASSERT_NE(Doc->LinkList[0]->TabControl(), nullptr);
  Form->Free();  // takes the panel and its children along
  Form = TCustomForm::Create<TForm>(Application());
  EXPECT_EQ(Doc->LinkList[0]->TabControl(), nullptr);
  Doc.reset();
}
