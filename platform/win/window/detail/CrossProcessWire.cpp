#include "platform/win/window/detail/CrossProcessWire.h"

#include <algorithm>
#include <cstring>

namespace wincore {

namespace {

constexpr char ListMagic[4] = {'C', 'V', 'W', 'L'};
constexpr char RequestMagic[4] = {'C', 'V', 'C', 'D'};
constexpr char ReplyMagic[4] = {'C', 'V', 'C', 'R'};

template <class T>
void Put(std::string& out, T value)
{
  out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void PutName(std::string& out, const std::string& name)
{
  std::string_view kept(name.data(), std::min<std::size_t>(name.size(), MaxPublishedName));
  Put(out, std::uint32_t(kept.size()));
  out += kept;
}

}  // namespace

std::string SerializeWindowList(const std::vector<TPublishedWindow>& windows)
{
  std::string out(ListMagic, 4);
  std::uint32_t count = std::uint32_t(std::min<std::size_t>(windows.size(), MaxPublishedWindows));
  Put(out, count);
  for (std::uint32_t i = 0; i < count; ++i) {
    Put(out, windows[i].Handle);
    PutName(out, windows[i].Class);
    PutName(out, windows[i].Title);
  }
  return out;
}

bool ParseWindowList(std::string_view data, std::vector<TPublishedWindow>& windows)
{
  windows.clear();
  if (data.size() > MaxWindowListBytes || data.size() < 8 || std::memcmp(data.data(), ListMagic, 4) != 0)
    return false;
  std::size_t pos = 4;
  auto take = [&](void* value, std::size_t size) {
    if (data.size() - pos < size)
      return false;
    std::memcpy(value, data.data() + pos, size);
    pos += size;
    return true;
  };
  auto takeName = [&](std::string& name) {
    std::uint32_t n;
    if (!take(&n, 4) || n > MaxPublishedName || data.size() - pos < n)
      return false;
    name.assign(data.data() + pos, n);
    pos += n;
    return true;
  };
  std::uint32_t count;
  if (!take(&count, 4) || count > MaxPublishedWindows)
    return false;
  // Each window takes at least 16 bytes: a count beyond what is there is a lie.
  if (count > (data.size() - pos) / 16)
    return false;
  windows.reserve(count);
  for (std::uint32_t i = 0; i < count; ++i) {
    TPublishedWindow w;
    if (!take(&w.Handle, 8) || !takeName(w.Class) || !takeName(w.Title)) {
      windows.clear();
      return false;
    }
    windows.push_back(std::move(w));
  }
  if (pos != data.size()) {
    windows.clear();
    return false;
  }
  return true;
}

TCopyDataRequest MakeCopyDataRequest(std::uint64_t target, std::uint64_t sender, std::uint32_t senderPid,
                                     std::uint64_t data, std::uint32_t size)
{
  TCopyDataRequest r{};
  std::memcpy(r.Magic, RequestMagic, 4);
  r.Version = 1;
  r.Target = target;
  r.Sender = sender;
  r.SenderPid = senderPid;
  r.Data = data;
  r.Size = size;
  return r;
}

bool ValidCopyDataRequest(const TCopyDataRequest& request, std::uint32_t maxSize)
{
  return std::memcmp(request.Magic, RequestMagic, 4) == 0 && request.Version == 1 && request.Size <= maxSize;
}

TCopyDataReply MakeCopyDataReply(bool ok, std::int64_t result)
{
  TCopyDataReply r{};
  std::memcpy(r.Magic, ReplyMagic, 4);
  r.Ok = ok ? 1 : 0;
  r.Result = result;
  return r;
}

bool ValidCopyDataReply(const TCopyDataReply& reply) { return std::memcmp(reply.Magic, ReplyMagic, 4) == 0; }

}  // namespace wincore
