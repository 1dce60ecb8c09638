// The window's transfer controller on its own (no widgets), with the real
// worker on a port in memory: what follows a write, a backup before an
// upload, and a request that waited for another port. The steps themselves
// are tested in transfer_sequence_test.
#include <QCoreApplication>
#include <QSignalSpy>
#include <QtTest>

#include "config_image.h"
#include "device_link.h"
#include "test_device.h"
#include "transfer_controller.h"

using vardex::ConfigImage;
using vardex::Operation;
using vardex::TransferController;
using vardex::testing::MemorySerialPort;

namespace {

constexpr int kWait = 10000;

ConfigImage SentImage() {
  ConfigImage image;
  for (std::size_t i = 4; i < image.bytes.size(); ++i)
    image.bytes[i] = static_cast<std::uint8_t>(i);
  vardex::StoreImageChecksum(image);
  return image;
}

// Every COM name leads to one device in memory; `keepByteWrong` makes it
// hold byte 272 one higher than it was sent once the read-back starts.
struct Rig {
  vardex::testing::TestDevice device;
  std::atomic<bool> keepByteWrong{false};
  std::atomic<MemorySerialPort*> port{nullptr};
  QString savedTo;
  ConfigImage saved;
  vardex::DeviceLink link;
  TransferController transfers{link,
                               [this](const QString& path, const ConfigImage& image, QString&) {
                                 savedTo = path;
                                 saved = image;
                                 return true;
                               }};

  Rig() {
    link.SetNameResolver([](const QString&) {
      return vardex::ComPortTarget{vardex::ComRoute::kSystemPort, "/dev/test"};
    });
    link.SetPortFactory([this] {
      auto made = std::make_unique<MemorySerialPort>(
          [this](std::span<const std::uint8_t> bytes, MemorySerialPort& on) {
            const bool firstReadRequest =
                bytes.size() == 8 && bytes[1] == 0x90 && bytes[2] == 0 && bytes[3] == 0;
            if (firstReadRequest && keepByteWrong)
              ++device.image[272];
            device.OnWritten(bytes, on);
          });
      port = made.get();
      return made;
    });
  }
};

}  // namespace

class TransferControllerTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { qRegisterMetaType<Operation>(); }

  void verifyAfterWriteNamesWhatTheDeviceHolds_data() {
    QTest::addColumn<bool>("keepByteWrong");
    QTest::addColumn<QString>("note");
    QTest::addColumn<bool>("failed");
    QTest::newRow("kept") << false << "Write config: 16 pages written and verified on COM1."
                          << false;
    // The read-back breaks its checksum; the page compare still names it.
    QTest::newRow("one byte higher")
        << true
        << "Write config: verification failed: the device on COM1 holds page 2 (byte 272: "
           "[RTC/NTP time] NTP server) differently from what was sent."
        << true;
  }
  void verifyAfterWriteNamesWhatTheDeviceHolds() {
    QFETCH(bool, keepByteWrong);
    Rig rig;
    rig.keepByteWrong = keepByteWrong;
    QSignalSpy notes(&rig.transfers, &TransferController::Note);
    QSignalSpy written(&rig.transfers, &TransferController::WriteFinished);
    QVERIFY(rig.link.OpenPort("COM1"));
    rig.transfers.Write(SentImage(), true, "COM9");  // the open port receives, not the list's
    QCOMPARE(rig.transfers.Current().pageCount, 16u);
    QTRY_COMPARE_WITH_TIMEOUT(notes.size(), 1, kWait);
    QFETCH(QString, note);
    QFETCH(bool, failed);
    QCOMPARE(notes[0][0].toString(), note);
    QCOMPARE(notes[0][1].toBool(), failed);
    QCOMPARE(written.size(), 1);
    QCOMPARE(written[0][0].toString(), QString("COM1"));
  }

  void backupThenUploadSavesFirstAndSendsTheLoadedFile() {
    Rig rig;
    rig.device.image = SentImage().bytes;
    auto firmware = std::make_shared<vardex::FirmwareBuffer>();
    firmware->size = 300;
    for (std::size_t i = 0; i < 300; ++i) firmware->bytes[i] = static_cast<std::uint8_t>(i * 7);
    QSignalSpy backups(&rig.transfers, &TransferController::BackupSaved);
    QVERIFY(rig.link.OpenPort("COM1"));
    rig.transfers.Upload(firmware, "backup.img", "COM1");
    QTRY_COMPARE_WITH_TIMEOUT(rig.transfers.Current().pagesDone, 3u, kWait);
    QCOMPARE(backups.size(), 1);
    QCOMPARE(rig.savedTo, QString("backup.img"));
    QVERIFY(rig.saved.bytes == SentImage().bytes);
    QCOMPARE(rig.transfers.Current().operation, Operation::kFirmwareUpload);
    QCOMPARE(rig.transfers.Current().pageCount, 3u);
  }

  // Read on COM1, "Close port", "Write config": opening COM2 must not give
  // COM2's device COM1's configuration.
  void aWriteWaitingForOnePortIsDroppedWhenAnotherOpens() {
    Rig rig;
    QSignalSpy dropped(&rig.link, &vardex::DeviceLink::RequestDropped);
    rig.transfers.Write(SentImage(), false, "COM1");
    QCOMPARE(rig.transfers.Current().port, QString("COM1"));
    QVERIFY(rig.link.OpenPort("COM2"));
    QCOMPARE(dropped.size(), 1);
    QCOMPARE(dropped[0][0].value<Operation>(), Operation::kConfigWrite);
    QCOMPARE(dropped[0][1].toString(), QString("COM1"));
    QCOMPARE(dropped[0][2].toString(), QString("COM2"));
    QCOMPARE(rig.transfers.Current().operation, Operation::kNone);
    QTest::qWait(200);
    QVERIFY(rig.port.load()->Written().empty());
    // Posted for the port that opens next, it goes.
    rig.link.ClosePort();
    QSignalSpy written(&rig.transfers, &TransferController::WriteFinished);
    rig.transfers.Write(SentImage(), false, "COM3");
    QVERIFY(rig.link.OpenPort("COM3"));
    QTRY_COMPARE_WITH_TIMEOUT(written.size(), 1, kWait);
    QCOMPARE(written[0][0].toString(), QString("COM3"));
    QCOMPARE(dropped.size(), 1);
  }
};

QTEST_GUILESS_MAIN(TransferControllerTest)
#include "transfer_controller_test.moc"
