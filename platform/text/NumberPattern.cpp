#include "platform/text/NumberPattern.h"

#include <algorithm>

namespace {

bool IsPlaceholder(QChar c) {
    return c == u'0' || c == u'#';
}

}  // namespace

NumberPattern::NumberPattern(const QString& section) {
    std::vector<Token>* tokens = &intTokens_;
    bool integerPlaceholderSeen = false;
    qsizetype i = 0;
    while (i < section.size()) {
        const QChar c = section[i];
        if (c == u'"') {
            qsizetype close = section.indexOf(u'"', i + 1);
            if (close < 0) close = section.size();
            Add(*tokens, Kind::Literal, section.mid(i + 1, close - i - 1));
            i = close + 1;
        } else if (c == u'\\') {
            if (i + 1 < section.size()) Add(*tokens, Kind::Literal, QString(section[i + 1]));
            i += 2;
        } else if (IsPlaceholder(c)) {
            Add(*tokens, Kind::Digit, QString(), c == u'0');
            if (!hasPoint_) integerPlaceholderSeen = true;
            ++i;
        } else if (c == u'.' && !hasPoint_) {
            hasPoint_ = true;
            tokens = &fracTokens_;
            ++i;
        } else if (c == u'%') {
            Add(*tokens, Kind::Percent);
            ++percents_;
            ++i;
        } else if (c == u',' && !hasPoint_ && integerPlaceholderSeen) {
            qsizetype next = i;
            while (next < section.size() && section[next] == u',') ++next;
            if (next < section.size() && IsPlaceholder(section[next]))
                grouping_ = true;
            else
                thousandsScale_ += static_cast<int>(next - i);
            i = next;
        } else {
            Add(*tokens, Kind::Literal, QString(c));
            ++i;
        }
    }
    // A pattern without integer placeholders still shows the integer part: just before
    // the first percent sign, or after the literals.
    const auto isDigit = [](const Token& t) { return t.kind == Kind::Digit; };
    if (std::none_of(intTokens_.begin(), intTokens_.end(), isDigit)) {
        const auto isPercent = [](const Token& t) { return t.kind == Kind::Percent; };
        intTokens_.insert(std::find_if(intTokens_.begin(), intTokens_.end(), isPercent),
                          Token{Kind::Digit, QString(), false});
    }
}

void NumberPattern::Add(std::vector<Token>& tokens, Kind kind, const QString& text, bool zero) {
    if (kind == Kind::Literal && !tokens.empty() && tokens.back().kind == Kind::Literal)
        tokens.back().text += text;
    else
        tokens.push_back(Token{kind, text, zero});
}

int NumberPattern::Decimals() const {
    return static_cast<int>(std::count_if(fracTokens_.begin(), fracTokens_.end(),
                                          [](const Token& t) { return t.kind == Kind::Digit; }));
}

DecimalText NumberPattern::Shown(const DecimalText& magnitude) const {
    DecimalText shown = magnitude;
    shown.ShiftPoint(2 * percents_ - 3 * thousandsScale_);
    shown.RoundTo(Decimals());
    return shown;
}

QString NumberPattern::Render(const DecimalText& magnitude) const {
    const DecimalText shown = Shown(magnitude);
    return RenderInteger(shown.intDigits) + RenderFraction(shown.fracDigits);
}

QString NumberPattern::RenderInteger(const std::string& intDigits) const {
    std::vector<bool> zeros;  // the integer placeholders, left to right
    for (const Token& t : intTokens_)
        if (t.kind == Kind::Digit) zeros.push_back(t.zero);
    const std::size_t placeholders = zeros.size();
    const auto firstZero = std::find(zeros.begin(), zeros.end(), true);
    const std::size_t minDigits = static_cast<std::size_t>(zeros.end() - firstZero);

    // A zero integer part has no digits: "##%" of 0 shows only "%", as the original does.
    std::string digits = intDigits;
    if (digits.size() < minDigits) digits.insert(0, minDigits - digits.size(), '0');
    const long long count = static_cast<long long>(digits.size());

    QString out;
    const auto emitDigits = [&](long long from, long long to) {
        for (long long idx = std::max(from, 0LL); idx < to; ++idx) {
            out += QLatin1Char(digits[static_cast<std::size_t>(idx)]);
            const long long fromRight = count - 1 - idx;
            if (grouping_ && fromRight > 0 && fromRight % 3 == 0) out += u',';
        }
    };
    // Digits fill the placeholders from the right; the leftmost takes all that are left over.
    long long k = 0;
    for (const Token& t : intTokens_) {
        if (t.kind == Kind::Literal) {
            out += t.text;
        } else if (t.kind == Kind::Percent) {
            out += u'%';
        } else {
            const long long end = count - (static_cast<long long>(placeholders) - 1 - k);
            emitDigits(k == 0 ? 0 : end - 1, end);
            ++k;
        }
    }
    return out;
}

QString NumberPattern::RenderFraction(const std::string& fracDigits) const {
    // Trailing zeros under "#" placeholders are dropped; the point itself always shows,
    // so "0.##" of 3 is "3." exactly as the original platform writes it.
    std::vector<bool> zeros;
    for (const Token& t : fracTokens_)
        if (t.kind == Kind::Digit) zeros.push_back(t.zero);
    std::size_t keep = zeros.size();
    while (keep > 0 && !zeros[keep - 1] && fracDigits[keep - 1] == '0') --keep;

    QString out = hasPoint_ ? QStringLiteral(".") : QString();
    std::size_t j = 0;
    for (const Token& t : fracTokens_) {
        if (t.kind == Kind::Literal) {
            out += t.text;
        } else if (t.kind == Kind::Percent) {
            out += u'%';
        } else {
            if (j < keep) out += QLatin1Char(fracDigits[j]);
            ++j;
        }
    }
    return out;
}
