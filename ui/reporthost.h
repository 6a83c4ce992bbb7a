// What the report commands (reportcommands.h) need of the main window.
#pragma once

#include <optional>
#include <string>

class QWidget;

namespace qeln {
struct ColumnInput;
struct RunState;
} // namespace qeln

namespace qeln::ui {

enum class ReportMethod;

class ReportHost {
public:
    virtual ~ReportHost() = default;
    // The window the report's dialogs and messages belong to; it keeps the
    // printer that Printer Setup chose and has the File menu's actions.
    virtual QWidget* reportWindow() = 0;
    // The print-method dialog: the method chosen; nothing when cancelled.
    virtual std::optional<ReportMethod> chooseReportMethod() = 0;
    // Recalculates when the results are stale; false when the calculation fails.
    virtual bool ensureResults() = 0;
    // The project, its file name (empty when never saved) and its last run.
    virtual const ColumnInput& reportInput() = 0;
    virtual const std::string& reportFileName() = 0;
    virtual const RunState& runState() const = 0;
    // While a report is produced: busy, and closing the program refused.
    virtual void setPrinting(bool printing) = 0;
};

} // namespace qeln::ui
