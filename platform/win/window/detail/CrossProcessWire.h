// The bytes exchanged with other processes: the published window list and
// the header of a copy-data request. Readers refuse anything malformed and
// never read past what they were given.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wincore {

struct TPublishedWindow {
  std::uint64_t Handle = 0;
  std::string Class;
  std::string Title;
  friend bool operator==(const TPublishedWindow&, const TPublishedWindow&) = default;
};

// Limits: a list file, one name, the number of windows in a list.
constexpr std::size_t MaxWindowListBytes = 1u << 20;
constexpr std::uint32_t MaxPublishedName = 4096;
constexpr std::uint32_t MaxPublishedWindows = 65536;

// "CVWL", a 32-bit count, then per window: 64-bit handle, 32-bit length and
// bytes of the class, 32-bit length and bytes of the title (little-endian).
std::string SerializeWindowList(const std::vector<TPublishedWindow>& windows);
bool ParseWindowList(std::string_view data, std::vector<TPublishedWindow>& windows);

// A copy-data request: this header, then Size bytes.
struct TCopyDataRequest {
  char Magic[4];  // "CVCD"
  std::uint32_t Version;
  std::uint64_t Target;
  std::uint64_t Sender;
  std::uint32_t SenderPid;
  std::uint32_t Reserved;
  std::uint64_t Data;
  std::uint32_t Size;
  std::uint32_t Reserved2;
};
static_assert(sizeof(TCopyDataRequest) == 48);

struct TCopyDataReply {
  char Magic[4];  // "CVCR"
  std::int32_t Ok;
  std::int64_t Result;
};
static_assert(sizeof(TCopyDataReply) == 16);

TCopyDataRequest MakeCopyDataRequest(std::uint64_t target, std::uint64_t sender, std::uint32_t senderPid,
                                     std::uint64_t data, std::uint32_t size);
// True for a header this version accepts, with a size within maxSize.
bool ValidCopyDataRequest(const TCopyDataRequest& request, std::uint32_t maxSize);
TCopyDataReply MakeCopyDataReply(bool ok, std::int64_t result);
bool ValidCopyDataReply(const TCopyDataReply& reply);

}  // namespace wincore
