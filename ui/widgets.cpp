#include "widgets.h"

#include "numedit.h"
#include "uitext.h"

#include "shell/accelerators.h"
#include "shell/scheduleedit.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QRadioButton>
#include <QHeaderView>
#include <QShortcut>
#include <QSvgRenderer>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cstdlib>
#include <set>

namespace qeln::ui {

TRadioGroup::TRadioGroup(const QString& name, int columns, QWidget* parent)
    : QGroupBox(parent), buttons_(new QButtonGroup(this)), columns_(columns)
{
    setObjectName(name);
    buttons_->setExclusive(true);
    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(16);
    connect(buttons_, &QButtonGroup::idClicked, this, &TRadioGroup::itemClicked);
}

void TRadioGroup::setItems(const QStringList& items)
{
    auto* grid = static_cast<QGridLayout*>(layout());
    for (QAbstractButton* b : buttons_->buttons()) {
        buttons_->removeButton(b);
        delete b;
    }
    const int rows = (int(items.size()) + columns_ - 1) / columns_;
    for (int i = 0; i < items.size(); ++i) {
        auto* rb = new QRadioButton(items[i], this);
        rb->setObjectName(objectName() + "_" + QString::number(i));
        buttons_->addButton(rb, i);
        grid->addWidget(rb, i % std::max(rows, 1), i / std::max(rows, 1));
    }
}

QStringList TRadioGroup::items() const
{
    QStringList out;
    for (int i = 0; i < itemCount(); ++i)
        out << buttons_->button(i)->text();
    return out;
}

int TRadioGroup::itemCount() const { return int(buttons_->buttons().size()); }

int TRadioGroup::itemIndex() const { return buttons_->checkedId(); }

void TRadioGroup::setItemIndex(int index)
{
    if (QAbstractButton* b = buttons_->button(index)) {
        b->setChecked(true);
        return;
    }
    // nothing selected
    buttons_->setExclusive(false);
    for (QAbstractButton* b : buttons_->buttons())
        b->setChecked(false);
    buttons_->setExclusive(true);
}

QAbstractButton* TRadioGroup::itemButton(int index) const { return buttons_->button(index); }

SvgView::SvgView(const QString& resource, QWidget* parent) : QWidget(parent), svg_(new QSvgRenderer(resource, this))
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

QSize SvgView::sizeHint() const
{
    const QSize s = svg_->defaultSize();
    return s.isValid() ? s : QSize(200, 150);
}

void SvgView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QSizeF s = svg_->defaultSize();
    if (s.isEmpty())
        s = QSizeF(size());
    s.scale(QSizeF(size()), Qt::KeepAspectRatio);
    const QRectF target(QPointF((width() - s.width()) / 2, (height() - s.height()) / 2), s);
    svg_->render(&p, target);
}

QLabel* headingLabel(const QString& name, QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    // bold in the heading colour of the help pages: underlined red read as a link
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, QColor(0x1f, 0x4e, 0x79));
    l->setPalette(pal);
    return l;
}

namespace {
class ClickToggles : public QObject {
public:
    ClickToggles(QLabel* label, QAbstractButton* box) : QObject(label), box_(box) {}

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::MouseButtonRelease && box_ && box_->isEnabled()) {
            box_->toggle();
            return true;
        }
        return QObject::eventFilter(o, e);
    }

private:
    QPointer<QAbstractButton> box_;
};
} // namespace

void giveAccelerators(const std::vector<QAbstractButton*>& buttons)
{
    std::vector<std::string> texts;
    for (QAbstractButton* b : buttons)
        texts.push_back(b->text().remove(QRegularExpression("&(?!&)")).toStdString());
    const std::vector<std::string> keyed = withAccelerators(texts, "");
    for (std::size_t i = 0; i < buttons.size(); ++i)
        buttons[i]->setText(QString::fromStdString(keyed[i]));
}

void toggleOnClick(QLabel* label, QAbstractButton* box)
{
    label->installEventFilter(new ClickToggles(label, box));
    label->setBuddy(box);
    label->setCursor(Qt::PointingHandCursor);
}

QLabel* namedLabel(const QString& name, const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

TDialog::TDialog(const QString& name, int helpContext, QWidget* parent, bool withCancel, bool withHelp)
    : QDialog(parent), body_(new QWidget(this)), ok_(new QPushButton("OK", this)),
      cancel_(new QPushButton("Cancel", this)), help_(new QPushButton("Help", this)), helpContext_(helpContext)
{
    setObjectName(name);
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    ok_->setObjectName("OKBtn");
    cancel_->setObjectName("CancelBtn");
    help_->setObjectName("HelpBtn");
    ok_->setDefault(true);
    for (QPushButton* b : {ok_, cancel_, help_})
        b->setMinimumWidth(88);
    cancel_->setVisible(withCancel);
    help_->setVisible(withHelp);
    // pressing them never asks for a number being typed to be put right first
    cancel_->setProperty(TNumEdit::kLeavesUnchecked, true);
    help_->setProperty(TNumEdit::kLeavesUnchecked, true);

    auto* bar = new QHBoxLayout;
    bar_ = bar;
    bar->addStretch(1);
    bar->addWidget(ok_);
    bar->addWidget(cancel_);
    bar->addWidget(help_);
    auto* v = new QVBoxLayout(this);
    v->addWidget(body_, 1);
    v->addLayout(bar);

    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(help_, &QPushButton::clicked, this, [this] { showHelp(helpContext_); });
    auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
    connect(f1, &QShortcut::activated, this, [this] { showHelp(helpContext_); });
}

void TDialog::addBarButton(QPushButton* b) { bar_->insertWidget(1, b); }

void TDialog::addBarNote(QWidget* w) { bar_->insertWidget(0, w, 1); }

void TDialog::done(int r)
{
    const bool withOk = r == QDialog::Accepted;
    if (withOk && !focusToOk())
        return;
    if (!withOk)
        for (TNumEdit* f : findChildren<TNumEdit*>())
            f->abandonEdit();
    if (!closeCheck(withOk))
        return;
    QDialog::done(r);
}

bool TDialog::closeCheck(bool) { return true; }

bool TDialog::focusToOk()
{
    if (!isVisible())
        return true;
    auto* editing = qobject_cast<TNumEdit*>(focusWidget());
    ok_->setFocus(Qt::OtherFocusReason);
    // When the window is not active the focus moves without focus events; the
    // field is then still being edited and is left by hand.
    if (editing && editing->isEditing() && focusWidget() == ok_ && !editing->leaveField())
        return false;
    if (focusWidget() != ok_)
        return false;
    // a field left for Cancel or Help is still being edited
    for (TNumEdit* f : findChildren<TNumEdit*>())
        if (f->isEditing() && !f->leaveField())
            return false;
    return true;
}

void TDialog::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (QWidget* w = firstFocus())
        w->setFocus(Qt::OtherFocusReason);
}

void applyCaption(QObject* target, const QString& text, CaptionKind kind)
{
    if (!target)
        return;
    if (kind == CaptionKind::RangeMessage) {
        if (auto* ne = qobject_cast<TNumEdit*>(target))
            ne->setMessagestring(text);
        return;
    }
    if (kind == CaptionKind::Hint) {
        if (auto* a = qobject_cast<QAction*>(target)) {
            a->setToolTip(text);
            a->setStatusTip(text);
        } else if (auto* w = qobject_cast<QWidget*>(target)) {
            w->setToolTip(text);
        }
        return;
    }
    if (auto* m = qobject_cast<QMenu*>(target))
        m->setTitle(text);
    else if (auto* a = qobject_cast<QAction*>(target))
        a->setText(text);
    else if (auto* b = qobject_cast<QAbstractButton*>(target))
        b->setText(text);
    else if (auto* l = qobject_cast<QLabel*>(target))
        l->setText(text);
    else if (auto* g = qobject_cast<QGroupBox*>(target))
        g->setTitle(text);
}

QString tableText(const QTableWidget* t, bool selectionOnly, int headRows, int headColumns)
{
    std::set<int> rows, columns;
    if (selectionOnly) {
        for (const QModelIndex& i : t->selectionModel()->selectedIndexes()) {
            rows.insert(i.row());
            columns.insert(i.column());
        }
        if (rows.empty() && t->currentIndex().isValid()) {
            rows.insert(t->currentRow());
            columns.insert(t->currentColumn());
        }
        if (rows.empty())
            return {};
    } else {
        for (int r = 0; r < t->rowCount(); ++r)
            rows.insert(r);
        for (int c = 0; c < t->columnCount(); ++c)
            columns.insert(c);
    }
    for (int r = 0; r < headRows && r < t->rowCount(); ++r)
        rows.insert(r);
    for (int c = 0; c < headColumns && c < t->columnCount(); ++c)
        columns.insert(c);
    std::vector<std::vector<std::string>> lines;
    auto cell = [](const QString& s) { return QString(s).replace('\n', ' ').toStdString(); };
    if (!t->horizontalHeader()->isHidden()) {
        std::vector<std::string> head;
        for (int c : columns) {
            const QTableWidgetItem* h = t->horizontalHeaderItem(c);
            head.push_back(h ? cell(h->text()) : std::to_string(c + 1));
        }
        lines.push_back(std::move(head));
    }
    for (int r : rows) {
        std::vector<std::string> line;
        for (int c : columns) {
            const QTableWidgetItem* it = t->item(r, c);
            line.push_back(it ? cell(it->text()) : std::string());
        }
        lines.push_back(std::move(line));
    }
    return QString::fromStdString(tabSeparatedText(lines));
}

void addCopyCommands(QTableWidget* t, int headRows, int headColumns)
{
    t->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* copy = new QAction(t);
    copy->setObjectName("actcopy");
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    QObject::connect(copy, &QAction::triggered, t, [t, headRows, headColumns] {
        if (const QString text = tableText(t, true, headRows, headColumns); !text.isEmpty())
            QApplication::clipboard()->setText(text);
    });
    auto* all = new QAction(t);
    all->setObjectName("actcopytable");
    QObject::connect(all, &QAction::triggered, t, [t, headRows, headColumns] {
        QApplication::clipboard()->setText(tableText(t, false, headRows, headColumns));
    });
    t->addAction(copy);
    t->addAction(all);
    retitleCopyCommands(t);
}

void retitleCopyCommands(QTableWidget* t)
{
    if (auto* a = t->findChild<QAction*>("actcopy", Qt::FindDirectChildrenOnly))
        a->setText(T(1318));
    if (auto* a = t->findChild<QAction*>("actcopytable", Qt::FindDirectChildrenOnly))
        a->setText(T(1476));
}

QString twoLineHeading(const QString& heading, int keep)
{
    if (heading.size() <= keep)
        return heading;
    const auto middle = heading.size() / 2;
    qsizetype best = -1;
    for (qsizetype i = 0; i < heading.size(); ++i)
        if (heading[i] == ' ' && (best < 0 || std::abs(i - middle) < std::abs(best - middle)))
            best = i;
    if (best < 0)
        return heading;
    QString two = heading;
    two[best] = '\n';
    return two;
}

std::string cutTo(const QString& s, int n) { return s.left(n).toStdString(); }

} // namespace qeln::ui
