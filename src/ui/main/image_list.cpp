#include "ui/main/image_list.h"

#include <QPainter>
#include <QPixmap>
#include <array>

#include "ui/main/lazy_icons.h"

namespace velquor::ui {

namespace {

struct Flag {
    const char* key;
    const char* file;  // under :/flags, without ".png"
};

// In the list's order; "Pelota" sits among the flags at its own place.
constexpr std::array<Flag, 52> kPictures = {{
    {"Wales", "wales"},
    {"Scotland", "scotland"},
    {"Sweden", "se"},
    {"Belgium", "be"},
    {"Finland", "fi"},
    {"Republic of Ireland", "ie"},
    {"Albania", "al"},
    {"Andorra", "ad"},
    {"Armenia", "am"},
    {"Austria", "at"},
    {"Azerbaiyan", "az"},
    {"Belarus", "by"},
    {"Bosnia", "ba"},
    {"Bulgaria", "bg"},
    {"Cyprus", "cy"},
    {"Czech Republic", "cz"},
    {"Estonia", "ee"},
    {"Georgia", "ge"},
    {"Hungary", "hu"},
    {"Iceland", "is"},
    {"Israel", "il"},
    {"Latvia", "lv"},
    {"Liechtenstein", "li"},
    {"Luxembourg", "lu"},
    {"Macedonia", "mk"},
    {"Malta", "mt"},
    {"Moldavia", "md"},
    {"Romania", "ro"},
    {"Slovakia", "sk"},
    {"Slovenia", "si"},
    {"San Marino", "sm"},
    {"England", "england"},
    {"Switzerland", "ch"},
    {"Ukraine", "ua"},
    {"Uzbekistan", "uz"},
    {"Norway", "no"},
    {"Russia", "ru"},
    {"Poland", "pl"},
    {"Holland", "nl"},
    {"Spain", "es"},
    {"France", "fr"},
    {"Italy", "it"},
    {"Greece", "gr"},
    {"Pelota", nullptr},
    {"Germany", "de"},
    {"Croatia", "hr"},
    {"Denmark", "dk"},
    {"Turkey", "tr"},
    {"Portugal", "pt"},
    {"Yugoslavia", "rs"},
    // Nations the reader knows that the game's own list left without a flag.
    {"Faeroe Islands", "fo"},
    {"Lituania", "lt"},
}};

QPixmap centred(const QPixmap& source, int side) {
    QPixmap canvas(side, side);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.drawPixmap((side - source.width()) / 2, (side - source.height()) / 2, source);
    return canvas;
}

// Decoded when a node first shows it: at start the tree is empty.
QIcon flag(const char* file) {
    const QString path = QStringLiteral(":/flags/%1.png").arg(QLatin1String(file));
    return drawnOnFirstUse(
        [path] {
            const QPixmap small(path);
            QIcon icon;
            icon.addPixmap(centred(small, 16));
            // Doubled pixel for pixel: the flags are pixel art and blur when smoothed.
            icon.addPixmap(centred(small.scaled(small.size() * 2), 32));
            return icon;
        },
        QSize(32, 32));
}

}  // namespace

QIcon programPicture(const QString& stem) {
    return drawnOnFirstUse(
        [stem] {
            QIcon icon;
            icon.addFile(QStringLiteral(":/icons/%1-16.png").arg(stem), QSize(16, 16));
            icon.addFile(QStringLiteral(":/icons/%1-32.png").arg(stem), QSize(32, 32));
            return icon;
        },
        QSize(32, 32));
}

ImageList::ImageList() {
    pictures_.reserve(kPictures.size() + 1);
    pictures_.push_back({QString(), programPicture(QStringLiteral("folder"))});
    const QIcon ball = pelota();
    for (const Flag& entry : kPictures)
        pictures_.push_back({QString::fromLatin1(entry.key), entry.file ? flag(entry.file) : ball});
}

QIcon ImageList::picture(int index) const {
    if (index < 1 || index > count())
        return {};
    return pictures_[static_cast<std::size_t>(index - 1)].icon;
}

QIcon ImageList::picture(const QString& key) const {
    if (key.isEmpty())
        return {};
    for (const Picture& entry : pictures_)
        if (entry.key == key)
            return entry.icon;
    return {};
}

bool ImageList::contains(const QString& key) const {
    return !picture(key).isNull();
}

QIcon ImageList::pelota() {
    // Drawn from its SVG at build time, at the sizes src/ui/main/CMakeLists.txt
    // lists: up to 128, the window icon of a task switcher at 200 %.
    return drawnOnFirstUse(
        [] {
            QIcon icon;
            for (const int side : {16, 24, 32, 48, 64, 128})
                icon.addFile(QStringLiteral(":/football/%1.png").arg(side), QSize(side, side));
            return icon;
        },
        QSize(128, 128));
}

}  // namespace velquor::ui
