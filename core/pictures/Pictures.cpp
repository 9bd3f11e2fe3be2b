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

const std::array<const char*, Pictures::kPageButtons> kPageButtonFiles = {
    "button-rental",   "button-returns", "button-catalogue", "button-statistics",
    "button-settings", "button-members", "button-sale"};

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

// Where the picture's view box goes so that it covers the target without distortion,
// centred, overhanging on the side that is relatively shorter.
QRectF CoverRect(const QSizeF& viewBox, const QSize& target) {
    const double scale =
        std::max(target.width() / viewBox.width(), target.height() / viewBox.height());
    const QSizeF drawn = viewBox * scale;
    return {(target.width() - drawn.width()) / 2, (target.height() - drawn.height()) / 2,
            drawn.width(), drawn.height()};
}

}  // namespace

QPixmap Pictures::PageButton(int index, QSize size) {
    return Render(ResourceAt(kPageButtonFiles, index), size, Fit::Stretch);
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
    const QString key =
        QStringLiteral("lumtrak:%1:%2x%3").arg(resource).arg(size.width()).arg(size.height());
    QPixmap cached;
    if (QPixmapCache::find(key, &cached)) return cached;

    QSvgRenderer renderer(resource);
    if (!renderer.isValid()) return {};

    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    if (fit == Fit::Cover)
        renderer.render(&painter, CoverRect(renderer.viewBoxF().size(), size));
    else
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();

    QPixmap pixmap = QPixmap::fromImage(image);
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}
