#include "position_area.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

#include "degrees_text.h"
#include "page_builder.h"
#include "world_map.h"

namespace vardex {
namespace {

std::optional<StationPlace> PlaceShownBy(const QLineEdit* latitude, const QLineEdit* longitude) {
  return ReadStationPlace(latitude->text().toStdString(), longitude->text().toStdString());
}

QLabel* MakeValueLabel(QWidget* parent, const QString& name, const QString& spoken) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setAccessibleName(spoken);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  return label;
}

}  // namespace

PositionArea::PositionArea(QLineEdit* latitude, QLineEdit* longitude, QWidget* page)
    : QObject(page),
      latitude_(latitude),
      longitude_(longitude),
      locator_(MakeValueLabel(page, "PositionLocator", "Locator")),
      decimal_(MakeValueLabel(page, "PositionDecimal", "Position in decimal degrees")),
      map_(new WorldMap(page)),
      showOnMap_(MakeButton(page, "ShowOnMap", "Show on map")) {
  showOnMap_->setToolTip("Opens the station's position on OpenStreetMap in the browser.");
  connect(latitude_, &QLineEdit::textChanged, this, &PositionArea::Follow);
  connect(longitude_, &QLineEdit::textChanged, this, &PositionArea::Follow);
  connect(showOnMap_, &QPushButton::clicked, this, &PositionArea::ShowOnMap);
  Follow();
}

QList<QWidget*> PositionArea::Widgets() const {
  return {locator_, decimal_, map_, showOnMap_};
}

void PositionArea::Follow() {
  const std::optional<StationPlace> place = PlaceShownBy(latitude_, longitude_);
  map_->SetPlace(place);
  showOnMap_->setEnabled(place.has_value());
  if (!place) {
    locator_->setText("Locator: none");
    decimal_->setText("Not a position");
    return;
  }
  locator_->setText("Locator: " + QString::fromStdString(MaidenheadLocator(*place)));
  decimal_->setText(QString::fromStdString(DecimalDegrees(place->latitude) + ", " +
                                           DecimalDegrees(place->longitude)));
}

void PositionArea::ShowOnMap() {
  if (const std::optional<StationPlace> place = PlaceShownBy(latitude_, longitude_))
    QDesktopServices::openUrl(OpenStreetMapUrl(*place));
}

QUrl OpenStreetMapUrl(const StationPlace& place) {
  const QString lat = QString::fromStdString(DecimalDegrees(place.latitude));
  const QString lon = QString::fromStdString(DecimalDegrees(place.longitude));
  return QUrl(
      QStringLiteral("https://www.openstreetmap.org/?mlat=%1&mlon=%2#map=12/%1/%2").arg(lat, lon));
}

namespace {

// Puts `text` into `box` as if typed: the document takes it, and Undo
// brings back what was there.
void TypeInto(QLineEdit* box, const std::string& text) {
  box->selectAll();
  box->insert(QString::fromStdString(text));
}

void TurnOnLeaving(QLineEdit* box, PositionAxis axis) {
  // The text the user typed last; null once the box was left or turned.
  auto typed = std::make_shared<QString>();
  QObject::connect(box, &QLineEdit::textEdited, box,
                   [typed](const QString& text) { *typed = text; });
  QObject::connect(box, &QLineEdit::editingFinished, box, [box, axis, typed] {
    const std::string text = box->text().toStdString();
    const bool byUser = !typed->isNull() && box->text() == *typed;
    // A full box without N, S, E, W or a sign may have lost its side.
    const bool cut = box->text().size() >= box->maxLength() && !NamesASide(text);
    *typed = QString();
    if (!byUser || cut)
      return;
    if (const std::optional<std::string> form = DeviceFormFromDegrees(text, axis)) {
      TypeInto(box, *form);
      *typed = QString();
    }
  });
}

// A paste into a position box takes what the clipboard holds whole, before
// the box's length cuts it: a position as a map copies it ("52.36000,
// 16.89383") fills both boxes, degrees fill this one.
class PositionPaste final : public QObject {
 public:
  PositionPaste(QLineEdit* box, PositionAxis axis, QLineEdit* latitude, QLineEdit* longitude)
      : QObject(box), box_(box), axis_(axis), latitude_(latitude), longitude_(longitude) {
    box->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress ||
        !static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste))
      return false;
    const std::string copied = QGuiApplication::clipboard()->text().trimmed().toStdString();
    if (const std::optional<DeviceForms> both = DeviceFormsFromPair(copied)) {
      TypeInto(latitude_, both->latitude);
      TypeInto(longitude_, both->longitude);
      return true;
    }
    if (const std::optional<std::string> form = DeviceFormFromDegrees(copied, axis_)) {
      TypeInto(box_, *form);
      return true;
    }
    return false;
  }

 private:
  QLineEdit* box_;
  PositionAxis axis_;
  QLineEdit* latitude_;
  QLineEdit* longitude_;
};

}  // namespace

void TurnTypedPositions(QLineEdit* latitude, QLineEdit* longitude) {
  TurnOnLeaving(latitude, PositionAxis::kLatitude);
  TurnOnLeaving(longitude, PositionAxis::kLongitude);
  new PositionPaste(latitude, PositionAxis::kLatitude, latitude, longitude);
  new PositionPaste(longitude, PositionAxis::kLongitude, latitude, longitude);
}

}  // namespace vardex
