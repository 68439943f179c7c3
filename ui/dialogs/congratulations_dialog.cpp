// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/dialogs/congratulations_dialog.h"

#include "ui/dialogs/centring.h"
#include "ui/dialogs/type_size.h"
#include "ui/look.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRandomGenerator>
#include <algorithm>
#include <cmath>

namespace vemo::ui {

namespace {

constexpr int kPieces = 5; // Musique1.mid .. Musique5.mid
constexpr int kWidth = 409;
constexpr int kHeight = 268;
constexpr int kPanelLeft = 92;
constexpr int kPanelTop = 58;
constexpr int kPanelWidth = 300;
constexpr int kPanelHeight = 158;
constexpr int kLineLeft = 22;
constexpr int kLineTop = 38;
constexpr int kLineStep = 22;
constexpr int kRecordHeight = 26; // the record line, when there is one

void SetTextColour(QWidget& widget, QRgb colour) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, QColor(colour));
    widget.setPalette(palette);
}

QPixmap StarPicture() {
    QPixmap picture(56, 56);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath star;
    for (int k = 0; k < 10; ++k) {
        const double radius = k % 2 == 0 ? 26.0 : 11.0;
        const double angle = -M_PI / 2 + k * M_PI / 5;
        const QPointF point(28 + radius * std::cos(angle), 29 + radius * std::sin(angle));
        k == 0 ? star.moveTo(point) : star.lineTo(point);
    }
    star.closeSubpath();
    painter.setPen(QPen(QColor(176, 120, 0), 2));
    painter.setBrush(QColor(255, 204, 0));
    painter.drawPath(star);
    return picture;
}

} // namespace

CongratulationsDialog::CongratulationsDialog(QWidget* parent)
    : QDialog(parent),
      musicFolder_(QCoreApplication::applicationDirPath() + QStringLiteral("/Divers")),
      choosePiece_([] { return QRandomGenerator::global()->bounded(1, kPieces + 1); }) {
    setFixedSize(kWidth, kHeight);
    RemoveTitleBar(*this);
    setModal(true);

    auto* icon = new QLabel(this);
    icon->setPixmap(StarPicture());
    icon->setGeometry(18, 16, 56, 56);

    title_ = new QLabel(QStringLiteral("FELICITATIONS"), this);
    title_->setObjectName(QStringLiteral("Congratulations306"));
    title_->setFont(HeadingFont(27, true));

    panel_ = new QFrame(this);
    panel_->setFrameShape(QFrame::Panel);
    panel_->setFrameShadow(QFrame::Sunken);
    panel_->setGeometry(kPanelLeft, kPanelTop, kPanelWidth, kPanelHeight);
    panel_->setAutoFillBackground(true);

    heading_ = new QLabel(QStringLiteral("STATISTIQUES"), panel_);
    heading_->setFont(HeadingFont(16, true));

    for (std::size_t k = 0; k < lines_.size(); ++k) {
        lines_[k] = new QLabel(panel_);
        lines_[k]->setGeometry(kLineLeft, kLineTop + static_cast<int>(k) * kLineStep,
                               kPanelWidth - 2 * kLineLeft, kLineStep);
    }

    record_ = new QLabel(this);
    record_->setObjectName(QStringLiteral("RecordLine"));
    record_->setFont(HeadingFont(18, true));
    record_->setAlignment(Qt::AlignCenter);
    record_->setGeometry(kPanelLeft, kPanelTop + kPanelHeight + 8, kPanelWidth, kRecordHeight);
    record_->hide();

    ok_ = new QPushButton(QStringLiteral(" O K"), this);
    ok_->setObjectName(QStringLiteral("Congratulations300"));
    ok_->setDefault(true);
    ok_->setGeometry(kPanelLeft + CentredOffset(kPanelWidth, 96), kPanelTop + kPanelHeight + 14, 96,
                     30);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    blink_.setInterval(300);
    connect(&blink_, &QTimer::timeout, this, &CongratulationsDialog::Blink);

    Recolour();
    SetStatistics({});
}

CongratulationsDialog::~CongratulationsDialog() = default;

void CongratulationsDialog::Retranslate(const TextLookup& text) {
    text_ = text;
    title_->setText(TextOr(text_, 306, 0, QStringLiteral("FELICITATIONS")));
    ok_->setText(TextOr(text_, 300, 0, QStringLiteral(" O K")));
    heading_->setText(TextOr(text_, 588, 0, QStringLiteral("STATISTIQUES")));
    if (text_) {
        if (const QString hint = text_(300, 1); !hint.isEmpty()) ok_->setToolTip(hint);
        if (const QString hint = text_(306, 1); !hint.isEmpty()) title_->setToolTip(hint);
    }
    SetStatistics(statistics_);
}

void CongratulationsDialog::SetStatistics(const GameStatistics& statistics) {
    statistics_ = statistics;
    const QStringList lines = StatisticsLines(statistics_, text_);
    for (std::size_t k = 0; k < lines_.size(); ++k)
        lines_[k]->setText(lines.value(static_cast<qsizetype>(k)));
    // A beaten record gets its own line between the panel and the button.
    const bool record = !statistics_.recordText.isEmpty();
    record_->setText(statistics_.recordText);
    record_->setVisible(record);
    Arrange(record);
    // Screen readers name the box by its title and read the game's figures
    // as its description.
    setAccessibleName(title_->text().trimmed());
    QStringList description;
    for (const QLabel* line : lines_)
        if (!line->text().isEmpty()) description << line->text();
    if (record) description << statistics_.recordText;
    setAccessibleDescription(description.join(QStringLiteral(", ")));
    PlaceTexts();
}

int CongratulationsDialog::ShowStatistics(const GameStatistics& statistics) {
    SetStatistics(statistics);
    return exec();
}

QStringList CongratulationsDialog::StatisticsText() const {
    QStringList lines;
    for (const QLabel* line : lines_) lines << line->text();
    return lines;
}

QString CongratulationsDialog::RecordText() const {
    return record_->isHidden() ? QString() : record_->text();
}

void CongratulationsDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnWindow(*this, parentWidget());
    PlaceTexts();
    // The lines are filled before the music starts; a missing piece only
    // leaves the box silent.
    const int piece = std::clamp(choosePiece_(), 1, kPieces);
    musicFile_ = musicFolder_ + QStringLiteral("/Musique%1.mid").arg(piece);
    music_.Play(musicFile_.toStdString());
    Recolour();
    blink_.start();
}

void CongratulationsDialog::done(int result) {
    music_.Stop();
    blink_.stop();
    QDialog::done(result);
}

void CongratulationsDialog::Blink() {
    const Look& look = CurrentLook();
    PaintTitle(
        QColor(titleColour_ == QColor(look.cheerTitle) ? look.cheerTitleBlink : look.cheerTitle));
}

// The colours of the look in use: the box follows a change of look the next
// time it is shown.
void CongratulationsDialog::Recolour() {
    const Look& look = CurrentLook();
    setPalette(LookPalette(look));
    QPalette panel = LookPalette(look);
    panel.setColor(QPalette::Window, QColor(look.statisticsGround));
    panel.setColor(QPalette::WindowText, QColor(look.statisticsText));
    panel_->setPalette(panel);
    SetTextColour(*heading_, look.statisticsHeading);
    SetTextColour(*record_, look.recordText);
    PaintTitle(QColor(look.cheerTitle));
}

void CongratulationsDialog::PaintTitle(const QColor& colour) {
    titleColour_ = colour;
    QPalette palette = title_->palette();
    palette.setColor(QPalette::WindowText, colour);
    title_->setPalette(palette);
}

void CongratulationsDialog::PlaceTexts() {
    title_->adjustSize();
    title_->move(kPanelLeft + CentredOffset(panel_->width(), title_->width()), 14);
    heading_->adjustSize();
    heading_->move(CentredOffset(panel_->width(), heading_->width()), 8);
}

void CongratulationsDialog::Arrange(bool record) {
    title_->adjustSize();
    heading_->adjustSize();
    const QFontMetrics metrics(lines_[0]->font());
    const int step = std::max(kLineStep, metrics.height() + 4);
    int lineWidth = kPanelWidth - 2 * kLineLeft;
    for (const QLabel* line : lines_)
        lineWidth = std::max(lineWidth, metrics.horizontalAdvance(line->text()) + 4);
    const int lineTop = std::max(kLineTop, 8 + heading_->height() + 6);
    // The title is centred over the panel: the panel is at least as wide.
    const int panelWidth =
        std::max({kPanelWidth, lineWidth + 2 * kLineLeft, title_->width(), heading_->width() + 8});
    const int panelHeight =
        std::max(kPanelHeight, lineTop + static_cast<int>(lines_.size()) * step + 10);
    const int panelTop = std::max(kPanelTop, 14 + title_->height() + 4);
    panel_->setGeometry(kPanelLeft, panelTop, panelWidth, panelHeight);
    for (std::size_t k = 0; k < lines_.size(); ++k)
        lines_[k]->setGeometry(kLineLeft, lineTop + static_cast<int>(k) * step, lineWidth, step);
    const int recordHeight = std::max(kRecordHeight, record_->sizeHint().height());
    const int below = panelTop + panelHeight;
    record_->setGeometry(kPanelLeft, below + 8, panelWidth, recordHeight);
    const int extra = record ? recordHeight + 4 : 0;
    const int okWidth = std::max(96, ok_->sizeHint().width());
    const int okHeight = std::max(30, ok_->sizeHint().height());
    ok_->setGeometry(kPanelLeft + CentredOffset(panelWidth, okWidth), below + 14 + extra, okWidth,
                     okHeight);
    const int rightMargin = kWidth - kPanelLeft - kPanelWidth;
    setFixedSize(std::max(kWidth, kPanelLeft + panelWidth + rightMargin),
                 std::max(kHeight + extra, ok_->y() + okHeight + 8));
}

} // namespace vemo::ui
