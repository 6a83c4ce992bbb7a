// What the report tests share: one quiet run of the calculate command, a
// PDF read back with poppler's tools (pdftotext, pdfinfo, pdfimages), and
// qeln-cli run as a program.
#pragma once

#include "shell/run.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace qeln::test {

// The calculate command of the desktop program, its messages shown nowhere.
inline bool quietRun(const ColumnInput& in, RunState& st)
{
    TextEnv env;
    RunPresenter quiet;
    return calculate(env, in, st, quiet);
}

// The standard output of a tool found on the PATH; empty when it fails.
inline QString toolOutput(const QString& tool, const QStringList& args)
{
    QProcess p;
    p.start(QStandardPaths::findExecutable(tool), args);
    if (!p.waitForFinished(120000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// pdftotext -layout of the pages first to last (all when 0), a form feed after each page.
inline QString pdfText(const QString& path, int first = 0, int last = 0)
{
    QStringList args{"-layout"};
    if (first > 0)
        args << "-f" << QString::number(first) << "-l" << QString::number(last);
    return toolOutput("pdftotext", args << path << "-");
}

// The text of each page.
inline QStringList pdfPages(const QString& path)
{
    QStringList pages = pdfText(path).split(QChar('\f'));
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

#ifdef QELN_CLI
struct Outcome {
    int status = -1;
    QString err;
};

// Runs qeln-cli (or `program`) as the user would, without a display.
inline Outcome runCli(const QStringList& args, const QString& program = QStringLiteral(QELN_CLI),
                      const QStringList& extraEnv = {})
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");   // the program chooses the offscreen platform itself
    env.remove("DISPLAY");
    for (const QString& e : extraEnv)
        env.insert(e.section('=', 0, 0), e.section('=', 1));
    p.setProcessEnvironment(env);
    p.start(program, args);
    // a run that does not end (or never starts) is a failure, not exit status 0
    const bool finished = p.waitForFinished(240000);
    if (!finished)
        p.kill();
    Outcome o;
    o.status = finished && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    o.err = QString::fromUtf8(p.readAllStandardError());
    return o;
}
#endif

inline bool havePdfTools()
{
    return !QStandardPaths::findExecutable("pdftotext").isEmpty() && !QStandardPaths::findExecutable("pdfinfo").isEmpty();
}

} // namespace qeln::test
