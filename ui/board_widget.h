// The 512 x 512 board picture ("Image4") or the solution picture ("Image5"):
// a retained picture, redrawn whole on request. The picture keeps its 512 x 512
// logical coordinates at any widget size: the painter is scaled to the widget
// and the device's pixel ratio, and mouse positions are mapped back.
#pragma once

#include <QImage>
#include <QWidget>

namespace vemo::ui {

class GameController;

class BoardWidget : public QWidget {
    Q_OBJECT

  public:
    enum class Kind { Board, Solution };
    BoardWidget(GameController& game, Kind kind, QWidget* parent = nullptr);

    // Paints the picture again from the game state.
    void Redraw();
    const QImage& Picture() const { return picture_; }

    // Shows the picture `side` widget pixels wide and high (at least 512).
    void SetSide(int side);
    // Widget pixels per picture pixel.
    qreal Scale() const;
    // A point of the widget in picture coordinates, and back.
    QPoint ToPicture(const QPointF& at) const;
    QPoint FromPicture(const QPoint& at) const;
    // The 512 x 512 picture at one pixel per picture pixel, whatever the
    // widget's size.
    QImage LogicalPicture() const;

  signals:
    void pressed(int x, int y, bool shift);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void Paint(QImage& image) const;

    GameController& game_;
    Kind kind_;
    QImage picture_;
};

} // namespace vemo::ui
