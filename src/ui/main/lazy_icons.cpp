#include "ui/main/lazy_icons.h"

#include <QIconEngine>
#include <QPaintDevice>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
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

class EachSizeEngine : public QIconEngine {
  public:
    explicit EachSizeEngine(const QString& path)
        : shared_(std::make_shared<Shared>(Shared{path, nullptr, {}})) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        drawAt(rect.size() * ratio);
        shared_->drawn.paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        drawAt(size);
        return shared_->drawn.pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    bool isNull() override { return false; }
    QIconEngine* clone() const override { return new EachSizeEngine(*this); }

  private:
    struct Shared {
        QString path;
        std::unique_ptr<QSvgRenderer> renderer;
        QIcon drawn;  // one picture for each size drawn so far
    };
    void drawAt(const QSize& size) {
        if (size.isEmpty() || shared_->drawn.availableSizes().contains(size))
            return;
        if (!shared_->renderer)
            shared_->renderer = std::make_unique<QSvgRenderer>(shared_->path);
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        shared_->renderer->render(&painter);
        painter.end();
        shared_->drawn.addPixmap(pixmap);
    }
    std::shared_ptr<Shared> shared_;
};

}  // namespace

QIcon drawnOnFirstUse(std::function<QIcon()> make, QSize largest) {
    return QIcon(new FirstUseEngine(std::move(make), largest));
}

QIcon drawnAtEachSize(const QString& path) {
    return QIcon(new EachSizeEngine(path));
}

}  // namespace velquor::ui
