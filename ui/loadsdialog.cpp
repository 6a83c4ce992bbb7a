#include "loadsdialog.h"

#include "present/checktext.h"
#include "shell/language.h"

#include <QGridLayout>
#include <QGroupBox>

#include <array>
#include <utility>
#include <QLabel>

namespace qeln::ui {

namespace {

TNumEdit* loadField(const QString& name, double max, const QString& mask, QWidget* parent)
{
    auto* f = new TNumEdit(parent);
    f->setObjectName(name);
    f->setup(0, max, mask);
    f->setMessagestring("Value must be between %g and %g !");
    f->setMaximumWidth(120);
    return f;
}

} // namespace

frmloads::frmloads(QWidget* parent) : TDialog("frmloads", kHelpLoads, parent)
{
    setWindowTitle("Design loads");
    auto* g = new QGridLayout(body());
    nedned = loadField("nedned", kMaxDesignLoad, "#,#0.0", body());
    nednfied = loadField("nednfied", kMaxDesignLoad, "#,#0.0", body());
    nedetafi = loadField("nedetafi", 1, "#,#0.00", body());
    nedetafi->setValue(kDefaultEtaFi);

    int row = 0;
    auto* lned = namedLabel("lblned", "Design axial force N.Ed, normal temperature", body());
    auto* lnfied = namedLabel("lblnfied", "Design axial force N.fi,Ed, fire conditions", body());
    lned->setBuddy(nedned);
    lnfied->setBuddy(nednfied);
    nedned->setUnit("kN");
    nednfied->setUnit("kN");
    g->addWidget(lned, row, 0);
    g->addWidget(nedned, row, 1);
    g->addWidget(new QLabel("kN", body()), row++, 2);
    g->addWidget(lnfied, row, 0);
    g->addWidget(nednfied, row, 1);
    g->addWidget(new QLabel("kN", body()), row++, 2);

    auto* eta = namedLabel("lbletafi", "Reduction factor eta.fi (EN 1994-1-2, 2.4.2)", body());
    eta->setBuddy(nedetafi);
    eta->setIndent(16);
    g->addWidget(eta, row, 0);
    g->addWidget(nedetafi, row, 1);
    btnetafi = new QPushButton("N.fi,Ed = eta.fi x N.Ed", body());
    btnetafi->setObjectName("btnetafi");
    btnetafi->setAutoDefault(false);
    // the same text in every language: never narrower than it
    btnetafi->setMinimumWidth(btnetafi->sizeHint().width() + 8);
    g->addWidget(btnetafi, row++, 2);
    g->setRowMinimumHeight(row++, 8);

    {
        // the end moments beside the axial forces
        auto* box = new QGroupBox("End moments from the frame analysis", body());
        box->setObjectName("grpmoments");
        auto* mg = new QGridLayout(box);
        auto moment = [&](const char* name) {
            TNumEdit* f = loadField(name, kMaxDesignMoment, "#,#0.0", box);
            f->setup(-kMaxDesignMoment, kMaxDesignMoment, "#,#0.0");
            f->setUnit("kNm");
            return f;
        };
        nedmytop = moment("nedmytop");
        nedmybottom = moment("nedmybottom");
        nedmztop = moment("nedmztop");
        nedmzbottom = moment("nedmzbottom");
        nedmyfitop = moment("nedmyfitop");
        nedmyfibottom = moment("nedmyfibottom");
        nedmzfitop = moment("nedmzfitop");
        nedmzfibottom = moment("nedmzfibottom");
        auto* top = namedLabel("lblmtop", "Top", box);
        auto* bottom = namedLabel("lblmbottom", "Bottom", box);
        mg->addWidget(top, 0, 1);
        mg->addWidget(bottom, 0, 2);
        const std::pair<const char*, std::array<TNumEdit*, 2>> lines[] = {
            {"M.y,Ed (y-y)", {nedmytop, nedmybottom}},
            {"M.z,Ed (z-z)", {nedmztop, nedmzbottom}},
            {"M.y,fi,Ed (y-y)", {nedmyfitop, nedmyfibottom}},
            {"M.z,fi,Ed (z-z)", {nedmzfitop, nedmzfibottom}},
        };
        int r = 1;
        for (const auto& [symbol, fields] : lines) {
            mg->addWidget(new QLabel(symbol, box), r, 0);
            mg->addWidget(fields[0], r, 1);
            mg->addWidget(fields[1], r, 2);
            mg->addWidget(new QLabel("kNm", box), r++, 3);
        }
        auto* hint = namedLabel("lblmhint",
                                "All 0: the eccentricities e1 and e2 apply. Fire moments all 0: the eccentricities of "
                                "normal temperature apply in fire.",
                                box);
        hint->setWordWrap(true);
        mg->addWidget(hint, r, 0, 1, 4);
        g->addWidget(box, row++, 0, 1, 3);
        g->setRowMinimumHeight(row++, 8);
    }

    rdgclass = new TRadioGroup("rdgclass", 5, body());
    rdgclass->setTitle("Required fire resistance class");
    // item captions are fixed, like the grades of the other dialogs
    rdgclass->setItems({QString::fromUtf8("\xE2\x80\x94"), "R 30", "R 60", "R 90", "R 120"});
    rdgclass->setItemIndex(0);
    g->addWidget(rdgclass, row++, 0, 1, 3);

    lblswapped = namedLabel("lblswapped",
                            "The design axial force in fire N.fi,Ed is higher than N.Ed at normal temperature. "
                            "This is unusual: please check whether the two values are swapped.",
                            body());
    lblswapped->setWordWrap(true);
    QPalette pal = lblswapped->palette();
    pal.setColor(QPalette::WindowText, QColor(0xc0, 0, 0));
    lblswapped->setPalette(pal);
    lblswapped->setVisible(false);
    g->addWidget(lblswapped, row++, 0, 1, 3);
    g->setRowStretch(row, 1);
    g->setColumnStretch(0, 1);

    // longer translations wrap instead of being cut
    for (auto* l : findChildren<QLabel*>())
        l->setWordWrap(true);
    connect(btnetafi, &QPushButton::clicked, this, &frmloads::applyEtaFi);
    // after the field has stored what was typed (editingFinished comes before that)
    for (TNumEdit* f : {nedned, nednfied})
        connect(f, &TNumEdit::valueEntered, this, &frmloads::updateSwapHint);
    setMinimumWidth(620);
}

int frmloads::classIndex(const std::optional<FireClass>& c)
{
    return c ? static_cast<int>(*c) + 1 : 0;
}

std::optional<FireClass> frmloads::classOfIndex(int index)
{
    if (index < 1 || index > 4)
        return std::nullopt;
    return kFireClasses[static_cast<std::size_t>(index - 1)];
}

void frmloads::fill(const ColumnInput& in)
{
    nedned->setValue(in.nEd);
    nednfied->setValue(in.nFiEd);
    rdgclass->setItemIndex(classIndex(in.fireClass));
    nedmytop->setValue(in.myTop);
    nedmybottom->setValue(in.myBottom);
    nedmztop->setValue(in.mzTop);
    nedmzbottom->setValue(in.mzBottom);
    nedmyfitop->setValue(in.myFiTop);
    nedmyfibottom->setValue(in.myFiBottom);
    nedmzfitop->setValue(in.mzFiTop);
    nedmzfibottom->setValue(in.mzFiBottom);
    updateSwapHint();
}

void frmloads::copyTo(ColumnInput& in) const
{
    in.nEd = nedned->Value();
    in.nFiEd = nednfied->Value();
    in.fireClass = classOfIndex(rdgclass->itemIndex());
    in.myTop = nedmytop->Value();
    in.myBottom = nedmybottom->Value();
    in.mzTop = nedmztop->Value();
    in.mzBottom = nedmzbottom->Value();
    in.myFiTop = nedmyfitop->Value();
    in.myFiBottom = nedmyfibottom->Value();
    in.mzFiTop = nedmzfitop->Value();
    in.mzFiBottom = nedmzfibottom->Value();
}

void frmloads::applyEtaFi()
{
    nednfied->setValue(fireLoadFromEtaFi(nedned->Value(), nedetafi->Value()));
    updateSwapHint();
}

void frmloads::updateSwapHint()
{
    lblswapped->setVisible(nedned->Value() > 0 && nednfied->Value() > nedned->Value());
}

} // namespace qeln::ui
