#include "uitext.h"

#include "calc/texts.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>

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

void BoxSink::message(const std::string& text) { showMessage(nullptr, QString::fromStdString(text)); }

BoxSink& boxSink()
{
    static BoxSink sink;
    return sink;
}

void showMessage(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Information, QApplication::applicationDisplayName(), text, QMessageBox::Ok,
                    boxParent(parent));
    box.setObjectName("messagebox");
    box.exec();
}

void showError(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), text, QMessageBox::Ok,
                    boxParent(parent));
    box.setObjectName("errorbox");
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
    const QString s = QLocale().decimalPoint();
    return s.isEmpty() ? QChar('.') : s.at(0);
}

QChar groupSeparator()
{
    const QString s = QLocale().groupSeparator();
    return s.isEmpty() ? QChar(',') : s.at(0);
}

} // namespace qeln::ui
