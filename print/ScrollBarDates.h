// SPDX-License-Identifier: MIT
#pragma once

#include "DateSource.h"

#include <QPointer>
#include <QScrollBar>

namespace vitalune {

// The dates as the main window holds them: the values of its six scroll bars.
// A scroll bar that has gone away is a read error, not a crash.
class ScrollBarDates : public DateSource {
public:
    ScrollBarDates(QScrollBar* birthDay, QScrollBar* birthMonth, QScrollBar* birthYear,
                   QScrollBar* targetDay, QScrollBar* targetMonth, QScrollBar* targetYear);

    std::int16_t value(DateField field) const override;

private:
    QPointer<QScrollBar> bars_[6];
};

} // namespace vitalune
