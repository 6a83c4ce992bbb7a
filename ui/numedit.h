// TNumEdit: a single-line field that holds a number. It filters the keys
// typed, parses the text when the field is left, checks the range (reporting
// a violation in a message box and keeping the focus) and shows the value
// through a display mask while it is not being edited.
#pragma once

#include "shell/radio.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSpinBox>

#include <optional>

namespace qeln::ui {

enum class NumericType { ntGeneral, ntCurrency, ntPercentage };

// The three format sections used by ntGeneral.
struct TMasks {
    QString PositiveMask, NegativeMask, ZeroMask;
};

// Formats x with a numeric picture such as "#,#0.0" ("#" optional digit, "0"
// required digit, "," thousands separators, "." decimal point) using the
// given separators; a null group character leaves the thousands unseparated.
QString formatWithMask(double x, const QString& mask, QChar decimal, QChar group);
// Formats with a three-section pattern: positive;negative;zero (an empty
// section falls back to the positive one, with a leading minus for negatives).
QString formatWithMasks(double x, const TMasks& masks, QChar decimal, QChar group);
// Rounds (halves to even) or truncates to `decimals` places.
double roundToDecimals(double x, int decimals, bool rounding);
// The range message: each "%g" replaced in turn by min and max in shortest general form.
QString formatRangeMessage(const QString& pattern, double min, double max, QChar decimal);
// The number in a field's text. "," and "." are both the decimal separator
// (never a thousands separator), so "1,35" and "1.35" are the same number; a
// minus at the start or end makes it negative; blanks are ignored; empty reads
// as 0. Nothing (unreadable) for a second separator or any other character.
std::optional<double> parseFieldText(const QString& text);
// A key that types a decimal separator: "," or ".".
inline bool isDecimalKey(QChar c) { return c == ',' || c == '.'; }

class TNumEdit : public QLineEdit, public RadioValueField {
    Q_OBJECT
public:
    explicit TNumEdit(QWidget* parent = nullptr);

    double Value() const { return value_; }
    void setValue(double v);
    double Min() const { return min_; }
    double Max() const { return max_; }
    void setMin(double v);
    void setMax(double v);
    bool Validate() const { return validate_; }
    void setValidate(bool on) { validate_ = on; }
    QString Messagestring() const { return message_; }
    void setMessagestring(const QString& s) { message_ = s; }
    int Decimals() const { return decimals_; }
    void setDecimals(int d);
    int Digits() const { return digits_; }
    void setDigits(int d) { digits_ = d; }
    NumericType numericType() const { return type_; }
    void setNumericType(NumericType t);
    bool UseRounding() const { return useRounding_; }
    void setUseRounding(bool on);
    const TMasks& Masks() const { return masks_; }
    void setPositiveMask(const QString& m);
    void setNegativeMask(const QString& m);
    void setZeroMask(const QString& m);
    // Alignment of the shown text while the field has no focus.
    void setDisplayAlignment(Qt::Alignment a);

    // The field's standard set-up in this program: general type, validation,
    // 3 decimals, 12 digits, a positive mask and a range.
    void setup(double min, double max, const QString& positiveMask);

    // True between entering the field and leaving it successfully.
    bool isEditing() const { return editing_; }
    // What leaving the field does: parse, range check, store. False (with the
    // message shown, the text selected and the focus back) when out of range
    // or unreadable (text 2223).
    bool leaveField();
    // Ends the editing without reading the text: the field shows its value
    // again (Cancel of a dialog throws a typed number away unchecked).
    void abandonEdit();
    // What the range message names: the field's label and its unit
    // ("Design axial force N.Ed" and "kN"); none by default.
    void setCaptionLabel(const QLabel* label) { captionLabel_ = label; }
    void setUnit(const QString& unit) { unit_ = unit; }
    // The range message as leaving the field shows it: the label (without
    // accelerator and colon) and the unit before the catalogue's message.
    QString rangeMessage() const;

    // RadioValueField
    void setFieldValue(double v) override { setValue(v); }
    void setFieldEnabled(bool on) override { setEnabled(on); }

    // The text the field shows for its value.
    QString formattedText() const;

    // A widget with this property set to true takes the focus from a field
    // being edited without the field being checked: Cancel and Help.
    static constexpr const char* kLeavesUnchecked = "qelnLeavesUnchecked";

signals:
    // The field was left with a new value in range (Value() holds it).
    void valueEntered();

protected:
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void reformat();
    void enterField();

    double value_ = 0;
    double min_ = 0, max_ = 0;
    bool validate_ = false;
    QString message_ = QStringLiteral("Value must be between %g and %g");
    int decimals_ = 2;
    int digits_ = 12;
    NumericType type_ = NumericType::ntCurrency;
    bool useRounding_ = true;
    TMasks masks_;
    Qt::Alignment alignment_ = Qt::AlignRight;
    bool editing_ = false;
    bool checking_ = false;
    int savedMaxLength_ = 32767;
    QPointer<const QLabel> captionLabel_;
    QString unit_;
};

// A whole-number spin field: typing is free, leaving the field (or
// interpretText) clamps the number into the range; text that is not a whole
// number reads as the minimum.
class TSpinEdit : public QSpinBox {
    Q_OBJECT
public:
    explicit TSpinEdit(QWidget* parent = nullptr);

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
};

} // namespace qeln::ui
