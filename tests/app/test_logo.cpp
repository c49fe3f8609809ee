#include "app/logo.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QTest>

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace {

// A small JPEG made with libjpeg itself: `components` 1 (grey) or 3 (RGB), every pixel `value`.
QByteArray EncodeJpeg(int width, int height, int components, const unsigned char* value, bool progressive = false)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = components;
    cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    if (progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    QByteArray row;
    for (int x = 0; x < width; ++x)
        row.append(reinterpret_cast<const char*>(value), components);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW line = reinterpret_cast<JSAMPROW>(row.data());
        jpeg_write_scanlines(&cinfo, &line, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray out(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    return out;
}

// Offset of the frame header's height field (after the SOFn marker, length and precision), or -1.
qsizetype FrameSizeOffset(const QByteArray& jpeg)
{
    for (qsizetype i = 0; i + 9 < jpeg.size(); ++i) {
        const auto marker = static_cast<unsigned char>(jpeg[i + 1]);
        if (static_cast<unsigned char>(jpeg[i]) == 0xFF && (marker == 0xC0 || marker == 0xC2))
            return i + 5;
    }
    return -1;
}

bool Near(int a, int b)
{
    return std::abs(a - b) <= 6; // JPEG is lossy
}

} // namespace

class TestLogo : public QObject {
    Q_OBJECT

private slots:
    void resourceLogoDecodes();
    void damaged_data();
    void damaged();
    void oversizedHeaderRefused_data();
    void oversizedHeaderRefused();
    void pixelLimit();
    void colourAndRowPadding_data();
    void colourAndRowPadding();
    void showLogo();
};

void TestLogo::resourceLogoDecodes()
{
    const QByteArray jpeg = app::LogoJpeg();
    QVERIFY(jpeg.startsWith("\xFF\xD8"));
    const QImage image = app::DecodeJpeg(jpeg);
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), QSize(210, 80));
    // Not a blank picture: the mark is dark blue on white.
    QVERIFY(Near(qRed(image.pixel(2, 2)), 255) && Near(qBlue(image.pixel(2, 2)), 255));
    QVERIFY(qBlue(image.pixel(36, 15)) > qRed(image.pixel(36, 15)) + 60);
}

void TestLogo::damaged_data()
{
    const QByteArray logo = app::LogoJpeg();
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("one byte") << QByteArray("\xFF", 1);
    QTest::newRow("start marker only") << logo.left(2);
    QTest::newRow("header only") << logo.left(100);
    QTest::newRow("cut in half") << logo.left(logo.size() / 2);
    QTest::newRow("end marker missing") << logo.left(logo.size() - 2);
    QTest::newRow("text") << QByteArray("this is not a picture at all");
    QByteArray zeroed = logo;
    for (qsizetype i = 2; i < 64 && i < zeroed.size(); ++i)
        zeroed[i] = 0;
    QTest::newRow("header zeroed") << zeroed;
    QByteArray noise(4096, '\0');
    for (qsizetype i = 0; i < noise.size(); ++i)
        noise[i] = static_cast<char>((i * 7919 + 13) & 0xFF);
    noise[0] = char(0xFF);
    noise[1] = char(0xD8);
    QTest::newRow("start marker then noise") << noise;
}

void TestLogo::damaged()
{
    QFETCH(QByteArray, data);
    QVERIFY(app::DecodeJpeg(data).isNull());
}

void TestLogo::oversizedHeaderRefused_data()
{
    const unsigned char grey = 0x80;
    QTest::addColumn<QByteArray>("jpeg");
    QTest::newRow("logo") << app::LogoJpeg();
    // A progressive picture reserves whole-image buffers as soon as decompression starts.
    QTest::newRow("progressive") << EncodeJpeg(8, 8, 1, &grey, true);
}

void TestLogo::oversizedHeaderRefused()
{
    QFETCH(QByteArray, jpeg);
    QVERIFY(!app::DecodeJpeg(jpeg).isNull());
    const qsizetype at = FrameSizeOffset(jpeg);
    QVERIFY(at > 0);
    // 65000 x 65000 pixels would need gigabytes; refused at once rather than reserved and decoded from nothing.
    for (qsizetype field : {at, at + 2}) {
        jpeg[field] = char(0xFD);
        jpeg[field + 1] = char(0xE8);
    }
    QElapsedTimer timer;
    timer.start();
    QVERIFY(app::DecodeJpeg(jpeg).isNull());
    QVERIFY(timer.elapsed() < 5000);
}

void TestLogo::pixelLimit()
{
    const unsigned char grey = 0x80;
    const QByteArray small = EncodeJpeg(20, 10, 1, &grey);
    QVERIFY(!app::DecodeJpeg(small, 200).isNull());
    QVERIFY(app::DecodeJpeg(small, 199).isNull());
}

void TestLogo::colourAndRowPadding_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("components");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("grey, odd width") << 7 << 1 << QColor(0x80, 0x80, 0x80);
    QTest::newRow("red, odd width") << 7 << 3 << QColor(0xE0, 0x10, 0x10);
    QTest::newRow("blue, width 5") << 5 << 3 << QColor(0x10, 0x20, 0xD0);
    QTest::newRow("green, width 16") << 16 << 3 << QColor(0x20, 0xC0, 0x30);
}

void TestLogo::colourAndRowPadding()
{
    QFETCH(int, width);
    QFETCH(int, components);
    QFETCH(QColor, colour);
    const unsigned char value[3] = {static_cast<unsigned char>(colour.red()),
        static_cast<unsigned char>(colour.green()), static_cast<unsigned char>(colour.blue())};
    const QImage image = app::DecodeJpeg(EncodeJpeg(width, 5, components, value));
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), QSize(width, 5));
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < width; ++x) {
            const QRgb p = image.pixel(x, y);
            QVERIFY2(Near(qRed(p), colour.red()) && Near(qGreen(p), colour.green()) && Near(qBlue(p), colour.blue()),
                qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
        }
    }
}

void TestLogo::showLogo()
{
    QLabel label;
    app::ShowLogo(&label, app::LogoJpeg());
    QCOMPARE(label.pixmap().size(), QSize(210, 80));
    // A broken picture leaves the label empty, also when it showed one before.
    app::ShowLogo(&label, app::LogoJpeg().left(300));
    QVERIFY(label.pixmap().isNull());
}

QTEST_MAIN(TestLogo)
#include "test_logo.moc"
