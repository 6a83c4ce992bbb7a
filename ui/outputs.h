// The output windows: results, details, graphic, warnings-and-errors, the
// print-method choice and the information window (which doubles as the
// disclaimer at start).
#pragma once

#include "present/checktext.h"
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

// A result window that stays open beside the main window while the input
// changes (Results, Details, Graphic): not modal, closed with Close. When
// its results no longer belong to the project it shows none, only a note,
// and Calculate runs the design again.
class TResultWindow : public TDialog {
    Q_OBJECT
public:
    TResultWindow(const QString& name, int helpContext, QWidget* parent);
    // The contents are gone; the note and Calculate say what to do.
    void showStale();
    bool stale() const { return stale_; }
    void setLanguage();

    QLabel* lblstale;
    QPushButton* btncalculate;

signals:
    void calculateRequested();

protected:
    // Called by fill: the contents belong to the project again.
    void showFresh();
    virtual void clearContents() = 0;

private:
    bool stale_ = false;
};

class frmresult : public TResultWindow {
    Q_OBJECT
public:
    explicit frmresult(QWidget* parent = nullptr);
    // check: the "Design check" block (hidden when empty).
    void fill(const ResultGrid& grid, const MessageList& warnings, const std::vector<CheckLine>& check = {});
    // The design code of the run the window shows, named above the loads.
    void setDesignCode(DesignCode code);

    QLabel* lblcode;
    QGroupBox* grpres;
    QTableWidget* stgresults;
    QLabel* lblfootnote;      // the footnote of the rows outside the field of application
    QGroupBox* grpcheck;      // "Design check"
    QGridLayout* checkGrid;
    QGroupBox* grpwarn;
    QPlainTextEdit* memwarn;

protected:
    void clearContents() override;

private:
    void fillCheck(const std::vector<CheckLine>& check);
};

class frmdetail : public TResultWindow {
    Q_OBJECT
public:
    explicit frmdetail(QWidget* parent = nullptr);
    void fill(const MessageList& listing);

    QPlainTextEdit* memres;

protected:
    QWidget* firstFocus() const override { return memres; }
    void changeEvent(QEvent* e) override;
    void clearContents() override;
};

class frmgrafik : public TResultWindow {
    Q_OBJECT
public:
    explicit frmgrafik(QWidget* parent = nullptr);
    void setPicture(const Picture& pic);

    PictureView* imgdyngraf;

protected:
    void clearContents() override;
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
