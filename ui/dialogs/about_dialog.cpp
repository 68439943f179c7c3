// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/dialogs/about_dialog.h"

#include "ui/dialogs/centring.h"
#include "ui/dialogs/link_label.h"
#include "ui/dialogs/type_size.h"
#include "ui/dialogs/version.h"
#include "ui/look.h"

#include <QDesktopServices>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <utility>

namespace vemo::ui {

namespace {

constexpr int kWidth = 370;
constexpr int kHeight = 270;
constexpr int kPanelLeft = 14;
constexpr int kPanelWidth = kWidth - 2 * kPanelLeft;
constexpr int kFieldLeft = 124;

const QString kCheckText = QStringLiteral("Vérifier la disponibilité d'une nouvelle version");
const QString kAuthor = QStringLiteral("L'équipe Vemo Tarn");

QLabel* ColouredLabel(const QString& text, const QColor& colour, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

QFrame* Panel(QWidget* parent, const QRect& geometry) {
    auto* panel = new QFrame(parent);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setGeometry(geometry);
    return panel;
}

void CentreIn(QWidget& child, int top) {
    child.adjustSize();
    child.move(CentredOffset(child.parentWidget()->width(), child.width()), top);
}

void SetTextColour(QLabel& label, const QColor& colour) {
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, colour);
    label.setPalette(palette);
}

} // namespace

QUrl MailUrl(const QString& address) {
    return QUrl(QStringLiteral("mailto:") + address +
                QStringLiteral("?subject=Vemo Tarn&body=Question :"));
}

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent), openUrl_([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
    setFixedSize(kWidth, kHeight);
    RemoveTitleBar(*this);
    setModal(true);

    name_ = ColouredLabel(QStringLiteral("VEMO TARN"), Qt::blue, this);
    name_->setFont(HeadingFont(23, true));
    name_->adjustSize();
    name_->move(CentredOffset(kWidth, name_->width()), 12);

    authorPanel_ = Panel(this, QRect(kPanelLeft, 50, kPanelWidth, 52));
    designed_ = new QLabel(QStringLiteral("Conçu et réalisé par :"), authorPanel_);
    designed_->setObjectName(QStringLiteral("About201"));
    author_ = new QLabel(kAuthor, authorPanel_);
    author_->setObjectName(QStringLiteral("About207"));
    author_->setFont(HeadingFont(13, true));

    mail_ = new QLabel(QStringLiteral("Mail :"), this);
    mail_->setObjectName(QStringLiteral("About202"));
    mail_->move(kPanelLeft + 8, 114);
    const Look& look = CurrentLook();
    contact_ = new LinkLabel(QColor(look.link), QColor(look.linkHover), this);
    contact_->setText(QString::fromLatin1(kContactAddress));
    contact_->setToolTip(QStringLiteral("Contact"));
    contact_->move(kFieldLeft, 114);
    connect(contact_, &LinkLabel::Clicked, this, &AboutDialog::OpenMail);

    site_ = new QLabel(QStringLiteral("Site internet :"), this);
    site_->setObjectName(QStringLiteral("About204"));
    site_->move(kPanelLeft + 8, 138);
    web_ = new LinkLabel(QColor(look.link), QColor(look.linkHover), this);
    web_->setText(QUrl(QString::fromLatin1(kWebSite)).host());
    web_->setToolTip(QStringLiteral("Le site du Sudoku et du Sudoku Killer"));
    web_->move(kFieldLeft, 138);
    connect(web_, &LinkLabel::Clicked, this, &AboutDialog::OpenWebSite);

    versionLabel_ = new QLabel(QStringLiteral("Version : "), this);
    versionLabel_->setObjectName(QStringLiteral("About205"));
    versionLabel_->move(kPanelLeft + 8, 164);
    version_ = ColouredLabel(QString::fromLatin1(VersionString()), Qt::blue, this);
    version_->setFont(HeadingFont(16, true));
    version_->move(kFieldLeft, 161);

    checkPanel_ = Panel(this, QRect(kPanelLeft, 190, kPanelWidth, 30));
    checkLink_ = new LinkLabel(QColor(look.checkLink), QColor(look.checkLinkHover), checkPanel_);
    checkLink_->setObjectName(QStringLiteral("About206"));
    checkLink_->setText(kCheckText);
    checkLink_->setToolTip(QStringLiteral("Cliquez"));
    connect(checkLink_, &LinkLabel::Clicked, this, &AboutDialog::CheckVersion);
    connect(&check_, &VersionCheck::Finished, this, &AboutDialog::ShowOutcome);

    ok_ = new QPushButton(QStringLiteral("  O K"), this);
    ok_->setDefault(true);
    ok_->setGeometry(CentredOffset(kWidth, 96), 230, 96, 30);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    setTabOrder(contact_, web_);
    setTabOrder(web_, checkLink_);
    setTabOrder(checkLink_, ok_);

    for (QLabel* label : {mail_, site_, versionLabel_, static_cast<QLabel*>(contact_),
                          static_cast<QLabel*>(web_), version_})
        label->adjustSize();
    PlaceTexts();
}

void AboutDialog::Retranslate(const TextLookup& text) {
    text_ = text;
    designed_->setText(TextOr(text_, 201, 0, QStringLiteral("Conçu et réalisé par :")));
    author_->setText(TextOr(text_, 207, 0, kAuthor));
    mail_->setText(TextOr(text_, 202, 0, QStringLiteral("Mail :")));
    site_->setText(TextOr(text_, 204, 0, QStringLiteral("Site internet :")));
    versionLabel_->setText(TextOr(text_, 205, 0, QStringLiteral("Version : ")));
    firstCheckText_ = TextOr(text_, 206, 0, kCheckText);
    if (!showingOutcome_) checkLink_->setText(firstCheckText_);
    checkLink_->setToolTip(TextOr(text_, 206, 1, QStringLiteral("Cliquez")));
    const std::pair<QLabel*, int> hinted[] = {
        {designed_, 201}, {mail_, 202}, {site_, 204}, {versionLabel_, 205}, {author_, 207}};
    for (const auto& [label, identifier] : hinted) {
        const QString hint = text_ ? text_(identifier, 1) : QString();
        if (!hint.isEmpty()) label->setToolTip(hint);
    }
    for (QLabel* label : {mail_, site_, versionLabel_}) label->adjustSize();
    PlaceTexts();
}

void AboutDialog::CheckVersion() {
    // The window's translator may have set the link's text: that is the one
    // to come back to.
    if (!showingOutcome_ && !check_.Running()) firstCheckText_ = checkLink_->text();
    check_.Start(versionUrl_);
}

void AboutDialog::OpenMail() {
    openUrl_(MailUrl(QString::fromLatin1(kContactAddress)));
}

void AboutDialog::OpenWebSite() {
    openUrl_(QUrl(QString::fromLatin1(kWebSite)));
}

QString AboutDialog::VersionCheckLinkText() const {
    return checkLink_->text();
}

void AboutDialog::done(int result) {
    // The next opening starts from the first text; a check still running is
    // forgotten.
    check_.Cancel();
    if (showingOutcome_) checkLink_->setText(firstCheckText_);
    showingOutcome_ = false;
    PlaceTexts();
    QDialog::done(result);
}

void AboutDialog::Recolour() {
    const Look& look = CurrentLook();
    setPalette(LookPalette(look));
    SetTextColour(*name_, QColor(look.title));
    SetTextColour(*version_, QColor(look.title));
    contact_->SetColours(QColor(look.link), QColor(look.linkHover));
    web_->SetColours(QColor(look.link), QColor(look.linkHover));
    checkLink_->SetColours(QColor(look.checkLink), QColor(look.checkLinkHover));
}

void AboutDialog::showEvent(QShowEvent* event) {
    Recolour();
    QDialog::showEvent(event);
    ok_->setFocus();
    CentreOnWindow(*this, parentWidget());
    version_->setText(QString::fromLatin1(VersionString()));
    version_->adjustSize();
    // Screen readers name the box by the program and read who made it and
    // its version as its description.
    setAccessibleName(QStringLiteral("Vemo Tarn"));
    setAccessibleDescription(designed_->text() + QLatin1Char(' ') + author_->text() +
                             QStringLiteral(", ") + versionLabel_->text() + version_->text());
    PlaceTexts();
}

void AboutDialog::ShowOutcome(const VersionReply& reply) {
    checkLink_->setText(VersionCheckText(reply, VersionString(), text_));
    showingOutcome_ = true;
    PlaceTexts();
    emit VersionCheckFinished(checkLink_->text());
}

// Every line as high as its type and the box as wide as its longest line:
// nothing is cut at any font size.
void AboutDialog::PlaceTexts() {
    for (QLabel* label :
         {designed_, author_, mail_, site_, versionLabel_, version_, static_cast<QLabel*>(contact_),
          static_cast<QLabel*>(web_), static_cast<QLabel*>(checkLink_)})
        label->adjustSize();
    const int fieldLeft = std::max({kFieldLeft, kPanelLeft + 8 + mail_->width() + 8,
                                    kPanelLeft + 8 + site_->width() + 8,
                                    kPanelLeft + 8 + versionLabel_->width() + 8});
    const int fields = std::max({contact_->width(), web_->width(), version_->width()});
    const int width = std::max({kWidth, fieldLeft + fields + kPanelLeft + 8,
                                designed_->width() + 2 * kPanelLeft + 16,
                                checkLink_->width() + 2 * kPanelLeft + 16});
    const int panelWidth = width - 2 * kPanelLeft;
    name_->move(CentredOffset(width, name_->width()), 12);
    const int panelTop = name_->y() + name_->height() + 10;
    const int panelHeight = std::max(52, 6 + designed_->height() + 4 + author_->height() + 6);
    authorPanel_->setGeometry(kPanelLeft, panelTop, panelWidth, panelHeight);
    CentreIn(*designed_, 6);
    CentreIn(*author_, designed_->y() + designed_->height() + 4);
    int top = panelTop + panelHeight + 12;
    for (const auto& [label, field] :
         {std::pair<QLabel*, QLabel*>{mail_, contact_}, {site_, web_}, {versionLabel_, version_}}) {
        const int line = std::max(label->height(), field->height());
        label->move(kPanelLeft + 8, top + (line - label->height()) / 2);
        field->move(fieldLeft, top + (line - field->height()) / 2);
        top += line + 6;
    }
    const int checkHeight = std::max(30, checkLink_->height() + 12);
    checkPanel_->setGeometry(kPanelLeft, top + 2, panelWidth, checkHeight);
    CentreIn(*checkLink_, (checkHeight - checkLink_->height()) / 2);
    const int okHeight = std::max(30, ok_->sizeHint().height());
    const int okWidth = std::max(96, ok_->sizeHint().width());
    const int okTop = checkPanel_->y() + checkHeight + 10;
    ok_->setGeometry(CentredOffset(width, okWidth), okTop, okWidth, okHeight);
    setFixedSize(width, std::max(kHeight, okTop + okHeight + 10));
}

} // namespace vemo::ui
