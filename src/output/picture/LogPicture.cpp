#include "output/picture/LogPicture.h"

#include <QFile>
#include <QPainter>
#include <QSaveFile>

#include "output/picture/RatePicture.h"

namespace mss::output {

QImage LogPicture(const MapScene& scene, const log::LogStatistics& statistics, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const double mapWidth = std::min<double>(size.height(), size.width() * 0.58);
    PaintMap(painter, QRectF(0, 0, mapWidth, size.height()), scene, statistics);
    PaintRates(painter, QRectF(mapWidth, 0, size.width() - mapWidth, size.height()), statistics);
    painter.setPen(QColor(180, 180, 180));
    painter.drawLine(QPointF(mapWidth, 0), QPointF(mapWidth, size.height()));
    return image;
}

bool WriteLogPicture(const std::string& path, const MapScene& scene,
                     const log::LogStatistics& statistics) {
    QSaveFile file(QFile::decodeName(QByteArray::fromStdString(path)));
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (!LogPicture(scene, statistics).save(&file, "PNG")) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace mss::output
