// The output windows: results, details, graphic, warnings-and-errors, the
// print-method choice and the information window (which doubles as the
// disclaimer at start).
#pragma once

#include "calc/designcheck.h"
#include "calc/records.h"
#include "picturepainter.h"
#include "widgets.h"

class QTableWidget;
#include <QPlainTextEdit>
class QLabel;
class QGridLayout;

namespace qeln::ui {

// Monospaced font of the listings.
QFont listingFont();
// Lines of a message list as one text.
QString linesText(const MessageList& list);

class frmresult : public TDialog {
    Q_OBJECT
public:
    explicit frmresult(QWidget* parent = nullptr);
    // check: the "Design check" block (hidden when empty).
    void fill(const ResultGrid& grid, const MessageList& warnings, const std::vector<CheckLine>& check = {});

    QGroupBox* grpres;
    QTableWidget* stgresults;
    QLabel* lblfootnote;      // the footnote of the rows outside the field of application
    QGroupBox* grpcheck;      // "Design check"
    QGridLayout* checkGrid;
    QGroupBox* grpwarn;
    QPlainTextEdit* memwarn;

private:
    void fillCheck(const std::vector<CheckLine>& check);
};

class frmdetail : public TDialog {
    Q_OBJECT
public:
    explicit frmdetail(QWidget* parent = nullptr);
    void fill(const MessageList& listing);

    QPlainTextEdit* memres;

protected:
    QWidget* firstFocus() const override { return memres; }
    void changeEvent(QEvent* e) override;
};

class frmgrafik : public TDialog {
    Q_OBJECT
public:
    explicit frmgrafik(QWidget* parent = nullptr);
    void setPicture(const Picture& pic);

    PictureView* imgdyngraf;
};

class frmwarn : public TDialog {
    Q_OBJECT
public:
    explicit frmwarn(QWidget* parent = nullptr);
    // Empties both boxes, then shows the errors and the warnings that are flagged.
    void fill(const ColumnResults& res);

    QGroupBox* gpberrors;
    QPlainTextEdit* memerr;
    QGroupBox* gpbwarnings;
    QPlainTextEdit* memwarn;
};

class frmprintmet : public TDialog {
    Q_OBJECT
public:
    explicit frmprintmet(QWidget* parent = nullptr);
    TRadioGroup* rdgprint;

protected:
    QWidget* firstFocus() const override { return okButton(); }
};

class AboutBox : public TDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);
    // The disclaimer at start: Accept and Refuse; true when accepted.
    bool askDisclaimer();
    // The Info command: one button "Ok".
    void showInfo();

    QPlainTextEdit* memdisclaimer;
    QPushButton* OkButton;
    QPushButton* Cancelbutton;

protected:
    void changeEvent(QEvent* e) override;
};

} // namespace qeln::ui
