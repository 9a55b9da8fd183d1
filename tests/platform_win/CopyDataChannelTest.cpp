// The local copy-data channel against peers in other processes: requests
// with ever new sender handles leave no stand-in behind, and peers that stop
// halfway through a request delay nobody else.
#include "tests/support/PeerProcess.h"
#include "WindowTestSupport.h"
#include "platform/win/window/CrossProcess.h"

namespace {

class CopyDataChannel : public TWindowFixture {
protected:
  void SetUp() override
  {
    TWindowFixture::SetUp();
    On(WM_COPYDATA, [this](HWND, UINT, WPARAM, LPARAM l, LRESULT& result) {
      auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(l);
      Received += cds && cds->dwData == 7 && cds->cbData == 4 ? 1 : 0;
      result = 1;
      return true;
    });
    Target = Make(WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, 0, "Cible du canal");
  }

  // What the peer prints once done; this thread answers its requests meanwhile.
  std::string Outcome(TPeerProcess& Peer, int TimeoutMs) { return Peer.ReadLine(TimeoutMs, [this] { Pump(); }); }

  HWND Target = nullptr;
  int Received = 0;
};

}  // namespace

TEST_F(CopyDataChannel, RequestsFromEverNewSendersLeaveNoStandInsBehind)
{
  const std::size_t before = ForeignStandInCount();
  TPeerProcess peer("copydata_peer", {"send", "Cible du canal", "1000"});
  EXPECT_EQ(Outcome(peer, 120000), "answered 1000");
  EXPECT_EQ(Received, 1000);
  // Only the most recent senders keep a stand-in.
  EXPECT_LE(ForeignStandInCount(), before + 256);
}

TEST_F(CopyDataChannel, PeersStalledHalfwayDelayNoOtherRequest)
{
  TPeerProcess stalled("copydata_peer", {"stall", "Cible du canal", "20"});
  ASSERT_EQ(Outcome(stalled, 20000), "stalled");
  // Each stalled peer used to hold the listener for a second: twenty of them
  // made a plain request wait far beyond the sender's five-second limit.
  TPeerProcess sender("copydata_peer", {"send", "Cible du canal", "1"});
  EXPECT_EQ(Outcome(sender, 20000), "answered 1");
  EXPECT_EQ(Received, 1);
}
