// The search's limits as fields (profile families, largest h and b, rebar
// diameters and layouts), shared by "Find section" and the schedule's
// "Search limits" dialog, and that dialog: it fills itself from the limits
// and returns the limits the fields give; Cancel changes nothing.
#pragma once

#include "shell/search.h"
#include "numedit.h"
#include "widgets.h"

#include <optional>
#include <vector>

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;

namespace qeln::ui {

struct SearchLimitFields {
    std::vector<QCheckBox*> families;
    TNumEdit *maxh = nullptr, *maxb = nullptr;
    QLineEdit *diameters = nullptr, *layouts = nullptr;

    // Puts the fields into g from `row` on (advanced past them), four columns wide.
    void build(QGridLayout* g, int& row, QWidget* parent);
    void show(const SearchConstraints& c);
    // The limits the fields give; nullopt (the problem's text in `problem`)
    // when no family is checked or a list cannot be read.
    std::optional<SearchConstraints> read(QString& problem) const;
};

// What a set of limits holds, short ("HE B; h <= 400; d 16, 20"); "" for the defaults.
QString searchLimitsSummary(const SearchConstraints& c);

class frmsearchlimits : public TDialog {
    Q_OBJECT
public:
    explicit frmsearchlimits(QWidget* parent = nullptr);
    void fill(const SearchConstraints& c);
    // The limits when the dialog was closed with OK.
    const SearchConstraints& limits() const { return limits_; }

    SearchLimitFields fields;
    QLabel* lblstatus;

protected:
    bool closeCheck(bool withOk) override;

private:
    SearchConstraints limits_;
};

} // namespace qeln::ui
