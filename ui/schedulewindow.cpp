#include "schedulewindow.h"

#include "frmmain.h"
#include "helpwindow.h"
#include "schedulereport.h"
#include "searchlimitsdialog.h"
#include "uitext.h"

#include "shell/accelerators.h"
#include "shell/language.h"
#include "shell/projectfields.h"
#include "shell/run.h"
#include "shell/schedulecolumns.h"
#include "present/messages.h"
#include "present/texts.h"
#include "platform/fileio.h"

#include <QAction>
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
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <set>

namespace qeln::ui {

namespace {

// Name, search flag, result and section (seen without scrolling), the field
// columns, then the other results shown (right-aligned).
constexpr int kNameColumn = 0, kSearchColumn = 1, kFirstField = 4;
constexpr ResultColumn kLeadResults[] = {ResultColumn::verdict, ResultColumn::section};   // columns 2 and 3
constexpr int kHeadingRole = Qt::UserRole + 1;       // a heading's text on one line (the header may break it)
constexpr ResultColumn kTailResults[] = {ResultColumn::nRd,         ResultColumn::utilisation,
                                         ResultColumn::nFiRd,       ResultColumn::fireUtilisation,
                                         ResultColumn::achievedClass, ResultColumn::warnings};
const QColor kFailBackground(0xff, 0xd8, 0xd8), kResultBackground(0xf2, 0xf2, 0xf2), kFailText(0xa0, 0, 0);

QString q(const std::string& s) { return QString::fromStdString(s); }

// Writes a file under a temporary name and puts it in place in one step: a
// failed export leaves the previous file as it was. `write` gets the
// temporary file's name and returns its failure, if any.
template <class Write>
std::optional<Failure> writeReplacing(const QString& path, Write write)
{
    return platform::writeReplacing(path.toStdString(),
                                    [&](platform::PendingReplace& file) { return write(file.tempPath()); });
}

// Paints an empty field cell with the base project's value, grey and slanted.
class BaseValueDelegate : public QStyledItemDelegate {
public:
    BaseValueDelegate(std::function<QString(int column)> baseText, QObject* parent)
        : QStyledItemDelegate(parent), baseText_(std::move(baseText))
    {
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!option->text.isEmpty())
            return;
        const QString base = baseText_(index.column());
        if (base.isEmpty())
            return;
        option->text = base;
        option->features |= QStyleOptionViewItem::HasDisplay;
        option->font.setItalic(true);
        option->palette.setColor(QPalette::Text, QColor(0x90, 0x90, 0x90));
        option->palette.setColor(QPalette::HighlightedText, QColor(0xd0, 0xd0, 0xd0));
    }

private:
    std::function<QString(int)> baseText_;
};

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
    cbocolumn->setInsertPolicy(QComboBox::NoInsert);
    cbocolumn->setMinimumContentsLength(16);
    cbocolumn->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    lbladdcolumn->setBuddy(cbocolumn);
    btnaddcolumn = button("btnaddcolumn", this);
    btnaddcolumn->setText("+");
    btnaddcolumn->setMaximumWidth(btnaddcolumn->fontMetrics().height() * 3);
    for (QWidget* w : {static_cast<QWidget*>(btnaddrow), static_cast<QWidget*>(btndeleterows),
                       static_cast<QWidget*>(btncopyrows), static_cast<QWidget*>(btnpaste)})
        edit->addWidget(w);
    edit->addSpacing(16);
    edit->addWidget(lbladdcolumn);
    edit->addWidget(cbocolumn, 1);
    edit->addWidget(btnaddcolumn);
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
    // widths follow the contents when the table is filled or run, not at every edit
    grdschedule->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grdschedule->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grdschedule->verticalHeader()->setDefaultSectionSize(grdschedule->fontMetrics().height() + 6);
    // an empty cell shows, in grey, the base project's value it takes
    grdschedule->setItemDelegate(new BaseValueDelegate(
        [this](int column) {
            const int f = column - kFirstField;
            if (f < 0 || static_cast<std::size_t>(f) >= grid_.columns.size())
                return QString();
            const ProjectField* field = findProjectField(grid_.columns[static_cast<std::size_t>(f)]);
            return field ? q(projectFieldText(*field, base_, false)) : QString();
        },
        grdschedule));
    grdschedule->setContextMenuPolicy(Qt::ActionsContextMenu);
    v->addWidget(grdschedule, 1);

    // the search's options on a line of their own: a longer limits text moves no button
    auto* search = new QHBoxLayout;
    chksearchall = new QCheckBox(this);
    chksearchall->setObjectName("chksearchall");
    btnlimits = button("btnlimits", this);
    lbllimits = new QLabel(this);
    lbllimits->setObjectName("lbllimits");
    lbllimits->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    search->addWidget(chksearchall);
    search->addWidget(btnlimits);
    search->addWidget(lbllimits, 1);
    v->addLayout(search);

    auto* run = new QHBoxLayout;
    btnrun = button("btnrun", this);
    prgrun = new QProgressBar(this);
    prgrun->setObjectName("prgrun");
    prgrun->setRange(0, 1);
    prgrun->setValue(0);
    btncancel = button("btncancel", this);
    // what the results give: the sections found, a row as the project
    btnopenrow = button("btnopenrow", this);
    btntakesections = button("btntakesections", this);
    run->addWidget(btnrun);
    run->addWidget(prgrun, 1);
    run->addWidget(btncancel);
    run->addSpacing(16);
    run->addWidget(btntakesections);
    run->addWidget(btnopenrow);
    v->addLayout(run);

    lblsummary = new QLabel(this);
    lblsummary->setObjectName("lblsummary");
    QFont bold = lblsummary->font();
    bold.setBold(true);
    lblsummary->setFont(bold);
    // the lines keep their height when empty: nothing below moves when a run ends
    lblsummary->setMinimumHeight(lblsummary->fontMetrics().lineSpacing());
    v->addWidget(lblsummary);
    lblstatus = new QLabel(this);
    lblstatus->setObjectName("lblstatus");
    lblstatus->setWordWrap(true);
    lblstatus->setMinimumHeight(2 * lblstatus->fontMetrics().lineSpacing());
    lblstatus->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette pal = lblstatus->palette();
    pal.setColor(QPalette::WindowText, kFailText);
    lblstatus->setPalette(pal);

    auto* bar = new QHBoxLayout;
    auto* help = button("btnhelp", this);
    help->setText("Help");
    btnclose = button("btnclose", this);
    bar->addWidget(lblstatus, 1);
    bar->addWidget(help, 0, Qt::AlignBottom);
    bar->addWidget(btnclose, 0, Qt::AlignBottom);
    v->addLayout(bar);

    // the table's context menu
    auto menuAction = [this](const char* name, auto slot) {
        auto* a = new QAction(grdschedule);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, slot);
        grdschedule->addAction(a);
        return a;
    };
    actcopy = menuAction("actcopy", [this] { copySelection(); });
    actcopy->setShortcut(QKeySequence::Copy);
    actcopy->setShortcutContext(Qt::WidgetShortcut);
    actcopytable = menuAction("actcopytable", [this] { copyTable(); });
    actpaste = menuAction("actpaste", [this] { pasteClipboard(); });
    actpaste->setShortcut(QKeySequence::Paste);
    actpaste->setShortcutContext(Qt::WidgetShortcut);
    auto* separator = new QAction(grdschedule);
    separator->setSeparator(true);
    grdschedule->addAction(separator);
    actopenrow = menuAction("actopenrow", [this] { openCurrentRow(); });

    connect(btnaddrow, &QPushButton::clicked, this, &frmschedule::addRow);
    connect(btndeleterows, &QPushButton::clicked, this, &frmschedule::deleteSelectedRows);
    connect(btncopyrows, &QPushButton::clicked, this, &frmschedule::copySelectedRows);
    connect(btnpaste, &QPushButton::clicked, this, &frmschedule::pasteClipboard);
    connect(btnopenrow, &QPushButton::clicked, this, &frmschedule::openCurrentRow);
    connect(btntakesections, &QPushButton::clicked, this, &frmschedule::takeFoundSections);
    connect(btnaddcolumn, &QPushButton::clicked, this, [this] {
        // an item of the list gives its field; a typed text may be a field name or a heading
        const int i = cbocolumn->findText(cbocolumn->currentText());
        addColumnNamed(i >= 0 ? cbocolumn->itemData(i).toString() : cbocolumn->currentText());
    });
    connect(cbocolumn->lineEdit(), &QLineEdit::returnPressed, btnaddcolumn, &QPushButton::click);
    connect(btnimportcsv, &QPushButton::clicked, this, [this] {
        const QString p = chooseFile(false, "CSV (*.csv *.txt)", "csv", btnimportcsv->text());
        if (!p.isEmpty())
            importCsv(p);
    });
    connect(btnexportcsv, &QPushButton::clicked, this, [this] {
        const QString p = chooseFile(true, "CSV (*.csv)", "csv", btnexportcsv->text(), suggestedName("csv"));
        if (!p.isEmpty())
            exportCsv(p);
    });
    connect(btnexportxlsx, &QPushButton::clicked, this, [this] {
        const QString p = chooseFile(true, "XLSX (*.xlsx)", "xlsx", btnexportxlsx->text(), suggestedName("xlsx"));
        if (!p.isEmpty())
            exportXlsx(p);
    });
    connect(btnexportpdf, &QPushButton::clicked, this, [this] {
        const QString p = chooseFile(true, "PDF (*.pdf)", "pdf", btnexportpdf->text(), suggestedName("pdf"));
        if (!p.isEmpty())
            exportPdf(p);
    });
    connect(btnlimits, &QPushButton::clicked, this, &frmschedule::editLimits);
    connect(btnrun, &QPushButton::clicked, this, &frmschedule::runAll);
    connect(btncancel, &QPushButton::clicked, this, &frmschedule::cancelRun);
    connect(btnclose, &QPushButton::clicked, this, &QDialog::close);
    auto showPage = [] { HelpWindow::instance()->showContext(kHelpSchedule, currentLanguage()); };
    connect(help, &QPushButton::clicked, this, showPage);
    auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
    connect(f1, &QShortcut::activated, this, showPage);
    // Ctrl+V and Ctrl+C reach the table before the window's shortcuts; a cell being edited keeps them
    grdschedule->installEventFilter(this);
    connect(grdschedule, &QTableWidget::itemChanged, this, &frmschedule::cellChanged);
    connect(grdschedule, &QTableWidget::itemSelectionChanged, this, &frmschedule::updateButtons);
    connect(grdschedule, &QTableWidget::currentCellChanged, this, &frmschedule::updateButtons);

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
    btnopenrow->setText(T(1470));
    btntakesections->setText(T(1478));
    btnrun->setText(T(1371));
    chksearchall->setText(T(1372));
    btnlimits->setText(T(1322));
    btncancel->setText(T(62));
    btnclose->setText(T(1389));
    if (auto* help = findChild<QPushButton*>("btnhelp"))
        help->setText(T(60));
    actcopy->setText(T(1318));
    actcopytable->setText(T(1476));
    actpaste->setText(T(1365));
    actopenrow->setText(T(1470));
    setAccelerators();
    // the fields in words; the field name in brackets, as the CSV files have it
    const QString typed = cbocolumn->currentText();
    cbocolumn->clear();
    for (const std::string& f : scheduleFieldNames())
        cbocolumn->addItem(q(scheduleFieldHeading(f, currentLanguage())) + " (" + q(f) + ")", q(f));
    cbocolumn->setCurrentIndex(-1);
    cbocolumn->setEditText(typed);
    showGrid();
    showLimits();
}

void frmschedule::setAccelerators()
{
    std::vector<QAbstractButton*> buttons{btnaddrow,     btndeleterows, btncopyrows,  btnpaste,   btnimportcsv,
                                          btnexportcsv,  btnexportxlsx, btnexportpdf, btntakesections, btnopenrow,
                                          chksearchall,  btnlimits,     btnrun,       btncancel,  btnclose};
    if (auto* help = findChild<QPushButton*>("btnhelp"))
        buttons.push_back(help);
    std::vector<std::string> texts;
    for (QAbstractButton* b : buttons)
        texts.push_back(b->text().toStdString());
    // the label's letter first, for the field list it names
    texts.insert(texts.begin(), lbladdcolumn->text().toStdString());
    const std::vector<std::string> keyed = withAccelerators(texts, "");
    lbladdcolumn->setText(q(keyed[0]));
    for (std::size_t i = 0; i < buttons.size(); ++i)
        buttons[i]->setText(q(keyed[i + 1]));
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
    const int columnsBefore = grdschedule->columnCount(), rowsBefore = grdschedule->rowCount();
    auto result = [this](ResultColumn c) {
        return q(LoadText(scheduleResultColumn(c).heading, currentLanguage(), nullptr));
    };
    grdschedule->clear();
    grdschedule->setColumnCount(kFirstField + fields + static_cast<int>(std::size(kTailResults)));
    grdschedule->setRowCount(static_cast<int>(grid_.rows.size()));
    auto heading = [this](int column, const QString& text, const QString& field) {
        auto* h = new QTableWidgetItem(twoLineHeading(text));
        h->setData(kHeadingRole, text);
        // the name in the CSV files, and in the JSON input of the command line
        if (!field.isEmpty())
            h->setToolTip(text + "\n" + QStringLiteral("CSV: ") + field);
        grdschedule->setHorizontalHeaderItem(column, h);
    };
    heading(kNameColumn, T(1373), "name");
    heading(kSearchColumn, T(1374), "search");
    for (std::size_t i = 0; i < std::size(kLeadResults); ++i)
        heading(kSearchColumn + 1 + static_cast<int>(i), result(kLeadResults[i]), {});
    for (int c = 0; c < fields; ++c) {
        const std::string& f = grid_.columns[static_cast<std::size_t>(c)];
        heading(kFirstField + c, q(scheduleFieldHeading(f, currentLanguage())), q(f));
    }
    for (std::size_t i = 0; i < std::size(kTailResults); ++i)
        heading(kFirstField + fields + static_cast<int>(i), result(kTailResults[i]), {});
    QStringList names;
    for (int r = 0; r < grdschedule->rowCount(); ++r) {
        const ScheduleRow& row = grid_.rows[static_cast<std::size_t>(r)];
        names << q(row.name);
        grdschedule->setItem(r, kNameColumn, new QTableWidgetItem(q(row.name)));
        auto* search = new QTableWidgetItem;
        search->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        search->setCheckState(row.search ? Qt::Checked : Qt::Unchecked);
        grdschedule->setItem(r, kSearchColumn, search);
        for (int c = 0; c < fields; ++c) {
            const auto k = static_cast<std::size_t>(c);
            auto* item = new QTableWidgetItem(k < row.cells.size() ? q(row.cells[k]) : "");
            const QString problem = cellProblem(k, item->text());
            if (!problem.isEmpty()) {
                item->setForeground(kFailText);
                item->setToolTip(problem);
            }
            grdschedule->setItem(r, kFirstField + c, item);
        }
    }
    // the row names stay in sight beside the row when the table scrolls sideways
    grdschedule->setVerticalHeaderLabels(names);
    filling_ = false;
    showResults();
    if (grdschedule->columnCount() != columnsBefore || (rowsBefore == 0 && grdschedule->rowCount() > 0))
        grdschedule->resizeColumnsToContents();
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
        const bool fails = o && !o->passes;
        auto put = [&](int column, ResultColumn c, bool right) {
            auto* item = new QTableWidgetItem(
                o ? q(resultCellText(scheduleResultColumn(c), *o, ResultReader::shown, currentLanguage(), sep)) : QString());
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            item->setBackground(fails ? kFailBackground : kResultBackground);
            if (fails)
                item->setForeground(kFailText);
            if (right)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            // the whole reason, in English as the files have it
            if (c == ResultColumn::verdict && o && !o->passes && !o->inputOk)
                item->setToolTip(q(o->failure.describe()));
            grdschedule->setItem(r, column, item);
        };
        for (std::size_t i = 0; i < std::size(kLeadResults); ++i)
            put(kSearchColumn + 1 + static_cast<int>(i), kLeadResults[i], false);
        for (std::size_t i = 0; i < std::size(kTailResults); ++i)
            put(first + static_cast<int>(i), kTailResults[i], true);
        if (QTableWidgetItem* name = grdschedule->item(r, kNameColumn))
            name->setBackground(fails ? QBrush(kFailBackground) : QBrush());
    }
    filling_ = false;
    if (outcome_) {
        lblsummary->setText(q(scheduleSummaryLine(outcome_->summary, currentLanguage(),
                                                  std::string(1, decimalSeparator().toLatin1()))));
        for (int c = kSearchColumn + 1; c < grdschedule->columnCount(); ++c)
            if (c < kFirstField || c >= first)
                grdschedule->resizeColumnToContents(c);
    } else {
        lblsummary->clear();
    }
    updateButtons();
}

QString frmschedule::cellProblem(std::size_t field, const QString& text) const
{
    if (field >= grid_.columns.size())
        return {};
    const std::string& f = grid_.columns[field];
    std::string problem;
    normalisedCell(f, text.toStdString(), &problem);
    if (problem.empty())
        return {};
    const QString heading = q(scheduleFieldHeading(f, currentLanguage()));
    const ProjectField* pf = findProjectField(f);
    const bool numeric = pf && (std::holds_alternative<double ColumnInput::*>(pf->member) ||
                                std::holds_alternative<int ColumnInput::*>(pf->member));
    if (const auto range = scheduleFieldRange(f); range && numeric && parseFieldText(text).has_value())
        return heading + ": " + formatRangeMessage(T(186), range->min, range->max, decimalSeparator());
    if (numeric)
        return heading + ": " + T(2223) + " (" + text.trimmed() + ")";
    return heading + ": " + q(problem);
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
        if (QTableWidgetItem* v = grdschedule->verticalHeaderItem(r))
            v->setText(q(row.name));
    } else if (c == kSearchColumn) {
        row.search = item->checkState() == Qt::Checked;
    } else {
        if (c < kFirstField)
            return;
        const auto f = static_cast<std::size_t>(c - kFirstField);
        if (f >= grid_.columns.size())
            return;
        row.cells.resize(grid_.columns.size());
        const QString problem = cellProblem(f, item->text());
        row.cells[f] = normalisedCell(grid_.columns[f], item->text().toStdString());
        filling_ = true;
        item->setText(q(row.cells[f]));
        item->setForeground(problem.isEmpty() ? QBrush() : QBrush(kFailText));
        item->setToolTip(problem);
        filling_ = false;
        // kept as typed, and said at once, in words: the run would refuse the row, or the dialogs the value
        showStatus(problem.isEmpty() ? QString() : q(row.name) + ", " + problem);
    }
    edited(false);
}

void frmschedule::edited(bool structure)
{
    // results of another table are never shown beside this one
    if (outcome_) {
        outcome_.reset();
        if (lblstatus->text().isEmpty())   // a cell's problem goes first
            showStatus(T(1386), false);
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
    const std::size_t at = copyRows(grid_, rows);
    edited(true);
    grdschedule->setCurrentCell(static_cast<int>(at), kNameColumn);
}

QString frmschedule::cellsText(const std::vector<int>& rows, const std::vector<int>& columns) const
{
    std::vector<std::vector<std::string>> lines;
    std::vector<std::string> head;
    for (int c : columns) {
        const QTableWidgetItem* h = grdschedule->horizontalHeaderItem(c);
        head.push_back(h ? h->data(kHeadingRole).toString().toStdString() : std::string());
    }
    lines.push_back(std::move(head));
    for (int r : rows) {
        std::vector<std::string> line;
        for (int c : columns) {
            const QTableWidgetItem* it = grdschedule->item(r, c);
            if (c == kSearchColumn)
                line.push_back(it && it->checkState() == Qt::Checked ? "1" : "");
            else
                line.push_back(it ? it->text().toStdString() : std::string());
        }
        lines.push_back(std::move(line));
    }
    return q(tabSeparatedText(lines));
}

QString frmschedule::selectionText() const
{
    std::set<int> rows, columns;
    for (const QModelIndex& i : grdschedule->selectionModel()->selectedIndexes()) {
        rows.insert(i.row());
        columns.insert(i.column());
    }
    if (rows.empty() && grdschedule->currentIndex().isValid()) {
        rows.insert(grdschedule->currentRow());
        columns.insert(grdschedule->currentColumn());
    }
    if (rows.empty())
        return {};
    return cellsText({rows.begin(), rows.end()}, {columns.begin(), columns.end()});
}

QString frmschedule::tableText() const
{
    std::vector<int> rows, columns;
    for (int r = 0; r < grdschedule->rowCount(); ++r)
        rows.push_back(r);
    for (int c = 0; c < grdschedule->columnCount(); ++c)
        columns.push_back(c);
    return cellsText(rows, columns);
}

void frmschedule::copySelection()
{
    if (const QString t = selectionText(); !t.isEmpty())
        QApplication::clipboard()->setText(t);
}

void frmschedule::copyTable() { QApplication::clipboard()->setText(tableText()); }

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
    // a field name, or a heading typed in words
    std::string name = field.trimmed().toStdString();
    if (!isScheduleField(name))
        if (const std::string f = fieldOfHeading(name); !f.empty())
            name = f;
    switch (addColumn(grid_, name)) {
    case AddColumn::unknownField:
        showStatus(T(1381) + " " + field.trimmed());
        return false;
    case AddColumn::alreadyThere:
        return false;
    case AddColumn::added:
        break;
    }
    lblstatus->clear();
    cbocolumn->setCurrentIndex(-1);
    cbocolumn->clearEditText();
    edited(true);
    return true;
}

void frmschedule::openCurrentRow()
{
    const int row = grdschedule->currentRow();
    if (running() || row < 0 || static_cast<std::size_t>(row) >= grid_.rows.size())
        return;
    const auto r = static_cast<std::size_t>(row);
    ColumnInput in;
    // the section the last run chose, else the row as it stands
    if (outcome_ && r < outcome_->rows.size() && outcome_->rows[r].inputOk) {
        in = outcome_->rows[r].input;
    } else {
        Failure failure;
        if (!rowInput(base_, grid_, r, profiles_, in, failure)) {
            showStatus(q(grid_.rows[r].name) + ": " + q(failure.describe()));
            return;
        }
    }
    emit openRowRequested(in, q(grid_.rows[r].name));
}

void frmschedule::takeFoundSections()
{
    if (running() || !outcome_)
        return;
    const int row = grdschedule->currentRow(), column = grdschedule->currentColumn();
    grid_ = withChosenSections(grid_, *outcome_);
    edited(true);
    if (row >= 0)
        grdschedule->setCurrentCell(row, std::max(column, 0));
}

// ---------------------------------------------------------------- files

QString frmschedule::suggestedName(const QString& suffix) const
{
    const QFileInfo project(projectFile_);
    const QString stem = projectFile_.isEmpty() ? T(1385) : project.completeBaseName();
    const QString folder = projectFile_.isEmpty() ? QDir::currentPath() : project.absolutePath();
    return QDir(folder).filePath(stem + "." + suffix);
}

QString frmschedule::chooseFile(bool save, const QString& filter, const QString& suffix, const QString& title,
                                const QString& suggested)
{
    QFileDialog dlg(this);
    dlg.setObjectName(save ? "schedulesavedialog" : "scheduleopendialog");
    // the command's own words, without its accelerator and dots
    QString caption = title;
    caption.remove(QRegularExpression("&(?!&)"));
    if (caption.endsWith("..."))
        caption.chop(3);
    dlg.setWindowTitle(caption);
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dlg.setNameFilters({filter, QStringLiteral("*.* (*)")});
    dlg.setDefaultSuffix(suffix);
    if (!suggested.isEmpty())
        dlg.selectFile(suggested);
    // wide enough for the size and date columns
    dlg.resize(std::max(dlg.width(), 760), std::max(dlg.height(), 480));
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
    showStatus(text);
    showError(this, text);
}

void frmschedule::tellWritten(const QString& path)
{
    showStatus(T(1479).arg(QDir::toNativeSeparators(path)), false);
}

void frmschedule::showStatus(const QString& text, bool problem)
{
    QPalette pal = lblstatus->palette();
    pal.setColor(QPalette::WindowText, problem ? kFailText : palette().color(QPalette::WindowText));
    lblstatus->setPalette(pal);
    lblstatus->setText(text);
}

bool frmschedule::importCsv(const QString& path)
{
    if (running())
        return false;
    // the rows of the table go: asked first
    if (!grid_.rows.empty()) {
        QMessageBox box(QMessageBox::Question, appTitle(), T(1480).arg(grid_.rows.size()),
                        QMessageBox::Ok | QMessageBox::Cancel, this);
        box.setObjectName("question");
        if (box.exec() != QMessageBox::Ok)
            return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        tellFailure(1382, path, file.errorString().toStdString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    Schedule read;
    Failure failure;
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
    tellWritten(path);
    return true;
}

bool frmschedule::exportXlsx(const QString& path)
{
    if (!ensureOutcome())
        return false;
    const auto failed = writeReplacing(
        path, [&](const std::string& temp) { return writeScheduleXlsx(temp, grid_, *outcome_, currentLanguage()); });
    if (failed)
        tellFailure(1383, path, failed->detail);
    else
        tellWritten(path);
    return !failed;
}

bool frmschedule::exportPdf(const QString& path)
{
    if (!ensureOutcome())
        return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::string sep(1, decimalSeparator().toLatin1());
    const ScheduleRowRun run = [sep](const ColumnInput& in, RunState& st) {
        RecordingSink sink;
        TextEnv env;
        env.language = currentLanguage();
        env.sink = &sink;
        env.decimalSeparator = sep;
        RunPresenter presenter;
        // the rows' dates as the project's listing writes them, in the program's language
        return calculate(env, in, st, presenter,
                         [](double v) { return dateTimeText(v, languageLocale(currentLanguage())).toStdString(); });
    };
    const ScheduleReportContent report =
        buildScheduleReport(base_, grid_, *outcome_, currentLanguage(), QDateTime::currentDateTime(), run);
    const auto failed = writeReplacing(path, [&](const std::string& temp) -> std::optional<Failure> {
        if (writeScheduleReportPdf(report, QString::fromStdString(temp)) > 0)
            return std::nullopt;
        return Failure();   // the renderer gives no reason
    });
    QApplication::restoreOverrideCursor();
    if (failed)
        tellFailure(1383, path, failed->detail);
    else
        tellWritten(path);
    return !failed;
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
    showStatus(T(1380), false);
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
        showStatus(T(1380), false);
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
    btnopenrow->setEnabled(!busy && grdschedule->currentRow() >= 0);
    actopenrow->setEnabled(btnopenrow->isEnabled());
    actpaste->setEnabled(!busy);
    btntakesections->setEnabled(!busy && outcome_ &&
                                std::any_of(outcome_->rows.begin(), outcome_->rows.end(),
                                            [](const ScheduleRowResult& r) { return r.searchFound; }));
    btnexportcsv->setEnabled(!busy);
    btnexportxlsx->setEnabled(!busy);
    btncancel->setEnabled(busy);
    // a double click edits a cell, as in a spreadsheet
    grdschedule->setEditTriggers(busy ? QAbstractItemView::NoEditTriggers
                                      : QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                                            QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
}

bool frmschedule::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == grdschedule && (e->type() == QEvent::ShortcutOverride || e->type() == QEvent::KeyPress)) {
        auto* key = static_cast<QKeyEvent*>(e);
        const bool paste = key->matches(QKeySequence::Paste), copy = key->matches(QKeySequence::Copy);
        if (paste || copy) {   // a cell being edited has its own editor, which keeps these keys
            e->accept();
            if (e->type() == QEvent::KeyPress) {
                if (paste)
                    pasteClipboard();
                else
                    copySelection();
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
