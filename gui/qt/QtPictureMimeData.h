// QtPictureMimeData: a picture on the clipboard, offered to other programs as image/png and
// image/bmp only (and to Qt itself as an image). PNG keeps the picture's alpha; BMP is opaque. Each file form is encoded the first time a program asks for
// it, then kept.
#pragma once

#include <QImage>
#include <QMimeData>

class QtPictureMimeData final : public QMimeData {
    Q_OBJECT
public:
    explicit QtPictureMimeData(QImage picture);

    QStringList formats() const override;
    bool hasFormat(const QString& mimeType) const override;

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

private:
    QImage m_picture;
    mutable QByteArray m_png;
    mutable QByteArray m_bmp;
};
