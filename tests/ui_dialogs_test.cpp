// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The congratulations box, the About box with its version check, the examples
// dialog and the music player, offscreen.
#include "io/language.h"
#include "io/ui_texts.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/centring.h"
#include "ui/dialogs/congratulations_dialog.h"
#include "ui/dialogs/example_files.h"
#include "ui/dialogs/examples_dialog.h"
#include "ui/dialogs/link_label.h"
#include "ui/dialogs/music_player.h"
#include "ui/dialogs/statistics_lines.h"
#include "ui/dialogs/version.h"
#include "ui/look.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrlQuery>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <set>

namespace vemo::ui {
namespace {

using namespace std::chrono_literals;

std::string SourcePath(const std::string& relative) {
    return std::string(VEMO_SOURCE_DIR) + "/" + relative;
}

// The texts of one of the program's language files.
class Language {
  public:
    explicit Language(const std::string& file) {
        loaded_ = table_.Load(SourcePath("data/Langues/" + file)).ok;
    }
    bool Loaded() const { return loaded_; }
    TextLookup Lookup() const {
        return
            [this](int id, int sub) { return QString::fromStdString(table_.LookupText(id, sub)); };
    }
    QString Text(int id, int sub = 0) const { return Lookup()(id, sub); }

  private:
    io::LanguageTable table_;
    bool loaded_ = false;
};

const Language& English() {
    static const Language language("English.lng");
    return language;
}

// ---------------------------------------------------------------- time line

TEST(TimeLine, UnderAMinuteShowsOnlyTheSeconds) {
    EXPECT_EQ(ElapsedText("00:00:42"), "42 s");
    EXPECT_EQ(ElapsedText("00:00:07"), "07 s");
}

TEST(TimeLine, ExactlyOneHourShowsOnlyTheHours) {
    EXPECT_EQ(ElapsedText("01:00:00"), "01 h");
}

TEST(TimeLine, PartsFollowEachOtherWithoutBlanks) {
    EXPECT_EQ(ElapsedText("00:05:12"), "05 min12 s");
    EXPECT_EQ(ElapsedText("02:13:09"), "02 h13 min09 s");
}

TEST(TimeLine, ZeroPartsAreLeftOut) {
    EXPECT_EQ(ElapsedText("02:00:07"), "02 h07 s");
    EXPECT_EQ(ElapsedText("00:10:00"), "10 min");
    EXPECT_EQ(ElapsedText("03:20:00"), "03 h20 min");
    EXPECT_EQ(ElapsedText("00:00:00"), "");
}

TEST(TimeLine, OnlyTheLastEightCharactersCount) {
    // The clock panel may carry a label in front of the time.
    EXPECT_EQ(ElapsedText("Temps 00:05:12"), "05 min12 s");
    EXPECT_EQ(ElapsedText("  99:00:01"), "99 h01 s");
}

TEST(TimeLine, ShortOrUnreadableClockGivesNoParts) {
    EXPECT_EQ(ElapsedText(""), "");
    EXPECT_EQ(ElapsedText("12"), "12 s");
    EXPECT_EQ(ElapsedText("ab:cd:ef"), "");
}

TEST(TimeLine, LabelThenColon) {
    EXPECT_EQ(TimeLine("Temps", "00:00:42"), "Temps : 42 s");
    EXPECT_EQ(TimeLine("Time", "01:00:00"), "Time : 01 h");
}

TEST(StatisticsLines, FromTheLanguageFile) {
    ASSERT_TRUE(English().Loaded());
    const GameStatistics game{"00:05:12", 3, 1, 2, 4, {}};
    EXPECT_EQ(StatisticsLines(game, English().Lookup()),
              (QStringList{"Time : 05 min12 s", "Hint : 3", "Complete hint : 1", "Play hint : 2",
                           "Errors: 4"}));
}

TEST(StatisticsLines, FrenchWithoutALanguageFile) {
    const GameStatistics game{"01:00:00", 0, 0, 0, 0, {}};
    EXPECT_EQ(StatisticsLines(game, {}),
              (QStringList{"Temps : 01 h", "Indice : 0", "Indice complet : 0", "Jouer Indice : 0",
                           "Erreurs : 0"}));
}

// ---------------------------------------------------------------- centring

TEST(Centring, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(2.4), 2);
    EXPECT_EQ(CentredOffset(100, 45), 28); // 27.5
    EXPECT_EQ(CentredOffset(100, 47), 26); // 26.5
}

// A main window of odd size, so that the centring has halves to round.
std::unique_ptr<QWidget> MainWindow() {
    auto window = std::make_unique<QWidget>();
    window->setGeometry(100, 60, 801, 603);
    window->show();
    return window;
}

QPoint ExpectedCentre(const QWidget& main, const QWidget& box) {
    const QRect m = main.frameGeometry();
    const QRect b = box.frameGeometry();
    return {m.left() + RoundHalfEven(m.width() / 2.0 - b.width() / 2.0),
            m.top() + RoundHalfEven(m.height() / 2.0 - b.height() / 2.0)};
}

// ---------------------------------------------------------------- congratulations box

GameStatistics SomeGame() {
    return {"00:05:12", 3, 1, 2, 4, {}};
}

TEST(CongratulationsDialog, SizeNoTitleBarAndCentred) {
    const auto main = MainWindow();
    QTemporaryDir empty;
    CongratulationsDialog box(main.get());
    box.SetMusicFolder(empty.path());
    EXPECT_EQ(box.size(), QSize(409, 268));
    EXPECT_TRUE(box.windowFlags().testFlag(Qt::FramelessWindowHint));
    box.show();
    EXPECT_EQ(box.frameGeometry().topLeft(), ExpectedCentre(*main, box));
    box.accept();
}

TEST(CongratulationsDialog, WorksWithoutMusicFiles) {
    QTemporaryDir empty;
    CongratulationsDialog box;
    box.SetMusicFolder(empty.path());
    box.Retranslate(English().Lookup());
    box.SetStatistics(SomeGame());
    box.show();
    EXPECT_TRUE(box.MusicFile().startsWith(empty.path() + "/Musique"));
    EXPECT_TRUE(box.MusicFile().endsWith(".mid"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return box.Music() == MusicState::kSilent; }, 2000));
    EXPECT_EQ(box.StatisticsText(),
              (QStringList{"Time : 05 min12 s", "Hint : 3", "Complete hint : 1", "Play hint : 2",
                           "Errors: 4"}));
    auto* const ok = box.findChild<QPushButton*>("Congratulations300");
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->isDefault());
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), QDialog::Accepted);
}

TEST(CongratulationsDialog, WorksWithoutASoundFont) {
    CongratulationsDialog box;
    box.SetMusicFolder(QString::fromStdString(SourcePath("data/Divers")));
    box.SetSoundFonts({"/nonexistent/none.sf2"});
    box.show();
    EXPECT_TRUE(std::filesystem::exists(box.MusicFile().toStdString()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return box.Music() == MusicState::kSilent; }, 2000));
    box.accept();
    EXPECT_FALSE(box.isVisible());
}

TEST(CongratulationsDialog, ThePieceNumberNamesTheFile) {
    for (const int piece : {1, 3, 5}) {
        CongratulationsDialog box;
        box.SetMusicFolder("/nonexistent/Divers");
        box.SetPieceChooser([piece] { return piece; });
        box.show();
        EXPECT_EQ(box.MusicFile(), QStringLiteral("/nonexistent/Divers/Musique%1.mid").arg(piece));
        box.accept();
    }
}

TEST(CongratulationsDialog, PiecesAreDrawnFromOneToFive) {
    std::set<QString> files;
    CongratulationsDialog box;
    box.SetMusicFolder("/nonexistent");
    for (int k = 0; k < 200; ++k) {
        box.show();
        files.insert(box.MusicFile());
        box.accept();
    }
    std::set<QString> expected;
    for (int n = 1; n <= 5; ++n)
        expected.insert(QStringLiteral("/nonexistent/Musique%1.mid").arg(n));
    EXPECT_EQ(files, expected);
}

TEST(CongratulationsDialog, TitleBlinksBetweenRedAndBlue) {
    QTemporaryDir empty;
    CongratulationsDialog box;
    box.SetMusicFolder(empty.path());
    box.show();
    EXPECT_EQ(box.TitleColour(), QColor(Qt::red));
    EXPECT_TRUE(QTest::qWaitFor([&] { return box.TitleColour() == QColor(Qt::blue); }, 1000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return box.TitleColour() == QColor(Qt::red); }, 1000));
    box.accept();
    // Closed: the blinking stops.
    const QColor last = box.TitleColour();
    QTest::qWait(700);
    EXPECT_EQ(box.TitleColour(), last);
}

TEST(CongratulationsDialog, TranslatedTitleAndButton) {
    CongratulationsDialog box;
    box.Retranslate(English().Lookup());
    EXPECT_EQ(box.findChild<QLabel*>("Congratulations306")->text(), "CONGRATULATIONS");
    EXPECT_EQ(box.findChild<QPushButton*>("Congratulations300")->text(), " O K");
}

TEST(CongratulationsDialog, PlaysThroughTheFileDriverWithoutHoldingTheWindow) {
    if (FindSoundFont(DefaultSoundFonts()).empty()) GTEST_SKIP() << "no General MIDI sound font";
    QTemporaryDir output;
    const std::string wave = (output.path() + "/music.wav").toStdString();
    {
        CongratulationsDialog box;
        box.SetMusicFolder(QString::fromStdString(SourcePath("data/Divers")));
        box.SetMusicOutput({"file", wave});
        QElapsedTimer clock;
        clock.start();
        box.show();
        EXPECT_LT(clock.elapsed(), 150); // the sound font loads on the worker
        EXPECT_TRUE(QTest::qWaitFor([&] { return box.Music() == MusicState::kPlaying; }, 5000));
        // Sound reaches the output: the file grows beyond its header.
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                std::error_code error;
                return std::filesystem::file_size(wave, error) > 44 && !error;
            },
            5000));
        clock.restart();
        QTest::mouseClick(box.findChild<QPushButton*>("Congratulations300"), Qt::LeftButton);
        EXPECT_LT(clock.elapsed(), 150);
        EXPECT_TRUE(QTest::qWaitFor([&] { return box.Music() == MusicState::kIdle; }, 2000));
    }
    EXPECT_TRUE(std::filesystem::exists(wave));
}

TEST(MusicPlayer, FindsTheFirstExistingSoundFont) {
    QTemporaryDir folder;
    const std::string present = (folder.path() + "/present.sf2").toStdString();
    std::ofstream(present) << "x";
    EXPECT_EQ(FindSoundFont({"/nonexistent/a.sf2", present, "/nonexistent/b.sf2"}), present);
    EXPECT_EQ(FindSoundFont({"/nonexistent/a.sf2"}), "");
    EXPECT_EQ(FindSoundFont({}), "");
}

TEST(MusicPlayer, ANonMidiFileIsSilent) {
    QTemporaryDir folder;
    const std::string text = (folder.path() + "/Musique1.mid").toStdString();
    std::ofstream(text) << "not a MIDI file";
    MusicPlayer player;
    EXPECT_EQ(player.State(), MusicState::kIdle);
    player.Play(text);
    EXPECT_TRUE(QTest::qWaitFor([&] { return player.State() == MusicState::kSilent; }, 2000));
}

TEST(MusicPlayer, EveryPieceIsAMidiFileBesideTheData) {
    for (int n = 1; n <= 5; ++n) {
        const std::string path = SourcePath("data/Divers/Musique" + std::to_string(n) + ".mid");
        ASSERT_TRUE(std::filesystem::exists(path)) << path;
        std::ifstream file(path, std::ios::binary);
        char magic[4] = {};
        file.read(magic, 4);
        EXPECT_EQ(std::string(magic, 4), "MThd") << path;
    }
}

// ---------------------------------------------------------------- About box

// An HTTP server on the loopback that answers every request with one body, or
// never answers at all.
class VersionServer {
  public:
    explicit VersionServer(std::optional<QByteArray> body) : body_(std::move(body)) {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    request_ += socket->readAll();
                    if (!request_.contains("\r\n\r\n") || !body_) return;
                    socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n"
                                  "Connection: close\r\nContent-Length: " +
                                  QByteArray::number(body_->size()) + "\r\n\r\n" + *body_);
                    socket->disconnectFromHost();
                });
            }
        });
    }
    QUrl Url() const {
        return QUrl(
            QStringLiteral("http://127.0.0.1:%1/VersionVemo.txt").arg(server_.serverPort()));
    }
    const QByteArray& Request() const { return request_; }

  private:
    QTcpServer server_;
    std::optional<QByteArray> body_;
    QByteArray request_;
};

// Runs one check and returns the link's text after it.
QString Check(AboutDialog& about, const QUrl& url) {
    QSignalSpy finished(&about, &AboutDialog::VersionCheckFinished);
    about.SetVersionUrl(url);
    about.CheckVersion();
    EXPECT_TRUE(finished.wait(5000));
    return about.VersionCheckLinkText();
}

TEST(VersionString, FourNumbersOfTheProjectVersion) {
    EXPECT_EQ(VersionString(), QByteArray(VEMO_PROJECT_VERSION));
    EXPECT_EQ(VersionString().split('.').size(), 4);
}

TEST(VersionCheck, EmptyBody) {
    VersionServer server(QByteArray{});
    AboutDialog about;
    about.Retranslate(English().Lookup());
    EXPECT_EQ(Check(about, server.Url()), English().Text(515));
}

TEST(VersionCheck, EqualBodyAndTheUserAgent) {
    VersionServer server(VersionString());
    AboutDialog about;
    about.Retranslate(English().Lookup());
    EXPECT_EQ(Check(about, server.Url()), English().Text(516));
    EXPECT_TRUE(server.Request().startsWith("GET /VersionVemo.txt HTTP/1.1\r\n"));
    EXPECT_TRUE(server.Request().contains("\r\nUser-Agent: JEDI-VCL\r\n"));
}

TEST(VersionCheck, DifferentBody) {
    VersionServer server("1.2.0.0");
    AboutDialog about;
    about.Retranslate(English().Lookup());
    EXPECT_EQ(Check(about, server.Url()), English().Text(517) + "1.2.0.0");
}

TEST(VersionCheck, TrailingLineBreakIsANewVersion) {
    VersionServer server(VersionString() + "\r\n");
    AboutDialog about;
    about.Retranslate(English().Lookup());
    EXPECT_EQ(Check(about, server.Url()),
              English().Text(517) + QString::fromLatin1(VersionString()) + "\r\n");
}

TEST(VersionCheck, FrenchTextsWithoutALanguageFile) {
    VersionServer server(VersionString());
    AboutDialog about;
    EXPECT_EQ(Check(about, server.Url()), "Vous avez la dernière version");
}

TEST(VersionCheck, ConnectionRefused) {
    quint16 port = 0;
    {
        QTcpServer closed;
        ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
        port = closed.serverPort();
    }
    AboutDialog about;
    about.Retranslate(English().Lookup());
    EXPECT_EQ(Check(about, QUrl(QStringLiteral("http://127.0.0.1:%1/VersionVemo.txt").arg(port))),
              English().Text(515));
}

TEST(VersionCheck, AnUnusableAddressGivesNoInformation) {
    AboutDialog about;
    about.Retranslate(English().Lookup());
    EXPECT_EQ(Check(about, QUrl("nonsense:VersionVemo.txt")), English().Text(515));
}

TEST(VersionCheck, ANotFoundAnswerGivesNoInformation) {
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        QTcpSocket* socket = server.nextPendingConnection();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket] {
            socket->readAll();
            socket->write("HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n"
                          "Connection: close\r\n\r\nnot found");
            socket->disconnectFromHost();
        });
    });
    AboutDialog about;
    about.Retranslate(English().Lookup());
    EXPECT_EQ(
        Check(about,
              QUrl(QStringLiteral("http://127.0.0.1:%1/VersionVemo.txt").arg(server.serverPort()))),
        English().Text(515));
}

TEST(VersionCheck, NoAnswerEndsAfterTheTimeOut) {
    VersionServer silent(std::nullopt);
    AboutDialog about;
    about.Retranslate(English().Lookup());
    about.SetVersionTimeout(400ms);
    QSignalSpy finished(&about, &AboutDialog::VersionCheckFinished);
    about.SetVersionUrl(silent.Url());
    QElapsedTimer clock;
    clock.start();
    about.CheckVersion();
    // Until an answer arrives the link keeps its text.
    QTest::qWait(200);
    EXPECT_EQ(finished.count(), 0);
    EXPECT_EQ(about.VersionCheckLinkText(), English().Text(206));
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_GE(clock.elapsed(), 395); // the clocks may round the milliseconds apart
    EXPECT_EQ(about.VersionCheckLinkText(), English().Text(515));
}

TEST(VersionCheck, TheDefaultTimeOutIsTenSeconds) {
    EXPECT_EQ(VersionCheck::kDefaultTimeout, 10000ms);
}

TEST(AboutDialog, ClosingRestoresTheFirstLinkText) {
    VersionServer server("2.0.0.0");
    AboutDialog about;
    about.Retranslate(English().Lookup());
    about.show();
    EXPECT_NE(Check(about, server.Url()), English().Text(206));
    QTest::mouseClick(about.findChild<QPushButton*>(), Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
    EXPECT_EQ(about.VersionCheckLinkText(), English().Text(206));
    const auto* link = about.findChild<QLabel*>("About206");
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->toolTip(), "Click");
}

TEST(AboutDialog, ClosingRestoresATextSetByTheWindowsTranslator) {
    VersionServer server("2.0.0.0");
    AboutDialog about;
    auto* link = about.findChild<QLabel*>("About206");
    ASSERT_NE(link, nullptr);
    link->setText("Check for a new version"); // as a translator walking the widgets would
    about.show();
    EXPECT_EQ(Check(about, server.Url()), "Nouvelle version disponible : 2.0.0.0");
    about.accept();
    EXPECT_EQ(about.VersionCheckLinkText(), "Check for a new version");
    // A second check and close come back to the same text.
    about.show();
    Check(about, server.Url());
    Check(about, server.Url());
    about.accept();
    EXPECT_EQ(about.VersionCheckLinkText(), "Check for a new version");
}

TEST(AboutDialog, RetranslatingKeepsAnOutcomeOnShow) {
    VersionServer server(VersionString());
    AboutDialog about;
    about.show();
    EXPECT_EQ(Check(about, server.Url()), "Vous avez la dernière version");
    about.Retranslate(English().Lookup());
    EXPECT_EQ(about.VersionCheckLinkText(), "Vous avez la dernière version");
    about.accept();
    EXPECT_EQ(about.VersionCheckLinkText(), English().Text(206));
}

TEST(AboutDialog, ClosingDuringACheckForgetsIt) {
    VersionServer silent(std::nullopt);
    AboutDialog about;
    QSignalSpy finished(&about, &AboutDialog::VersionCheckFinished);
    about.SetVersionTimeout(200ms);
    about.SetVersionUrl(silent.Url());
    about.show();
    about.CheckVersion();
    about.accept();
    QTest::qWait(500);
    EXPECT_EQ(finished.count(), 0);
    EXPECT_EQ(about.VersionCheckLinkText(), "Vérifier la disponibilité d'une nouvelle version");
}

TEST(AboutDialog, SizeNoTitleBarCentredAndVersionShown) {
    const auto main = MainWindow();
    AboutDialog about(main.get());
    EXPECT_EQ(about.size(), QSize(370, 270));
    EXPECT_TRUE(about.windowFlags().testFlag(Qt::FramelessWindowHint));
    about.show();
    EXPECT_EQ(about.frameGeometry().topLeft(), ExpectedCentre(*main, about));
    bool versionShown = false;
    for (const QLabel* label : about.findChildren<QLabel*>())
        versionShown |= label->text() == QString::fromLatin1(VersionString());
    EXPECT_TRUE(versionShown);
    about.accept();
}

TEST(AboutDialog, MailAndWebLinks) {
    AboutDialog about;
    std::vector<QUrl> opened;
    about.SetUrlOpener([&](const QUrl& url) {
        opened.push_back(url);
        return true;
    });
    QTest::mouseClick(const_cast<LinkLabel*>(&about.ContactLink()), Qt::LeftButton);
    QTest::mouseClick(const_cast<LinkLabel*>(&about.WebLink()), Qt::LeftButton);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0].scheme(), "mailto");
    EXPECT_EQ(opened[0].path(), QString::fromLatin1(kContactAddress));
    const QUrlQuery query(opened[0]);
    EXPECT_EQ(query.queryItemValue("subject", QUrl::FullyDecoded), "Vemo Tarn");
    EXPECT_EQ(query.queryItemValue("body", QUrl::FullyDecoded), "Question :");
    EXPECT_EQ(opened[1], QUrl(QString::fromLatin1(kWebSite)));
    EXPECT_EQ(about.ContactLink().text(), QString::fromLatin1(kContactAddress));
}

// Moves the pointer onto a link and away again; returns the two colours.
std::pair<QColor, QColor> HoverColours(const LinkLabel& constLink) {
    auto& link = const_cast<LinkLabel&>(constLink);
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QCoreApplication::sendEvent(&link, &enter);
    const QColor over = link.CurrentColour();
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&link, &leave);
    return {over, link.CurrentColour()};
}

TEST(AboutDialog, LinkColoursUnderThePointer) {
    AboutDialog about;
    const Look& look = LookOf(LookKind::Light);
    const auto pair = [](QRgb over, QRgb rest) {
        return std::make_pair(QColor(over), QColor(rest));
    };
    EXPECT_EQ(HoverColours(about.ContactLink()), pair(look.linkHover, look.link));
    EXPECT_EQ(HoverColours(about.WebLink()), pair(look.linkHover, look.link));
    EXPECT_EQ(HoverColours(about.VersionCheckLink()), pair(look.checkLinkHover, look.checkLink));
    // Different at rest and under the pointer.
    EXPECT_NE(look.link, look.linkHover);
    EXPECT_NE(look.checkLink, look.checkLinkHover);
    EXPECT_EQ(about.ContactLink().cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(about.WebLink().cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(about.VersionCheckLink().cursor().shape(), Qt::PointingHandCursor);
}

TEST(AboutDialog, TranslatedTexts) {
    AboutDialog about;
    about.Retranslate(English().Lookup());
    for (const int id : {201, 202, 204, 205, 206, 207}) {
        const auto* label = about.findChild<QLabel*>(QStringLiteral("About%1").arg(id));
        ASSERT_NE(label, nullptr) << id;
        EXPECT_EQ(label->text(), English().Text(id)) << id;
    }
}

// ---------------------------------------------------------------- examples dialog

TEST(ExamplesDialog, EveryButtonGivesItsResult) {
    const int results[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, -1};
    for (const int expected : results) {
        ExamplesDialog dialog;
        dialog.show();
        QAbstractButton* const button = dialog.ButtonFor(expected);
        ASSERT_NE(button, nullptr) << expected;
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible()) << expected;
        EXPECT_EQ(dialog.result(), expected);
    }
}

TEST(ExamplesDialog, ButtonsCarryTheirCaptionsAndNames) {
    // Result, element, French caption.
    const struct {
        int result;
        const char* element;
        const char* caption;
    } table[] = {
        {1, "Examples101", "Candidat unique"},
        {2, "Examples102", "Candidat caché"},
        {3, "Examples103", "Candidats Vérouillés (1)"},
        {4, "Examples104", "Candidats Vérouillés (2)"},
        {5, "Examples107", "Paire nue"},
        {6, "Examples108", "Triplet nu"},
        {7, "Examples109", "Quadruplet nu"},
        {8, "Examples110", "Paire cachée"},
        {9, "Examples114", "X-wing"},
        {10, "Examples115", "Swordfish"},
        {11, "Examples116", "Couleurs"},
        {12, "Examples117", "Couleurs multiples"},
        {13, "Examples118", "Triplet caché"},
        {14, "Examples119", "XY-wing"},
        {15, "Examples120", "Quadruplet caché"},
        {16, "Examples123", "  Multitechniques"},
        {-1, "Examples112", "   Annuler"},
    };
    ExamplesDialog dialog;
    for (const auto& row : table) {
        const QAbstractButton* button = dialog.ButtonFor(row.result);
        ASSERT_NE(button, nullptr) << row.result;
        EXPECT_EQ(button->objectName(), row.element);
        EXPECT_EQ(button->text(), QString::fromUtf8(row.caption));
    }
    EXPECT_EQ(dialog.ButtonFor(0), nullptr);
    EXPECT_EQ(dialog.ButtonFor(17), nullptr);
    EXPECT_TRUE(static_cast<QPushButton*>(dialog.ButtonFor(-1))->isDefault());
}

TEST(ExamplesDialog, GroupsHoldTheirButtons) {
    const struct {
        const char* group;
        std::vector<int> results;
    } groups[] = {
        {"Examples105", {1, 2}},       {"Examples106", {3, 4}},
        {"Examples111", {5, 6, 7, 8}}, {"Examples113", {9, 10, 11, 12, 13, 14, 15}},
        {"Examples121", {16}},
    };
    ExamplesDialog dialog;
    for (const auto& row : groups) {
        const auto* group = dialog.findChild<QGroupBox*>(row.group);
        ASSERT_NE(group, nullptr) << row.group;
        for (const int result : row.results)
            EXPECT_EQ(dialog.ButtonFor(result)->parentWidget(), group) << result;
    }
    // "Sudoku extrême :  " sits beside the extreme button.
    const auto* extreme = dialog.findChild<QLabel*>("Examples122");
    ASSERT_NE(extreme, nullptr);
    EXPECT_EQ(extreme->parentWidget(), dialog.findChild<QGroupBox*>("Examples121"));
}

TEST(ExamplesDialog, ChooseReturnsTheResult) {
    ExamplesDialog dialog;
    QTimer::singleShot(0, &dialog, [&] { QTest::mouseClick(dialog.ButtonFor(9), Qt::LeftButton); });
    EXPECT_EQ(dialog.Choose(), 9);
    QTimer::singleShot(0, &dialog, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); });
    EXPECT_EQ(dialog.Choose(), -1);
    QTimer::singleShot(0, &dialog, [&] { QTest::keyClick(&dialog, Qt::Key_Return); });
    EXPECT_EQ(dialog.Choose(), -1); // "Annuler" is the default button
}

TEST(ExamplesDialog, SizeNoTitleBarCaptionAndCentred) {
    const auto main = MainWindow();
    ExamplesDialog dialog(main.get());
    EXPECT_EQ(dialog.size(), QSize(517, 513));
    EXPECT_EQ(dialog.windowTitle(), "Aide");
    EXPECT_TRUE(dialog.windowFlags().testFlag(Qt::FramelessWindowHint));
    dialog.show();
    EXPECT_EQ(dialog.frameGeometry().topLeft(), ExpectedCentre(*main, dialog));
    dialog.reject();
}

TEST(ExamplesDialog, EveryTranslatableElementIsBoundAndTranslated) {
    ExamplesDialog dialog;
    dialog.Retranslate(English().Lookup());
    for (const io::TextBinding& binding : io::TextBindings()) {
        if (binding.window != io::Window::kExamples) continue;
        const QString name = QString::fromUtf8(binding.element.data(), binding.element.size());
        QWidget* const widget = dialog.findChild<QWidget*>(name);
        ASSERT_NE(widget, nullptr) << binding.identifier;
        const QString expected = English().Text(binding.identifier);
        if (const auto* group = qobject_cast<QGroupBox*>(widget))
            EXPECT_EQ(group->title(), expected) << binding.identifier;
        else if (const auto* label = qobject_cast<QLabel*>(widget))
            EXPECT_EQ(label->text(), expected) << binding.identifier;
        else
            EXPECT_EQ(qobject_cast<QAbstractButton*>(widget)->text(), expected)
                << binding.identifier;
    }
}

TEST(ExampleFiles, NamesOfEveryResult) {
    const struct {
        int result;
        const char* stem;
        int count;
    } table[] = {
        {1, "candidatunique", 4}, {2, "candidatcaché", 4}, {3, "verouille1-", 4},
        {4, "verouille2-", 4},    {5, "pairenue", 4},      {6, "tripletnu", 4},
        {7, "quadrupletnu", 4},   {8, "pairecachée", 4},   {9, "Xwing", 4},
        {10, "swordfish", 4},     {11, "couleur", 4},      {12, "multicouleur", 4},
        {13, "tripletcaché", 4},  {14, "XYwing", 4},       {15, "quadrupletcaché", 4},
        {16, "extreme", 12},
    };
    for (const auto& row : table) {
        EXPECT_EQ(ExampleCount(row.result), row.count) << row.result;
        for (int n = 1; n <= row.count; ++n) {
            const std::string name = ExampleFileName(row.result, n);
            EXPECT_EQ(name, std::string(row.stem) + std::to_string(n) + ".sku");
            EXPECT_TRUE(std::filesystem::exists(SourcePath("data/exemples/" + name))) << name;
        }
        EXPECT_EQ(ExampleFileName(row.result, 0), "");
        EXPECT_EQ(ExampleFileName(row.result, row.count + 1), "");
    }
    EXPECT_EQ(ExampleFileName(2, 2), "candidatcach\xc3\xa9"
                                     "2.sku"); // UTF-8 "é"
    EXPECT_EQ(ExampleFileName(3, 3), "verouille1-3.sku");
    EXPECT_EQ(ExampleFileName(16, 12), "extreme12.sku");
    for (const int result : {-1, 0, 17}) {
        EXPECT_EQ(ExampleCount(result), 0);
        EXPECT_EQ(ExampleFileName(result, 1), "");
    }
}

} // namespace
} // namespace vemo::ui

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
