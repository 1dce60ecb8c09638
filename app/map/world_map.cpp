#include "world_map.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cstdlib>

#include "land_outlines.h"

namespace vardex {
namespace {

constexpr double kPerDegree = 6000.0;  // hundredths of a minute

// The land in degrees, north up (y is minus the latitude), built once.
const QPainterPath& LandPath() {
  static const QPainterPath path = [] {
    QPainterPath land;
    land.setFillRule(Qt::OddEvenFill);  // lakes inside the land stay open
    const std::span<const std::int16_t> data = LandOutlines();
    for (std::size_t i = 0; i < data.size();) {
      const std::size_t count = static_cast<std::size_t>(data[i++]);
      for (std::size_t p = 0; p < count && i + 1 < data.size(); ++p, i += 2) {
        const QPointF point(data[i] / 10.0, -data[i + 1] / 10.0);
        if (p == 0)
          land.moveTo(point);
        else
          land.lineTo(point);
      }
      land.closeSubpath();
    }
    return land;
  }();
  return path;
}

QString PlaceWords(const StationPlace& place) {
  return QStringLiteral("Station at %1 degrees %2, %3 degrees %4")
      .arg(std::abs(place.latitude) / kPerDegree, 0, 'f', 2)
      .arg(place.latitude < 0 ? "south" : "north")
      .arg(std::abs(place.longitude) / kPerDegree, 0, 'f', 2)
      .arg(place.longitude < 0 ? "west" : "east");
}

}  // namespace

WorldMap::WorldMap(QWidget* parent) : QWidget(parent) {
  setObjectName("WorldMap");
  setAccessibleName("World map");
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  setMinimumHeight(sizeHint().height());
  SetPlace(std::nullopt);
}

void WorldMap::SetPlace(const std::optional<StationPlace>& place) {
  place_ = place;
  setAccessibleDescription(place ? PlaceWords(*place) : QStringLiteral("No station position"));
  update();
}

QRectF WorldMap::WorldRect() const {
  const QRectF area = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  const double width = std::min(area.width(), 2 * area.height());
  return {area.center().x() - width / 2, area.center().y() - width / 4, width, width / 2};
}

QPointF WorldMap::DotAt() const {
  if (!place_)
    return {};
  const QRectF world = WorldRect();
  return {world.left() + (place_->longitude / kPerDegree + 180) / 360 * world.width(),
          world.top() + (90 - place_->latitude / kPerDegree) / 180 * world.height()};
}

void WorldMap::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF world = WorldRect();
  painter.fillRect(world, QColor(0xd4, 0xe6, 0xf5));

  painter.save();
  painter.setClipRect(world);
  painter.translate(world.center());
  painter.scale(world.width() / 360, world.height() / 180);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0xa9, 0xc4, 0x8f));
  painter.drawPath(LandPath());
  painter.restore();

  QPen axis(QColor(0x5a, 0x7d, 0x9a), 1, Qt::DashLine);
  axis.setCosmetic(true);
  painter.setPen(axis);
  painter.drawLine(QPointF(world.left(), world.center().y()),
                   QPointF(world.right(), world.center().y()));
  painter.drawLine(QPointF(world.center().x(), world.top()),
                   QPointF(world.center().x(), world.bottom()));
  painter.setPen(QPen(palette().color(QPalette::Mid), 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(world);

  if (place_) {
    painter.setPen(QPen(Qt::white, 1.5));
    painter.setBrush(QColor(0xd0, 0x10, 0x10));
    painter.drawEllipse(DotAt(), 3.5, 3.5);
  }
}

}  // namespace vardex
