// The profile browser: family or name filter, the list of names in display
// order, the dimensions of the current row, and the hidden editing panel
// (Shift+Alt+click on the background).
#pragma once

#include "catalogue/profiles.h"
#include "widgets.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QComboBox;
class QListWidget;
class QLabel;
class QCheckBox;
class QTableWidget;
class QFrame;

namespace qeln::ui {

// Opens "PROFKVL2.DBF" in the folder and writes its index "profkvl2.ntx"
// there; nullptr with the reason in error when it cannot.
std::unique_ptr<ProfileCatalogue> openProfileCatalogue(const std::string& folder, std::string& error);

// Clears the filter and makes the row named `name` (exactly) current. When
// there is none the current row stays and the result is false.
bool findProfile(ProfileCatalogue& catalogue, const std::string& name);

class frmprofil : public TDialog {
    Q_OBJECT
public:
    explicit frmprofil(QWidget* parent = nullptr);
    // The open catalogue the dialog shows (owned by the main window).
    void setCatalogue(ProfileCatalogue* catalogue);
    ProfileCatalogue* catalogue() const { return cat_; }
    // The lookup used by the close check (shows the not-found message).
    using Lookup = std::function<bool(const std::string&)>;
    void setLookup(Lookup f) { lookup_ = std::move(f); }

    // The filter step run on every change of cmbfam's text.
    void cmbfamChange();
    // The list was clicked on a row.
    void DBLookupList1Click(int row);
    // Shows the editing panel (what Shift+Alt+click on the background does).
    void showEditingPanel();
    void btnok2Click();
    void btndeleteClick();
    // Refreshes the list and the data fields from the catalogue.
    void refresh();
    bool editingPanelVisible() const;

    QComboBox* cmbfam;
    QListWidget* DBLookupList1;
    QLabel *DBText6, *DBTexth, *DBTextb, *DBTexts, *DBTextt, *DBTextr;
    QCheckBox* DBCheckBox1;
    QWidget* Panel1;
    QWidget* Panel3;
    QTableWidget* DBGrid1;

protected:
    bool closeCheck(bool withOk) override;
    QWidget* firstFocus() const override;
    bool eventFilter(QObject* o, QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void showCurrent();
    // The editing panel's note, hints and button in the current language.
    void setPanelTexts();
    void fillGrid();
    void gridEdited(int row, int column);
    void navigate(int to);
    // The position of the current row among the visible ones; -1 when there is none.
    int currentIndex(const std::vector<int>& visible) const;
    // Makes the row at a position of the visible ones current.
    void goToIndex(int index);
    // An edit of the catalogue; a table that cannot be written leaves the rows
    // as they were and is reported in an error box (text 516 and the reason).
    template <class Edit>
    void edit(Edit e);

    ProfileCatalogue* cat_ = nullptr;
    Lookup lookup_;
    bool updating_ = false;
};

} // namespace qeln::ui
