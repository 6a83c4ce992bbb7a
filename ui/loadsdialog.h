// The "Design loads" dialog: the design axial forces at normal temperature
// and in fire, the required fire resistance class, and a helper that takes
// the fire load as eta.fi times the load at normal temperature.
#pragma once

#include "calc/records.h"
#include "numedit.h"
#include "widgets.h"

class QLabel;

namespace qeln::ui {

class frmloads : public TDialog {
    Q_OBJECT
public:
    explicit frmloads(QWidget* parent = nullptr);
    void fill(const ColumnInput& in);
    void copyTo(ColumnInput& in) const;
    // The class items: none, R 30, R 60, R 90, R 120.
    static int classIndex(const std::optional<FireClass>& c);
    static std::optional<FireClass> classOfIndex(int index);

    TNumEdit *nedned, *nednfied, *nedetafi;
    // end moments from the frame analysis (kNm): M.y and M.z at the top and
    // the bottom, at normal temperature and in fire (all 0: the eccentricities)
    TNumEdit *nedmytop, *nedmybottom, *nedmztop, *nedmzbottom;
    TNumEdit *nedmyfitop, *nedmyfibottom, *nedmzfitop, *nedmzfibottom;
    QPushButton* btnetafi;
    TRadioGroup* rdgclass;
    QLabel* lblswapped;

    // N.fi,Ed := eta.fi x N.Ed (the helper button).
    void applyEtaFi();

protected:
    QWidget* firstFocus() const override { return nedned; }

private:
    void updateSwapHint();
};

} // namespace qeln::ui
