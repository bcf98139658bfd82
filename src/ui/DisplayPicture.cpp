#include "ui/DisplayPicture.h"

#include <algorithm>

namespace ui {

QImage DisplayPicture(const QImage& picture, bool fitSize) {
    if (picture.isNull()) return {};
    if (fitSize) {
        QSize size(kDisplayWidth, std::max(1, int(qint64(picture.height()) * kDisplayWidth / picture.width())));
        if (size.height() > kMaxPictureHeight)
            size = QSize(std::max(1, int(qint64(picture.width()) * kMaxPictureHeight / picture.height())),
                         kMaxPictureHeight);
        return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    const int width = std::min(picture.width(), kDisplayWidth);
    const int height = std::min(picture.height(), kMaxPictureHeight);
    return picture.copy((picture.width() - width) / 2, (picture.height() - height) / 2, width, height);
}

} // namespace ui
