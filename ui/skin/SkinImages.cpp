#include "SkinImages.h"

#include <QDir>
#include <QHash>

namespace pemrix {

namespace {

const QString kImageFolder = QStringLiteral(":/images");
const QString kDoubleSizeSuffix = QStringLiteral("@2x");

// Resource names in lower case, mapped to their paths; the folder never changes at run time.
const QHash<QString, QString>& ImagesByName()
{
    static const QHash<QString, QString> images = [] {
        QHash<QString, QString> byName;
        const QDir folder(kImageFolder);
        for (const QFileInfo& file : folder.entryInfoList({QStringLiteral("*.png")}, QDir::Files))
            byName.insert(file.completeBaseName().toLower(), file.filePath());
        return byName;
    }();
    return images;
}

} // namespace

QString FindSkinImagePath(const QString& name)
{
    return ImagesByName().value(name.toLower());
}

QPixmap LoadSkinImage(const QString& name, qreal devicePixelRatio)
{
    if (devicePixelRatio > 1.0) {
        const QString doubleSize = FindSkinImagePath(name + kDoubleSizeSuffix);
        if (!doubleSize.isEmpty()) {
            QPixmap image(doubleSize);
            image.setDevicePixelRatio(2.0);
            return image;
        }
    }
    const QString path = FindSkinImagePath(name);
    return path.isEmpty() ? QPixmap() : QPixmap(path);
}

} // namespace pemrix
