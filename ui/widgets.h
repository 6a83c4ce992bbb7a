// Small building blocks shared by the windows: a radio group with a selected
// index, a scalable SVG picture, the dialog base with its OK/Cancel/Help bar
// and close check, and the caption assignment of the language switch.
#pragma once

#include "shell/language.h"
#include "shell/radio.h"

#include <QDialog>
#include <QGroupBox>

class QAbstractButton;
class QButtonGroup;
#include <QPushButton>
class QSvgRenderer;
class QHBoxLayout;
class QLabel;
class QTableWidget;

namespace qeln::ui {

// A titled group of radio items (`rdg...`): selected index, -1 for none.
class TRadioGroup : public QGroupBox, public RadioChoiceGroup {
    Q_OBJECT
public:
    explicit TRadioGroup(const QString& name, int columns = 1, QWidget* parent = nullptr);
    void setItems(const QStringList& items);
    QStringList items() const;
    int itemCount() const override;
    int itemIndex() const override;
    void setItemIndex(int index) override;
    QAbstractButton* itemButton(int index) const;

signals:
    // The user clicked an item.
    void itemClicked(int index);

private:
    QButtonGroup* buttons_;
    int columns_;
};

// A fixed picture from the resources, scaled to fit with its proportions kept.
class SvgView : public QWidget {
    Q_OBJECT
public:
    explicit SvgView(const QString& resource, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QSvgRenderer* svg_;
};

// A label in the heading style of the dialogs (bold, dark blue).
QLabel* headingLabel(const QString& name, QWidget* parent);
// A click on the label (a check box's text that goes on below it) toggles the check box.
void toggleOnClick(QLabel* label, QAbstractButton* box);

// Gives the buttons letters of their own (Alt+letter), their captions
// taken as they are now without any letter they had.
void giveAccelerators(const std::vector<QAbstractButton*>& buttons);

// A label with an object name.
QLabel* namedLabel(const QString& name, const QString& text, QWidget* parent);

// Opens the help window at the page of a help context (defined by the help window).
void showHelp(int context);

// Modal dialog with a bottom bar of OK, Cancel and Help (`OKBtn`, `CancelBtn`,
// `HelpBtn`), a help context for F1 and Help, and an overridable close check
// run whenever the dialog is asked to close.
class TDialog : public QDialog {
    Q_OBJECT
public:
    TDialog(const QString& name, int helpContext, QWidget* parent, bool withCancel = true, bool withHelp = true);
    int helpContext() const { return helpContext_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }
    QPushButton* helpButton() const { return help_; }
    // Puts a button of the dialog's own into the bar, before OK.
    void addBarButton(QPushButton* b);
    // Puts a note at the left end of the bar.
    void addBarNote(QWidget* w);
    void done(int r) override;

protected:
    // The widget that holds the dialog's controls above the button bar.
    QWidget* body() const { return body_; }
    // Runs before the dialog closes (after OK has checked the numeric
    // fields); false keeps it open.
    virtual bool closeCheck(bool withOk);
    // Moves the focus to OK so that a numeric field being edited validates
    // itself, and checks every other field still being edited; false when a
    // field kept the focus (its range message was shown).
    bool focusToOk();
    // The control that takes the focus when the dialog opens.
    virtual QWidget* firstFocus() const { return nullptr; }
    void showEvent(QShowEvent* e) override;

private:
    QWidget* body_;
    QHBoxLayout* bar_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QPushButton* help_;
    int helpContext_;
};

// Puts a catalogue text on a control according to its kind (button, label,
// group box, menu, action, numeric field, window).
void applyCaption(QObject* target, const QString& text, CaptionKind kind);

// The cells of a table as tab-separated text, as spreadsheets paste it: the
// headings first (the horizontal header's texts when it is shown, with line
// breaks made blanks), then one line per row. The first headRows rows and
// headColumns columns are headings of the table's own and come along with
// every part of it. With `selectionOnly`, only the rows and columns the
// selection touches (the current cell when nothing is selected).
QString tableText(const QTableWidget* t, bool selectionOnly, int headRows = 0, int headColumns = 0);
// Copy (Ctrl+C: the selection) and Copy table (the whole table) in the
// table's context menu, with the texts 1318 and 1476.
void addCopyCommands(QTableWidget* t, int headRows = 0, int headColumns = 0);
// The two commands' captions in the current language.
void retitleCopyCommands(QTableWidget* t);

// A long heading on two lines, broken at the blank nearest its middle (a
// table's column stays narrow); a heading of up to `keep` characters as it is.
QString twoLineHeading(const QString& heading, int keep = 16);

// Cuts a text to n characters.
std::string cutTo(const QString& s, int n);

} // namespace qeln::ui
