#pragma once
#include <QLineEdit>

// The masked edit box of the windows, as the original platform's behaves:
//
// - Text() is what was typed or set, always; SetText() sets it (raising Change when it
//   differs). The box shows Text() while it has the focus.
// - With a display format (SetFormat: "￥#,##0.00", "##%", "0%", "yyyy-mm-dd", any pattern of
//   Format, with sections), the box shows FormattedText() while it does not have the
//   focus: Text() read as an amount ("￥1,200.00" is 1200, "80%" is 0.8, "12" is 12) or
//   as a date and written with the format; a text that reads as neither is shown as it
//   stands, and an empty text as empty.
// - With an input mask (SetMask: "#" a digit, "9" an optional digit, "A"/"a" a letter or
//   digit, "&"/"C" any character, "?" a letter, "\" the next character literally, others
//   literal), typing fills the mask; Text() holds the literals and "_" for places not
//   filled ("____-__-__" when empty), ClipText() only the characters typed.
//
// The focus events are those of every control (ControlEvents: OnGotFocus, OnLostFocus);
// the box switches its display before the window's own handlers run, so a LostFocus
// handler that rewrites Text() sees its new text shown formatted.
//
// QLineEdit::text() is what the box shows at the moment; windows read Text().
class MaskEdBox : public QLineEdit {
    Q_OBJECT
  public:
    explicit MaskEdBox(QWidget* parent = nullptr);

    QString Text() const;
    void SetText(const QString& text);
    QString FormattedText() const;
    QString ClipText() const;

    QString Format() const { return format_; }
    void SetFormat(const QString& format);
    void SetMask(const QString& mask);

  signals:
    void Change();

  private:
    void OnGotFocus();
    void OnLostFocus();
    void OnShownTextChanged(const QString& shown);
    void Show(const QString& shown);

    QString text_;
    QString format_;
    QString mask_;
    bool editing_ = false;
    bool showing_ = false;  // the box itself is changing what it shows
};

// A masked edit box's mask as an input mask of QLineEdit.
QString QtInputMask(const QString& vbMask);
