#include "searchdialog.h"

#include "searchlimitsdialog.h"
#include "uitext.h"

#include "present/checktext.h"
#include "present/format.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCollator>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QTableWidget>

namespace qeln::ui {

namespace {

constexpr int kListed = 500;   // rows of the table at most
constexpr int kCandidateRole = Qt::UserRole + 1;
constexpr int kSortRole = Qt::UserRole + 2;

// A cell that sorts by its number, not by its text.
class NumberItem : public QTableWidgetItem {
public:
    NumberItem(const QString& text, double key) : QTableWidgetItem(text) { setData(kSortRole, key); }
    bool operator<(const QTableWidgetItem& other) const override
    {
        return data(kSortRole).toDouble() < other.data(kSortRole).toDouble();
    }
};

QString fixed(double v, int decimals)
{
    return QString::fromStdString(formatFixed(v, decimals, QString(decimalSeparator()).toStdString()));
}

QString shortNumber(double v) { return QString::number(v, 'g', 6).replace('.', decimalSeparator()); }

// The profile's name sorts as profiles are named: by family, then by size ("HE 300 A" before "HE 1000 A").
class NameItem : public QTableWidgetItem {
public:
    explicit NameItem(const QString& text) : QTableWidgetItem(text) {}
    bool operator<(const QTableWidgetItem& other) const override
    {
        static QCollator collator = [] {
            QCollator c;
            c.setNumericMode(true);
            return c;
        }();
        return collator.compare(text(), other.text()) < 0;
    }
};

} // namespace

frmsearch::frmsearch(QWidget* parent) : TDialog("frmsearch", kHelpSearch, parent)
{
    setWindowTitle("Find section");
    okButton()->setText("Apply");
    auto* g = new QGridLayout(body());
    int row = 0;

    g->addWidget(namedLabel("lblloads", "Design loads of the project:", body()), row, 0);
    lblloadvalues = namedLabel("lblloadvalues", "", body());
    g->addWidget(lblloadvalues, row++, 1, 1, 3);

    SearchLimitFields fields;
    fields.build(g, row, body());
    chkfamilies = fields.families;
    nedmaxh = fields.maxh;
    nedmaxb = fields.maxb;
    eddiameters = fields.diameters;
    edlayouts = fields.layouts;

    // the target utilisation and the ranking, with the unit prices of a ranking by cost
    auto numberField = [this](const char* name, double lo, double hi, double value, const char* format) {
        auto* f = new TNumEdit(body());
        f->setObjectName(name);
        f->setup(lo, hi, format);
        f->setMessagestring("Value must be between %g and %g !");
        f->setMaximumWidth(100);
        f->setValue(value);
        return f;
    };
    const UnitPrices prices;
    nedtarget = numberField("nedtarget", 0.01, 1, 1, "0.00");
    auto* lt = namedLabel("lbltarget", "Target utilisation", body());
    lt->setBuddy(nedtarget);
    g->addWidget(lt, row, 0);
    g->addWidget(nedtarget, row++, 1);
    cmbrank = new QComboBox(body());
    cmbrank->setObjectName("cmbrank");
    cmbrank->addItems({"Steel mass", "Cost"});
    cmbrank->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* lr = namedLabel("lblrank", "Rank by", body());
    lr->setBuddy(cmbrank);
    g->addWidget(lr, row, 0);
    g->addWidget(cmbrank, row++, 1);
    nedpricesteel = numberField("nedpricesteel", 0, 1e6, prices.steel, "0.00");
    nedpricerebars = numberField("nedpricerebars", 0, 1e6, prices.rebars, "0.00");
    nedpriceconcrete = numberField("nedpriceconcrete", 0, 1e6, prices.concrete, "0.00");
    auto* lp = namedLabel("lblprices", "Unit prices: steel / kg, rebars / kg, concrete / m3", body());
    lp->setBuddy(nedpricesteel);
    auto* pr = new QHBoxLayout;
    pr->addWidget(nedpricesteel);
    pr->addWidget(nedpricerebars);
    pr->addWidget(nedpriceconcrete);
    pr->addStretch(1);
    g->addWidget(lp, row, 0);
    g->addLayout(pr, row++, 1, 1, 3);

    auto* bar = new QHBoxLayout;
    btnsearch = new QPushButton("Search", body());
    btnsearch->setObjectName("btnrunsearch");
    btnsearch->setAutoDefault(false);
    prgsearch = new QProgressBar(body());
    prgsearch->setObjectName("prgsearch");
    prgsearch->setRange(0, 1);
    prgsearch->setValue(0);
    btnstop = new QPushButton("Stop", body());
    btnstop->setObjectName("btnstop");
    btnstop->setAutoDefault(false);
    bar->addWidget(btnsearch);
    bar->addWidget(prgsearch, 1);
    bar->addWidget(btnstop);
    g->addLayout(bar, row++, 0, 1, 4);

    lblstatus = namedLabel("lblstatus", "", body());
    lblstatus->setWordWrap(true);
    g->addWidget(lblstatus, row++, 0, 1, 4);

    grdcandidates = new QTableWidget(0, 9, body());
    grdcandidates->setObjectName("grdcandidates");
    grdcandidates->setHorizontalHeaderLabels({"Profile", "Rebars", "Steel kg/m", "N.Rd kN", "Utilisation",
                                              "N.fi,Rd kN", "Utilisation in fire", "Class achieved", "Cost per m"});
    grdcandidates->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdcandidates->setSelectionMode(QAbstractItemView::SingleSelection);
    grdcandidates->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdcandidates->verticalHeader()->setVisible(false);
    grdcandidates->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grdcandidates->setMinimumHeight(160);
    grdcandidates->verticalHeader()->setDefaultSectionSize(grdcandidates->fontMetrics().height() + 6);
    // a double click applies the candidate, as Apply does
    connect(grdcandidates, &QTableWidget::cellDoubleClicked, this, [this] {
        if (okButton()->isEnabled())
            accept();
    });
    grdcandidates->horizontalHeader()->setStretchLastSection(true);
    addCopyCommands(grdcandidates);
    g->addWidget(grdcandidates, row++, 0, 1, 4);
    g->setRowStretch(row - 1, 1);

    auto* countRow = new QHBoxLayout;
    countRow->addWidget(namedLabel("lblcounttitle", "Candidates passing / evaluated:", body()));
    lblcount = namedLabel("lblcount", "", body());
    countRow->addWidget(lblcount, 1);
    g->addLayout(countRow, row++, 0, 1, 4);
    g->setColumnStretch(3, 1);

    connect(btnsearch, &QPushButton::clicked, this, &frmsearch::startSearch);
    connect(btnstop, &QPushButton::clicked, this, &frmsearch::stopSearch);
    connect(grdcandidates, &QTableWidget::itemSelectionChanged, this, &frmsearch::updateButtons);
    // room for the eight columns; a smaller screen makes it smaller
    resize(900, 600);
    updateButtons();
}

frmsearch::~frmsearch() { stopSearch(); }

void frmsearch::fill(const ColumnInput& in, std::vector<SearchProfile> profiles)
{
    stopSearch();
    base_ = in;
    profiles_ = std::move(profiles);
    outcome_.reset();
    grdcandidates->setRowCount(0);
    lblcount->clear();
    lblstatus->clear();
    prgsearch->setRange(0, 1);
    prgsearch->setValue(0);
    QStringList loads;
    if (in.nEd > 0)
        loads << "N.Ed = " + shortNumber(in.nEd) + " kN";
    if (in.nFiEd > 0)
        loads << "N.fi,Ed = " + shortNumber(in.nFiEd) + " kN";
    if (in.fireClass)
        loads << fireClassLabel(*in.fireClass);
    cmbrank->setItemText(0, T(1786));
    cmbrank->setItemText(1, T(1787));
    QStringList headings;
    for (int id : {1272, 1273, 1274, 1275, 1276, 1277, 1278, 1279, 1789})
        headings << twoLineHeading(T(id), 12);   // two lines: every column in sight in 900 pixels
    grdcandidates->setHorizontalHeaderLabels(headings);
    retitleCopyCommands(grdcandidates);
    giveAccelerators({btnsearch, btnstop, okButton(), cancelButton(), helpButton()});
    lblloadvalues->setText(loads.isEmpty() ? QString::fromUtf8("\xE2\x80\x94") : loads.join(", "));
    updateButtons();
}

std::optional<SearchConstraints> frmsearch::constraints(QString& problem) const
{
    const SearchLimitFields fields{chkfamilies, nedmaxh, nedmaxb, eddiameters, edlayouts};
    const std::optional<SearchConstraints> read = fields.read(problem);
    if (!read)
        return std::nullopt;
    SearchConstraints c = *read;
    c.maxUtilisation = nedtarget->Value();
    c.rank = cmbrank->currentIndex() == 1 ? SearchRank::cost : SearchRank::mass;
    c.prices = UnitPrices{nedpricesteel->Value(), nedpricerebars->Value(), nedpriceconcrete->Value()};
    if (!usableUtilisationTarget(c.maxUtilisation) || !usablePrices(c.prices)) {
        problem = T(186);
        return std::nullopt;
    }
    const SearchProblem p = searchProblem(base_, c);
    if (p != SearchProblem::none) {
        problem = T(searchProblemTextId(p));
        return std::nullopt;
    }
    return c;
}

void frmsearch::startSearch()
{
    if (running())
        return;
    // a number being typed counts as typed
    for (TNumEdit* f : {nedmaxh, nedmaxb, nedtarget, nedpricesteel, nedpricerebars, nedpriceconcrete})
        if (f->isEditing() && !f->leaveField())
            return;
    QString problem;
    const std::optional<SearchConstraints> c = constraints(problem);
    lblstatus->setText(problem);
    if (!c)
        return;
    outcome_.reset();
    grdcandidates->setRowCount(0);
    lblcount->clear();
    cancel_ = false;
    const unsigned generation = ++generation_;
    prgsearch->setRange(0, 1000);
    prgsearch->setValue(0);
    QPointer<frmsearch> self(this);
    worker_ = std::thread([this, self, generation, c = *c, base = base_, profiles = profiles_] {
        SearchControl control;
        control.threads = 0;
        control.cancel = &cancel_;
        control.keep = kListed;
        control.progress = [this, generation](std::size_t done, std::size_t total) {
            const int permille = total == 0 ? 1000 : static_cast<int>(done * 1000 / total);
            QMetaObject::invokeMethod(
                this, [this, generation, permille] {
                    if (generation == generation_)
                        prgsearch->setValue(permille);
                },
                Qt::QueuedConnection);
        };
        SearchOutcome result = searchSections(base, profiles, c, control);
        // the dialog outlives the thread (it joins it before it goes), so
        // the queued call reaches it; a stopped search is dropped there
        QMetaObject::invokeMethod(
            this, [this, result = std::move(result), generation]() mutable { finished(std::move(result), generation); },
            Qt::QueuedConnection);
        (void)self;
    });
    updateButtons();
}

void frmsearch::stopSearch()
{
    if (!running())
        return;
    cancel_ = true;
    ++generation_;   // whatever the thread still reports is dropped
    joinWorker();
    prgsearch->setRange(0, 1);
    prgsearch->setValue(0);
    lblstatus->setText(T(1283));
    updateButtons();
    emit searchFinished();
}

void frmsearch::joinWorker()
{
    if (worker_.joinable())
        worker_.join();
}

void frmsearch::finished(SearchOutcome result, unsigned generation)
{
    if (generation != generation_)
        return;
    joinWorker();
    prgsearch->setValue(1000);
    if (result.cancelled) {
        lblstatus->setText(T(1283));
    } else {
        outcome_ = std::move(result);
        showOutcome();
    }
    updateButtons();
    emit searchFinished();
}

void frmsearch::showOutcome()
{
    const SearchOutcome& o = *outcome_;
    lblcount->setText(QString("%1 / %2").arg(o.passing).arg(o.evaluated));
    if (o.passing == 0)
        lblstatus->setText(T(1282));
    else if (o.passing > static_cast<std::size_t>(kListed))
        lblstatus->setText(T(1285));
    grdcandidates->setSortingEnabled(false);
    const int rows = static_cast<int>(std::min<std::size_t>(o.candidates.size(), kListed));
    grdcandidates->setRowCount(rows);
    auto optional = [](const std::optional<double>& v, int decimals) {
        auto* item = v ? new NumberItem(fixed(*v, decimals), *v) : new NumberItem(QString::fromUtf8("\xE2\x80\x94"), -1);
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return item;
    };
    for (int r = 0; r < rows; ++r) {
        const SearchCandidate& k = o.candidates[static_cast<std::size_t>(r)];
        auto* name = new NameItem(QString::fromStdString(k.profileName));
        name->setData(kCandidateRole, r);
        if (!k.alsoNamed.empty()) {
            // the same dimensions under other names: one candidate, every name at hand
            QStringList others;
            for (const std::string& n : k.alsoNamed)
                others << QString::fromStdString(n);
            name->setText(name->text() + " = " + others.join(" = "));
            name->setToolTip(name->text());
        }
        grdcandidates->setItem(r, 0, name);
        grdcandidates->setItem(r, 1,
                               new NumberItem(QString("%1+%2 x %3").arg(k.n1).arg(k.n2).arg(shortNumber(k.d)),
                                              k.rebarArea));
        auto* mass = new NumberItem(fixed(k.steelMass, 1), k.steelMass);
        mass->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grdcandidates->setItem(r, 2, mass);
        grdcandidates->setItem(r, 3, optional(k.check.nRd, 0));
        grdcandidates->setItem(r, 4, optional(k.check.utilisation, 3));
        grdcandidates->setItem(r, 5, optional(k.check.nFiRd, 0));
        grdcandidates->setItem(r, 6, optional(k.check.fireUtilisation, 3));
        const int cls = k.check.achievedClass ? static_cast<int>(*k.check.achievedClass) : -1;
        const QString clsText = !k.check.achievedApplies ? QString::fromUtf8("\xE2\x80\x94")
                                : k.check.achievedClass ? QString(fireClassLabel(*k.check.achievedClass))
                                                        : T(1214);
        grdcandidates->setItem(r, 7, new NumberItem(clsText, cls));
        auto* cost = new NumberItem(fixed(k.cost, 2), k.cost);
        cost->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grdcandidates->setItem(r, 8, cost);
    }
    grdcandidates->setSortingEnabled(true);
    // the search's order is the lightest first (a stable sort keeps its order among equal masses)
    grdcandidates->sortByColumn(2, Qt::AscendingOrder);
    if (rows > 0)
        grdcandidates->selectRow(0);
}

std::optional<SearchCandidate> frmsearch::chosen() const
{
    if (!outcome_)
        return std::nullopt;
    const auto selected = grdcandidates->selectedItems();
    for (QTableWidgetItem* it : selected) {
        const QTableWidgetItem* name = grdcandidates->item(it->row(), 0);
        if (!name)
            continue;
        const int index = name->data(kCandidateRole).toInt();
        if (index >= 0 && static_cast<std::size_t>(index) < outcome_->candidates.size())
            return outcome_->candidates[static_cast<std::size_t>(index)];
    }
    return std::nullopt;
}

void frmsearch::updateButtons()
{
    const bool busy = running();
    btnsearch->setEnabled(!busy);
    btnstop->setEnabled(busy);
    okButton()->setEnabled(!busy && chosen().has_value());
}

std::map<std::string, std::string> frmsearch::limitsText() const
{
    QStringList families;
    for (QCheckBox* c : chkfamilies)
        if (c->isChecked())
            families << c->text();
    auto number = [](double v) { return QString::number(v, 'g', 10).toStdString(); };
    return {{"families", families.join(", ").toStdString()},
            {"maxh", number(nedmaxh->Value())},
            {"maxb", number(nedmaxb->Value())},
            {"diameters", eddiameters->text().toStdString()},
            {"layouts", edlayouts->text().toStdString()},
            {"target", number(nedtarget->Value())},
            {"rank", searchRankText(cmbrank->currentIndex() == 1 ? SearchRank::cost : SearchRank::mass)},
            {"pricesteel", number(nedpricesteel->Value())},
            {"pricerebars", number(nedpricerebars->Value())},
            {"priceconcrete", number(nedpriceconcrete->Value())}};
}

void frmsearch::setLimitsText(const std::map<std::string, std::string>& keys)
{
    if (const auto f = keys.find("families"); f != keys.end()) {
        const QStringList chosen = QString::fromStdString(f->second).split(',', Qt::SkipEmptyParts);
        QStringList names;
        for (const QString& c : chosen)
            names << c.trimmed();
        bool any = false;
        for (QCheckBox* c : chkfamilies)
            any = any || names.contains(c->text());
        if (any)   // never every family off
            for (QCheckBox* c : chkfamilies)
                c->setChecked(names.contains(c->text()));
    }
    SearchRank rank{};
    if (const auto v = keys.find("rank"); v != keys.end() && parseSearchRank(v->second, rank))
        cmbrank->setCurrentIndex(rank == SearchRank::cost ? 1 : 0);
    for (const auto& [key, field] :
         {std::pair{"maxh", nedmaxh}, std::pair{"maxb", nedmaxb}, std::pair{"target", nedtarget},
          std::pair{"pricesteel", nedpricesteel}, std::pair{"pricerebars", nedpricerebars},
          std::pair{"priceconcrete", nedpriceconcrete}})
        if (const auto v = keys.find(key); v != keys.end())
            if (const std::optional<double> x = parseFieldText(QString::fromStdString(v->second));
                x && *x >= field->Min() && *x <= field->Max())
                field->setValue(*x);
    std::vector<double> d;
    if (const auto v = keys.find("diameters"); v != keys.end() && parseDiameterList(v->second, d))
        eddiameters->setText(QString::fromStdString(v->second));
    std::vector<RebarChoice> l;
    if (const auto v = keys.find("layouts"); v != keys.end() && parseLayoutList(v->second, l))
        edlayouts->setText(QString::fromStdString(v->second));
}

void frmsearch::keyPressEvent(QKeyEvent* e)
{
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    QWidget* f = focusWidget();
    if (enter && (f == nedmaxh || f == nedmaxb || f == eddiameters || f == edlayouts)) {
        e->accept();
        startSearch();
        return;
    }
    TDialog::keyPressEvent(e);
}

bool frmsearch::closeCheck(bool withOk)
{
    if (withOk && (running() || !chosen()))
        return false;
    stopSearch();
    return TDialog::closeCheck(withOk);
}

} // namespace qeln::ui
