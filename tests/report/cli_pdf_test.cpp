// qeln-cli design FILE.qln --pdf OUT.pdf: the same report as the desktop
// program's, written without a display; exit status 3 when it cannot be written.
#ifdef QELN_CLI

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kData = QStringLiteral(QELN_SOURCE_DIR "/tests/data/");

struct Outcome {
    int status = -1;
    QString err;
};

Outcome runCli(const QStringList& args, const QString& program = QStringLiteral(QELN_CLI))
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");   // the program chooses the offscreen platform itself
    env.remove("DISPLAY");
    p.setProcessEnvironment(env);
    p.start(program, args);
    p.waitForFinished(120000);
    Outcome o;
    o.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    o.err = QString::fromUtf8(p.readAllStandardError());
    return o;
}

QString pdfText(const QString& path)
{
    QProcess p;
    p.start(QStandardPaths::findExecutable("pdftotext"), {"-layout", path, "-"});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

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
    EXPECT_TRUE(c.contains("QELN - Column"));
    EXPECT_TRUE(c.contains("Page 1 / "));
    EXPECT_TRUE(k.contains("QELN - Stütze"));
    EXPECT_TRUE(k.contains("Seite 1 / "));
    // the details block is in the complete report only
    EXPECT_GT(c.count('\f'), k.count('\f'));
    EXPECT_TRUE(c.simplified().contains("Plastic load N.pl.R"));
    // the page of the diagrams, in the report's language
    EXPECT_TRUE(c.contains("Interaction diagram - weak axis z-z"));
    EXPECT_TRUE(k.contains("Interaktionsdiagramm - starke Achse y-y"));
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
    // the default project with six bars in the first layer: the checks refuse it
    QFile in(kData + "default.qln");
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = in.readAll().split('\n');
    ASSERT_GT(lines.size(), 13);
    lines[12] = "6";
    const QString project = dir.filePath("six-bars.qln");
    QFile out(project);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(lines.join('\n'));
    out.close();

    const QString pdf = dir.filePath("bad.pdf");
    const Outcome o = runCli({"design", project, "--pdf", pdf});
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

#endif
