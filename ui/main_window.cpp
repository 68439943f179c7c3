// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "main_window.h"

#include "announcer.h"
#include "board_widget.h"
#include "characteristics_page.h"
#include "chooser_widget.h"
#include "contrast_style.h"
#include "dialogs/about_dialog.h"
#include "engine/generator/generation.h"
#include "engine/scale/levels.h"
#include "focus_style.h"
#include "generation_task.h"
#include "icons.h"
#include "pool_filler.h"
#include "practice_filler.h"
#include "status_panel.h"
#include "translator.h"

#include "engine/techniques/catalogue.h"
#include "io/puzzle_pool.h"
#include "io/settings.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLockFile>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyleOption>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QTranslator>

#include <algorithm>
#include <map>
#include <memory>
#include <utility>

namespace vemo::ui {

namespace {

QString OpenFilter() {
    return QStringLiteral("Fichier Sudoku (*.sku *.ss *.sdu *.sdk *.sud)");
}

QString SaveFilter() {
    return QStringLiteral("Fichier Sudoku (*.sku)");
}

} // namespace

QString DefaultProgramFolder() {
    const QString folder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    if (QFileInfo::exists(folder + QStringLiteral("Langues"))) return folder;
    const QString installed = folder + QStringLiteral("../share/vemotarn/");
    if (QFileInfo::exists(installed + QStringLiteral("Langues")))
        return QDir(installed).absolutePath() + QLatin1Char('/');
    return folder;
}

namespace {

// The client area below the menu bar.
constexpr int kClientWidth = 552;
constexpr int kStatusBarHeight = 22;
// The pages below the two toolbars.
constexpr int kPagesLeft = 6;
constexpr int kPagesTop = 96;
constexpr int kPagesBottom = 5;
// The picture in its raised frame, with margins of 8 pixels and 10 on the
// right and at the bottom; the room a page keeps around the 512-pixel board.
constexpr int kPictureMargin = 8;
constexpr int kPictureFarMargin = 10;
constexpr int kPictureFrame = 2;
constexpr int kBoardPageSide = kPictureMargin + 2 * kPictureFrame + 512 + kPictureFarMargin;
// Milliseconds between a menu's opening and the saying of its name, and the
// longest time from one menu's closing to the next one's opening when Left or
// Right goes from menu to menu.
constexpr int kMenuNameDelay = 300;
constexpr int kMenuSwitchTime = 100;
// The page of the smallest board, which a small or magnified screen may need.
constexpr int kLeastBoardPageSide =
    kPictureMargin + 2 * kPictureFrame + kLeastBoardSide + kPictureFarMargin;
constexpr int kSmallestBoardPageSide =
    kPictureMargin + 2 * kPictureFrame + kSmallestBoardSide + kPictureFarMargin;
// The room a window manager's frame takes, before the frame is known.
constexpr int kLeastFrameHeight = 24;

// The pages, which tell the room their tabs and frame take around a page as
// the style lays them out.
class PageTabs : public QTabWidget {
  public:
    using QTabWidget::QTabWidget;

    QSize AroundPage() const {
        QStyleOptionTabWidgetFrame option;
        initStyleOption(&option);
        const QRect page = style()->subElementRect(QStyle::SE_TabWidgetTabContents, &option, this);
        return size() - page.size();
    }
};

// The picture in its raised frame, as large as the page allows with margins
// of 8 and 10 pixels, centred across the page.
void FitPicture(BoardWidget& picture, const QWidget& page) {
    const int room = std::min(page.width(), page.height()) - kPictureMargin - kPictureFarMargin -
                     2 * kPictureFrame;
    picture.SetSide(room);
    const int side = picture.width() + 2 * kPictureFrame;
    QWidget* frame = picture.parentWidget();
    frame->setGeometry(std::max(kPictureMargin, (page.width() - side) / 2), kPictureMargin, side,
                       side);
}

QString Qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

MainWindow::MainWindow(const StartOptions& options, QWidget* parent)
    : QMainWindow(parent), game_(std::make_unique<GameController>(texts_)),
      generation_(std::make_unique<GenerationTask>()) {
    programFolder_ =
        options.programFolder.isEmpty() ? DefaultProgramFolder() : options.programFolder;
    if (!programFolder_.endsWith(QLatin1Char('/'))) programFolder_ += QLatin1Char('/');
    settingsPath_ = options.settingsPath;
    firstStart_ = options.newGameAtFirstStart && !settingsPath_.isEmpty() &&
                  !QFileInfo::exists(settingsPath_);
    dataFolder_ = options.dataFolder;
    while (dataFolder_.size() > 1 && dataFolder_.endsWith(QLatin1Char('/'))) dataFolder_.chop(1);
    setWindowTitle(game_->Caption());
    setWindowIcon(ApplicationIcon());
    // The desktop's colours, before any look replaces them.
    (void)DesktopPalette();
    InstallContrastStyle();

    central_ = new QWidget(this);
    central_->setMouseTracking(true);
    central_->installEventFilter(this);
    setCentralWidget(central_);
    announcer_ = new Announcer(central_);

    BuildMenus();
    BuildToolbars();
    BuildPages(central_);
    BuildStatusBar();
    BindHandlers();

    // The size the board was laid out for, as long as the screen holds it;
    // the board grows and shrinks with the window.
    FitMinimumSize();
    resize(PreferredSize());

    GameController* g = game_.get();
    connect(g, &GameController::boardChanged, board_, &BoardWidget::Redraw);
    connect(g, &GameController::solutionChanged, solution_, &BoardWidget::Redraw);
    connect(g, &GameController::statusChanged, statusPanel_, &StatusPanel::Refresh);
    connect(g, &GameController::commandsChanged, this, &MainWindow::SyncCommands);
    connect(g, &GameController::pagesChanged, characteristics_, &CharacteristicsPage::Refill);
    connect(g, &GameController::pageRequested, pages_, &QTabWidget::setCurrentIndex);
    connect(g, &GameController::chooserChanged, this, &MainWindow::SyncChooser);
    connect(g, &GameController::captionChanged, this, [this] { setWindowTitle(game_->Caption()); });
    connect(g, &GameController::clockChanged, this,
            [this] { clockPanel_->setText(game_->ClockText()); });
    connect(g, &GameController::gameFinished, this, &MainWindow::ShowFinish);
    connect(g, &GameController::spoken, announcer_, &Announcer::Say);
    connect(g, &GameController::explanationChanged, this, &MainWindow::ShowExplanation);
    connect(characteristics_, &CharacteristicsPage::stepChosen, this,
            [this](int step, bool withoutGuessing) { ShowStepOnBoard(step, withoutGuessing); });
    connect(pages_, &QTabWidget::currentChanged, this, [this] { game_->HideChooser(); });
    connect(board_, &BoardWidget::pressed, g, &GameController::BoardPressed);
    connect(chooser_, &ChooserWidget::chosen, g, &GameController::ChooseItem);
    connect(chooser_, &ChooserWidget::closed, this, [this] {
        game_->HideChooser();
        board_->setFocus();
    });

    finishHandler_ = [this] {
        QMessageBox::information(this, QStringLiteral("Vemo Tarn"),
                                 QStringLiteral("FELICITATIONS\n\n%1\n%2%3")
                                     .arg(game_->ClockText(), texts_.Text(518))
                                     .arg(game_->ErrorsMade));
    };
    ChooseOpenPath = [this] {
        return QFileDialog::getOpenFileName(this, WithoutMnemonic(texts_.Text(50)), QString(),
                                            OpenFilter());
    };
    ChooseSavePath = [this] {
        QString path = QFileDialog::getSaveFileName(this, WithoutMnemonic(texts_.Text(49)),
                                                    game_->ProposedSavePath(), SaveFilter());
        if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".sku");
        return path;
    };
    ChoosePrinter = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, this);
        return dialog.exec() == QDialog::Accepted;
    };
    ReportError = [this](const QString& message) {
        QMessageBox::warning(this, QStringLiteral("Vemo Tarn"), message);
    };
    AskAbandon = [this](bool* dontAsk) {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Vemo Tarn"), texts_.Text(550),
                        QMessageBox::Yes | QMessageBox::No, this);
        box.setObjectName(QStringLiteral("AbandonQuestion"));
        box.setDefaultButton(QMessageBox::No);
        auto* check = new QCheckBox(texts_.Text(551), &box);
        check->setObjectName(QStringLiteral("NePlusDemander"));
        box.setCheckBox(check);
        const bool yes = box.exec() == QMessageBox::Yes;
        // "Ne plus demander" counts only with a yes: a no keeps the game and the question.
        if (dontAsk) *dontAsk = yes && check->isChecked();
        return yes;
    };
    connect(generation_.get(), &GenerationTask::Progress, this, [this](int attempts) {
        game_->GenerationProgress(attempts);
        if (scaleWaiting_) ShowScaleProgress(attempts);
    });
    connect(generation_.get(), &GenerationTask::Finished, this, &MainWindow::GenerationDone);
    if (!dataFolder_.isEmpty()) {
        pool_ = std::make_unique<PoolFiller>(dataFolder_ + QLatin1Char('/') +
                                             QString::fromUtf8(io::kPuzzlePoolFile));
        fillPool_ = options.fillPool;
        connect(pool_.get(), &PoolFiller::Problem, this, &MainWindow::PoolProblem);
        if (fillPool_) QTimer::singleShot(2000, this, [this] { pool_->Fill(game_->Game()); });
        practice_ = std::make_unique<PracticeFiller>(dataFolder_ + QLatin1Char('/') +
                                                     QString::fromUtf8(io::kPracticePoolFile));
        connect(practice_.get(), &PracticeFiller::Problem, this, &MainWindow::PracticeProblem);
        // After the reserve has begun: a few puzzles of every technique.
        if (fillPool_)
            QTimer::singleShot(4000, this,
                               [this] { practice_->Fill(game_->Game(), kNakedSingle); });
    }

    // The board's keys are taken before the board's parents see them; the
    // shortcuts have been handled before the key press is delivered.
    qApp->installEventFilter(this);

    // Start-up: settings, language, built-in defaults, stored settings.
    ReadSettings();
    ApplyLook(StartingLook(settings_.Look, DesktopPalette()));
    CreateDialogs();
    const QString language = QString::fromStdString(settings_.Language);
    const QString french = QString::fromUtf8(io::kDefaultLanguage);
    if (!SwitchLanguage(language) && language != french) SwitchLanguage(french);
    game_->ChooseDifficulty(kFacile);
    game_->ChooseSymmetry(1);
    game_->ResetPlayControls();
    ApplyStoredSettings();
    game_->ClearBoardState();
    game_->ShowCount();
    game_->ShowHowToStart();
    // The standing message must not hide the report of a malformed language
    // file read above: it stays for its two seconds.
    if (!languageAlarm_.isEmpty()) game_->Alarm(std::exchange(languageAlarm_, QString()));

    SyncCommands();
    board_->Redraw();
    solution_->Redraw();
    board_->setFocus();
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    if (qtTranslator_) QCoreApplication::removeTranslator(qtTranslator_.get());
}

void MainWindow::BuildMenus() {
    std::map<std::string_view, QMenu*> menus;
    // When a menu of the bar last closed.
    const auto closed = std::make_shared<QElapsedTimer>();
    for (const MenuInfo& m : kMenus) {
        QMenu* menu = m.parent.empty() ? menuBar()->addMenu(Qs(m.caption))
                                       : menus.at(m.parent)->addMenu(Qs(m.caption));
        menus[m.key] = menu;
        // Left and Right in an open menu go to the next one: its name is said
        // once the window has told screen readers of its own passing focus,
        // so that the menu's name comes last. A menu opened from the window
        // itself is read by the screen reader.
        if (m.parent.empty()) {
            connect(menu, &QMenu::aboutToHide, this, [this, closed] {
                closed->start();
                QTimer::singleShot(0, this, &MainWindow::GiveBackKeysAfterMenu);
            });
            connect(menu, &QMenu::aboutToShow, this, &MainWindow::HoldKeysOnMenuBar);
            connect(menu, &QMenu::aboutToShow, this, [this, menu, closed] {
                if (!closed->isValid() || closed->elapsed() > kMenuSwitchTime) return;
                QTimer::singleShot(kMenuNameDelay, menu, [this, menu] {
                    if (menu->isVisible()) announcer_->Say(WithoutMnemonic(menu->title()));
                });
            });
        }
        if (m.key == "Nouveau") menu->setIcon(NewMenuIcon());
        NameElement(menu, io::Window::kMain, m.text, io::ElementKind::kMenuItem);
    }
    connect(menus.at("Fichier"), &QMenu::aboutToShow, this, &MainWindow::RefreshRecentMenu);
    auto* variants = new QActionGroup(this);
    auto* display = new QActionGroup(this);
    auto* levels = new QActionGroup(this);
    auto* symmetries = new QActionGroup(this);
    auto* languages = new QActionGroup(this);
    auto* looks = new QActionGroup(this); // one look at a time: radio marks
    for (const CommandInfo& c : kCommands) {
        QMenu* menu = menus.at(c.menu);
        if (c.separatorBefore) menu->addSeparator();
        QAction* action = menu->addAction(CommandIcon(c.id), Qs(c.caption));
        if (!c.shortcut.empty()) action->setShortcut(QKeySequence(Qs(c.shortcut)));
        action->setCheckable(c.checkable);
        action->setData(c.text);
        if (c.menu == "Type" && c.id != Command::XSudoku) variants->addAction(action);
        if (c.menu == "Candidats") display->addAction(action);
        if (c.menu == "Difficulte") levels->addAction(action);
        if (c.menu == "Symetrie") symmetries->addAction(action);
        if (c.menu == "Langue") languages->addAction(action);
        if (c.menu == "Apparence") looks->addAction(action);
        actions_[Index(c.id)] = action;
        NameElement(action, io::Window::kMain, c.text, io::ElementKind::kMenuItem);
        const Command id = c.id;
        connect(action, &QAction::triggered, this, [this, id] {
            // A step of the listing shown on the board gives way to the game.
            if (game_->ShowingStep()) game_->LeaveStep();
            if (handlers_[Index(id)]) handlers_[Index(id)]();
            SyncCommands();
        });
    }
    // The stored settings are applied by the settings reader; these are the
    // built-in ones.
    Action(Command::Easy)->setChecked(true);
    Action(Command::Central)->setChecked(true);
    Action(Command::French)->setChecked(true);
    AddLanguageFiles(menus.at("Langue"), languages);
    AddAbandonQuestionEntry(menus.at("Options"));
    BuildPracticeMenu(menus.at("Options"));
    displayMenu_ = menus.at("Affichage");
    AddExplanationsEntry();
}

// Affichage › "Explications", after the three hints: the hint panel shown or
// hidden, remembered in the settings.
void MainWindow::AddExplanationsEntry() {
    explanationsAction_ = new QAction(texts_.Text(900), displayMenu_);
    explanationsAction_->setObjectName(QStringLiteral("Explications1"));
    explanationsAction_->setCheckable(true);
    const QList<QAction*> entries = displayMenu_->actions();
    const qsizetype after = entries.indexOf(Action(Command::PlayHint));
    QAction* before = after >= 0 && after + 1 < entries.size() ? entries[after + 1] : nullptr;
    displayMenu_->insertAction(before, explanationsAction_);
    connect(explanationsAction_, &QAction::toggled, this, [this](bool on) {
        settings_.Explanations = on ? 1 : 0;
        ShowExplanations(on);
    });
}

void MainWindow::ShowExplanations(bool on) {
    if (!explanationPanel_ || explanationPanel_->isVisibleTo(this) == on) return;
    // The window grows by the panel's room, so that the board keeps its
    // size, and gives it back when the panel goes; the screen bounds both.
    const int before = PanelRoom(true);
    explanationPanel_->setVisible(on);
    const int room = PanelRoom(true) - before;
    FitMinimumSize();
    if (!isMaximized() && !isFullScreen()) {
        resize(std::max(minimumWidth(), width() + room), height());
        if (isVisible()) FitToScreen();
    }
    if (QWidget* page = board_->parentWidget()->parentWidget()) LayOutBoardPage(*page);
    ShowExplanation();
}

void MainWindow::ShowExplanation() {
    const QString& text = game_->Explanation();
    explanationPanel_->setPlainText(text);
    // Read out as the status message is, when the panel is there to be read.
    if (!text.isEmpty() && explanationPanel_->isVisibleTo(this)) announcer_->Say(text);
}

bool MainWindow::ShowStepOnBoard(int step, bool withoutGuessing) {
    if (generation_->Running()) return false;
    if (!game_->ShowLoggedStep(step, withoutGuessing)) return false;
    pages_->setCurrentIndex(kBoardPage);
    board_->setFocus();
    SyncCommands();
    return true;
}

void MainWindow::LeaveStepOnBoard() {
    if (game_->ShowingStep()) {
        game_->LeaveStep();
    } else {
        game_->ClearExplanation();
    }
    SyncCommands();
}

void MainWindow::AddAbandonQuestionEntry(QMenu* options) {
    askBeforeAbandon_ = new QAction(texts_.Text(586), options);
    askBeforeAbandon_->setObjectName(QStringLiteral("DemanderAbandon1"));
    askBeforeAbandon_->setCheckable(true);
    askBeforeAbandon_->setChecked(true);
    options->insertAction(Action(Command::ResumeAtStart), askBeforeAbandon_);
    connect(askBeforeAbandon_, &QAction::toggled, this,
            [this](bool on) { settings_.AskBeforeAbandon = on ? 1 : 0; });
}

void MainWindow::AddLanguageFiles(QMenu* menu, QActionGroup* group) {
    // Every other language file of the folder, named by its file, after
    // French and English.
    const QDir folder(programFolder_ + QStringLiteral("Langues"));
    const QStringList files =
        folder.entryList({QStringLiteral("*.lng")}, QDir::Files | QDir::Readable, QDir::Name);
    for (const QString& file : files) {
        if (file == QString::fromUtf8(io::kDefaultLanguage) ||
            file == QStringLiteral("English.lng"))
            continue;
        if (!io::IsPlainFileName(file.toStdString())) continue;
        QString name = QFileInfo(file).completeBaseName();
        QAction* action = menu->addAction(name.replace(QLatin1Char('&'), QStringLiteral("&&")));
        action->setCheckable(true);
        action->setData(file);
        group->addAction(action);
        extraLanguages_.push_back(action);
        connect(action, &QAction::triggered, this, [this, file] {
            SwitchLanguage(file);
            SyncCommands();
        });
    }
}

void MainWindow::BuildToolbars() {
    commandBar_ = new QToolBar(central_);
    commandBar_->setObjectName(QStringLiteral("commands"));
    commandBar_->setGeometry(4, 0, 465, 38);
    commandBar_->setIconSize(QSize(24, 24));
    for (const ToolButtonInfo& b : kCommandButtons) {
        if (b.separatorBefore) commandBar_->addSeparator();
        QAction* action = Action(b.id);
        action->setToolTip(Qs(b.hint));
        commandBar_->addAction(action);
    }
    commandBar_->addSeparator();
    AddPracticeButton();

    filterBar_ = new QToolBar(central_);
    filterBar_->setObjectName(QStringLiteral("filters"));
    filterBar_->setGeometry(4, 47, 447, 38);
    filterBar_->setIconSize(QSize(24, 24));
    for (int d = 1; d <= 10; ++d) {
        const bool pairs = d == 10;
        QAction* button = filterBar_->addAction(FilterIcon(d), QString());
        button->setCheckable(true);
        button->setToolTip(pairs ? texts_.Text(16, 1) : texts_.Text(26 - d, 1));
        button->setObjectName(pairs ? QStringLiteral("Bpaire") : QStringLiteral("B%1").arg(d));
        filterButtons_[d] = button;
        connect(button, &QAction::triggered, this, [this, d] {
            if (d == 10) {
                game_->FilterPairs();
            } else {
                game_->FilterDigit(d);
            }
            SyncCommands();
        });
    }
    filterBar_->addSeparator();
    QAction* cancel = filterBar_->addAction(FilterIcon(11), QString());
    cancel->setToolTip(texts_.Text(15, 1));
    cancel->setObjectName(QStringLiteral("Bannul"));
    filterButtons_[11] = cancel;
    connect(cancel, &QAction::triggered, this, [this] { game_->CancelFilter(); });
    for (int k = 1; k <= 11; ++k) filterButtons_[k]->setText(filterButtons_[k]->toolTip());

    // A click on either toolbar first shows the "Grille" page; Tab reaches
    // every button.
    for (QToolBar* bar : {commandBar_, filterBar_})
        for (QObject* child : bar->children())
            if (auto* w = qobject_cast<QWidget*>(child)) {
                w->installEventFilter(this);
                if (qobject_cast<QToolButton*>(w)) {
                    w->setFocusPolicy(Qt::TabFocus);
                    w->setToolTipDuration(kToolTipDuration);
                }
            }
}

void MainWindow::BuildPages(QWidget* central) {
    pages_ = new PageTabs(central);
    pages_->setGeometry(kPagesLeft, kPagesTop, 540, 562);

    const auto framed = [this](QWidget* page, BoardWidget::Kind kind) {
        auto* frame = new QFrame(page);
        frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
        frame->setLineWidth(2);
        frame->setGeometry(8, 8, 516, 516);
        auto* picture = new BoardWidget(*game_, kind, frame);
        picture->move(2, 2);
        // The page lays its picture out whenever it changes size.
        page->installEventFilter(this);
        return picture;
    };

    auto* grille = new QWidget;
    board_ = framed(grille, BoardWidget::Kind::Board);
    // The waiting panel of the four-grid sheet, over the board.
    waitingPanel_ = new QFrame(grille);
    waitingPanel_->setObjectName(QStringLiteral("Panel1"));
    waitingPanel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    waitingPanel_->setAutoFillBackground(true);
    waitingPanel_->setGeometry(48, 152, 417, 169);
    auto* icon = new QLabel(waitingPanel_);
    icon->setPixmap(ApplicationIcon().pixmap(96, 96));
    icon->setGeometry(24, 36, 100, 100);
    sheetProgress_ = new QProgressBar(waitingPanel_);
    sheetProgress_->setObjectName(QStringLiteral("ProgressBar1"));
    sheetProgress_->setGeometry(152, 30, 233, 25);
    sheetProgress_->setRange(0, 100);
    QPalette bar = sheetProgress_->palette();
    bar.setColor(QPalette::Highlight, QColor(224, 255, 255).darker(130));
    sheetProgress_->setPalette(bar);
    waitingText_ = new QLabel(texts_.Text(82), waitingPanel_);
    waitingText_->setObjectName(QStringLiteral("Panel2"));
    waitingText_->setGeometry(152, 62, 233, 64);
    waitingText_->setAlignment(Qt::AlignCenter);
    waitingText_->setWordWrap(true);
    // Shown while a level of the scale is looked for: the sheet cannot be
    // cancelled, that search can.
    waitingCancel_ = new QPushButton(texts_.Text(547), waitingPanel_);
    waitingCancel_->setObjectName(QStringLiteral("WaitingCancel"));
    waitingCancel_->setGeometry(218, 130, 100, 28);
    waitingCancel_->hide();
    connect(waitingCancel_, &QPushButton::clicked, this, &MainWindow::CancelGenerateCommand);
    waitingPanel_->hide();
    board_->setObjectName(QStringLiteral("Image4"));
    // The hint in words, beside the board: shown by Affichage › "Explications".
    explanationPanel_ = new QTextBrowser(grille);
    explanationPanel_->setObjectName(QStringLiteral("Explications"));
    explanationPanel_->setFocusPolicy(Qt::TabFocus);
    explanationPanel_->setOpenLinks(false);
    explanationPanel_->hide();
    characteristics_ = new CharacteristicsPage(*game_);
    auto* solutionPage = new QWidget;
    solution_ = framed(solutionPage, BoardWidget::Kind::Solution);
    solution_->setObjectName(QStringLiteral("Image5"));

    pages_->addTab(grille, texts_.Text(3));
    pages_->addTab(characteristics_, texts_.Text(2));
    pages_->addTab(solutionPage, texts_.Text(1));
    NameElement(grille, io::Window::kMain, 3, io::ElementKind::kTabPage);
    NameElement(characteristics_, io::Window::kMain, 2, io::ElementKind::kTabPage);
    NameElement(solutionPage, io::Window::kMain, 1, io::ElementKind::kTabPage);

    chooser_ = new ChooserWidget(*game_, central);
}

void MainWindow::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setSizeGripEnabled(false);
    statusPanel_ = new StatusPanel(*game_, bar);
    statusPanel_->setObjectName(QStringLiteral("StatusMessage"));
    clockPanel_ = new QLabel(bar);
    clockPanel_->setObjectName(QStringLiteral("Clock"));
    cancelGeneration_ = new QPushButton(texts_.Text(547), bar);
    cancelGeneration_->setObjectName(QStringLiteral("CancelGeneration"));
    cancelGeneration_->setVisible(false);
    connect(cancelGeneration_, &QPushButton::clicked, this, &MainWindow::CancelGenerateCommand);
    bar->addWidget(statusPanel_, 1);
    bar->addWidget(clockPanel_);
    bar->addWidget(cancelGeneration_);
    SizeStatusBar();
}

// The status bar's height and the clock's width follow the type size: the
// clock keeps its seconds at any font.
void MainWindow::SizeStatusBar() {
    const QFontMetrics metrics(statusPanel_->font());
    const int height = std::max(kStatusBarHeight, metrics.height() + 8);
    statusBar()->setFixedHeight(height);
    cancelGeneration_->setFixedHeight(height - 2);
    const QFontMetrics clock(clockPanel_->font());
    const QString widest = texts_.Text(514) + QStringLiteral(" :  88:88:88");
    clockPanel_->setFixedWidth(clock.horizontalAdvance(widest) + 8);
    FitMinimumSize();
}

// The room around the board's page: the pages' tabs and frame, the toolbars,
// the menu bar and the status bar, which grow with the type.
QSize MainWindow::AroundBoardPage() const {
    const QSize tabs = static_cast<const PageTabs*>(pages_)->AroundPage();
    return {kPagesLeft * 2 + tabs.width(), menuBar()->sizeHint().height() + kPagesTop +
                                               tabs.height() + kPagesBottom +
                                               statusBar()->height()};
}

int MainWindow::PanelRoom(bool preferred) const {
    if (!explanationPanel_ || !explanationPanel_->isVisibleTo(this)) return 0;
    const int character = QFontMetrics(explanationPanel_->font()).averageCharWidth();
    return kPictureFarMargin + character * (preferred ? 34 : 20);
}

void MainWindow::LayOutBoardPage(QWidget& page) {
    const int panel = PanelRoom(false);
    if (panel == 0) {
        FitPicture(*board_, page);
        return;
    }
    const int room = std::min(page.width() - panel, page.height()) - kPictureMargin -
                     kPictureFarMargin - 2 * kPictureFrame;
    board_->SetSide(room);
    const int side = board_->width() + 2 * kPictureFrame;
    // The board and the panel side by side, the panel no wider than half as
    // much again as it was laid out for, the pair in the middle of the page.
    const int widest = PanelRoom(true) * 3 / 2 - kPictureFarMargin;
    const int free = page.width() - kPictureMargin - side - 2 * kPictureFarMargin;
    const int width = std::clamp(free, 1, std::max(1, widest));
    const int left =
        std::max(kPictureMargin, (page.width() - side - kPictureFarMargin - width) / 2);
    board_->parentWidget()->setGeometry(left, kPictureMargin, side, side);
    explanationPanel_->setGeometry(left + side + kPictureFarMargin, kPictureMargin, width, side);
}

// The smallest window keeps the smallest board whole, and the bar's texts,
// whatever the type size.
void MainWindow::FitMinimumSize() {
    const QSize around = AroundBoardPage();
    const int bar = statusPanel_->minimumSizeHint().width() + clockPanel_->width() + 16;
    const int width =
        std::max({kClientWidth, bar, around.width() + kLeastBoardPageSide + PanelRoom(false)});
    // On a screen too low for the least board with the room around it, as
    // with large type on a small screen, the board may shrink further.
    int least = kLeastBoardPageSide;
    if (const QScreen* where = screen()) {
        const int frame = std::max(kLeastFrameHeight, frameGeometry().height() - height());
        least = std::clamp(where->availableGeometry().height() - frame - around.height(),
                           kSmallestBoardPageSide, kLeastBoardPageSide);
    }
    const int tall = around.height() + least;
    central_->setMinimumSize(width, tall - menuBar()->sizeHint().height() - statusBar()->height());
    setMinimumSize(width, tall);
    if (isVisible()) FitToScreen();
}

// The window the 512-pixel board was laid out for.
QSize MainWindow::PreferredSize() const {
    const QSize around = AroundBoardPage();
    return QSize(std::max(kClientWidth, around.width() + kBoardPageSide + PanelRoom(true)),
                 around.height() + kBoardPageSide)
        .expandedTo(minimumSize());
}

// The whole window, its frame included, on the free area of its screen: a
// larger one shrinks, the board with it, and moves inside.
void MainWindow::FitToScreen() {
    const QScreen* where = screen();
    if (!where || isMaximized() || isFullScreen()) return;
    const QRect free = where->availableGeometry();
    const QSize frame = frameGeometry().size() - size();
    const QSize room = (free.size() - frame).expandedTo(minimumSize());
    if (width() > room.width() || height() > room.height()) resize(size().boundedTo(room));
    const QRect outer = frameGeometry();
    const int x =
        std::clamp(outer.x(), free.left(), std::max(free.left(), free.right() + 1 - outer.width()));
    const int y =
        std::clamp(outer.y(), free.top(), std::max(free.top(), free.bottom() + 1 - outer.height()));
    if (x != outer.x() || y != outer.y()) move(x, y);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    FitMinimumSize(); // on the screen it is shown on, then fitted to it
}

void MainWindow::ApplyLook(LookKind kind) {
    look_ = kind;
    SetCurrentLook(kind);
    const QPalette palette = LookPalette(CurrentLook());
    QApplication::setPalette(palette);
    QToolTip::setPalette(palette);
    setPalette(palette);
    Action(Command::LookLight)->setChecked(kind == LookKind::Light);
    Action(Command::LookDark)->setChecked(kind == LookKind::Dark);
    Action(Command::LookHighContrast)->setChecked(kind == LookKind::HighContrast);
    if (characteristics_) characteristics_->Refill();
    if (chooser_) chooser_->ApplyLook();
    board_->Redraw();
    board_->RefreshFocusMark();
    solution_->Redraw();
    statusPanel_->update();
}

void MainWindow::ChooseLook(LookKind kind) {
    settings_.Look = static_cast<int>(kind);
    ApplyLook(kind);
}

void MainWindow::OpenMenuBar() {
    const QList<QAction*> menus = menuBar()->actions();
    if (menus.isEmpty() || QApplication::activePopupWidget() || QApplication::activeModalWidget())
        return;
    game_->HideChooser();
    menuBar()->setActiveAction(menus.first());
}

void MainWindow::LeaveMenuBar() {
    if (QApplication::activePopupWidget() || QApplication::activeModalWidget()) return;
    QMenuBar* bar = menuBar();
    if (!bar->hasFocus() && !bar->activeAction()) return;
    // Escape on the bar ends its keyboard mode and lights no menu title.
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(bar, &escape);
    bar->setActiveAction(nullptr);
    // The bar gives the keys back to the widget that had them; when that was
    // none, the board has them, or the page in front.
    QWidget* focused = QApplication::focusWidget();
    if (focused && focused != bar) return;
    if (pages_->currentIndex() == kBoardPage) {
        board_->setFocus(Qt::OtherFocusReason);
    } else {
        pages_->currentWidget()->setFocus(Qt::OtherFocusReason);
    }
}

void MainWindow::HoldKeysOnMenuBar() {
    QMenuBar* bar = menuBar();
    QWidget* holder = QApplication::focusWidget();
    if (!holder || holder == bar || holder->window() != this) return;
    keysBeforeMenu_ = holder;
    bar->setFocus(Qt::MenuBarFocusReason);
}

void MainWindow::GiveBackKeysAfterMenu() {
    // Between two menus of the bar, the next one is already open.
    if (QApplication::activePopupWidget()) return;
    const QPointer<QWidget> holder = keysBeforeMenu_;
    keysBeforeMenu_ = nullptr;
    // A command of the menu that moved the keys elsewhere keeps them there;
    // an inactive window only remembers where they go when it is active again.
    if (focusWidget() != menuBar()) return;
    if (holder && holder->isVisible() && holder->isEnabled() && holder->window() == this) {
        holder->setFocus(Qt::PopupFocusReason);
    } else if (pages_->currentIndex() == kBoardPage) {
        board_->setFocus(Qt::PopupFocusReason);
    } else {
        pages_->currentWidget()->setFocus(Qt::PopupFocusReason);
    }
}

void MainWindow::SayActiveCell(bool withUnits) {
    if (!board_->hasFocus() || QApplication::activePopupWidget()) return;
    const int cell = board_->ActiveCell();
    QString text = board_->CellName(cell);
    if (withUnits) text += QStringLiteral(". ") + UnitsSpeech(texts_, game_->Game(), cell);
    announcer_->Say(text);
}

void MainWindow::BindHandlers() {
    GameController& g = *game_;
    const auto bind = [this](Command c, std::function<void()> f) {
        handlers_[Index(c)] = std::move(f);
    };
    bind(Command::BlankGrid, [&g] { g.OpenBlankGrid(); });
    bind(Command::Start, [&g] { g.StartGame(); });
    bind(Command::Restart, [&g] { g.RestartGame(); });
    bind(Command::Quit, [this] { close(); });
    bind(Command::Undo, [&g] { g.Undo(); });
    bind(Command::Redo, [&g] { g.Redo(); });
    bind(Command::CandidatesNone, [&g] { g.SetCandidateDisplay(kShowNoCandidates); });
    bind(Command::CandidatesAll, [&g] { g.SetCandidateDisplay(kShowAllCandidates); });
    bind(Command::CandidatesActive, [&g] { g.SetCandidateDisplay(kShowActiveCell); });
    bind(Command::ShowSolution, [this] { pages_->setCurrentIndex(kSolutionPage); });
    bind(Command::ShowCharacteristics, [this] { pages_->setCurrentIndex(kCharacteristicsPage); });
    for (int d = 1; d <= 9; ++d) bind(FilterCommand(d), [&g, d] { g.FilterDigit(d); });
    bind(Command::FilterPairs, [&g] { g.FilterPairs(); });
    bind(Command::CancelFilter, [&g] { g.CancelFilter(); });
    bind(Command::Classic, [&g] { g.ChooseVariant(kClassic); });
    bind(Command::NonConsecutive, [&g] { g.ChooseVariant(kNonConsecutive); });
    bind(Command::Consecutive, [&g] { g.ChooseVariant(kConsecutive); });
    bind(Command::OddEven, [&g] { g.ChooseVariant(kOddEven); });
    bind(Command::XSudoku, [&g] { g.ToggleXSudoku(); });
    bind(Command::Open, [this] { OpenCommand(); });
    bind(Command::Save, [this] { SaveCommand(); });
    for (int k = 1; k <= io::kRecentCount; ++k)
        bind(static_cast<Command>(Index(Command::Recent1) + k - 1), [this, k] {
            game_->OpenRecent(k);
            SyncCommands();
        });
    bind(Command::CopyPuzzle, [this] { CopyCommand(false); });
    bind(Command::CopyPosition, [this] { CopyCommand(true); });
    bind(Command::Paste, [this] { PasteCommand(); });
    bind(Command::Generate, [this] { GenerateCommand(); });
    bind(Command::Easy, [&g] { g.ChooseDifficulty(kFacile); });
    bind(Command::Medium, [&g] { g.ChooseDifficulty(kMoyen); });
    bind(Command::Hard, [&g] { g.ChooseDifficulty(kDifficile); });
    bind(Command::Extreme, [&g] { g.ChooseDifficulty(kExtreme); });
    bind(Command::RandomLevel, [&g] { g.ChooseDifficulty(kAleatoire); });
    bind(Command::Diabolique, [&g] { g.ChooseDifficulty(kDiabolique); });
    bind(Command::Demoniaque, [&g] { g.ChooseDifficulty(kDemoniaque); });
    bind(Command::NoSymmetry, [&g] { g.ChooseSymmetry(0); });
    bind(Command::Central, [&g] { g.ChooseSymmetry(1); });
    bind(Command::Axial, [&g] { g.ChooseSymmetry(2); });
    bind(Command::Reflective, [&g] { g.ChooseSymmetry(3); });
    bind(Command::French, [this] { SwitchLanguage(QString::fromUtf8(io::kDefaultLanguage)); });
    bind(Command::English, [this] { SwitchLanguage(QStringLiteral("English.lng")); });
    bind(Command::Print, [this] { PrintCommand(0); });
    bind(Command::PrintPosition, [this] { PrintCommand(1); });
    bind(Command::PrintSolution, [this] { PrintCommand(2); });
    bind(Command::PrintFour, [this] { PrintFourCommand(); });
    bind(Command::CopyImage, [this] { CopyImageCommand(); });
    bind(Command::Examples, [this] { ExamplesCommand(); });
    bind(Command::About, [this] { AboutCommand(); });
    bind(Command::LookLight, [this] { ChooseLook(LookKind::Light); });
    bind(Command::LookDark, [this] { ChooseLook(LookKind::Dark); });
    bind(Command::LookHighContrast, [this] { ChooseLook(LookKind::HighContrast); });
    bind(Command::Statistics, [this] { StatisticsCommand(); });
    bind(Command::ResumeAtStart,
         [this] { settings_.ResumeGame = Action(Command::ResumeAtStart)->isChecked() ? 1 : 0; });
    // The commands that would throw the game in progress away ask first; a
    // file, an example or a paste asks once its grid has been read.
    game_->MayReplaceGame = [this] { return MayAbandonGame(); };
    for (const Command c :
         {Command::Generate, Command::BlankGrid, Command::PrintFour, Command::Restart}) {
        handlers_[Index(c)] = [this, inner = handlers_[Index(c)]] {
            if (MayAbandonGame()) inner();
        };
    }
    bind(Command::Hint, [&g] { g.ShowHint(); });
    bind(Command::CompleteHint, [&g] { g.ShowCompleteHint(); });
    bind(Command::PlayHint, [&g] { g.PlayHint(); });
}

void MainWindow::SyncCommands() {
    const GameController& g = *game_;
    for (const CommandInfo& c : kCommands) {
        // A command without its handler yet keeps its place, disabled.
        actions_[Index(c.id)]->setEnabled(handlers_[Index(c.id)] && g.IsEnabled(c.id));
    }
    // While the worker generates, no example may replace the game.
    if (generation_ && generation_->Running()) Action(Command::Examples)->setEnabled(false);
    const int choice = g.Game().VariantChoice;
    Action(Command::Classic)->setChecked(choice == kClassic);
    Action(Command::NonConsecutive)->setChecked(choice == kNonConsecutive);
    Action(Command::Consecutive)->setChecked(choice == kConsecutive);
    Action(Command::OddEven)->setChecked(choice == kOddEven);
    Action(Command::XSudoku)->setChecked(g.Game().XSudokuChoice == 1);
    const int mode = g.Board().CandidateDisplay;
    Action(Command::CandidatesNone)->setChecked(mode == kShowNoCandidates);
    Action(Command::CandidatesAll)->setChecked(mode == kShowAllCandidates);
    Action(Command::CandidatesActive)->setChecked(mode == kShowActiveCell);
    for (int d = 1; d <= 9; ++d) filterButtons_[d]->setChecked(g.Filter().DigitPressed(d));
    filterButtons_[10]->setChecked(g.Filter().PairsPressed());
    const int band = g.DifficultyBand();
    Action(Command::Easy)->setChecked(band == kFacile);
    Action(Command::Medium)->setChecked(band == kMoyen);
    Action(Command::Hard)->setChecked(band == kDifficile);
    Action(Command::Extreme)->setChecked(band == kExtreme);
    Action(Command::RandomLevel)->setChecked(band == kAleatoire);
    Action(Command::Diabolique)->setChecked(band == kDiabolique);
    Action(Command::Demoniaque)->setChecked(band == kDemoniaque);
    const int symmetry = g.Game().SymmetryChoice;
    Action(Command::NoSymmetry)->setChecked(symmetry == 0);
    Action(Command::Central)->setChecked(symmetry == 1);
    Action(Command::Axial)->setChecked(symmetry == 2);
    Action(Command::Reflective)->setChecked(symmetry == 3);
    Action(Command::Generate)->setToolTip(g.GenerateHint());
    Action(Command::LookLight)->setChecked(look_ == LookKind::Light);
    Action(Command::LookDark)->setChecked(look_ == LookKind::Dark);
    Action(Command::LookHighContrast)->setChecked(look_ == LookKind::HighContrast);
    Action(Command::ResumeAtStart)->setChecked(settings_.ResumeGame != 0);
    // The tick is on the language in use, also after a file that was refused.
    const QString language = texts_.LanguageFile();
    Action(Command::French)->setChecked(language == QString::fromUtf8(io::kDefaultLanguage));
    Action(Command::English)->setChecked(language == QStringLiteral("English.lng"));
    for (QAction* extra : extraLanguages_) extra->setChecked(extra->data().toString() == language);
    askBeforeAbandon_->setChecked(settings_.AskBeforeAbandon != 0);
}

void MainWindow::SyncChooser() {
    const Chooser& c = game_->CellChooser();
    if (c.visible) {
        // Beside the clicked cell, within the window's client area.
        const int row = c.cell / 9;
        const int column = c.cell % 9;
        const QPoint topLeft =
            board_->mapTo(central_, board_->FromPicture(QPoint(column, row) * kCellSize));
        const QPoint bottomRight =
            board_->mapTo(central_, board_->FromPicture(QPoint(column + 1, row + 1) * kCellSize));
        chooser_->Sync(QRect(topLeft, bottomRight - QPoint(1, 1)), central_->rect(),
                       board_->Scale());
        // The keyboard works in the list while it is open.
        if (board_->hasFocus() || !QApplication::focusWidget()) chooser_->setFocus();
    } else {
        // The list hands the keys back to the board, not to the next control
        // in the focus chain (a toolbar button that Space would press).
        const bool focused = chooser_->hasFocus();
        chooser_->Sync();
        if (focused) board_->setFocus();
    }
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Coming back to the window, the keys go to the board, as at start-up.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && board_) {
        // By now the window manager has framed the window: the title bar counts.
        FitToScreen();
        if (!chooser_->isVisible()) board_->setFocus(Qt::ActiveWindowFocusReason);
    }
}

void MainWindow::ShowFinish() {
    repaint();
    CountFinishedGame();
    if (finishHandler_) finishHandler_();
    activateWindow();
}

void MainWindow::OpenArgument(const std::string& path) {
    startedWithArgument_ = true;
    // A game kept by an earlier run stays where it is until this one has a move.
    const QString kept = SavedGamePath();
    keptGameStays_ = !kept.isEmpty() && QFileInfo::exists(kept);
    OpenArgumentFile(path);
    // A refused file's own message goes first.
    if (anotherKeepsGame_ && settings_.ResumeGame != 0 && game_->InstallStarted())
        game_->Alarm(texts_.Text(589));
}

void MainWindow::OpenArgumentFile(const std::string& path) {
    const io::RecentList before = game_->RecentFiles;
    // The type menu keeps the stored choice; the game plays the file's type.
    game_->OpenFilePath(path, false);
    if (!game_->InstallStarted()) {
        // Only a puzzle set up for play goes to the recent files; a refused
        // grid stays on the board in hand entry, to be corrected and started.
        game_->RecentFiles = before;
        game_->StayInHandEntry();
    }
    game_->Game().ComputeCandidates();
    SyncCommands();
    board_->Redraw();
    solution_->Redraw();
}

void MainWindow::TakeHandedArgument(const std::optional<QByteArray>& argument) {
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
    if (!argument || QApplication::activeModalWidget() || generation_->Running()) return;
    if (!MayAbandonGame()) return;
    OpenArgumentFile(argument->toStdString());
}

void MainWindow::EndSession() {
    // As "Quitter" does, without a question: the game and the settings kept.
    if (sessionEnded_) return;
    sessionEnded_ = true;
    if (generation_->Running()) CancelGenerateCommand();
    WriteSettings();
    KeepGame();
    ReleaseGameLock();
    close();
}

// Keys reach the game only from the focused board or solution picture, and
// only while no menu or dialog is open; everything else goes its usual way
// (Tab between the controls, arrows in the menus and lists).
bool MainWindow::RouteKey(QObject* watched, QKeyEvent& event) {
    const bool press = event.type() == QEvent::KeyPress;
    // Alt pressed and released alone opens the menu bar.
    if (event.key() == Qt::Key_Alt && watched == QApplication::focusWidget()) {
        if (press && !event.isAutoRepeat()) altAlone_ = true;
        if (!press && altAlone_ && isActiveWindow()) {
            altAlone_ = false;
            OpenMenuBar();
            return true;
        }
        return false;
    }
    if (press) altAlone_ = false;
    if (!press || QApplication::activePopupWidget() || QApplication::activeModalWidget())
        return false;
    if (SwitchPageKey(watched, event)) return true;
    // F10 opens the menu bar, as Alt alone does.
    if (event.key() == Qt::Key_F10 && event.modifiers() == Qt::NoModifier) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->window() != this) return false;
        OpenMenuBar();
        return true;
    }
    // Esc puts away the hint in words, its drawing, and a step of the
    // listing shown on the board, from wherever the focus is in the window.
    if (event.key() == Qt::Key_Escape && event.modifiers() == Qt::NoModifier &&
        !game_->CellChooser().visible &&
        (game_->ShowingStep() || !game_->Explanation().isEmpty() ||
         !game_->Board().Drawing.Empty())) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->window() != this) return false;
        const QWidget* focus = QApplication::focusWidget();
        if (focus && widget != focus) return false;
        if (game_->ShowingStep() || !game_->Explanation().isEmpty()) LeaveStepOnBoard();
        board_->ClearHintDrawing();
        return true;
    }
    if (watched != board_ && watched != solution_) return false;
    if (!board_->isActiveWindow()) return false;
    const int key = event.key();
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) return false;
    // A step of the listing is only looked at: no key plays on it.
    if (game_->ShowingStep() && watched == board_) return true;
    const KeyInput input = ReadKey(event);
    const bool arrow = input.kind == KeyInput::Kind::Left || input.kind == KeyInput::Kind::Right ||
                       input.kind == KeyInput::Kind::Up || input.kind == KeyInput::Kind::Down;
    if (watched == solution_) {
        if (!arrow) return false;
        game_->MoveActiveCell(input.kind);
        return true;
    }
    if (key == Qt::Key_Space || key == Qt::Key_Menu) {
        // The cell chooser on the active cell, as a click there opens it.
        const BoardState& b = game_->Board();
        game_->BoardPressed(b.ActiveColumn * kCellSize + kCellSize / 2,
                            b.ActiveRow * kCellSize + kCellSize / 2, false);
        return true;
    }
    if (key == Qt::Key_L && event.modifiers() == Qt::NoModifier) {
        // Where am I: the active cell, its row, its column and its box.
        SayActiveCell(true);
        return true;
    }
    game_->HandleKey(input);
    return true;
}

// Alt+1, Alt+2, Alt+3 show the three pages; so do Ctrl+1, Ctrl+2, Ctrl+3 away
// from the board, where Ctrl and a digit removes a candidate.
bool MainWindow::SwitchPageKey(QObject* watched, const QKeyEvent& event) {
    const Qt::KeyboardModifiers mods =
        event.modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::ShiftModifier);
    const bool alt = mods == Qt::AltModifier;
    const bool ctrl = mods == Qt::ControlModifier && pages_->currentIndex() != kBoardPage;
    if (!alt && !ctrl) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this) return false;
    const KeyInput input = ReadKey(event);
    if (input.kind != KeyInput::Kind::Digit || input.digit < 1 || input.digit > 3) return false;
    pages_->setCurrentIndex(input.digit - 1);
    if (input.digit == 1) board_->setFocus();
    return true;
}

bool MainWindow::Owns(const QObject* watched) const {
    // Its menus and dialogs are windows of their own, with this one above them.
    for (auto* w = qobject_cast<const QWidget*>(watched); w; w = w->parentWidget())
        if (w == this) return true;
    return false;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    // The filter sees every window of the application: another window's keys
    // and clicks are that window's.
    const bool input = type == QEvent::KeyPress || type == QEvent::KeyRelease ||
                       type == QEvent::MouseButtonPress || type == QEvent::MouseMove;
    if (input && !Owns(watched)) return QMainWindow::eventFilter(watched, event);
    if (type == QEvent::KeyPress && generation_->Running()) {
        // While the worker runs, Esc cancels and nothing else reaches the game.
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) CancelGenerateCommand();
        return qobject_cast<QWidget*>(watched) && qobject_cast<QWidget*>(watched)->window() == this;
    }
    if (generation_->Running() && (type == QEvent::MouseButtonPress || type == QEvent::MouseMove) &&
        (watched == board_ || watched == chooser_))
        return true;
    // A step of the listing is only looked at: the board takes no click.
    if (game_->ShowingStep() && type == QEvent::MouseButtonPress && watched == board_) return true;
    if (type == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
        qobject_cast<QMenu*>(watched)) {
        // The menu bar would keep the keys, unseen, after its last menu
        // closes; they go back to the board instead.
        QTimer::singleShot(0, this, [this] { LeaveMenuBar(); });
    }
    if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
        if (RouteKey(watched, *static_cast<QKeyEvent*>(event))) return true;
        return false;
    }
    if (type == QEvent::FocusIn && watched == board_) {
        // Arriving on the board says the active cell; between two menus of
        // the bar the board has the keys only for a moment and says nothing.
        QTimer::singleShot(0, this, [this] { SayActiveCell(false); });
    }
    if (type == QEvent::Resize) {
        if (watched == central_) {
            pages_->setGeometry(kPagesLeft, kPagesTop, central_->width() - 2 * kPagesLeft,
                                central_->height() - kPagesTop - kPagesBottom);
            if (chooser_) SyncChooser();
        } else if (board_ && watched == board_->parentWidget()->parentWidget()) {
            LayOutBoardPage(*static_cast<QWidget*>(watched));
            if (chooser_) SyncChooser();
        } else if (solution_ && watched == solution_->parentWidget()->parentWidget()) {
            FitPicture(*solution_, *static_cast<QWidget*>(watched));
        }
    }
    if (watched == central_ && type == QEvent::MouseMove) {
        game_->PointerOffBoard();
        return false;
    }
    if (type == QEvent::MouseButtonPress && watched != central_) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && (widget->parent() == commandBar_ || widget->parent() == filterBar_))
            pages_->setCurrentIndex(kBoardPage);
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace vemo::ui
