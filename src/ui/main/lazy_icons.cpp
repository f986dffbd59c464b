#include "ui/main/lazy_icons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <memory>

namespace velquor::ui {

namespace {

// Copies of the icon share what was drawn, so nothing is drawn twice.
class FirstUseEngine : public QIconEngine {
  public:
    FirstUseEngine(std::function<QIcon()> make, QSize largest)
        : shared_(std::make_shared<Shared>(Shared{std::move(make), {}})), largest_(largest) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        return size.boundedTo(largest_);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    bool isNull() override { return false; }
    QIconEngine* clone() const override { return new FirstUseEngine(*this); }

  private:
    struct Shared {
        std::function<QIcon()> make;
        QIcon made;
    };
    const QIcon& icon() {
        if (shared_->make) {
            shared_->made = shared_->make();
            shared_->make = nullptr;
        }
        return shared_->made;
    }
    std::shared_ptr<Shared> shared_;
    QSize largest_;
};

}  // namespace

QIcon drawnOnFirstUse(std::function<QIcon()> make, QSize largest) {
    return QIcon(new FirstUseEngine(std::move(make), largest));
}

}  // namespace velquor::ui
