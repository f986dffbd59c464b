#pragma once

#include <QRect>
#include <QWidget>

class QFrame;

namespace velquor::ui {

/// Keeps a tree's frame whole at a fractional scale. There an edge between
/// two device pixels is rounded one way for a widget and the other way for
/// what it holds, so the tree's left or top line falls outside its own
/// pixels, and its viewport and scroll bars cover its right and bottom lines.
/// The tree is kept in its place on whole device pixels, and its frame is
/// drawn again over it, where nothing covers it. Mouse events go through.
class TreeFrame : public QWidget {
  public:
    /// Watches tree, which is at its place in its parent.
    explicit TreeFrame(QFrame* tree);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void follow();

    QFrame* tree_;
    QRect place_;
};

}  // namespace velquor::ui
