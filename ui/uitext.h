// Catalogue texts for the windows: the current language and a message sink
// that shows the calculation's messages in a box with one OK button.
#pragma once

#include "present/languages.h"
#include "present/messages.h"

#include <QLocale>
#include <QString>

class QWidget;

namespace qeln {
struct Failure;
}

namespace qeln::ui {

// The language every window reads.
Language currentLanguage();
void setCurrentLanguage(Language language);

// LoadText for the current language, as a QString.
QString T(int id);

// The application title (text 1) of message boxes. The application display
// name is never set: Qt would append it to every window caption.
QString appTitle();

// Qt's own texts (file dialogs, standard buttons) in the program's language:
// qtbase_fr or qtbase_de from Qt's translations folder, none for English.
// False when the language needs a translation that cannot be loaded.
bool applyQtTranslation(Language language);

// A MessageSink showing each message in a box with an OK button.
class BoxSink : public MessageSink {
public:
    void message(const std::string& text) override;
};
BoxSink& boxSink();

// Plain message box with one OK button (information icon), titled with the application title.
void showMessage(QWidget* parent, const QString& text);
void showError(QWidget* parent, const QString& text);
// A read or a write that went wrong, in an error box: its catalogue text
// (516 "Error during Writing of File" when it names none), then where and why.
void showFailure(QWidget* parent, const Failure& failure);
// A typing slip (a number out of range): a warning icon, not an error's.
void showWarning(QWidget* parent, const QString& text);

// The locale of dates in the program's language: the
// system's own when it speaks that language (so de_CH stays Swiss), else the
// language's main one. The language chosen in the program wins over the system's.
QLocale languageLocale(Language language);

// The regional decimal separator of screen output ("," or "."; "." for a
// locale with another one) and the regional thousands separator.
QChar decimalSeparator();
QChar groupSeparator();

} // namespace qeln::ui
