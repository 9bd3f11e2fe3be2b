#include "core/pictures/Pictures.h"

#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmapCache>
#include <QStringList>
#include <QSvgRenderer>
#include <algorithm>
#include <array>
#include <utility>

namespace {

// The faces of the page buttons lie side by side in one file, in the order of their
// indexes; every face lies on the same plate.
const QString kPageButtonsFile = QStringLiteral(":/pictures/page-buttons.svg");
const QString kPageButtonPlateFile = QStringLiteral(":/pictures/page-button-plate.svg");

const std::array<const char*, Pictures::kPageBackgrounds> kPageBackgroundFiles = {
    "background-settings", "background-statistics", "background-catalogue",
    "background-returns",  "background-counter",    "background-members"};

const std::array<const char*, Pictures::kReportButtons> kReportButtonFiles = {
    "report-customers", "report-income",      "report-purchases",    "report-returns",
    "report-rentals",   "report-most-rented", "report-sales-income", "report-best-selling"};

template <std::size_t N>
QString ResourceAt(const std::array<const char*, N>& files, int index) {
    if (index < 0 || index >= static_cast<int>(N)) return {};
    return QStringLiteral(":/pictures/%1.svg").arg(QLatin1String(files[index]));
}

QString CacheKey(const QString& picture, QSize size) {
    return QStringLiteral("lumtrak:%1:%2x%3").arg(picture).arg(size.width()).arg(size.height());
}

QString PageButtonKey(int index, QSize size) {
    return CacheKey(QStringLiteral("%1#%2").arg(kPageButtonsFile).arg(index), size);
}

// Where the picture's view box goes so that it covers the target without distortion,
// centred, overhanging on the side that is relatively shorter.
QRectF CoverRect(const QSizeF& viewBox, const QSize& target) {
    const double scale =
        std::max(target.width() / viewBox.width(), target.height() / viewBox.height());
    const QSizeF drawn = viewBox * scale;
    return {(target.width() - drawn.width()) / 2, (target.height() - drawn.height()) / 2,
            drawn.width(), drawn.height()};
}

void Paint(QSvgRenderer& renderer, QPainter& painter, const QRectF& where) {
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    renderer.render(&painter, where);
}

// An opaque picture is drawn on black, so that a gap it leaves shows; a picture with
// see-through parts on nothing.
QImage Draw(QSvgRenderer& renderer, QSize size, const QRectF& where, QImage::Format format) {
    QImage image(size, format);
    image.fill(format == QImage::Format_RGB32 ? QColor(Qt::black) : QColor(Qt::transparent));
    QPainter painter(&image);
    Paint(renderer, painter, where);
    painter.end();
    return image;
}

QRectF Whole(QSize size) {
    return {QPointF(0, 0), QSizeF(size)};
}

// The row of page buttons at the size of one: the plate drawn once and laid under every
// face, the faces drawn in one pass.
QImage DrawPageButtons(QSize size) {
    QSvgRenderer plate(kPageButtonPlateFile);
    QSvgRenderer faces(kPageButtonsFile);
    if (!plate.isValid() || !faces.isValid()) return {};
    const QImage plateImage = Draw(plate, size, Whole(size), QImage::Format_ARGB32_Premultiplied);
    const QSize rowSize(size.width() * Pictures::kPageButtons, size.height());
    QImage row(rowSize, QImage::Format_ARGB32_Premultiplied);
    row.fill(Qt::transparent);
    QPainter painter(&row);
    for (int i = 0; i < Pictures::kPageButtons; ++i)
        painter.drawImage(QPoint(i * size.width(), 0), plateImage);
    Paint(faces, painter, Whole(rowSize));
    painter.end();
    return row;
}

}  // namespace

// All the page buttons are drawn together at the size asked (they are always shown
// together, at one size), each kept under its own key.
QPixmap Pictures::PageButton(int index, QSize size) {
    if (index < 0 || index >= kPageButtons || size.isEmpty()) return {};
    QPixmap cached;
    if (QPixmapCache::find(PageButtonKey(index, size), &cached)) return cached;

    const QImage row = DrawPageButtons(size);
    if (row.isNull()) return {};
    QPixmap asked;
    for (int i = 0; i < kPageButtons; ++i) {
        QPixmap button = QPixmap::fromImage(row.copy(QRect(QPoint(i * size.width(), 0), size)));
        QPixmapCache::insert(PageButtonKey(i, size), button);
        if (i == index) asked = button;
    }
    return asked;
}

QPixmap Pictures::PageBackground(int index, QSize size) {
    return Render(ResourceAt(kPageBackgroundFiles, index), size, Fit::Cover);
}

QPixmap Pictures::ReportButton(int index, QSize size) {
    return Render(ResourceAt(kReportButtonFiles, index), size, Fit::Stretch);
}

// The window system asks for one or two of the icon's sizes, often none before the window
// is on screen: each is drawn when first asked for.
class Pictures::IconEngine : public QIconEngine {
  public:
    explicit IconEngine(QString resource) : resource_(std::move(resource)) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        return Render(resource_, size, Fit::Stretch);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (int side : {16, 24, 32, 48, 64, 128, 256}) sizes.append({side, side});
        return sizes;
    }
    QIconEngine* clone() const override { return new IconEngine(resource_); }

  private:
    QString resource_;
};

QIcon Pictures::WindowIcon() {
    return QIcon(new IconEngine(QStringLiteral(":/pictures/window-icon.svg")));
}

QPixmap Pictures::Render(const QString& resource, QSize size, Fit fit) {
    if (resource.isEmpty() || size.isEmpty()) return {};

    // Pages ask again on every resize and page switch: keep what was drawn.
    const QString key = CacheKey(resource, size);
    QPixmap cached;
    if (QPixmapCache::find(key, &cached)) return cached;

    QSvgRenderer renderer(resource);
    if (!renderer.isValid()) return {};

    // A background covers the whole size: drawn opaque, it becomes the pixmap as it is,
    // without a copy or a search for see-through pixels.
    QImage image;
    if (fit == Fit::Cover)
        image =
            Draw(renderer, size, CoverRect(renderer.viewBoxF().size(), size), QImage::Format_RGB32);
    else
        image = Draw(renderer, size, Whole(size), QImage::Format_ARGB32_Premultiplied);
    QPixmap pixmap = QPixmap::fromImage(std::move(image));
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}
