#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QVBoxLayout>
#include <QtTest>

#include "Unit1.h"
#include "page_controls.h"
#include "page_layouts.h"
#include "page_tables.h"
#include "page_test_support.h"

namespace {

// Every built control's value into `settings`, as the binding takes an edit.
void GatherAll(const vardex::WindowControls& window, vardex::ConfigSettings& settings) {
  for (const vardex::PageControls& page : window.Pages()) {
    const std::vector<vardex::ControlRow>& rows = page.Table().controls;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (QWidget* control = page.At(i))
        vardex::SetValue(*rows[i].field, settings, vardex::ValueShownBy(control, rows[i]));
    }
  }
}

}  // namespace

// The page tables and the window they build must agree: whatever a table
// lists is on its page under the same name and label, and nothing on a page
// carries a setting without a row in its table.
class PageTablesTest : public QObject {
  Q_OBJECT

 private slots:
  void everyRowIsOnItsPageAndEveryNamedControlHasARow() {
    TForm1 form;
    const std::vector<vardex::PageTable>& tables = vardex::PageTables();
    QCOMPARE(tables.size(), std::size_t{10});
    for (int p = 0; p < 10; ++p) {
      const vardex::PageTable& table = tables[static_cast<std::size_t>(p)];
      QWidget* page = form.Page(p);
      QCOMPARE(page->objectName(), QString::fromUtf8(table.sheetName.data()));
      QSet<QString> names;
      QSet<QString> labels;
      for (const vardex::ControlRow& row : table.controls) {
        const QString name = QString::fromStdString(row.objectName);
        QWidget* control = Child<QWidget>(page, name);
        QCOMPARE(control->accessibleName(), QString::fromStdString(row.label));
        QVERIFY2(!names.contains(name), qPrintable(name));
        QVERIFY2(!labels.contains(control->accessibleName()), qPrintable(name));
        names.insert(name);
        labels.insert(control->accessibleName());
      }
      // A button row its layout never takes would be missing and unconnected.
      for (const vardex::ButtonRow& row : table.buttons) {
        auto* button = Child<QPushButton>(page, QString::fromStdString(row.objectName));
        QCOMPARE(button->text(), QString::fromStdString(row.caption));
      }
      for (QWidget* control : page->findChildren<QWidget*>()) {
        const bool carriesSetting = qobject_cast<QLineEdit*>(control) != nullptr ||
                                    qobject_cast<QComboBox*>(control) != nullptr ||
                                    qobject_cast<QCheckBox*>(control) != nullptr;
        // The window's own options ("Verify after write") are in no image.
        const bool windowOption = control->property("windowOption").toBool();
        if (carriesSetting && !windowOption && !control->objectName().isEmpty())
          QVERIFY2(names.contains(control->objectName()), qPrintable(control->objectName()));
      }
    }
  }

  // The kind decides which setting a row moves; a mismatch would leave the
  // control unbound.
  void eachRowCarriesOneSettingOfItsKind() {
    vardex::ConfigSettings settings;
    for (const vardex::PageTable& table : vardex::PageTables()) {
      for (const vardex::ControlRow& row : table.controls) {
        const vardex::SettingRef ref = row.Setting(settings);
        const int set = (ref.text != nullptr) + (ref.index != nullptr) + (ref.check != nullptr);
        QVERIFY2(set == 1, row.objectName.c_str());
        switch (row.kind) {
          case vardex::ControlKind::kEdit:
          case vardex::ControlKind::kListText:
            QVERIFY2(ref.text != nullptr, row.objectName.c_str());
            break;
          case vardex::ControlKind::kList:
            QVERIFY2(ref.index != nullptr && !row.items.empty(), row.objectName.c_str());
            break;
          case vardex::ControlKind::kCheck:
            QVERIFY2(ref.check != nullptr, row.objectName.c_str());
            break;
        }
      }
    }
  }

  // Repeated rows are generated: spot checks that instance k reaches the
  // k-th member and not the first one.
  void generatedRowsReachTheirOwnSetting() {
    vardex::ConfigSettings settings;
    struct Probe {
      int page;
      const char* name;
      const char* label;
      const void* member;
    };
    const Probe probes[] = {
        {0, "Edit2", "TX delay [ms]", &settings.radio.txDelay},
        {1, "Pathn8_traceable", "Row 8 traceable", &settings.digipeater.paths[7].traceable},
        {2, "Beacon3_Path", "Beacon 3 Path(n-N)", &settings.beacons.beacons[2].block.path},
        {2, "Beacon8_msg", "Beacon 8 Message", &settings.beacons.beacons[7].message},
        {3, "Edit19", "IP Mask octet 4", &settings.network.mask[3]},
        {3, "Edit24", "DNS octet 1", &settings.network.dns[0]},
        {4, "Edit35", "Server 3 Port", &settings.aprsIs.servers[2].port},
        {5, "Weather_toaprsis", "Weather report IS", &settings.weather.report.toAprsIs},
        {6, "Edit43", "Minute", &settings.clock.minute},
        {7, "www_port", "WWW port", &settings.access.www.port},
        {8, "telnet_password", "Telnet password", &settings.access.telnet.password},
        {9, "Edit90", "Analog 5 Coeff C", &settings.telemetry.channels[4].coeffC},
        {9, "Teledata_txrate_rf", "Telemetry data Rate [RF]", &settings.telemetryData.txRateRf},
        {9, "Teleparams_dest", "Telemetry parameters Dest", &settings.telemetryParameters.dest},
    };
    for (const Probe& probe : probes) {
      const vardex::ControlRow* found = nullptr;
      for (const vardex::ControlRow& row :
           vardex::PageTables()[static_cast<std::size_t>(probe.page)].controls) {
        if (row.objectName == probe.name)
          found = &row;
      }
      QVERIFY2(found != nullptr, probe.name);
      QCOMPARE(found->label, std::string(probe.label));
      const vardex::SettingRef ref = found->Setting(settings);
      const void* member = ref.text != nullptr    ? static_cast<const void*>(ref.text)
                           : ref.index != nullptr ? static_cast<const void*>(ref.index)
                                                  : static_cast<const void*>(ref.check);
      QVERIFY2(member == probe.member, probe.name);
    }
  }

  // A row that the page's layout code does not take (a field added to the
  // tables) is still built, labelled, shown and gathered.
  void aRowNoLayoutTakesIsStillOnItsPage() {
    vardex::ImageField field;
    field.key = "radio.extra";
    field.offset = 49;
    field.width = 1;
    field.high = 255;
    field.setting = [](vardex::ConfigSettings& s, int) {
      return vardex::SettingRef{.text = &s.radio.txDelay};
    };
    vardex::PageTable table{"TabSheetTest", "Test", {}};
    for (const char* key : {"radio.callsign", "radio.extra"}) {
      table.controls.push_back({.objectName = key,
                                .label = std::string(key) + " words",
                                .maxLength = 3,
                                .key = key,
                                .field = key == field.key ? &field : vardex::FindField(key)});
    }
    QWidget page;
    vardex::WindowControls window;
    vardex::PageControls& controls = window.Pages().emplace_back(&page, table);
    auto* layout = new QVBoxLayout(&page);
    layout->addWidget(controls.Take("radio.callsign"));
    vardex::PlaceOtherFields(controls);

    auto* extra = Child<QLineEdit>(&page, "radio.extra");
    QCOMPARE(extra->accessibleName(), QString("radio.extra words"));
    QCOMPARE(extra->maxLength(), 3);
    // In a form of its own, inside the page's layout: laid out, not just made.
    auto* form = page.findChild<QFormLayout*>();
    QVERIFY(form != nullptr);
    QCOMPARE(form->parent(), layout);
    QVERIFY(form->indexOf(extra) >= 0);
    auto* label = page.findChild<QLabel*>();
    QVERIFY(label != nullptr);
    QCOMPARE(label->text(), QString("radio.extra words:"));
    QCOMPARE(label->buddy(), extra);

    vardex::ConfigSettings settings;
    window.Show(settings);
    QCOMPARE(extra->text(), QString("250"));
    extra->setText("77");
    GatherAll(window, settings);
    QCOMPARE(QString::fromStdString(settings.radio.txDelay), QString("77"));
  }
};

QTEST_MAIN(PageTablesTest)
#include "page_tables_test.moc"
