// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The About box: author, contact and web links, the version, and the link
// that asks the web server whether a newer version exists.
#pragma once

#include "ui/dialogs/text_lookup.h"
#include "ui/dialogs/version_check.h"

#include <QDialog>
#include <QUrl>
#include <chrono>
#include <functional>

class QFrame;
class QLabel;
class QPushButton;

namespace vemo::ui {

class LinkLabel;

inline constexpr char kContactAddress[] = "contact@vemotarn.example.org";
inline constexpr char kWebSite[] = "https://vemotarn.example.org/";
inline constexpr char kDefaultVersionUrl[] = "https://vemotarn.example.org/VersionVemo.txt";

// "mailto:" + address + "?subject=Vemo Tarn&body=Question :".
QUrl MailUrl(const QString& address);

class AboutDialog : public QDialog {
    Q_OBJECT

  public:
    explicit AboutDialog(QWidget* parent = nullptr);

    void Retranslate(const TextLookup& text);

    // The version file's address; the settings file may name another one.
    void SetVersionUrl(const QUrl& url) { versionUrl_ = url; }
    QUrl VersionUrl() const { return versionUrl_; }
    void SetVersionTimeout(std::chrono::milliseconds timeout) { check_.SetTimeout(timeout); }
    // How links are opened (QDesktopServices::openUrl unless replaced).
    void SetUrlOpener(std::function<bool(const QUrl&)> opener) { openUrl_ = std::move(opener); }

    // The actions of the three links.
    void CheckVersion();
    void OpenMail();
    void OpenWebSite();

    QString VersionCheckLinkText() const;
    const LinkLabel& ContactLink() const { return *contact_; }
    const LinkLabel& WebLink() const { return *web_; }
    const LinkLabel& VersionCheckLink() const { return *checkLink_; }

    void done(int result) override;

  signals:
    // The link shows the outcome of a check.
    void VersionCheckFinished(const QString& linkText);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void ShowOutcome(const VersionReply& reply);
    void PlaceTexts();
    void Recolour();

    TextLookup text_;
    QUrl versionUrl_{QString::fromLatin1(kDefaultVersionUrl)};
    std::function<bool(const QUrl&)> openUrl_;
    QString firstCheckText_; // text 206, which closing the box brings back
    bool showingOutcome_ = false;
    VersionCheck check_;

    QLabel* name_;
    QFrame* authorPanel_;
    QLabel* designed_;
    QLabel* author_;
    QLabel* mail_;
    LinkLabel* contact_;
    QLabel* site_;
    LinkLabel* web_;
    QLabel* versionLabel_;
    QLabel* version_;
    QFrame* checkPanel_;
    LinkLabel* checkLink_;
    QPushButton* ok_;
};

} // namespace vemo::ui
