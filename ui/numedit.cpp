#include "numedit.h"

#include "present/format.h"
#include "uitext.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>

#include <cfenv>
#include <cmath>

namespace qeln::ui {

double roundToDecimals(double x, int decimals, bool rounding)
{
    const double f = std::pow(10.0, decimals);
    const double scaled = x * f;
    if (!std::isfinite(scaled))
        return x;
    const double r = rounding ? std::nearbyint(scaled) : std::trunc(scaled);
    const double out = r / f;
    return std::isfinite(out) ? out : x;
}

QString formatWithMask(double x, const QString& mask, QChar decimal, QChar group)
{
    const qsizetype dot = mask.indexOf('.');
    const QString intPart = dot < 0 ? mask : mask.left(dot);
    const QString fracPart = dot < 0 ? QString() : mask.mid(dot + 1);
    const bool thousands = intPart.contains(',');
    const int minInt = int(intPart.count('0'));
    const int maxFrac = int(fracPart.count('0') + fracPart.count('#'));
    const int minFrac = int(fracPart.count('0'));

    QString s = QString::number(std::fabs(x), 'f', maxFrac);   // rounds the decimal value
    QString ip = s, fp;
    if (const qsizetype p = s.indexOf('.'); p >= 0) {
        ip = s.left(p);
        fp = s.mid(p + 1);
    }
    while (fp.size() > minFrac && fp.endsWith('0'))
        fp.chop(1);
    while (ip.size() > 1 && ip.startsWith('0'))
        ip.remove(0, 1);
    if (ip == "0" && minInt == 0)
        ip.clear();
    while (ip.size() < minInt)
        ip.prepend('0');
    if (thousands && !group.isNull() && ip.size() > 3) {
        for (qsizetype i = ip.size() - 3; i > 0; i -= 3)
            ip.insert(i, group);
    }
    QString out = ip;
    if (!fp.isEmpty())
        out += decimal + fp;
    if (out.isEmpty())
        out = "0";
    const bool negative = x < 0 && (out.contains(QRegularExpression("[1-9]")));
    return negative ? "-" + out : out;
}

QString formatWithMasks(double x, const TMasks& masks, QChar decimal, QChar group)
{
    if (x == 0 && !masks.ZeroMask.isEmpty())
        return formatWithMask(0, masks.ZeroMask, decimal, group);
    if (x < 0 && !masks.NegativeMask.isEmpty())
        return formatWithMask(std::fabs(x), masks.NegativeMask, decimal, group);
    if (masks.PositiveMask.isEmpty())
        return QLocale().toString(x, 'g', QLocale::FloatingPointShortest);
    return formatWithMask(x, masks.PositiveMask, decimal, group);
}

QString formatRangeMessage(const QString& pattern, double min, double max, QChar decimal)
{
    auto g = [decimal](double v) { return QString::fromStdString(formatGeneral(v, 15, QString(decimal).toStdString())); };
    QString out = pattern;
    qsizetype p = out.indexOf("%g");
    if (p >= 0) {
        out.replace(p, 2, g(min));
        p = out.indexOf("%g", p + g(min).size());
        if (p >= 0)
            out.replace(p, 2, g(max));
    }
    return out;
}

std::optional<double> parseFieldText(const QString& text)
{
    QString t = text;
    t.remove(' ');
    t.remove(QChar(0x00a0));
    const bool negative = t.startsWith('-') || t.endsWith('-');
    if (t.startsWith('-'))
        t.remove(0, 1);
    else if (t.endsWith('-'))
        t.chop(1);
    QString kept;
    bool separator = false;
    for (QChar c : t) {
        if (c >= '0' && c <= '9') {
            kept += c;
        } else if (isDecimalKey(c) && !separator) {
            kept += '.';
            separator = true;
        } else {
            return std::nullopt;
        }
    }
    if (kept.isEmpty() || kept == ".")
        return kept.isEmpty() ? std::optional<double>(0.0) : std::nullopt;
    bool ok = false;
    const double v = kept.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return negative ? -v : v;
}

TNumEdit::TNumEdit(QWidget* parent) : QLineEdit(parent)
{
    setMinimumWidth(85);
    setAlignment(alignment_);
    reformat();
}

void TNumEdit::setup(double min, double max, const QString& positiveMask)
{
    type_ = NumericType::ntGeneral;
    validate_ = true;
    decimals_ = 3;
    digits_ = 12;
    max_ = max;
    min_ = min;
    masks_.PositiveMask = positiveMask;
    reformat();
}

void TNumEdit::setValue(double v)
{
    if (v == value_)
        return;
    if (validate_ && (v < min_ || v > max_)) {
        showWarning(this, rangeMessage());
        return;
    }
    value_ = v;
    reformat();
}

void TNumEdit::setMin(double v)
{
    min_ = v;
    if (min_ > value_)
        value_ = min_;
}

void TNumEdit::setMax(double v)
{
    max_ = v;
    if (max_ < value_)
        value_ = max_;
}

void TNumEdit::setDecimals(int d)
{
    decimals_ = d;
    reformat();
}

void TNumEdit::setNumericType(NumericType t)
{
    type_ = t;
    reformat();
}

void TNumEdit::setUseRounding(bool on)
{
    useRounding_ = on;
    reformat();
}

void TNumEdit::setPositiveMask(const QString& m)
{
    masks_.PositiveMask = m;
    reformat();
}

void TNumEdit::setNegativeMask(const QString& m)
{
    masks_.NegativeMask = m;
    reformat();
}

void TNumEdit::setZeroMask(const QString& m)
{
    masks_.ZeroMask = m;
    reformat();
}

void TNumEdit::setDisplayAlignment(Qt::Alignment a)
{
    alignment_ = a;
    if (!editing_)
        setAlignment(a);
}

QString TNumEdit::formattedText() const
{
    double x = type_ == NumericType::ntPercentage ? value_ * 100 : value_;
    x = roundToDecimals(x, decimals_, useRounding_);
    const QLocale loc;
    switch (type_) {
    case NumericType::ntGeneral:
        // no thousands separator: "," is read back as the decimal separator
        return formatWithMasks(x, masks_, decimalSeparator(), QChar());
    case NumericType::ntCurrency:
        return loc.toCurrencyString(x, QString(), decimals_);
    case NumericType::ntPercentage:
        return loc.toString(x, 'f', decimals_) + "%";
    }
    return {};
}

void TNumEdit::reformat() { setText(formattedText()); }

void TNumEdit::enterField()
{
    const QString t = text().trimmed();
    const bool negative = t.startsWith('-') || t.endsWith('-');
    QString kept;
    for (QChar c : t)
        if (c.isDigit() || isDecimalKey(c))
            kept += c;
    if (negative)
        kept.prepend('-');
    savedMaxLength_ = maxLength();
    setMaxLength(digits_);
    setText(kept.left(digits_));
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    editing_ = true;
}

void TNumEdit::focusInEvent(QFocusEvent* e)
{
    if (!editing_ && !checking_)
        enterField();
    QLineEdit::focusInEvent(e);
}

void TNumEdit::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    // Another window becoming active (a message box, a menu) is not leaving the field.
    if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason)
        return;
    // Cancel and Help may be pressed with a wrong number in the field: the
    // field is checked when it is left for anything else, or on OK
    if (const QWidget* next = QApplication::focusWidget(); next && next->property(kLeavesUnchecked).toBool())
        return;
    if (editing_ && !checking_)
        leaveField();
}

QString TNumEdit::rangeMessage() const
{
    QString name;
    if (const QWidget* w = window())
        for (const QLabel* l : w->findChildren<const QLabel*>())
            if (l->buddy() == this) {
                name = l->text();
                break;
            }
    if (name.isEmpty() && captionLabel_)
        name = captionLabel_->text();
    if (name.isEmpty())
        if (const auto* group = qobject_cast<const QGroupBox*>(parentWidget()))
            name = group->title();
    name.remove(QRegularExpression("&(?!&)"));
    name = name.trimmed();
    while (name.endsWith(':') || name.endsWith(QChar(0x00a0)))
        name = name.chopped(1).trimmed();
    if (!unit_.isEmpty())
        name += (name.isEmpty() ? "[" : " [") + unit_ + "]";
    const QString message = formatRangeMessage(message_, min_, max_, decimalSeparator());
    return name.isEmpty() ? message : name + ":\n" + message;
}

void TNumEdit::abandonEdit()
{
    if (!editing_)
        return;
    setMaxLength(savedMaxLength_);
    editing_ = false;
    reformat();
    setAlignment(alignment_ | Qt::AlignVCenter);
}

bool TNumEdit::leaveField()
{
    if (!editing_)
        return true;
    setMaxLength(savedMaxLength_);
    const std::optional<double> read = parseFieldText(text());
    const bool outOfRange = read && validate_ && (*read < min_ || *read > max_);
    if (!read || outOfRange) {
        checking_ = true;
        showWarning(this, read ? rangeMessage() : T(2223));
        setMaxLength(digits_);
        selectAll();
        setFocus(Qt::OtherFocusReason);
        if (QWidget* w = window())
            w->activateWindow();
        checking_ = false;
        return false;
    }
    const double v = *read;
    value_ = type_ == NumericType::ntPercentage ? v / 100 : v;
    editing_ = false;
    reformat();
    setAlignment(alignment_ | Qt::AlignVCenter);
    emit valueEntered();
    return true;
}

void TNumEdit::keyPressEvent(QKeyEvent* e)
{
    const QString t = e->text();
    const bool plainChar = t.size() == 1 && t.at(0).isPrint() &&
                           !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (!plainChar) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    const QChar c = t.at(0);
    const QString cur = text();
    if (isDecimalKey(c)) {
        // "," and "." alike type the one decimal separator the fields show
        const QString sel = selectedText();
        const bool has = cur.contains(',') || cur.contains('.');
        const bool replaced = sel.contains(',') || sel.contains('.');
        if (!has || replaced) {
            setMaxLength(maxLength() + 1);
            insert(QString(decimalSeparator()));
        }
        e->accept();
        return;
    }
    if (c == '-') {
        if (cur.contains('-') && !selectedText().contains('-')) {
            e->accept();
            return;
        }
        setMaxLength(maxLength() + 1);
    } else if (!c.isDigit()) {
        e->accept();
        return;
    }
    QLineEdit::keyPressEvent(e);
}

TSpinEdit::TSpinEdit(QWidget* parent) : QSpinBox(parent)
{
    setKeyboardTracking(false);
    setAlignment(Qt::AlignRight);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

QValidator::State TSpinEdit::validate(QString& input, int& pos) const
{
    (void)pos;
    bool ok = false;
    const int v = input.trimmed().toInt(&ok);
    if (ok && v >= minimum() && v <= maximum())
        return QValidator::Acceptable;
    return QValidator::Intermediate;
}

void TSpinEdit::fixup(QString& input) const
{
    bool ok = false;
    const qlonglong v = input.trimmed().toLongLong(&ok);
    int out = minimum();
    if (ok)
        out = int(std::clamp<qlonglong>(v, minimum(), maximum()));
    input = QString::number(out);
}

} // namespace qeln::ui
