#include "printing/U_Utility.h"

#include <QStringList>
#include <QtDebug>

#include <algorithm>
#include <cmath>

namespace meridox {

namespace {

// ---- Thai words -------------------------------------------------------------------

const QString kThaiMillion = QStringLiteral("ล้าน");
const QString kThaiHundredThousand = QStringLiteral("แสน");
const QString kThaiTenThousand = QStringLiteral("หมื่น");
const QString kThaiThousand = QStringLiteral("พัน");
const QString kThaiHundred = QStringLiteral("ร้อย");
const QString kThaiTen = QStringLiteral("สิบ");
const QString kThaiBaht = QStringLiteral("บาท");
const QString kThaiSatang = QStringLiteral("สตางค์");
const QString kThaiExactly = QStringLiteral("ถ้วน");
const QString kThaiPoint = QStringLiteral("จุด");
const QString kThaiMinus = QStringLiteral("ลบ");

enum class ThaiVariant { Plain, Tens, Units };

// Digit 1 to 9; any other digit gives nothing.
QString ThaiDigitWord(qint64 digit, ThaiVariant variant = ThaiVariant::Plain)
{
    static const QStringList words = {
        QStringLiteral("หนึ่ง"), QStringLiteral("สอง"), QStringLiteral("สาม"),
        QStringLiteral("สี่"),   QStringLiteral("ห้า"), QStringLiteral("หก"),
        QStringLiteral("เจ็ด"),  QStringLiteral("แปด"), QStringLiteral("เก้า"),
    };
    if (digit < 1 || digit > 9)
        return {};
    if (digit == 1 && variant == ThaiVariant::Units)
        return QStringLiteral("เอ็ด");
    if (digit == 2 && variant == ThaiVariant::Tens)
        return QStringLiteral("ยี่");
    return words.at(int(digit - 1));
}

// After these words (or at the very start) a units 1 is read "หนึ่ง", not "เอ็ด".
bool endsInPlaceWordOtherThanTen(const QString& text)
{
    for (const QString* w : {&kThaiHundred, &kThaiMillion, &kThaiThousand, &kThaiHundredThousand,
                             &kThaiTenThousand})
        if (text.endsWith(*w))
            return true;
    return false;
}

// ---- English words ----------------------------------------------------------------

// 1 to 20.
QString EnglishSmallWord(qint64 n)
{
    static const QStringList words = {
        QStringLiteral("ONE "),      QStringLiteral("TWO "),       QStringLiteral("THREE "),
        QStringLiteral("FOUR "),     QStringLiteral("FIVE "),      QStringLiteral("SIX "),
        QStringLiteral("SEVEN "),    QStringLiteral("EIGHT "),     QStringLiteral("NINE "),
        QStringLiteral("TEN "),      QStringLiteral("ELEVEN "),    QStringLiteral("TWELVE "),
        QStringLiteral("THIRTEEN "), QStringLiteral("FOURTEEN "),  QStringLiteral("FIFTEEN "),
        QStringLiteral("SIXTEEN "),  QStringLiteral("SEVENTEEN "), QStringLiteral("EIGHTEEN "),
        QStringLiteral("NINETEEN "), QStringLiteral("TWENTY "),
    };
    return n >= 1 && n <= 20 ? words.at(int(n - 1)) : QString();
}

// The word of a tens digit 1 to 9 ("TEN " ... "NINETY ", "FOURTY " as the system spells it).
QString EnglishTensWord(qint64 digit)
{
    static const QStringList words = {
        QStringLiteral("TEN "),   QStringLiteral("TWENTY "),  QStringLiteral("THIRTY "),
        QStringLiteral("FOURTY "), QStringLiteral("FIFTY "),  QStringLiteral("SIXTY "),
        QStringLiteral("SEVENTY "), QStringLiteral("EIGHTY "), QStringLiteral("NINETY "),
    };
    return digit >= 1 && digit <= 9 ? words.at(int(digit - 1)) : QString();
}

const QString kEnglishMillion = QStringLiteral(" MILLION ");
const QString kEnglishThousand = QStringLiteral(" THOUSAND ");
const QString kEnglishHundred = QStringLiteral(" HUNDRED ");
const QString kEnglishBaht = QStringLiteral(" BAHT ");
const QString kEnglishAnd = QStringLiteral(" AND ");
const QString kEnglishSatang = QStringLiteral(" SATANG");
const QString kEnglishOnly = QStringLiteral(" ONLY");
const QString kEnglishPoint = QStringLiteral(" POINT ");
const QString kEnglishMinus = QStringLiteral("MINUS ");

// ---- Splitting an amount ----------------------------------------------------------

constexpr int kSignificantDigits = 18;

// The magnitude of x in fixed-point notation with `decimals` decimals, rounded (half away
// from zero) from its 18-significant-digit decimal form; "." as the point whatever the
// locale, no thousands separators, no sign. x must be finite.
QString fixedPointMagnitude(double x, int decimals)
{
    // "d.ddddddddddddddddde[+-]XX": 18 significant digits, C locale.
    const QString sci = QString::number(std::fabs(x), 'e', kSignificantDigits - 1);
    const int ePos = sci.indexOf(QLatin1Char('e'));
    QString digits = sci.left(ePos);
    digits.remove(QLatin1Char('.'));
    int integerDigits = sci.mid(ePos + 1).toInt() + 1; // digits before the point
    if (integerDigits < 1) {
        digits.prepend(QString(1 - integerDigits, QLatin1Char('0')));
        integerDigits = 1;
    }
    const int keep = integerDigits + decimals;
    if (digits.size() < keep)
        digits.append(QString(keep - digits.size(), QLatin1Char('0')));
    if (digits.size() > keep) {
        const bool roundUp = digits.at(keep) >= QLatin1Char('5');
        digits.truncate(keep);
        for (int i = keep - 1; roundUp && i >= 0; --i) {
            if (digits.at(i) == QLatin1Char('9')) {
                digits[i] = QLatin1Char('0');
                if (i == 0) {
                    digits.prepend(QLatin1Char('1'));
                    ++integerDigits;
                }
            } else {
                digits[i] = QChar(digits.at(i).unicode() + 1);
                break;
            }
        }
    }
    QString whole = digits.left(integerDigits);
    while (whole.size() > 1 && whole.startsWith(QLatin1Char('0')))
        whole.remove(0, 1);
    if (decimals == 0)
        return whole;
    return whole + QLatin1Char('.') + digits.mid(integerDigits);
}

struct SplitAmount {
    bool valid = false;    // false: nothing to write (0, not finite, or too large)
    bool negative = false; // below 0, and not 0 once written with its decimals
    qint64 whole = 0;      // the digits before the point
    qint64 fraction = 0;   // the digits after the point, read as a whole number
};

SplitAmount splitAmount(double x, int decimals, const char* function)
{
    SplitAmount split;
    if (x == 0)
        return split;
    if (!std::isfinite(x)) {
        qWarning("%s: the amount is not a finite number; no words are written", function);
        return split;
    }
    decimals = std::clamp(decimals, 0, kSignificantDigits);
    const QString text = fixedPointMagnitude(x, decimals);
    const int point = text.indexOf(QLatin1Char('.'));
    const QString wholeText = point < 0 ? text : text.left(point);
    bool ok = wholeText.size() <= 18;
    split.whole = ok ? wholeText.toLongLong(&ok) : 0;
    if (!ok || split.whole > kMaxAmountInWords) {
        qWarning("%s: the amount %s is beyond %lld in words; no words are written", function,
                 qPrintable(QString::number(x, 'g', 17)), kMaxAmountInWords);
        return SplitAmount{};
    }
    split.fraction = point < 0 ? 0 : text.mid(point + 1).toLongLong();
    split.negative = x < 0 && (split.whole != 0 || split.fraction != 0);
    split.valid = true;
    return split;
}

} // namespace

QString ThaiNumberWords(qint64 n)
{
    if (n <= 0)
        return {};
    QString text;
    const qint64 millions = n / 1000000;
    if (millions >= 1 && millions <= 9)
        text += ThaiDigitWord(millions) + kThaiMillion;
    else if (millions >= 10)
        text += ThaiNumberWords(millions) + kThaiMillion;

    const qint64 rest = n % 1000000;
    const struct { qint64 place; const QString& word; } places[] = {
        {100000, kThaiHundredThousand}, {10000, kThaiTenThousand}, {1000, kThaiThousand},
        {100, kThaiHundred},
    };
    for (const auto& p : places) {
        const qint64 digit = rest / p.place % 10;
        if (digit != 0)
            text += ThaiDigitWord(digit) + p.word;
    }

    const qint64 tens = rest / 10 % 10;
    if (tens == 1)
        text += kThaiTen;
    else if (tens >= 2)
        text += ThaiDigitWord(tens, ThaiVariant::Tens) + kThaiTen;

    const qint64 units = rest % 10;
    if (units != 0) {
        const bool afterTens = !text.isEmpty() && !endsInPlaceWordOtherThanTen(text);
        text += ThaiDigitWord(units, afterTens ? ThaiVariant::Units : ThaiVariant::Plain);
    }
    return text;
}

QString EnglishNumberWords(qint64 n)
{
    if (n <= 0)
        return {};
    QString text;
    const qint64 millions = n / 1000000;
    if (millions >= 1 && millions <= 9)
        text += EnglishSmallWord(millions) + kEnglishMillion;
    else if (millions >= 10)
        text += EnglishNumberWords(millions) + kEnglishMillion;

    const qint64 thousands = n % 1000000 / 1000;
    if (thousands >= 1 && thousands <= 9)
        text += EnglishSmallWord(thousands) + kEnglishThousand;
    else if (thousands <= 90 && thousands % 10 == 0 && thousands > 0)
        text += EnglishTensWord(thousands / 10) + kEnglishThousand;
    else if (thousands > 0)
        text += EnglishNumberWords(thousands) + kEnglishThousand;

    const qint64 hundreds = n % 1000 / 100;
    if (hundreds != 0)
        text += EnglishSmallWord(hundreds) + kEnglishHundred;

    const qint64 last = n % 100;
    if (last >= 1 && last <= 20)
        text += EnglishSmallWord(last);
    else if (last > 20)
        text += EnglishTensWord(last / 10) + EnglishSmallWord(last % 10);
    return text;
}

QString ThaiAmountText(double amount, int decimals)
{
    const SplitAmount a = splitAmount(amount, decimals, "ThaiAmountText");
    if (!a.valid)
        return {};
    QString text = ThaiNumberWords(a.whole) + kThaiBaht;
    text += a.fraction < 1 ? kThaiExactly : ThaiNumberWords(a.fraction) + kThaiSatang;
    return a.negative ? kThaiMinus + text : text;
}

QString ThaiPointText(double amount, int decimals)
{
    const SplitAmount a = splitAmount(amount, decimals, "ThaiPointText");
    if (!a.valid)
        return {};
    QString text = ThaiNumberWords(a.whole);
    if (a.fraction >= 1)
        text += kThaiPoint + ThaiNumberWords(a.fraction);
    return a.negative ? kThaiMinus + text : text;
}

QString EnglishAmountText(double amount, int decimals)
{
    const SplitAmount a = splitAmount(amount, decimals, "EnglishAmountText");
    if (!a.valid)
        return {};
    QString text = EnglishNumberWords(a.whole) + kEnglishBaht;
    text += a.fraction < 1 ? kEnglishOnly : kEnglishAnd + EnglishNumberWords(a.fraction) + kEnglishSatang;
    return a.negative ? kEnglishMinus + text : text;
}

QString EnglishPointText(double amount, int decimals)
{
    const SplitAmount a = splitAmount(amount, decimals, "EnglishPointText");
    if (!a.valid)
        return {};
    QString text = EnglishNumberWords(a.whole) + QLatin1Char(' ');
    text += a.fraction < 1 ? kEnglishOnly
                           : kEnglishPoint + EnglishNumberWords(a.fraction) + QLatin1Char(' ');
    return a.negative ? kEnglishMinus + text : text;
}

QString RepeatText(const QString& text, int count)
{
    return count > 0 ? text.repeated(count) : QString();
}

QString PadLeftTo(const QString& text, int length, QChar fill)
{
    if (length <= 0)
        return {};
    QString t = TrimLeadingBlanks(text);
    while (!t.isEmpty() && t.back().unicode() <= ' ')
        t.chop(1);
    if (t.size() > length)
        return t.left(length);
    return QString(length - t.size(), fill) + t;
}

QString TrimLeadingBlanks(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i).unicode() <= ' ')
        ++i;
    return text.mid(i);
}

int YearOfDate(const QDate& date)
{
    return date.isValid() ? date.year() : 0;
}

int MonthOfDate(const QDate& date)
{
    return date.isValid() ? date.month() : 0;
}

} // namespace meridox
