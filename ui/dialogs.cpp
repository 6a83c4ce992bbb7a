#include "dialogs.h"

#include "calc/method.h"
#include "calc/section.h"
#include "present/codename.h"
#include "shell/language.h"
#include "shell/projectfields.h"
#include "shell/radio.h"
#include "uitext.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <array>
#include <cmath>

namespace qeln::ui {

namespace {
TNumEdit* numField(const QString& name, double min, double max, const QString& mask, QWidget* parent)
{
    auto* f = new TNumEdit(parent);
    f->setObjectName(name);
    f->setup(min, max, mask);
    f->setMessagestring("Value must be between %g and %g !");
    f->setMaximumWidth(120);
    return f;
}

// A unit after its field, kept apart from the field's frame.
QLabel* unit(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setContentsMargins(6, 0, 0, 0);
    return l;
}

// A radio item click: a named item disables the field and shows its value,
// the free-value item enables the field and keeps its value.
void wireChoice(TRadioGroup* g, TNumEdit* f, const std::vector<double>& values)
{
    QObject::connect(g, &TRadioGroup::itemClicked, f, [g, f, values](int index) {
        (void)g;
        if (index >= 0 && static_cast<std::size_t>(index) < values.size()) {
            f->setValue(values[static_cast<std::size_t>(index)]);
            f->setEnabled(false);
        } else {
            f->setEnabled(true);
        }
    });
}

QWidget* checkedOrFirst(TRadioGroup* g)
{
    const int i = g->itemIndex();
    QAbstractButton* b = g->itemButton(i >= 0 ? i : 0);
    return b ? static_cast<QWidget*>(b) : g;
}

int indexFromCount(double v) { return int(roundHalfEven(v)); }

// A value of the project in a field without the range message: a value from
// a file may lie outside the field's range (the input checks report it).
void showStored(TNumEdit* f, double v)
{
    if (!std::isfinite(v))
        v = f->Min() > 0 ? f->Min() : 0;
    f->setValidate(false);
    f->setValue(v);
    f->setValidate(true);
}

// A field that only the EN method reads, and its label: enabled for EN projects.
void enableForEn(TNumEdit* f, QLabel* label, DesignCode code)
{
    const bool en = code == DesignCode::EN1994;
    f->setEnabled(en);
    label->setEnabled(en);
}

// The example value of a partial factor: "1.1", "1.0", "1.15".
QString exampleText(double v)
{
    QString s = QString::number(v, 'f', 2);
    if (s.endsWith('0'))
        s.chop(1);
    return s;
}
} // namespace

// ---------------------------------------------------------------- project data

frmprojet::frmprojet(QWidget* parent) : TDialog("frmprojet", 300, parent)
{
    setWindowTitle("Project");
    auto* g = new QGridLayout(body());
    auto addRow = [&](int row, const char* label, const char* text, const char* edit, QLineEdit*& e) {
        g->addWidget(namedLabel(label, text, body()), row, 0);
        e = new QLineEdit(body());
        e->setObjectName(edit);
        g->addWidget(e, row, 1, 1, 3);
    };
    addRow(0, "lblprojcode", "Project-Number:", "edtprojcode", edtprojcode);
    addRow(1, "lblprojname", "Project-Name:", "edtprojname", edtprojname);
    addRow(2, "lblposn", "Position-Number:", "edtposnr", edtposnr);
    addRow(3, "lblposname", "Position-Name:", "edtposname", edtposname);
    auto* lb = namedLabel("lblbuero", "Name of the enterprise issuing the calculation", body());
    lb->setWordWrap(true);
    g->addWidget(lb, 4, 0, 1, 4);
    edtbuero = new QLineEdit(body());
    edtbuero->setObjectName("edtbuero");
    g->addWidget(edtbuero, 5, 0, 1, 4);
    addRow(6, "lblautor", "User:", "edtautor", edtautor);
    addRow(7, "lblkomm", "Comment:", "edtkomm", edtkomm);
    g->addWidget(namedLabel("lblcreatedon", "created:", body()), 8, 0);
    lblcreatedate = namedLabel("lblcreatedate", "", body());
    g->addWidget(lblcreatedate, 8, 1, 1, 3);
    g->addWidget(namedLabel("lbllastupdatedon", "modified last:", body()), 9, 0);
    lbllastupdatedate = namedLabel("lbllastupdatedate", "", body());
    g->addWidget(lbllastupdatedate, 9, 1, 1, 3);
    addRow(10, "lblchecker", "Checked by:", "edtchecker", edtchecker);
    addRow(11, "lblcheckdate", "Check date:", "edtcheckdate", edtcheckdate);
    addRow(12, "lblrevision", "Revision:", "edtrevision", edtrevision);
    edtchecker->setMaxLength(kLongTextMax);
    edtcheckdate->setMaxLength(kShortTextMax);
    edtrevision->setMaxLength(kShortTextMax);
    g->setColumnStretch(1, 1);
    setMinimumWidth(560);
}

void frmprojet::fill(const ColumnInput& in, const DateText& dateText)
{
    edtprojcode->setText(QString::fromStdString(in.projectCode));
    edtprojname->setText(QString::fromStdString(in.projectName));
    edtposnr->setText(QString::fromStdString(in.positionNumber));
    edtposname->setText(QString::fromStdString(in.positionName));
    edtbuero->setText(QString::fromStdString(in.office));
    edtautor->setText(QString::fromStdString(in.author));
    edtkomm->setText(QString::fromStdString(in.comment));
    lbllastupdatedate->setText(dateText ? dateText(in.lastUpdated) : QString());
    lblcreatedate->setText(dateText ? dateText(in.createdOn) : QString());
    edtchecker->setText(QString::fromStdString(in.checker));
    edtcheckdate->setText(QString::fromStdString(in.checkDate));
    edtcheckdate->setPlaceholderText(T(kCheckDateHint));
    edtrevision->setText(QString::fromStdString(in.revision));
}

bool frmprojet::closeCheck(bool withOk)
{
    const std::string date = edtcheckdate->text().trimmed().toStdString();
    if (withOk && !projectTextProblem(*findProjectField("checkDate"), date).empty()) {
        showMessage(this, T(kCheckDateMessage));
        edtcheckdate->setFocus();
        edtcheckdate->selectAll();
        return false;
    }
    return true;
}

void frmprojet::copyTo(ColumnInput& in) const
{
    in.projectCode = cutTo(edtprojcode->text(), kShortTextMax);
    in.projectName = cutTo(edtprojname->text(), kLongTextMax);
    in.positionNumber = cutTo(edtposnr->text(), kShortTextMax);
    in.positionName = cutTo(edtposname->text(), kLongTextMax);
    in.office = cutTo(edtbuero->text(), kLongTextMax);
    in.author = cutTo(edtautor->text(), kLongTextMax);
    in.comment = edtkomm->text().toStdString();
    // as the project file keeps them: without blanks around
    in.checker = cutTo(edtchecker->text().trimmed(), kLongTextMax);
    // a date that is none never reaches the project (OK refuses it)
    const std::string date = edtcheckdate->text().trimmed().toStdString();
    if (projectTextProblem(*findProjectField("checkDate"), date).empty())
        in.checkDate = date;
    in.revision = cutTo(edtrevision->text().trimmed(), kShortTextMax);
}

// ---------------------------------------------------------------- rebars

const std::vector<double>& frmarmat::diameters()
{
    static const std::vector<double> v{12, 14, 16, 20, 25, 28};
    return v;
}

frmarmat::frmarmat(QWidget* parent) : TDialog("frmarmat", 500, parent)
{
    setWindowTitle("Rebars");
    auto* h = new QHBoxLayout(body());
    auto* left = new QVBoxLayout;
    h->addLayout(left, 1);

    rdgd = new TRadioGroup("rdgd", 4, body());
    rdgd->setTitle("diameter of rebars");
    rdgd->setItems({"12", "14", "16", "20", "25", "28", "..."});
    nedd = numField("nedd", 1, 100, "#,#0.0", rdgd);
    nedd->setUnit("mm");
    auto* dRow = new QHBoxLayout;
    dRow->addStretch(1);
    dRow->addWidget(nedd);
    dRow->addWidget(unit("mm", rdgd));
    static_cast<QGridLayout*>(rdgd->layout())->addLayout(dRow, 2, 0, 1, 4);
    left->addWidget(rdgd);
    wireChoice(rdgd, nedd, diameters());

    rdganu = new TRadioGroup("rdganu", 4, body());
    rdganu->setTitle("number n1 of rebars in first layer");
    rdganu->setItems({"4", "8", "12", "16"});
    left->addWidget(rdganu);
    rdgvarand = new TRadioGroup("rdgvarand", 2, body());
    rdgvarand->setTitle("number n2 of rebars in second layer");
    rdgvarand->setItems({"0", "4"});
    left->addWidget(rdgvarand);

    auto* g = new QGridLayout;
    neduc1 = numField("neduc1", 40, 200, "#,#0.0", body());
    neduf1 = numField("neduf1", 40, 200, "#,#0.0", body());
    auto* luc1 = namedLabel("lbluc1", "UC1", body());
    auto* luf1 = namedLabel("lbluf1", "UF1", body());
    luc1->setBuddy(neduc1);
    luf1->setBuddy(neduf1);
    neduc1->setUnit("mm");
    neduf1->setUnit("mm");
    g->addWidget(luc1, 0, 0);
    g->addWidget(neduc1, 0, 1);
    g->addWidget(unit("mm", body()), 0, 2);
    g->addWidget(luf1, 1, 0);
    g->addWidget(neduf1, 1, 1);
    g->addWidget(unit("mm", body()), 1, 2);
    g->setColumnStretch(3, 1);
    left->addLayout(g);
    left->addStretch(1);

    auto* pic = new SvgView(":/pictures/rebars.svg", body());
    pic->setObjectName("Image1");
    pic->setMinimumSize(260, 260);
    h->addWidget(pic, 1);
}

QWidget* frmarmat::firstFocus() const { return checkedOrFirst(rdgd); }

void frmarmat::fill(const ColumnInput& in)
{
    SetRadioChoices(*rdgd, *nedd, in.d, diameters(), 0.05);
    rdganu->setItemIndex(indexFromCount(in.n1 * 0.25 - 1));
    rdgvarand->setItemIndex(indexFromCount(in.n2 * 0.25));
    neduc1->setValue(double(roundHalfEven(in.uc1)));
    neduf1->setValue(double(roundHalfEven(in.uf1)));
}

void frmarmat::copyTo(ColumnInput& in) const
{
    in.d = nedd->Value();
    in.n1 = (rdganu->itemIndex() + 1) * 4;
    in.n2 = rdgvarand->itemIndex() * 4;
    in.uc1 = neduc1->Value();
    in.uf1 = neduf1->Value();
}

bool frmarmat::closeCheck(bool withOk)
{
    if (withOk) {
        const double d = nedd->Value();
        if (!std::isfinite(d)) {
            showMessage(this, T(2223));
            return false;
        }
        if (d < 0 || d > 100) {
            showMessage(this, T(185));
            return false;
        }
    }
    return true;
}

// ---------------------------------------------------------------- materials

const std::vector<double>& frmmater::steelGrades()
{
    static const std::vector<double> v{235, 275, 355, 420, 460};
    return v;
}
const std::vector<double>& frmmater::concreteGrades()
{
    static const std::vector<double> v{20, 25, 30, 35, 40, 45, 50};
    return v;
}
const std::vector<double>& frmmater::rebarGrades()
{
    static const std::vector<double> v{420, 500};
    return v;
}

frmmater::frmmater(QWidget* parent) : TDialog("frmmater", 600, parent)
{
    setWindowTitle("Materials");
    auto* v = new QVBoxLayout(body());
    auto block = [&](const char* heading, const char* headingText, TRadioGroup*& g, const char* group,
                     const char* groupText, const QStringList& items, int columns, TNumEdit*& f, const char* field,
                     const std::vector<double>& values) {
        auto* hl = headingLabel(heading, body());
        hl->setText(headingText);
        v->addWidget(hl);
        g = new TRadioGroup(group, columns, body());
        g->setTitle(groupText);
        g->setItems(items);
        f = numField(field, 0, 1000, "#,#0.0", g);
        f->setUnit(QString::fromUtf8("N/mm\u00b2"));
        auto* row = new QHBoxLayout;
        row->addStretch(1);
        row->addWidget(f);
        row->addWidget(unit("N/mm²", g));
        auto* gl = static_cast<QGridLayout*>(g->layout());
        gl->addLayout(row, gl->rowCount(), 0, 1, columns);
        v->addWidget(g);
        wireChoice(g, f, values);
    };
    block("lblale", "Yield point of the steel-profile", rdgale, "rdgale", "Profile steel grade",
          {"S 235", "S 275", "S 355", "S 420", "S 460", "..."}, 3, nedale, "nedale", steelGrades());
    chbautored = new QCheckBox("Automatic reduction of yield point", body());
    chbautored->setObjectName("chbautored");
    v->addWidget(chbautored);
    auto* note = namedLabel("lblautored", "of thick profiles for predefined steel grades (not needed if MOVRIX) ",
                            body());
    note->setWordWrap(true);
    note->setContentsMargins(22, 0, 0, 0);
    toggleOnClick(note, chbautored);
    v->addWidget(note);
    v->addSpacing(6);
    block("lblrmc", "Characteristic concrete cylinder strength", rdgrmc, "rdgrmc", "concrete grade",
          {"C 20/25", "C 25/30", "C 30/37", "C 35/45", "C 40/50", "C 45/55", "C 50/60", "..."}, 4, nedrmc, "nedrmc",
          concreteGrades());
    {
        auto* row = new QHBoxLayout;
        lblphit = namedLabel("lblphit", "Creep coefficient \u03c6.t", body());
        nedphit = numField("nedphit", 0, 6, "#,#0.00", body());
        lblphit->setBuddy(nedphit);
        lblphit->setToolTip(T(1656));
        nedphit->setToolTip(T(1656));
        lblphit->setContentsMargins(4, 0, 0, 0);
        row->addWidget(lblphit);
        row->addStretch(1);
        row->addWidget(nedphit);
        row->addSpacing(62);   // under the concrete grade's field, whose unit follows it
        v->addLayout(row);
    }
    {
        // the concrete's maximum aggregate size: the bars' clear spacing
        // (EN 1992-1-1, 8.2(2)), for both codes
        auto* row = new QHBoxLayout;
        lbldg = namedLabel("lbldg", "Maximum aggregate size d.g", body());
        neddg = numField("neddg", kMinAggregateSize, kMaxAggregateSize, "#,#0.0", body());
        neddg->setUnit("mm");
        lbldg->setBuddy(neddg);
        lbldg->setToolTip(T(1944));
        neddg->setToolTip(T(1944));
        lbldg->setContentsMargins(4, 0, 0, 0);
        row->addWidget(lbldg);
        row->addStretch(1);
        row->addWidget(neddg);
        auto* mm = unit("mm", body());
        mm->setFixedWidth(62);   // the field under the concrete grade's, whose unit follows it
        row->addWidget(mm);
        v->addLayout(row);
    }
    v->addSpacing(6);
    block("lblaarl", "Yield point of rebars", rdgaarl, "rdgaarl", "rebars steel grade", {"S 420", "S 500", "..."}, 3,
          nedaarl, "nedaarl", rebarGrades());
    v->addStretch(1);
    setMinimumWidth(480);
}

QWidget* frmmater::firstFocus() const { return checkedOrFirst(rdgale); }

void frmmater::fill(const ColumnInput& in)
{
    SetRadioChoices(*rdgale, *nedale, in.fy, steelGrades(), 0.5);
    chbautored->setChecked(in.autoReduce);
    SetRadioChoices(*rdgrmc, *nedrmc, in.fck, concreteGrades(), 0.5);
    SetRadioChoices(*rdgaarl, *nedaarl, in.fsk, rebarGrades(), 1.0);
    showStored(nedphit, in.phiT);
    enableForEn(nedphit, lblphit, in.code);
    showStored(neddg, in.dg);
}

bool frmmater::displayedNumber(const TNumEdit* f, double& out)
{
    const std::optional<double> v = parseFieldText(f->text());
    if (v)
        out = *v;
    return v.has_value();
}

void frmmater::copyTo(ColumnInput& in) const
{
    double v = 0;
    if (displayedNumber(nedale, v))
        in.fy = v;
    in.autoReduce = chbautored->isChecked();
    if (displayedNumber(nedrmc, v))
        in.fck = v;
    if (displayedNumber(nedaarl, v))
        in.fsk = v;
    if (nedphit->isEnabled() && displayedNumber(nedphit, v))
        in.phiT = v;
    if (displayedNumber(neddg, v))
        in.dg = v;
}

bool frmmater::closeCheck(bool withOk)
{
    if (withOk) {
        for (const TNumEdit* f : {nedale, nedrmc, nedaarl, neddg}) {
            double v = 0;
            if (!displayedNumber(f, v)) {
                showMessage(this, T(2223));
                return false;
            }
            if (v < 0) {
                showMessage(this, T(175));
                return false;
            }
        }
    }
    return true;
}

// ---------------------------------------------------------------- partial factors

frmgamat::frmgamat(QWidget* parent) : TDialog("frmgamat", 650, parent)
{
    setWindowTitle("Partial factors");
    auto* v = new QVBoxLayout(body());
    rdgcode = new TRadioGroup("rdgcode", 2, body());
    rdgcode->setTitle("Design code");
    rdgcode->setItems({"ENV 1994-1-1 / ENV 1994-1-2", "EN 1994-1-1:2004 / EN 1994-1-2:2005"});
    v->addWidget(rdgcode);
    rdgcode->setToolTip(T(1654));
    lblcodenote = namedLabel("lblcodenote", T(1654), body());
    lblcodenote->setWordWrap(true);
    lblcodenote->setContentsMargins(4, 0, 4, 4);
    v->addWidget(lblcodenote);
    // another code brings the factors it recommends; the user may then change
    // them (a click on the code already chosen keeps them)
    connect(rdgcode, &TRadioGroup::itemClicked, this, [this] {
        const DesignCode code = chosenCode();
        if (code == shownCode_)
            return;
        shownCode_ = code;
        setFactors(methodOf(code).recommendedFactors());
        showExampleValues(code);
    });

    auto* g = new QGridLayout;
    v->addLayout(g);
    v->addStretch(1);
    g->setHorizontalSpacing(14);
    auto heading = [&](const char* name, const char* text, int col) {
        auto* l = namedLabel(name, text, body());
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        l->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        g->addWidget(l, 0, col);
    };
    heading("lblserviceconditions", "Normal temperature", 1);
    heading("lblfireconditions", "Fire conditions", 2);
    heading("lblexample_values", "Example values", 3);
    QLabel* rowLabels[] = {namedLabel("lblSteelprofile", "Profile steel", body()),
                           namedLabel("lblconcrete", "Concrete", body()),
                           namedLabel("lblrebarsteel", "Rebar steel", body())};
    for (int i = 0; i < 3; ++i)
        g->addWidget(rowLabels[i], i + 1, 0);
    nedgamma_cold_steelprofile = numField("nedgamma_cold_steelprofile", 1, 5, "#,#0.000", body());
    Nedgamma_cold_concrete = numField("Nedgamma_cold_concrete", 1, 5, "#,#0.000", body());
    Nedgamma_cold_steelrebar = numField("Nedgamma_cold_steelrebar", 1, 5, "#,#0.000", body());
    Nedgamma_fire_steelprofile = numField("Nedgamma_fire_steelprofile", 1, 5, "#,#0.000", body());
    Nedgamma_fire_concrete = numField("Nedgamma_fire_concrete", 1, 5, "#,#0.000", body());
    Nedgamma_fire_steelrebar = numField("Nedgamma_fire_steelrebar", 1, 5, "#,#0.000", body());
    g->addWidget(nedgamma_cold_steelprofile, 1, 1);
    g->addWidget(Nedgamma_cold_concrete, 2, 1);
    g->addWidget(Nedgamma_cold_steelrebar, 3, 1);
    g->addWidget(Nedgamma_fire_steelprofile, 1, 2);
    g->addWidget(Nedgamma_fire_concrete, 2, 2);
    g->addWidget(Nedgamma_fire_steelrebar, 3, 2);
    // the range message names the material
    const std::array<TNumEdit*, 3> cold{nedgamma_cold_steelprofile, Nedgamma_cold_concrete, Nedgamma_cold_steelrebar};
    const std::array<TNumEdit*, 3> fire{Nedgamma_fire_steelprofile, Nedgamma_fire_concrete, Nedgamma_fire_steelrebar};
    for (std::size_t i = 0; i < 3; ++i) {
        rowLabels[i]->setBuddy(cold[i]);
        fire[i]->setCaptionLabel(rowLabels[i]);
    }
    const char* ex[] = {"lbl_g_c_a", "lbl_g_c_c", "lbl_g_c_r", "lbl_g_f_a", "lbl_g_f_c", "lbl_g_f_r"};
    const char* exText[] = {"1.1", "1.5", "1.15", "1.0", "1.0", "1.0"};
    for (int i = 0; i < 3; ++i) {
        auto* box = new QHBoxLayout;
        auto* a = namedLabel(ex[i], exText[i], body());
        auto* b = namedLabel(ex[i + 3], exText[i + 3], body());
        a->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        b->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        examples_[static_cast<std::size_t>(i)] = a;
        examples_[static_cast<std::size_t>(i + 3)] = b;
        box->setSpacing(4);
        box->addWidget(a, 1);
        box->addWidget(new QLabel("/", body()));
        box->addWidget(b, 1);
        g->addLayout(box, i + 1, 3);
    }
}

DesignCode frmgamat::chosenCode() const
{
    return rdgcode->itemIndex() == 1 ? DesignCode::EN1994 : DesignCode::ENV1994;
}

void frmgamat::setFactors(const PartialFactors& f)
{
    nedgamma_cold_steelprofile->setValue(f.gammaA);
    Nedgamma_cold_concrete->setValue(f.gammaC);
    Nedgamma_cold_steelrebar->setValue(f.gammaS);
    Nedgamma_fire_steelprofile->setValue(f.gammaAfi);
    Nedgamma_fire_concrete->setValue(f.gammaCfi);
    Nedgamma_fire_steelrebar->setValue(f.gammaSfi);
}

void frmgamat::showExampleValues(DesignCode code)
{
    // an ENV project shows the catalogue's example values (280 to 285), as it always did
    const PartialFactors f = methodOf(code).recommendedFactors();
    const double values[] = {f.gammaA, f.gammaC, f.gammaS, f.gammaAfi, f.gammaCfi, f.gammaSfi};
    for (std::size_t i = 0; i < examples_.size(); ++i)
        examples_[i]->setText(code == DesignCode::ENV1994 ? T(280 + static_cast<int>(i)) : exampleText(values[i]));
}

void frmgamat::fill(const ColumnInput& in)
{
    const Language language = currentLanguage();
    rdgcode->setItems({QString::fromStdString(designCodeName(DesignCode::ENV1994, language)),
                       QString::fromStdString(designCodeName(DesignCode::EN1994, language))});
    rdgcode->setItemIndex(in.code == DesignCode::EN1994 ? 1 : 0);
    shownCode_ = in.code;
    showExampleValues(in.code);
    for (const auto& [f, value] : {std::pair{nedgamma_cold_steelprofile, in.gammaA}, std::pair{Nedgamma_cold_concrete, in.gammaC},
                                   std::pair{Nedgamma_cold_steelrebar, in.gammaS}, std::pair{Nedgamma_fire_steelprofile, in.gammaAfi},
                                   std::pair{Nedgamma_fire_concrete, in.gammaCfi}, std::pair{Nedgamma_fire_steelrebar, in.gammaSfi}})
        showStored(f, value);
}

void frmgamat::copyTo(ColumnInput& in) const
{
    in.code = chosenCode();
    in.gammaA = nedgamma_cold_steelprofile->Value();
    in.gammaC = Nedgamma_cold_concrete->Value();
    in.gammaS = Nedgamma_cold_steelrebar->Value();
    in.gammaAfi = Nedgamma_fire_steelprofile->Value();
    in.gammaCfi = Nedgamma_fire_concrete->Value();
    in.gammaSfi = Nedgamma_fire_steelrebar->Value();
}

// ---------------------------------------------------------------- buckling lengths

frmflamb::frmflamb(QWidget* parent) : TDialog("frmflamb", 700, parent)
{
    setWindowTitle("Buckl. lengths");
    auto* g = new QGridLayout(body());
    int row = 0;
    {
        // the member the lengths belong to (EN 1994-1-2 4.3.5.1(10))
        auto* h = headingLabel("lblmtitle", body());
        h->setText("Member");
        g->addWidget(h, row++, 0, 1, 3);
        nedlength = numField("nedlength", 0, 100, "#,#0.000", body());
        nedlength->setUnit("m");
        auto* ll = namedLabel("lbllength", "Member length L", body());
        ll->setBuddy(nedlength);
        g->addWidget(ll, row, 0);
        g->addWidget(nedlength, row, 1);
        g->addWidget(unit("m", body()), row++, 2);
        auto pair = [&](const char* group, const char* title, QRadioButton*& a, const char* an, const char* at,
                        QRadioButton*& b, const char* bn, const char* bt) {
            auto* box = new QGroupBox(title, body());
            box->setObjectName(group);
            auto* hl = new QHBoxLayout(box);
            a = new QRadioButton(at, box);
            a->setObjectName(an);
            b = new QRadioButton(bt, box);
            b->setObjectName(bn);
            hl->addWidget(a);
            hl->addWidget(b);
            hl->addStretch(1);
            a->setChecked(true);
            g->addWidget(box, row++, 0, 1, 3);
        };
        pair("grpframe", "Frame", rbbraced, "rbbraced", "braced", rbsway, "rbsway", "sway");
        pair("grpstorey", "Storey", rbintermediate, "rbintermediate", "intermediate", rbtop, "rbtop", "top");
        btnpropose = new QPushButton("Propose buckling lengths", body());
        btnpropose->setObjectName("btnpropose");
        btnpropose->setAutoDefault(false);
        g->addWidget(btnpropose, row++, 0, 1, 1, Qt::AlignLeft);
        lblproposal = new QLabel(body());
        lblproposal->setObjectName("lblproposal");
        lblproposal->setWordWrap(true);
        g->addWidget(lblproposal, row++, 0, 1, 3);
        g->setRowMinimumHeight(row++, 8);
    }
    auto block = [&](const char* heading, const char* text, const char* weakLabel, const char* strongLabel,
                     TNumEdit*& weak, const char* weakName, TNumEdit*& strong, const char* strongName) {
        auto* h = headingLabel(heading, body());
        h->setText(text);
        g->addWidget(h, row++, 0, 1, 3);
        weak = numField(weakName, 0, 20, "#,#0.000", body());
        strong = numField(strongName, 0, 20, "#,#0.000", body());
        weak->setUnit("m");
        strong->setUnit("m");
        auto* lw = namedLabel(weakLabel, "Buckling length for weak axis", body());
        auto* ls = namedLabel(strongLabel, "Buckling length for strong axis", body());
        lw->setBuddy(weak);
        ls->setBuddy(strong);
        g->addWidget(lw, row, 0);
        g->addWidget(weak, row, 1);
        g->addWidget(unit("m", body()), row++, 2);
        g->addWidget(ls, row, 0);
        g->addWidget(strong, row, 1);
        g->addWidget(unit("m", body()), row++, 2);
        g->setRowMinimumHeight(row++, 8);
    };
    block("lblstitle", "Normal temperature", "lblsweak", "lblsstrong", nedsweak, "nedsweak", nedsstrong, "nedsstrong");
    block("lblftitle", "Fire conditions", "lblfweak", "lblfstrong", nedfweak, "nedfweak", nedfstrong, "nedfstrong");
    auto* rt = namedLabel("lblremtitle", "ISO - Fire conditions", body());
    QFont f = rt->font();
    f.setBold(true);
    rt->setFont(f);
    g->addWidget(rt, row++, 0, 1, 3);
    auto* rem = namedLabel("lblrem",
                           "Buckling lengths in fire situation are generally taken as 0.5 l or in some cases as 0.7 l.",
                           body());
    rem->setWordWrap(true);
    g->addWidget(rem, row++, 0, 1, 3);
    g->setColumnStretch(0, 1);
    setMinimumWidth(460);
    connect(btnpropose, &QPushButton::clicked, this, &frmflamb::applyProposal);
    connect(nedlength, &TNumEdit::valueEntered, this, &frmflamb::updateProposal);
    for (QRadioButton* b : {rbbraced, rbsway, rbintermediate, rbtop})
        connect(b, &QRadioButton::toggled, this, &frmflamb::updateProposal);
}

BucklingProposal frmflamb::proposal() const
{
    return proposeBucklingLengths(nedlength->Value(), rbsway->isChecked() ? FrameType::sway : FrameType::braced,
                                  rbtop->isChecked() ? StoreyPosition::top : StoreyPosition::intermediate);
}

void frmflamb::updateProposal()
{
    const BucklingProposal p = proposal();
    btnpropose->setEnabled(p.cold.has_value());
    rbintermediate->setEnabled(!rbsway->isChecked());
    rbtop->setEnabled(!rbsway->isChecked());
    if (!p.cold) {
        lblproposal->setText(T(1735));
        return;
    }
    const QString cold = QLocale().toString(*p.cold, 'g', 4);
    if (!p.fire) {
        lblproposal->setText(T(1736).arg(cold));
        return;
    }
    lblproposal->setText(T(1737).arg(cold, QLocale().toString(*p.fire, 'g', 4)));
}

void frmflamb::applyProposal()
{
    const BucklingProposal p = proposal();
    if (p.cold) {
        nedsweak->setValue(*p.cold);
        nedsstrong->setValue(*p.cold);
    }
    if (p.fire) {
        nedfweak->setValue(*p.fire);
        nedfstrong->setValue(*p.fire);
    }
}

void frmflamb::fill(const ColumnInput& in)
{
    nedsweak->setValue(in.lWeakCold);
    nedsstrong->setValue(in.lStrongCold);
    nedfweak->setValue(in.lWeakFire);
    nedfstrong->setValue(in.lStrongFire);
    nedlength->setValue(in.length);
    (in.frame == FrameType::sway ? rbsway : rbbraced)->setChecked(true);
    (in.storey == StoreyPosition::top ? rbtop : rbintermediate)->setChecked(true);
    updateProposal();
}

void frmflamb::copyTo(ColumnInput& in) const
{
    in.lWeakCold = nedsweak->Value();
    in.lStrongCold = nedsstrong->Value();
    in.lWeakFire = nedfweak->Value();
    in.lStrongFire = nedfstrong->Value();
    in.length = nedlength->Value();
    in.frame = rbsway->isChecked() ? FrameType::sway : FrameType::braced;
    in.storey = rbtop->isChecked() ? StoreyPosition::top : StoreyPosition::intermediate;
}

// ---------------------------------------------------------------- eccentricities

frmexcent::frmexcent(QWidget* parent) : TDialog("frmexcent", 800, parent)
{
    setWindowTitle("Eccentricities");
    auto* h = new QHBoxLayout(body());
    auto* g = new QGridLayout;
    auto spin = [&](const char* name, int min, int max) {
        auto* s = new TSpinEdit(body());
        s->setObjectName(name);
        s->setRange(min, max);
        s->setMinimumWidth(90);
        return s;
    };
    speexsw = spin("speexsw", -1000, 1000);
    speexst = spin("speexst", -1000, 1000);
    spepcp = spin("spepcp", 0, 100);
    auto* l1 = namedLabel("lblexsw", "Eccentricity e1 for weak axis", body());
    auto* l2 = namedLabel("lblexst", "Eccentricity e2 for strong axis", body());
    auto* l3 = namedLabel("lblpcp", "Percentage of permanent load", body());
    g->addWidget(l1, 0, 0);
    g->addWidget(speexsw, 0, 1);
    g->addWidget(unit("mm", body()), 0, 2);
    g->addWidget(l2, 1, 0);
    g->addWidget(speexst, 1, 1);
    g->addWidget(unit("mm", body()), 1, 2);
    g->addWidget(l3, 2, 0);
    g->addWidget(spepcp, 2, 1);
    g->addWidget(unit("%", body()), 2, 2);
    // the ratios of the end moments, beside the eccentricities they shape (EN only)
    lblrweak = namedLabel("lblrweak", "End moment ratio r for weak axis", body());
    lblrstrong = namedLabel("lblrstrong", "End moment ratio r for strong axis", body());
    nedrweak = numField("nedrweak", -1, 1, "#,#0.00", body());
    nedrstrong = numField("nedrstrong", -1, 1, "#,#0.00", body());
    nedrweak->setMinimumWidth(90);
    nedrstrong->setMinimumWidth(90);
    lblrweak->setBuddy(nedrweak);
    lblrstrong->setBuddy(nedrstrong);
    for (QWidget* w : std::initializer_list<QWidget*>{lblrweak, lblrstrong, nedrweak, nedrstrong})
        w->setToolTip(T(1659));
    g->setRowMinimumHeight(3, 8);
    g->addWidget(lblrweak, 4, 0);
    g->addWidget(nedrweak, 4, 1);
    g->addWidget(lblrstrong, 5, 0);
    g->addWidget(nedrstrong, 5, 1);
    g->setRowStretch(6, 1);
    g->setColumnStretch(0, 1);
    h->addLayout(g, 1);
    auto* pic = new SvgView(":/pictures/eccentricities.svg", body());
    pic->setObjectName("Image1");
    pic->setMinimumSize(240, 240);
    h->addWidget(pic, 1);
}

void frmexcent::fill(const ColumnInput& in)
{
    speexsw->setValue(int(std::clamp<long long>(roundHalfEven(in.e1), -1000, 1000)));
    speexst->setValue(int(std::clamp<long long>(roundHalfEven(in.e2), -1000, 1000)));
    spepcp->setValue(int(std::clamp<long long>(roundHalfEven(in.pcp), 0, 100)));
    showStored(nedrweak, in.rWeak);
    showStored(nedrstrong, in.rStrong);
    enableForEn(nedrweak, lblrweak, in.code);
    enableForEn(nedrstrong, lblrstrong, in.code);
}

void frmexcent::copyTo(ColumnInput& in) const
{
    for (TSpinEdit* s : {speexsw, speexst, spepcp})
        s->interpretText();
    in.e1 = speexsw->value();
    in.e2 = speexst->value();
    in.pcp = spepcp->value();
    if (nedrweak->isEnabled())
        in.rWeak = nedrweak->Value();
    if (nedrstrong->isEnabled())
        in.rStrong = nedrstrong->Value();
}

} // namespace qeln::ui
