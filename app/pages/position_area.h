#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

#include "station_place.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace vardex {

class WorldMap;

// Under the position boxes: the place they name as a Maidenhead locator and
// in decimal degrees, a world map with the station's dot, and "Show on map",
// which opens the place on OpenStreetMap in the browser. It follows the
// boxes' text, whoever sets it. Its widgets are the page's children, one
// under the other, as wide as the boxes and never wider.
class PositionArea final : public QObject {
 public:
  PositionArea(QLineEdit* latitude, QLineEdit* longitude, QWidget* page);
  // Top to bottom.
  QList<QWidget*> Widgets() const;

 private:
  void Follow();
  void ShowOnMap();

  QLineEdit* latitude_;
  QLineEdit* longitude_;
  QLabel* locator_;
  QLabel* decimal_;
  WorldMap* map_;
  QPushButton* showOnMap_;
};

// The OpenStreetMap page of `place`, with a marker on it.
QUrl OpenStreetMapUrl(const StationPlace& place);

// When the user leaves a position box after typing a position as a map
// gives it (decimal degrees, degrees with minutes or seconds), the box takes
// the device's form as if it had been typed; a paste is turned at once, and
// "latitude, longitude" pasted into either box fills both. What a read, a
// file or the start put into a box, and text that reads neither way, stay.
void TurnTypedPositions(QLineEdit* latitude, QLineEdit* longitude);

}  // namespace vardex
