#include "serial_port_adapter.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <array>
#include <chrono>
#include <future>
#include <string>
#include <thread>
#include <vector>

namespace vardex {
namespace {

using namespace std::chrono_literals;

// A pseudo-terminal whose master side plays the device.
struct Pty {
  int master = -1;
  std::string slavePath;
  Pty() {
    int slave = -1;
    char name[256] = {};
    termios raw{};
    ::cfmakeraw(&raw);  // no echo of what the device side writes
    if (::openpty(&master, &slave, name, &raw, nullptr) == 0) {
      slavePath = name;
      ::close(slave);
    }
  }
  ~Pty() {
    if (master >= 0)
      ::close(master);
  }
  std::vector<std::uint8_t> ReadMaster(std::size_t count) const {
    std::vector<std::uint8_t> got;
    while (got.size() < count) {
      pollfd fd{master, POLLIN, 0};
      if (::poll(&fd, 1, 2000) <= 0)
        break;
      std::uint8_t buffer[256];
      const auto n = ::read(master, buffer, sizeof buffer);
      if (n <= 0)
        break;
      got.insert(got.end(), buffer, buffer + n);
    }
    return got;
  }
};

// Runs `body` on a worker thread of the kind the tool uses and waits for it.
template <typename Body>
auto OnWorker(Body body) {
  std::packaged_task<decltype(body())()> task(body);
  auto result = task.get_future();
  std::jthread thread([&task] { task(); });
  thread.join();
  return result.get();
}

TEST(QtSerialPort, OpensAPtyExclusivelyAndMovesBytesBothWays) {
  Pty pty;
  ASSERT_FALSE(pty.slavePath.empty());
  const std::array<std::uint8_t, 2> stale{0xFF, 0x81};
  ASSERT_EQ(::write(pty.master, stale.data(), stale.size()),
            2);  // waits in the line before the open

  // The whole life of the port on one worker thread, as the tool runs it.
  const std::vector<std::uint8_t> request{0xFF, 0x90, 0x00, 0x03, 0x00, 0x00, 0x00, 0x93};
  std::promise<bool> opened;
  std::promise<void> replySent;
  std::vector<std::uint8_t> got;
  QtSerialPort port;
  std::jthread worker([&] {
    const bool ok = port.Open(pty.slavePath);
    opened.set_value(ok);
    if (!ok)
      return;
    replySent.get_future().wait();
    std::array<std::uint8_t, 128> buffer{};
    const std::size_t n = port.Read(buffer, 2000ms);
    got.assign(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(n));
    port.Write(request);
    port.Close();
  });
  ASSERT_TRUE(opened.get_future().get());
  QtSerialPort second;
  EXPECT_FALSE(OnWorker([&] { return second.Open(pty.slavePath); }));

  const std::array<std::uint8_t, 3> reply{0xFF, 0x41, 0x00};
  ASSERT_EQ(::write(pty.master, reply.data(), reply.size()), 3);
  replySent.set_value();
  EXPECT_EQ(pty.ReadMaster(8), request);
  worker.join();
  EXPECT_EQ(got, (std::vector<std::uint8_t>{0xFF, 0x41, 0x00}));  // the stale bytes were dropped

  QtSerialPort third;
  EXPECT_TRUE(OnWorker([&] {
    const bool ok = third.Open(pty.slavePath);  // released on close
    third.Close();
    return ok;
  }));
}

TEST(QtSerialPort, OpeningAMissingDeviceFails) {
  QtSerialPort port;
  EXPECT_FALSE(OnWorker([&] { return port.Open("/dev/vardex-no-such-port"); }));
}

TEST(QtSerialPort, InterruptEndsAWaitingRead) {
  Pty pty;
  QtSerialPort port;
  std::promise<bool> opened;
  std::promise<std::size_t> readDone;
  std::jthread thread([&] {
    const bool ok = port.Open(pty.slavePath);
    opened.set_value(ok);
    if (!ok)
      return;
    std::array<std::uint8_t, 128> buffer{};
    readDone.set_value(port.Read(buffer, std::chrono::hours(1)));
    port.Close();
  });
  ASSERT_TRUE(opened.get_future().get());
  std::this_thread::sleep_for(20ms);  // most likely inside the read by now
  port.Interrupt();
  auto result = readDone.get_future();
  ASSERT_EQ(result.wait_for(10s), std::future_status::ready);
  EXPECT_EQ(result.get(), 0u);
  thread.join();
}

TEST(QtSerialPort, AHungUpLineReadsNothing) {
  auto pty = std::make_unique<Pty>();
  const std::string path = pty->slavePath;
  QtSerialPort port;
  std::string silentError = "unset";
  std::string goneError;
  const std::size_t got = OnWorker([&] {
    if (!port.Open(path))
      return std::size_t{999};
    std::array<std::uint8_t, 128> buffer{};
    std::size_t total = port.Read(buffer, 20ms);
    silentError = port.LastReadError();  // silence is no failure
    pty.reset();                         // the device side goes away
    for (int i = 0; i < 3; ++i) total += port.Read(buffer, 20ms);
    goneError = port.LastReadError();
    port.Close();
    return total;
  });
  EXPECT_EQ(got, 0u);
  EXPECT_EQ(silentError, "");
  EXPECT_NE(goneError, "");
}

}  // namespace
}  // namespace vardex

int main(int argc, char** argv) {
  // As in the tool, an application object exists while ports are opened.
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
