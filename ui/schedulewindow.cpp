#include "schedulewindow.h"

#include "helpwindow.h"
#include "schedulereport.h"
#include "searchlimitsdialog.h"
#include "uitext.h"

#include "shell/language.h"
#include "shell/run.h"
#include "calc/messages.h"
#include "catalogue/fileio.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFile>
#include <QSaveFile>
#include <QKeyEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace qeln::ui {

namespace {

// Name, search flag, result and section (seen without scrolling), the field
// columns, then the other results. The indices are those of scheduleResultCells.
constexpr int kNameColumn = 0, kSearchColumn = 1, kFirstField = 4;
constexpr int kLeadResults[] = {5, 7};               // result, section: columns 2 and 3
constexpr int kTailResults[] = {0, 1, 2, 3, 4, 6};   // after the fields
const QColor kFailBackground(0xff, 0xd8, 0xd8), kResultBackground(0xf2, 0xf2, 0xf2), kFailText(0xa0, 0, 0);

QString q(const std::string& s) { return QString::fromStdString(s); }

// Writes a file under a temporary name and puts it in place in one step: a
// failed export leaves the previous file as it was.
template <class Write>
bool writeReplacing(const QString& path, std::string& reason, Write write)
{
    try {
        fileio::PendingReplace file(path.toStdString());
        if (!write(file.tempPath(), reason))
            return false;
        file.commit();
        return true;
    } catch (const fileio::IoError& e) {
        reason = e.reason();
        return false;
    }
}

QPushButton* button(const char* name, QWidget* parent)
{
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

frmschedule::frmschedule(QWidget* parent) : QDialog(parent)
{
    setObjectName("frmschedule");
    setWindowFlags(Qt::Window);
    setModal(false);
    auto* v = new QVBoxLayout(this);

    auto* edit = new QHBoxLayout;
    btnaddrow = button("btnaddrow", this);
    btndeleterows = button("btndeleterows", this);
    btncopyrows = button("btncopyrows", this);
    btnpaste = button("btnpaste", this);
    lbladdcolumn = new QLabel(this);
    lbladdcolumn->setObjectName("lbladdcolumn");
    cbocolumn = new QComboBox(this);
    cbocolumn->setObjectName("cbocolumn");
    cbocolumn->setEditable(true);
    for (const std::string& f : scheduleFieldNames())
        cbocolumn->addItem(q(f));
    cbocolumn->setCurrentIndex(-1);
    cbocolumn->setMinimumContentsLength(14);
    btnaddcolumn = button("btnaddcolumn", this);
    btnaddcolumn->setText("+");
    btnaddcolumn->setMaximumWidth(btnaddcolumn->fontMetrics().height() * 3);
    for (QWidget* w : {static_cast<QWidget*>(btnaddrow), static_cast<QWidget*>(btndeleterows),
                       static_cast<QWidget*>(btncopyrows), static_cast<QWidget*>(btnpaste)})
        edit->addWidget(w);
    edit->addSpacing(16);
    edit->addWidget(lbladdcolumn);
    edit->addWidget(cbocolumn);
    edit->addWidget(btnaddcolumn);
    edit->addStretch(1);
    v->addLayout(edit);

    auto* files = new QHBoxLayout;
    btnimportcsv = button("btnimportcsv", this);
    btnexportcsv = button("btnexportcsv", this);
    btnexportxlsx = button("btnexportxlsx", this);
    btnexportpdf = button("btnexportpdf", this);
    for (QPushButton* b : {btnimportcsv, btnexportcsv, btnexportxlsx, btnexportpdf})
        files->addWidget(b);
    files->addStretch(1);
    v->addLayout(files);

    grdschedule = new QTableWidget(this);
    grdschedule->setObjectName("grdschedule");
    grdschedule->setSelectionBehavior(QAbstractItemView::SelectItems);
    grdschedule->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grdschedule->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grdschedule->verticalHeader()->setDefaultSectionSize(grdschedule->fontMetrics().height() + 6);
    v->addWidget(grdschedule, 1);

    auto* run = new QHBoxLayout;
    chksearchall = new QCheckBox(this);
    chksearchall->setObjectName("chksearchall");
    btnrun = button("btnrun", this);
    prgrun = new QProgressBar(this);
    prgrun->setObjectName("prgrun");
    prgrun->setRange(0, 1);
    prgrun->setValue(0);
    btncancel = button("btncancel", this);
    btnlimits = button("btnlimits", this);
    lbllimits = new QLabel(this);
    lbllimits->setObjectName("lbllimits");
    run->addWidget(chksearchall);
    run->addWidget(btnlimits);
    run->addWidget(lbllimits);
    run->addWidget(btnrun);
    run->addWidget(prgrun, 1);
    run->addWidget(btncancel);
    v->addLayout(run);

    lblsummary = new QLabel(this);
    lblsummary->setObjectName("lblsummary");
    QFont bold = lblsummary->font();
    bold.setBold(true);
    lblsummary->setFont(bold);
    v->addWidget(lblsummary);
    lblstatus = new QLabel(this);
    lblstatus->setObjectName("lblstatus");
    lblstatus->setWordWrap(true);
    QPalette pal = lblstatus->palette();
    pal.setColor(QPalette::WindowText, kFailText);
    lblstatus->setPalette(pal);
    v->addWidget(lblstatus);

    auto* bar = new QHBoxLayout;
    auto* help = button("btnhelp", this);
    help->setText("Help");
    btnclose = button("btnclose", this);
    bar->addStretch(1);
    bar->addWidget(help);
    bar->addWidget(btnclose);
    v->addLayout(bar);

    connect(btnaddrow, &QPushButton::clicked, this, &frmschedule::addRow);
    connect(btndeleterows, &QPushButton::clicked, this, &frmschedule::deleteSelectedRows);
    connect(btncopyrows, &QPushButton::clicked, this, &frmschedule::copySelectedRows);
    connect(btnpaste, &QPushButton::clicked, this, &frmschedule::pasteClipboard);
    connect(btnaddcolumn, &QPushButton::clicked, this, [this] { addColumnNamed(cbocolumn->currentText()); });
    connect(btnimportcsv, &QPushButton::clicked, this, [this] {
        const QString p = chooseFile(false, "CSV (*.csv *.txt)", "csv");
        if (!p.isEmpty())
            importCsv(p);
    });
    connect(btnexportcsv, &QPushButton::clicked, this, [this] {
        const QString p = chooseFile(true, "CSV (*.csv)", "csv");
        if (!p.isEmpty())
            exportCsv(p);
    });
    connect(btnexportxlsx, &QPushButton::clicked, this, [this] {
        const QString p = chooseFile(true, "XLSX (*.xlsx)", "xlsx");
        if (!p.isEmpty())
            exportXlsx(p);
    });
    connect(btnexportpdf, &QPushButton::clicked, this, [this] {
        const QString p = chooseFile(true, "PDF (*.pdf)", "pdf");
        if (!p.isEmpty())
            exportPdf(p);
    });
    connect(btnlimits, &QPushButton::clicked, this, &frmschedule::editLimits);
    connect(btnrun, &QPushButton::clicked, this, &frmschedule::runAll);
    connect(btncancel, &QPushButton::clicked, this, &frmschedule::cancelRun);
    connect(btnclose, &QPushButton::clicked, this, &QDialog::close);
    connect(help, &QPushButton::clicked, this,
            [] { HelpWindow::instance()->showContext(kHelpSchedule, languageBase()); });
    // the spreadsheet keys: Ctrl+V pastes at the current cell, Ctrl+C copies the selected rows as text
    grdschedule->installEventFilter(this);
    connect(grdschedule, &QTableWidget::itemChanged, this, &frmschedule::cellChanged);
    connect(grdschedule, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { rowDoubleClicked(row); });
    connect(grdschedule, &QTableWidget::itemSelectionChanged, this, &frmschedule::updateButtons);

    setLanguage();
    resize(1180, 640);
}

frmschedule::~frmschedule() { cancelRun(); }

void frmschedule::setLanguage()
{
    setWindowTitle(T(1360));
    btnaddrow->setText(T(1362));
    btndeleterows->setText(T(1363));
    btncopyrows->setText(T(1364));
    btnpaste->setText(T(1365));
    lbladdcolumn->setText(T(1366));
    btnimportcsv->setText(T(1367));
    btnexportcsv->setText(T(1368));
    btnexportxlsx->setText(T(1369));
    btnexportpdf->setText(T(1370));
    btnrun->setText(T(1371));
    chksearchall->setText(T(1372));
    btnlimits->setText(T(1322));
    btncancel->setText(T(62));
    btnclose->setText(T(1389));
    if (auto* help = findChild<QPushButton*>("btnhelp"))
        help->setText(T(60));
    showGrid();
    showLimits();
}

void frmschedule::showLimits()
{
    const QString set = searchLimitsSummary(grid_.constraints);
    lbllimits->setText(set.isEmpty() ? T(1324) : set);
}

void frmschedule::editLimits()
{
    if (running())
        return;
    frmsearchlimits dialog(this);
    dialog.fill(grid_.constraints);
    if (dialog.exec() == QDialog::Accepted)
        setLimits(dialog.limits());
}

void frmschedule::setLimits(const SearchConstraints& c)
{
    if (c == grid_.constraints)
        return;
    grid_.constraints = c;
    showLimits();
    // the searched rows' sections may change: the last results go
    edited(false);
}

void frmschedule::fill(const ColumnInput& base, std::vector<SearchProfile> profiles, const Schedule& grid)
{
    cancelRun();
    base_ = base;
    profiles_ = ProfileIndex(std::move(profiles));
    grid_ = grid;
    outcome_.reset();
    lblstatus->clear();
    prgrun->setRange(0, 1);
    prgrun->setValue(0);
    showGrid();
    showLimits();
}

// ---------------------------------------------------------------- table

void frmschedule::showGrid()
{
    filling_ = true;
    const int fields = static_cast<int>(grid_.columns.size());
    const std::vector<std::string> results = scheduleResultHeadings(languageBase());
    grdschedule->clear();
    grdschedule->setColumnCount(kFirstField + fields + static_cast<int>(std::size(kTailResults)));
    grdschedule->setRowCount(static_cast<int>(grid_.rows.size()));
    QStringList headings{T(1373), T(1374)};
    for (int i : kLeadResults)
        headings << q(results[static_cast<std::size_t>(i)]);
    for (const std::string& f : grid_.columns)
        headings << q(f);
    for (int i : kTailResults)
        headings << q(results[static_cast<std::size_t>(i)]);
    grdschedule->setHorizontalHeaderLabels(headings);
    for (int r = 0; r < grdschedule->rowCount(); ++r) {
        const ScheduleRow& row = grid_.rows[static_cast<std::size_t>(r)];
        grdschedule->setItem(r, kNameColumn, new QTableWidgetItem(q(row.name)));
        auto* search = new QTableWidgetItem;
        search->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        search->setCheckState(row.search ? Qt::Checked : Qt::Unchecked);
        grdschedule->setItem(r, kSearchColumn, search);
        for (int c = 0; c < fields; ++c) {
            const auto k = static_cast<std::size_t>(c);
            auto* item = new QTableWidgetItem(k < row.cells.size() ? q(row.cells[k]) : "");
            std::string problem;
            normalisedCell(grid_.columns[k], item->text().toStdString(), &problem);
            if (!problem.empty())
                item->setForeground(kFailText);
            grdschedule->setItem(r, kFirstField + c, item);
        }
    }
    filling_ = false;
    showResults();
}

void frmschedule::showResults()
{
    filling_ = true;
    const int first = kFirstField + static_cast<int>(grid_.columns.size());
    const std::string sep(1, decimalSeparator().toLatin1());
    for (int r = 0; r < grdschedule->rowCount(); ++r) {
        const ScheduleRowResult* o =
            outcome_ && static_cast<std::size_t>(r) < outcome_->rows.size() ? &outcome_->rows[static_cast<std::size_t>(r)]
                                                                             : nullptr;
        const std::vector<std::string> cells =
            o ? scheduleResultCells(*o, languageBase(), sep) : std::vector<std::string>(8);
        const bool fails = o && !o->passes;
        auto put = [&](int column, int index) {
            auto* item = new QTableWidgetItem(q(cells[static_cast<std::size_t>(index)]));
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            item->setBackground(fails ? kFailBackground : kResultBackground);
            if (fails)
                item->setForeground(kFailText);
            if (index < 5 || index == 6)   // the numbers
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grdschedule->setItem(r, column, item);
        };
        for (std::size_t i = 0; i < std::size(kLeadResults); ++i)
            put(kSearchColumn + 1 + static_cast<int>(i), kLeadResults[i]);
        for (std::size_t i = 0; i < std::size(kTailResults); ++i)
            put(first + static_cast<int>(i), kTailResults[i]);
        if (QTableWidgetItem* name = grdschedule->item(r, kNameColumn))
            name->setBackground(fails ? QBrush(kFailBackground) : QBrush());
    }
    filling_ = false;
    if (outcome_)
        lblsummary->setText(q(scheduleSummaryLine(outcome_->summary, languageBase(),
                                                  std::string(1, decimalSeparator().toLatin1()))));
    else
        lblsummary->clear();
    updateButtons();
}

void frmschedule::cellChanged(QTableWidgetItem* item)
{
    if (filling_ || running())
        return;
    const int r = item->row(), c = item->column();
    if (r < 0 || static_cast<std::size_t>(r) >= grid_.rows.size())
        return;
    ScheduleRow& row = grid_.rows[static_cast<std::size_t>(r)];
    if (c == kNameColumn) {
        row.name = item->text().trimmed().toStdString();
    } else if (c == kSearchColumn) {
        row.search = item->checkState() == Qt::Checked;
    } else {
        if (c < kFirstField)
            return;
        const auto f = static_cast<std::size_t>(c - kFirstField);
        if (f >= grid_.columns.size())
            return;
        row.cells.resize(grid_.columns.size());
        std::string problem;
        row.cells[f] = normalisedCell(grid_.columns[f], item->text().toStdString(), &problem);
        filling_ = true;
        item->setText(q(row.cells[f]));
        item->setForeground(problem.empty() ? QBrush() : QBrush(kFailText));
        filling_ = false;
        // kept as typed, and said at once: the run would refuse the row for it
        lblstatus->setText(problem.empty() ? QString()
                                           : q(row.name) + ", " + q(grid_.columns[f]) + ": " + q(problem));
    }
    edited(false);
}

void frmschedule::edited(bool structure)
{
    // results of another table are never shown beside this one
    if (outcome_) {
        outcome_.reset();
        if (lblstatus->text().isEmpty())   // a cell's problem goes first
            lblstatus->setText(T(1386));
        structure = true;
    }
    if (structure)
        showGrid();
    emit gridEdited();
    updateButtons();
}

std::vector<std::size_t> frmschedule::selectedRows() const
{
    std::vector<std::size_t> rows;
    for (const QModelIndex& i : grdschedule->selectionModel()->selectedIndexes())
        rows.push_back(static_cast<std::size_t>(i.row()));
    if (rows.empty() && grdschedule->currentRow() >= 0)
        rows.push_back(static_cast<std::size_t>(grdschedule->currentRow()));
    return rows;
}

void frmschedule::addRow()
{
    if (running())
        return;
    const int current = grdschedule->currentRow();
    const std::size_t at = insertRow(grid_, current < 0 ? grid_.rows.size() : static_cast<std::size_t>(current) + 1);
    edited(true);
    grdschedule->setCurrentCell(static_cast<int>(at), kNameColumn);
}

void frmschedule::deleteSelectedRows()
{
    if (running())
        return;
    const std::vector<std::size_t> rows = selectedRows();
    if (rows.empty())
        return;
    deleteRows(grid_, rows);
    edited(true);
}

void frmschedule::copySelectedRows()
{
    if (running())
        return;
    const std::vector<std::size_t> rows = selectedRows();
    if (rows.empty())
        return;
    QApplication::clipboard()->setText(q(clipboardText(grid_, rows)));
    const std::size_t at = copyRows(grid_, rows);
    edited(true);
    grdschedule->setCurrentCell(static_cast<int>(at), kNameColumn);
}

void frmschedule::pasteClipboard() { pasteText(QApplication::clipboard()->text()); }

void frmschedule::pasteText(const QString& text)
{
    if (running() || text.isEmpty())
        return;
    const int row = std::max(0, grdschedule->currentRow());
    int column = std::max(0, grdschedule->currentColumn());
    // the search flag and the results take no text: a block put there starts at the first field
    if (column != kNameColumn && (column < kFirstField || column >= kFirstField + static_cast<int>(grid_.columns.size())))
        column = kFirstField;
    const std::size_t gridColumn = column == kNameColumn ? 0 : static_cast<std::size_t>(column - kFirstField + 1);
    const PasteResult r = pasteBlock(grid_, text.toStdString(), static_cast<std::size_t>(row), gridColumn);
    if (!r.problem.empty()) {   // nothing pasted: the reason stays in view
        lblstatus->setText(q(r.problem));
        return;
    }
    lblstatus->clear();
    edited(true);
}

bool frmschedule::addColumnNamed(const QString& field)
{
    if (running())
        return false;
    switch (addColumn(grid_, field.toStdString())) {
    case AddColumn::unknownField:
        lblstatus->setText(T(1381) + " " + field.trimmed());
        return false;
    case AddColumn::alreadyThere:
        return false;
    case AddColumn::added:
        break;
    }
    lblstatus->clear();
    edited(true);
    return true;
}

void frmschedule::rowDoubleClicked(int row)
{
    if (running() || row < 0 || static_cast<std::size_t>(row) >= grid_.rows.size())
        return;
    const auto r = static_cast<std::size_t>(row);
    ColumnInput in;
    // the section the last run chose, else the row as it stands
    if (outcome_ && r < outcome_->rows.size() && outcome_->rows[r].inputOk) {
        in = outcome_->rows[r].input;
    } else {
        ScheduleFailure failure;
        if (!rowInput(base_, grid_, r, profiles_, in, failure)) {
            lblstatus->setText(q(grid_.rows[r].name) + ": " + q(failure.describe()));
            return;
        }
    }
    emit openRowRequested(in, q(grid_.rows[static_cast<std::size_t>(row)].name));
}

// ---------------------------------------------------------------- files

QString frmschedule::chooseFile(bool save, const QString& filter, const QString& suffix)
{
    QFileDialog dlg(this);
    dlg.setObjectName(save ? "schedulesavedialog" : "scheduleopendialog");
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dlg.setNameFilters({filter, QStringLiteral("*.* (*)")});
    dlg.setDefaultSuffix(suffix);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    QString path = dlg.selectedFiles().first();
    if (save && QFileInfo(path).suffix().isEmpty())
        path += "." + suffix;
    return path;
}

void frmschedule::tellFailure(int textId, const QString& path, const std::string& reason)
{
    const QString text = T(textId) + "\n" + QDir::toNativeSeparators(path) + (reason.empty() ? "" : "\n\n" + q(reason));
    lblstatus->setText(text);
    showError(this, text);
}

bool frmschedule::importCsv(const QString& path)
{
    if (running())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        tellFailure(1382, path, file.errorString().toStdString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    Schedule read;
    ScheduleFailure failure;
    if (!readScheduleCsv(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), read, failure)) {
        tellFailure(1382, path, failure.describe());
        return false;
    }
    grid_ = std::move(read);
    outcome_.reset();
    lblstatus->clear();
    edited(true);
    return true;
}

bool frmschedule::exportCsv(const QString& path)
{
    // a decimal comma on screen: semicolons and decimal commas, as spreadsheets of that region read them
    const CsvDialect dialect = decimalSeparator() == QLatin1Char(',') ? CsvDialect::semicolonComma : CsvDialect::commaPoint;
    const std::string text = scheduleCsv(grid_, dialect);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.data(), static_cast<qint64>(text.size())) < 0 ||
        !file.commit()) {
        tellFailure(1383, path, file.errorString().toStdString());
        return false;
    }
    return true;
}

bool frmschedule::exportXlsx(const QString& path)
{
    if (!ensureOutcome())
        return false;
    std::string reason;
    const bool written = writeReplacing(path, reason, [&](const std::string& temp, std::string& why) {
        return writeScheduleXlsx(temp, grid_, *outcome_, languageBase(), why);
    });
    if (!written)
        tellFailure(1383, path, reason);
    return written;
}

bool frmschedule::exportPdf(const QString& path)
{
    if (!ensureOutcome())
        return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::string sep(1, decimalSeparator().toLatin1());
    const ScheduleRowRun run = [sep](const ColumnInput& in, RunState& st) {
        RecordingSink sink;
        RunEnv env;
        env.gammas = SafetyFactors::of(in);
        env.languageBase = languageBase();
        env.sink = &sink;
        env.decimalSeparator = sep;
        RunPresenter presenter;
        return calculate(env, in, st, presenter, isoDateTime);
    };
    const ScheduleReportContent report =
        buildScheduleReport(base_, grid_, *outcome_, languageBase(), QDateTime::currentDateTime(), run);
    std::string reason;
    const bool written = writeReplacing(path, reason, [&](const std::string& temp, std::string&) {
        return writeScheduleReportPdf(report, QString::fromStdString(temp)) > 0;
    });
    QApplication::restoreOverrideCursor();
    if (!written)
        tellFailure(1383, path, reason);
    return written;
}

// ---------------------------------------------------------------- run

bool frmschedule::ensureOutcome()
{
    if (running())
        return false;
    if (!outcome_) {
        runAll();
        while (running())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    return outcome_.has_value();
}

void frmschedule::runAll()
{
    if (running())
        return;
    cancel_ = false;
    const unsigned generation = ++generation_;
    const std::size_t total = grid_.rows.size();
    prgrun->setRange(0, static_cast<int>(std::max<std::size_t>(total, 1)));
    prgrun->setValue(0);
    prgrun->setFormat(T(1387).arg(QStringLiteral("%v"), QStringLiteral("%m")));   // "Running row 12 of 40"
    lblstatus->clear();
    ScheduleOptions control;
    control.searchAll = chksearchall->isChecked();
    control.constraints = grid_.constraints;
    control.threads = 0;   // every core: the window's thread stays free all the same
    control.cancel = &cancel_;
    control.progress = [this, generation](std::size_t done, std::size_t) {
        QMetaObject::invokeMethod(
            this, [this, generation, done] {
                if (generation == generation_)
                    prgrun->setValue(static_cast<int>(done));
            },
            Qt::QueuedConnection);
    };
    worker_ = std::thread([this, generation, control, base = base_, grid = grid_, profiles = profiles_] {
        ScheduleOutcome result = runSchedule(base, grid, profiles, control);
        // the window joins the thread before it goes, so the queued call reaches it
        QMetaObject::invokeMethod(
            this, [this, result = std::move(result), generation]() mutable { finished(std::move(result), generation); },
            Qt::QueuedConnection);
    });
    updateButtons();
}

void frmschedule::cancelRun()
{
    if (!running())
        return;
    cancel_ = true;
    ++generation_;   // whatever the thread still reports is dropped
    worker_.join();
    prgrun->setFormat(QStringLiteral("%p%"));
    prgrun->setRange(0, 1);
    prgrun->setValue(0);
    lblstatus->setText(T(1380));
    updateButtons();
    emit runEnded();
}

void frmschedule::finished(ScheduleOutcome result, unsigned generation)
{
    if (generation != generation_)
        return;
    if (worker_.joinable())
        worker_.join();
    prgrun->setFormat(QStringLiteral("%p%"));
    // a cancelled run's rows are dropped: the table keeps the last complete results
    if (!result.cancelled) {
        outcome_ = std::move(result);
        prgrun->setValue(prgrun->maximum());
    } else {
        lblstatus->setText(T(1380));
    }
    showResults();
    emit runEnded();
}

void frmschedule::updateButtons()
{
    const bool busy = running();
    for (QWidget* w : {static_cast<QWidget*>(btnaddrow), static_cast<QWidget*>(btnpaste),
                       static_cast<QWidget*>(btnaddcolumn), static_cast<QWidget*>(cbocolumn),
                       static_cast<QWidget*>(btnimportcsv), static_cast<QWidget*>(btnrun),
                       static_cast<QWidget*>(chksearchall), static_cast<QWidget*>(btnexportpdf),
                       static_cast<QWidget*>(btnlimits)})
        w->setEnabled(!busy);
    const bool selection = !selectedRows().empty();
    btndeleterows->setEnabled(!busy && selection);
    btncopyrows->setEnabled(!busy && selection);
    btnexportcsv->setEnabled(!busy);
    btnexportxlsx->setEnabled(!busy);
    btncancel->setEnabled(busy);
    grdschedule->setEditTriggers(busy ? QAbstractItemView::NoEditTriggers
                                      : QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed |
                                            QAbstractItemView::AnyKeyPressed);
}

bool frmschedule::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == grdschedule && (e->type() == QEvent::ShortcutOverride || e->type() == QEvent::KeyPress)) {
        auto* key = static_cast<QKeyEvent*>(e);
        const bool paste = key->matches(QKeySequence::Paste), copy = key->matches(QKeySequence::Copy);
        if (paste || copy) {   // a cell being edited has its own editor, which keeps these keys
            e->accept();
            if (e->type() == QEvent::KeyPress) {
                if (paste) {
                    pasteClipboard();
                } else if (const std::vector<std::size_t> rows = selectedRows(); !rows.empty()) {
                    QApplication::clipboard()->setText(q(clipboardText(grid_, rows)));
                }
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, e);
}

void frmschedule::closeEvent(QCloseEvent* e)
{
    cancelRun();
    QDialog::closeEvent(e);
}

} // namespace qeln::ui
