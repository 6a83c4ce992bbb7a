#include "diagramswindow.h"

#include "uitext.h"

#include "platform/fileio.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QPainter>
#include <QShortcut>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

namespace qeln::ui {

namespace {
constexpr int kDiagramsText = 1315;
constexpr int kWeakTab = 1316, kStrongTab = 1317;
constexpr int kCopy = 1318, kSaveSvg = 1319;
constexpr int kNoResults = 1320;
constexpr int kWriteError = 516;
} // namespace

std::optional<Failure> saveChartSvg(const Picture& chart, const std::string& path)
{
    return platform::writeReplacing(path, pictureToSvg(chart));
}

QImage chartImage(const Picture& chart, double scale)
{
    const QSize size(std::max(1, static_cast<int>(chart.width * scale)), std::max(1, static_cast<int>(chart.height * scale)));
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    paintPicture(p, chart, QRectF(QPointF(0, 0), QSizeF(size)));
    return img;
}

frmdiagrams::frmdiagrams(QWidget* parent) : TDialog("frmdiagrams", kHelpDiagrams, parent, false)
{
    // a window of its own beside the main window, which goes on working:
    // not kept above it, closed with Close, and it calculates on its own
    setModal(false);
    setWindowFlags(Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    okButton()->setText("Close");
    btncalculate = new QPushButton("Calculate", this);
    btncalculate->setObjectName("btncalculate");
    btncalculate->setAutoDefault(false);
    addBarButton(btncalculate);
    connect(btncalculate, &QPushButton::clicked, this, &frmdiagrams::calculateRequested);
    setWindowTitle("Diagrams");
    auto* v = new QVBoxLayout(body());
    v->setContentsMargins(0, 0, 0, 0);
    lblnote = namedLabel("lblnote", "", body());
    lblnote->setWordWrap(true);
    v->addWidget(lblnote);
    tabaxes = new QTabWidget(body());
    tabaxes->setObjectName("tabaxes");
    static const char* const names[2][2] = {{"imgnmweak", "imgneweak"}, {"imgnmstrong", "imgnestrong"}};
    static const char* const files[2][2] = {{"nm-weak.svg", "ne-weak.svg"}, {"nm-strong.svg", "ne-strong.svg"}};
    for (int axis = 0; axis < 2; ++axis) {
        auto* split = new QSplitter(Qt::Horizontal, tabaxes);
        split->setObjectName(axis == 0 ? "tabweak" : "tabstrong");
        split->setChildrenCollapsible(false);
        for (int plot = 0; plot < 2; ++plot) {
            auto* view = new PictureView(split);
            view->setObjectName(names[axis][plot]);
            view->setMinimumSize(240, 160);
            view->setFocusPolicy(Qt::ClickFocus);
            addChartActions(view, files[axis][plot]);
            split->addWidget(view);
            views_[static_cast<std::size_t>(2 * axis + plot)] = view;
        }
        splitters_[static_cast<std::size_t>(axis)] = split;
        tabaxes->addTab(split, axis == 0 ? "Weak axis z-z" : "Strong axis y-y");
    }
    v->addWidget(tabaxes, 1);
    // the keys: Ctrl+Tab through the tabs wherever the focus is, Ctrl+C for a chart
    auto* next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    connect(next, &QShortcut::activated, this, [this] { tabaxes->setCurrentIndex((tabaxes->currentIndex() + 1) % 2); });
    auto* back = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), this);
    connect(back, &QShortcut::activated, this, [this] { tabaxes->setCurrentIndex((tabaxes->currentIndex() + 1) % 2); });
    auto* copy = new QShortcut(QKeySequence::Copy, this);
    connect(copy, &QShortcut::activated, this, &frmdiagrams::copyCurrentChart);
    // two charts of 3 : 2 side by side
    resize(1100, 480);
    clear();
}

PictureView* frmdiagrams::view(Axis axis, int plot) const
{
    return views_[2 * axisIndex(axis) + static_cast<std::size_t>(plot != 0)];
}

void frmdiagrams::addChartActions(PictureView* v, const char* fileName)
{
    v->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* copy = new QAction("Copy", v);
    copy->setObjectName("actcopy");
    connect(copy, &QAction::triggered, this, [this, v] { copyChart(v); });
    auto* save = new QAction("Save as SVG...", v);
    save->setObjectName("actsavesvg");
    const QString file = QString::fromLatin1(fileName);
    connect(save, &QAction::triggered, this, [this, v, file] { saveChart(v, file); });
    v->addAction(copy);
    v->addAction(save);
    copyActions_.push_back(copy);
    saveActions_.push_back(save);
}

void frmdiagrams::fill(const DiagramPictures& d)
{
    if (!d.valid) {
        clear();
        return;
    }
    for (Axis axis : {Axis::Weak, Axis::Strong}) {
        view(axis, 0)->setPicture(d.interaction[axisIndex(axis)]);
        view(axis, 1)->setPicture(d.eccentricity[axisIndex(axis)]);
    }
    showing_ = true;
    lblnote->hide();
    btncalculate->setEnabled(false);
    tabaxes->setEnabled(true);
    for (QAction* a : copyActions_)
        a->setEnabled(true);
    for (QAction* a : saveActions_)
        a->setEnabled(true);
}

void frmdiagrams::clear()
{
    for (PictureView* v : views_)
        v->setPicture(Picture{});
    showing_ = false;
    lblnote->setText(T(kNoResults));
    lblnote->show();
    btncalculate->setEnabled(true);
    tabaxes->setEnabled(false);
    for (QAction* a : copyActions_)
        a->setEnabled(false);
    for (QAction* a : saveActions_)
        a->setEnabled(false);
}

void frmdiagrams::applyLanguage()
{
    setWindowTitle(T(kDiagramsText));
    okButton()->setText(T(1389));
    btncalculate->setText(T(1482));
    tabaxes->setTabText(0, T(kWeakTab));
    tabaxes->setTabText(1, T(kStrongTab));
    lblnote->setText(T(kNoResults));
    for (QAction* a : copyActions_)
        a->setText(T(kCopy));
    for (QAction* a : saveActions_)
        a->setText(T(kSaveSvg));
}

void copyChartToClipboard(const Picture& chart)
{
    if (chart.empty())
        return;
    auto* data = new QMimeData;
    data->setImageData(chartImage(chart, 1.5));
    data->setData(QStringLiteral("image/svg+xml"), QByteArray::fromStdString(pictureToSvg(chart)));
    QApplication::clipboard()->setMimeData(data);
}

void addPictureCommands(PictureView* v, const QString& fileName, const std::function<QString()>& folder)
{
    v->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* copy = new QAction(T(kCopy), v);
    copy->setObjectName("actcopy");
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(copy, &QAction::triggered, v, [v] { copyChartToClipboard(v->picture()); });
    auto* save = new QAction(T(kSaveSvg), v);
    save->setObjectName("actsavesvg");
    QObject::connect(save, &QAction::triggered, v, [v, fileName, folder] {
        const QString f = folder ? folder() : QString();
        saveChartAsked(v, v->picture(), QDir(f.isEmpty() ? QDir::homePath() : f).filePath(fileName));
    });
    v->addAction(copy);
    v->addAction(save);
}

void frmdiagrams::copyChart(const PictureView* v) { copyChartToClipboard(v->picture()); }

void frmdiagrams::copyCurrentChart()
{
    for (PictureView* v : views_)
        if (v->hasFocus()) {
            copyChart(v);
            return;
        }
    copyChart(views_[static_cast<std::size_t>(2 * tabaxes->currentIndex())]);
}

void frmdiagrams::saveChart(const PictureView* v, const QString& fileName)
{
    saveChartAsked(this, v->picture(), QDir(saveFolder_.isEmpty() ? QDir::homePath() : saveFolder_).filePath(fileName));
}

void saveChartAsked(QWidget* parent, const Picture& shown, const QString& suggested)
{
    const Picture chart = shown;   // a run while the dialog is open may replace it
    if (chart.empty())
        return;
    QFileDialog dlg(parent);
    dlg.setObjectName(QStringLiteral("svgdialog"));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setNameFilters({QStringLiteral("SVG (*.svg)"), QStringLiteral("*.* (*)")});
    dlg.setDefaultSuffix(QStringLiteral("svg"));
    dlg.selectFile(suggested);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return;
    QString path = dlg.selectedFiles().first();
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".svg");
    if (const auto failed = saveChartSvg(chart, path.toStdString()))
        showError(parent, T(kWriteError) + "\n\n" + QDir::toNativeSeparators(path) +
                              (failed->detail.empty() ? QString() : "\n" + QString::fromStdString(failed->detail)));
}

} // namespace qeln::ui
