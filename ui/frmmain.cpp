#include "frmmain.h"

#include "helpwindow.h"
#include "report.h"
#include "reportcommands.h"
#include "windowplaces.h"
#include "present/codename.h"
#include "present/format.h"
#include "present/texts.h"
#include "shell/accelerators.h"
#include "shell/datetime.h"
#include "shell/language.h"
#include "shell/projectfile.h"
#include "shell/settings.h"
#include "uitext.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QStatusBar>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

static void initResources() { Q_INIT_RESOURCE(qeln); }

namespace qeln::ui {

// ---------------------------------------------------------------- settings and dates

Settings readSettingsFile(const QString& path) { return SettingsFile(path.toStdString()).read(); }

std::optional<Failure> writeSettingsFile(const QString& path, const Settings& v)
{
    return SettingsFile(path.toStdString()).write(v);
}

std::string startProjectArgument(const QStringList& arguments)
{
    if (arguments.size() < 2 || arguments.at(1).isEmpty())
        return {};
    return QFileInfo(arguments.at(1)).absoluteFilePath().toStdString();
}

QString defaultSettingsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/qeln.INI";
}

QString dateTimeText(double v, const QLocale& loc)
{
    const std::optional<CivilDateTime> c = civilDateTime(v, true);
    if (!c)
        return {};
    const QDateTime dt(QDate(c->year, c->month, c->day), QTime(c->hour, c->minute, c->second, c->millisecond));
    QString s = loc.toString(dt.date(), QLocale::ShortFormat);
    if (dt.time() != QTime(0, 0)) {
        // the long time format without the time zone
        QString fmt = loc.timeFormat(QLocale::LongFormat);
        fmt.remove(QRegularExpression("\\s*t+\\s*"));
        s += " " + loc.toString(dt.time(), fmt.trimmed());
    }
    return s;
}

// ---------------------------------------------------------------- background

namespace {
// The main window's client area: the background picture behind the buttons.
class BackgroundPanel : public QWidget {
public:
    explicit BackgroundPanel(QWidget* parent) : QWidget(parent), svg_(QStringLiteral(":/pictures/background.svg"), this)
    {
        setObjectName("Panel1");
    }
    // The picture's title block names the code of the project.
    void setCode(DesignCode code)
    {
        if (code == code_)
            return;
        code_ = code;
        svg_.load(code == DesignCode::EN1994 ? QStringLiteral(":/pictures/background-en.svg")
                                             : QStringLiteral(":/pictures/background.svg"));
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        // the whole picture in sight, its proportions kept; the rest in the picture's own colour
        p.fillRect(rect(), QColor(0xe4, 0xec, 0xf4));
        QSizeF s = svg_.defaultSize();
        if (s.isEmpty())
            s = QSizeF(size());
        s.scale(QSizeF(size()), Qt::KeepAspectRatio);
        svg_.render(&p, QRectF(QPointF((width() - s.width()) / 2, (height() - s.height()) / 2), s));
    }

private:
    QSvgRenderer svg_;
    DesignCode code_ = DesignCode::ENV1994;
};

QPushButton* columnButton(const char* name, const char* text, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setMinimumSize(150, 30);
    b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    return b;
}

QLabel* columnHeading(const char* name, const char* text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    QFont f = l->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 2);
    l->setFont(f);
    l->setStyleSheet("color: #12304f; background: rgba(255,255,255,170); padding: 2px 6px; border-radius: 3px;");
    return l;
}

// The Options menu's item of a language.
const char* languageMenuItem(Language language)
{
    switch (language) {
    case Language::English: return "mitEnglish";
    case Language::French: return "mitFrench";
    case Language::German: return "mitGerman";
    }
    return "mitEnglish";
}
} // namespace

// ---------------------------------------------------------------- creation

frmmain::frmmain(MainOptions options, QWidget* parent)
    : QMainWindow(parent), options_(std::move(options)), wf_(*this)
{
    initResources();
    setObjectName("frmmain");
    setWindowIcon(QIcon(":/pictures/icon.svg"));

    // the windows, in their order of creation
    warnWindow = new frmwarn(this);
    printMethod = new frmprintmet(this);
    profilDialog = new frmprofil(this);
    projetDialog = new frmprojet(this);
    armatDialog = new frmarmat(this);
    materDialog = new frmmater(this);
    flambDialog = new frmflamb(this);
    excentDialog = new frmexcent(this);
    resultWindow = new frmresult(this);
    detailWindow = new frmdetail(this);
    grafikWindow = new frmgrafik(this);
    aboutBox = new AboutBox(this);
    gamatDialog = new frmgamat(this);
    loadsDialog = new frmloads(this);
    searchDialog = new frmsearch(this);
    scheduleWindow = new frmschedule(this);
    connect(scheduleWindow, &frmschedule::gridEdited, this, [this] {
        wf_.schedule = scheduleWindow->grid();
        wf_.haschanged();
    });
    connect(scheduleWindow, &frmschedule::openRowRequested, this, [this](const ColumnInput& in, const QString& name) {
        if (wf_.openScheduleRow(in, name.toStdString())) {
            refreshScheduleWindow();
            bringToFront();
        }
    });
    diagramsWindow = new frmdiagrams(this);
    connect(diagramsWindow, &frmdiagrams::calculateRequested, this, [this] { btndiagramsClick(); });
    connect(resultWindow, &TResultWindow::calculateRequested, this, [this] { btnresultClick(); });
    connect(detailWindow, &TResultWindow::calculateRequested, this, [this] { btndetailClick(); });
    connect(grafikWindow, &TResultWindow::calculateRequested, this, [this] { btngrafikClick(); });

    buildMenus();
    buildPanel();

    // settings file, flags, catalogue, default project. The current folder
    // stays where the user started the program (the catalogue is found by
    // its full path): file dialogs open there, never in an installed bin/.
    settingsPath_ = options_.settingsPath.isEmpty() ? defaultSettingsPath() : options_.settingsPath;
    wf_.projectChanged = false;
    wf_.resultsStale = true;
    std::string error;
    if (options_.openCatalogue)
        catalogue_ = options_.openCatalogue(error);
    if (!catalogue_)
        showError(nullptr, "Could not open the profile database. Program will be closed" +
                               (error.empty() ? QString() : "\n\n" + QString::fromStdString(error)));
    else
        profilDialog->setCatalogue(catalogue_.get());
    profilDialog->setLookup([this](const std::string& name) { return Profilsuchen(name); });
    wf_.VarInitialisieren();
    wf_.updatetitle();

    resize(640, 480);
    if (QScreen* s = QApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());

    // every window inside the screen, and where the user left it (the places come with the settings)
    WindowPlaces& places = windowPlaces();
    places.track(this);
    for (QWidget* w : {static_cast<QWidget*>(warnWindow), static_cast<QWidget*>(printMethod),
                       static_cast<QWidget*>(profilDialog), static_cast<QWidget*>(projetDialog),
                       static_cast<QWidget*>(armatDialog), static_cast<QWidget*>(materDialog),
                       static_cast<QWidget*>(flambDialog), static_cast<QWidget*>(excentDialog),
                       static_cast<QWidget*>(resultWindow), static_cast<QWidget*>(detailWindow),
                       static_cast<QWidget*>(grafikWindow), static_cast<QWidget*>(aboutBox),
                       static_cast<QWidget*>(gamatDialog), static_cast<QWidget*>(loadsDialog),
                       static_cast<QWidget*>(searchDialog)})
        places.track(w);
    // the two windows that stay open go beside the main window
    places.track(scheduleWindow, this);
    places.track(diagramsWindow, this);
    places.track(HelpWindow::instance());
}

frmmain::~frmmain()
{
    // the language and the current project's enterprise and user become the next start's defaults
    if (!firstActivation_) {
        const Settings v{wf_.language, wf_.input.office, wf_.input.author, wf_.recent.paths(),
                         windowPlaces().places(), disclaimerAccepted_, searchDialog->limitsText(),
                         wf_.newProjectCode};
        if (options_.writeSettings)
            options_.writeSettings(settingsPath_, v);
        else if (const auto failed = writeSettingsFile(settingsPath_, v))
            showFailure(nullptr, *failed);
    }
}

void frmmain::buildMenus()
{
    auto action = [this](const char* name, const char* text, auto slot) {
        auto* a = new QAction(text, this);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("mitfile");
    QAction* mNew = action("mitnew", "&New", [this] { FileNew(); });
    QAction* mOpen = action("mitopen", "&Open...", [this] { FileOpen(); });
    QAction* mSave = action("mitsave", "&Save", [this] { FileSave(); });
    QAction* mSaveAs = action("mitsaveas", "Save &as...", [this] { FileSaveAs(); });
    QAction* mSchedule = action("mitschedule", "Sche&dule...", [this] { btnscheduleClick(); });
    QAction* mPrint = action("mitprint", "&Print", [this] { FilePrint(); });
    QAction* mPdf = action("mitexportpdf", "&Export PDF...", [this] { FileExportPdf(); });
    QAction* mSetup = action("mitprintsetup", "Printer Set&up...", [this] { FilePrintSetup(); });
    QAction* mExit = action("mitexit", "E&xit", [this] { FileExit(); });
    mNew->setShortcut(QKeySequence::New);
    mOpen->setShortcut(QKeySequence::Open);
    mSave->setShortcut(QKeySequence::Save);
    mPrint->setShortcut(QKeySequence::Print);
    mSaveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    mExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    file->addActions({mNew, mOpen});
    QMenu* recent = file->addMenu("&Recent projects");
    recent->setObjectName("mitrecent");
    file->addActions({mSave, mSaveAs});
    connect(file, &QMenu::aboutToShow, this, &frmmain::updateRecentMenu);
    file->addSeparator();
    file->addActions({mPrint, mPdf, mSetup});
    file->addSeparator();
    file->addAction(mExit);

    // the results, the search and the schedule, with keys
    QMenu* calc = menuBar()->addMenu("&Calculation");
    calc->setObjectName("mitcalculation");
    QAction* mResults = action("mitresults", "Results", [this] { btnresultClick(); });
    mResults->setShortcut(QKeySequence(Qt::Key_F9));
    calc->addAction(mResults);
    calc->addAction(action("mitdetails", "Details", [this] { btndetailClick(); }));
    calc->addAction(action("mitgraphic", "Graphic", [this] { btngrafikClick(); }));
    QAction* mDiagrams = action("mitdiagrams", "Diagrams", [this] { btndiagramsClick(); });
    mDiagrams->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F9));
    calc->addAction(mDiagrams);
    calc->addSeparator();
    calc->addAction(action("mitfindsection", "Find section...", [this] { btnfindsectionClick(); }));
    calc->addAction(mSchedule);

    QMenu* opts = menuBar()->addMenu("&Options");
    opts->setObjectName("mitoptions");
    QMenu* lang = opts->addMenu("&Language");
    lang->setObjectName("mitlanguage");
    auto* langs = new QActionGroup(this);
    langs->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);   // SetLanguage checks the current one
    for (QAction* a : {action("mitEnglish", "English", [this] { mitEnglishClick(); }),
                       action("mitFrench", "Français", [this] { mitFrenchClick(); }),
                       action("mitGerman", "Deutsch", [this] { mitGermanClick(); })}) {
        a->setCheckable(true);
        langs->addAction(a);
        lang->addAction(a);
    }
    // the design code File > New gives a project
    QMenu* newCode = opts->addMenu("&Design code for new projects");
    newCode->setObjectName("mitnewcode");
    auto* codes = new QActionGroup(this);
    for (QAction* a : {action("mitnewcodeenv", "ENV 1994-1-1 / ENV 1994-1-2",
                              [this] { setNewProjectCode(DesignCode::ENV1994); }),
                       action("mitnewcodeen", "EN 1994-1-1:2004 / EN 1994-1-2:2005",
                              [this] { setNewProjectCode(DesignCode::EN1994); })}) {
        a->setCheckable(true);
        codes->addAction(a);
        newCode->addAction(a);
    }

    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("mithelp");
    QAction* mContents = action("mitcontents", "Contents", [this] { HelpContents(); });
    help->addAction(mContents);
    help->addSeparator();
    help->addAction(action("mithelpabout", "Info", [this] { HelpAbout(); }));

    QToolBar* tb = addToolBar("tools");
    tb->setObjectName("ToolBar1");
    tb->setMovable(false);
    tb->setIconSize(QSize(24, 24));
    auto tool = [&](const char* name, const char* icon, const char* hint, QAction* same) {
        auto* a = tb->addAction(QIcon(QString(":/pictures/%1.svg").arg(icon)), hint);
        a->setObjectName(name);
        a->setToolTip(hint);
        connect(a, &QAction::triggered, same, &QAction::trigger);
        return a;
    };
    tool("tbnew", "tb-new", "New", mNew);
    tool("tbopen", "tb-open", "Open", mOpen);
    tool("tbsave", "tb-save", "Save", mSave);
    tb->addSeparator();
    tool("tbprint", "tb-print", "Print", mPrint);
    tool("tbprintsetup", "tb-printsetup", "Printer Setup", mSetup);
    tb->addSeparator();
    tool("tbexit", "tb-exit", "Exit", mExit);
    tool("tbhelp", "tb-help", "Help", mContents);

    auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
    connect(f1, &QShortcut::activated, this, [] { showHelp(kHelpMain); });
}

void frmmain::buildPanel()
{
    auto* panel = new BackgroundPanel(this);
    setCentralWidget(panel);
    // the current design in one line: section, rebars, loads, the verdict of the last run
    auto* design = new QLabel(this);
    design->setObjectName("lbldesign");
    statusBar()->addWidget(design, 1);
    auto* g = new QGridLayout(panel);
    g->setContentsMargins(28, 20, 28, 20);
    g->setHorizontalSpacing(40);

    auto* in = new QVBoxLayout;
    in->setSpacing(6);
    in->addWidget(columnHeading("lblinput", "Input Data:", panel), 0, Qt::AlignLeft);
    in->addSpacing(4);
    const std::pair<const char*, const char*> inputs[] = {
        {"btnprojet", "Project"},         {"btnprofil", "Section"},        {"btnarmat", "Rebars"},
        {"btnmater", "Materials"},        {"btngammamat", "Partial factors"}, {"btnflamb", "Buckl. lengths"},
        {"btnexcent", "Eccentricities"},  {"btnloads", "Design loads"},
    };
    for (const auto& [name, text] : inputs) {
        if (std::string_view(name) != "btnprofil") {
            in->addWidget(columnButton(name, text, panel));
            continue;
        }
        // the section search beside the section it chooses
        auto* row = new QHBoxLayout;
        row->setSpacing(6);
        row->addWidget(columnButton(name, text, panel));
        row->addWidget(columnButton("btnfindsection", "Find section...", panel));
        in->addLayout(row);
    }
    in->addStretch(1);

    auto* out = new QVBoxLayout;
    out->setSpacing(6);
    out->addWidget(columnHeading("lbloutput", "Results:", panel), 0, Qt::AlignLeft);
    out->addSpacing(4);
    for (const auto& [name, text] : {std::pair{"btnresult", "Results"}, std::pair{"btndetail", "Details"},
                                     std::pair{"btngrafik", "Graphic"}, std::pair{"btndiagrams", "Diagrams"}})
        out->addWidget(columnButton(name, text, panel));
    // the design code of the project, beside the results it gives
    out->addSpacing(10);
    auto* code = new QLabel(panel);
    codeLabel_ = code;
    code->setObjectName("lblcode");
    code->setStyleSheet("color: #12304f; background: rgba(255,255,255,170); padding: 3px 6px; border-radius: 3px;");
    out->addWidget(code);
    out->addStretch(1);

    g->addLayout(in, 0, 0);
    g->addItem(new QSpacerItem(10, 10, QSizePolicy::Expanding), 0, 1);
    g->addLayout(out, 0, 2);

    auto connectButton = [&](const char* name, void (frmmain::*slot)()) {
        connect(panel->findChild<QPushButton*>(name), &QPushButton::clicked, this, slot);
    };
    connectButton("btnprojet", &frmmain::btnprojetClick);
    connectButton("btnprofil", &frmmain::btnprofilClick);
    connectButton("btnarmat", &frmmain::btnarmatClick);
    connectButton("btnmater", &frmmain::btnmaterClick);
    connectButton("btngammamat", &frmmain::btngammamatClick);
    connectButton("btnflamb", &frmmain::btnflambClick);
    connectButton("btnexcent", &frmmain::btnexcentClick);
    connectButton("btnloads", &frmmain::btnloadsClick);
    connectButton("btnfindsection", &frmmain::btnfindsectionClick);
    connectButton("btnresult", &frmmain::btnresultClick);
    connectButton("btndetail", &frmmain::btndetailClick);
    connectButton("btngrafik", &frmmain::btngrafikClick);
    connectButton("btndiagrams", &frmmain::btndiagramsClick);
}

// ---------------------------------------------------------------- start and end

bool frmmain::FormActivate()
{
    if (!firstActivation_)
        return !refused_;
    firstActivation_ = false;
    const Settings v =
        options_.readSettings ? options_.readSettings(settingsPath_) : readSettingsFile(settingsPath_);
    wf_.applySettings(v.language, v.enterprise, v.user);
    wf_.setNewProjectCode(v.newProjectCode);
    wf_.recent = RecentFiles(v.recentFiles);
    updateRecentMenu();
    windowPlaces().setPlaces(v.windows);
    windowPlaces().restore(this);
    disclaimerAccepted_ = v.disclaimerAccepted;
    searchDialog->setLimitsText(v.search);
    setCurrentLanguage(v.language);
    SetLanguage();
    // the disclaimer once per user and version of the program (the English version line)
    const std::string version = LoadText(5, Language::English, nullptr);
    if (disclaimerAccepted_ != version) {
        if (!aboutBox->askDisclaimer()) {
            refused_ = true;
            return false;
        }
        disclaimerAccepted_ = version;
    }
    if (!options_.startProject.empty())
        wf_.openProject(options_.startProject);
    return true;
}

void frmmain::changeEvent(QEvent* e)
{
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && firstActivation_ && options_.activateOnShow)
        QTimer::singleShot(0, this, [this] {
            if (!FormActivate())
                QCoreApplication::exit(0);   // the disclaimer was refused
        });
}

void frmmain::closeEvent(QCloseEvent* e)
{
    if (refused_ || wf_.FormCloseQuery())
        e->accept();
    else
        e->ignore();
}

// ---------------------------------------------------------------- language

QWidget* frmmain::windowNamed(const QString& name)
{
    if (name == objectName())
        return this;
    for (QWidget* w : {static_cast<QWidget*>(warnWindow), static_cast<QWidget*>(printMethod),
                       static_cast<QWidget*>(profilDialog), static_cast<QWidget*>(projetDialog),
                       static_cast<QWidget*>(armatDialog), static_cast<QWidget*>(materDialog),
                       static_cast<QWidget*>(flambDialog), static_cast<QWidget*>(excentDialog),
                       static_cast<QWidget*>(resultWindow), static_cast<QWidget*>(detailWindow),
                       static_cast<QWidget*>(grafikWindow), static_cast<QWidget*>(aboutBox),
                       static_cast<QWidget*>(gamatDialog), static_cast<QWidget*>(loadsDialog),
                       static_cast<QWidget*>(searchDialog), static_cast<QWidget*>(diagramsWindow)})
        if (w->objectName() == name)
            return w;
    return nullptr;
}

void frmmain::SetLanguage()
{
    if (!applyQtTranslation(currentLanguage()))
        qWarning("Qt's own translation for the language %s cannot be loaded",
                 std::string(languageCode(currentLanguage())).c_str());
    wf_.updatetitle();
    HelpWindow::instance()->setWindowTitle(QString::fromStdString(helpFileFor(currentLanguage())));
    wf_.updatetitle();

    for (const CaptionAssignment& c : captionTable()) {
        QWidget* w = windowNamed(c.window);
        if (!w)
            continue;
        const QString text = T(c.text);
        if (c.control[0] == '\0') {
            w->setWindowTitle(text);
            continue;
        }
        QObject* target = w == this ? static_cast<QObject*>(findChild<QObject*>(c.control))
                                    : static_cast<QObject*>(w->findChild<QObject*>(c.control));
        applyCaption(target, text, c.kind);
    }
    // the lists
    aboutBox->findChild<QWidget*>("Image1")->show();
    aboutBox->findChild<QWidget*>("Image2")->hide();
    QStringList lines;
    for (int id : kDisclaimerLines)
        lines << T(id);
    aboutBox->memdisclaimer->setPlainText(lines.join('\n'));
    // the method chosen stays chosen in the new language; the condensed report until one is chosen
    const int method = printMethod->rdgprint->itemIndex();
    printMethod->rdgprint->setItems({T(kPrintMethodItems[0]), T(kPrintMethodItems[1])});
    printMethod->rdgprint->setItemIndex(method < 0 ? 1 : method);
    diagramsWindow->applyLanguage();
    for (TResultWindow* r : {static_cast<TResultWindow*>(resultWindow), static_cast<TResultWindow*>(detailWindow),
                             static_cast<TResultWindow*>(grafikWindow)})
        r->setLanguage();
    if (auto* copy = grafikWindow->imgdyngraf->findChild<QAction*>("actcopy"))
        copy->setText(T(1318));
    if (auto* save = grafikWindow->imgdyngraf->findChild<QAction*>("actsavesvg"))
        save->setText(T(1319));
    warnWindow->setWindowTitle(T(210) + " / " + T(211));
    if (auto* pdf = findChild<QAction*>("mitexportpdf"))
        pdf->setText(T(1199));
    // the Calculation menu: the captions of the buttons, with letters of their own in the menu
    if (auto* calc = findChild<QMenu*>("mitcalculation")) {
        calc->setTitle(T(1483));
        const std::pair<const char*, int> items[] = {{"mitresults", 208}, {"mitdetails", 224}, {"mitgraphic", 260},
                                                     {"mitdiagrams", 1315}, {"mitfindsection", 1263},
                                                     {"mitschedule", 1361}};
        std::vector<std::string> texts;
        for (const auto& [name, id] : items)
            texts.push_back(T(id).toStdString());
        const std::vector<std::string> keyed = withAccelerators(texts, "");
        for (std::size_t i = 0; i < std::size(items); ++i)
            if (auto* a = findChild<QAction*>(items[i].first))
                a->setText(QString::fromStdString(keyed[i]));
    }
    scheduleWindow->setLanguage();
    if (auto* recent = findChild<QMenu*>("mitrecent"))
        recent->setTitle(T(1200));
    // the check mark on the current language
    for (Language l : kLanguages)
        if (auto* a = findChild<QAction*>(languageMenuItem(l)))
            a->setChecked(l == currentLanguage());
    setButtonAccelerators();
}

void frmmain::setButtonAccelerators()
{
    static const char* const names[] = {"btnprojet", "btnprofil", "btnarmat",  "btnmater",
                                        "btngammamat", "btnflamb", "btnexcent", "btnloads",
                                        "btnresult", "btndetail", "btngrafik", "btnfindsection", "btndiagrams"};
    std::string menuBarLetters;
    for (const char* m : {"mitfile", "mitcalculation", "mitoptions", "mithelp"})
        if (auto* menu = findChild<QMenu*>(m))
            if (const char a = acceleratorOf(menu->title().toStdString()))
                menuBarLetters += a;
    std::vector<QPushButton*> buttons;
    std::vector<std::string> texts;
    for (const char* n : names)
        if (auto* b = findChild<QPushButton*>(n)) {
            buttons.push_back(b);
            texts.push_back(b->text().toStdString());   // the catalogue text SetLanguage has just put there
        }
    const auto withKeys = withAccelerators(texts, menuBarLetters);
    for (std::size_t i = 0; i < buttons.size(); ++i)
        buttons[i]->setText(QString::fromStdString(withKeys[i]));
}

void frmmain::setNewProjectCode(DesignCode code)
{
    wf_.setNewProjectCode(code);
    updateCodeLabel();
}

void frmmain::switchLanguage(Language language)
{
    setCurrentLanguage(language);
    wf_.language = language;
    SetLanguage();
    // the results are run again in the language; the project is no different
    wf_.languageChanged();
}

// ---------------------------------------------------------------- commands

void frmmain::updateRecentMenu()
{
    auto* menu = findChild<QMenu*>("mitrecent");
    if (!menu)
        return;
    menu->clear();
    const auto& paths = wf_.recent.paths();
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const std::string path = paths[i];
        QAction* a = menu->addAction(QString::fromStdString(recentMenuText(i + 1, path)));
        a->setObjectName(QString("mitrecent%1").arg(i + 1));
        connect(a, &QAction::triggered, this, [this, path] { FileOpenRecent(path); });
    }
    if (!paths.empty()) {
        menu->addSeparator();
        QAction* clear = menu->addAction(T(1485));
        clear->setObjectName("mitrecentclear");
        connect(clear, &QAction::triggered, this, [this] { wf_.recent = RecentFiles(); });
    }
    menu->setEnabled(!paths.empty());
}

void frmmain::HelpContents() { HelpWindow::instance()->showContext(0, currentLanguage()); }

void frmmain::HelpAbout() { aboutBox->showInfo(); }

template <class Dialog>
void frmmain::editWith(Dialog* dlg)
{
    ColumnInput in = wf_.input;
    dlg->fill(in);
    if (dlg->exec() != QDialog::Accepted)
        return;
    dlg->copyTo(in);
    wf_.acceptInput(in);
}

void frmmain::btnprojetClick()
{
    ColumnInput in = wf_.input;
    // the dialog speaks the program's language, its dates too
    projetDialog->fill(in, [](double v) { return dateTimeText(v, languageLocale(currentLanguage())); });
    if (projetDialog->exec() != QDialog::Accepted)
        return;
    projetDialog->copyTo(in);
    wf_.acceptInput(in);
}

void frmmain::btnprofilClick()
{
    if (!catalogue_)
        return;
    profilDialog->cmbfam->setEditText(QString::fromStdString(wf_.input.profileName));
    Profilsuchen(wf_.input.profileName);
    profilDialog->refresh();
    if (profilDialog->exec() != QDialog::Accepted)
        return;
    const std::optional<SteelProfile> cur = catalogue_->current();
    if (!cur)
        return;
    ColumnInput in = wf_.input;
    in.profileName = cutText(cur->profileName, kShortTextMax);
    if (lookupProfile(in))
        wf_.acceptInput(in);
}

void frmmain::btnarmatClick() { editWith(armatDialog); }
void frmmain::btnmaterClick() { editWith(materDialog); }
void frmmain::btngammamatClick() { editWith(gamatDialog); }
void frmmain::btnflambClick() { editWith(flambDialog); }
void frmmain::btnexcentClick() { editWith(excentDialog); }
void frmmain::btnloadsClick() { editWith(loadsDialog); }

std::vector<SearchProfile> frmmain::catalogueProfiles() const
{
    return catalogue_ ? searchProfiles(*catalogue_) : std::vector<SearchProfile>();
}

void frmmain::btnscheduleClick()
{
    scheduleWindow->setProjectFile(QString::fromStdString(wf_.fileName));
    scheduleWindow->fill(wf_.input, catalogueProfiles(), wf_.schedule);
    scheduleWindow->show();
    scheduleWindow->raise();
    scheduleWindow->activateWindow();
}

void frmmain::refreshScheduleWindow()
{
    if (!scheduleWindow || !scheduleWindow->isVisible())
        return;
    scheduleWindow->setProjectFile(QString::fromStdString(wf_.fileName));
    ColumnInput shown = scheduleWindow->base();
    shown.lastUpdated = wf_.input.lastUpdated;   // the time of an edit is no change of the base
    if (!(scheduleWindow->grid() == wf_.schedule) || !(shown == wf_.input))
        scheduleWindow->fill(wf_.input, catalogueProfiles(), wf_.schedule);
}

void frmmain::btnfindsectionClick()
{
    if (!catalogue_)
        return;
    searchDialog->fill(wf_.input, catalogueProfiles());
    if (searchDialog->exec() != QDialog::Accepted)
        return;
    if (const auto k = searchDialog->chosen())
        wf_.acceptInput(k->applyTo(wf_.input));
}

bool frmmain::Profilsuchen(const std::string& name)
{
    if (!catalogue_)
        return false;
    if (findProfile(*catalogue_, name)) {
        profilDialog->refresh();
        return true;
    }
    profilDialog->refresh();
    showMessage(this, T(1148) + " " + QString::fromStdString(name) + " " + T(1149));
    return false;
}

void frmmain::FilePrint() { reportPrint(*this); }
void frmmain::FilePrintSetup() { reportPrintSetup(*this); }
void frmmain::FileExportPdf() { reportExportPdf(*this); }

// ---------------------------------------------------------------- ReportHost

std::optional<ReportMethod> frmmain::chooseReportMethod()
{
    if (printMethod->exec() != QDialog::Accepted)
        return std::nullopt;
    // the first item is "complete"; the second, or none, the condensed listing
    return printMethod->rdgprint->itemIndex() == 0 ? ReportMethod::Complete : ReportMethod::Condensed;
}

void frmmain::setPrinting(bool printing)
{
    // closing is refused from before the busy state until after it
    if (printing) {
        wf_.printing = true;
        setBusy(true);
    } else {
        setBusy(false);
        wf_.printing = false;
    }
}

// ---------------------------------------------------------------- WorkflowHost

std::string frmmain::text(int id) { return T(id).toStdString(); }

Answer frmmain::ask(const std::string& text, Question buttons)
{
    QMessageBox::StandardButtons which = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    if (buttons == Question::OkCancel)
        which = QMessageBox::Ok | QMessageBox::Cancel;
    else if (buttons == Question::SaveDiscardCancel)
        which = QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
    QMessageBox box(QMessageBox::Warning, appTitle(), QString::fromStdString(text), which, this);
    box.setObjectName("question");
    switch (box.exec()) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes:
    case QMessageBox::Save: return Answer::Yes;
    case QMessageBox::No:
    case QMessageBox::Discard: return Answer::No;
    default: return Answer::Cancel;
    }
}

void frmmain::tell(const std::string& text) { showMessage(this, QString::fromStdString(text)); }

namespace {
std::optional<std::string> runFileDialog(QWidget* parent, QFileDialog::AcceptMode mode, const QString& preset)
{
    QFileDialog dlg(parent);
    dlg.setObjectName(mode == QFileDialog::AcceptOpen ? "opendialog" : "savedialog");
    dlg.setAcceptMode(mode);
    dlg.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dlg.setNameFilters({"QELN-Column-File (*.qln)", "*.* (*)"});
    dlg.setDefaultSuffix("qln");
    // the overwrite question is the program's own (text 517)
    dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!preset.isEmpty())
        dlg.selectFile(preset);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dlg.selectedFiles().first()).toStdString();
}
} // namespace

std::optional<std::string> frmmain::chooseOpenFile()
{
    return runFileDialog(this, QFileDialog::AcceptOpen, QString());
}

std::optional<std::string> frmmain::chooseSaveFile(const std::string& preset)
{
    return runFileDialog(this, QFileDialog::AcceptSave, QString::fromStdString(preset));
}

bool frmmain::fileExists(const std::string& path) { return QFileInfo::exists(QString::fromStdString(path)); }

double frmmain::now() { return currentDateTime(); }

bool frmmain::lookupProfile(ColumnInput& in)
{
    if (!catalogue_ || !Profilsuchen(in.profileName))
        return false;
    setSection(in, sectionOf(*catalogue_->current()));
    return true;
}

std::optional<Failure> frmmain::loadProject(const std::string& path, ColumnInput& in)
{
    if (options_.loadProject)
        return options_.loadProject(path, in);
    // the profile named in the file is looked up in the open catalogue
    const ProfileLookup lookup = [this](const std::string& name, ColumnInput& project) {
        const bool found = catalogue_ && findProfile(*catalogue_, name);
        profilDialog->refresh();
        if (const std::optional<SteelProfile> r = catalogue_ ? catalogue_->current() : std::nullopt) {
            if (!found) {
                // the section takes another profile's values: its name goes with them, and the user is told which
                const std::string used = cutText(r->profileName, kShortTextMax);
                showMessage(this, T(1148) + " " + QString::fromStdString(name) + " " + T(1149) + "\n\n" +
                                      T(1488).arg(QString::fromStdString(used)));
                project.profileName = used;
            }
            setSection(project, sectionOf(*r));
        }
        return found;
    };
    // the file's schedule replaces the project's only when the whole file was read
    const std::optional<Failure> failure = LoadProjectFile(path, in, lookup, &wf_.schedule);
    // the workflow reports a file it cannot open or of another version; a damaged one is shown here, with its line
    if (failure && !reportedByWorkflow(*failure))
        showError(this, QString::fromStdString(failure->describe()));
    return failure;
}

std::optional<Failure> frmmain::saveProject(const std::string& path, const ColumnInput& in)
{
    return SaveProjectFile(path, in, &wf_.schedule);
}

bool frmmain::calculate(const ColumnInput& in)
{
    TextEnv env;
    env.language = currentLanguage();
    env.sink = &boxSink();
    env.decimalSeparator = QString(decimalSeparator()).toStdString();
    // the listing's dates as the project dialog and the report write them: in the program's language
    resultWindow->setDesignCode(in.code);
    const bool ok = qeln::calculate(env, in, run_, *this, [](double v) {
        return dateTimeText(v, languageLocale(currentLanguage())).toStdString();
    });
    setBusy(false);
    // the charts belong to this run: drawn now when the window shows them, else when it opens
    diagrams_.reset();
    diagramsInput_.reset();
    if (ok)
        diagramsInput_ = in;
    if (!ok || !diagramsWindow->isVisible())
        diagramsWindow->clear();
    else
        diagramsWindow->fill(diagrams());
    QTimer::singleShot(0, this, &frmmain::updateStatusLine);   // the workflow marks the results fresh first
    return ok;
}

const DiagramPictures& frmmain::diagrams()
{
    if (!diagrams_) {
        diagrams_ = DiagramPictures{};
        if (diagramsInput_) {
            TextEnv env;
            env.language = currentLanguage();
            env.decimalSeparator = QString(decimalSeparator()).toStdString();
            *diagrams_ = diagramPicturesOf(env, *diagramsInput_, kCompactPlotSize);
        }
    }
    return *diagrams_;
}

void frmmain::resultsDiscarded()
{
    // a result window that stays open shows no results of other input than the project's
    for (TResultWindow* r : {static_cast<TResultWindow*>(resultWindow), static_cast<TResultWindow*>(detailWindow),
                             static_cast<TResultWindow*>(grafikWindow)})
        if (r->isVisible())
            r->showStale();
    QTimer::singleShot(0, this, &frmmain::updateStatusLine);
    diagrams_.reset();
    diagramsInput_.reset();
    diagramsWindow->clear();
}

void frmmain::showResultWindow(ResultWindow w)
{
    // the result windows stay open beside the main window, as the diagrams do
    auto open = [](QWidget* window) {
        window->show();
        window->raise();
        window->activateWindow();
    };
    switch (w) {
    case ResultWindow::Results: open(resultWindow); break;
    case ResultWindow::Details: open(detailWindow); break;
    case ResultWindow::Graphic: open(grafikWindow); break;
    case ResultWindow::Diagrams:
        diagramsWindow->fill(diagrams());
        diagramsWindow->setSaveFolder(wf_.fileName.empty() ? QString()
                                                           : QFileInfo(QString::fromStdString(wf_.fileName)).absolutePath());
        diagramsWindow->show();
        diagramsWindow->raise();
        diagramsWindow->activateWindow();
        break;
    }
}

void frmmain::updateStatusLine()
{
    auto* line = findChild<QLabel*>("lbldesign");
    if (!line)
        return;
    const ColumnInput& in = wf_.input;
    const QString sep = QString(decimalSeparator());
    auto num = [&](double v) { return QString::fromStdString(formatGeneral(v, 6, sep.toStdString())); };
    QStringList parts{QString::fromStdString(in.profileName),
                      QString("%1+%2 x %3 mm").arg(in.n1).arg(in.n2).arg(num(in.d))};
    QStringList loads;
    if (in.nEd > 0)
        loads << "N.Ed " + num(in.nEd) + " kN";
    if (in.nFiEd > 0)
        loads << "N.fi,Ed " + num(in.nFiEd) + " kN";
    if (in.fireClass)
        loads << QString(fireClassLabel(*in.fireClass));
    if (!loads.isEmpty())
        parts << loads.join(", ");
    // the verdict of the last run while it belongs to the project
    QString verdict = T(1484);
    bool passes = false, known = false;
    if (!wf_.resultsStale) {
        verdict.clear();
        for (const CheckLine& l : run_.checkSummary)
            if (l.passes && l.value.empty()) {   // the result line
                verdict = QString::fromStdString(l.verdict);
                passes = *l.passes;
                known = true;
            }
        QStringList rates;
        for (const CheckLine& l : run_.checkSummary)
            if (l.passes && !l.value.empty())
                rates << QString::fromStdString(l.value);
        if (!rates.isEmpty())
            verdict += " (" + rates.join(" / ") + ")";
    }
    if (!verdict.isEmpty())
        parts << verdict;
    line->setText(parts.join(QString::fromUtf8("  \u00b7  ")));
    QPalette pal = line->palette();
    pal.setColor(QPalette::WindowText, !known ? palette().color(QPalette::WindowText)
                                       : passes ? QColor(0, 0x80, 0) : QColor(0xc0, 0, 0));
    line->setPalette(pal);
}

void frmmain::updateCodeLabel()
{
    const Language language = currentLanguage();
    if (auto* panel = dynamic_cast<BackgroundPanel*>(centralWidget()))
        panel->setCode(wf_.input.code);
    if (QLabel* code = codeLabel_)
        // one line per part of the code, the column being narrow
        code->setText((T(1650) + QString::fromStdString(labelColon(language))).trimmed() + "\n" +
                      QString::fromStdString(designCodeName(wf_.input.code, language)).replace(" / ", "\n"));
    const std::pair<const char*, DesignCode> items[] = {{"mitnewcodeenv", DesignCode::ENV1994},
                                                        {"mitnewcodeen", DesignCode::EN1994}};
    for (const auto& [name, c] : items)
        if (auto* a = findChild<QAction*>(name))
            a->setChecked(c == wf_.newProjectCode);
}

void frmmain::setCaption(const std::string& caption)
{
    setWindowTitle(QString::fromStdString(caption));
    updateStatusLine();
    updateCodeLabel();
    refreshScheduleWindow();   // a project opened or made new brings its own schedule
}

void frmmain::bringToFront()
{
    show();
    raise();
    activateWindow();
    QCoreApplication::processEvents();
}

// ---------------------------------------------------------------- RunPresenter

void frmmain::setBusy(bool busy)
{
    if (busy == busy_)
        return;
    busy_ = busy;
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        QCoreApplication::processEvents();
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void frmmain::showWarningsAndErrors(const ColumnResults& res)
{
    const bool wasBusy = busy_;
    setBusy(false);
    warnWindow->fill(res);
    warnWindow->exec();
    setBusy(wasBusy);
}

void frmmain::showResults(const RunState& st)
{
    grafikWindow->setPicture(st.results.sectionPicture);
    resultWindow->fill(st.results.grid, st.results.warnings, st.checkSummary);
    detailWindow->fill(st.completeListing);
}

} // namespace qeln::ui
