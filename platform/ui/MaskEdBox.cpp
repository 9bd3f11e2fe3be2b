#include "platform/ui/MaskEdBox.h"

#include "platform/ui/ControlEvents.h"
#include "platform/ui/DisplayFormat.h"
#include "platform/ui/ErrorReport.h"

namespace {

const QChar kPrompt = u'_';

bool IsPlaceholder(QChar c) {
    return c == u'#' || c == u'9' || c == u'A' || c == u'a' || c == u'&' || c == u'C' || c == u'?';
}

QChar QtMaskChar(QChar c) {
    switch (c.unicode()) {
        case u'#':
        case u'9':
            return u'0';
        case u'A':
            return u'N';
        case u'a':
            return u'n';
        case u'&':
            return u'X';
        case u'C':
            return u'x';
        default:
            return u'a';  // '?': a letter
    }
}

bool IsQtMaskMeta(QChar c) {
    return QStringLiteral("AaNnXx90Dd#HhBb><!\\;[]{}").contains(c);
}

}  // namespace

QString QtInputMask(const QString& vbMask) {
    QString out;
    for (qsizetype i = 0; i < vbMask.size(); ++i) {
        const QChar c = vbMask[i];
        if (c == u'\\' && i + 1 < vbMask.size()) {
            out += u'\\';
            out += vbMask[++i];
        } else if (IsPlaceholder(c)) {
            out += QtMaskChar(c);
        } else if (c == u'>' || c == u'<') {
            out += c;
        } else {
            if (IsQtMaskMeta(c)) out += u'\\';
            out += c;
        }
    }
    return out.isEmpty() ? out : out + u';' + kPrompt;
}

MaskEdBox::MaskEdBox(QWidget* parent) : QLineEdit(parent) {
    ControlEvents* events = Events(this);
    connect(events, &ControlEvents::GotFocus, this, &MaskEdBox::OnGotFocus);
    connect(events, &ControlEvents::LostFocus, this, &MaskEdBox::OnLostFocus);
    connect(this, &QLineEdit::textChanged, this, &MaskEdBox::OnShownTextChanged);
    // Typing means the box has the keyboard, even where no focus change was seen (a window
    // that was never activated): it keeps showing what is typed.
    connect(this, &QLineEdit::textEdited, this, [this] { editing_ = true; });
}

QString MaskEdBox::Text() const {
    return mask_.isEmpty() ? text_ : displayText();
}

void MaskEdBox::SetText(const QString& text) {
    if (!mask_.isEmpty()) {
        setText(text);  // the mask places the characters; Change follows from textChanged
        return;
    }
    if (text == text_) return;
    text_ = text;
    Show(editing_ ? text_ : FormattedText());
    RunReported([&] { emit Change(); });
}

QString MaskEdBox::FormattedText() const {
    return FormatTypedText(Text(), format_);
}

QString MaskEdBox::ClipText() const {
    if (mask_.isEmpty()) return text_;
    const QString shown = displayText();
    QString clip;
    qsizetype pos = 0;
    for (qsizetype i = 0; i < mask_.size() && pos < shown.size(); ++i, ++pos) {
        const QChar c = mask_[i];
        if (c == u'\\') {
            ++i;  // a literal
        } else if (IsPlaceholder(c)) {
            if (shown[pos] != kPrompt) clip += shown[pos];
        } else if (c == u'>' || c == u'<') {
            --pos;  // case switches take no place
        }
    }
    return clip;
}

void MaskEdBox::SetFormat(const QString& format) {
    format_ = format;
    if (!editing_ && mask_.isEmpty()) Show(FormattedText());
}

void MaskEdBox::SetMask(const QString& mask) {
    const QString typed = Text();
    mask_ = mask;
    showing_ = true;
    setInputMask(QtInputMask(mask));
    showing_ = false;
    if (mask_.isEmpty()) {
        text_ = typed;
        Show(editing_ ? text_ : FormattedText());
    }
}

void MaskEdBox::OnGotFocus() {
    editing_ = true;
    if (!mask_.isEmpty()) return;
    const bool allSelected = hasSelectedText() && selectedText() == QLineEdit::text();
    Show(text_);
    if (allSelected) selectAll();
}

void MaskEdBox::OnLostFocus() {
    editing_ = false;
    if (mask_.isEmpty()) Show(FormattedText());
}

void MaskEdBox::Show(const QString& shown) {
    if (shown == QLineEdit::text()) return;
    showing_ = true;
    setText(shown);
    showing_ = false;
}

// Typing (or setText from outside) changes the typed text; the box's own display
// switches do not.
void MaskEdBox::OnShownTextChanged(const QString& shown) {
    if (showing_) return;
    if (!mask_.isEmpty()) {
        RunReported([&] { emit Change(); });
        return;
    }
    if (shown == text_) return;
    text_ = shown;
    if (!editing_) Show(FormattedText());
    RunReported([&] { emit Change(); });
}
