// Draws the program's icon (a price tag on the red of the window's pictures) as a square PNG.
// Usage: DrawIcon SIZE FILE
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {

// Drawn on a 256-unit square and scaled.
void drawIcon(QPainter& p)
{
    QLinearGradient red(0, 0, 256, 256);
    red.setColorAt(0, QColor(0x8e, 0x0e, 0x0e));
    red.setColorAt(1, QColor(0xc8, 0x3a, 0x2c));
    p.setPen(Qt::NoPen);
    p.setBrush(red);
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 44, 44);

    // The tag: a rectangle with a pointed end, turned to lie across the square.
    p.save();
    p.translate(128, 128);
    p.rotate(-40);
    QPainterPath tag;
    tag.moveTo(-92, -50);
    tag.lineTo(44, -50);
    tag.lineTo(96, 0);
    tag.lineTo(44, 50);
    tag.lineTo(-92, 50);
    tag.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(QPointF(52, 0), 13, 13);
    p.setBrush(Qt::white);
    p.drawPath(tag.subtracted(hole));
    // Lines of a price list written on it.
    p.setBrush(red);
    p.drawRoundedRect(QRectF(-72, -28, 88, 14), 7, 7);
    p.drawRoundedRect(QRectF(-72, -5, 64, 14), 7, 7);
    p.drawRoundedRect(QRectF(-72, 18, 76, 14), 7, 7);
    p.restore();
}

} // namespace

// Shapes only, no text: a QImage paints without an application object or a platform.
int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "Usage: DrawIcon SIZE FILE\n");
        return 2;
    }
    const int size = QByteArray(argv[1]).toInt();
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 256.0, size / 256.0);
    drawIcon(painter);
    painter.end();
    return image.save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
