#include "ui/dialogs/about_dialog.h"

#include "ui/dialogs/centring.h"
#include "ui/dialogs/link_label.h"
#include "ui/dialogs/version.h"

#include <QDesktopServices>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <utility>

namespace vemo::ui {

namespace {

constexpr int kWidth = 370;
constexpr int kHeight = 270;
constexpr int kPanelLeft = 14;
constexpr int kPanelWidth = kWidth - 2 * kPanelLeft;
constexpr int kFieldLeft = 124;
// A deep sky blue, readable on the dialog's ground.
const QColor kSkyBlue(0, 90, 170);

const QString kCheckText = QStringLiteral("Vérifier la disponibilité d'une nouvelle version");
const QString kAuthor = QStringLiteral("L'équipe Vemo Tarn");

QFont PixelFont(int pixels, bool bold) {
    QFont font;
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

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
    name_->setFont(PixelFont(23, true));
    name_->adjustSize();
    name_->move(CentredOffset(kWidth, name_->width()), 12);

    authorPanel_ = Panel(this, QRect(kPanelLeft, 50, kPanelWidth, 52));
    designed_ = new QLabel(QStringLiteral("Conçu et réalisé par :"), authorPanel_);
    designed_->setObjectName(QStringLiteral("About201"));
    author_ = new QLabel(kAuthor, authorPanel_);
    author_->setObjectName(QStringLiteral("About207"));
    author_->setFont(PixelFont(13, true));

    mail_ = new QLabel(QStringLiteral("Mail :"), this);
    mail_->setObjectName(QStringLiteral("About202"));
    mail_->move(kPanelLeft + 8, 114);
    contact_ = new LinkLabel(Qt::blue, Qt::red, this);
    contact_->setText(QString::fromLatin1(kContactAddress));
    contact_->setToolTip(QStringLiteral("Contact"));
    contact_->move(kFieldLeft, 114);
    connect(contact_, &LinkLabel::Clicked, this, &AboutDialog::OpenMail);

    site_ = new QLabel(QStringLiteral("Site internet :"), this);
    site_->setObjectName(QStringLiteral("About204"));
    site_->move(kPanelLeft + 8, 138);
    web_ = new LinkLabel(kSkyBlue, Qt::red, this);
    web_->setText(QUrl(QString::fromLatin1(kWebSite)).host());
    web_->setToolTip(QStringLiteral("Le site du Sudoku et du Sudoku Killer"));
    web_->move(kFieldLeft, 138);
    connect(web_, &LinkLabel::Clicked, this, &AboutDialog::OpenWebSite);

    versionLabel_ = new QLabel(QStringLiteral("Version : "), this);
    versionLabel_->setObjectName(QStringLiteral("About205"));
    versionLabel_->move(kPanelLeft + 8, 164);
    version_ = ColouredLabel(QString::fromLatin1(VersionString()), Qt::blue, this);
    version_->setFont(PixelFont(16, true));
    version_->move(kFieldLeft, 161);

    checkPanel_ = Panel(this, QRect(kPanelLeft, 190, kPanelWidth, 30));
    checkLink_ = new LinkLabel(Qt::red, Qt::blue, checkPanel_);
    checkLink_->setObjectName(QStringLiteral("About206"));
    checkLink_->setText(kCheckText);
    checkLink_->setToolTip(QStringLiteral("Cliquez"));
    connect(checkLink_, &LinkLabel::Clicked, this, &AboutDialog::CheckVersion);
    connect(&check_, &VersionCheck::Finished, this, &AboutDialog::ShowOutcome);

    ok_ = new QPushButton(QStringLiteral("  O K"), this);
    ok_->setDefault(true);
    ok_->setGeometry(CentredOffset(kWidth, 96), 230, 96, 30);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

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

void AboutDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnWindow(*this, parentWidget());
    version_->setText(QString::fromLatin1(VersionString()));
    version_->adjustSize();
    PlaceTexts();
}

void AboutDialog::ShowOutcome(const VersionReply& reply) {
    checkLink_->setText(VersionCheckText(reply, VersionString(), text_));
    showingOutcome_ = true;
    PlaceTexts();
    emit VersionCheckFinished(checkLink_->text());
}

void AboutDialog::PlaceTexts() {
    CentreIn(*designed_, 6);
    CentreIn(*author_, 27);
    CentreIn(*checkLink_, 6);
}

} // namespace vemo::ui
