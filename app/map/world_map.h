#pragma once

#include <QWidget>
#include <optional>

#include "station_place.h"

namespace vardex {

// The whole world, west to east and north to south on a plain grid of
// degrees, with the equator and the prime meridian, and a dot where the
// station is: a latitude or longitude on the wrong side shows at a glance.
class WorldMap final : public QWidget {
 public:
  explicit WorldMap(QWidget* parent = nullptr);

  // The station's place; none hides the dot.
  void SetPlace(const std::optional<StationPlace>& place);
  const std::optional<StationPlace>& Place() const { return place_; }
  // Where the dot stands in the widget.
  QPointF DotAt() const;

  QSize sizeHint() const override { return {168, 84}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // The world's rectangle: two by one, centred.
  QRectF WorldRect() const;

  std::optional<StationPlace> place_;
};

}  // namespace vardex
