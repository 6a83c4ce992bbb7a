// The Diagrams window: per axis (a tab each) the interaction diagram and the
// resistance-versus-eccentricity plot of the last valid run, beside each
// other. It stays open beside the main window: the main window fills it after
// every run and empties it when the results no longer belong to the project.
// A right click on a chart copies it or saves it as an SVG file.
#pragma once

#include "picturepainter.h"
#include "platform/failure.h"
#include "shell/diagrampictures.h"
#include "widgets.h"

#include <array>
#include <functional>
#include <optional>
#include <string>

class QAction;
class QLabel;
class QSplitter;
class QTabWidget;

namespace qeln::ui {

// Writes a chart as an SVG file, replacing a previous one only once the new
// one is complete; false with the reason.
std::optional<Failure> saveChartSvg(const Picture& chart, const std::string& path);

// The chart as a bitmap of `scale` times its size on white, for the clipboard.
QImage chartImage(const Picture& chart, double scale);
// A chart on the clipboard as a picture and as SVG.
void copyChartToClipboard(const Picture& chart);
// Asks for a file (the suggested one offered) and writes the chart as SVG;
// a failure is told in a box.
void saveChartAsked(QWidget* parent, const Picture& chart, const QString& suggested);
// Copy and Save as SVG... in the context menu of a picture view.
void addPictureCommands(PictureView* v, const QString& fileName, const std::function<QString()>& folder);

class frmdiagrams : public TDialog {
    Q_OBJECT
public:
    explicit frmdiagrams(QWidget* parent = nullptr);

    // The four charts of a run (an invalid set empties the window).
    void fill(const DiagramPictures& d);
    // No chart, only the note that there are no valid results.
    void clear();
    bool showsDiagrams() const { return showing_; }
    // The folder the save dialog starts in (the project's).
    void setSaveFolder(const QString& folder) { saveFolder_ = folder; }
    // The tab texts, the note and the chart menus in the current language.
    void applyLanguage();
    // The chart view of an axis: interaction (0) or eccentricity (1) plot.
    PictureView* view(Axis axis, int plot) const;

    QLabel* lblnote;
    QTabWidget* tabaxes;
    QPushButton* btncalculate;   // runs the design when the window has no charts

signals:
    // "Calculate": the main window runs the design and fills the window.
    void calculateRequested();

protected:
    QWidget* firstFocus() const override { return okButton(); }

private:
    // The context menu of a chart view: Copy and Save as SVG...
    void addChartActions(PictureView* v, const char* fileName);
    void copyChart(const PictureView* v);
    void saveChart(const PictureView* v, const QString& fileName);
    // Ctrl+C: the chart that has the focus, else the left one of the tab shown.
    void copyCurrentChart();

    std::array<PictureView*, 4> views_{};   // weak: interaction, eccentricity; strong: the same
    std::array<QSplitter*, 2> splitters_{};
    std::vector<QAction*> copyActions_, saveActions_;
    QString saveFolder_;
    bool showing_ = false;
};

} // namespace qeln::ui
