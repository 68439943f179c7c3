// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vemo::ui {

namespace {

constexpr int kVariantTexts[io::kVariantKinds] = {89, 90, 91, 93};
constexpr int kBandTexts[io::kBands] = {62, 61, 60, 59};

} // namespace

QString RecordTime(long long seconds) {
    if (seconds < 0) return QStringLiteral("-");
    if (seconds < 60) return QStringLiteral("%1 s").arg(seconds);
    const long long hours = seconds / 3600;
    const long long minutes = seconds / 60 % 60;
    const long long rest = seconds % 60;
    if (hours == 0) return QStringLiteral("%1:%2").arg(minutes).arg(rest, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2:%3")
        .arg(hours)
        .arg(minutes, 2, 10, QLatin1Char('0'))
        .arg(rest, 2, 10, QLatin1Char('0'));
}

RecordsDialog::RecordsDialog(const TextSource& texts, QWidget* parent)
    : QDialog(parent), texts_(texts) {
    setObjectName(QStringLiteral("Statistiques"));
    setModal(true);
    table_ = new QTableWidget(io::kRecordRows, 5, this);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    // Tab leaves the table; the arrows walk its cells.
    table_->setTabKeyNavigation(false);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    reset_ = new QPushButton(this);
    reset_->setObjectName(QStringLiteral("ResetRecords"));
    close_ = new QPushButton(this);
    close_->setObjectName(QStringLiteral("CloseRecords"));
    close_->setDefault(true);
    connect(reset_, &QPushButton::clicked, this, &RecordsDialog::ResetClicked);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(reset_);
    buttons->addStretch(1);
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addLayout(buttons);
    resize(640, 560);

    ConfirmReset = [this] {
        return QMessageBox::question(this, WithoutMnemonic(texts_.Text(553)), texts_.Text(566),
                                     QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::No) == QMessageBox::Yes;
    };
    Retranslate();
}

void RecordsDialog::SetRecords(const io::Records& records) {
    records_ = records;
    Fill();
}

void RecordsDialog::Retranslate() {
    setWindowTitle(QStringLiteral("Vemo Tarn - ") + WithoutMnemonic(texts_.Text(553)));
    table_->setHorizontalHeaderLabels(
        {texts_.Text(560), texts_.Text(533), texts_.Text(561), texts_.Text(562), texts_.Text(563)});
    reset_->setText(texts_.Text(564));
    close_->setText(texts_.Text(565));
    Fill();
}

void RecordsDialog::Fill() {
    int row = 0;
    const auto put = [this](int r, int column, const QString& text, bool number) {
        auto* item = new QTableWidgetItem(text);
        if (number) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table_->setItem(r, column, item);
    };
    for (int kind = 0; kind < io::kVariantKinds; ++kind)
        for (int x = 0; x < 2; ++x)
            for (int band = 0; band < io::kBands; ++band, ++row) {
                const io::RecordRow& r = records_.At(kind, x, band);
                QString variant = TrimLeft(texts_.Text(kVariantTexts[kind]));
                if (x == 1) variant += QStringLiteral(" X");
                put(row, 0, variant, false);
                put(row, 1, TrimLeft(texts_.Text(kBandTexts[band])), false);
                put(row, 2, QString::number(r.finished), true);
                put(row, 3, RecordTime(r.best), true);
                put(row, 4, RecordTime(r.bestWithoutHints), true);
            }
}

void RecordsDialog::ResetClicked() {
    if (ConfirmReset && !ConfirmReset()) return;
    records_.Reset();
    Fill();
    if (RecordsReset) RecordsReset(records_);
}

} // namespace vemo::ui
