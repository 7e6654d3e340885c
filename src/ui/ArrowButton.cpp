#include "ui/ArrowButton.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>

#include <array>

#include "time/InternalError.h"

// The resources live in the program's static library; this names them to
// the linker.
static void initialiseUiResources() { Q_INIT_RESOURCE(ui); }

namespace noctavo {
namespace {

constexpr const char* moduleName = "ARROWD";
constexpr int imageSize = 32;

constexpr std::array<const char*, 4> directionNames = {"Up", "Down", "Left", "Right"};
constexpr std::array<const char*, 4> stateNames = {"", "Pressed", "Disabled", "Focus"};

struct ArrowImages {
  bool loaded = false;
  std::array<std::array<QImage, 4>, 4> images;  // [direction][state]
};

ArrowImages& arrowImages() {
  static ArrowImages images;
  return images;
}

// The images are drawn in the classic 3-D greys; the desktop's own colours
// take their place.
QImage withPaletteColours(QImage image, const QPalette& palette) {
  image = image.convertToFormat(QImage::Format_RGB32);
  const std::array<std::pair<QRgb, QRgb>, 4> replacements = {{
      {qRgb(192, 192, 192), palette.color(QPalette::Button).rgb()},
      {qRgb(223, 223, 223), palette.color(QPalette::Midlight).rgb()},
      {qRgb(128, 128, 128), palette.color(QPalette::Dark).rgb()},
      {qRgb(255, 255, 255), palette.color(QPalette::Light).rgb()},
  }};
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      for (const auto& [from, to] : replacements) {
        if (line[x] == from) {
          line[x] = to;
          break;
        }
      }
    }
  }
  return image;
}

}  // namespace

QString arrowBitmapName(ArrowDirection direction, ArrowImageState state) {
  return QStringLiteral("Bmp_Arrow") + QString::fromLatin1(directionNames[static_cast<std::size_t>(direction)]) +
         QString::fromLatin1(stateNames[static_cast<std::size_t>(state)]);
}

ArrowImageState arrowImageState(const ArrowDrawRequest& request) {
  if (request.action == ArrowDrawAction::FocusChange) return ArrowImageState::Focus;
  if (request.pressed) return ArrowImageState::Pressed;
  if (request.disabled) return ArrowImageState::Disabled;
  if (request.focused) return ArrowImageState::Focus;
  return ArrowImageState::Normal;
}

void LoadArrowBitmaps() {
  initialiseUiResources();
  ArrowImages& images = arrowImages();
  const QPalette palette = QApplication::palette();
  for (std::size_t d = 0; d < directionNames.size(); ++d) {
    for (std::size_t s = 0; s < stateNames.size(); ++s) {
      const QString name = arrowBitmapName(static_cast<ArrowDirection>(d), static_cast<ArrowImageState>(s));
      const QImage image(QStringLiteral(":/arrows/") + name + QStringLiteral(".png"));
      if (image.isNull() || image.size() != QSize(imageSize, imageSize)) {
        NOCTAVO_INTERNAL_ERROR(moduleName);
        images.images[d][s] = QImage();
        continue;
      }
      images.images[d][s] = withPaletteColours(image, palette);
    }
  }
  images.loaded = true;
}

void FreeArrowBitmaps() { arrowImages() = ArrowImages(); }

const QImage& arrowBitmap(ArrowDirection direction, ArrowImageState state) {
  ArrowImages& images = arrowImages();
  if (!images.loaded) LoadArrowBitmaps();
  return images.images[static_cast<std::size_t>(direction)][static_cast<std::size_t>(state)];
}

bool DrawArrowButton(ArrowDirection direction, const ArrowDrawRequest& request) {
  const QImage& image = arrowBitmap(direction, arrowImageState(request));
  if (image.isNull() || !request.painter) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return true;
  }
  request.painter->drawImage(request.rect.topLeft(), image);
  return true;
}

ArrowButton::ArrowButton(ArrowDirection direction, QWidget* parent) : QPushButton(parent), direction_(direction) {
  setFixedSize(imageSize, imageSize);
}

QSize ArrowButton::sizeHint() const { return QSize(imageSize, imageSize); }

void ArrowButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  ArrowDrawRequest request;
  request.painter = &painter;
  request.rect = rect();
  request.action = ArrowDrawAction::DrawEntire;
  request.pressed = isDown() || isChecked();
  request.disabled = !isEnabled();
  request.focused = hasFocus();
  DrawArrowButton(direction_, request);
}

}  // namespace noctavo
