#include "frmprofil.h"

#include "numedit.h"

#include "uitext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QStackedLayout>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <climits>

namespace qeln::ui {

namespace {
// A catalogue number as the numeric fields show one: the regional decimal
// separator and no thousands separator, which would read as a decimal comma.
QString num(double v)
{
    return QString::number(v, 'g', QLocale::FloatingPointShortest).replace('.', decimalSeparator());
}

// The editing panel's own texts (no catalogue numbers): English, French, German.
struct PanelText {
    const char* control;   // object name; a tool button gets the text as its hint
    const char* text[3];
};
const PanelText kPanelTexts[] = {
    {"lblnote",
     {"Do only enter capitals and numbers for profile names ! DID (DisplayID) indicates the display-order",
      "Saisir uniquement des majuscules et des chiffres pour les noms de profilés ! "
      "DID (DisplayID) indique l'ordre d'affichage",
      "Profilnamen nur mit Großbuchstaben und Ziffern eingeben! DID (DisplayID) gibt die Anzeigereihenfolge an"}},
    {"navfirst", {"first record", "premier enregistrement", "erster Datensatz"}},
    {"navprior", {"prior record", "enregistrement précédent", "vorheriger Datensatz"}},
    {"navnext", {"next record", "enregistrement suivant", "nächster Datensatz"}},
    {"navlast", {"last record", "dernier enregistrement", "letzter Datensatz"}},
    {"navinsert", {"insert record", "insérer un enregistrement", "Datensatz einfügen"}},
    {"btndelete", {"Delete", "Supprimer", "Löschen"}},
};
} // namespace

std::unique_ptr<ProfileCatalogue> openProfileCatalogue(const std::string& folder, std::string& error)
{
    const std::string dir = folder.empty() ? std::string() : folder + "/";
    try {
        return std::make_unique<ProfileCatalogue>(
            ProfileCatalogue::open(dir + kProfileTableFile, dir + kProfileIndexFile));
    } catch (const std::exception& e) {
        error = e.what();
        return nullptr;
    }
}

bool findProfile(ProfileCatalogue& catalogue, const std::string& name)
{
    catalogue.filterloeschen();
    const std::optional<int> at = catalogue.currentRecord();
    if (catalogue.Profilsuchen(name, TextSource(), nullptr))
        return true;
    if (at)
        catalogue.goTo(*at);   // the walk ended on the last row
    return false;
}

template <class Edit>
void frmprofil::edit(Edit e)
{
    if (!cat_)
        return;
    try {
        e();
    } catch (const std::exception& error) {
        // the rows stay as they were; the user learns why
        showFailure(this, Failure(FailureCode::writeFailed, 516, cat_->table().path(), error.what()));
    }
}

frmprofil::frmprofil(QWidget* parent) : TDialog("frmprofil", 400, parent)
{
    setWindowTitle("Section");
    auto* stack = new QStackedLayout(body());
    stack->setStackingMode(QStackedLayout::StackOne);

    Panel1 = new QWidget(body());
    Panel1->setObjectName("Panel1");
    Panel1->installEventFilter(this);
    stack->addWidget(Panel1);
    auto* h = new QHBoxLayout(Panel1);

    auto* left = new QVBoxLayout;
    cmbfam = new QComboBox(Panel1);
    cmbfam->setObjectName("cmbfam");
    cmbfam->setEditable(true);
    cmbfam->setInsertPolicy(QComboBox::NoInsert);
    cmbfam->setMaxVisibleItems(10);
    cmbfam->addItems({"*", "IPE", "HE", "HL", "HD", "HP", "W"});
    cmbfam->setEditText("*");
    left->addWidget(cmbfam);
    DBLookupList1 = new QListWidget(Panel1);
    DBLookupList1->setObjectName("DBLookupList1");
    DBLookupList1->setMinimumWidth(170);
    left->addWidget(DBLookupList1, 1);
    h->addLayout(left);

    auto* right = new QVBoxLayout;
    DBText6 = namedLabel("DBText6", "", Panel1);
    QFont tf = DBText6->font();
    tf.setBold(true);
    tf.setPointSize(tf.pointSize() + 3);
    DBText6->setFont(tf);
    DBText6->setAlignment(Qt::AlignCenter);
    right->addWidget(DBText6);
    auto* pic = new SvgView(":/pictures/profile.svg", Panel1);
    pic->setObjectName("Image1");
    pic->setMinimumSize(220, 200);
    right->addWidget(pic, 1);
    auto* g = new QGridLayout;
    auto row = [&](int r, const char* label, const char* text, const char* value, QLabel*& out) {
        auto* l = namedLabel(label, text, Panel1);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        g->addWidget(l, r, 0);
        out = namedLabel(value, "", Panel1);
        out->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        out->setMinimumWidth(60);
        g->addWidget(out, r, 1);
        g->addWidget(new QLabel("mm", Panel1), r, 2);
    };
    row(0, "lblh", "h:", "DBTexth", DBTexth);
    row(1, "lblb", "b:", "DBTextb", DBTextb);
    row(2, "lbls", "t.w:", "DBTexts", DBTexts);
    row(3, "lblt", "t.f:", "DBTextt", DBTextt);
    row(4, "lblr", "r:", "DBTextr", DBTextr);
    g->setColumnStretch(3, 1);
    g->setColumnStretch(0, 1);
    right->addLayout(g);
    DBCheckBox1 = new QCheckBox("Profile available in MOVRIX", Panel1);
    DBCheckBox1->setObjectName("DBCheckBox1");
    DBCheckBox1->setAttribute(Qt::WA_TransparentForMouseEvents);
    DBCheckBox1->setFocusPolicy(Qt::NoFocus);
    right->addWidget(DBCheckBox1);
    h->addLayout(right, 1);

    // the hidden editing panel
    Panel3 = new QWidget(body());
    Panel3->setObjectName("Panel3");
    stack->addWidget(Panel3);
    auto* pv = new QVBoxLayout(Panel3);
    auto* note = new QLabel(Panel3);
    note->setObjectName("lblnote");
    note->setWordWrap(true);
    pv->addWidget(note);
    auto* nav = new QHBoxLayout;
    auto navButton = [&](const char* name, const QString& text) {
        auto* b = new QToolButton(Panel3);
        b->setObjectName(name);
        b->setText(text);
        nav->addWidget(b);
        return b;
    };
    auto* bFirst = navButton("navfirst", "|◀");
    auto* bPrior = navButton("navprior", "◀");
    auto* bNext = navButton("navnext", "▶");
    auto* bLast = navButton("navlast", "▶|");
    auto* bInsert = navButton("navinsert", "+");
    nav->addSpacing(20);
    auto* del = new QPushButton(Panel3);
    del->setObjectName("btndelete");
    nav->addWidget(del);
    nav->addStretch(1);
    auto* ok2 = new QPushButton("OK", Panel3);
    ok2->setObjectName("btnok2");
    nav->addWidget(ok2);
    pv->addLayout(nav);
    DBGrid1 = new QTableWidget(0, 8, Panel3);
    DBGrid1->setObjectName("DBGrid1");
    DBGrid1->setHorizontalHeaderLabels({"PROFIL", "H", "B", "S", "T", "R", "MOVRIX", "DID"});
    DBGrid1->verticalHeader()->setDefaultSectionSize(22);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    pv->addWidget(DBGrid1, 1);
    setPanelTexts();

    auto current = [this] { return cat_ ? currentIndex(cat_->visibleRecords()) : 0; };
    connect(bFirst, &QToolButton::clicked, this, [this] { navigate(0); });
    connect(bPrior, &QToolButton::clicked, this, [this, current] { navigate(current() - 1); });
    connect(bNext, &QToolButton::clicked, this, [this, current] { navigate(current() + 1); });
    connect(bLast, &QToolButton::clicked, this, [this] { navigate(INT_MAX); });
    connect(bInsert, &QToolButton::clicked, this, [this] {
        edit([this] { cat_->appendRow(SteelProfile{}); });
        fillGrid();
    });
    connect(del, &QPushButton::clicked, this, &frmprofil::btndeleteClick);
    connect(ok2, &QPushButton::clicked, this, &frmprofil::btnok2Click);
    connect(DBGrid1, &QTableWidget::cellChanged, this, &frmprofil::gridEdited);
    connect(DBGrid1, &QTableWidget::currentCellChanged, this, [this](int r, int, int, int) {
        if (!updating_)
            goToIndex(r);
    });

    connect(cmbfam, &QComboBox::editTextChanged, this, [this] {
        if (!updating_)
            cmbfamChange();
    });
    connect(DBLookupList1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* it) { DBLookupList1Click(DBLookupList1->row(it)); });
    resize(520, 440);
}

void frmprofil::setCatalogue(ProfileCatalogue* catalogue)
{
    cat_ = catalogue;
    refresh();
}

int frmprofil::currentIndex(const std::vector<int>& visible) const
{
    const std::optional<int> rec = cat_ ? cat_->currentRecord() : std::nullopt;
    const auto it = rec ? std::find(visible.begin(), visible.end(), *rec) : visible.end();
    return it == visible.end() ? -1 : int(it - visible.begin());
}

void frmprofil::goToIndex(int index)
{
    if (!cat_ || index < 0)
        return;
    const std::vector<int> visible = cat_->visibleRecords();
    if (index < int(visible.size()))
        cat_->goTo(visible[static_cast<std::size_t>(index)]);
}


QWidget* frmprofil::firstFocus() const { return cmbfam; }

void frmprofil::cmbfamChange()
{
    if (!cat_)
        return;
    const QString upper = cmbfam->currentText().toUpper();
    if (upper != cmbfam->currentText()) {
        updating_ = true;
        cmbfam->setEditText(upper);
        updating_ = false;
    }
    if (QLineEdit* le = cmbfam->lineEdit()) {
        le->deselect();
        le->setCursorPosition(int(le->text().size()));
    }
    const std::optional<int> before = cat_->currentRecord();
    cat_->applyFamilyText(upper.toStdString());
    // a family of one or two letters keeps the row while it is visible
    if (upper.size() <= 2 && before)
        cat_->goTo(*before);
    refresh();
}

void frmprofil::DBLookupList1Click(int row)
{
    const std::vector<int> visible = cat_ ? cat_->visibleRecords() : std::vector<int>();
    if (row < 0 || row >= int(visible.size()))
        return;
    const int rec = visible[static_cast<std::size_t>(row)];
    cat_->goTo(rec);
    cmbfam->setEditText(QString::fromStdString(cat_->row(rec).profileName));   // runs the filter step
}

void frmprofil::refresh()
{
    if (!cat_)
        return;
    updating_ = true;
    DBLookupList1->clear();
    const std::vector<int> visible = cat_->visibleRecords();
    for (const int rec : visible)
        DBLookupList1->addItem(QString::fromStdString(cat_->row(rec).profileName));
    if (const int i = currentIndex(visible); i >= 0) {
        DBLookupList1->setCurrentRow(i);
        DBLookupList1->scrollToItem(DBLookupList1->currentItem(), QAbstractItemView::PositionAtCenter);
    }
    updating_ = false;
    showCurrent();
    if (editingPanelVisible())
        fillGrid();
}

void frmprofil::showCurrent()
{
    const std::optional<SteelProfile> r = cat_ ? cat_->current() : std::nullopt;
    if (!r) {
        for (QLabel* l : {DBText6, DBTexth, DBTextb, DBTexts, DBTextt, DBTextr})
            l->clear();
        DBCheckBox1->setChecked(false);
        return;
    }
    DBText6->setText(QString::fromStdString(r->profileName));
    DBTexth->setText(num(r->h));
    DBTextb->setText(num(r->b));
    DBTexts->setText(num(r->tw));
    DBTextt->setText(num(r->tf));
    DBTextr->setText(num(r->r));
    DBCheckBox1->setChecked(r->movrix);
}

bool frmprofil::closeCheck(bool withOk)
{
    if (!withOk)
        return true;
    if (editingPanelVisible())
        return false;
    const std::string name = cmbfam->currentText().toStdString();
    const bool found = lookup_ ? lookup_(name) : (cat_ && findProfile(*cat_, name));
    if (!found) {
        cmbfamChange();
        return false;
    }
    return true;
}

bool frmprofil::eventFilter(QObject* o, QEvent* e)
{
    if (o == Panel1 && e->type() == QEvent::MouseButtonPress) {
        const auto* me = static_cast<QMouseEvent*>(e);
        if ((me->modifiers() & Qt::ShiftModifier) && (me->modifiers() & Qt::AltModifier)) {
            showEditingPanel();
            return true;
        }
    }
    return TDialog::eventFilter(o, e);
}

void frmprofil::showEvent(QShowEvent* e)
{
    TDialog::showEvent(e);
    // the caret at the end of the name, nothing selected
    QTimer::singleShot(0, this, [this] {
        if (QLineEdit* le = cmbfam->lineEdit()) {
            le->deselect();
            le->setCursorPosition(int(le->text().size()));
        }
    });
}

void frmprofil::setPanelTexts()
{
    const std::size_t k = languageIndex(currentLanguage());
    for (const PanelText& t : kPanelTexts) {
        QWidget* w = Panel3->findChild<QWidget*>(t.control);
        if (auto* b = qobject_cast<QToolButton*>(w))
            b->setToolTip(QString::fromUtf8(t.text[k]));
        else if (auto* p = qobject_cast<QPushButton*>(w))
            p->setText(QString::fromUtf8(t.text[k]));
        else if (auto* l = qobject_cast<QLabel*>(w))
            l->setText(QString::fromUtf8(t.text[k]));
    }
}

bool frmprofil::editingPanelVisible() const
{
    return static_cast<QStackedLayout*>(body()->layout())->currentWidget() == Panel3;
}

void frmprofil::showEditingPanel()
{
    if (cat_)
        cat_->filterloeschen();
    setPanelTexts();
    static_cast<QStackedLayout*>(body()->layout())->setCurrentWidget(Panel3);
    okButton()->setEnabled(false);
    cancelButton()->setEnabled(false);
    fillGrid();
}

void frmprofil::btnok2Click()
{
    static_cast<QStackedLayout*>(body()->layout())->setCurrentWidget(Panel1);
    okButton()->setEnabled(true);
    cancelButton()->setEnabled(true);
    refresh();
}

void frmprofil::btndeleteClick()
{
    std::optional<Failure> failed;
    edit([this, &failed] { failed = cat_->deleteCurrent(); });
    fillGrid();
    if (failed)
        showFailure(this, *failed);
}

void frmprofil::navigate(int to)
{
    const std::vector<int> visible = cat_ ? cat_->visibleRecords() : std::vector<int>();
    if (visible.empty())
        return;
    cat_->goTo(visible[static_cast<std::size_t>(std::clamp(to, 0, int(visible.size()) - 1))]);
    DBGrid1->setCurrentCell(currentIndex(visible), std::max(DBGrid1->currentColumn(), 0));
}

void frmprofil::fillGrid()
{
    if (!cat_)
        return;
    updating_ = true;
    const std::vector<int> visible = cat_->visibleRecords();
    DBGrid1->setRowCount(int(visible.size()));
    for (int i = 0; i < int(visible.size()); ++i) {
        const SteelProfile& r = cat_->row(visible[static_cast<std::size_t>(i)]);
        const QStringList cells{QString::fromStdString(r.profileName), num(r.h), num(r.b), num(r.tw), num(r.tf),
                                num(r.r), r.movrix ? "T" : "F", num(r.did)};
        for (int c = 0; c < 8; ++c) {
            auto* it = new QTableWidgetItem(cells[c]);
            if (c > 0)
                it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            DBGrid1->setItem(i, c, it);
        }
    }
    if (const int i = currentIndex(visible); i >= 0)
        DBGrid1->setCurrentCell(i, 0);
    updating_ = false;
}

void frmprofil::gridEdited(int row, int column)
{
    const std::vector<int> visible = cat_ ? cat_->visibleRecords() : std::vector<int>();
    if (updating_ || row < 0 || row >= int(visible.size()))
        return;
    const int rec = visible[static_cast<std::size_t>(row)];
    cat_->goTo(rec);
    SteelProfile r = cat_->row(rec);
    const QString t = DBGrid1->item(row, column)->text().trimmed();
    double v = 0;
    if (column != 0 && column != 6) {
        // "," and "." are both the decimal separator; a text that is no number changes nothing
        const std::optional<double> read = parseFieldText(t);
        if (!read) {
            // after the grid has finished with the edited cell: the message, then the stored value again
            QTimer::singleShot(0, this, [this] {
                showMessage(this, T(2223));
                fillGrid();
            });
            return;
        }
        v = *read;
    }
    switch (column) {
    case 0: r.profileName = t.toStdString(); break;
    case 1: r.h = v; break;
    case 2: r.b = v; break;
    case 3: r.tw = v; break;
    case 4: r.tf = v; break;
    case 5: r.r = v; break;
    case 6: r.movrix = t.startsWith('T', Qt::CaseInsensitive) || t.startsWith('Y', Qt::CaseInsensitive); break;
    case 7: r.did = v; break;
    default: break;
    }
    edit([this, rec, &r] { cat_->updateRow(rec, r); });
    if (column != 0 && column != 6) {
        // shown as every number is: the regional separator, no thousands separator
        updating_ = true;
        DBGrid1->item(row, column)->setText(num(v));
        updating_ = false;
    }
}

} // namespace qeln::ui
