#pragma once

#include <QIcon>
#include <QString>
#include <vector>

namespace velquor::ui {

/// One of the program's own pictures, ":/icons/<stem>-16.png" with its
/// 32-pixel twin for high-density screens.
QIcon programPicture(const QString& stem);

/// The nation tree's pictures: a small folder without a key, then one flag
/// per nation under the nation's name as the catalogue spells it, and the
/// football under "Pelota". Each picture is 16 x 16, with a 32 x 32 image
/// for high-density screens.
class ImageList {
  public:
    ImageList();

    /// 1-based, as the tree addresses its pictures; a null icon when out of range.
    QIcon picture(int index) const;
    /// The picture under key (exact, case included); a null icon when none.
    QIcon picture(const QString& key) const;
    bool contains(const QString& key) const;
    int count() const { return static_cast<int>(pictures_.size()); }

    /// The football, drawn at each size the first time it is shown at it.
    static QIcon pelota();

  private:
    struct Picture {
        QString key;
        QIcon icon;
    };
    std::vector<Picture> pictures_;
};

}  // namespace velquor::ui
