#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/base/MemoryStream.h"
#include "platform/classes/components/Component.h"
#include "platform/classes/components/Reader.h"
#include "platform/classes/components/Writer.h"

namespace {

// Records its own destruction, and keeps a pointer to another component that
// it drops on opRemove (as a control drops its image list).
class TNotifiedProbe : public TComponent {
public:
  TNotifiedProbe(TComponent* owner, std::string name, std::vector<std::string>* log = nullptr) : TComponent(owner), FLog(log)
  {
    SetName(name);
  }
  ~TNotifiedProbe() override
  {
    if (FLog)
      FLog->push_back(Name());
    if (Watched)
      Watched->Tag();  // a dangling pointer here is caught by the address sanitiser
  }
  void Watch(TComponent* other)
  {
    Watched = other;
    other->FreeNotification(this);
  }
  TComponent* Watched = nullptr;
  std::vector<std::string> Removed;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override
  {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove) {
      Removed.push_back(AComponent->Name());
      if (AComponent == Watched)
        Watched = nullptr;
    }
  }

private:
  std::vector<std::string>* FLog;
};

// A watcher that forgets to call the inherited Notification.
class TCarelessProbe : public TComponent {
public:
  using TComponent::TComponent;
  int Removals = 0;

protected:
  void Notification(TComponent*, TOperation Operation) override { Removals += Operation == opRemove; }
};

}  // namespace

TEST(ComponentTest, OwnerFreesComponentsLastFirst)
{
  std::vector<std::string> log;
  auto* form = new TNotifiedProbe(nullptr, "Form1", &log);
  new TNotifiedProbe(form, "A", &log);
  auto* b = new TNotifiedProbe(form, "B", &log);
  new TNotifiedProbe(b, "B1", &log);
  new TNotifiedProbe(form, "C", &log);
  ASSERT_EQ(form->ComponentCount(), 3);
  delete form;
  EXPECT_EQ(log, (std::vector<std::string>{"Form1", "C", "B", "B1", "A"}));
}

TEST(ComponentTest, FreeNotificationAcrossOwnersLeavesNoDanglingPointer)
{
  auto* form1 = new TNotifiedProbe(nullptr, "Form1");
  auto* form2 = new TNotifiedProbe(nullptr, "Form2");
  auto* tree = new TNotifiedProbe(form1, "Tree");
  auto* images = new TNotifiedProbe(form2, "Images");
  tree->Watch(images);
  delete form2;  // frees the image list: the tree hears of it
  EXPECT_EQ(tree->Watched, nullptr);
  EXPECT_EQ(tree->Removed, std::vector<std::string>{"Images"});
  delete form1;

  // The other way: the watcher goes first, the watched one must not call it later.
  auto* watched = new TNotifiedProbe(nullptr, "Watched");
  auto* watcher = new TNotifiedProbe(nullptr, "Watcher");
  watcher->Watch(watched);
  delete watcher;
  delete watched;
}

TEST(ComponentTest, WatcherIgnoringInheritedNotificationIsStillForgotten)
{
  auto* watched = new TNotifiedProbe(nullptr, "Watched");
  auto* careless = new TCarelessProbe(nullptr);
  watched->FreeNotification(careless);
  delete watched;
  EXPECT_EQ(careless->Removals, 1);
  delete careless;  // must not reach the freed component
}

TEST(ComponentTest, SiblingsHearOfAWatchedSiblingFreedWithTheirOwner)
{
  auto* form = new TNotifiedProbe(nullptr, "Form1");
  auto* tree = new TNotifiedProbe(form, "Tree");
  auto* images = new TNotifiedProbe(form, "Images");  // freed before the tree
  tree->Watch(images);
  delete form;  // ~TNotifiedProbe of the tree reads Watched: it must be null by then
}

TEST(ComponentTest, DirectFreeTellsTheOwnerAndSiblings)
{
  TNotifiedProbe form(nullptr, "Form1");
  auto* a = new TNotifiedProbe(&form, "A");
  auto* b = new TNotifiedProbe(&form, "B");
  delete b;
  EXPECT_EQ(form.ComponentCount(), 1);
  EXPECT_EQ(a->Removed, std::vector<std::string>{"B"});
  EXPECT_EQ(form.Removed, std::vector<std::string>{"B"});
}

TEST(ComponentTest, NamesAreUniqueAmongSiblingsCaseIgnored)
{
  TNotifiedProbe form(nullptr, "Form1");
  auto* button = new TNotifiedProbe(&form, "Button1");
  auto* other = new TNotifiedProbe(&form, "Button2");
  try {
    other->SetName("BUTTON1");
    FAIL() << "duplicate accepted";
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), "Un composant nommé BUTTON1 existe déjà");
  }
  EXPECT_EQ(other->Name(), "Button2");
  button->SetName("button1");  // its own name in another case
  EXPECT_EQ(form.FindComponent("BUTTON1"), button);
  EXPECT_EQ(form.FindComponent(""), nullptr);

  try {
    other->SetName("2Button");
    FAIL() << "invalid name accepted";
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), "'2Button' n'est pas un nom de composant correct");
  }

  // Moving a component into an owner that has its name is refused, and the
  // component stays where it was.
  TNotifiedProbe form2(nullptr, "Form2");
  auto* stranger = new TNotifiedProbe(&form2, "Button2");
  EXPECT_THROW(form.InsertComponent(stranger), EComponentError);
  EXPECT_EQ(stranger->Owner(), &form2);
  stranger->SetName("Label1");
  form.InsertComponent(stranger);
  EXPECT_EQ(stranger->Owner(), &form);
  EXPECT_EQ(form2.ComponentCount(), 0);
  EXPECT_EQ(stranger->ComponentIndex(), 2);
  stranger->SetComponentIndex(0);
  EXPECT_EQ(form.Components(0), stranger);
  EXPECT_THROW(form.Components(3), EListError);
}

namespace {

// Defined properties as the form components store them: a Boolean, a list
// of strings, raw bytes, and a legacy value that is read and dropped.
class TStored : public TComponent {
public:
  using TComponent::TComponent;
  bool SavedAtRunTime = false;
  std::vector<std::string> Strings;
  std::string Bytes;
  std::u16string CaptionW;
  int LegacyReads = 0;
  bool WriteLegacy = false;

protected:
  void DefineProperties(TFiler* Filer) override
  {
    Filer->DefineProperty("SavedAtRunTime", TReaderProc(this, &TStored::ReadSaved), TWriterProc(this, &TStored::WriteSaved),
                          SavedAtRunTime);
    Filer->DefineProperty("Strings", TReaderProc(this, &TStored::ReadStrings), TWriterProc(this, &TStored::WriteStrings),
                          !Strings.empty());
    Filer->DefineProperty("CaptionW", TReaderProc(this, &TStored::ReadCaption), TWriterProc(this, &TStored::WriteCaption),
                          !CaptionW.empty());
    Filer->DefineBinaryProperty("Data", TStreamProc(this, &TStored::ReadBytes), TStreamProc(this, &TStored::WriteBytes),
                                !Bytes.empty());
    Filer->DefineProperty("LimitOffset", TReaderProc(this, &TStored::ReadLimit),
                          WriteLegacy ? TWriterProc(this, &TStored::WriteLimit) : TWriterProc(), WriteLegacy);
  }

private:
  void ReadSaved(TReader* r) { SavedAtRunTime = r->ReadBoolean(); }
  void WriteSaved(TWriter* w) { w->WriteBoolean(SavedAtRunTime); }
  void ReadStrings(TReader* r)
  {
    r->ReadListBegin();
    while (!r->EndOfList())
      Strings.push_back(r->ReadString());
    r->ReadListEnd();
  }
  void WriteStrings(TWriter* w)
  {
    w->WriteListBegin();
    for (auto& s : Strings)
      w->WriteString(s);
    w->WriteListEnd();
  }
  void ReadCaption(TReader* r) { CaptionW = r->ReadWideString(); }
  void WriteCaption(TWriter* w) { w->WriteWideString(CaptionW); }
  void ReadBytes(TStream* s)
  {
    Bytes.resize(std::size_t(s->Size()));
    s->ReadBuffer(Bytes.data(), Integer(Bytes.size()));
  }
  void WriteBytes(TStream* s) { s->WriteBuffer(Bytes.data(), Integer(Bytes.size())); }
  void ReadLimit(TReader* r)
  {
    r->ReadInteger();
    ++LegacyReads;
  }
  void WriteLimit(TWriter* w) { w->WriteInteger(70000); }
};

}  // namespace

TEST(ComponentTest, DefinedPropertiesRoundTripAndLegacyValuesAreRead)
{
  TMemoryStream stream;
  {
    TStored source(nullptr);
    source.SavedAtRunTime = true;
    source.Strings = {"Réseaux", std::string(300, 'x')};
    source.Bytes = std::string("\0\1\2", 3);
    source.CaptionW = u"Réseaux \u263A";
    source.WriteLegacy = true;
    TWriter writer(&stream);
    source.WriteState(&writer);
  }
  stream.SetPosition(0);
  TStored copy(nullptr);
  TReader reader(&stream);
  copy.ReadState(&reader);
  EXPECT_TRUE(copy.SavedAtRunTime);
  EXPECT_EQ(copy.Strings, (std::vector<std::string>{"Réseaux", std::string(300, 'x')}));
  EXPECT_EQ(copy.Bytes, std::string("\0\1\2", 3));
  EXPECT_EQ(copy.CaptionW, u"Réseaux \u263A");
  EXPECT_EQ(copy.LegacyReads, 1);
  EXPECT_FALSE(copy.ComponentState().Contains(csLoading));
  EXPECT_EQ(stream.Position(), stream.Size());
}

TEST(ComponentTest, MalformedPropertyStreamsRaiseReadErrors)
{
  TMemoryStream good;
  {
    TStored source(nullptr);
    source.Strings = {"a", "b"};
    source.CaptionW = u"w";
    source.Bytes = "xyz";
    TWriter writer(&good);
    source.WriteState(&writer);
  }
  auto* bytes = static_cast<const char*>(good.Memory());
  std::string whole(bytes, std::size_t(good.Size()));
  // Every truncation, an unknown property, a huge binary length, a bad tag.
  std::vector<std::string> inputs;
  for (std::size_t n = 0; n < whole.size(); ++n)
    inputs.push_back(whole.substr(0, n));
  inputs.push_back(std::string("\x07Unknown\x08\x00", 10));
  inputs.push_back(std::string("\x04" "Data\x0A\xFF\xFF\xFF\x7F", 10));
  inputs.push_back(std::string("\x0ESavedAtRunTime\x63", 16));
  for (const std::string& input : inputs) {
    TMemoryStream stream;
    stream.WriteBuffer(input.data(), Integer(input.size()));
    stream.SetPosition(0);
    TStored copy(nullptr);
    TReader reader(&stream);
    EXPECT_THROW(copy.ReadState(&reader), EReadError) << "input of " << input.size() << " bytes";
  }
}
