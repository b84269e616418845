#pragma once
// U_Utility: amounts in words (Thai and English) for the printed documents, and the
// small text and date helpers the document windows share. Pure functions: no database,
// no widgets.
#include <QDate>
#include <QString>
#include <QtGlobal>

namespace meridox {

// The largest whole part (in magnitude) the amount functions put into words: up to it a
// double holds the baht and the satang of an amount exactly as typed. A larger amount gives
// an empty text and a warning in the application log.
inline constexpr qint64 kMaxAmountInWords = 9'999'999'999'999;

// The words of a whole number, joined without blanks ("ยี่สิบเอ็ด" for 21). 0 and
// negative numbers give an empty text.
QString ThaiNumberWords(qint64 n);

// The words of a whole number, each word with its own blanks, so that two words meet with
// two blanks ("ONE  THOUSAND TWO  HUNDRED FIFTY " for 1250). 0 and negative numbers give
// an empty text.
QString EnglishNumberWords(qint64 n);

// An amount written with `decimals` decimals and read as baht and satang:
// words + "บาท" then "ถ้วน" or words + "สตางค์". A negative amount gets "ลบ" in front of
// the text of its absolute value. 0 gives an empty text.
QString ThaiAmountText(double amount, int decimals);

// An amount read as a number with a point: words, then "จุด" + the words of the fraction
// when it is not 0. Negative amounts as for ThaiAmountText.
QString ThaiPointText(double amount, int decimals);

// words + " BAHT " then " ONLY" or " AND " + words + " SATANG". A negative amount gets
// "MINUS " in front of the text of its absolute value. 0 gives an empty text.
QString EnglishAmountText(double amount, int decimals);

// words + " " then " ONLY" or " POINT " + words + " ". Negative amounts as for
// EnglishAmountText.
QString EnglishPointText(double amount, int decimals);

// The text repeated `count` times; empty for a count of 0 or less.
QString RepeatText(const QString& text, int count);

// The text trimmed; its first `length` characters when longer, otherwise `fill` put in
// front until it is `length` long. A length of 0 or less gives an empty text.
QString PadLeftTo(const QString& text, int length, QChar fill);

// The text without its leading blanks (blanks and control characters); trailing kept.
QString TrimLeadingBlanks(const QString& text);

// The calendar year (0 for an invalid date).
int YearOfDate(const QDate& date);

// The month 1 to 12 (0 for an invalid date).
int MonthOfDate(const QDate& date);

} // namespace meridox
