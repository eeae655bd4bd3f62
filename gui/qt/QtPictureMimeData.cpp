// The clipboard picture's offered forms.
#include "gui/qt/QtPictureMimeData.h"

#include <QBuffer>

namespace {
const QString pngType = QStringLiteral("image/png");
const QString bmpType = QStringLiteral("image/bmp");
const QString qtImageType = QStringLiteral("application/x-qt-image");

QByteArray encode(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}
}

QtPictureMimeData::QtPictureMimeData(QImage picture)
    : m_picture(std::move(picture))
{
}

// Only the two file forms are listed: Qt offers every format it can write for a listed Qt image,
// and pasting programs then pick lossy or exotic ones. The Qt image stays readable here.
QStringList QtPictureMimeData::formats() const { return { pngType, bmpType }; }

bool QtPictureMimeData::hasFormat(const QString& mimeType) const
{
    return mimeType == qtImageType || formats().contains(mimeType);
}

QVariant QtPictureMimeData::retrieveData(const QString& mimeType, QMetaType type) const
{
    if (mimeType == qtImageType)
        return m_picture;
    if (mimeType == pngType) {
        if (m_png.isEmpty())
            m_png = encode(m_picture, "PNG");
        return m_png;
    }
    if (mimeType == bmpType) {
        if (m_bmp.isEmpty())
            m_bmp = encode(m_picture.convertToFormat(QImage::Format_RGB32), "BMP"); // BMP is opaque
        return m_bmp;
    }
    return QMimeData::retrieveData(mimeType, type);
}
