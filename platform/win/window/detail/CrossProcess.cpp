// Windows of other processes: publishing our top-level windows, finding
// theirs, and WM_COPYDATA over a local socket.
#include "platform/win/window/CrossProcess.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <strings.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <list>
#include <map>
#include <mutex>
#include <thread>

#include "platform/win/window/MessageQueue.h"
#include "platform/win/window/WindowTree.h"
#include "platform/win/window/detail/Core.h"
#include "platform/win/window/detail/CrossProcessWire.h"

using namespace wincore;

namespace {

std::atomic<UINT> gTimeout{250};

using TPublished = TPublishedWindow;

std::mutex& FolderLock()
{
  static auto* m = new std::mutex;
  return *m;
}

std::string MakeFolder()
{
  std::string base;
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  std::string folder;
  if (runtime && *runtime) {
    folder = std::string(runtime) + "/corvane-windows";
  } else {
    folder = "/tmp/corvane-windows-" + std::to_string(getuid());
  }
  mkdir(folder.c_str(), 0700);
  struct stat st;
  // Only a private folder of ours is trusted with sockets and window lists.
  if (lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid() || (st.st_mode & 0077))
    return std::string();
  return folder;
}

std::string ListPath(const std::string& folder, int pid) { return folder + "/" + std::to_string(pid) + ".list"; }
std::string SocketPath(const std::string& folder, int pid) { return folder + "/" + std::to_string(pid) + ".sock"; }

bool ProcessAlive(int pid) { return pid > 0 && (kill(pid, 0) == 0 || errno == EPERM); }

// Reads another process's window list, refusing anything malformed.
std::vector<TPublished> ReadList(const std::string& path)
{
  std::vector<TPublished> out;
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return out;
  // A list is a few dozen bytes: read what the file holds (one byte past
  // the limit at most, which the parser refuses) instead of clearing room
  // for the largest list on every reading.
  std::string data;
  char chunk[4096];
  while (data.size() <= MaxWindowListBytes) {
    in.read(chunk, std::streamsize(std::min(sizeof chunk, MaxWindowListBytes + 1 - data.size())));
    if (in.gcount() <= 0)
      break;
    data.append(chunk, std::size_t(in.gcount()));
  }
  ParseWindowList(data, out);
  return out;
}

bool Matches(const std::string& cls, const std::string& title, LPCSTR className, LPCSTR windowName)
{
  if (className && reinterpret_cast<std::uintptr_t>(className) > 0xFFFF && strcasecmp(cls.c_str(), className) != 0)
    return false;
  if (windowName && strcasecmp(title.c_str(), windowName) != 0)
    return false;
  return true;
}

bool WaitFd(int fd, short events, std::chrono::steady_clock::time_point deadline)
{
  for (;;) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
    if (left < 0)
      return false;
    pollfd p{fd, events, 0};
    int r = poll(&p, 1, int(std::min<long long>(left, INT_MAX)));
    if (r > 0)
      return (p.revents & (events | POLLHUP | POLLERR)) != 0 && !(p.revents & POLLNVAL);
    if (r == 0)
      return false;
    if (errno != EINTR)
      return false;
  }
}

bool WriteAll(int fd, const void* data, std::size_t size, std::chrono::steady_clock::time_point deadline)
{
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    ssize_t n = send(fd, p, size, MSG_NOSIGNAL);
    if (n > 0) {
      p += n;
      size -= std::size_t(n);
      continue;
    }
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
      if (!WaitFd(fd, POLLOUT, deadline))
        return false;
      continue;
    }
    return false;
  }
  return true;
}

bool ReadAll(int fd, void* data, std::size_t size, std::chrono::steady_clock::time_point deadline)
{
  char* p = static_cast<char*>(data);
  while (size > 0) {
    ssize_t n = recv(fd, p, size, 0);
    if (n > 0) {
      p += n;
      size -= std::size_t(n);
      continue;
    }
    if (n == 0)
      return false;
    if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) {
      if (!WaitFd(fd, POLLIN, deadline))
        return false;
      continue;
    }
    return false;
  }
  return true;
}

// Stand-ins for windows of other processes (Core().Lock held). Those that
// FindWindow found are kept, one per window another process publishes. Those
// that only name the sender of a request are kept for the most recent
// senders only: requests with ever new sender handles free the oldest
// stand-ins (their handles then read as stale) instead of piling them up.
// Both are found by key, never by a walk through the window table.
constexpr std::size_t MaxSenderStandIns = 256;

using TStandInKey = std::pair<int, std::uint64_t>;

struct TStandIns {
  std::map<TStandInKey, HWND> Found;
  std::list<std::pair<TStandInKey, HWND>> Senders;  // the most recent first
  std::map<TStandInKey, std::list<std::pair<TStandInKey, HWND>>::iterator> SenderIndex;
};

TStandIns& StandIns()
{
  static auto* standIns = new TStandIns;
  return *standIns;
}

HWND NewStandIn(const TStandInKey& key)
{
  auto* w = new TWnd;
  w->Foreign = true;
  w->ForeignPid = key.first;
  w->ForeignHandle = key.second;
  w->Style = WS_VISIBLE;
  w->Handle = AddHandle(w);
  return w->Handle;
}

// The stand-in of a window that FindWindow found.
HWND ProxyFor(int pid, std::uint64_t remote, const std::string& title)
{
  TStandIns& standIns = StandIns();
  const TStandInKey key{pid, remote};
  HWND h;
  if (auto found = standIns.Found.find(key); found != standIns.Found.end()) {
    h = found->second;
  } else if (auto sender = standIns.SenderIndex.find(key); sender != standIns.SenderIndex.end()) {
    // Known as a sender until now: kept from now on.
    h = sender->second->second;
    standIns.Senders.erase(sender->second);
    standIns.SenderIndex.erase(sender);
    standIns.Found.emplace(key, h);
  } else {
    h = NewStandIn(key);
    standIns.Found.emplace(key, h);
  }
  if (TWnd* w = Resolve(h))
    w->Text = title;
  return h;
}

// The stand-in of the window that sent a request.
HWND SenderStandIn(int pid, std::uint64_t remote)
{
  TStandIns& standIns = StandIns();
  const TStandInKey key{pid, remote};
  if (auto found = standIns.Found.find(key); found != standIns.Found.end())
    return found->second;
  if (auto sender = standIns.SenderIndex.find(key); sender != standIns.SenderIndex.end()) {
    standIns.Senders.splice(standIns.Senders.begin(), standIns.Senders, sender->second);
    return sender->second->second;
  }
  const HWND h = NewStandIn(key);
  standIns.Senders.emplace_front(key, h);
  standIns.SenderIndex.emplace(key, standIns.Senders.begin());
  if (standIns.Senders.size() > MaxSenderStandIns) {
    const auto [oldKey, oldHandle] = standIns.Senders.back();
    standIns.Senders.pop_back();
    standIns.SenderIndex.erase(oldKey);
    if (TWnd* w = Resolve(oldHandle)) {
      RemoveHandle(oldHandle);
      delete w;
    }
  }
  return h;
}

// A connection from another process, with the request it is sending when
// only part of it came yet. Closed when the last one who may still answer on
// it lets go.
struct TConnection {
  explicit TConnection(int fd) : Fd(fd) {}
  ~TConnection() { close(Fd); }
  TConnection(const TConnection&) = delete;
  TConnection& operator=(const TConnection&) = delete;

  bool Partial() const { return HeaderRead > 0; }
  void NextRequest()
  {
    HeaderRead = 0;
    HeaderValid = false;
    Payload.clear();
    Payload.shrink_to_fit();
  }

  int Fd;
  TCopyDataRequest Header{};
  std::size_t HeaderRead = 0;
  bool HeaderValid = false;
  std::vector<BYTE> Payload;
  // A request begun must be whole by then, or the connection is dropped.
  std::chrono::steady_clock::time_point Deadline;
};

// The time a peer has to send the whole of a request it began.
constexpr std::chrono::milliseconds RequestTime{1000};
constexpr std::size_t MaxConnections = 64;

class TListener {
public:
  void Start(const std::string& folder)
  {
    if (FStarted.exchange(true))
      return;
    std::string path = SocketPath(folder, getpid());
    unlink(path.c_str());
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
      return;
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (path.size() >= sizeof addr.sun_path) {
      close(fd);
      return;
    }
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    if (bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(fd, 16) != 0) {
      close(fd);
      return;
    }
    chmod(path.c_str(), 0600);
    FFd = fd;
    // Stale sockets would pile up in the folder that every window lookup
    // reads: the socket goes with the process.
    static std::string ownSocket;
    ownSocket = path;
    std::atexit([] { unlink(ownSocket.c_str()); });
    // The listener lives as long as the process; it only waits on sockets.
    std::thread([this] { Run(); }).detach();
  }

private:
  void Run()
  {
    // Connections stay open between messages, so a busy sender pays for
    // connecting once. Every read takes only what a connection has, into
    // that connection's own buffer: a peer that stops halfway through a
    // request holds nobody else, and loses its connection at its deadline.
    // The window's thread writes the answer itself when it has handled the
    // message, so a hung window never holds the listener either.
    std::vector<std::shared_ptr<TConnection>> clients;
    for (;;) {
      std::vector<pollfd> fds;
      fds.push_back({FFd, POLLIN, 0});
      int timeout = -1;
      const auto now = std::chrono::steady_clock::now();
      for (auto& c : clients) {
        fds.push_back({c->Fd, POLLIN, 0});
        if (c->Partial()) {
          auto left = std::chrono::ceil<std::chrono::milliseconds>(c->Deadline - now).count();
          left = std::clamp<long long>(left, 0, INT_MAX);
          timeout = timeout < 0 ? int(left) : std::min(timeout, int(left));
        }
      }
      if (poll(fds.data(), fds.size(), timeout) < 0) {
        if (errno == EINTR)
          continue;
        return;
      }
      const auto polled = std::chrono::steady_clock::now();
      std::vector<std::shared_ptr<TConnection>> keep;
      for (std::size_t i = 1; i < fds.size(); ++i) {
        auto& c = clients[i - 1];
        if ((fds[i].revents & (POLLIN | POLLHUP | POLLERR)) && !Pump(c))
          continue;  // dropped: closed once nobody answers on it any more
        if (c->Partial() && polled >= c->Deadline)
          continue;  // stalled halfway through a request
        keep.push_back(c);
      }
      clients = std::move(keep);
      if (fds[0].revents & POLLIN) {
        int client = accept4(FFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (client >= 0) {
          if (clients.size() >= MaxConnections)
            clients.erase(clients.begin());
          clients.push_back(std::make_shared<TConnection>(client));
        }
      }
    }
  }

  // Reads what the connection has, without waiting, and hands a request on
  // once it is whole (one per turn, so that every connection gets its turn);
  // false when the connection is to be dropped.
  bool Pump(const std::shared_ptr<TConnection>& connection)
  {
    TConnection& c = *connection;
    for (;;) {
      BYTE chunk[65536];
      BYTE* into;
      std::size_t want;
      if (c.HeaderRead < sizeof c.Header) {
        into = reinterpret_cast<BYTE*>(&c.Header) + c.HeaderRead;
        want = sizeof c.Header - c.HeaderRead;
      } else {
        into = chunk;
        want = std::min(sizeof chunk, std::size_t(c.Header.Size) - c.Payload.size());
      }
      if (want > 0) {
        ssize_t n = recv(c.Fd, into, want, MSG_DONTWAIT);
        if (n == 0)
          return false;
        if (n < 0)
          return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
        if (!c.Partial())
          c.Deadline = std::chrono::steady_clock::now() + RequestTime;
        if (c.HeaderRead < sizeof c.Header)
          c.HeaderRead += std::size_t(n);
        else
          c.Payload.insert(c.Payload.end(), chunk, chunk + n);
      }
      if (c.HeaderRead < sizeof c.Header)
        continue;
      if (!c.HeaderValid) {
        if (!ValidCopyDataRequest(c.Header, MaxCrossProcessCopyData))
          return false;
        c.HeaderValid = true;
      }
      if (c.Payload.size() < c.Header.Size)
        continue;
      Deliver(connection);
      return true;
    }
  }

  // Hands a whole request to the window's thread, which answers on the
  // connection.
  void Deliver(const std::shared_ptr<TConnection>& connection)
  {
    const TCopyDataRequest req = connection->Header;
    std::vector<BYTE> payload = std::move(connection->Payload);
    connection->NextRequest();
    auto answer = [connection](bool ok, LRESULT result) {
      TCopyDataReply reply = MakeCopyDataReply(ok, result);
      // Never waits: a peer that does not read its answers loses its
      // connection rather than hold the window's thread.
      if (send(connection->Fd, &reply, sizeof reply, MSG_NOSIGNAL | MSG_DONTWAIT) != ssize_t(sizeof reply))
        shutdown(connection->Fd, SHUT_RDWR);
    };
    bool queued;
    {
      std::lock_guard<std::recursive_mutex> cl(Core().Lock);
      HWND h = reinterpret_cast<HWND>(std::uintptr_t(req.Target));
      TWnd* target = ResolveLocal(h);
      HWND sender = req.Sender ? SenderStandIn(int(req.SenderPid), req.Sender) : nullptr;
      queued = target && IsTopLevel(target) && !target->Destroying &&
               QueueForeignCopyData(target, sender, ULONG_PTR(req.Data), std::move(payload), answer);
    }
    if (!queued)
      answer(false, 0);
  }

  std::atomic<bool> FStarted{false};
  int FFd = -1;
};

TListener& Listener()
{
  static auto* l = new TListener;
  return *l;
}

std::string gLastPublished;

// Moved on by every change of this process's top-level windows.
std::atomic<std::uint64_t> gLocalWindowChanges{0};

// The counter the processes of the folder share: a small shared-memory
// segment keyed by the folder. A segment is never shrunk under its users, so
// no program of the user can make a reader fault by changing a file (a
// mapped file cut short would), and reading it costs no system call. The
// segment starts with a mark of ours: a key that another program happened to
// use is left alone.
class TSharedWindowCounter {
public:
  // The counter, attached on first use; null when it cannot be. Once a second
  // the key is asked again: a segment removed and made anew (or a folder made
  // anew) holds another counter, which the processes now publishing move on.
  std::atomic<std::uint64_t>* Counter(std::uint64_t& Attachment)
  {
    std::lock_guard<std::mutex> lock(FLock);
    const auto now = std::chrono::steady_clock::now();
    if (!FTried || now - FChecked > std::chrono::seconds(1)) {
      FChecked = now;
      if (!FTried || !StillTheSegment())
        Attach();
      FTried = true;
    }
    Attachment = FAttachment;
    return FCounter;
  }

private:
  static constexpr std::uint64_t Mark = 0x43727677696E6C31ull;  // tells our segment from another's
  static constexpr std::size_t SegmentBytes = 4096;
  struct TSegment {
    std::atomic<std::uint64_t> Mark;
    std::atomic<std::uint64_t> Counter;
  };
  static_assert(std::atomic<std::uint64_t>::is_always_lock_free, "the shared counter needs no lock");

  static key_t FolderKey()
  {
    const std::string folder = CrossProcessFolder();
    return folder.empty() ? key_t(-1) : ftok(folder.c_str(), 'W');
  }

  bool StillTheSegment()
  {
    const key_t key = FolderKey();
    return FCounter && key != key_t(-1) && key == FKey && shmget(key, 0, 0) == FId && FSegment->Mark.load() == Mark;
  }

  void Attach()
  {
    // A segment attached before stays attached: another thread may still be
    // reading the counter it was given.
    FCounter = nullptr;
    ++FAttachment;
    const key_t key = FolderKey();
    if (key == key_t(-1))
      return;
    const int id = shmget(key, SegmentBytes, IPC_CREAT | 0600);
    struct shmid_ds ds;
    if (id < 0 || shmctl(id, IPC_STAT, &ds) != 0 || ds.shm_perm.uid != getuid() ||
        (ds.shm_perm.mode & 077) != 0 || ds.shm_segsz < sizeof(TSegment))
      return;
    void* at = shmat(id, nullptr, 0);
    if (at == reinterpret_cast<void*>(-1))
      return;
    auto* segment = static_cast<TSegment*>(at);
    std::uint64_t found = 0;
    // A new segment is all zeros: the first to see it marks it ours.
    if (!segment->Mark.compare_exchange_strong(found, Mark) && found != Mark) {
      shmdt(at);
      return;
    }
    FSegment = segment;
    FCounter = &segment->Counter;
    FKey = key;
    FId = id;
  }

  std::mutex FLock;
  bool FTried = false;
  std::chrono::steady_clock::time_point FChecked;
  TSegment* FSegment = nullptr;
  std::atomic<std::uint64_t>* FCounter = nullptr;
  std::uint64_t FAttachment = 0;
  key_t FKey = -1;
  int FId = -1;
};

TSharedWindowCounter& SharedWindowCounter()
{
  static auto* counter = new TSharedWindowCounter;
  return *counter;
}

// Tells the other processes that this one's list changed (after the change).
void AnnounceListChanged()
{
  std::uint64_t attachment = 0;
  if (std::atomic<std::uint64_t>* counter = SharedWindowCounter().Counter(attachment))
    counter->fetch_add(1);
}

}  // namespace

TWindowListStamp WindowListStamp()
{
  TWindowListStamp stamp;
  // Local first: a change made before this reading is then seen by the
  // lookup that follows it.
  stamp.Local = gLocalWindowChanges.load();
  if (std::atomic<std::uint64_t>* counter = SharedWindowCounter().Counter(stamp.Attachment)) {
    stamp.Others = counter->load();
    stamp.Known = true;
  }
  return stamp;
}

UINT CrossProcessTimeout() { return gTimeout.load(); }

std::size_t ForeignStandInCount()
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  return StandIns().Found.size() + StandIns().Senders.size();
}

void SetCrossProcessTimeout(UINT milliseconds) { gTimeout = std::max<UINT>(1, milliseconds); }

std::string CrossProcessFolder()
{
  std::lock_guard<std::mutex> lock(FolderLock());
  static std::string folder = MakeFolder();
  return folder;
}

namespace wincore {

UINT CrossProcessTimeoutValue() { return gTimeout.load(); }

void PublishWindowsChanged()
{
  // Called once a change is made: a lookup that read the stamp before this
  // and found nothing will look again.
  gLocalWindowChanges.fetch_add(1);
  std::vector<TPublished> windows;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    for (TWnd* w : Core().Desktop->Children) {
      if (w->Foreign || w->MessageOnly || w->Text.empty() || w->Destroying)
        continue;
      windows.push_back({reinterpret_cast<std::uintptr_t>(w->Handle), w->Class ? w->Class->Name : std::string(), w->Text});
    }
  }
  std::size_t count = windows.size();
  std::string data = SerializeWindowList(windows);
  static std::mutex publishLock;
  std::lock_guard<std::mutex> lock(publishLock);
  if (data == gLastPublished)
    return;
  std::string folder = CrossProcessFolder();
  if (folder.empty())
    return;
  if (count > 0)
    Listener().Start(folder);
  std::string path = ListPath(folder, getpid());
  if (count == 0) {
    unlink(path.c_str());
    gLastPublished = data;
    AnnounceListChanged();
    return;
  }
  std::string temp = path + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(data.data(), std::streamsize(data.size()));
    if (!out)
      return;
  }
  if (rename(temp.c_str(), path.c_str()) == 0) {
    gLastPublished = data;
    AnnounceListChanged();
  }
}

namespace {

// Open connections to other processes, one per process, each used by one
// send at a time.
std::mutex gConnectionsLock;
std::map<int, int> gConnections;

int TakeConnection(int pid)
{
  std::lock_guard<std::mutex> lock(gConnectionsLock);
  auto it = gConnections.find(pid);
  if (it == gConnections.end())
    return -1;
  int fd = it->second;
  gConnections.erase(it);
  return fd;
}

void ReturnConnection(int pid, int fd)
{
  std::lock_guard<std::mutex> lock(gConnectionsLock);
  if (gConnections.count(pid))
    close(fd);
  else
    gConnections[pid] = fd;
}

int Connect(const std::string& folder, int pid, std::chrono::steady_clock::time_point deadline)
{
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0)
    return -1;
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::string path = SocketPath(folder, pid);
  if (path.size() >= sizeof addr.sun_path) {
    close(fd);
    return -1;
  }
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
  if (connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
    if (errno != EINPROGRESS && errno != EAGAIN) {
      close(fd);
      return -1;
    }
    int err = 0;
    socklen_t len = sizeof err;
    if (!WaitFd(fd, POLLOUT, deadline) || getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) != 0 || err != 0) {
      close(fd);
      return -1;
    }
  }
  return fd;
}

}  // namespace

LRESULT SendForeignCopyData(int pid, std::uint64_t remote, HWND sender, const COPYDATASTRUCT* cds, UINT timeoutMs,
                            bool& ok)
{
  ok = false;
  if (!cds || cds->cbData > MaxCrossProcessCopyData || (cds->cbData && !cds->lpData))
    return 0;
  std::string folder = CrossProcessFolder();
  if (folder.empty() || !ProcessAlive(pid))
    return 0;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  TCopyDataRequest req = MakeCopyDataRequest(remote, reinterpret_cast<std::uintptr_t>(sender), std::uint32_t(getpid()),
                                             cds->dwData, cds->cbData);
  // A kept connection may have died with its process (or been closed by it):
  // a request that could not be written is sent once more on a fresh one.
  int fd = TakeConnection(pid);
  bool sent = false;
  for (int attempt = 0; attempt < 2 && !sent; ++attempt) {
    if (fd < 0)
      fd = Connect(folder, pid, deadline);
    if (fd < 0)
      return 0;
    sent = WriteAll(fd, &req, sizeof req, deadline) && (!cds->cbData || WriteAll(fd, cds->lpData, cds->cbData, deadline));
    if (!sent) {
      close(fd);
      fd = -1;
    }
  }
  if (!sent)
    return 0;
  TCopyDataReply reply{};
  if (ReadAll(fd, &reply, sizeof reply, deadline) && ValidCopyDataReply(reply)) {
    ReturnConnection(pid, fd);
    ok = reply.Ok != 0;
    return ok ? LRESULT(reply.Result) : 0;
  }
  // Late: an answer that still comes must not be taken for the next request's.
  close(fd);
  return 0;
}

bool ForeignAlive(TWnd* w)
{
  std::string folder = CrossProcessFolder();
  if (folder.empty() || !ProcessAlive(w->ForeignPid))
    return false;
  for (auto& p : ReadList(ListPath(folder, w->ForeignPid)))
    if (p.Handle == w->ForeignHandle)
      return true;
  return false;
}

}  // namespace wincore

namespace {

HWND FindLocal(TWnd* parent, HWND childAfter, LPCSTR className, LPCSTR windowName)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  bool started = childAfter == nullptr;
  for (TWnd* w : parent->Children) {
    if (!started) {
      started = w->Handle == childAfter;
      continue;
    }
    if (w->Foreign || w->Destroying)
      continue;
    if (className && reinterpret_cast<std::uintptr_t>(className) <= 0xFFFF) {
      if (!w->Class || w->Class->Atom != ATOM(reinterpret_cast<std::uintptr_t>(className)))
        continue;
      if (windowName && strcasecmp(w->Text.c_str(), windowName) != 0)
        continue;
      return w->Handle;
    }
    if (Matches(w->Class ? w->Class->Name : std::string(), w->Text, className, windowName))
      return w->Handle;
  }
  return nullptr;
}

// The process id of another process's "<pid><Suffix>" entry, 0 for anything else.
int PidOfEntry(const std::string& Name, const char* Suffix)
{
  std::size_t suffix = std::strlen(Suffix);
  if (Name.size() <= suffix || Name.compare(Name.size() - suffix, suffix, Suffix) != 0)
    return 0;
  char* end = nullptr;
  long pid = std::strtol(Name.c_str(), &end, 10);
  if (end != Name.c_str() + Name.size() - suffix || pid <= 0 || pid == getpid() || pid > INT_MAX)
    return 0;
  return int(pid);
}

// What the folder held when it was last read: the window lists of the other
// processes, in folder order. Every change of a list is a rename or an unlink
// in the folder, so an unchanged folder time means unchanged lists; the debug
// channel looks for its console on every log line, and reading the folder
// each time cost far more than the line itself.
struct TFolderSnapshot {
  bool Valid = false;
  timespec Modified{};
  ino_t Inode = 0;
  std::vector<std::pair<int, std::vector<TPublished>>> Lists;
};

std::mutex gSnapshotLock;
TFolderSnapshot gSnapshot;

// Folder times come from a coarse clock: a change within the same tick as
// the reading would leave the time as it was, so a folder changed this
// recently is read again next time rather than trusted.
constexpr long long SettledNanoseconds = 100'000'000;

long long Nanoseconds(const timespec& t) { return (long long)t.tv_sec * 1'000'000'000 + t.tv_nsec; }

void ReadFolder(const std::string& folder, const struct stat& st, TFolderSnapshot& snapshot)
{
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  snapshot = TFolderSnapshot();
  DIR* dir = opendir(folder.c_str());
  if (!dir)
    return;
  std::vector<int> pids;
  while (dirent* e = readdir(dir)) {
    std::string name = e->d_name;
    if (int pid = PidOfEntry(name, ".list"))
      pids.push_back(pid);
    else if (int owner = PidOfEntry(name, ".sock"); owner && !ProcessAlive(owner))
      unlink((folder + "/" + name).c_str());  // left by a process that was killed
  }
  closedir(dir);
  bool removed = false;
  for (int pid : pids) {
    std::string path = ListPath(folder, pid);
    if (!ProcessAlive(pid)) {
      // A process that died without cleaning up.
      unlink(path.c_str());
      unlink(SocketPath(folder, pid).c_str());
      removed = true;
      continue;
    }
    snapshot.Lists.emplace_back(pid, ReadList(path));
  }
  // What this reading removed changed the folder's time: the next lookup reads again.
  snapshot.Valid = !removed && Nanoseconds(now) - Nanoseconds(st.st_mtim) > SettledNanoseconds;
  snapshot.Modified = st.st_mtim;
  snapshot.Inode = st.st_ino;
}

HWND FindForeign(LPCSTR className, LPCSTR windowName)
{
  if (className && reinterpret_cast<std::uintptr_t>(className) <= 0xFFFF)
    return nullptr;  // atoms do not cross processes
  std::string folder = CrossProcessFolder();
  struct stat st;
  if (folder.empty() || stat(folder.c_str(), &st) != 0)
    return nullptr;
  int pid = 0;
  TPublished found;
  {
    // Taken alone: the window table's lock is taken only once this one is let go.
    std::lock_guard<std::mutex> lock(gSnapshotLock);
    if (!gSnapshot.Valid || gSnapshot.Inode != st.st_ino || Nanoseconds(gSnapshot.Modified) != Nanoseconds(st.st_mtim))
      ReadFolder(folder, st, gSnapshot);
    for (auto& [owner, windows] : gSnapshot.Lists) {
      auto match = std::find_if(windows.begin(), windows.end(),
                                [&](const TPublished& p) { return Matches(p.Class, p.Title, className, windowName); });
      if (match == windows.end())
        continue;
      // A kept list may belong to a process that has died since.
      if (!ProcessAlive(owner)) {
        gSnapshot.Valid = false;
        continue;
      }
      pid = owner;
      found = *match;
      break;
    }
  }
  if (!pid)
    return nullptr;
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  return ProxyFor(pid, found.Handle, found.Title);
}

}  // namespace

HWND FindWindow(LPCSTR className, LPCSTR windowName)
{
  if (HWND h = FindLocal(Core().Desktop, nullptr, className, windowName))
    return h;
  return FindForeign(className, windowName);
}

HWND FindWindowEx(HWND parent, HWND childAfter, LPCSTR className, LPCSTR windowName)
{
  TWnd* p;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    p = parent == HWND_MESSAGE ? Core().MessageRoot : parent ? ResolveLocal(parent) : Core().Desktop;
    if (!p)
      return nullptr;
  }
  if (HWND h = FindLocal(p, childAfter, className, windowName))
    return h;
  if (p == Core().Desktop && !childAfter)
    return FindForeign(className, windowName);
  return nullptr;
}
