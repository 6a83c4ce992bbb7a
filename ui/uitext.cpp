#include "uitext.h"

#include "platform/failure.h"
#include "present/texts.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QTranslator>

namespace qeln::ui {

namespace {
Language gLanguage = Language::English;

QWidget* boxParent(QWidget* parent)
{
    if (parent)
        return parent;
    if (QWidget* m = QApplication::activeModalWidget())
        return m;
    return QApplication::activeWindow();
}
} // namespace

Language currentLanguage() { return gLanguage; }
void setCurrentLanguage(Language language) { gLanguage = language; }

QString T(int id) { return QString::fromStdString(LoadText(id, gLanguage, &boxSink())); }

QString appTitle() { return T(1); }

namespace {
QLocale::Language languageOf(Language language)
{
    switch (language) {
    case Language::English: return QLocale::English;
    case Language::French: return QLocale::French;
    case Language::German: return QLocale::German;
    }
    return QLocale::English;
}

// The country of the language's main locale.
QLocale::Territory mainTerritoryOf(Language language)
{
    switch (language) {
    case Language::English: return QLocale::UnitedKingdom;
    case Language::French: return QLocale::France;
    case Language::German: return QLocale::Germany;
    }
    return QLocale::UnitedKingdom;
}
} // namespace

bool applyQtTranslation(Language language)
{
    static QPointer<QTranslator> current;   // owned by the application
    if (current) {
        QCoreApplication::removeTranslator(current);
        delete current.data();
    }
    const QLocale::Language lang = languageOf(language);
    if (lang == QLocale::English)
        return true;
    auto* tr = new QTranslator(QCoreApplication::instance());
    if (!tr->load(QLocale(lang), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete tr;
        return false;
    }
    QCoreApplication::installTranslator(tr);
    current = tr;
    return true;
}

void BoxSink::message(const std::string& text) { showMessage(nullptr, QString::fromStdString(text)); }

BoxSink& boxSink()
{
    static BoxSink sink;
    return sink;
}

void showMessage(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Information, appTitle(), text, QMessageBox::Ok,
                    boxParent(parent));
    box.setObjectName("messagebox");
    box.exec();
}

void showError(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, appTitle(), text, QMessageBox::Ok,
                    boxParent(parent));
    box.setObjectName("errorbox");
    box.exec();
}

void showFailure(QWidget* parent, const Failure& failure)
{
    QString text = T(failure.textId != 0 ? failure.textId : 516);
    if (const std::string why = failure.describe(); !why.empty())
        text += "\n\n" + QString::fromStdString(why);
    showError(parent, text);
}

void showWarning(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, appTitle(), text, QMessageBox::Ok, boxParent(parent));
    box.setObjectName("warningbox");
    box.exec();
}

QLocale languageLocale(Language language)
{
    const QLocale::Language lang = languageOf(language);
    const QLocale system;
    return system.language() == lang ? system : QLocale(lang, mainTerritoryOf(language));
}

QChar decimalSeparator()
{
    // the numeric fields read "," and "." only
    const QString s = QLocale().decimalPoint();
    return s == QLatin1String(",") ? QChar(',') : QChar('.');
}

QChar groupSeparator()
{
    const QString s = QLocale().groupSeparator();
    return s.isEmpty() ? QChar(',') : s.at(0);
}

} // namespace qeln::ui
