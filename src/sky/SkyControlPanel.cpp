#include "sky/SkyControlPanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <initializer_list>
#include <string>

#include "bodies/BodyState.h"
#include "bodies/QuantityBits.h"
#include "catalogues/Constellation.h"
#include "catalogues/GreekLetter.h"
#include "catalogues/NgcCatalogue.h"
#include "catalogues/Star.h"
#include "frame/WindowMessages.h"
#include "sky/SkyDisplay.h"
#include "time/AngleConstants.h"
#include "time/InternalError.h"
#include "ui/ArrowButton.h"
#include "ui/DialogControls.h"
#include "ui/Options.h"
#include "ui/SymbolFont.h"
#include "ui/TimeBar.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "AST_SKY";

constexpr const char* noNameText = "(none)";
constexpr const char* unknownText = "Unknown";

// A magnitude is shown as every magnitude of the program: "%+.2f", or
// "Unknown" for the catalogues' 9999.
const MagnitudeQuantity& magnitudeFormat() {
  static const MagnitudeQuantity format("Magnitude", 0, 0, quantity_bit::magnitude, 0, 0);
  return format;
}

QString text(const std::string& bytes) { return symbolText(bytes); }
QString text(const char* bytes) { return symbolText(bytes ? bytes : ""); }

// The quantity's own text of a computed value; a body without that quantity
// shows "Unknown".
QString quantityText(const AstBody& body, std::uint32_t flag, const BodyState& computed) {
  if (!body.hasQuantity(flag)) return QString::fromLatin1(unknownText);
  const Quantity* quantity = body.findQuantity(flag);
  return quantity ? text(quantity->format(computed.valueOf(flag))) : QString::fromLatin1(unknownText);
}

QString constellationNameText(const Constellation* constellation) {
  return constellation ? text(constellation->getName()) : QString::fromLatin1(unknownText);
}

// ---- Drawing of the direction of view ---------------------------------------

constexpr double centreXFraction = 0.63;
constexpr double centreYFraction = 0.55;
constexpr double horizonRadiusXFraction = 0.25;
constexpr double horizonRadiusYFraction = 0.1;
constexpr double arrowHeadFraction = 1.0 / 3.0;
constexpr double arrowHeadAngle1 = 165.0;
constexpr double arrowHeadAngle2 = 195.0;
constexpr double scaleXFraction = 0.17;
constexpr double scaleBottomFraction = 0.8;
constexpr double scaleHeightFraction = 0.6;
constexpr int scaleTickLength = 5;
constexpr int scaleTickStepDegrees = 30;
constexpr int scaleLabelGap = 6;
constexpr int markerStart = 2;
constexpr int markerEnd = 17;
constexpr int markerHeadX = 7;
constexpr int markerHeadY = 5;

// The labels stand where the drawing's proportions put them, moved a pixel
// inside the control where the font is wider than the drawing allows for
// ("18h" right of the horizon), so that none is ever cut off.
void drawTextAt(QPainter& painter, double x, double top, const QString& label) {
  const QFontMetricsF metrics(painter.font());
  const QRectF room = QRectF(painter.window()).adjusted(1, 1, -1, -1);
  x = std::clamp(x, room.left(), std::max(room.left(), room.right() - metrics.horizontalAdvance(label)));
  top = std::clamp(top, room.top(), std::max(room.top(), room.bottom() - metrics.height()));
  painter.drawText(QPointF(x, top + metrics.ascent()), label);
}

void drawTextRightAligned(QPainter& painter, double right, double top, const QString& label) {
  drawTextAt(painter, right - QFontMetricsF(painter.font()).horizontalAdvance(label), top, label);
}

}  // namespace


// ---- Object information -----------------------------------------------------

QString skyStarNameText(const Star& star) {
  const GreekLetter letter(star.greekLetter());
  const std::string name = star.getName();
  const bool hasLetter = letter.isValid();
  const bool hasName = !name.empty();
  std::string shown;
  if (hasLetter && hasName) {
    shown = std::string(1, static_cast<char>(letter.symbol())) + " (" + name + ")";
  } else if (hasName) {
    shown = name;
  } else if (hasLetter) {
    shown = std::string(1, static_cast<char>(letter.symbol()));
  } else {
    shown = noNameText;
  }
  return text(shown);
}

SkyObjectInfo skyObjectInfo(const AstBody& given, const SkyWindowState& state) {
  SkyObjectInfo info;
  const AstBody* object = &given;
  // A constellation stands where its alpha star stands and shows that star.
  if (object->getObjectType() == ObjectType::Constellation) {
    object = static_cast<const Constellation&>(given).referenceStar();
    if (!object) {
      NOCTAVO_INTERNAL_ERROR(moduleName);
      return info;
    }
  }
  const ObjectType type = object->getObjectType();
  if (type == ObjectType::Earth || type == ObjectType::Unknown) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return info;
  }

  info.name = type == ObjectType::Star ? skyStarNameText(static_cast<const Star&>(*object)) : text(object->getName());

  const AstCoord horizontal = skyPosition(state.tables, MapType::Horizontal, *object);
  info.azimuth = text(formatAngle(horizontal.a(), false));
  info.altitude = text(formatAngle(horizontal.b(), false));
  const AstCoord equatorial = skyEquatorialPosition(state.tables, *object);
  info.rightAscension = text(formatAngle(equatorial.a(), true));
  info.declination = text(formatAngle(equatorial.b(), false));

  // Rise and set, and for the bodies of the solar system their magnitude,
  // zodiacal constellation and phase, at the Sky window's moment.
  const bool solarSystemBody = type == ObjectType::Sun || type == ObjectType::Moon || type == ObjectType::Planet;
  std::uint32_t flags = quantity_bit::rise | quantity_bit::set;
  if (solarSystemBody) flags |= quantity_bit::zodiacConstellation;
  if (type == ObjectType::Planet) flags |= quantity_bit::magnitude;
  if (type == ObjectType::Moon || type == ObjectType::Planet) flags |= quantity_bit::phase;
  BodyState computed;
  object->compute(flags, state.observer, computed, TimeKind::Lct, CoordSystem::Horizontal);
  info.rise = text(computed.rise.formatTime());
  info.set = text(computed.set.formatTime());

  switch (type) {
    case ObjectType::Sun:
    case ObjectType::Moon:
      info.magnitudeShown = false;
      break;
    case ObjectType::Planet:
      info.magnitude = text(magnitudeFormat().format(computed.magnitude));
      break;
    case ObjectType::Star:
      info.magnitude = text(magnitudeFormat().format(static_cast<const Star&>(*object).magnitude()));
      break;
    case ObjectType::NgcObject:
      info.magnitude = text(magnitudeFormat().format(static_cast<const NgcObject&>(*object).magnitude()));
      break;
    default:
      break;
  }

  if (solarSystemBody) {
    info.constellation = quantityText(*object, quantity_bit::zodiacConstellation, computed);
  } else if (type == ObjectType::Star) {
    info.constellation = constellationNameText(static_cast<const Star&>(*object).constellation());
  } else if (type == ObjectType::NgcObject) {
    info.constellation = constellationNameText(static_cast<const NgcObject&>(*object).constellation());
  }

  if (type == ObjectType::Moon || type == ObjectType::Planet) {
    info.phaseShown = true;
    info.phase = quantityText(*object, quantity_bit::phase, computed);
  }
  return info;
}

// ---- ObserverControl --------------------------------------------------------

ObserverControl::ObserverControl(const SkyWindowState& state, QWidget* parent) : QWidget(parent), state_(state) {
  setObjectName(QStringLiteral("ObserverControl"));
  setControlId(this, sky_control::observerControl);
  // The drawing's proportions are those of this size; stretched with a wide
  // panel, the dome would no longer fit above the horizon.
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize ObserverControl::sizeHint() const { return {200, 110}; }

QSize ObserverControl::minimumSizeHint() const { return sizeHint(); }

void ObserverControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setFont(SymbolFont());
  painter.setPen(palette().color(QPalette::WindowText));
  const double w = width();
  const double h = height();
  const double f = TextLineHeight();
  const double cx = centreXFraction * w;
  const double cy = centreYFraction * h;
  const double rx = horizonRadiusXFraction * w;
  const double ry = horizonRadiusYFraction * w;

  // The horizon seen obliquely, and the dome of the sky over it.
  painter.setBrush(palette().color(QPalette::Button));
  painter.drawEllipse(QRectF(cx - rx, cy - ry, 2 * rx, 2 * ry));
  painter.setBrush(Qt::NoBrush);
  constexpr int sixteenthsPerDegree = 16;
  painter.drawArc(QRectF(cx - rx, cy - rx, 2 * rx, 2 * rx), 0, 180 * sixteenthsPerDegree);

  const bool equatorial = state_.settings.mapType == MapType::Equatorial;
  const QString top = equatorial ? QStringLiteral("0h") : QStringLiteral("N");
  const QString right = equatorial ? QStringLiteral("18h") : QStringLiteral("E");
  const QString bottom = equatorial ? QStringLiteral("12h") : QStringLiteral("S");
  const QString left = equatorial ? QStringLiteral("6h") : QStringLiteral("W");
  drawTextAt(painter, cx - 4, cy - ry - 1.2 * f, top);
  drawTextAt(painter, cx + rx + 7, cy - 0.5 * f, right);
  drawTextAt(painter, cx - 4, cy + ry + 0.3 * f, bottom);
  drawTextAt(painter, cx - rx - 17, cy - 0.5 * f, left);

  // The direction of view: north (or 0h) up, east to the right.
  double angle = 360.0 - state_.settings.viewLambda + 90.0;
  if (angle >= 360.0) angle -= 360.0;
  const auto onEllipse = [](double degrees, double radiusX, double radiusY) {
    return QPointF(radiusX * cosDegrees(degrees), -radiusY * sinDegrees(degrees));
  };
  const QPointF centre(cx, cy);
  const QPointF tip = centre + onEllipse(angle, rx, ry);
  painter.drawLine(centre, tip);
  const double headX = rx * arrowHeadFraction;
  const double headY = ry * arrowHeadFraction;
  painter.drawLine(tip, tip + onEllipse(angle + arrowHeadAngle1, headX, headY));
  painter.drawLine(tip, tip + onEllipse(angle + arrowHeadAngle2, headX, headY));

  // The altitude scale from -90 (bottom) to +90 degrees (top).
  const double x = scaleXFraction * w;
  const double bottomY = scaleBottomFraction * h;
  const double scaleHeight = scaleHeightFraction * h;
  painter.drawLine(QPointF(x, bottomY), QPointF(x, bottomY - scaleHeight));
  const auto heightOf = [&](double degrees) { return bottomY - (degrees + 90.0) / 180.0 * scaleHeight; };
  for (int degrees = -90; degrees <= 90; degrees += scaleTickStepDegrees) {
    const double y = heightOf(degrees);
    painter.drawLine(QPointF(x - scaleTickLength, y), QPointF(x, y));
  }
  const QString degree = symbolText("\xB0");
  drawTextRightAligned(painter, x - scaleLabelGap, heightOf(90) - 0.5 * f, QStringLiteral("+90") + degree);
  drawTextRightAligned(painter, x - scaleLabelGap, heightOf(0) - 0.5 * f, QStringLiteral("0") + degree);
  drawTextRightAligned(painter, x - scaleLabelGap, heightOf(-90) - 0.5 * f, QStringLiteral("-90") + degree);

  // The marker at the view's altitude, pointing at the scale.
  const double y = heightOf(state_.settings.viewPhi);
  painter.drawLine(QPointF(x + markerStart, y), QPointF(x + markerEnd, y));
  painter.drawLine(QPointF(x + markerStart, y), QPointF(x + markerHeadX, y - markerHeadY));
  painter.drawLine(QPointF(x + markerStart, y), QPointF(x + markerHeadX, y + markerHeadY));
}

// ---- The panel ----------------------------------------------------------------

namespace {

QLabel* valueLabel(QWidget* parent, int id) {
  auto* label = withId(new QLabel(parent), id);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

}  // namespace

SkyControlPanel::SkyControlPanel(SkyWindowState& state, QWidget* parent) : QWidget(parent), state_(state) {
  setObjectName(QStringLiteral("Dlg_SkyCtrl"));
  setFont(SymbolFont());
  // A dialog's face on the window's light grey.
  QPalette face = palette();
  face.setColor(QPalette::Window, QApplication::palette().color(QPalette::Window));
  setPalette(face);
  setAutoFillBackground(true);
  build();
  showStarsFixed();
  updateArrows();
  showSkyObjectInfo(nullptr, false);
}

void SkyControlPanel::build() {
  // Direction of view: the four arrows around the drawing.
  auto* directionBox = new QGroupBox(QStringLiteral("Direction of view"), this);
  up_ = withId(new ArrowButton(ArrowDirection::Up, directionBox), sky_control::arrowUp);
  down_ = withId(new ArrowButton(ArrowDirection::Down, directionBox), sky_control::arrowDown);
  left_ = withId(new ArrowButton(ArrowDirection::Left, directionBox), sky_control::arrowLeft);
  right_ = withId(new ArrowButton(ArrowDirection::Right, directionBox), sky_control::arrowRight);
  observerControl_ = new ObserverControl(state_, directionBox);
  // The arrows stay beside the drawing however wide the panel is; the spare
  // width goes to both sides.
  auto* direction = new QGridLayout(directionBox);
  direction->addWidget(up_, 0, 2, Qt::AlignHCenter);
  direction->addWidget(left_, 1, 1, Qt::AlignVCenter);
  direction->addWidget(observerControl_, 1, 2);
  direction->addWidget(right_, 1, 3, Qt::AlignVCenter);
  direction->addWidget(down_, 2, 2, Qt::AlignHCenter);
  direction->setColumnStretch(0, 1);
  direction->setColumnStretch(4, 1);
  connect(up_, &QPushButton::clicked, this, [this] { lookUp(); });
  connect(down_, &QPushButton::clicked, this, [this] { lookDown(); });
  connect(left_, &QPushButton::clicked, this, [this] { turnLeft(); });
  connect(right_, &QPushButton::clicked, this, [this] { turnRight(); });

  // The selected object.
  auto* objectBox = new QGroupBox(QStringLiteral("Object"), this);
  auto* object = new QGridLayout(objectBox);
  object->setColumnStretch(1, 1);
  object->setColumnStretch(2, 1);
  int row = 0;
  auto addRow = [&](QLabel* label, std::initializer_list<int> valueIds) {
    object->addWidget(label, row, 0);
    int column = 1;
    for (int id : valueIds) {
      object->addWidget(valueLabel(objectBox, id), row, column, 1, valueIds.size() == 1 ? 2 : 1);
      ++column;
    }
    ++row;
  };
  addRow(new QLabel(QStringLiteral("Name:"), objectBox), {sky_control::name});
  addRow(new QLabel(QStringLiteral("Hor:"), objectBox), {sky_control::azimuth, sky_control::altitude});
  addRow(new QLabel(QStringLiteral("Equ:"), objectBox), {sky_control::rightAscension, sky_control::declination});
  addRow(withId(new QLabel(QStringLiteral("Magnitude:"), objectBox), sky_control::magnitudeLabel),
         {sky_control::magnitude});
  addRow(new QLabel(QStringLiteral("Rise/Set:"), objectBox), {sky_control::rise, sky_control::set});
  addRow(new QLabel(QStringLiteral("Constell.:"), objectBox), {sky_control::constellation});
  addRow(withId(new QLabel(QStringLiteral("Phase:"), objectBox), sky_control::phaseLabel), {sky_control::phase});
  auto* highlight = withId(new QPushButton(QStringLiteral("Highlight"), objectBox), sky_control::highlight);
  object->addWidget(highlight, row, 0, 1, 3, Qt::AlignRight);
  connect(highlight, &QPushButton::clicked, this, [this] {
    if (display_) display_->startHighlight();
  });

  // Browsing the window's own moment: the time bar steps it, "Reset" goes
  // back to the program observer's.
  auto* browseBox = new QGroupBox(QStringLiteral("Browse"), this);
  timeBar_ = new TimeBar(browseBox);
  timeBar_->addToMomentRow(withId(new QLabel(QStringLiteral("LCT")), sky_control::timeSystem));
  timeBar_->setResetSource(&observer().dateTime);
  timeBar_->setMoment(state_.observer.dateTime);
  connect(timeBar_, &TimeBar::momentChanged, this, [this](const AstDateTime& moment) {
    state_.observer.dateTime = moment;
    momentChanged();
  });

  starsFixed_ = withId(new QCheckBox(QStringLiteral("Keep stars fixed while browsing"), browseBox),
                       sky_control::starsFixed);
  connect(starsFixed_, &QCheckBox::clicked, this, [this](bool checked) {
    state_.settings.starsFixed = checked ? 1 : 0;
    // The stars move to the other conversion moment.
    if (display_) display_->momentChanged();
  });

  auto* browse = new QVBoxLayout(browseBox);
  browse->addWidget(timeBar_);
  browse->addWidget(starsFixed_);

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(4, 4, 4, 4);
  column->addWidget(directionBox);
  column->addWidget(objectBox);
  column->addWidget(browseBox);
  column->addStretch(1);
}

QWidget* SkyControlPanel::control(int controlId) const {
  return NOCTAVO_CONTROL(QWidget, this, controlId, moduleName);
}

void SkyControlPanel::setText(int controlId, const QString& shown) {
  if (auto* label = NOCTAVO_CONTROL(QLabel, this, controlId, moduleName)) label->setText(shown);
}

void SkyControlPanel::setEnabledControl(int controlId, bool enabled) {
  if (QWidget* widget = control(controlId)) widget->setEnabled(enabled);
}

void SkyControlPanel::updateArrows() {
  const double phi = state_.settings.viewPhi;
  const bool up = upArrowEnabled(phi);
  const bool down = downArrowEnabled(phi);
  up_->setEnabled(up);
  down_->setEnabled(down);
  if (!up) down_->setFocus();
  if (!down) up_->setFocus();
}

void SkyControlPanel::takeFocus() {
  for (ArrowButton* arrow : {up_, left_, right_, down_}) {
    if (arrow->isEnabled()) {
      arrow->setFocus();
      return;
    }
  }
}

namespace {

void viewChanged(SkyControlPanel& panel, SkyDisplay* display) {
  panel.updateArrows();
  panel.observerControl()->update();
  if (display) display->update();
}

}  // namespace

void SkyControlPanel::turnLeft() {
  state_.settings.viewLambda = turnedLeft(state_.settings.viewLambda);
  viewChanged(*this, display_);
}

void SkyControlPanel::turnRight() {
  state_.settings.viewLambda = turnedRight(state_.settings.viewLambda);
  viewChanged(*this, display_);
}

void SkyControlPanel::lookUp() {
  state_.settings.viewPhi = steppedAltitude(state_.settings.mapType, state_.settings.viewPhi, 1);
  viewChanged(*this, display_);
}

void SkyControlPanel::lookDown() {
  state_.settings.viewPhi = steppedAltitude(state_.settings.mapType, state_.settings.viewPhi, -1);
  viewChanged(*this, display_);
}

void SkyControlPanel::showStarsFixed() { starsFixed_->setChecked(state_.settings.starsFixed != 0); }

void SkyControlPanel::showSkyObjectInfo(const AstBody* object, bool moveCursor) {
  timeBar_->setMoment(state_.observer.dateTime);
  if (!object || state_.released) {
    setEnabledControl(sky_control::highlight, false);
    return;
  }
  setEnabledControl(sky_control::highlight, true);
  const SkyObjectInfo info = skyObjectInfo(*object, state_);
  setText(sky_control::name, info.name);
  setText(sky_control::azimuth, info.azimuth);
  setText(sky_control::altitude, info.altitude);
  setText(sky_control::rightAscension, info.rightAscension);
  setText(sky_control::declination, info.declination);
  setEnabledControl(sky_control::magnitudeLabel, info.magnitudeShown);
  setText(sky_control::magnitude, info.magnitude);
  setText(sky_control::rise, info.rise);
  setText(sky_control::set, info.set);
  setText(sky_control::constellation, info.constellation);
  setEnabledControl(sky_control::phaseLabel, info.phaseShown);
  setText(sky_control::phase, info.phase);
  if (moveCursor && display_) display_->moveCursorTo(*object);
}

void SkyControlPanel::momentChanged() {
  timeBar_->setMoment(state_.observer.dateTime);
  if (display_) display_->momentChanged();
}

bool SkyControlPanel::event(QEvent* event) {
  const WindowMessage* message = asWindowMessage(event);
  if (!message || !followObserver(*message, state_.observer)) return QWidget::event(event);
  momentChanged();
  return true;
}

}  // namespace noctavo
