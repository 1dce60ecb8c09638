#include <QtTest>
#include <chrono>

#include "link_status.h"

using namespace std::chrono_literals;
using vardex::LinkStatus;
using vardex::Operation;

class LinkStatusTest : public QObject {
  Q_OBJECT

 private slots:
  void firmwareUploadShowsPercentAndTimeLeft() {
    const LinkStatus::Clock::time_point start{};
    struct Case {
      std::uint32_t pagesDone;
      std::chrono::milliseconds at;
      QString text;
    };
    const QList<Case> cases = {
        {0, 0ms, "Upload firmware: page 1 of 1856, 0 % on COM3 (/dev/ttyUSB0)."},
        {642, 642s,
         "Upload firmware: page 643 of 1856, 34 %, about 20 min 14 s left on COM3 (/dev/ttyUSB0)."},
        {1855, 1855s,
         "Upload firmware: page 1856 of 1856, 99 %, about 1 s left on COM3 "
         "(/dev/ttyUSB0)."},
        {1856, 1856s, "Upload firmware finished: 1856 of 1856 pages."},
    };
    for (const Case& c : cases) {
      LinkStatus status;
      status.PortOpened("COM3", "/dev/ttyUSB0", start);
      status.Posted(Operation::kFirmwareUpload, 1856, start);
      if (c.pagesDone > 0)
        status.Progress(c.pagesDone, start + c.at);
      QCOMPARE(status.Text(), c.text);
    }
  }

  void closeQuestionNamesThePageAndOnlyComesForWritesAndUploads() {
    const LinkStatus::Clock::time_point start{};
    LinkStatus status;
    QCOMPARE(status.CloseQuestion(), QString());
    status.Posted(Operation::kFirmwareUpload, 1856, start);
    QCOMPARE(status.CloseQuestion(), QString());  // nothing runs without a port
    status.PortOpened("COM3", "/dev/ttyUSB0", start);
    status.Progress(642, start + 1s);
    QCOMPARE(status.CloseQuestion(),
             QString("A firmware upload is running (page 643 of 1856). Closing now leaves the "
                     "device without a complete firmware. Close anyway?"));
    status.Progress(1856, start + 2s);
    QCOMPARE(status.CloseQuestion(), QString());
    status.Posted(Operation::kConfigRead, 16, start + 3s);
    QCOMPARE(status.CloseQuestion(), QString());
  }

  void closingThePortStopsTheTransfer() {
    const LinkStatus::Clock::time_point start{};
    LinkStatus status;
    status.PortOpened("COM3", "/dev/ttyUSB0", start);
    status.Posted(Operation::kConfigWrite, 16, start);
    status.Progress(4, start + 1s);
    status.PortClosed();
    QCOMPARE(status.Text(), QString("Write config stopped at page 5 of 16: the port was closed. "
                                    "Open it and press \"Write config\" again."));
    QCOMPARE(status.CloseQuestion(), QString());
    status.NoReply();  // a stopped transfer gets no notice
    QVERIFY(status.Text().startsWith("Write config stopped"));
    status.PortOpened("COM3", "/dev/ttyUSB0", start + 61s);
    QCOMPARE(status.Text(), QString("COM3 (/dev/ttyUSB0) is open."));
  }

  void readEndsWhicheverOfItsLastReportsComesFirst() {
    const LinkStatus::Clock::time_point start{};
    LinkStatus status;
    status.PortOpened("COM3", "/dev/ttyUSB0", start);
    status.Posted(Operation::kConfigRead, 16, start);
    status.Progress(15, start + 1s);
    status.ImageShown();  // before the count of page 16
    status.Progress(16, start + 2s);
    QCOMPARE(status.Text(), QString("Read config finished: 16 of 16 pages."));
    status.Posted(Operation::kConfigRead, 16, start + 3s);
    status.Progress(16, start + 4s);
    QCOMPARE(status.Text(), QString("Read config: all 16 pages received, checking the image."));
    status.ImageChecksumFailed();
    QVERIFY(
        status.Text().startsWith("Read config: the image read from the device has a wrong "
                                 "checksum"));
    status.Progress(0, start + 5s);  // a late start report changes nothing
    QVERIFY(status.Text().startsWith("Read config: the image read"));
  }

  // The link asks again for a lost reply: said until the page moves on.
  void askingAgainIsSaidUntilThePageMovesOn() {
    const LinkStatus::Clock::time_point start{};
    LinkStatus status;
    status.PortOpened("COM3", "/dev/ttyUSB0", start);
    status.Posted(Operation::kConfigRead, 16, start);
    status.Progress(5, start + 1s);
    status.Progress(5, start + 2s, 2, 3);
    QCOMPARE(status.Text(), QString("Read config: page 6 of 16 on COM3 (/dev/ttyUSB0), asking the "
                                    "device again (try 2 of 3)."));
    status.NoReply();  // the tries did not help
    QVERIFY(
        status.Text().startsWith("No reply from the device for 3 s while waiting for page 6 "
                                 "of 16"));
    status.Progress(6, start + 5s);
    QCOMPARE(status.Text(), QString("Read config: page 7 of 16 on COM3 (/dev/ttyUSB0)."));
  }

  void aReplyEndsTheNotice() {
    const LinkStatus::Clock::time_point start{};
    LinkStatus status;
    status.PortOpened("COM3", "/dev/ttyUSB0", start);
    status.Posted(Operation::kConfigWrite, 16, start);
    status.NoReply();
    QVERIFY(
        status.Text().startsWith("No reply from the device for 3 s while waiting for page 1 "
                                 "of 16"));
    status.Progress(1, start + 4s);
    QCOMPARE(status.Text(), QString("Write config: page 2 of 16 on COM3 (/dev/ttyUSB0)."));
    status.NoReply();  // the link tells when the next silence is long enough
    QVERIFY(
        status.Text().endsWith("page 2 of 16: check the cable, the COM port and that the "
                               "device is in config mode, then press \"Write config\" again."));
  }
};

QTEST_MAIN(LinkStatusTest)
#include "link_status_test.moc"
