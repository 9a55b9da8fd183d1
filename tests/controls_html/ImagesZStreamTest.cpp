#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "ImageTestSupport.h"
#include "controls/html/images/ByteViewStream.h"
#include "controls/html/images/ZCompressionStream.h"
#include "controls/html/images/ZDecompressionStream.h"
#include "platform/base/MemoryStream.h"

namespace {

// A memory stream that records the size of every write.
class TRecordingStream : public TMemoryStream {
public:
  Integer Write(const void* Buffer, Integer Count) override
  {
    Writes.push_back(Count);
    return TMemoryStream::Write(Buffer, Count);
  }
  std::vector<Integer> Writes;
};

TBytes Inflated(TMemoryStream& Packed, std::size_t Room)
{
  Packed.SetPosition(0);
  TZDecompressionStream z(&Packed);
  TBytes out(Room);
  out.resize(std::size_t(z.Read(out.data(), Integer(out.size()))));
  return out;
}

}  // namespace

TEST(ImagesZStreamTest, AnEmptyCompressionStreamStillWritesACompleteStream)
{
  TMemoryStream packed;
  delete new TZCompressionStream(TCompressionLevel::clDefault, &packed);
  const auto* p = static_cast<const std::uint8_t*>(packed.Memory());
  EXPECT_EQ(TBytes(p, p + packed.Size()), (TBytes{0x78, 0x9C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01}));
  EXPECT_TRUE(Inflated(packed, 16).empty());
}

TEST(ImagesZStreamTest, RoundTripsAtEveryLevelAndSize)
{
  std::mt19937 random(7);
  for (std::size_t size : {0u, 1u, 65535u, 65536u, 65537u, 200000u})
    for (auto level : {TCompressionLevel::clNone, TCompressionLevel::clFastest, TCompressionLevel::clDefault,
                       TCompressionLevel::clMax}) {
      TBytes data(size);
      for (auto& b : data)
        b = std::uint8_t(random() % 7);  // compressible, not trivially
      TMemoryStream packed;
      {
        TZCompressionStream z(level, &packed);
        if (size)
          z.WriteBuffer(data.data(), Integer(size));
      }
      EXPECT_EQ(Inflated(packed, size + 10), data) << size << " bytes at level " << int(level);
    }
}

TEST(ImagesZStreamTest, WritesWholeBuffersWhileCompressingAndTheRestAtTheEnd)
{
  std::mt19937 random(3);
  TBytes data(200000);
  for (auto& b : data)
    b = std::uint8_t(random());
  TRecordingStream packed;
  TZCompressionStream* z = new TZCompressionStream(TCompressionLevel::clNone, &packed);
  z->WriteBuffer(data.data(), Integer(data.size()));
  const std::vector<Integer> whileWriting = packed.Writes;
  delete z;
  ASSERT_EQ(whileWriting.size(), 3u);
  for (Integer n : whileWriting)
    EXPECT_EQ(n, 65536);
  EXPECT_GT(packed.Writes.size(), whileWriting.size());
  EXPECT_EQ(Inflated(packed, data.size() + 1), data);
}

TEST(ImagesZStreamTest, Seeks)
{
  TBytes data(10000);
  for (std::size_t i = 0; i < data.size(); ++i)
    data[i] = std::uint8_t(i * 7);
  TMemoryStream packed;
  packed.WriteBuffer("junk!", 5);  // the compressed data starts at 5
  {
    TZCompressionStream z(TCompressionLevel::clDefault, &packed);
    z.WriteBuffer(data.data(), Integer(data.size()));
  }
  packed.SetPosition(5);
  TZDecompressionStream z(&packed);
  std::uint8_t buffer[100];
  ASSERT_EQ(z.Read(buffer, 100), 100);
  EXPECT_EQ(z.Seek(Int64(10), soCurrent), 110);  // forward: read and discarded
  ASSERT_EQ(z.Read(buffer, 1), 1);
  EXPECT_EQ(buffer[0], data[110]);
  EXPECT_EQ(z.Seek(Int64(111), soBeginning), 111);  // to where it is: nothing moves
  EXPECT_THROW(z.Seek(Int64(-1), soCurrent), EZDecompressionError);
  EXPECT_THROW(z.Seek(Int64(0), soEnd), EZDecompressionError);
  EXPECT_THROW(z.Seek(Int64(3), soBeginning), EZDecompressionError);
  // Back to the start of the compressed data, not of the source.
  EXPECT_EQ(z.Seek(Int64(0), soBeginning), 0);
  ASSERT_EQ(z.Read(buffer, 3), 3);
  EXPECT_EQ(TBytes(buffer, buffer + 3), TBytes(data.begin(), data.begin() + 3));
  try {
    z.Write(buffer, 1);
    FAIL();
  } catch (const EZDecompressionError& e) {
    EXPECT_STREQ(e.what(), "Invalid ZStream operation!");
  }
}

TEST(ImagesZStreamTest, BadAndShortData)
{
  struct Case {
    const char* Name;
    TBytes Data;
    const char* Error;  // null: no error
    std::size_t Delivered;
  } cases[] = {
      {"corrupt", {0x78, 0x9C, 0xFF, 0xFF, 0xFF, 0xFF}, "data error", 0},
      {"bad header", {0x12, 0x34, 0x00}, "data error", 0},
      // A preset dictionary is never available: refused, not waited for forever.
      {"dictionary", {0x78, 0xBB, 0x00, 0x00, 0x00, 0x01, 0x03, 0x00}, "need dictionary", 0},
      {"ends early", image_test::Deflate(TBytes(5000, 'a')), nullptr, 5000},
  };
  cases[3].Data.resize(cases[3].Data.size() - 6);
  for (Case& c : cases) {
    TByteViewStream source(c.Data.data(), c.Data.size());
    TZDecompressionStream z(&source);
    TBytes out(6000);
    if (c.Error) {
      try {
        z.Read(out.data(), Integer(out.size()));
        ADD_FAILURE() << c.Name;
      } catch (const EZDecompressionError& e) {
        EXPECT_STREQ(e.what(), c.Error) << c.Name;
      }
    } else {
      const Integer got = z.Read(out.data(), Integer(out.size()));
      EXPECT_LT(got, 6000) << c.Name;
      EXPECT_LE(std::size_t(got), c.Delivered) << c.Name;
    }
  }
}

TEST(ImagesZStreamTest, BytesAfterTheEndOfTheDataEndReading)
{
  TBytes data = image_test::Deflate(TBytes(300, 'x'));
  data.insert(data.end(), 100000, 0xAB);
  TByteViewStream source(data.data(), data.size());
  TZDecompressionStream z(&source);
  TBytes out(1000);
  EXPECT_EQ(z.Read(out.data(), 1000), 300);
  EXPECT_EQ(z.Read(out.data(), 1000), 0);
}
