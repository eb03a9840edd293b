// Decodes a JPEG picture with libjpeg.
#ifndef TESSALY_JPEG_IMAGE_H
#define TESSALY_JPEG_IMAGE_H

#include <QByteArray>
#include <QImage>

// The decoded picture, or a null image when the data is not a readable JPEG.
QImage DecodeJpeg(const QByteArray& data);

#endif
