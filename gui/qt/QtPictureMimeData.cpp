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

QStringList QtPictureMimeData::formats() const { return { pngType, bmpType, qtImageType }; }

bool QtPictureMimeData::hasFormat(const QString& mimeType) const { return formats().contains(mimeType); }

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
            m_bmp = encode(m_picture, "BMP");
        return m_bmp;
    }
    return QMimeData::retrieveData(mimeType, type);
}
