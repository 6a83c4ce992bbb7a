// Helpers of the window tests: answering modal dialogs from the test, and a
// main window whose file dialogs are scripted.
#pragma once

#include "present/picture.h"
#include "ui/frmmain.h"
#include "ui/uitext.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>

namespace qeln::test {

// Answers modal dialogs in order: each step receives the next dialog that
// becomes the active modal widget and must close it. Every dialog seen is
// recorded by object name and, for message boxes, text.
class ModalScript : public QObject {
public:
    using Step = std::function<void(QDialog*)>;
    ModalScript()
    {
        timer_.setInterval(5);
        connect(&timer_, &QTimer::timeout, this, &ModalScript::tick);
        timer_.start();
    }
    explicit ModalScript(std::initializer_list<Step> steps) : ModalScript() { steps_.assign(steps); }
    ModalScript& then(Step s)
    {
        steps_.push_back(std::move(s));
        return *this;
    }
    // Presses a button of the dialog by object name, or a message-box button.
    ModalScript& press(const QString& buttonName)
    {
        return then([buttonName](QDialog* d) {
            auto* b = d->findChild<QAbstractButton*>(buttonName);
            QVERIFY2(b, qPrintable("no button " + buttonName + " in " + d->objectName()));
            b->click();
        });
    }
    ModalScript& answer(QMessageBox::StandardButton which)
    {
        return then([which](QDialog* d) {
            auto* box = qobject_cast<QMessageBox*>(d);
            QVERIFY2(box, qPrintable("expected a message box, got " + d->objectName()));
            box->button(which)->click();
        });
    }
    // Hands the dialog to f as the T it must be (a dialog of another kind is rejected).
    template <class T, class F>
    ModalScript& on(F f)
    {
        return then([f](QDialog* d) {
            T* t = qobject_cast<T*>(d);
            if (!t)
                d->reject();
            QVERIFY2(t, qPrintable("unexpected dialog " + d->objectName()));
            f(t);
        });
    }
    ModalScript& accept() { return then([](QDialog* d) { d->accept(); }); }
    ModalScript& reject() { return then([](QDialog* d) { d->reject(); }); }

    bool done() const { return steps_.empty(); }
    QStringList seen;   // "objectName" or "objectName: text"
    QStringList texts;  // texts of message boxes

private:
    void tick()
    {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!d || d->property("scripted").toBool() || steps_.empty() || !d->isVisible())
            return;
        d->setProperty("scripted", true);
        if (!d->property("scriptWatched").toBool()) {
            d->setProperty("scriptWatched", true);
            connect(d, &QDialog::finished, d, [d] { d->setProperty("scripted", false); });
        }
        if (auto* box = qobject_cast<QMessageBox*>(d)) {
            seen << d->objectName() + ": " + box->text();
            texts << box->text();
        } else {
            seen << d->objectName();
        }
        Step s = std::move(steps_.front());
        steps_.pop_front();
        s(d);
    }
    QTimer timer_;
    std::deque<Step> steps_;
};

// The main window with scripted open and save dialogs.
class TestMain : public ui::frmmain {
public:
    explicit TestMain(ui::MainOptions o) : ui::frmmain(std::move(o)) {}
    std::deque<std::optional<std::string>> openPaths, savePaths;
    std::optional<std::string> chooseOpenFile() override { return pop(openPaths); }
    std::optional<std::string> chooseSaveFile(const std::string&) override { return pop(savePaths); }
    int runs = 0;
    bool calculate(const ColumnInput& in) override
    {
        ++runs;
        return ui::frmmain::calculate(in);
    }

private:
    static std::optional<std::string> pop(std::deque<std::optional<std::string>>& q)
    {
        if (q.empty())
            return std::nullopt;
        auto v = q.front();
        q.pop_front();
        return v;
    }
};

// A few rows of each family, in an order that differs from the display order.
inline std::vector<SteelProfile> sampleProfiles()
{
    // name, h, b, s, t, r, MOVRIX, DID
    return {
        {"IPE 300", 300, 150, 7.1, 10.7, 15, false, 10},
        {"IPE 400", 400, 180, 8.6, 13.5, 21, false, 11},
        {"HE 200 A", 190, 200, 6.5, 10, 18, true, 20},
        {"HE 300 A", 290, 300, 8.5, 14, 27, true, 21},
        {"HE 320 A", 310, 300, 9, 15.5, 27, true, 22},
        {"HE 300 B", 300, 300, 11, 19, 27, true, 30},
        {"HE 320 B", 320, 300, 11.5, 20.5, 27, true, 31},
        {"HE 400 B", 400, 300, 13.5, 24, 27, true, 32},
        {"HE 300 M", 340, 310, 21, 39, 27, false, 40},
        {"HL 920 X 342", 912, 418, 19.3, 32, 24, false, 50},
        {"HD 400 X 187", 368, 391, 15, 24, 15, true, 60},
        {"HP 305 X 110", 308, 310.7, 15.4, 15.4, 15.2, false, 70},
        {"W 360 X 410 X 196", 372, 374, 16.4, 26.2, 15, false, 80},
    };
}

// A catalogue table (PROFKVL2.DBF) of sampleProfiles() with its index in the
// folder, for editing; null when it cannot be opened.
inline std::unique_ptr<ProfileCatalogue> sampleCatalogueIn(const QString& folder)
{
    {
        const std::string path = (folder + "/" + kProfileTableFile).toStdString();
        dbf::Table t = dbf::Table::create(path, ProfileCatalogue::tableFields(1));
        for (const SteelProfile& p : sampleProfiles()) {
            dbf::Record r = t.blankRecord();
            ProfileCatalogue::fillRecord(r, p);
            t.append(r);
        }
    }
    std::string error;
    return ui::openProfileCatalogue(folder.toStdString(), error);
}

// The same, read-only, over the bytes of that table.
inline std::unique_ptr<ProfileCatalogue> sampleCatalogue()
{
    static const std::string bytes = [] {
        QTemporaryDir dir;
        sampleCatalogueIn(dir.path());
        QFile f(dir.filePath(kProfileTableFile));
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
    }();
    return std::make_unique<ProfileCatalogue>(ProfileCatalogue::fromTable(dbf::Table::fromBytes(bytes)));
}

// The search's view of sampleCatalogue(), the rows given `copies` times over.
inline std::vector<SearchProfile> sampleSearchProfiles(int copies = 1)
{
    const std::vector<SearchProfile> once = searchProfiles(*sampleCatalogue());
    std::vector<SearchProfile> out;
    for (int c = 0; c < copies; ++c)
        for (SearchProfile p : once) {
            p.displayOrder = static_cast<int>(out.size());
            out.push_back(std::move(p));
        }
    return out;
}

inline ui::MainOptions testOptions(const QString& settingsPath)
{
    ui::MainOptions o;
    o.settingsPath = settingsPath;
    o.activateOnShow = false;   // the tests call FormActivate themselves
    o.openCatalogue = [](std::string&) { return sampleCatalogue(); };
    return o;
}

// The project's input as an input dialog's OK gives it, changed by f.
inline void setInput(TestMain& w, const std::function<void(ColumnInput&)>& f)
{
    ColumnInput in = w.workflow().input;
    f(in);
    w.workflow().acceptInput(in);
}

// The texts of a picture (a chart, the section drawing), in order.
inline std::vector<std::string> textsOf(const Picture& pic)
{
    std::vector<std::string> out;
    for (const Primitive& p : pic.items)
        if (p.kind == Primitive::Kind::Text)
            out.push_back(p.text);
    return out;
}

// Whether the picture has the text, or with `prefix` a text that starts with it.
inline bool hasText(const Picture& pic, const std::string& s, bool prefix = false)
{
    for (const std::string& t : textsOf(pic))
        if (prefix ? t.rfind(s, 0) == 0 : t == s)
            return true;
    return false;
}

// Gives the field the focus and types the text over what it shows, as a user would.
template <class Field>
void typeOver(Field* f, const QString& text)
{
    f->setFocus();
    f->selectAll();
    QTest::keyClicks(f, text);
}

// Writes the bytes to the file; false when it cannot be written.
inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Same locale everywhere: full stop and comma.
inline void useEnglishLocale() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

// What the window tests share: a folder of their own for the settings file
// and the projects, in which every test starts without settings, in English,
// and a started main window over it.
class WindowTest : public QObject {
    Q_OBJECT
protected:
    QTemporaryDir dir;
    QString ini() const { return dir.path() + "/qeln.INI"; }
    // A main window with the test catalogue and the settings file, that has
    // accepted the disclaimer; the test fails when it did not.
    std::unique_ptr<TestMain> started()
    {
        auto w = std::make_unique<TestMain>(testOptions(ini()));
        w->show();
        ModalScript script;
        script.press("OkButton");
        if (!w->FormActivate())
            QTest::qFail("the main window did not start", __FILE__, __LINE__);
        return w;
    }

private slots:
    void initTestCase()
    {
        useEnglishLocale();
        QVERIFY(dir.isValid());
    }
    void init() { QFile::remove(ini()); }
};

} // namespace qeln::test
