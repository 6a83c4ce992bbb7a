// The main window's report commands driven through their menu items on the
// offscreen platform: Export PDF writes the report of the chosen method,
// cancelling prints nothing, Print without a printer says so.
#include "ui/frmmain.h"
#include "tests/gui/guitest.h"

#include "pdftools.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace qeln;
using namespace qeln::ui;
using qeln::test::ModalScript;
using qeln::test::pdfText;

namespace {

struct Window {
    QTemporaryDir dir;
    std::unique_ptr<frmmain> w;
    Window()
    {
        // no settings, language or disclaimer: the commands alone
        w = std::make_unique<frmmain>(qeln::test::testOptions(dir.filePath("qeln.INI")));
        w->workflow().setNewProjectCode(DesignCode::ENV1994);   // the listings below are ENV ones
    }
    void trigger(const char* action) { w->findChild<QAction*>(action)->trigger(); }
};

void chooseMethod(QWidget* dlg, int item)
{
    auto* m = qobject_cast<frmprintmet*>(dlg);
    ASSERT_NE(m, nullptr) << dlg->objectName().toStdString();
    m->rdgprint->setItemIndex(item);
    m->accept();
}

// The message box's text, then closes it.
void readMessage(QWidget* d, QString& text)
{
    auto* box = qobject_cast<QMessageBox*>(d);
    ASSERT_NE(box, nullptr) << d->objectName().toStdString();
    text = box->text();
    box->accept();
}

} // namespace

TEST(ReportCommands, ExportPdfWritesTheChosenMethod)
{
    ASSERT_FALSE(QStandardPaths::findExecutable("pdftotext").isEmpty());
    Window win;
    for (int item : {0, 1}) {
        const QString path = win.dir.filePath(item == 0 ? "complete.pdf" : "condensed");
        ModalScript driver({[item](QWidget* d) { chooseMethod(d, item); },
                            [path](QWidget* d) {
                                auto* f = qobject_cast<QFileDialog*>(d);
                                ASSERT_NE(f, nullptr) << d->objectName().toStdString();
                                // Type the name, as a user would: the dialog fills its folder
                                // view in the background and may still move a selection made
                                // with selectFile.
                                auto* name = f->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                                ASSERT_NE(name, nullptr);
                                name->setText(path);
                                static_cast<QDialog*>(f)->accept();
                            }});
        win.trigger("mitexportpdf");
        EXPECT_EQ(driver.seen.size(), 2) << driver.seen.join(", ").toStdString();
        // the default suffix is added
        const QString written = item == 0 ? path : path + ".pdf";
        ASSERT_TRUE(QFile::exists(written)) << written.toStdString();
        const QString text = pdfText(written);
        EXPECT_TRUE(text.contains("Components of the column"));   // the header: ReportPdf.DefaultProjectCompleteAndCondensed
        // the page of the diagrams after the listing
        EXPECT_TRUE(text.contains("Resistance versus eccentricity - strong axis y-y"));
        // the details block is in the complete report only
        EXPECT_EQ(text.simplified().contains("Normal temperature strong axis"), item == 0);
        EXPECT_FALSE(win.w->workflow().printing);
        EXPECT_FALSE(win.w->workflow().resultsStale);
    }
}

TEST(ReportCommands, ExportPdfNeverOverwritesTheProjectAndLeavesNoTemporaryFile)
{
    Window win;
    const QString project = win.dir.filePath("column.qln");
    {
        QFile f(project);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("971003\r\n");
    }
    win.w->workflow().fileName = project.toStdString();
    QString error;
    ModalScript driver({[](QWidget* d) { chooseMethod(d, 1); },
                        [project](QWidget* d) {
                            auto* f = qobject_cast<QFileDialog*>(d);
                            ASSERT_NE(f, nullptr) << d->objectName().toStdString();
                            f->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(project);
                            // accepted from the event loop: the dialog's own question that
                            // follows needs this driver's timer, which does not fire inside itself
                            QTimer::singleShot(0, f, [f] { static_cast<QDialog*>(f)->accept(); });
                        },
                        [](QWidget* d) {   // the file dialog's own "replace it?"
                            auto* box = qobject_cast<QMessageBox*>(d);
                            ASSERT_NE(box, nullptr) << d->objectName().toStdString();
                            box->button(QMessageBox::Yes)->click();
                        },
                        [&error](QWidget* d) { readMessage(d, error); }});
    win.trigger("mitexportpdf");
    EXPECT_EQ(driver.seen.size(), 4) << driver.seen.join(", ").toStdString();
    EXPECT_TRUE(error.contains("not overwritten")) << error.toStdString();
    QFile f(project);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("971003\r\n"));
    EXPECT_EQ(QDir(win.dir.path()).entryList(QDir::Files), QStringList({"column.qln"}));
}

TEST(ReportCommands, CancelledMethodWritesNothing)
{
    Window win;
    ModalScript driver({[](QWidget* d) { qobject_cast<QDialog*>(d)->reject(); }});
    win.trigger("mitexportpdf");
    EXPECT_EQ(driver.seen.size(), 1);
    // no calculation either
    EXPECT_TRUE(win.w->workflow().resultsStale);
}

TEST(ReportCommands, InputErrorsPrintNothing)
{
    Window win;
    ColumnInput bad = win.w->workflow().input;
    bad.n1 = 6;   // not a layout of four
    win.w->workflow().input = bad;
    ModalScript driver({[](QWidget* d) { chooseMethod(d, 0); },
                        [](QWidget* d) { qobject_cast<QDialog*>(d)->accept(); }});   // warnings-and-errors window
    win.trigger("mitexportpdf");
    EXPECT_EQ(driver.seen.size(), 2);
    EXPECT_EQ(driver.seen.value(1), "frmwarn");
    EXPECT_TRUE(win.w->workflow().resultsStale);
}

TEST(ReportCommands, PrintWithoutPrinterSaysSo)
{
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        GTEST_SKIP() << "a printer is installed here; the test never prints";
    for (const char* action : {"mitprint", "mitprintsetup"}) {
        Window win;
        QString shown;
        ModalScript driver({[&shown](QWidget* d) { readMessage(d, shown); }});
        win.trigger(action);
        EXPECT_EQ(driver.seen.size(), 1);
        EXPECT_TRUE(shown.contains("No printer is installed")) << shown.toStdString();
        EXPECT_TRUE(shown.contains("PDF")) << shown.toStdString();
        EXPECT_TRUE(win.w->workflow().resultsStale);
    }
}
