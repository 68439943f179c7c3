// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/dialogs/examples_dialog.h"

#include "ui/dialogs/centring.h"
#include "ui/dialogs/example_files.h"
#include "ui/dialogs/type_size.h"
#include "ui/look.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace vemo::ui {

namespace {

constexpr int kWidth = 517;
constexpr int kHeight = 513;
constexpr int kMargin = 10;
constexpr int kInner = kWidth - 2 * kMargin;
constexpr int kHalf = (kInner - kMargin) / 2;
constexpr int kCancelResult = 17; // slot of "Annuler" in results_

// One technique button: result, identifier, French caption.
struct Technique {
    int result;
    int identifier;
    const char* caption;
};

QLabel* BannerLine(int identifier, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QStringLiteral("Examples%1").arg(identifier));
    label->setFont(HeadingFont(15, true));
    return label;
}

} // namespace

ExamplesDialog::ExamplesDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Aide"));
    setFixedSize(kWidth, kHeight);
    RemoveTitleBar(*this);
    setModal(true);
    results_.assign(kCancelResult, nullptr);
    content_ = new QWidget;
    content_->setFixedSize(kWidth, kHeight);
    scroller_ = ScrollAround(*this, content_);

    auto* banner = new QFrame(content_);
    banner->setFrameShape(QFrame::Panel);
    banner->setFrameShadow(QFrame::Sunken);
    banner->setGeometry(kMargin, kMargin, kInner, 58);
    click_ = BannerLine(125, QStringLiteral("Cliquez et chargez un puzzle"), banner);
    then_ = BannerLine(126, QStringLiteral("Ensuite consultez les caractéristiques"), banner);
    bound_.push_back({click_, 125, click_->text()});
    bound_.push_back({then_, 126, then_->text()});

    const auto fill = [this](QGroupBox* group, std::initializer_list<Technique> techniques,
                             int columns) {
        auto* grid = new QGridLayout(group);
        grid->setContentsMargins(12, 6, 12, 8);
        grid->setHorizontalSpacing(12);
        grid->setVerticalSpacing(6);
        int k = 0;
        for (const Technique& technique : techniques) {
            QPushButton* const button =
                AddButton(group, technique.identifier, QString::fromUtf8(technique.caption),
                          technique.result);
            grid->addWidget(button, k / columns, k % columns);
            ++k;
        }
    };

    fill(AddGroup(105, QStringLiteral("Techniques de base : "), QRect(kMargin, 76, kHalf, 90)),
         {{1, 101, "Candidat unique"}, {2, 102, "Candidat caché"}}, 1);
    fill(AddGroup(106, QStringLiteral("Techniques modérées : "),
                  QRect(kWidth - kMargin - kHalf, 76, kHalf, 90)),
         {{3, 103, "Candidats Vérouillés (1)"}, {4, 104, "Candidats Vérouillés (2)"}}, 1);
    fill(AddGroup(111, QStringLiteral("Techniques évoluées : "), QRect(kMargin, 174, kInner, 90)),
         {{5, 107, "Paire nue"},
          {6, 108, "Triplet nu"},
          {7, 109, "Quadruplet nu"},
          {8, 110, "Paire cachée"}},
         2);
    fill(AddGroup(113, QStringLiteral("Techniques très évoluées : "),
                  QRect(kMargin, 272, kInner, 122)),
         {{9, 114, "X-wing"},
          {10, 115, "Swordfish"},
          {11, 116, "Couleurs"},
          {12, 117, "Couleurs multiples"},
          {13, 118, "Triplet caché"},
          {14, 119, "XY-wing"},
          {15, 120, "Quadruplet caché"}},
         3);

    QGroupBox* const mixed =
        AddGroup(121, QStringLiteral("Multitechniques : "), QRect(kMargin, 402, kInner, 58));
    auto* row = new QHBoxLayout(mixed);
    row->setContentsMargins(12, 6, 12, 8);
    auto* extreme = new QLabel(QStringLiteral("Sudoku extrême :  "), mixed);
    extreme->setObjectName(QStringLiteral("Examples122"));
    bound_.push_back({extreme, 122, extreme->text()});
    row->addWidget(extreme);
    row->addWidget(AddButton(mixed, 123, QStringLiteral("  Multitechniques"), 16), 1);
    row->addStretch(1);

    QPushButton* const cancel = AddButton(content_, 112, QStringLiteral("   Annuler"), -1);
    cancel->setDefault(true);
    cancel->setGeometry(CentredOffset(kWidth, 110), 472, 110, 28);
    Arrange();
}

QGroupBox* ExamplesDialog::AddGroup(int identifier, const QString& title, const QRect& geometry) {
    auto* group = new QGroupBox(title, content_);
    group->setObjectName(QStringLiteral("Examples%1").arg(identifier));
    group->setGeometry(geometry);
    bound_.push_back({group, identifier, title});
    return group;
}

QPushButton* ExamplesDialog::AddButton(QWidget* parent, int identifier, const QString& caption,
                                       int result) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QStringLiteral("Examples%1").arg(identifier));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
    results_[static_cast<std::size_t>(result > 0 ? result - 1 : kCancelResult - 1)] = button;
    bound_.push_back({button, identifier, caption});
    return button;
}

void ExamplesDialog::Retranslate(const TextLookup& text) {
    for (const Bound& element : bound_) {
        const QString caption = TextOr(text, element.identifier, 0, element.builtIn);
        const QString hint = text ? text(element.identifier, 1) : QString();
        if (auto* group = qobject_cast<QGroupBox*>(element.widget)) group->setTitle(caption);
        if (auto* label = qobject_cast<QLabel*>(element.widget)) label->setText(caption);
        if (auto* button = qobject_cast<QPushButton*>(element.widget)) button->setText(caption);
        if (!hint.isEmpty()) element.widget->setToolTip(hint);
    }
    Arrange();
}

int ExamplesDialog::Choose() {
    return exec();
}

QAbstractButton* ExamplesDialog::ButtonFor(int result) const {
    if (result == kExamplesCancelled) return results_[kCancelResult - 1];
    if (ExampleCount(result) == 0) return nullptr;
    return results_[static_cast<std::size_t>(result - 1)];
}

void ExamplesDialog::reject() {
    done(kExamplesCancelled); // Esc is "Annuler"
}

void ExamplesDialog::showEvent(QShowEvent* event) {
    // The banner's red lines in the look in use.
    setPalette(LookPalette(CurrentLook()));
    for (QLabel* line : {click_, then_}) {
        QPalette palette = line->palette();
        palette.setColor(QPalette::WindowText, QColor(CurrentLook().bannerText));
        line->setPalette(palette);
    }
    QDialog::showEvent(event);
    PlaceTexts();
    FitOnScreen(*this, *scroller_);
    CentreOnWindow(*this, parentWidget());
}

void ExamplesDialog::Arrange() {
    const auto group = [this](int identifier) {
        return findChild<QGroupBox*>(QStringLiteral("Examples%1").arg(identifier));
    };
    QGroupBox* const basic = group(105);
    QGroupBox* const moderate = group(106);
    // Each group as designed at the usual type, and at a larger one as large
    // as its buttons need.
    const bool designed = TypeScale() <= 1.0;
    const auto need = [designed](QGroupBox* g, int width, int height) {
        if (designed) return QSize(width, height);
        const QSize hint = g->minimumSizeHint();
        return QSize(std::max(width, hint.width()), std::max(height, hint.height()));
    };
    QFrame* const banner = static_cast<QFrame*>(click_->parentWidget());
    for (QLabel* line : {click_, then_}) line->adjustSize();
    const int bannerHeight = std::max(58, 8 + click_->height() + then_->height() + 12);
    const QSize half = need(basic, kHalf, 90).expandedTo(need(moderate, kHalf, 90));
    int inner = std::max({kInner, 2 * half.width() + kMargin,
                          std::max(click_->width(), then_->width()) + 2 * kMargin});
    const QSize advanced = need(group(111), inner, 90);
    const QSize expert = need(group(113), inner, 122);
    const QSize mixed = need(group(121), inner, 58);
    inner = std::max({inner, advanced.width(), expert.width(), mixed.width()});

    banner->setGeometry(kMargin, kMargin, inner, bannerHeight);
    int top = kMargin + bannerHeight + 8;
    const int halfWidth = (inner - kMargin) / 2;
    basic->setGeometry(kMargin, top, halfWidth, half.height());
    moderate->setGeometry(kMargin + inner - halfWidth, top, halfWidth, half.height());
    top += half.height() + 8;
    for (const auto& [g, size] : {std::pair{group(111), advanced}, std::pair{group(113), expert},
                                  std::pair{group(121), mixed}}) {
        g->setGeometry(kMargin, top, inner, size.height());
        top += size.height() + 8;
    }
    QAbstractButton* const cancel = results_[kCancelResult - 1];
    const QSize button = cancel->sizeHint().expandedTo(QSize(110, 28));
    const int width = inner + 2 * kMargin;
    cancel->setGeometry(CentredOffset(width, button.width()), top + 4, button.width(),
                        button.height());
    content_->setFixedSize(width, std::max(kHeight, top + 4 + button.height() + 13));
    FitOnScreen(*this, *scroller_);
    PlaceTexts();
}

void ExamplesDialog::PlaceTexts() {
    for (QLabel* line : {click_, then_}) line->adjustSize();
    const int width = click_->parentWidget()->width();
    click_->move(CentredOffset(width, click_->width()), 8);
    then_->move(CentredOffset(width, then_->width()), std::max(31, 8 + click_->height() + 4));
}

} // namespace vemo::ui
