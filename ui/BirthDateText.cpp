// SPDX-License-Identifier: MIT
#include "BirthDateText.h"

#include <QDate>

namespace vitalune {

namespace {

// Reads "day sep month sep year" by hand: the first chart waits on this, and a regular
// expression engine would be loaded (and its pages read in) for this one small pattern.
class DateScanner {
public:
    explicit DateScanner(const QString& text) : text_(text) {}

    void skipSpaces() {
        // ASCII white space only: other scripts' spaces are not part of a typed date.
        while (pos_ < text_.size() && QStringView(u" \t\n\v\f\r").contains(text_[pos_]))
            ++pos_;
    }
    // Between minDigits and maxDigits ASCII digits; -1 if there are not enough, or too many.
    int number(int minDigits, int maxDigits) {
        int value = 0, digits = 0;
        while (pos_ < text_.size() && text_[pos_] >= u'0' && text_[pos_] <= u'9') {
            if (++digits > maxDigits)
                return -1;
            value = value * 10 + (text_[pos_++].unicode() - u'0');
        }
        return digits >= minDigits ? value : -1;
    }
    bool separator() {
        if (pos_ < text_.size() && QStringView(u"/.-").contains(text_[pos_])) {
            ++pos_;
            return true;
        }
        return false;
    }
    bool atEnd() const { return pos_ == text_.size(); }

private:
    const QString& text_;
    qsizetype pos_ = 0;
};

} // namespace

std::optional<Date> parseBirthDate(const QString& text) {
    DateScanner scan(text);
    scan.skipSpaces();
    const int day = scan.number(1, 2);
    scan.skipSpaces();
    if (day < 0 || !scan.separator())
        return std::nullopt;
    scan.skipSpaces();
    const int month = scan.number(1, 2);
    scan.skipSpaces();
    if (month < 0 || !scan.separator())
        return std::nullopt;
    scan.skipSpaces();
    const int year = scan.number(4, 4);
    scan.skipSpaces();
    if (year < 0 || !scan.atEnd())
        return std::nullopt;
    if (year < 1900 || year > 3000 || !QDate(year, month, day).isValid())
        return std::nullopt;
    return Date{static_cast<std::int16_t>(day), static_cast<std::int16_t>(month),
                static_cast<std::int16_t>(year)};
}

} // namespace vitalune
