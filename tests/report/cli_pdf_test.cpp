// qeln-cli design FILE.qln --pdf OUT.pdf: the same report as the desktop
// program's, written without a display; exit status 3 when it cannot be written.
#ifdef QELN_CLI

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>

#include <gtest/gtest.h>

#include "pdftools.h"

namespace {

using qeln::test::pdfText;

const QString kData = QStringLiteral(QELN_SOURCE_DIR "/tests/data/");

using qeln::test::Outcome;
using qeln::test::runCli;

} // namespace

TEST(CliPdf, CompleteAndCondensedReports)
{
    QTemporaryDir dir;
    const QString complete = dir.filePath("complete.pdf"), condensed = dir.filePath("condensed.pdf");
    Outcome o = runCli({"design", kData + "he500b-8-4.qln", "--pdf", complete});
    EXPECT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_TRUE(o.err.isEmpty()) << o.err.toStdString();
    o = runCli({"design", kData + "he500b-8-4.qln", "--pdf", condensed, "--listing", "condensed", "--language", "de"});
    EXPECT_EQ(o.status, 0) << o.err.toStdString();

    const QString c = pdfText(complete), k = pdfText(condensed);
    ASSERT_FALSE(c.isEmpty());
    ASSERT_FALSE(k.isEmpty());
    // in the language asked for (the header itself: ReportPdf.DefaultProjectCompleteAndCondensed)
    EXPECT_TRUE(k.contains("QELN - Stütze"));
    EXPECT_TRUE(k.contains("Seite 1 / "));
    // the details block is in the complete report only
    EXPECT_GT(c.count('\f'), k.count('\f'));
    EXPECT_TRUE(c.simplified().contains("Plastic load N.pl.R"));
    // the page of the diagrams, in the report's language
    EXPECT_TRUE(c.contains("Interaction diagram - weak axis z-z"));
    EXPECT_TRUE(k.contains("Interaktionsdiagramm - starke Achse y-y"));
    // an ENV project's pages name its method and editions, and no EN edition
    for (const QString& page : c.split('\f', Qt::SkipEmptyParts)) {
        if (page.trimmed().isEmpty())
            continue;
        EXPECT_TRUE(page.contains("Eurocode 4: ENV 1994-1-1 / ENV 1994-1-2 - method 4.8.3 / Annex F"))
            << page.toStdString();
        EXPECT_FALSE(page.contains("EN 1994-1-1:2004")) << page.toStdString();
    }
}

TEST(CliPdf, EveryPageNamesTheDesignCode)
{
    QTemporaryDir dir;
    const QString project = dir.filePath("en.qln"), pdf = dir.filePath("en.pdf");
    Outcome o = runCli({"new", project, "--code", "EN1994"});
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    o = runCli({"design", project, "--pdf", pdf, "--language", "fr"});
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    const QStringList pages = pdfText(pdf).split('\f', Qt::SkipEmptyParts);
    ASSERT_GE(pages.size(), 2);
    for (const QString& page : pages) {
        if (page.trimmed().isEmpty())
            continue;
        EXPECT_TRUE(page.contains("EN 1994-1-1:2004 / EN 1994-1-2:2005 - méthode 6.7.3 / annexe G")) << page.toStdString();
    }
}

TEST(CliPdf, UnwritablePdfIsAFileError)
{
    const Outcome o = runCli({"design", kData + "default.qln", "--pdf", "/nonexistent-folder/report.pdf"});
    EXPECT_EQ(o.status, 3);
    EXPECT_TRUE(o.err.contains("/nonexistent-folder/report.pdf")) << o.err.toStdString();
    // Qt's own diagnostics stay out of the program's messages
    EXPECT_FALSE(o.err.contains("QPainter")) << o.err.toStdString();
}

TEST(CliPdf, InputErrorsWriteNoPdf)
{
    QTemporaryDir dir;
    // six bars in the first layer: the checks refuse them
    const QString project = dir.filePath("six-bars.json");
    QFile in(project);
    ASSERT_TRUE(in.open(QIODevice::WriteOnly) && in.write(R"({"n1": 6})") > 0);
    in.close();

    const QString pdf = dir.filePath("bad.pdf");
    const Outcome o = runCli({"design", "--input", project, "--pdf", pdf});
    EXPECT_EQ(o.status, 1) << o.err.toStdString();
    EXPECT_TRUE(o.err.contains("not written")) << o.err.toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
}

// qeln-cli starts its PDF writer qeln-cli-pdf beside itself or, installed,
// from ../libexec/qeln/; without it only --pdf fails.
TEST(CliPdf, WriterBesideOrInLibexec)
{
    QTemporaryDir dir;
    const QString bin = dir.filePath("bin"), libexec = dir.filePath("libexec/qeln");
    ASSERT_TRUE(QDir().mkpath(bin) && QDir().mkpath(libexec));
    const QString cli = bin + "/qeln-cli", writer = libexec + "/qeln-cli-pdf";
    ASSERT_TRUE(QFile::copy(QStringLiteral(QELN_CLI), cli));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QELN_CLI_PDF), writer));
    const QString catalogue = QStringLiteral(QELN_BIN_DIR "/PROFKVL2.DBF");
    const QString pdf = dir.filePath("report.pdf");

    Outcome o = runCli({"design", kData + "default.qln", "--catalogue", catalogue, "--pdf", pdf}, cli);
    EXPECT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_TRUE(pdfText(pdf).contains("QELN - Column"));

    ASSERT_TRUE(QFile::remove(writer));
    QFile::remove(pdf);
    o = runCli({"design", kData + "default.qln", "--catalogue", catalogue, "--pdf", pdf}, cli);
    EXPECT_EQ(o.status, 3);
    EXPECT_TRUE(o.err.contains("the PDF writer qeln-cli-pdf is not installed")) << o.err.toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
    o = runCli({"design", kData + "default.qln", "--catalogue", catalogue, "--json"}, cli);
    EXPECT_EQ(o.status, 0) << o.err.toStdString();
}

// A report the writer could not finish, or did not write at all, never
// replaces the previous file: exit 3 and the old file as it was.
TEST(CliPdf, AnIncompleteReportKeepsThePreviousFile)
{
    QTemporaryDir dir;
    const QString old = dir.filePath("old.pdf");
    auto keepOld = [&] {
        QFile f(old);
        return f.open(QIODevice::WriteOnly) && f.write("OLD") == 3;
    };
    auto isOld = [&] {
        QFile f(old);
        return f.open(QIODevice::ReadOnly) && f.readAll() == "OLD";
    };
    // a file size limit below the report's size: QPdfWriter writes on without a word
    const QString limited = QStringLiteral("ulimit -f 100; exec \"$0\" \"$@\"");
    for (const QStringList& args : {QStringList{"design", kData + "default.qln", "--pdf", old},
                                    QStringList{"schedule", kData + "schedule-40.csv", "--pdf", old}}) {
        ASSERT_TRUE(keepOld());
        const Outcome o = runCli(QStringList{"-c", limited, QStringLiteral(QELN_CLI)} + args, "/bin/sh");
        EXPECT_EQ(o.status, 3) << o.err.toStdString();
        EXPECT_TRUE(isOld()) << args.join(' ').toStdString();
    }
    // a writer that ends at once, as if it had written the report
    const QString cli = dir.filePath("qeln-cli"), writer = dir.filePath("qeln-cli-pdf");
    ASSERT_TRUE(QFile::copy(QStringLiteral(QELN_CLI), cli));
    const QString catalogue = QStringLiteral(QELN_BIN_DIR "/PROFKVL2.DBF");
    auto standIn = [&](const QByteArray& script) {
        QFile::remove(writer);
        QFile f(writer);
        return f.open(QIODevice::WriteOnly) && f.write("#!/bin/sh\n" + script) > 0 &&
               f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    };
    ASSERT_TRUE(standIn("cat >/dev/null\n"));
    ASSERT_TRUE(keepOld());
    Outcome o = runCli({"design", kData + "default.qln", "--catalogue", catalogue, "--pdf", old}, cli);
    EXPECT_EQ(o.status, 3);
    EXPECT_TRUE(o.err.contains("without writing a complete PDF")) << o.err.toStdString();
    EXPECT_TRUE(isOld());
    // a writer that hangs is stopped once it shows no progress for the limit
    ASSERT_TRUE(standIn("exec sleep 100\n"));
    QElapsedTimer clock;
    clock.start();
    o = runCli({"design", kData + "default.qln", "--catalogue", catalogue, "--pdf", old}, cli,
               {"QELN_PDF_WRITER_IDLE_SECONDS=2"});
    EXPECT_EQ(o.status, 3);
    EXPECT_TRUE(o.err.contains("no progress")) << o.err.toStdString();
    EXPECT_LT(clock.elapsed(), 30000);
    EXPECT_TRUE(isOld());
    EXPECT_EQ(QDir(dir.path()).entryList({"old.pdf.tmp-*"}).size(), 0);
}

// Killed, qeln-cli takes its writer along, and the writer its half file.
TEST(CliPdf, TheWriterEndsWithItsCaller)
{
    QTemporaryDir dir;
    QFile rows(dir.filePath("rows.csv"));
    ASSERT_TRUE(rows.open(QIODevice::WriteOnly));
    rows.write("name,nEd\n");
    for (int i = 0; i < 400; ++i)
        rows.write(QByteArray("C") + QByteArray::number(i) + "," + QByteArray::number(1000 + i) + "\n");
    rows.close();
    QProcess p;
    p.start(QStringLiteral(QELN_CLI), {"schedule", rows.fileName(), "--pdf", dir.filePath("r.pdf")});
    ASSERT_TRUE(p.waitForStarted());
    const qint64 cli = p.processId();
    // wait for the writer to be there
    QString writer;
    for (int i = 0; i < 200 && writer.isEmpty(); ++i) {
        QThread::msleep(50);
        QFile children(QStringLiteral("/proc/%1/task/%1/children").arg(cli));
        if (children.open(QIODevice::ReadOnly))
            writer = QString::fromLatin1(children.readAll()).trimmed().section(' ', 0, 0);
    }
    ASSERT_FALSE(writer.isEmpty());
    QThread::msleep(1500);   // drawing
    ::kill(static_cast<pid_t>(cli), SIGKILL);
    p.waitForFinished();
    bool gone = false;
    for (int i = 0; i < 100 && !gone; ++i) {
        QThread::msleep(50);
        QFile stat("/proc/" + writer + "/stat");
        gone = !stat.open(QIODevice::ReadOnly) || stat.readAll().contains(") Z ");
    }
    EXPECT_TRUE(gone);
    EXPECT_EQ(QDir(dir.path()).entryList({"r.pdf*"}).size(), 0) << QDir(dir.path()).entryList().join(' ').toStdString();
}

// The writer's request is a private interface, still it may not crash on a hostile one.
TEST(CliPdf, ADeeplyNestedRequestIsRefused)
{
    QProcess p;
    p.start(QStringLiteral(QELN_CLI_PDF), QStringList{});
    ASSERT_TRUE(p.waitForStarted());
    p.write(QByteArray(200000, '\x81') + QByteArray(1, '\0'));
    p.closeWriteChannel();
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 1);
}

#endif
