#include "outputs.h"

#include "present/codename.h"

#include "diagramswindow.h"
#include "uitext.h"

#include <QApplication>
#include <QTextOption>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace qeln::ui {

QFont listingFont()
{
    QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setStyleHint(QFont::Monospace);
    f.setPointSize(9);
    return f;
}

QString linesText(const MessageList& list)
{
    QStringList out;
    for (const std::string& l : list.lines())
        out << QString::fromStdString(l);
    return out.join('\n');
}

namespace {
QPlainTextEdit* readOnlyText(const QString& name, QWidget* parent, bool mono = true)
{
    auto* t = new QPlainTextEdit(parent);
    t->setObjectName(name);
    t->setReadOnly(true);
    // long lines wrap at the window's width: the text scrolls only vertically
    t->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    t->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    t->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    t->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    if (mono)
        t->setFont(listingFont());
    t->setTabChangesFocus(true);
    return t;
}
} // namespace

// ---------------------------------------------------------------- result windows

TResultWindow::TResultWindow(const QString& name, int helpContext, QWidget* parent)
    : TDialog(name, helpContext, parent, false)
{
    setModal(false);
    setWindowFlags(Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    lblstale = namedLabel("lblstale", "", this);
    lblstale->setWordWrap(true);
    lblstale->hide();
    addBarNote(lblstale);
    btncalculate = new QPushButton("Calculate", this);
    btncalculate->setObjectName("btncalculate");
    btncalculate->setAutoDefault(false);
    btncalculate->hide();
    addBarButton(btncalculate);
    okButton()->setText("Close");
    connect(btncalculate, &QPushButton::clicked, this, &TResultWindow::calculateRequested);
}

void TResultWindow::setLanguage()
{
    lblstale->setText(T(1320));
    btncalculate->setText(T(1482));
    okButton()->setText(T(1389));
}

void TResultWindow::showStale()
{
    clearContents();
    stale_ = true;
    lblstale->show();
    btncalculate->show();
}

void TResultWindow::showFresh()
{
    stale_ = false;
    lblstale->hide();
    btncalculate->hide();
}

// ---------------------------------------------------------------- results

frmresult::frmresult(QWidget* parent) : TResultWindow("frmresult", 900, parent)
{
    setWindowTitle("Results");
    auto* v = new QVBoxLayout(body());
    v->setContentsMargins(0, 0, 0, 0);
    lblcode = namedLabel("lblresultcode", "", body());
    lblcode->setContentsMargins(4, 0, 4, 2);
    lblcode->setVisible(false);
    v->addWidget(lblcode);
    grpres = new QGroupBox("Design resistances [kN]", body());
    grpres->setObjectName("grpres");
    auto* gl = new QVBoxLayout(grpres);
    stgresults = new QTableWidget(8, 6, grpres);
    stgresults->setObjectName("stgresults");
    stgresults->horizontalHeader()->hide();
    stgresults->verticalHeader()->hide();
    stgresults->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    stgresults->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    stgresults->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // a range and Ctrl+C, or Copy table, give the loads with their row and column headings
    stgresults->setSelectionMode(QAbstractItemView::ExtendedSelection);
    stgresults->setFocusPolicy(Qt::StrongFocus);
    addCopyCommands(stgresults, 2, 1);
    stgresults->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    stgresults->verticalHeader()->setDefaultSectionSize(24);
    stgresults->horizontalHeader()->setDefaultSectionSize(99);
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 6; ++c)
            stgresults->setItem(r, c, new QTableWidgetItem);
    stgresults->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    gl->addWidget(stgresults, 0, Qt::AlignHCenter);
    lblfootnote = namedLabel("lblfootnote", "", grpres);
    lblfootnote->setWordWrap(true);
    lblfootnote->setVisible(false);
    gl->addWidget(lblfootnote);
    v->addWidget(grpres);
    grpcheck = new QGroupBox("Design check", body());
    grpcheck->setObjectName("grpcheck");
    checkGrid = new QGridLayout(grpcheck);
    checkGrid->setColumnStretch(0, 1);
    grpcheck->setVisible(false);
    v->addWidget(grpcheck);
    grpwarn = new QGroupBox("Warnings", body());
    grpwarn->setObjectName("grpwarn");
    auto* wl = new QVBoxLayout(grpwarn);
    memwarn = readOnlyText("memwarn", grpwarn);
    memwarn->setMinimumHeight(110);
    wl->addWidget(memwarn);
    v->addWidget(grpwarn, 1);
    resize(700, 520);
}

void frmresult::setDesignCode(DesignCode code)
{
    const Language language = currentLanguage();
    lblcode->setText(T(1650) + QString::fromStdString(labelColon(language)) +
                     QString::fromStdString(designCodeName(code, language)));
    lblcode->setVisible(true);
}

void frmresult::clearContents()
{
    for (int r = 0; r < stgresults->rowCount(); ++r)
        for (int c = 0; c < stgresults->columnCount(); ++c)
            if (QTableWidgetItem* it = stgresults->item(r, c); it && (r >= 2 && c >= 1))
                it->setText(QString());
    fillCheck({});
    lblfootnote->hide();
    memwarn->clear();
}

void frmresult::fill(const ResultGrid& grid, const MessageList& warnings, const std::vector<CheckLine>& check)
{
    showFresh();
    fillCheck(check);
    lblfootnote->setText(QString::fromStdString(grid.footnote));
    lblfootnote->setVisible(!grid.footnote.empty());
    // darker than the disabled text: the numbers stay legible
    const QColor greyText(0x80, 0x80, 0x80);
    const QColor normalText = palette().color(QPalette::Text);
    int total = 0;
    for (int c = 0; c < 6; ++c) {
        const int w = std::max(grid.columnWidth[static_cast<std::size_t>(c)], 40);
        // the widths are those of the classic grid font; widen them for today's fonts
        const int scaled = w * 5 / 4;
        stgresults->setColumnWidth(c, scaled);
        total += scaled;
    }
    const QColor fixedBg = palette().color(QPalette::Button);
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 6; ++c) {
            QTableWidgetItem* it = stgresults->item(r, c);
            it->setText(QString::fromStdString(grid.cell[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]));
            const bool fixed = r < 2 || c == 0;
            it->setTextAlignment(fixed ? Qt::AlignCenter : (Qt::AlignRight | Qt::AlignVCenter));
            it->setForeground(grid.greyed[static_cast<std::size_t>(r)] ? greyText : normalText);
            if (fixed) {
                it->setBackground(fixedBg);
                QFont f = it->font();
                f.setBold(r < 2);
                it->setFont(f);
            }
        }
    }
    stgresults->setFixedSize(total + 2 * stgresults->frameWidth(), 8 * 24 + 2 * stgresults->frameWidth());
    // an empty box says so
    const QString w = linesText(warnings);
    memwarn->setPlainText(w.trimmed().isEmpty() ? T(1214) : w);
    setMinimumWidth(std::max(total + 60, 400));
    retitleCopyCommands(stgresults);
}

void frmresult::fillCheck(const std::vector<CheckLine>& check)
{
    while (QLayoutItem* item = checkGrid->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    grpcheck->setVisible(!check.empty());
    int row = 0;
    for (const CheckLine& l : check) {
        auto* label = new QLabel(QString::fromStdString(l.label), grpcheck);
        label->setObjectName(QString("lblcheck%1").arg(row));
        checkGrid->addWidget(label, row, 0);
        auto* value = new QLabel(QString::fromStdString(l.value), grpcheck);
        value->setObjectName(QString("lblcheckvalue%1").arg(row));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        checkGrid->addWidget(value, row, 1);
        if (l.passes) {
            auto* verdict = new QLabel(QString::fromStdString(l.verdict), grpcheck);
            verdict->setObjectName(QString("lblcheckverdict%1").arg(row));
            QPalette pal = verdict->palette();
            pal.setColor(QPalette::WindowText, *l.passes ? QColor(0, 0x80, 0) : QColor(0xc0, 0, 0));
            verdict->setPalette(pal);
            QFont f = verdict->font();
            f.setBold(true);
            verdict->setFont(f);
            checkGrid->addWidget(verdict, row, 2);
        }
        ++row;
    }
}

// ---------------------------------------------------------------- details

frmdetail::frmdetail(QWidget* parent) : TResultWindow("frmdetail", 1000, parent)
{
    setWindowTitle("Details");
    auto* v = new QVBoxLayout(body());
    v->setContentsMargins(0, 0, 0, 0);
    memres = readOnlyText("memres", body());
    memres->setTabStopDistance(QFontMetricsF(memres->font()).horizontalAdvance(' ') * 8);
    v->addWidget(memres);
    resize(820, 600);
}

void frmdetail::clearContents() { memres->clear(); }

void frmdetail::fill(const MessageList& listing)
{
    showFresh();
    memres->setPlainText(linesText(listing));
    memres->moveCursor(QTextCursor::Start);
}

void frmdetail::changeEvent(QEvent* e)
{
    TDialog::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        memres->setFocus(Qt::ActiveWindowFocusReason);
}

// ---------------------------------------------------------------- graphic

frmgrafik::frmgrafik(QWidget* parent) : TResultWindow("frmgrafik", 1100, parent)
{
    setWindowTitle("Graphic");
    auto* v = new QVBoxLayout(body());
    v->setContentsMargins(0, 0, 0, 0);
    imgdyngraf = new PictureView(body());
    imgdyngraf->setObjectName("imgdyngraf");
    v->addWidget(imgdyngraf);
    // the drawing on the clipboard or in an SVG file, as the charts are
    addPictureCommands(imgdyngraf, "section.svg", {});
    resize(640, 560);
}

void frmgrafik::setPicture(const Picture& pic)
{
    showFresh();
    imgdyngraf->setPicture(pic);
}

void frmgrafik::clearContents() { imgdyngraf->setPicture(Picture{}); }

// ---------------------------------------------------------------- warnings and errors

frmwarn::frmwarn(QWidget* parent) : TDialog("frmwarn", 100, parent, false, false)
{
    setWindowTitle("Warnings / Errors");
    auto* v = new QVBoxLayout(body());
    v->setContentsMargins(0, 0, 0, 0);
    gpberrors = new QGroupBox("Errors", body());
    gpberrors->setObjectName("gpberrors");
    auto* el = new QVBoxLayout(gpberrors);
    memerr = readOnlyText("memerr", gpberrors, false);
    QPalette pal = memerr->palette();
    pal.setColor(QPalette::Text, QColor(0xc0, 0, 0));
    pal.setColor(QPalette::Base, Qt::white);
    memerr->setPalette(pal);
    el->addWidget(memerr);
    v->addWidget(gpberrors, 1);
    gpbwarnings = new QGroupBox("Warnings", body());
    gpbwarnings->setObjectName("gpbwarnings");
    auto* wl = new QVBoxLayout(gpbwarnings);
    memwarn = readOnlyText("memwarn", gpbwarnings, false);
    wl->addWidget(memwarn);
    v->addWidget(gpbwarnings, 1);
    // resizable; the errors box shows about ten lines at the first opening
    const int line = memerr->fontMetrics().lineSpacing();
    memerr->setMinimumHeight(4 * line + 12);
    memwarn->setMinimumHeight(4 * line + 12);
    setSizeGripEnabled(true);
    resize(620, std::max(480, 22 * line + 160));
}

void frmwarn::fill(const ColumnResults& res)
{
    memerr->clear();
    memwarn->clear();
    if (res.hasErrors)
        memerr->setPlainText(linesText(res.errors));
    if (res.hasWarnings)
        memwarn->setPlainText(linesText(res.warnings));
}

// ---------------------------------------------------------------- print method

frmprintmet::frmprintmet(QWidget* parent) : TDialog("frmprintmet", 100, parent, true, false)
{
    setWindowTitle("Print method");
    auto* v = new QVBoxLayout(body());
    v->setContentsMargins(0, 0, 0, 0);
    rdgprint = new TRadioGroup("rdgprint", 1, body());
    rdgprint->setTitle("Print method");
    rdgprint->setItems({"complete", "condensed"});
    rdgprint->setItemIndex(1);   // a choice is always made: OK prints what is shown
    v->addWidget(rdgprint);
    setMinimumSize(313, 109);
}

// ---------------------------------------------------------------- information

AboutBox::AboutBox(QWidget* parent) : TDialog("AboutBox", 100, parent, true, false)
{
    setWindowTitle("Info");
    OkButton = okButton();
    OkButton->setObjectName("OkButton");
    Cancelbutton = cancelButton();
    Cancelbutton->setObjectName("Cancelbutton");
    auto* g = new QGridLayout(body());
    g->setContentsMargins(0, 0, 0, 0);

    auto* icon = new SvgView(":/pictures/icon.svg", body());
    icon->setObjectName("ProgramIcon");
    icon->setFixedSize(56, 56);
    g->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);

    auto* titles = new QVBoxLayout;
    QFont big("Arial");
    big.setPointSize(13);
    auto addTitle = [&](const char* name, const char* text, bool bold) {
        auto* l = namedLabel(name, text, body());
        QFont f = big;
        f.setBold(bold);
        l->setFont(f);
        titles->addWidget(l);
    };
    addTitle("lblproduct", "QELN - Column", true);
    addTitle("title1", "Composite Column Fire Design", false);
    addTitle("title2", "according Eurocode 4 (ENV 1994-1-2)", false);
    addTitle("title3", "Version 3.05, January 2003", false);
    addTitle("title4", "", false);
    g->addLayout(titles, 0, 1);

    auto* addr = new QVBoxLayout;
    addr->setSpacing(0);
    auto* by = namedLabel("lblwrittenby", "", body());
    QFont bf = by->font();
    bf.setBold(true);
    by->setFont(bf);
    addr->addWidget(by);
    for (int i = 1; i <= 13; ++i) {
        auto* l = namedLabel(QString("lbladdr%1").arg(i), "", body());
        QFont f = l->font();
        f.setPointSizeF(f.pointSizeF() * 0.9);
        l->setFont(f);
        addr->addWidget(l);
    }
    addr->addStretch(1);
    g->addLayout(addr, 1, 1);

    auto* pic = new SvgView(":/pictures/about.svg", body());
    pic->setObjectName("Image1");
    pic->setMinimumSize(200, 200);
    g->addWidget(pic, 0, 2, 2, 1);
    auto* pic2 = new QLabel(body());
    pic2->setObjectName("Image2");
    pic2->hide();

    memdisclaimer = new QPlainTextEdit(body());
    memdisclaimer->setObjectName("memdisclaimer");
    memdisclaimer->setReadOnly(true);
    memdisclaimer->setMinimumHeight(120);
    g->addWidget(memdisclaimer, 2, 0, 1, 3);
    g->setColumnStretch(1, 1);
    resize(632, 480);
}

bool AboutBox::askDisclaimer()
{
    Cancelbutton->show();
    return exec() == QDialog::Accepted;
}

void AboutBox::showInfo()
{
    OkButton->setText("Ok");
    Cancelbutton->hide();
    exec();
}

void AboutBox::changeEvent(QEvent* e)
{
    TDialog::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && isVisible())
        OkButton->setFocus(Qt::ActiveWindowFocusReason);
}

} // namespace qeln::ui
