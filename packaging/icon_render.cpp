// velquor_icon_render: draws the app icon at the fixed sizes the hicolor
// theme and the windows want, so the PNGs come from the one SVG we keep and
// never go stale. Sizes given with the same .ico file go into one Windows
// icon, each image kept as PNG (which every Windows since Vista reads).
#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <cstdio>
#include <map>
#include <utility>
#include <vector>

namespace {

using Images = std::vector<std::pair<int, QByteArray>>;  // side, PNG bytes

void put16(QByteArray& out, int value) {
    out.append(char(value & 0xFF)).append(char((value >> 8) & 0xFF));
}
void put32(QByteArray& out, qint64 value) {
    put16(out, int(value & 0xFFFF));
    put16(out, int((value >> 16) & 0xFFFF));
}

QByteArray icoFile(const Images& images) {
    QByteArray out;
    put16(out, 0);  // reserved
    put16(out, 1);  // an icon, not a cursor
    put16(out, int(images.size()));
    qint64 offset = 6 + 16 * qint64(images.size());
    for (const auto& [side, png] : images) {
        out.append(char(side >= 256 ? 0 : side)).append(char(side >= 256 ? 0 : side));  // 0 = 256
        out.append(char(0)).append(char(0));  // no palette, reserved
        put16(out, 1);                        // planes
        put16(out, 32);                       // bits per pixel
        put32(out, png.size());
        put32(out, offset);
        offset += png.size();
    }
    for (const auto& image : images)
        out.append(image.second);
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4 || argc % 2 != 0) {
        std::fprintf(stderr, "usage: velquor_icon_render SVG SIZE OUT.png|OUT.ico [SIZE OUT]...\n");
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "velquor_icon_render: cannot read %s\n", argv[1]);
        return 1;
    }
    std::map<QString, Images> icons;
    for (int i = 2; i < argc; i += 2) {
        bool ok = false;
        const int size = QByteArray(argv[i]).toInt(&ok);
        if (!ok || size <= 0 || size > 4096) {
            std::fprintf(stderr, "velquor_icon_render: bad size %s\n", argv[i]);
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            renderer.render(&painter);
        }
        const QString out = QString::fromLocal8Bit(argv[i + 1]);
        if (out.endsWith(QStringLiteral(".ico"))) {
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, "PNG");
            icons[out].emplace_back(size, png);
        } else if (!image.save(out, "PNG")) {
            std::fprintf(stderr, "velquor_icon_render: cannot write %s\n", argv[i + 1]);
            return 1;
        }
    }
    for (const auto& [path, images] : icons) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(icoFile(images)) < 0 || !file.flush()) {
            std::fprintf(stderr, "velquor_icon_render: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
