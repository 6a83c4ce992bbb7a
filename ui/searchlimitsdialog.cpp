#include "searchlimitsdialog.h"

#include "uitext.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace qeln::ui {

namespace {

TNumEdit* lengthField(const QString& name, QWidget* parent)
{
    auto* f = new TNumEdit(parent);
    f->setObjectName(name);
    f->setup(0, 5000, "#,#0");
    f->setMessagestring("Value must be between %g and %g !");
    f->setMaximumWidth(100);
    return f;
}

QString number(double v) { return QString::number(v, 'g', 6).replace('.', decimalSeparator()); }

} // namespace

void SearchLimitFields::build(QGridLayout* g, int& row, QWidget* parent)
{
    auto* fam = new QGroupBox("Profile families", parent);
    fam->setObjectName("grpfamilies");
    auto* fl = new QHBoxLayout(fam);
    for (const std::string& f : profileFamilies()) {
        auto* c = new QCheckBox(QString::fromStdString(f), fam);
        c->setObjectName("chk" + QString::fromStdString(f).remove(' '));
        c->setChecked(true);
        fl->addWidget(c);
        families.push_back(c);
    }
    g->addWidget(fam, row++, 0, 1, 4);

    maxh = lengthField("nedmaxh", parent);
    maxb = lengthField("nedmaxb", parent);
    auto* lh = namedLabel("lblmaxh", "Largest height h (0: any)", parent);
    auto* lb = namedLabel("lblmaxb", "Largest width b (0: any)", parent);
    lh->setBuddy(maxh);
    lb->setBuddy(maxb);
    maxh->setUnit("mm");
    maxb->setUnit("mm");
    g->addWidget(lh, row, 0);
    g->addWidget(maxh, row, 1);
    g->addWidget(new QLabel("mm", parent), row++, 2);
    g->addWidget(lb, row, 0);
    g->addWidget(maxb, row, 1);
    g->addWidget(new QLabel("mm", parent), row++, 2);

    diameters = new QLineEdit(QString::fromStdString(diameterListText(defaultSearchDiameters())), parent);
    diameters->setObjectName("eddiameters");
    layouts = new QLineEdit(QString::fromStdString(layoutListText(defaultSearchLayouts())), parent);
    layouts->setObjectName("edlayouts");
    g->addWidget(namedLabel("lbldiameters", "Rebar diameters (mm)", parent), row, 0);
    g->addWidget(diameters, row++, 1, 1, 3);
    g->addWidget(namedLabel("lbllayouts", "Rebar layouts n1+n2", parent), row, 0);
    g->addWidget(layouts, row++, 1, 1, 3);
}

void SearchLimitFields::show(const SearchConstraints& c)
{
    for (QCheckBox* box : families)
        box->setChecked(c.families.empty() ||
                        std::find(c.families.begin(), c.families.end(), box->text().toStdString()) != c.families.end());
    maxh->setValue(c.maxH.value_or(0));
    maxb->setValue(c.maxB.value_or(0));
    diameters->setText(QString::fromStdString(diameterListText(c.diameters)));
    layouts->setText(QString::fromStdString(layoutListText(c.layouts)));
}

std::optional<SearchConstraints> SearchLimitFields::read(QString& problem) const
{
    SearchConstraints c;
    for (QCheckBox* box : families)
        if (box->isChecked())
            c.families.push_back(box->text().toStdString());
    if (c.families.empty()) {
        problem = T(1284);
        return std::nullopt;
    }
    if (c.families.size() == profileFamilies().size())
        c.families.clear();   // every family, also rows of a family the list does not know
    if (maxh->Value() > 0)
        c.maxH = maxh->Value();
    if (maxb->Value() > 0)
        c.maxB = maxb->Value();
    if (!parseDiameterList(diameters->text().toStdString(), c.diameters)) {
        problem = T(1261);
        return std::nullopt;
    }
    if (!parseLayoutList(layouts->text().toStdString(), c.layouts)) {
        problem = T(1262);
        return std::nullopt;
    }
    return c;
}

QString searchLimitsSummary(const SearchConstraints& c)
{
    const SearchConstraints defaults;
    QStringList parts;
    if (!c.families.empty()) {
        QStringList f;
        for (const std::string& s : c.families)
            f << QString::fromStdString(s);
        parts << f.join(", ");
    }
    if (c.maxH)
        parts << QString::fromUtf8("h \xE2\x89\xA4 ") + number(*c.maxH);
    if (c.maxB)
        parts << QString::fromUtf8("b \xE2\x89\xA4 ") + number(*c.maxB);
    if (c.diameters != defaults.diameters) {
        QStringList d;
        for (const double v : c.diameters)
            d << number(v);
        parts << "d " + d.join(", ");
    }
    if (c.layouts != defaults.layouts)
        parts << QString::fromStdString(layoutListText(c.layouts));
    return parts.join("; ");
}

frmsearchlimits::frmsearchlimits(QWidget* parent) : TDialog("frmsearchlimits", kHelpSchedule, parent)
{
    setWindowTitle(T(1323));
    auto* g = new QGridLayout(body());
    int row = 0;
    fields.build(g, row, body());
    lblstatus = namedLabel("lblstatus", "", body());
    lblstatus->setWordWrap(true);
    QPalette pal = lblstatus->palette();
    pal.setColor(QPalette::WindowText, QColor(0xc0, 0, 0));
    lblstatus->setPalette(pal);
    g->addWidget(lblstatus, row++, 0, 1, 4);
    g->setColumnStretch(3, 1);
    // the captions of the current language (the dialog is made when it is opened)
    findChild<QGroupBox*>("grpfamilies")->setTitle(T(1265));
    for (const auto& [name, id] : {std::pair{"lblmaxh", 1266}, std::pair{"lblmaxb", 1267},
                                   std::pair{"lbldiameters", 1268}, std::pair{"lbllayouts", 1269}})
        findChild<QLabel*>(name)->setText(T(id));
    for (TNumEdit* f : {fields.maxh, fields.maxb})
        applyCaption(f, T(186), CaptionKind::RangeMessage);
    okButton()->setText(T(61));
    cancelButton()->setText(T(62));
    helpButton()->setText(T(60));
}

void frmsearchlimits::fill(const SearchConstraints& c)
{
    limits_ = c;
    fields.show(c);
    lblstatus->clear();
}

bool frmsearchlimits::closeCheck(bool withOk)
{
    if (!withOk)
        return true;
    QString problem;
    const std::optional<SearchConstraints> c = fields.read(problem);
    lblstatus->setText(problem);
    if (!c)
        return false;
    limits_ = *c;
    return true;
}

} // namespace qeln::ui
