#include "platform/text/NumberFormat.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace meridox {

namespace {

bool isPlaceholder(QChar c) { return c == u'#' || c == u'0'; }
bool isQuote(QChar c) { return c == u'\'' || c == u'"'; }

// Sections split on ";" outside quoted literals; at most three count.
QStringList splitSections(const QString& picture)
{
    QStringList sections{QString()};
    QChar quote;
    for (QChar c : picture) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (isQuote(c)) {
            quote = c;
        } else if (c == u';') {
            if (sections.size() == 3)
                break;
            sections.append(QString());
            continue;
        }
        sections.last().append(c);
    }
    return sections;
}

struct Layout {
    int wholePlaceholders = 0;
    int minWholeDigits = 0;   // from the first "0" to the decimal point
    int decimals = 0;
    int minDecimals = 0;      // up to the last "0" after the point
    bool grouping = false;
};

Layout analyse(const QString& section)
{
    Layout l;
    QChar quote;
    bool afterPoint = false;
    int firstZero = -1;
    for (QChar c : section) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (isQuote(c)) {
            quote = c;
        } else if (!afterPoint) {
            if (isPlaceholder(c)) {
                if (c == u'0' && firstZero < 0)
                    firstZero = l.wholePlaceholders;
                ++l.wholePlaceholders;
            } else if (c == u',') {
                l.grouping = true;
            } else if (c == u'.') {
                afterPoint = true;
            }
        } else if (isPlaceholder(c)) {
            ++l.decimals;
            if (c == u'0')
                l.minDecimals = l.decimals;
        }
    }
    l.minWholeDigits = firstZero < 0 ? 0 : l.wholePlaceholders - firstZero;
    return l;
}

struct Digits {
    QString whole;     // without leading zeros; empty for a whole part of 0
    QString fraction;  // exactly the asked number of decimals
    bool zero = true;
};

// The digits of |value| rounded half away from zero at `decimals`, taken from
// its 15-significant-digit text so binary noise below that does not decide.
Digits roundedDigits(double value, int decimals)
{
    const QString e = QString::number(std::fabs(value), 'e', 14);  // d.ddddddddddddddde+XX
    const qsizetype ePos = e.indexOf(u'e');
    QString mantissa = e.left(ePos);
    mantissa.remove(u'.');
    const int wholeCount = e.mid(ePos + 1).toInt() + 1;  // mantissa digits before the point
    const int keep = wholeCount + decimals;

    QString all;  // the rounded value times 10^decimals, as an integer text
    if (keep < 0) {
        all = QStringLiteral("0");
    } else if (keep == 0) {
        all = mantissa[0] >= u'5' ? QStringLiteral("1") : QStringLiteral("0");
    } else {
        all = mantissa.left(std::min<int>(keep, mantissa.size()));
        while (all.size() < keep)
            all.append(u'0');
        if (keep < mantissa.size() && mantissa[keep] >= u'5') {
            qsizetype i = all.size() - 1;
            while (i >= 0 && all[i] == u'9')
                all[i--] = u'0';
            if (i < 0)
                all.prepend(u'1');
            else
                all[i] = QChar(all[i].unicode() + 1);
        }
    }
    while (all.size() < decimals + 1)
        all.prepend(u'0');

    Digits d;
    d.zero = std::all_of(all.begin(), all.end(), [](QChar c) { return c == u'0'; });
    d.fraction = all.right(decimals);
    d.whole = all.left(all.size() - decimals);
    while (!d.whole.isEmpty() && d.whole[0] == u'0')
        d.whole.remove(0, 1);
    return d;
}

QString render(const QString& section, const Layout& l, const Digits& d, bool minus)
{
    QString whole = d.whole;
    while (whole.size() < l.minWholeDigits)
        whole.prepend(u'0');
    QString fraction = d.fraction;
    while (fraction.size() > l.minDecimals && fraction.endsWith(u'0'))
        fraction.chop(1);

    const int count = int(whole.size());
    QString out;
    if (minus)
        out += u'-';
    auto wholeDigit = [&](int i) {
        out += whole[i];
        if (l.grouping && i < count - 1 && (count - 1 - i) % 3 == 0)
            out += u',';
    };
    auto allWhole = [&](int upTo) {
        for (int i = 0; i < upTo; ++i)
            wholeDigit(i);
    };

    QChar quote;
    bool afterPoint = false;
    int wholeSeen = 0;
    int fractionSeen = 0;
    for (QChar c : section) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                out += c;
            continue;
        }
        if (isQuote(c)) {
            quote = c;
        } else if (!afterPoint) {
            if (isPlaceholder(c)) {
                // Digits beyond the picture's places all go in front of the first one.
                if (wholeSeen == 0)
                    allWhole(count - l.wholePlaceholders);
                const int i = count - l.wholePlaceholders + wholeSeen;
                if (i >= 0)
                    wholeDigit(i);
                ++wholeSeen;
            } else if (c == u'.') {
                afterPoint = true;
                if (l.wholePlaceholders == 0)
                    allWhole(count);
                if (!fraction.isEmpty())
                    out += u'.';
            } else if (c != u',') {
                out += c;
            }
        } else if (isPlaceholder(c)) {
            if (fractionSeen < fraction.size())
                out += fraction[fractionSeen];
            ++fractionSeen;
        } else if (c != u',' && c != u'.') {
            out += c;
        }
    }
    return out;
}

} // namespace

QString formatNumber(double value, const QString& picture)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (picture.isEmpty())
        return QString::number(value, 'g', 15);

    const QStringList sections = splitSections(picture);
    const bool negative = value < 0;
    int index = negative && sections.size() > 1 && !sections[1].isEmpty() ? 1 : 0;
    Layout layout = analyse(sections[index]);
    Digits digits = roundedDigits(value, layout.decimals);
    if (digits.zero) {
        index = sections.size() > 2 && !sections[2].isEmpty() ? 2 : 0;
        layout = analyse(sections[index]);
        digits = roundedDigits(0.0, layout.decimals);
    }
    const bool minus = negative && !digits.zero && index == 0;
    return render(sections[index], layout, digits, minus);
}

} // namespace meridox
