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

    connect(bFirst, &QToolButton::clicked, this, [this] { navigate(0); });
    connect(bPrior, &QToolButton::clicked, this, [this] { navigate(table_ ? table_->currentIndex() - 1 : 0); });
    connect(bNext, &QToolButton::clicked, this, [this] { navigate(table_ ? table_->currentIndex() + 1 : 0); });
    connect(bLast, &QToolButton::clicked, this, [this] { navigate(table_ ? table_->visibleCount() - 1 : 0); });
    connect(bInsert, &QToolButton::clicked, this, [this] {
        if (!table_)
            return;
        table_->append(ProfileRow{});
        fillGrid();
    });
    connect(del, &QPushButton::clicked, this, &frmprofil::btndeleteClick);
    connect(ok2, &QPushButton::clicked, this, &frmprofil::btnok2Click);
    connect(DBGrid1, &QTableWidget::cellChanged, this, &frmprofil::gridEdited);
    connect(DBGrid1, &QTableWidget::currentCellChanged, this, [this](int r, int, int, int) {
        if (!updating_ && table_ && r >= 0)
            table_->setCurrentIndex(r);
    });

    connect(cmbfam, &QComboBox::editTextChanged, this, [this] {
        if (!updating_)
            cmbfamChange();
    });
    connect(DBLookupList1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* it) { DBLookupList1Click(DBLookupList1->row(it)); });
    resize(520, 440);
}

void frmprofil::setTable(ProfileTable* table)
{
    table_ = table;
    refresh();
}

QWidget* frmprofil::firstFocus() const { return cmbfam; }

void frmprofil::cmbfamChange()
{
    if (!table_)
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
    const std::string text = upper.toStdString();
    if (text == "*") {
        table_->clearFilter();
    } else {
        table_->setFilter(text);
        if (upper.size() > 2 && table_->visibleCount() > 0) {
            int i = 0;
            while (i < table_->visibleCount() - 1 && table_->visibleRow(i).profil != text)
                ++i;
            table_->setCurrentIndex(i);
        }
    }
    refresh();
}

void frmprofil::DBLookupList1Click(int row)
{
    if (!table_ || row < 0 || row >= table_->visibleCount())
        return;
    table_->setCurrentIndex(row);
    cmbfam->setEditText(QString::fromStdString(table_->visibleRow(row).profil));   // runs the filter step
}

void frmprofil::refresh()
{
    if (!table_)
        return;
    updating_ = true;
    DBLookupList1->clear();
    for (int i = 0; i < table_->visibleCount(); ++i)
        DBLookupList1->addItem(QString::fromStdString(table_->visibleRow(i).profil));
    if (table_->currentIndex() >= 0) {
        DBLookupList1->setCurrentRow(table_->currentIndex());
        DBLookupList1->scrollToItem(DBLookupList1->currentItem(), QAbstractItemView::PositionAtCenter);
    }
    updating_ = false;
    showCurrent();
    if (editingPanelVisible())
        fillGrid();
}

void frmprofil::showCurrent()
{
    const int i = table_ ? table_->currentIndex() : -1;
    if (i < 0) {
        for (QLabel* l : {DBText6, DBTexth, DBTextb, DBTexts, DBTextt, DBTextr})
            l->clear();
        DBCheckBox1->setChecked(false);
        return;
    }
    const ProfileRow r = table_->visibleRow(i);
    DBText6->setText(QString::fromStdString(r.profil));
    DBTexth->setText(num(r.h));
    DBTextb->setText(num(r.b));
    DBTexts->setText(num(r.s));
    DBTextt->setText(num(r.t));
    DBTextr->setText(num(r.r));
    DBCheckBox1->setChecked(r.movrix);
}

bool frmprofil::closeCheck(bool withOk)
{
    if (!withOk)
        return true;
    if (editingPanelVisible())
        return false;
    const std::string name = cmbfam->currentText().toStdString();
    const bool found = lookup_ ? lookup_(name) : (table_ && findProfile(*table_, name));
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
    const int k = languageBase() == 10000 ? 1 : languageBase() == 20000 ? 2 : 0;
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
    if (table_)
        table_->clearFilter();
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
    if (!table_)
        return;
    table_->deleteCurrentAndPack();
    fillGrid();
}

void frmprofil::navigate(int to)
{
    if (!table_ || table_->visibleCount() == 0)
        return;
    table_->setCurrentIndex(std::clamp(to, 0, table_->visibleCount() - 1));
    DBGrid1->setCurrentCell(table_->currentIndex(), std::max(DBGrid1->currentColumn(), 0));
}

void frmprofil::fillGrid()
{
    if (!table_)
        return;
    updating_ = true;
    DBGrid1->setRowCount(table_->visibleCount());
    for (int i = 0; i < table_->visibleCount(); ++i) {
        const ProfileRow r = table_->visibleRow(i);
        const QStringList cells{QString::fromStdString(r.profil), num(r.h), num(r.b), num(r.s), num(r.t), num(r.r),
                                r.movrix ? "T" : "F", num(r.did)};
        for (int c = 0; c < 8; ++c) {
            auto* it = new QTableWidgetItem(cells[c]);
            if (c > 0)
                it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            DBGrid1->setItem(i, c, it);
        }
    }
    if (table_->currentIndex() >= 0)
        DBGrid1->setCurrentCell(table_->currentIndex(), 0);
    updating_ = false;
}

void frmprofil::gridEdited(int row, int column)
{
    if (updating_ || !table_ || row < 0 || row >= table_->visibleCount())
        return;
    table_->setCurrentIndex(row);
    ProfileRow r = table_->visibleRow(row);
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
    case 0: r.profil = t.toStdString(); break;
    case 1: r.h = v; break;
    case 2: r.b = v; break;
    case 3: r.s = v; break;
    case 4: r.t = v; break;
    case 5: r.r = v; break;
    case 6: r.movrix = t.startsWith('T', Qt::CaseInsensitive) || t.startsWith('Y', Qt::CaseInsensitive); break;
    case 7: r.did = v; break;
    default: break;
    }
    table_->updateCurrent(r);
    if (column != 0 && column != 6) {
        // shown as every number is: the regional separator, no thousands separator
        updating_ = true;
        DBGrid1->item(row, column)->setText(num(v));
        updating_ = false;
    }
}

} // namespace qeln::ui
