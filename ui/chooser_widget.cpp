#include "chooser_widget.h"

#include "game_controller.h"
#include "icons.h"

#include <QPainter>
#include <QStyledItemDelegate>

namespace vemo::ui {

namespace {

const QColor kListColour{194, 232, 255};
const QColor kExcludeColour{160, 0, 0};

class ChooserDelegate : public QStyledItemDelegate {
  public:
    ChooserDelegate(const GameController& game, QObject* parent)
        : QStyledItemDelegate(parent), game_(game) {}

    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QRect r = option.rect;
        p->fillRect(r, option.state.testFlag(QStyle::State_Selected) ? kListColour.darker(115)
                                                                     : kListColour);
        const Chooser& chooser = game_.CellChooser();
        const int row = index.row();
        const QString text = index.data().toString();
        const bool play = chooser.excludeIndex > 0;
        const bool exclude = play && row == chooser.excludeIndex + 1;
        if (row <= 1 || exclude) {
            // "Exclure" in dark red: set apart from the digits and readable
            // on the list's light blue.
            p->setPen(exclude ? kExcludeColour : QColor(Qt::black));
            p->drawText(r.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop, text);
        } else {
            p->drawPixmap(r.left() + 12, r.top(), DigitPicture(text.toInt()));
        }
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return {56, ChooserWidget::kRowHeight};
    }

  private:
    const GameController& game_;
};

} // namespace

ChooserWidget::ChooserWidget(const GameController& game, QWidget* parent)
    : QListWidget(parent), game_(game) {
    setItemDelegate(new ChooserDelegate(game, this));
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::NoFocus);
    setUniformItemSizes(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, kListColour);
    setPalette(pal);
    connect(this, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { emit chosen(row(item)); });
    hide();
}

void ChooserWidget::Sync(const QPoint& topLeft) {
    const Chooser& chooser = game_.CellChooser();
    if (!chooser.visible) {
        hide();
        return;
    }
    clear();
    addItems(chooser.items);
    setCurrentRow(0);
    // Every row at once, without scrolling.
    const int rows = static_cast<int>(chooser.items.size());
    setFixedSize(60, rows * kRowHeight + 2 * frameWidth());
    move(topLeft);
    show();
    raise();
}

} // namespace vemo::ui
