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
int gLanguageBase = 0;

QWidget* boxParent(QWidget* parent)
{
    if (parent)
        return parent;
    if (QWidget* m = QApplication::activeModalWidget())
        return m;
    return QApplication::activeWindow();
}
} // namespace

int languageBase() { return gLanguageBase; }
void setLanguageBase(int base) { gLanguageBase = base; }

QString T(int id) { return QString::fromStdString(LoadText(id, gLanguageBase, &boxSink())); }

QString appTitle() { return T(1); }

namespace {
QLocale::Language languageOf(int base)
{
    switch (base) {
    case 10000: return QLocale::French;
    case 20000: return QLocale::German;
    default: return QLocale::English;
    }
}
} // namespace

bool applyQtTranslation(int base)
{
    static QPointer<QTranslator> current;   // owned by the application
    if (current) {
        QCoreApplication::removeTranslator(current);
        delete current.data();
    }
    const QLocale::Language lang = languageOf(base);
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

QLocale languageLocale(int languageBase)
{
    QLocale::Language lang = QLocale::English;
    QLocale::Territory land = QLocale::UnitedKingdom;
    if (languageBase == 10000) {
        lang = QLocale::French;
        land = QLocale::France;
    } else if (languageBase == 20000) {
        lang = QLocale::German;
        land = QLocale::Germany;
    }
    const QLocale system;
    return system.language() == lang ? system : QLocale(lang, land);
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
