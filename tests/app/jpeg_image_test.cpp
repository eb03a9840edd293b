#include "jpeg_image.h"

#include <QFile>
#include <QtTest>

class JpegImageTest : public QObject {
  Q_OBJECT

 private slots:
  void DecodesTheBanner() {
    Q_INIT_RESOURCE(tessaly);
    QFile file(QStringLiteral(":/banner.jpg"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QImage image = DecodeJpeg(file.readAll());
    QCOMPARE(image.size(), QSize(1200, 60));
    // The banner's left edge is the light end of its teal gradient.
    const QColor left = image.pixelColor(2, 30);
    QVERIFY2(left.blue() > left.red() && left.green() > left.red(), qPrintable(left.name()));
  }

  void RefusesWhatIsNoJpeg() {
    QVERIFY(DecodeJpeg(QByteArray()).isNull());
    QVERIFY(DecodeJpeg(QByteArray("\xFF\xD8 not really a picture", 24)).isNull());
    QVERIFY(DecodeJpeg(QByteArray(4096, 'x')).isNull());
  }
};

QTEST_GUILESS_MAIN(JpegImageTest)
#include "jpeg_image_test.moc"
