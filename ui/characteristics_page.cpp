// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "characteristics_page.h"

#include "board_painter.h"
#include "characteristics.h"
#include "game_controller.h"
#include "look.h"
#include "texts.h"

#include "language_texts.h"

#include "engine/advanced/catalogue.h"
#include "engine/scale/scale.h"
#include "engine/techniques/catalogue.h"
#include "io/explanations.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTextBrowser>

#include <algorithm>
#include <vector>

namespace vemo::ui {

namespace {

// Item data beyond the text: a raised header cell, and where the text starts.
constexpr int kRaisedRole = Qt::UserRole + 1;
constexpr int kTextOffsetRole = Qt::UserRole + 2;

QColor ToColor(const Rgb& c) {
    return QColor(c.red, c.green, c.blue);
}

// The cells' type: 8 points with the usual 9-point desktop font, and as much
// larger as the desktop's font is.
QFont CellFont(QFont font) {
    if (font.pointSizeF() > 0) font.setPointSizeF(std::max(8.0, font.pointSizeF() * 8.0 / 9.0));
    return font;
}

// A row's height: the 19 pixels of the 8-point type, or the type's height
// with its margins.
int RowHeight(const QWidget* table, int least) {
    return std::max(least, QFontMetrics(CellFont(table->font())).height() + 5);
}

constexpr int kDefaultTextOffset = 2;

class GridDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QRect r = option.rect;
        p->save();
        if (index.data(kRaisedRole).toBool()) {
            const Look& look = CurrentLook();
            p->fillRect(r, index.data(Qt::BackgroundRole).value<QColor>());
            p->setPen(QColor(look.light));
            p->drawLine(r.topLeft(), r.topRight());
            p->drawLine(r.topLeft(), r.bottomLeft());
            p->setPen(QColor(look.light).darker(105));
            p->drawLine(r.left() + 1, r.top() + 1, r.right() - 1, r.top() + 1);
            p->drawLine(r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 1);
            p->setPen(QColor(look.shadow));
            p->drawLine(r.bottomLeft(), r.bottomRight());
            p->drawLine(r.topRight(), r.bottomRight());
            p->setPen(QColor(look.dark));
            p->drawLine(r.left() + 1, r.bottom() - 1, r.right() - 1, r.bottom() - 1);
            p->drawLine(r.right() - 1, r.top() + 1, r.right() - 1, r.bottom() - 1);
        } else {
            p->fillRect(r, index.data(Qt::BackgroundRole).value<QColor>());
        }
        p->setFont(CellFont(option.font));
        p->setPen(index.data(Qt::ForegroundRole).value<QColor>());
        const int dx = index.data(kTextOffsetRole).isValid() ? index.data(kTextOffsetRole).toInt()
                                                             : kDefaultTextOffset;
        // A text longer than its column (the cells of a long chain) ends in
        // "…"; its item carries it whole as a tooltip.
        const QRect textRect = r.adjusted(dx, 0, 0, 0);
        const QString text = index.data().toString();
        const QFontMetrics metrics = p->fontMetrics();
        p->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
                    metrics.horizontalAdvance(text) <= textRect.width()
                        ? text
                        : metrics.elidedText(text, Qt::ElideRight, textRect.width()));
        // The current row of the focused table: a band in the focus colour
        // along its top and bottom and at its two ends, lined inside with the
        // active cell's edge colour, so that one of the two stands out from
        // any technique's tint.
        const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
        if (view && view->hasFocus() && view->currentIndex().row() == index.row()) {
            const Look& look = CurrentLook();
            const bool first = index.column() == 0;
            const bool last = index.column() == index.model()->columnCount() - 1;
            const auto frame = [&](int inset, int width, const QColor& colour) {
                const int left = first ? r.left() + inset : r.left();
                const int right = last ? r.right() - inset : r.right();
                p->fillRect(QRect(left, r.top() + inset, right - left + 1, width), colour);
                p->fillRect(QRect(left, r.bottom() - inset - width + 1, right - left + 1, width),
                            colour);
                if (first)
                    p->fillRect(QRect(left, r.top() + inset, width, r.height() - 2 * inset),
                                colour);
                if (last)
                    p->fillRect(
                        QRect(right - width + 1, r.top() + inset, width, r.height() - 2 * inset),
                        colour);
            };
            constexpr int kBand = 2;
            frame(0, kBand, QColor(look.focusRing));
            frame(kBand, 1, QColor(look.activeFrameEdge));
        }
        p->restore();
    }
};

// Repaints a table's rows when its focus or its current row changes, so that
// the whole current row shows its band.
class CurrentRowMark : public QObject {
  public:
    explicit CurrentRowMark(QTableWidget* table) : QObject(table), table_(table) {
        table->installEventFilter(this);
        connect(table, &QTableWidget::currentCellChanged, this,
                [this] { table_->viewport()->update(); });
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
            table_->viewport()->update();
        return false;
    }

  private:
    QTableWidget* table_;
};

QTableWidgetItem* MakeItem(const QString& text, const QColor& background, const QColor& ink,
                           bool raised, int offset = 2) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    item->setData(Qt::BackgroundRole, background);
    item->setData(Qt::ForegroundRole, ink);
    item->setData(kRaisedRole, raised);
    item->setData(kTextOffsetRole, offset);
    return item;
}

// The width column c needs for its header and the texts of rows [0, rows),
// each with its offset.
int ColumnTextWidth(const QTableWidget* table, int c, int rows) {
    const QFontMetrics metrics(CellFont(table->font()));
    constexpr int kRightMargin = 3;
    int width = 0;
    if (const QTableWidgetItem* header = table->horizontalHeaderItem(c))
        width = table->horizontalHeader()->fontMetrics().horizontalAdvance(header->text()) +
                2 * kDefaultTextOffset + kRightMargin;
    for (int r = 0; r < std::min(rows, table->rowCount()); ++r) {
        const QTableWidgetItem* item = table->item(r, c);
        if (!item) continue;
        const QVariant offset = item->data(kTextOffsetRole);
        const int dx = offset.isValid() ? offset.toInt() : kDefaultTextOffset;
        width = std::max(width, dx + metrics.horizontalAdvance(item->text()) + kRightMargin);
    }
    return width;
}

// Each column as wide as its widest text with its offset, and never narrower
// than `least`; the header texts count too. Returns the widths.
std::vector<int> FitColumns(QTableWidget* table, const std::vector<int>& least) {
    std::vector<int> widths;
    for (int c = 0; c < table->columnCount(); ++c) {
        const int width = std::max(c < static_cast<int>(least.size()) ? least[c] : 0,
                                   ColumnTextWidth(table, c, table->rowCount()));
        table->setColumnWidth(c, width);
        widths.push_back(width);
    }
    return widths;
}

// The width a table needs to show all its columns, scroll bar and frame
// included.
int TableWidth(const QTableWidget* table) {
    int width = 2 * table->frameWidth();
    for (int c = 0; c < table->columnCount(); ++c) width += table->columnWidth(c);
    if (table->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn)
        width += table->verticalScrollBar()->sizeHint().width();
    return width;
}

// A step's name, basic or advanced.
QString StepName(const TextSource& texts, int technique) {
    if (advanced::AdvancedEntry(technique) == nullptr) return TechniqueName(texts, technique);
    static const io::LanguageTable none;
    const auto* language = dynamic_cast<const LanguageTexts*>(&texts);
    return QString::fromStdString(
        io::AdvancedTechniqueName(technique, language ? language->Table() : none));
}

// The hardest step of the scale in the interface's language.
QString HardestStepName(const TextSource& texts, const StepAnalysis& analysis) {
    static const io::LanguageTable none;
    const auto* language = dynamic_cast<const LanguageTexts*>(&texts);
    return QString::fromStdString(io::ScaleTechniqueName(
        analysis.hardestTechnique, analysis.hardestLevel, language ? language->Table() : none));
}

void PlainTable(QTableWidget* table) {
    table->horizontalHeader()->hide();
    table->verticalHeader()->hide();
    table->setItemDelegate(new GridDelegate(table));
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab reaches the table and leaves it; the arrows walk its rows and the
    // page keys scroll it.
    table->setFocusPolicy(Qt::StrongFocus);
    table->setTabKeyNavigation(false);
    new CurrentRowMark(table);
    table->setShowGrid(true);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

} // namespace

CharacteristicsPage::CharacteristicsPage(const GameController& game, QWidget* parent)
    : QWidget(parent), game_(game) {
    const TextSource& texts = game.Texts();
    listingLabel_ = new QLabel(texts.Text(85), this);
    listingLabel_->setObjectName(QStringLiteral("Label3"));
    listingLabel_->setGeometry(8, 8, 332, 18);
    techniquesLabel_ = new QLabel(texts.Text(86), this);
    techniquesLabel_->setObjectName(QStringLiteral("Label4"));
    techniquesLabel_->setGeometry(351, 8, 169, 18);

    listing_ = new QTableWidget(this);
    listing_->setObjectName(QStringLiteral("grillelisting"));
    listing_->setGeometry(8, 28, 332, 498);
    PlainTable(listing_);
    // The header row stays in place while the steps scroll under it.
    listing_->horizontalHeader()->show();
    listing_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    listing_->setColumnCount(4);
    // The last column takes the room the others leave.
    listing_->horizontalHeader()->setStretchLastSection(true);
    listing_->verticalHeader()->setDefaultSectionSize(18);
    listing_->verticalHeader()->setMinimumSectionSize(10);

    gridaid_ = new QTableWidget(this);
    gridaid_->setObjectName(QStringLiteral("Gridaid"));
    PlainTable(gridaid_);
    gridaid_->setColumnCount(2);
    // It scrolls only when a large type makes it taller or wider than the page.
    gridaid_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    gridaid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    gridaid_->verticalHeader()->setMinimumSectionSize(10);
    gridaid_->verticalHeader()->setDefaultSectionSize(19);

    // Wrapped and as high as its lines: a long name of the hardest step is
    // never cut.
    scaleLabel_ = new QTextBrowser(this);
    scaleLabel_->setObjectName(QStringLiteral("Echelle"));
    scaleLabel_->setFrameShape(QFrame::NoFrame);
    scaleLabel_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // As tall as its text at the width it is given (LayOut).
    scaleLabel_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scaleLabel_->viewport()->setAutoFillBackground(false);
    scaleLabel_->setFocusPolicy(Qt::TabFocus);

    // A double click, or Enter, on a step shows it on the board.
    const auto choose = [this](int row) {
        bool withoutGuessing = false;
        const int step = StepOfRow(row, &withoutGuessing);
        if (step > 0) emit stepChosen(step, withoutGuessing);
    };
    connect(listing_, &QTableWidget::cellDoubleClicked, this,
            [choose](int row, int) { choose(row); });
    connect(listing_, &QTableWidget::cellActivated, this, [choose](int row, int) { choose(row); });
    Refill();
}

CharacteristicsPage::~CharacteristicsPage() {
    CancelWorker();
}

void CharacteristicsPage::CancelWorker() {
    stop_ = true;
    StopWorker();
    stop_ = false;
}

void CharacteristicsPage::StopWorker() {
    if (worker_.joinable()) worker_.join();
}

int CharacteristicsPage::StepOfRow(int row, bool* withoutGuessing) const {
    if (withoutGuessing) *withoutGuessing = false;
    const Engine& e = game_.Game();
    if (!e.PuzzleFixed || e.StepCount <= 1 || row < 0) return 0;
    if (row < loggedRows_) return row + 1;
    const int k = row - loggedRows_ - 1; // after the heading row
    if (!stepsShown_ || k < 0 || k >= static_cast<int>(analysis_.steps.size())) return 0;
    if (withoutGuessing) *withoutGuessing = true;
    return firstGuessFree_ + k;
}

void CharacteristicsPage::StartAnalysis() {
    CancelWorker();
    ++serial_;
    analysisShown_ = false;
    stepsShown_ = false;
    analysis_ = {};
    scaleLabel_->clear();
    const Engine& e = game_.Game();
    // Only a puzzle with its logged solve: not the emptied page before it.
    if (e.StepCount <= 1 || e.StepLog[1].technique == 0) return;
    // The rating may take many seconds on the hardest puzzles: the page says
    // so meanwhile, and the steps without guessing come first.
    scaleLabel_->setPlainText(game_.Texts().Text(903) + game_.Texts().Text(954));
    scaleLabel_->setAccessibleName(scaleLabel_->toPlainText());
    auto result = std::make_shared<StepAnalysis>();
    pending_ = result;
    const int serial = serial_;
    worker_ = std::thread([this, engine = e, result, serial] {
        *result = ListGuessFreeSteps(engine);
        auto listed = std::make_shared<StepAnalysis>(*result);
        QMetaObject::invokeMethod(
            this,
            [this, listed, serial] {
                if (serial == serial_ && !analysisShown_) ShowSteps(*listed);
            },
            Qt::QueuedConnection);
        RateOnTheScale(engine, *result, &stop_);
        QMetaObject::invokeMethod(
            this,
            [this, result, serial] {
                if (serial == serial_ && !analysisShown_) {
                    StopWorker();
                    ShowAnalysis(*result);
                }
            },
            Qt::QueuedConnection);
    });
}

void CharacteristicsPage::FinishAnalysis() {
    if (!worker_.joinable() || analysisShown_) return;
    StopWorker();
    if (pending_) ShowAnalysis(*pending_);
}

void CharacteristicsPage::ShowSteps(const StepAnalysis& steps) {
    analysis_.firstTrial = steps.firstTrial;
    analysis_.steps = steps.steps;
    stepsShown_ = true;
    AppendGuessFreeRows();
    LayOut();
}

void CharacteristicsPage::ShowAnalysis(const StepAnalysis& analysis) {
    analysis_ = analysis;
    analysisShown_ = true;
    stepsShown_ = true;
    const TextSource& texts = game_.Texts();
    if (analysis.rated) {
        QString text = texts.Text(903);
        if (analysis.scaleStuck) {
            text += QStringLiteral("-");
        } else {
            text += QString::fromStdString(scale::FormatScale(analysis.er) + '/' +
                                           scale::FormatScale(analysis.ep) + '/' +
                                           scale::FormatScale(analysis.ed));
            text += QLatin1Char('\n') + texts.Text(904) + HardestStepName(texts, analysis);
        }
        scaleLabel_->setPlainText(text);
        scaleLabel_->setAccessibleName(text);
    } else {
        scaleLabel_->clear();
    }
    AppendGuessFreeRows();
    LayOut();
}

void CharacteristicsPage::Refill() {
    // Screen readers name each table after the label above it, in the
    // interface's language.
    listing_->setAccessibleName(listingLabel_->text());
    gridaid_->setAccessibleName(techniquesLabel_->text());
    FillTechniqueGrid();
    StartAnalysis();
    FillListing();
}

void CharacteristicsPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOut();
}

// The technique grid keeps its right edge 5 pixels from the page's, as wide as
// its columns; the listing fills the rest of the page. The labels are as high
// as their type. When a large type makes the grid taller than the page, it
// keeps to the page and scrolls; the listing keeps at least 100 pixels.
void CharacteristicsPage::LayOut() {
    constexpr int kMargin = 5;
    constexpr int kGap = 6;
    constexpr int kLeastListing = 100;
    const int labelHeight = std::max(18, listingLabel_->sizeHint().height());
    const int top = kMargin + labelHeight + 5;
    int gridWidth = TableWidth(gridaid_) + gridaid_->verticalScrollBar()->sizeHint().width();
    gridWidth = std::max(gridWidth, techniquesLabel_->sizeHint().width());
    gridWidth = std::min(gridWidth, width() - 2 * kMargin - kLeastListing - kGap);
    int scaleHeight = 0;
    if (!scaleLabel_->toPlainText().isEmpty()) {
        // Laid out at the width its column has when the grid needs no
        // scroll bar, the narrower of the two: the box is as tall as the text
        // there, and only wider when the grid scrolls, so it never needs a
        // scroll bar of its own.
        const int fitWidth =
            std::min(std::max(gridWidth - gridaid_->verticalScrollBar()->sizeHint().width(),
                              techniquesLabel_->sizeHint().width()),
                     width() - 2 * kMargin - kLeastListing - kGap);
        scaleLabel_->document()->setTextWidth(std::max(1, fitWidth));
        scaleHeight = static_cast<int>(scaleLabel_->document()->size().height()) + 4;
    }
    const int room = std::max(kLeastListing, height() - top - kMargin - scaleHeight - 4);
    const int gridHeight = std::min(gridHeight_, room);
    if (gridHeight >= gridHeight_) gridWidth -= gridaid_->verticalScrollBar()->sizeHint().width();
    gridWidth = std::max(gridWidth, techniquesLabel_->sizeHint().width());
    gridWidth = std::min(gridWidth, width() - 2 * kMargin - kLeastListing - kGap);
    const int gridLeft = std::max(kMargin + kLeastListing + kGap, width() - kMargin - gridWidth);
    gridaid_->setGeometry(gridLeft, top, gridWidth, gridHeight);
    techniquesLabel_->setGeometry(gridLeft, kMargin, gridWidth, labelHeight);
    // The scale's line may take the listing's side of the page too when the
    // grid is narrow: it stays inside the grid's column, wrapped.
    scaleLabel_->setGeometry(gridLeft, top + gridHeight + 4, gridWidth, scaleHeight);
    scaleLabel_->setVisible(scaleHeight > 0);
    const int listingWidth = gridLeft - kGap - kMargin;
    listing_->setGeometry(kMargin, top, listingWidth, std::max(100, height() - top - kMargin));
    listingLabel_->setGeometry(kMargin, kMargin, listingWidth, labelHeight);
    FitListing();
}

void CharacteristicsPage::FillTechniqueGrid() {
    const std::vector<TechniqueRow> rows = TechniqueGridRows(game_.Game(), game_.Texts());
    const int n = static_cast<int>(rows.size());
    const int emptyRow = n - 4;
    gridaid_->clearContents();
    gridaid_->setRowCount(n);
    const Look& look = CurrentLook();
    const QColor face(look.face);
    int height = 2 * gridaid_->frameWidth();
    for (int r = 0; r < n; ++r) {
        gridaid_->setRowHeight(r, RowHeight(gridaid_, r == 1 ? 20 : 19));
        height += gridaid_->rowHeight(r);
        const TechniqueRow& row = rows[r];
        const bool header = r == 0;
        gridaid_->setItem(r, 0,
                          MakeItem(row.name, face,
                                   QColor(header ? look.faceText : look.techniqueName), true,
                                   header ? 40 : 2));
        QColor tint(look.countGround);
        if (row.technique > 0 && row.count != QLatin1String("0"))
            tint = Tint(look, ToColor(TechniqueColours[row.technique]));
        const QColor ink(header         ? look.faceText
                         : r < emptyRow ? look.countText
                                        : look.missingCount);
        gridaid_->setItem(r, 1,
                          MakeItem(row.count, header ? face : tint, ink, header || r == emptyRow,
                                   header ? 16 : 2));
    }
    gridHeight_ = height;
    FitColumns(gridaid_, {});
    LayOut();
}

void CharacteristicsPage::FillListing() {
    const std::vector<ListingRow> rows = ListingRows(game_.Game(), game_.Texts());
    listing_->clearContents();
    listing_->setHorizontalHeaderLabels(
        {rows[0].number, rows[0].technique, rows[0].cells, rows[0].digits});
    const int n = static_cast<int>(rows.size()) - 1;
    listing_->verticalHeader()->setDefaultSectionSize(RowHeight(listing_, 18));
    listing_->setRowCount(0);
    listing_->setRowCount(n);
    const Look& look = CurrentLook();
    const QColor face(look.face);
    const QColor ink(look.countText);
    listing_->horizontalHeader()->setFixedHeight(
        std::max(18, listing_->horizontalHeader()->fontMetrics().height() + 5));
    for (int r = 0; r < n; ++r) {
        const ListingRow& row = rows[r + 1];
        const QColor tint = Tint(look, ToColor(TechniqueColours[row.techniqueId]));
        listing_->setItem(r, 0, MakeItem(row.number, face, QColor(look.listingNumber), true));
        listing_->setItem(r, 1, MakeItem(row.technique, tint, ink, false));
        listing_->setItem(r, 2, MakeItem(row.cells, tint, ink, false));
        listing_->setItem(r, 3, MakeItem(row.digits, tint, ink, false));
    }
    loggedRows_ = n;
    AppendGuessFreeRows(); // measures the columns
    listing_->scrollToTop();
}

// The widths the listing's columns need for all their texts, and for those of
// the logged steps alone, measured when the rows change.
void CharacteristicsPage::MeasureListing() {
    listingNatural_ = FitColumns(listing_, {});
    // The header keeps a column at its least width (the number column may
    // be wider than its text); the last column stretches to the rest.
    for (int c = 0; c + 1 < static_cast<int>(listingNatural_.size()); ++c)
        listingNatural_[static_cast<std::size_t>(c)] = listing_->columnWidth(c);
    listingLogged_.clear();
    for (int c = 0; c < listing_->columnCount(); ++c)
        listingLogged_.push_back(ColumnTextWidth(listing_, c, loggedRows_));
    FitListing();
}

// The steps without guessing do not push the listing past its width: when
// their names, cells or digits are longer than those of the logged steps, the
// cells column gives up what the listing lacks, then the digits, then the
// names, down to the header and the texts of the logged steps; a longer text
// ends in "…", whole in its tooltip.
void CharacteristicsPage::FitListing() {
    if (listingNatural_.size() < 4 || listingLogged_.size() < 4) return;
    const int room = listing_->width() - 2 * listing_->frameWidth() -
                     listing_->verticalScrollBar()->sizeHint().width();
    int excess = -room;
    for (const int w : listingNatural_) excess += w;
    for (const int c : {1, 2, 3}) {
        const auto k = static_cast<std::size_t>(c);
        listing_->setColumnWidth(c, listingNatural_[k]);
    }
    for (const int c : {2, 3, 1}) {
        if (excess <= 0) break;
        const auto k = static_cast<std::size_t>(c);
        const int given = std::min(excess, std::max(0, listingNatural_[k] - listingLogged_[k]));
        excess -= given;
        listing_->setColumnWidth(c, listingNatural_[k] - given);
    }
}

void CharacteristicsPage::AppendGuessFreeRows() {
    const int n = loggedRows_;
    if (listing_->rowCount() != n) return; // already there
    const Look& look = CurrentLook();
    const QColor face(look.face);
    const QColor ink(look.countText);
    // A puzzle whose logged solve guessed: the steps that stand in for the
    // trials, below a heading, numbered on from the last logged step before
    // the first trial.
    if (stepsShown_ && analysis_.firstTrial >= 0 && !analysis_.steps.empty()) {
        firstGuessFree_ = analysis_.firstTrial + 1;
        const int extra = 1 + static_cast<int>(analysis_.steps.size());
        listing_->setRowCount(n + extra);
        const TextSource& texts = game_.Texts();
        listing_->setItem(n, 0, MakeItem(QString(), face, QColor(look.listingNumber), true));
        listing_->setItem(n, 1, MakeItem(texts.Text(902), face, QColor(look.faceText), true));
        listing_->setItem(n, 2, MakeItem(QString(), face, ink, true));
        listing_->setItem(n, 3, MakeItem(QString(), face, ink, true));
        for (int k = 0; k < static_cast<int>(analysis_.steps.size()); ++k) {
            const GuessFreeStep& step = analysis_.steps[k];
            const int r = n + 1 + k;
            const QColor tint =
                Tint(look, StepColour(step.technique, ToColor(TechniqueColours[0])));
            QStringList cells, digits;
            for (const int c : step.cells) cells << CellLabel(c);
            for (const int d : step.digits) digits << QString::number(d);
            listing_->setItem(r, 0,
                              MakeItem(QString::number(firstGuessFree_ + k), face,
                                       QColor(look.listingNumber), true));
            QTableWidgetItem* nameItem =
                MakeItem(StepName(texts, step.technique), tint, ink, false);
            nameItem->setToolTip(nameItem->text());
            listing_->setItem(r, 1, nameItem);
            QTableWidgetItem* cellsItem = MakeItem(cells.join(QLatin1Char(' ')), tint, ink, false);
            cellsItem->setToolTip(cellsItem->text());
            listing_->setItem(r, 2, cellsItem);
            QTableWidgetItem* digitsItem =
                MakeItem(digits.join(QLatin1Char(' ')), tint, ink, false);
            digitsItem->setToolTip(digitsItem->text());
            listing_->setItem(r, 3, digitsItem);
        }
    }
    MeasureListing();
}

} // namespace vemo::ui
