// The six input dialogs. Each fills itself from the project's input, is shown
// modally by the main window and, on OK only, copies its values back.
#pragma once

#include "calc/member.h"
#include "calc/records.h"
#include "numedit.h"
#include "widgets.h"

#include <array>
#include <functional>

class QLineEdit;
class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace qeln::ui {

// Shows a date-time number as the system's short date and long time.
using DateText = std::function<QString(double)>;

class frmprojet : public TDialog {
    Q_OBJECT
public:
    explicit frmprojet(QWidget* parent = nullptr);
    void fill(const ColumnInput& in, const DateText& dateText);
    void copyTo(ColumnInput& in) const;

    QLineEdit *edtprojcode, *edtprojname, *edtposnr, *edtposname, *edtbuero, *edtautor, *edtkomm;
    QLabel *lbllastupdatedate, *lblcreatedate;
    // the approval: who checked, when (YYYY-MM-DD) and the revision
    QLineEdit *edtchecker, *edtcheckdate, *edtrevision;

protected:
    // OK with a check date that is no date keeps the dialog open on the field.
    bool closeCheck(bool withOk) override;
    QWidget* firstFocus() const override { return edtprojcode; }
};

class frmarmat : public TDialog {
    Q_OBJECT
public:
    explicit frmarmat(QWidget* parent = nullptr);
    void fill(const ColumnInput& in);
    void copyTo(ColumnInput& in) const;
    static const std::vector<double>& diameters();

    TRadioGroup *rdgd, *rdganu, *rdgvarand;
    TNumEdit *nedd, *neduc1, *neduf1;

protected:
    bool closeCheck(bool withOk) override;
    QWidget* firstFocus() const override;
};

class frmmater : public TDialog {
    Q_OBJECT
public:
    explicit frmmater(QWidget* parent = nullptr);
    void fill(const ColumnInput& in);
    void copyTo(ColumnInput& in) const;
    static const std::vector<double>& steelGrades();
    static const std::vector<double>& concreteGrades();
    static const std::vector<double>& rebarGrades();
    // The number a field shows ("," or "." as the decimal separator); false when unreadable.
    static bool displayedNumber(const TNumEdit* f, double& out);

    TRadioGroup *rdgale, *rdgrmc, *rdgaarl;
    TNumEdit *nedale, *nedrmc, *nedaarl;
    QCheckBox* chbautored;
    // the creep coefficient phi.t of the concrete: read by the EN method only,
    // enabled for EN projects
    QLabel* lblphit;
    TNumEdit* nedphit;
    // the maximum aggregate size d.g of the concrete (both codes)
    QLabel* lbldg;
    TNumEdit* neddg;

protected:
    bool closeCheck(bool withOk) override;
    QWidget* firstFocus() const override;
};

// The partial factors and the design code they belong to. Choosing a code
// puts the factors it recommends into the fields (the user may then change
// them); OK gives the project the code and the factors shown.
class frmgamat : public TDialog {
    Q_OBJECT
public:
    explicit frmgamat(QWidget* parent = nullptr);
    void fill(const ColumnInput& in);
    void copyTo(ColumnInput& in) const;
    // The code chosen in the dialog.
    DesignCode chosenCode() const;

    TRadioGroup* rdgcode;   // ENV 1994 / EN 1994
    QLabel* lblcodenote;
    TNumEdit *nedgamma_cold_steelprofile, *Nedgamma_cold_concrete, *Nedgamma_cold_steelrebar;
    TNumEdit *Nedgamma_fire_steelprofile, *Nedgamma_fire_concrete, *Nedgamma_fire_steelrebar;

protected:
    QWidget* firstFocus() const override { return nedgamma_cold_steelprofile; }

private:
    // The example values beside the fields: the ones the chosen code recommends.
    void showExampleValues(DesignCode code);
    void setFactors(const PartialFactors& f);
    std::array<QLabel*, 6> examples_{};
    DesignCode shownCode_ = DesignCode::ENV1994;   // the code whose factors the fields started from
};

class frmflamb : public TDialog {
    Q_OBJECT
public:
    explicit frmflamb(QWidget* parent = nullptr);
    void fill(const ColumnInput& in);
    void copyTo(ColumnInput& in) const;

    TNumEdit *nedsweak, *nedsstrong, *nedfweak, *nedfstrong;
    // the member: its length, frame and storey, and the lengths they propose
    TNumEdit* nedlength;
    QRadioButton *rbbraced, *rbsway, *rbintermediate, *rbtop;
    QPushButton* btnpropose;
    QLabel* lblproposal;

    // Writes the proposed lengths into the fields (those the frame proposes).
    void applyProposal();
    // The lengths the fields' member proposes.
    BucklingProposal proposal() const;
    // The proposal as the dialog shows it, or why there is none.
    void updateProposal();

protected:
    QWidget* firstFocus() const override { return nedlength; }
};

class frmexcent : public TDialog {
    Q_OBJECT
public:
    explicit frmexcent(QWidget* parent = nullptr);
    void fill(const ColumnInput& in);
    void copyTo(ColumnInput& in) const;

    TSpinEdit *speexsw, *speexst, *spepcp;
    // the ratios r of the end moments about the weak and the strong axis: read
    // by the EN method only, enabled for EN projects
    QLabel *lblrweak, *lblrstrong;
    TNumEdit *nedrweak, *nedrstrong;
};

} // namespace qeln::ui
